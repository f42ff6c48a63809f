// Caption buttons and title-bar objects: the four-state mouse protocol, the
// visibility rules, layout by Align, frame choice, hit order, resting and
// state paint (pixels, into a bitmap and into a real window), the system
// menu's popup, and the project's skin laid out in a 640-wide window.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/gdi/gdi_handles.h"
#include "framework/gdi/image_list.h"
#include "framework/ui/menus.h"
#include "skin/window/caption_buttons.h"
#include "tests/framework/ui/ui_test_util.h"
#include "tests/skin/model/model_fixture.h"

namespace {

constexpr COLORREF kBackground = 0x00101010;
constexpr COLORREF kIconColour = 0x0000C0C0;

// A title-bar owner over a real borderless window; the icon it draws is a
// 4 x 4 square of kIconColour, and every call is recorded.
class TTestOwner : public TNCObjectOwner {
public:
    TTestOwner() {
        WNDCLASSW wc{};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"CaptionButtonsTest";
        RegisterClassW(&wc);
        wnd_ = CreateWindowExW(WS_EX_TOPMOST, wc.lpszClassName, L"", WS_POPUP | WS_VISIBLE, 0, 0,
                               200, 100, nullptr, nullptr, wc.hInstance, nullptr);
        PumpPending();
    }
    ~TTestOwner() override { DestroyWindow(wnd_); }
    TNCObject* HotObject() const override { return hot_; }
    void SetHotObject(TNCObject* object) override { hot_ = object; }
    HWND Window() const override { return wnd_; }
    void DrawWindowIcon(HDC dc, POINT at) override {
        icons.push_back(at);
        iconDCs.push_back(dc);
        RECT r{at.x, at.y, at.x + 4, at.y + 4};
        TBrushHandle brush(CreateSolidBrush(kIconColour));
        FillRect(dc, &r, brush.Get());
    }
    COLORREF WindowPixel(int x, int y) const {
        TWindowDC dc(wnd_);
        return GetPixel(dc.Handle(), x, y);
    }
    void FillWindow(COLORREF colour) const {
        TWindowDC dc(wnd_);
        RECT r{0, 0, 200, 100};
        TBrushHandle brush(CreateSolidBrush(colour));
        FillRect(dc.Handle(), &r, brush.Get());
    }

    std::vector<POINT> icons;
    std::vector<HDC> iconDCs;

private:
    HWND wnd_ = nullptr;
    TNCObject* hot_ = nullptr;
};

// A plain object that records its paints as "name:state".
class TRecordingObject : public TNCObject {
public:
    TRecordingObject(TNCObjectOwner* owner, std::string name, std::vector<std::string>& log)
        : TNCObject(owner), name_(std::move(name)), log_(log) {
        Visible = true;
    }
    void Paint() override { log_.push_back(name_ + ":" + std::to_string(State)); }

private:
    std::string name_;
    std::vector<std::string>& log_;
};

// A caption button whose picture holds one solid frame of each colour,
// frameWidth x height each.
std::unique_ptr<TDataSkinSysButton> SolidButton(std::vector<COLORREF> colours, int frameWidth = 10,
                                                int height = 8) {
    auto b = std::make_unique<TDataSkinSysButton>("SOLID");
    const int n = static_cast<int>(colours.size());
    auto bytes = model_test::Bmp24(frameWidth * n, height, [&](int x, int) {
        return static_cast<uint32_t>(colours[static_cast<size_t>(x / frameWidth)]);
    });
    b->Picture.LoadFromBmpBytes(bytes.data(), bytes.size());
    b->FrameCount = n;
    return b;
}

const std::vector<COLORREF> kFour{0x000000FF, 0x0000FF00, 0x00FF0000, 0x00808000};

// Every pixel of r in the bitmap has the colour (counts mismatches).
int Mismatches(TBitmap& bmp, RECT r, COLORREF colour) {
    int bad = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            bad += model_test::PixelOf(bmp, x, y) != colour;
    return bad;
}

} // namespace

