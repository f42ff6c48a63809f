// Skinned menu items: which menus of a form are owner-drawn by the skin
// (PreparePopupMenus, PrepareMainMenus, PrepareMenuItem, the system menu),
// how their items are measured, and how each item is composed off screen
// from the popup window's background, the skin's MenuItem picture and its
// content (glyph or check mark, caption, shortcut, separator), left to right
// or mirrored. The geometry and colour choices are pure functions below.
#pragma once

#include "framework/ui/win32.h"

#include <string>

#include "framework/gdi/color.h"
#include "framework/ui/menus.h"

class TCanvas;
class TComponent;
class TDataSkinObject;
class TMainMenu;
class TPopupMenu;
class TSkinData;

// --- Pure rules --------------------------------------------------------------

// What MeasureMenuItem adds to the framework's width: the MenuItem left
// margin (0 without the object) + 10, and 25 more without an image list.
int MenuItemExtraWidth(int leftMargin, bool hasImages);
// What MeasurePopupItem adds: the left margin + 12, and 23 more without images.
int PopupItemExtraWidth(int leftMargin, bool hasImages);
// Size of a native item measured from its text: width text + 26 + left
// margin; height + 4 for a text, 8 for a separator (no text); 4 more on
// Windows versions whose version value has the high bit set.
SIZE NativeItemSize(int textWidth, int givenHeight, bool hasText, int leftMargin,
                    bool versionHighBit);
// Frame of the MenuItem picture: 4 when selected, 1 otherwise.
int MenuItemFrame(bool selected);

// The skin colours an item's text is chosen from.
struct TMenuTextColours {
    TColor HilightText = clHighlightText;
    TColor MenuText = clMenuText;
    TColor ButtonShadow = clBtnShadow;
};
// Selected: HilightText, else MenuText; disabled: ButtonShadow, or the
// system button shadow when ButtonShadow is the same colour as MenuText.
TColor MenuItemTextColour(const TMenuTextColours& colours, bool enabled, bool selected);

// Side of the glyph box: 16, or the image list's width; a checked item at least 16.
int MenuGlyphSize(int imageWidth, bool checked);

// What the content layout needs to know of an item.
struct TMenuItemLayoutInput {
    RECT Rect{};
    int LeftMargin = 0; // MenuItem LeftWidth; 0 without the object
    int ImageWidth = 0; // width of the item's image list; 0 without one
    bool Checked = false;
    bool Separator = false;
    bool RightToLeft = false;
    SIZE Caption{}; // the caption as DrawText measures it
};
// Where each part of an item's content goes.
struct TMenuItemLayout {
    bool HasGlyph = false;
    RECT Glyph{};     // glyph / check-mark box
    RECT Text{};      // text rectangle, centred vertically on the item
    RECT Shortcut{};  // where the shortcut text is drawn
    RECT Separator{}; // the etched line's rectangle (its top edge is drawn)
};
TMenuItemLayout LayoutMenuItem(const TMenuItemLayoutInput& in);

// Source rectangle of the separator picture inside the MenuItem picture:
// frame 2's bottom part as high as the item (all of it when it is lower).
RECT SeparatorSource(int frameWidth, int pictureHeight, int itemHeight);

// --- Measuring and drawing -------------------------------------------------------

// The skin's MenuItem object when it has a picture, else null.
TDataSkinObject* MenuItemObject(const TSkinData* data);

// Framework measurement of the item, then MenuItemExtraWidth.
void MeasureMenuItem(TSkinData* data, TMenuItem& item, TCanvas& canvas, int& width, int& height);
// Popup menus and the system menu: PopupItemExtraWidth on the given width.
void MeasurePopupItem(TSkinData* data, TMenuItem& item, TCanvas& canvas, int& width, int& height);

// A framework item composed with the MenuItem picture over the popup
// window's background (DrawPlainItem without the picture); a separator
// shows the separator picture.
void DrawMenuItem(TSkinData* data, TMenuItem& item, TCanvas& canvas, RECT rect, bool selected);
// A native item of `menu`: the MenuItem frame and the content for every
// item, separators included (an etched line). `images` stands in for the
// item's missing menu (the menu bar's framework menu images).
void DrawNativeItem(TSkinData* data, HMENU menu, TMenuItem& item, bool selected, RECT rect,
                    TCanvas& canvas, HIMAGELIST images = nullptr);
// Without a MenuItem picture: HilightColour or MenuColour, then the content.
void DrawPlainItem(TSkinData* data, TMenuItem& item, TCanvas& canvas, RECT rect, bool selected,
                   HIMAGELIST images = nullptr);
// Glyph or check mark, caption, shortcut or etched separator into rect.
void DrawItemContent(TSkinData* data, TMenuItem& item, TCanvas& canvas, bool selected, RECT rect,
                     HIMAGELIST images = nullptr);

// --- Which menus are drawn by the skin ---------------------------------------

// The item and its sub-items get (on) or lose (off) the skinned drawing and
// menu measuring: control menus and tool bars.
void PrepareMenuItem(TSkinData* data, TMenuItem* item, bool on);
// Popup menus owned by the form whose Tag mod 100 is not DisableTag: owner
// drawing and skinned drawing with popup measuring (when xcPopupMenu is set).
void PreparePopupMenus(TComponent* form, TSkinData* data, bool on);
// Main menus owned by the form: owner drawing; items below the top level get
// the skinned drawing unless they draw themselves (when xcMenuItem is set).
void PrepareMainMenus(TComponent* form, TSkinData* data, bool on);
// The skinned system menu's items: skinned drawing and popup measuring.
void PrepareSystemMenuPopup(TPopupMenu& menu, TSkinData* data);
// Whether the item draws through the skin (an event set by the preparations).
bool HasSkinnedDrawing(const TMenuItem& item);

// --- WM_MEASUREITEM / WM_DRAWITEM of a skinned window -------------------------

// What the form skinner knows when a menu item message reaches its window.
struct TMenuOwnerContext {
    TSkinData* SkinData = nullptr;
    // The menu bar's framework menu; null for a raw window.
    TMainMenu* FrameworkMenu = nullptr;
    // The window is a framework form (else a raw window: native items only).
    bool FrameworkForm = false;
    // The open drop-down (where native item texts are read).
    HMENU OpenMenu = nullptr;
    // GetVersion() has its high bit set.
    bool VersionHighBit = false;
};
// Answers a menu item's WM_MEASUREITEM; false when the previous handling
// is to answer. Sets clientSizeFixed when a framework item was measured.
bool MeasureOwnerDrawnItem(const TMenuOwnerContext& ctx, MEASUREITEMSTRUCT& mis,
                           bool& clientSizeFixed);
// Answers a menu item's WM_DRAWITEM; false when the previous handling is to answer.
bool DrawOwnerDrawnItem(const TMenuOwnerContext& ctx, const DRAWITEMSTRUCT& dis);
