// Popup-menu windows: the border geometry, items lying on the popup's
// background (or MenuColour), the animation capture, and real popups under
// Wine getting a TWinSkinPopMenu through the manager's CBT hook and a
// border painted from the skin.
#include "tests/skin/window/popup_fixture.h"

using namespace popup_test;

TEST(PopupMenuRules, BorderStripsAndItemArea) {
    // Border strips of a 100 x 60 window.
    const auto strips = PopupBorderStrips(100, 60);
    EXPECT_EQ(strips[0].bottom, 3);
    EXPECT_EQ(strips[1].top, 57);
    EXPECT_EQ(strips[2].top, 3);
    EXPECT_EQ(strips[2].right, 3);
    EXPECT_EQ(strips[2].bottom, 57);
    EXPECT_EQ(strips[3].left, 97);
    EXPECT_EQ(strips[3].bottom, 57);
    const RECT inner = PopupItemArea(100, 60);
    EXPECT_EQ(inner.left + inner.top + inner.right + inner.bottom, 3 + 3 + 97 + 57);
}

TEST_F(PopupMenuTest, ItemsLieOnThePopupBackgroundOrOnMenuColour) {
    TPopupForm form(Application);
    TSkinShape shape;
    shape.TransparentItem = true;
    shape.MenuBackground = false;
    TSkinData* data = Load(&form, shape);
    PreparePopupMenus(&form, data, true);
    TBitmap dib(200, 44);
    TCanvas& c = dib.Canvas();
    DRAWITEMSTRUCT dis = DrawStruct(*form.Greyed, c.Handle(), RECT{0, 22, 200, 44}, false);
    // No MenuBackground picture: the transparent item shows MenuColour.
    ASSERT_TRUE(TMenuItem::HandleDrawItem(&dis));
    EXPECT_EQ(static_cast<uint32_t>(c.Pixel(192, 33)), ColorToRGB(kMenu));

    // With one: a popup window's skinner builds its image at the border paint,
    // the first item drawn names its menu, and items lie on that image.
    shape.MenuBackground = true;
    TSkinData* withBackground = Load(&form, shape);
    TSkinManage& m = *TSkinManage::Instance(true);
    m.RegisterSkinData(withBackground);
    m.SetActive(true);
    m.InstallHook();
    PreparePopupMenus(&form, withBackground, true);
    // The hook attaches the skinner when the window is made.
    HWND popup = CreateWindowExW(0, L"#32768", L"", WS_POPUP | WS_DLGFRAME, 0, 0, 220, 60, nullptr,
                                 nullptr, nullptr, nullptr);
    ASSERT_TRUE(m.IsPopupMenuSkinned(popup));
    EXPECT_EQ(SendMessageW(popup, SM_SKINNEDQUERY, 0, 0), 1);
    EXPECT_EQ(CurrentPopupSkinner(), nullptr);
    SendMessageW(popup, WM_NCPAINT, 1, 0);
    ASSERT_NE(CurrentPopupSkinner(), nullptr);
    EXPECT_EQ(m.PopupMenuImage(form.Popup->Handle()), nullptr);
    ASSERT_TRUE(TMenuItem::HandleDrawItem(&dis));
    EXPECT_EQ(CurrentPopupSkinner(), nullptr);
    const TBitmap* image = m.PopupMenuImage(form.Popup->Handle());
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->Width(), 220);
    EXPECT_EQ(image->Height(), 60);
    // The item rectangle is in client coordinates: the image is read at the
    // client area's place in the window.
    RECT window{};
    POINT origin{0, 0};
    GetWindowRect(popup, &window);
    ClientToScreen(popup, &origin);
    const int dx = origin.x - window.left, dy = origin.y - window.top;
    EXPECT_GT(dx, 0);
    for (POINT p : {POINT{192, 33}, POINT{193, 24}, POINT{100, 40}})
        EXPECT_EQ(static_cast<uint32_t>(c.Pixel(p.x, p.y)),
                  ColorToRGB(Background(p.x + dx, p.y + dy)));

    // The animation capture: the whole background, then the system's items
    // inside the border; the DC gets its mode back and no clip region.
    TBitmap capture(220, 60);
    HDC cdc = capture.Canvas().Handle();
    SetBkMode(cdc, OPAQUE);
    SendMessageW(popup, WM_PRINT, reinterpret_cast<WPARAM>(cdc), PRF_CLIENT | PRF_NONCLIENT);
    for (POINT p : {POINT{0, 0}, POINT{219, 59}, POINT{1, 30}, POINT{110, 2}, POINT{218, 57}})
        EXPECT_EQ(static_cast<uint32_t>(capture.Canvas().Pixel(p.x, p.y)),
                  ColorToRGB(Background(p.x, p.y)));
    EXPECT_EQ(GetBkMode(cdc), OPAQUE);
    TRegionHandle clip(CreateRectRgn(0, 0, 0, 0));
    EXPECT_EQ(GetClipRgn(cdc, clip.Get()), 0);

    DestroyWindow(popup);
    EXPECT_FALSE(m.IsPopupMenuSkinned(popup));
    EXPECT_EQ(m.PopupSkinnerCount(), 0);
}
namespace {

// What the timer saw of the open popup window.
struct TProbe {
    HWND Window = nullptr;
    bool Skinned = false;
    LRESULT Query = 0;
    bool OwnerMenuKnown = false;
    int BorderMismatches = -1;
    int BorderChecked = 0;
    int Ticks = 0;
    HMENU Menu = nullptr;
} gProbe;

BOOL CALLBACK FindPopupWindow(HWND wnd, LPARAM out) {
    if (WindowClassNameA(wnd) == "#32768" && IsWindowVisible(wnd)) {
        *reinterpret_cast<HWND*>(out) = wnd;
        return FALSE;
    }
    return TRUE;
}

// Compares the window's border pixels with the tiled background, then closes the menu.
void CALLBACK ProbePopup(HWND, UINT, UINT_PTR id, DWORD) {
    TSkinManage* m = TSkinManage::Instance(false);
    HWND popup = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), &FindPopupWindow, reinterpret_cast<LPARAM>(&popup));
    if (popup && m && ++gProbe.Ticks >= 2) {
        gProbe.Window = popup;
        gProbe.Skinned = m->IsPopupMenuSkinned(popup);
        gProbe.Query = SendMessageW(popup, SM_SKINNEDQUERY, 0, 0);
        RedrawWindow(popup, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
        gProbe.OwnerMenuKnown = m->PopupMenuImage(gProbe.Menu) != nullptr;
        RECT r{};
        GetWindowRect(popup, &r);
        const int w = r.right - r.left, h = r.bottom - r.top;
        TWindowDC dc(popup);
        gProbe.BorderMismatches = 0;
        for (const RECT& strip : PopupBorderStrips(w, h))
            for (int y = strip.top; y < strip.bottom; y += 3)
                for (int x = strip.left; x < strip.right; x += 5) {
                    ++gProbe.BorderChecked;
                    gProbe.BorderMismatches +=
                        GetPixel(dc.Handle(), x, y) != ColorToRGB(Background(x, y));
                }
    }
    if (gProbe.Window || ++gProbe.Ticks > 40) {
        KillTimer(nullptr, id);
        EndMenu();
    }
}

} // namespace