TEST(CaptionButtons, FourStateProtocol) {
    TTestOwner owner;
    std::vector<std::string> log;
    TRecordingObject a(&owner, "A", log), b(&owner, "B", log), hidden(&owner, "H", log);
    hidden.Visible = false;

    a.MouseMove(); // enters A
    a.MouseMove(); // already hot: nothing
    EXPECT_EQ(owner.HotObject(), &a);
    a.MouseDown();
    EXPECT_EQ(a.State, kNCPressed);
    b.MouseMove(); // pressed on A, moved to B: A leaves
    EXPECT_EQ(a.State, kNCNormal);
    EXPECT_EQ(b.State, kNCHot);
    EXPECT_EQ(owner.HotObject(), &b);
    a.MouseUp(); // release on a non-hot object: it lights, the hot object stays
    EXPECT_EQ(owner.HotObject(), &b);
    EXPECT_EQ(a.State, kNCHot);
    EXPECT_EQ(log, (std::vector<std::string>{"A:3", "A:2", "A:1", "B:3", "A:3"}));

    // An invisible object makes the hot one leave but takes nothing itself.
    log.clear();
    hidden.MouseMove();
    EXPECT_EQ(owner.HotObject(), nullptr);
    b.MouseDown();
    hidden.MouseDown();
    hidden.MouseUp();
    hidden.MouseLeave();
    EXPECT_EQ(hidden.State, kNCNormal);
    EXPECT_EQ(owner.HotObject(), nullptr);
    EXPECT_EQ(log, (std::vector<std::string>{"B:1", "B:2", "B:1"}));
    // Pressing the hot object itself keeps it hot.
    a.MouseMove();
    a.MouseDown();
    EXPECT_EQ(owner.HotObject(), &a);
    EXPECT_EQ(b.State, kNCNormal);
}

// Named window facts of the visibility tests.
struct TFactsSet {
    TFactsSet() {
        all.MaxBox = all.MinBox = all.SystemMenu = true;
        maxed = inactive = dialog = sysDialog = mdi = boxes = all;
        maxed.WindowState = 1;
        inactive.Active = false;
        dialog.BorderKind = sysDialog.BorderKind = 3;
        sysDialog.SystemDialog = true;
        mdi.MDIChildMaximized = true;
        mdiNoMenu = mdi;
        mdi.MenuHeight = 19;
        boxes.SystemMenu = false;
    }
    TCaptionFacts n;   // normal, active, no boxes, no system menu
    TCaptionFacts all; // every box and the system menu
    TCaptionFacts maxed, inactive, dialog, sysDialog, mdi, mdiNoMenu, boxes;
};

