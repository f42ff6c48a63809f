// The form skinner with MDI under Wine: a maximised child loses its frame
// and gets it back, and its buttons are painted in the frame's menu bar.
#include "tests/skin/window/form_skinner_fixture.h"

using namespace form_test;

TEST_F(FormSkinnerTest, MaximisedMDIChildLosesItsFrameAndGetsItBack) {
    TPlainForm frame(Application, 500, 360);
    ShowMDIFrame(frame);
    TWinSkinForm* fs = Skin(frame.Handle());
    ASSERT_NE(fs, nullptr);
    EXPECT_EQ(fs->MDIKind, kMDIFrame);
    HWND cw = AddMDIChild(frame, L"Child", 10, 10, 220, 140)->Handle();
    PumpUntil([&] { return M().FindFormSkinner(cw) != nullptr; }, 10000);
    auto* cs = dynamic_cast<TWinSkinForm*>(M().FindFormSkinner(cw));
    ASSERT_NE(cs, nullptr) << "the new MDI child is skinned through the MDI client";
    PumpUntil([cs] { return cs->State() == TFormSkinnerState::Skinned; }, 10000);
    EXPECT_EQ(cs->MDIKind, kMDIChild);
    const SIZE client = ClientSizeOf(cw);
    EXPECT_EQ(ClientOrigin(cw).y, cs->TitleHeight);

    SendMessageW(fs->MDIClientWindow, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(cw), 0);
    PumpPending();
    EXPECT_TRUE(M().MDIMaximized());
    EXPECT_TRUE(cs->NativeCaptionOn);
    TRegionHandle rgn(CreateRectRgn(0, 0, 0, 0));
    EXPECT_EQ(GetWindowRgn(cw, rgn.Get()), ERROR);
    // The child's three buttons stand in the frame's menu bar, right-aligned.
    ASSERT_GT(fs->MenuHeight, 0);
    SendMessageW(frame.Handle(), SM_REPAINTFRAME, 0, 0);
    int inBar = 0;
    for (auto& b : fs->Buttons())
        if (b->SkinButton->Visibility == 100 && b->Visible) {
            ++inBar;
            const int h = b->Bounds.bottom - b->Bounds.top;
            EXPECT_EQ(b->Bounds.top, fs->TitleHeight + (fs->MenuHeight - h) / 2);
            EXPECT_GT(b->Bounds.left, fs->FrameWidth / 2);
        }
    EXPECT_EQ(inBar, 3);

    // Restored through the frame's MDI restore button action.
    TWinSysButton* restore = nullptr;
    for (auto& b : fs->Buttons())
        if (b->SkinButton->Action == 8)
            restore = b.get();
    ASSERT_NE(restore, nullptr);
    fs->RunAction(restore, {0, 0});
    PumpPending();
    EXPECT_FALSE(M().MDIMaximized());
    EXPECT_FALSE(IsZoomed(cw));
    EXPECT_FALSE(cs->NativeCaptionOn);
    EXPECT_EQ(ClientOrigin(cw).y, cs->TitleHeight);
    EXPECT_EQ(ClientSizeOf(cw).cx, client.cx);
    EXPECT_EQ(ClientSizeOf(cw).cy, client.cy);
    TRegionHandle back(CreateRectRgn(0, 0, 0, 0));
    EXPECT_NE(GetWindowRgn(cw, back.Get()), ERROR);

    // The MDI client's own maximise and restore take the same way.
    SendMessageW(fs->MDIClientWindow, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(cw), 0);
    PumpPending();
    EXPECT_TRUE(M().MDIMaximized());
    SendMessageW(fs->MDIClientWindow, WM_MDIRESTORE, reinterpret_cast<WPARAM>(cw), 0);
    PumpPending();
    EXPECT_FALSE(M().MDIMaximized());
    EXPECT_FALSE(cs->NativeCaptionOn);
    TRegionHandle again(CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(GetWindowRgn(cw, again.Get()), ERROR);
    EXPECT_FALSE(PtInRegion(again.Get(), 0, 0));
    EXPECT_EQ(ClientSizeOf(cw).cx, client.cx);
    EXPECT_EQ(ClientSizeOf(cw).cy, client.cy);
}

// A maximised MDI child's buttons are painted in the frame's menu bar: every
// opaque pixel of each button picture's first frame lies on the screen at
// the button's place; restored, the bar shows no button there.
TEST_F(FormSkinnerTest, MaximisedMDIChildButtonsArePaintedInTheMenuBar) {
    TPlainForm frame(Application, 500, 360);
    ShowMDIFrame(frame);
    SetForegroundWindow(frame.Handle());
    TWinSkinForm* fs = Skin(frame.Handle());
    ASSERT_NE(fs, nullptr);
    TForm* child = AddMDIChild(frame, nullptr, 10, 10, 220, 140);
    SendMessageW(fs->MDIClientWindow, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(child->Handle()), 0);
    PumpUntil([&] { return IsZoomed(child->Handle()) != FALSE; }, 2000);
    SendMessageW(frame.Handle(), SM_REPAINTFRAME, 0, 0);

    // A button's opaque pixels of frame 1, at their places in the window.
    struct TPixel {
        int x, y;
        COLORREF colour;
    };
    auto opaquePixels = [](const TWinSysButton& b) {
        std::vector<TPixel> pixels;
        TBitmap& picture = b.SkinButton->Picture;
        for (int y = 0; y < picture.Height(); ++y)
            for (int x = 0; x < b.SkinButton->FrameWidth(); ++x)
                if (const COLORREF c = GetPixel(picture.Canvas().Handle(), x, y);
                    c != RGB(255, 0, 255))
                    pixels.push_back({b.Bounds.left + x, b.Bounds.top + y, c});
        return pixels;
    };
    auto shown = [&](const std::vector<TPixel>& pixels) {
        TWindowDC dc(frame.Handle());
        int same = 0;
        for (const TPixel& p : pixels)
            same += GetPixel(dc.Handle(), p.x, p.y) == p.colour;
        return same;
    };
    std::vector<std::vector<TPixel>> buttons;
    for (auto& b : fs->Buttons()) {
        if (b->SkinButton->Visibility != 100 || !b->Visible || b->SkinButton->Picture.Empty())
            continue;
        ASSERT_EQ(b->Bounds.right - b->Bounds.left, b->SkinButton->FrameWidth());
        ASSERT_EQ(b->Bounds.bottom - b->Bounds.top, b->SkinButton->Picture.Height());
        EXPECT_GE(b->Bounds.top, fs->TitleHeight);
        EXPECT_LE(b->Bounds.bottom, fs->TitleHeight + fs->MenuHeight);
        buttons.push_back(opaquePixels(*b));
        EXPECT_GT(buttons.back().size(), 20u);
        EXPECT_EQ(shown(buttons.back()), static_cast<int>(buttons.back().size()))
            << "action " << b->SkinButton->Action;
    }
    EXPECT_EQ(buttons.size(), 3u);

    // Restored: the same places show the bar, not the buttons.
    SendMessageW(fs->MDIClientWindow, WM_MDIRESTORE, reinterpret_cast<WPARAM>(child->Handle()), 0);
    PumpUntil([&] { return !IsZoomed(child->Handle()); }, 2000);
    SendMessageW(frame.Handle(), SM_REPAINTFRAME, 0, 0);
    for (const auto& pixels : buttons)
        EXPECT_LT(shown(pixels), static_cast<int>(pixels.size()) / 2);
}
