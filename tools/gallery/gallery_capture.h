// Screenshots of the gallery: a window's rectangle as it is on screen (menus
// and message boxes over it included), saved as PNG; and the whole run that
// saves one picture per page.
#pragma once

#include "framework/ui/win32.h"

#include <string>

#include "tools/gallery/png_writer.h"

class TForm_Gallery;

// Top-down rows of 32-bit BGRA pixels (one pointer per row) as an RGB image.
TPngImage PngFromBgra(const uint8_t* const* rows, int width, int height);
// What the screen shows inside the window's rectangle, frame included.
TPngImage CaptureWindow(HWND wnd);
// Writes the image as a PNG file; false when the file cannot be written.
bool SavePng(const std::wstring& path, const TPngImage& image);

// Shows every page in turn and saves DIR\<page>.png: the MDI page with its
// frame open (and, in two more pictures, its active child maximised
// and restored), the menu page with a drop-down of the menu bar open, the
// message-box page with a message box over the gallery. Answers the number
// of pictures saved; problems go to `log` (one line each).
int SaveEveryPage(TForm_Gallery& form, const std::wstring& dir, std::wstring& log);