TEST(CaptionButtons, VisibilityTable) {
    struct Row {
        int visibility, visibility1;
        TCaptionFacts facts;
        bool expected;
    };
    const TFactsSet f;
    const auto &n = f.n, &all = f.all, &maxed = f.maxed, &inactive = f.inactive;
    const auto &dialog = f.dialog, &sysDialog = f.sysDialog, &mdi = f.mdi;
    const auto &mdiNoMenu = f.mdiNoMenu, &boxes = f.boxes;
    // Visibility rows (Visibility1 0), then Visibility1 rows (Visibility 201
    // makes the first condition true, 5 makes it false).
    // clang-format off
    const Row rows[] = {
        {0, 0, n, true}, {1, 0, maxed, true}, {1, 0, all, false}, {2, 0, all, true},
        {2, 0, maxed, false}, {3, 0, all, true}, {3, 0, inactive, false}, {4, 0, inactive, true},
        {4, 0, all, false}, {5, 0, all, false}, {6, 0, all, true}, {6, 0, n, false},
        {7, 0, n, true}, {7, 0, all, false}, {8, 0, all, true}, {9, 0, n, true},
        {9, 0, all, false}, {10, 0, all, false}, {99, 0, all, false}, {100, 0, mdi, true},
        {100, 0, mdiNoMenu, false}, {100, 0, all, false}, {150, 0, all, false},
        {200, 0, dialog, true}, {200, 0, sysDialog, false}, {200, 0, all, false},
        {201, 0, n, true}, {999, 0, n, true}, {2001, 0, all, false}, {-1, 0, all, false},
        {201, 1, maxed, true}, {201, 1, all, false}, {201, 2, all, true}, {201, 2, maxed, false},
        {201, 3, inactive, false}, {201, 4, inactive, true}, {201, 5, all, false},
        {201, 6, all, true}, {201, 6, n, false}, {201, 7, n, true}, {201, 8, all, true},
        {201, 8, n, false}, {201, 9, n, true}, {201, 10, all, false}, {201, 150, all, false},
        {201, 100, all, true}, {5, 100, all, false}, {201, 200, dialog, false},
        {200, 200, dialog, false}, {201, 201, all, false}, {201, 2000, all, false},
        {201, 2001, all, false}, {201, -1, all, false},
        {6, 0, boxes, false}, {8, 0, boxes, false}, {201, 6, boxes, true}, {201, 8, boxes, true}};
    // clang-format on
    int asks = 0;
    auto ask = [&asks]() -> LRESULT { return ++asks, 1; };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << r.visibility << "/" << r.visibility1);
        TDataSkinSysButton b;
        b.Action = 5;
        b.Visibility = r.visibility;
        b.Visibility1 = r.visibility1;
        EXPECT_EQ(CaptionButtonVisible(b, r.facts, ask), r.expected);
    }
    EXPECT_EQ(asks, 0);
}

TEST(CaptionButtons, ApplicationQueryAndActionOverrides) {
    const TFactsSet f;
    int asks = 0;
    auto ask = [&asks]() -> LRESULT { return ++asks, 1; };
    // 1000..2000 ask once and use the answer.
    TDataSkinSysButton app;
    app.Action = 5;
    for (int v : {1000, 1500, 2000}) {
        app.Visibility = v;
        LRESULT answer = 1;
        asks = 0;
        auto answering = [&]() -> LRESULT { return ++asks, answer; };
        EXPECT_TRUE(CaptionButtonVisible(app, f.n, answering));
        answer = 0;
        EXPECT_FALSE(CaptionButtonVisible(app, f.n, answering));
        EXPECT_EQ(asks, 2);
    }
    asks = 0;

    // Close with Visibility 0 needs a system menu; other actions do not.
    TDataSkinSysButton close;
    EXPECT_FALSE(CaptionButtonVisible(close, f.n, ask));
    EXPECT_TRUE(CaptionButtonVisible(close, f.all, ask));
    // Maximise needs a maximise box and minimise a minimise box, whatever
    // their Visibility; icon buttons hide on dialogs.
    TDataSkinSysButton b;
    b.Visibility = 201;
    TCaptionFacts noMax = f.all, noMin = f.all;
    noMax.MaxBox = false;
    noMin.MinBox = false;
    const struct {
        int action;
        TCaptionFacts facts;
        bool expected;
    } overrides[] = {{1, noMax, false},     {1, noMin, true},      {2, noMin, false},
                     {2, noMax, true},      {22, noMax, true},     {3, f.dialog, false},
                     {11, f.dialog, false}, {12, f.dialog, false}, {12, f.all, true},
                     {0, f.dialog, true}};
    for (const auto& o : overrides) {
        SCOPED_TRACE(o.action);
        b.Action = o.action;
        EXPECT_EQ(CaptionButtonVisible(b, o.facts, ask), o.expected);
    }
    EXPECT_EQ(asks, 0);
}

