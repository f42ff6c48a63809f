// Gallery screenshots; see the header.
#include "tools/gallery/gallery_capture.h"

#include <cstdio>
#include <functional>
#include <vector>

#include "framework/gdi/bitmap.h"
#include "framework/gdi/canvas.h"
#include "framework/gdi/gdi_handles.h"
#include "framework/ui/application.h"
#include "tools/gallery/gallery_form.h"
#include "tools/gallery/gallery_options.h"

TPngImage PngFromBgra(const uint8_t* const* rows, int width, int height) {
    TPngImage img;
    img.width = width;
    img.height = height;
    img.channels = 3;
    img.pixels.reserve(static_cast<size_t>(width) * height * 3);
    for (int y = 0; y < height; ++y) {
        const uint8_t* p = rows[y];
        for (int x = 0; x < width; ++x, p += 4)
            img.pixels.insert(img.pixels.end(), {p[2], p[1], p[0]});
    }
    return img;
}

TPngImage CaptureWindow(HWND wnd) {
    RECT r{};
    GetWindowRect(wnd, &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    TBitmap shot(w, h);
    {
        TClientDC screen(nullptr);
        BitBlt(shot.Canvas().Handle(), 0, 0, w, h, screen.Handle(), r.left, r.top, SRCCOPY);
    }
    std::vector<const uint8_t*> rows(h);
    for (int y = 0; y < h; ++y)
        rows[y] = shot.ScanLine(y);
    return PngFromBgra(rows.data(), w, h);
}

bool SavePng(const std::wstring& path, const TPngImage& image) {
    const std::vector<uint8_t> bytes = EncodePng(image);
    std::FILE* f = _wfopen(path.c_str(), L"wb");
    if (!f)
        return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

namespace {
// Lets queued painting and deferred actions happen for about `ms` milliseconds.
void Settle(int ms) {
    const DWORD end = GetTickCount() + ms;
    while (static_cast<int>(end - GetTickCount()) > 0) {
        Application->ProcessMessages();
        Sleep(15);
    }
}

// A picture taken while a modal loop (a menu, a message box) runs: a thread
// timer, dispatched by that loop, waits for the overlay window, lets it
// paint, saves the picture and ends the loop.
class TModalShot {
public:
    TModalShot(HWND target, std::function<HWND()> findOverlay, std::function<void(HWND)> close)
        : target_(target), find_(std::move(findOverlay)), close_(std::move(close)) {}

    // Arms the timer, runs `open` (which returns once the loop has ended) and
    // answers whether the overlay was seen before the picture was taken.
    bool Run(const std::function<void()>& open) {
        current_ = this;
        timer_ = SetTimer(nullptr, 0, 100, &TModalShot::Tick);
        open();
        while (!done_)
            Application->HandleMessage();
        KillTimer(nullptr, timer_);
        current_ = nullptr;
        return seen_;
    }
    TPngImage image;

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        if (current_ && !current_->done_)
            current_->Step();
    }
    void Step() {
        HWND overlay = find_();
        const bool visible = overlay && IsWindowVisible(overlay);
        if (visible)
            ++seenTicks_;
        if (seenTicks_ < 4 && ++ticks_ < 60)
            return;
        seen_ = visible;
        image = CaptureWindow(target_);
        done_ = true;
        close_(overlay);
    }

    static inline TModalShot* current_ = nullptr;
    HWND target_;
    std::function<HWND()> find_;
    std::function<void(HWND)> close_;
    UINT_PTR timer_ = 0;
    int ticks_ = 0, seenTicks_ = 0;
    bool seen_ = false, done_ = false;
};

// The File drop-down of the menu bar, opened as Alt+F opens it.
// Pictures taken besides the pages' own, saved after them.
std::vector<std::pair<std::wstring, TPngImage>>& ExtraShots() {
    static std::vector<std::pair<std::wstring, TPngImage>> shots;
    return shots;
}

// Alt+letter typed as a user types it (through the system's input queue), so
// that a skinned menu bar and the platform's own one open alike.
void PressAltLetter(HWND wnd, WORD letter) {
    SetForegroundWindow(wnd);
    INPUT keys[4] = {};
    const WORD vk[4] = {VK_MENU, letter, letter, VK_MENU};
    for (int i = 0; i < 4; ++i) {
        keys[i].type = INPUT_KEYBOARD;
        keys[i].ki.wVk = vk[i];
        keys[i].ki.dwFlags = (i >= 2) ? KEYEVENTF_KEYUP : 0;
    }
    SendInput(4, keys, sizeof(INPUT));
}

TPngImage ShotWithMenu(TForm_Gallery& form, std::wstring& log) {
    HWND wnd = form.Handle();
    TModalShot shot(
        wnd, [] { return FindWindowW(L"#32768", nullptr); }, [](HWND) { EndMenu(); });
    if (!shot.Run([wnd] { PressAltLetter(wnd, 'F'); }))
        log += L"menus: no drop-down menu appeared\n";
    // The page's popup menu too, as a right click shows it.
    TModalShot popup(
        wnd, [] { return FindWindowW(L"#32768", nullptr); }, [](HWND) { EndMenu(); });
    if (popup.Run([&form] { form.ShowPopupMenu(); }))
        ExtraShots().emplace_back(L"menus_popup.png", popup.image);
    else
        log += L"menus: no popup menu appeared\n";
    return shot.image;
}

// The platform centres message boxes on the desktop; the picture wants it
// over the gallery. Answers the box.
HWND CentreOver(HWND owner, HWND box) {
    RECT o{}, b{};
    if (box && GetWindowRect(owner, &o) && GetWindowRect(box, &b)) {
        const int x = (o.left + o.right - (b.right - b.left)) / 2;
        const int y = (o.top + o.bottom - (b.bottom - b.top)) / 2;
        if (b.left != x || b.top != y)
            SetWindowPos(box, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return box;
}

TPngImage ShotWithMessageBox(TForm_Gallery& form, std::wstring& log) {
    TModalShot shot(
        form.Handle(),
        [&form] {
            return CentreOver(form.Handle(), FindWindowW(L"#32770", TForm_Gallery::kMessageTitle));
        },
        [](HWND box) {
            if (box)
                PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
        });
    if (!shot.Run([&form] { form.ShowMessageBox(); }))
        log += L"messagebox: no message box appeared\n";
    return shot.image;
}

// The MDI frame over the gallery with its children cascaded; then its active
// child maximised (its buttons in the frame's menu bar) and restored again.
TPngImage ShotOfMdi(TForm_Gallery& form) {
    form.OpenMdi();
    Settle(400);
    TPngImage img = CaptureWindow(form.Handle());
    HWND client = form.MdiFrame()->ClientHandle();
    const auto child = reinterpret_cast<HWND>(SendMessageW(client, WM_MDIGETACTIVE, 0, 0));
    if (child) {
        SendMessageW(client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(child), 0);
        Settle(400);
        ExtraShots().emplace_back(L"mdi_maximized.png", CaptureWindow(form.Handle()));
        SendMessageW(client, WM_MDIRESTORE, reinterpret_cast<WPARAM>(child), 0);
        Settle(400);
        ExtraShots().emplace_back(L"mdi_restored.png", CaptureWindow(form.Handle()));
    }
    form.MdiFrame()->Hide();
    return img;
}

TPngImage ShotOfPage(TForm_Gallery& form, const std::wstring& page, std::wstring& log) {
    if (page == L"Menus")
        return ShotWithMenu(form, log);
    if (page == L"MessageBox")
        return ShotWithMessageBox(form, log);
    if (page == L"MDI")
        return ShotOfMdi(form);
    return CaptureWindow(form.Handle());
}
} // namespace

int SaveEveryPage(TForm_Gallery& form, const std::wstring& dir, std::wstring& log) {
    CreateDirectoryW(dir.c_str(), nullptr);
    int saved = 0;
    for (const std::wstring& page : GalleryPageNames()) {
        if (!form.ShowPage(page)) {
            log += L"no page " + page + L"\n";
            continue;
        }
        SetForegroundWindow(form.Handle());
        Settle(300);
        const TPngImage img = ShotOfPage(form, page, log);
        const std::wstring path = dir + L"\\" + ScreenshotFileName(page);
        if (SavePng(path, img))
            ++saved;
        else
            log += L"cannot write " + path + L"\n";
        Settle(100);
    }
    for (auto& [name, img] : ExtraShots())
        if (!SavePng(dir + L"\\" + name, img))
            log += L"cannot write " + name + L"\n";
    ExtraShots().clear();
    return saved;
}