TEST_F(PopupMenuTest, RealPopupsGetASkinnerThroughTheHookAndASkinnedBorder) {
    TPopupForm form(Application);
    form.Show();
    TSkinData* data = Load(&form, {});
    auto* tagged = new TPopupMenu(&form);
    tagged->SetTag(99);
    TMenuItem* plain = form.Add(tagged->Items(), L"Plain");
    form.Add(tagged->Items(), L"Other");
    TSkinManage& m = *TSkinManage::Instance(true);
    m.RegisterSkinData(data);
    m.SetActive(true);
    m.InstallHook();
    PreparePopupMenus(&form, data, true);
    EXPECT_FALSE(HasSkinnedDrawing(*plain));

    for (TPopupMenu* menu : {form.Popup, tagged}) {
        SCOPED_TRACE(menu->Tag());
        gProbe = {};
        gProbe.Menu = menu->Handle();
        SetTimer(nullptr, 0, 150, ProbePopup);
        menu->Popup(300, 300);
        PumpPending();
        ASSERT_NE(gProbe.Window, nullptr);
        EXPECT_TRUE(gProbe.Skinned);
        EXPECT_EQ(gProbe.Query, 1);
        EXPECT_GT(gProbe.BorderChecked, 20);
        EXPECT_EQ(gProbe.BorderMismatches, 0);
        // Skinned items named the popup's menu; the framework's own drawing does not.
        EXPECT_EQ(gProbe.OwnerMenuKnown, menu == form.Popup);
        EXPECT_EQ(m.PopupSkinnerCount(), 0);
    }
    SetCurrentPopupSkinner(nullptr);
}