TEST(CaptionButtons, RectangleByAlign) {
    auto b = SolidButton({1, 2, 3}, 20, 16); // 20 x 16 buttons
    TCaptionLayout l;
    l.Width = 300;
    l.TextRect = RECT{40, 4, 200, 24};
    l.TitleHeight = 30;
    l.MenuHeight = 19;
    l.LeftWidth = 4;
    l.RightWidth = 6;
    l.MenuBarMargin = 2;
    b->XCoord = 25;
    b->YCoord = 5;
    const struct {
        int align;
        RECT expected;
    } rows[] = {{0, {25, 5, 45, 21}},      {1, {275, 5, 295, 21}}, {2, {-5, 5, 15, 21}},
                {8, {-5, 5, 15, 21}},      {3, {225, 5, 245, 21}}, {9, {225, 5, 245, 21}},
                {100, {267, 31, 287, 47}}, {4, {0, 0, 20, 16}},    {-1, {0, 0, 20, 16}}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.align);
        b->Align = r.align;
        RECT got = CaptionButtonRect(*b, l);
        EXPECT_TRUE(EqualRect(&got, &r.expected))
            << got.left << "," << got.top << "," << got.right << "," << got.bottom;
    }
    // Menu bar, right to left; a button taller than the bar rounds toward zero.
    b->Align = 100;
    l.RightToLeft = true;
    l.MenuHeight = 15; // (15 - 16) div 2 = 0
    RECT rtl = CaptionButtonRect(*b, l);
    RECT expected{31, 30, 51, 46};
    EXPECT_TRUE(EqualRect(&rtl, &expected));
}

TEST(CaptionButtons, LayoutAndTextClip) {
    // Only visible buttons with a picture are laid out; the clip is the
    // largest left edge of the Align 1 buttons, else the previous value.
    TCaptionLayout l;
    l.Width = 300;
    TTestOwner owner;
    std::vector<std::unique_ptr<TWinSysButton>> buttons;
    auto close = SolidButton({1, 2, 3}, 21, 21);
    auto max = SolidButton({1, 2, 3}, 21, 21);
    auto empty = std::make_unique<TDataSkinSysButton>("EMPTY");
    auto hidden = SolidButton({1, 2, 3}, 21, 21);
    close->Align = max->Align = empty->Align = hidden->Align = 1;
    close->XCoord = 25;
    max->XCoord = 48;
    hidden->XCoord = 10;
    for (TDataSkinSysButton* s : {max.get(), close.get(), empty.get(), hidden.get()}) {
        buttons.push_back(std::make_unique<TWinSysButton>(&owner, s));
        buttons.back()->Visible = s != hidden.get();
        buttons.back()->Bounds = RECT{-9, -9, -9, -9};
    }
    EXPECT_EQ(LayoutCaptionButtons(buttons, l, 77), 275);
    EXPECT_EQ(buttons[0]->Bounds.left, 252);
    EXPECT_EQ(buttons[1]->Bounds.right, 296);
    EXPECT_EQ(buttons[2]->Bounds.left, -9);
    EXPECT_EQ(buttons[3]->Bounds.left, -9);
    close->Align = max->Align = 0;
    EXPECT_EQ(LayoutCaptionButtons(buttons, l, 77), 77);
    close->Align = 1;
    close->XCoord = 400; // left edge -100: not above 0
    EXPECT_EQ(LayoutCaptionButtons(buttons, l, 77), 77);
}

TEST(CaptionButtons, FrameChoiceAndHitOrder) {
    auto three = SolidButton({1, 2, 3});
    auto four = SolidButton(kFour);
    EXPECT_EQ(CaptionRestingFrame(*three, true), 1);
    EXPECT_EQ(CaptionRestingFrame(*three, false), 1);
    EXPECT_EQ(CaptionRestingFrame(*four, true), 1);
    EXPECT_EQ(CaptionRestingFrame(*four, false), 4);
    for (int s : {kNCNormal, kNCPressed, kNCHot})
        EXPECT_EQ(CaptionStateFrame(*four, s), s);
    four->Visibility = 100;
    EXPECT_EQ(CaptionStateFrame(*four, kNCNormal), 1);
    EXPECT_EQ(CaptionStateFrame(*four, kNCPressed), 2);
    EXPECT_EQ(CaptionStateFrame(*four, kNCHot), 4);

    TTestOwner owner;
    TDataSkinSysButton s0, s1, s2, s3;
    s0.Action = -1; // never hit
    std::vector<std::unique_ptr<TWinSysButton>> buttons;
    for (TDataSkinSysButton* s : {&s0, &s1, &s2, &s3}) {
        buttons.push_back(std::make_unique<TWinSysButton>(&owner, s));
        buttons.back()->Visible = true;
        buttons.back()->Bounds = RECT{10, 10, 30, 30};
    }
    buttons[1]->Visible = false;
    buttons[3]->Bounds = RECT{25, 10, 50, 30};
    EXPECT_EQ(FindCaptionButton(buttons, POINT{27, 15}), buttons[2].get());
    EXPECT_EQ(FindCaptionButton(buttons, POINT{40, 15}), buttons[3].get());
    EXPECT_EQ(FindCaptionButton(buttons, POINT{50, 15}), nullptr); // right edge is outside
    EXPECT_EQ(FindCaptionButton(buttons, POINT{5, 15}), nullptr);
    buttons[2]->Visible = false;
    EXPECT_EQ(FindCaptionButton(buttons, POINT{27, 15}), buttons[3].get());
}

// Four buttons over the test owner: a four-frame and a three-frame solid
// picture, an MDI child button and an icon button, all visible.
class CaptionPaint : public ::testing::Test {
protected:
    CaptionPaint() {
        mdi->Visibility = 100;
        icon->Action = 11;
        TDataSkinSysButton* skins[] = {four.get(), three.get(), mdi.get(), icon.get()};
        for (int i = 0; i < 4; ++i) {
            buttons.push_back(std::make_unique<TWinSysButton>(&owner, skins[i]));
            buttons.back()->Visible = true;
            buttons.back()->Bounds = bounds[i];
        }
    }
    TTestOwner owner;
    std::unique_ptr<TDataSkinSysButton> four = SolidButton(kFour);
    std::unique_ptr<TDataSkinSysButton> three = SolidButton({0x00112233, 0x00445566, 0x00778899});
    std::unique_ptr<TDataSkinSysButton> mdi = SolidButton(kFour);
    std::unique_ptr<TDataSkinSysButton> icon = SolidButton({0x00FFFFFF}, 16, 16);
    const RECT bounds[4] = {{5, 5, 25, 21}, {30, 5, 40, 13}, {50, 5, 60, 13}, {70, 5, 86, 21}};
    std::vector<std::unique_ptr<TWinSysButton>> buttons;
};

TEST_F(CaptionPaint, RestingLookIntoBitmap) {
    // Resting look into a bitmap: frame 1 active, frame 4 inactive (only with
    // four frames); the MDI button is left to the menu bar; the icon button
    // goes through the owner at its top-left.
    TBitmap bmp(100, 30);
    for (bool active : {true, false}) {
        SCOPED_TRACE(active);
        bmp.Canvas().Brush().SetColor(kBackground);
        RECT all{0, 0, 100, 30};
        bmp.Canvas().FillRect(all);
        owner.icons.clear();
        PaintCaptionButtons(bmp.Canvas().Handle(), buttons, active, owner);
        EXPECT_EQ(Mismatches(bmp, bounds[0], active ? kFour[0] : kFour[3]), 0);
        EXPECT_EQ(Mismatches(bmp, bounds[1], 0x00112233), 0);
        EXPECT_EQ(Mismatches(bmp, bounds[2], kBackground), 0);
        ASSERT_EQ(owner.icons.size(), 1u);
        EXPECT_EQ(owner.icons[0].x, 70);
        EXPECT_EQ(owner.icons[0].y, 5);
        EXPECT_EQ(model_test::PixelOf(bmp, 71, 6), kIconColour);
        EXPECT_EQ(model_test::PixelOf(bmp, 80, 15), kBackground);
    }
    // Invisible buttons are not painted.
    for (auto& b : buttons)
        b->Visible = false;
    owner.icons.clear();
    bmp.Canvas().FillRect(RECT{0, 0, 100, 30});
    PaintCaptionButtons(bmp.Canvas().Handle(), buttons, true, owner);
    EXPECT_EQ(Mismatches(bmp, RECT{0, 0, 100, 30}, kBackground), 0);
    EXPECT_TRUE(owner.icons.empty());
}

TEST_F(CaptionPaint, StateLookIntoWindowWithoutLeaks) {
    // State look straight into the window: the state's frame, 4 for a hot
    // MDI button; nothing while invisible; the icon through the owner.
    owner.FillWindow(kBackground);
    TWinSysButton& b0 = *buttons[0];
    TWinSysButton& m = *buttons[2];
    for (int s : {kNCNormal, kNCPressed, kNCHot}) {
        b0.State = m.State = s;
        b0.Paint();
        m.Paint();
        EXPECT_EQ(owner.WindowPixel(15, 13), kFour[static_cast<size_t>(s - 1)]);
        EXPECT_EQ(owner.WindowPixel(55, 9), kFour[static_cast<size_t>(s == kNCHot ? 3 : s - 1)]);
    }
    buttons[1]->Visible = false;
    buttons[1]->State = kNCPressed;
    buttons[1]->Paint();
    EXPECT_EQ(owner.WindowPixel(35, 9), kBackground);
    buttons[3]->Paint();
    ASSERT_EQ(owner.icons.size(), 1u);
    EXPECT_EQ(owner.icons[0].x, 70);
    EXPECT_EQ(owner.icons[0].y, 5);
    EXPECT_NE(owner.iconDCs[0], nullptr);
    EXPECT_EQ(owner.WindowPixel(72, 7), kIconColour);

    // A hundred state paints and resting paints leak nothing, and each state
    // paint takes and gives back one counted window DC.
    TBitmap bmp(100, 30);
    PaintCaptionButtons(bmp.Canvas().Handle(), buttons, true, owner);
    const int live = GdiLiveTotal();
    const int64_t windowDCs = GdiCreatedCount(TGdiKind::WindowDC);
    for (int i = 0; i < 100; ++i) {
        b0.State = 1 + i % 3;
        b0.Paint();
        PaintCaptionButtons(bmp.Canvas().Handle(), buttons, i % 2 == 0, owner);
    }
    EXPECT_EQ(GdiLiveTotal(), live);
    EXPECT_GE(GdiCreatedCount(TGdiKind::WindowDC) - windowDCs, 100);
}

TEST(CaptionButtons, SystemMenuPopup) {
    TComponent owner(nullptr);
    TImageList glyphs(16, 16);
    std::vector<int> clicks;
    auto menu = BuildSystemMenuPopup(&owner, &glyphs, true, true,
                                     [&clicks](int tag) { clicks.push_back(tag); });
    EXPECT_EQ(owner.ComponentCount(), 1);
    EXPECT_EQ(menu->Owner(), &owner);
    EXPECT_EQ(menu->Tag(), kSystemMenuTag);
    EXPECT_TRUE(menu->OwnerDraw());
    EXPECT_EQ(menu->Images(), glyphs.Handle());
    const std::wstring captions[] = {L" Restore ",  L" Move ", L" Size ", L" Maximize ",
                                     L" Minimize ", L"-",      L" Close "};
    const int tags[] = {0, 4, 5, 1, 2, 100, 3};
    const int images[] = {0, -1, -1, 1, 2, 100, 3};
    TMenuItem* root = menu->Items();
    ASSERT_EQ(root->Count(), 7);
    for (int i = 0; i < 7; ++i) {
        SCOPED_TRACE(i);
        TMenuItem* item = root->Items(i);
        EXPECT_EQ(item->Caption(), captions[i]);
        EXPECT_EQ(item->Tag(), tags[i]);
        EXPECT_EQ(item->ImageIndex(), images[i]);
        EXPECT_EQ(item->ShortCut(), i == 6 ? ShortCut(VK_F4, TShiftState{ssShift}) : 0);
        item->Click();
    }
    EXPECT_EQ(ShortCutToText(root->Items(6)->ShortCut()), L"Shift+F4");
    EXPECT_EQ(clicks, (std::vector<int>{0, 4, 5, 1, 2, 100, 3}));
    // The native popup holds the seven entries, owner drawn.
    HMENU h = menu->Handle();
    ASSERT_EQ(GetMenuItemCount(h), 7);
    MENUITEMINFOW mii{};
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_FTYPE;
    ASSERT_TRUE(GetMenuItemInfoW(h, 0, TRUE, &mii));
    EXPECT_TRUE(mii.fType & MFT_OWNERDRAW);

    // Enabling by window state (normal, maximised, minimised) and by the
    // sizing frame: restore, move, size, maximise, minimise, close.
    struct Case {
        int state;
        bool sizeable;
        bool enabled[6];
    };
    const Case cases[] = {{0, true, {false, true, true, true, true, true}},
                          {0, false, {false, true, false, true, true, true}},
                          {1, true, {true, false, false, false, true, true}},
                          {2, true, {true, true, false, true, false, true}}};
    const int at[] = {0, 1, 2, 3, 4, 6};
    for (const Case& c : cases) {
        TSystemMenuFacts facts;
        facts.WindowState = c.state;
        facts.Sizeable = c.sizeable;
        EnableSystemMenuItems(*menu, facts);
        for (int j = 0; j < 6; ++j) {
            SCOPED_TRACE(testing::Message() << c.state << "/" << c.sizeable << "/" << j);
            EXPECT_EQ(root->Items(at[j])->Enabled(), c.enabled[j]);
            const UINT native = GetMenuState(h, static_cast<UINT>(at[j]), MF_BYPOSITION);
            EXPECT_EQ((native & MF_DISABLED) == 0, c.enabled[j]);
        }
    }
    clicks.clear();
    root->Items(4)->Click(); // disabled while minimised
    EXPECT_TRUE(clicks.empty());
    menu.reset();
    EXPECT_EQ(owner.ComponentCount(), 0);
}

TEST(CaptionButtons, SystemMenuWithoutBoxes) {
    // Without the boxes their items are absent; without them the commands
    // are greyed on the native menu too.
    TComponent owner(nullptr);
    auto bare = BuildSystemMenuPopup(&owner, nullptr, false, false, nullptr);
    ASSERT_EQ(bare->Items()->Count(), 5);
    const int tags[] = {kSysMenuRestore, kSysMenuMove, kSysMenuSize, kSysMenuSeparator,
                        kSysMenuClose};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(bare->Items()->Items(i)->Tag(), tags[i]);
    TSystemMenuFacts facts;
    facts.WindowState = 1;
    facts.MaxBox = facts.MinBox = false;
    EnableSystemMenuItems(*bare, facts);
    EXPECT_TRUE(bare->Items()->Items(0)->Enabled());
    bare->Items()->Items(4)->Click(); // no handler: nothing happens

    HMENU native = CreatePopupMenu();
    for (UINT command : {SC_RESTORE, SC_MOVE, SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE, SC_CLOSE})
        AppendMenuW(native, MF_STRING, command, L"x");
    auto grey = [native](UINT command) {
        return (GetMenuState(native, command, MF_BYCOMMAND) & MF_GRAYED) != 0;
    };
    facts.WindowState = 0;
    EnableNativeSystemMenu(native, facts);
    EXPECT_TRUE(grey(SC_RESTORE));
    EXPECT_FALSE(grey(SC_MOVE));
    EXPECT_FALSE(grey(SC_SIZE));
    EXPECT_TRUE(grey(SC_MINIMIZE)) << "no minimise box";
    EXPECT_TRUE(grey(SC_MAXIMIZE)) << "no maximise box";
    EXPECT_FALSE(grey(SC_CLOSE));
    facts.WindowState = 1;
    facts.MaxBox = facts.MinBox = true;
    EnableNativeSystemMenu(native, facts);
    EXPECT_FALSE(grey(SC_RESTORE));
    EXPECT_TRUE(grey(SC_MOVE));
    EXPECT_TRUE(grey(SC_SIZE));
    EXPECT_FALSE(grey(SC_MINIMIZE));
    EXPECT_TRUE(grey(SC_MAXIMIZE));
    DestroyMenu(native);
}

TEST(CaptionButtons, ProjectSkinIn640WideWindow) {
    TSkinData data(nullptr);
    ASSERT_TRUE(model_test::LoadBytes(data, model_test::ProjectSkin()));
    TTestOwner owner;
    std::vector<std::unique_ptr<TWinSysButton>> buttons;
    for (auto& s : data.CaptionButtons)
        buttons.push_back(std::make_unique<TWinSysButton>(&owner, s.get()));
    auto layOut = [&](const TCaptionFacts& facts, const TCaptionLayout& layout) {
        for (auto& b : buttons)
            b->Visible = CaptionButtonVisible(*b->SkinButton, facts, [] { return LRESULT{0}; });
        return LayoutCaptionButtons(buttons, layout, 0);
    };
    TCaptionFacts facts;
    facts.MaxBox = facts.MinBox = facts.SystemMenu = true;
    TCaptionLayout layout;
    layout.Width = 640;
    layout.TitleHeight = 30;
    layout.RightWidth = 6;
    EXPECT_EQ(layOut(facts, layout), 615);
    // Close, maximise, (restore hidden), minimise, icon (no picture), MDI hidden.
    const bool visible[] = {true, true, false, true, true, false, false, false};
    ASSERT_EQ(buttons.size(), 8u);
    for (size_t i = 0; i < 8; ++i)
        EXPECT_EQ(buttons[i]->Visible, visible[i]) << i;
    const RECT expected[] = {{615, 5, 636, 26}, {592, 5, 613, 26}, {0, 0, 0, 0}, {569, 5, 590, 26}};
    for (size_t i : {0u, 1u, 3u}) {
        SCOPED_TRACE(i);
        EXPECT_TRUE(EqualRect(&buttons[i]->Bounds, &expected[i]));
    }
    EXPECT_EQ(FindCaptionButton(buttons, POINT{620, 10}), buttons[0].get());
    EXPECT_EQ(FindCaptionButton(buttons, POINT{614, 10}), nullptr);

    // The resting close button is frame 1 of its picture, pixel for pixel.
    TBitmap bmp(640, 30);
    PaintCaptionButtons(bmp.Canvas().Handle(), buttons, true, owner);
    TBitmap& pic = data.CaptionButtons[0]->Picture;
    int bad = 0;
    for (int y = 0; y < 21; ++y)
        for (int x = 0; x < 21; ++x)
            bad += model_test::PixelOf(bmp, 615 + x, 5 + y) != model_test::PixelOf(pic, x, y);
    EXPECT_EQ(bad, 0);

    // Maximised: restore instead of maximise; in an MDI frame whose child is
    // maximised the three MDI buttons sit in the menu bar.
    facts.WindowState = 1;
    facts.MDIChildMaximized = true;
    facts.MenuHeight = layout.MenuHeight = 19;
    layout.MenuBarMargin = 1;
    layOut(facts, layout);
    EXPECT_FALSE(buttons[1]->Visible);
    EXPECT_TRUE(buttons[2]->Visible);
    const int mdiLeft[] = {640 - 57 - 6 - 1, 640 - 38 - 6 - 1, 640 - 19 - 6 - 1};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const TWinSysButton& b = *buttons[5 + static_cast<size_t>(i)];
        EXPECT_TRUE(b.Visible);
        RECT want{mdiLeft[i], 32, mdiLeft[i] + 15, 47};
        EXPECT_TRUE(EqualRect(&b.Bounds, &want));
    }
}
