// Skinned menu items: the pure item rules, which menus the preparations
// make skinned, and items drawn pixel-exact into a DIB through real
// DRAWITEMSTRUCTs (framework and native items, separators, check marks,
// images, disabled colours), with a GDI count over a thousand draws.
#include "tests/skin/window/popup_fixture.h"

using namespace popup_test;

using MenuItemsTest = PopupMenuTest;

namespace {
// "left,top-right,bottom".
std::string Text(const RECT& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + "-" + std::to_string(r.right) +
           "," + std::to_string(r.bottom);
}
} // namespace

TEST(MenuItemRules, WidthsFramesColoursAndLayout) {
    EXPECT_EQ(MenuItemExtraWidth(3, true), 13);
    EXPECT_EQ(MenuItemExtraWidth(3, false), 38);
    EXPECT_EQ(PopupItemExtraWidth(0, true), 12);
    EXPECT_EQ(PopupItemExtraWidth(5, false), 40);
    EXPECT_EQ(NativeItemSize(50, 16, true, 3, false).cx, 79);
    EXPECT_EQ(NativeItemSize(50, 16, true, 3, false).cy, 20);
    EXPECT_EQ(NativeItemSize(0, 16, false, 0, false).cy, 8);
    EXPECT_EQ(NativeItemSize(0, 16, false, 0, true).cy, 12);
    EXPECT_EQ(MenuItemFrame(true), 4);
    EXPECT_EQ(MenuItemFrame(false), 1);
    EXPECT_EQ(MenuGlyphSize(0, false), 16);
    EXPECT_EQ(MenuGlyphSize(12, false), 12);
    EXPECT_EQ(MenuGlyphSize(12, true), 16);
    EXPECT_EQ(MenuGlyphSize(24, true), 24);

    const TMenuTextColours c{kHilightText, kMenuText, kShadow};
    EXPECT_EQ(MenuItemTextColour(c, true, false), kMenuText);
    EXPECT_EQ(MenuItemTextColour(c, true, true), kHilightText);
    EXPECT_EQ(MenuItemTextColour(c, false, true), kShadow);
    // A shadow that equals the text colour would hide the disabled state.
    EXPECT_EQ(MenuItemTextColour({kHilightText, kShadow, kShadow}, false, false), clBtnShadow);

    // Left to right: glyph box after the margin, text after it, shortcut to 10 before the end.
    TMenuItemLayout l =
        LayoutMenuItem({RECT{10, 20, 210, 42}, 3, 0, false, false, false, {40, 14}});
    EXPECT_TRUE(l.HasGlyph);
    EXPECT_EQ(Text(l.Glyph), "14,21-30,37");
    EXPECT_EQ(Text(l.Text), "33,24-209,38");
    EXPECT_EQ(Text(l.Shortcut), "73,24-199,38");
    EXPECT_EQ(l.Separator.top, 28);
    // Right to left: the glyph box at the right, the shortcut from the left.
    l = LayoutMenuItem({RECT{10, 20, 210, 42}, 3, 24, true, false, true, {40, 14}});
    EXPECT_EQ(Text(l.Glyph), "182,21-206,45");
    EXPECT_EQ(Text(l.Text), "11,24-179,38");
    EXPECT_EQ(Text(l.Shortcut), "21,24-139,38");
    // Separators have no glyph box.
    EXPECT_FALSE(LayoutMenuItem({RECT{0, 0, 100, 9}, 0, 0, false, true, false, {5, 13}}).HasGlyph);

    // The separator picture: frame 2's bottom part, all of it when lower than the item.
    EXPECT_EQ(Text(SeparatorSource(20, 20, 8)), "20,12-40,20");
    EXPECT_EQ(Text(SeparatorSource(20, 6, 8)), "20,0-40,6");
}

TEST_F(MenuItemsTest, PreparationsFollowTagsKindsAndOwnDrawing) {
    TPopupForm form(Application);
    TSkinData* data = Load(&form, {});
    auto* tagged = new TPopupMenu(&form);
    tagged->SetTag(199); // 199 mod 100 is the DisableTag 99
    TMenuItem* taggedItem = form.Add(tagged->Items(), L"Tagged");

    PreparePopupMenus(&form, data, true);
    EXPECT_TRUE(form.Popup->OwnerDraw());
    for (TMenuItem* item : {form.Open, form.Line, form.Checked, form.Pictured, form.Greyed})
        EXPECT_TRUE(HasSkinnedDrawing(*item) && item->OnMeasureItem);
    EXPECT_FALSE(tagged->OwnerDraw());
    EXPECT_FALSE(HasSkinnedDrawing(*taggedItem) || taggedItem->OnMeasureItem);
    EXPECT_FALSE(HasSkinnedDrawing(*form.Save));

    // Popup measuring: the framework's width + left margin 3 + 12 + 23 (no images).
    MEASUREITEMSTRUCT mis{ODT_MENU, 0, form.Open->Command(),
                          0,        0, reinterpret_cast<ULONG_PTR>(form.Open)};
    ASSERT_TRUE(TMenuItem::HandleMeasureItem(&mis));
    int width = 0, height = 0;
    {
        TClientDC screen(nullptr);
        TCanvas canvas(screen.Handle());
        canvas.Font().AssignLogFont(MenuLogFont());
        form.Open->MeasureItem(canvas, width, height);
    }
    EXPECT_EQ(static_cast<int>(mis.itemWidth), width + 3 + 12 + 23);
    EXPECT_EQ(static_cast<int>(mis.itemHeight), height);

    PreparePopupMenus(&form, data, false);
    EXPECT_FALSE(form.Popup->OwnerDraw());
    EXPECT_FALSE(HasSkinnedDrawing(*form.Open) || form.Open->OnMeasureItem);

    // Main menus (with xcMenuItem): items below the top level, but not those
    // that draw themselves.
    PrepareMainMenus(&form, data, true);
    EXPECT_FALSE(form.Main->OwnerDraw());
    TSkinControlTypes withItems = data->SkinControls();
    withItems.Include(xcMenuItem);
    data->SetSkinControls(withItems);
    PrepareMainMenus(&form, data, true);
    EXPECT_TRUE(form.Main->OwnerDraw());
    EXPECT_FALSE(HasSkinnedDrawing(*form.File));
    EXPECT_TRUE(HasSkinnedDrawing(*form.Save));
    EXPECT_FALSE(HasSkinnedDrawing(*form.Own));
    EXPECT_TRUE(form.Own->OnAdvancedDrawItem);
    // Menu measuring: the framework's width + 3 + 10 + 25.
    MEASUREITEMSTRUCT save{ODT_MENU, 0, form.Save->Command(),
                           0,        0, reinterpret_cast<ULONG_PTR>(form.Save)};
    ASSERT_TRUE(TMenuItem::HandleMeasureItem(&save));
    {
        TClientDC screen(nullptr);
        TCanvas canvas(screen.Handle());
        canvas.Font().AssignLogFont(MenuLogFont());
        form.Save->MeasureItem(canvas, width, height);
    }
    EXPECT_EQ(static_cast<int>(save.itemWidth), width + 3 + 10 + 25);
    PrepareMainMenus(&form, data, false);
    EXPECT_FALSE(HasSkinnedDrawing(*form.Save) || form.Save->OnMeasureItem);
    EXPECT_TRUE(form.Own->OnAdvancedDrawItem);

    // Without xcPopupMenu nothing changes.
    TSkinControlTypes kinds = data->SkinControls();
    kinds.Exclude(xcPopupMenu);
    data->SetSkinControls(kinds);
    PreparePopupMenus(&form, data, true);
    EXPECT_FALSE(HasSkinnedDrawing(*form.Open));

    // Control menus: the item and everything below it.
    PrepareMenuItem(data, form.File, true);
    EXPECT_TRUE(HasSkinnedDrawing(*form.File) && HasSkinnedDrawing(*form.Save) &&
                HasSkinnedDrawing(*form.Own));
    PrepareMenuItem(data, form.File, false);
    EXPECT_FALSE(HasSkinnedDrawing(*form.File) || HasSkinnedDrawing(*form.Own));

    // The system menu's items.
    auto sys = BuildSystemMenuPopup(nullptr, nullptr, true, true, [](int) {});
    PrepareSystemMenuPopup(*sys, data);
    for (int i = 0; i < sys->Items()->Count(); ++i)
        EXPECT_TRUE(HasSkinnedDrawing(*sys->Items()->Items(i)));
}

TEST_F(MenuItemsTest, FrameworkItemsDrawnPixelExact) {
    TPopupForm form(Application);
    TImageList images(16, 16, true);
    TSkinData* data = SkinWithImages(form, images);
    ASSERT_NE(MenuItemObject(data), nullptr);
    EXPECT_EQ(MenuItemObject(data)->FrameCount, 5);
    TBitmap dib(200, 22);
    TCanvas& c = dib.Canvas();
    const RECT rect{0, 0, 200, 22};
    auto draw = [&](TMenuItem& item, RECT r, bool selected) {
        DRAWITEMSTRUCT dis = DrawStruct(item, c.Handle(), r, selected);
        ASSERT_TRUE(TMenuItem::HandleDrawItem(&dis));
    };
    // Text area (after the glyph box) and a free spot between shortcut and right edge.
    const RECT text{23, 0, 150, 22};

    draw(*form.Open, rect, false);
    EXPECT_EQ(static_cast<uint32_t>(c.Pixel(192, 11)), ColorToRGB(kFrame1));
    EXPECT_EQ(static_cast<uint32_t>(c.Pixel(2, 2)), ColorToRGB(kFrame1));
    EXPECT_GT(CountText(c, text, kFrame1, kMenuText), 10);
    draw(*form.Open, rect, true);
    EXPECT_EQ(static_cast<uint32_t>(c.Pixel(192, 11)), ColorToRGB(kFrame4));
    EXPECT_GT(CountText(c, text, kFrame4, kHilightText), 10);
    EXPECT_EQ(CountText(c, text, kFrame4, kMenuText), 0);

    // A framework separator shows the separator picture over MenuColour.
    const RECT line{0, 0, 200, 10};
    draw(*form.Line, line, false);
    EXPECT_EQ(static_cast<uint32_t>(c.Pixel(1, 7)), ColorToRGB(kCap));
    EXPECT_EQ(static_cast<uint32_t>(c.Pixel(100, 7)), ColorToRGB(kBand));
    EXPECT_EQ(static_cast<uint32_t>(c.Pixel(198, 9)), ColorToRGB(kBand));
    EXPECT_EQ(static_cast<uint32_t>(c.Pixel(100, 2)), ColorToRGB(kMenu));
    EXPECT_EQ(static_cast<uint32_t>(c.Pixel(1, 3)), ColorToRGB(kMenu));
    EXPECT_EQ(Count(c, line, kFrame1), 0);

    // A checked item without an image: the system check mark in the text
    // colour, centred in the glyph box (4, 1)-(20, 17) and moved by (1, 1).
    draw(*form.Checked, rect, false);
    TBitmapHandle check(LoadBitmapW(nullptr, MAKEINTRESOURCEW(32760)));
    BITMAP bm{};
    ASSERT_TRUE(GetObjectW(check.Get(), sizeof bm, &bm));
    TMemoryDC mem(nullptr);
    TSelectObject sel(mem.Handle(), check.Get());
    const int x0 = 4 + (16 - bm.bmWidth) / 2 + 1, y0 = 1 + (16 - bm.bmHeight) / 2 + 1;
    int mismatches = 0, marks = 0;
    for (int y = 0; y < bm.bmHeight; ++y)
        for (int x = 0; x < bm.bmWidth; ++x) {
            const bool dark = GetPixel(mem.Handle(), x, y) == RGB(0, 0, 0);
            marks += dark;
            const TColor want = dark ? kMenuText : kFrame1;
            mismatches += static_cast<uint32_t>(c.Pixel(x0 + x, y0 + y)) != ColorToRGB(want);
        }
    EXPECT_GT(marks, 5);
    EXPECT_EQ(mismatches, 0);

    // A checked item with an image: dithered, sunken box, the image on top.
    draw(*form.Pictured, rect, false);
    const uint32_t shadow = GetSysColor(COLOR_BTNSHADOW), light = GetSysColor(COLOR_BTNHIGHLIGHT),
                   face = GetSysColor(COLOR_BTNFACE);
    EXPECT_EQ(static_cast<uint32_t>(c.Pixel(4, 1)), shadow);
    EXPECT_EQ(static_cast<uint32_t>(c.Pixel(4, 9)), shadow);
    EXPECT_EQ(static_cast<uint32_t>(c.Pixel(12, 16)), light);
    EXPECT_EQ(static_cast<uint32_t>(c.Pixel(19, 9)), light);
    const uint32_t d1 = c.Pixel(6, 3), d2 = c.Pixel(7, 3);
    EXPECT_TRUE((d1 == face && d2 == light) || (d1 == light && d2 == face));
    EXPECT_EQ(static_cast<uint32_t>(c.Pixel(12, 9)), 0x00008000u);
    // Disabled: the image embossed (no green left), the text in ButtonShadowColour.
    form.Pictured->SetEnabled(false);
    draw(*form.Pictured, rect, false);
    EXPECT_EQ(Count(c, RECT{4, 1, 20, 17}, 0x00008000), 0);
    draw(*form.Greyed, rect, false);
    EXPECT_GT(CountText(c, text, kFrame1, kShadow), 10);
    EXPECT_EQ(CountText(c, text, kFrame1, kMenuText), 0);
}

TEST_F(MenuItemsTest, DisabledTextStaysVisibleWhenShadowEqualsMenuText) {
    TPopupForm form(Application);
    TSkinShape shape;
    shape.ShadowIsMenuText = true;
    TSkinData* data = Load(&form, shape);
    ASSERT_EQ(data->MenuTextColour, data->ButtonShadowColour);
    PreparePopupMenus(&form, data, true);
    TBitmap dib(200, 22);
    TCanvas& c = dib.Canvas();
    DRAWITEMSTRUCT dis = DrawStruct(*form.Greyed, c.Handle(), RECT{0, 0, 200, 22}, false);
    ASSERT_TRUE(TMenuItem::HandleDrawItem(&dis));
    const RECT text{23, 0, 150, 22};
    EXPECT_EQ(CountText(c, text, kFrame1, kShadow), 0);
    EXPECT_GT(CountText(c, text, kFrame1, static_cast<TColor>(GetSysColor(COLOR_BTNSHADOW))), 10);
}

// The system menu in the real first skin and the real menu font: an enabled
// item's text is all in MenuText (black), a disabled one's in ButtonShadow, a
// selected enabled one's in HilightText, every text pixel exactly so; the
// small menu font is not smoothed toward the background, which made enabled
// text as pale as disabled text.
TEST_F(MenuItemsTest, SystemMenuTextInTheColourOfTheItemsState) {
    TPopupForm form(Application);
    auto* data = new TSkinData(&form);
    ASSERT_TRUE(model_test::LoadBytes(*data, model_test::ProjectSkin()));
    ASSERT_NE(MenuItemObject(data), nullptr);
    auto sys = BuildSystemMenuPopup(nullptr, nullptr, true, true, [](int) {});
    PrepareSystemMenuPopup(*sys, data);
    TSystemMenuFacts facts; // a normal, sizeable window: Restore alone is disabled
    facts.Sizeable = facts.MaxBox = facts.MinBox = true;
    EnableSystemMenuItems(*sys, facts);
    TBitmap dib(200, 22);
    TCanvas& c = dib.Canvas();
    const RECT rect{0, 0, 200, 22};
    // Pixels of the item's text area in `colour`, after drawing it.
    auto textPixels = [&](TMenuItem& item, bool selected, TColor colour) {
        DRAWITEMSTRUCT dis = DrawStruct(item, c.Handle(), rect, selected);
        EXPECT_TRUE(TMenuItem::HandleDrawItem(&dis));
        const TMenuItemLayout layout =
            LayoutMenuItem({rect, MenuItemObject(data)->LeftWidth, 0, false, false, false,
                            CaptionSize(item.Caption())});
        return Count(c, RECT{layout.Text.left, 0, 200, 22}, colour);
    };
    const TColor text = data->MenuTextColour, shadow = data->ButtonShadowColour,
                 hilight = data->HilightTextColour;
    ASSERT_NE(ColorToRGB(text), ColorToRGB(shadow));
    int enabled = 0;
    for (int i = 0; i < sys->Items()->Count(); ++i) {
        TMenuItem& item = *sys->Items()->Items(i);
        if (item.IsLine())
            continue;
        SCOPED_TRACE(std::string(item.Caption().begin(), item.Caption().end()));
        enabled += item.Enabled();
        const TColor want = item.Enabled() ? text : shadow, other = item.Enabled() ? shadow : text;
        EXPECT_GT(textPixels(item, false, want), 30);
        EXPECT_EQ(textPixels(item, false, other), 0);
        if (item.Enabled()) {
            EXPECT_GT(textPixels(item, true, hilight), 30);
        }
    }
    EXPECT_EQ(enabled, 5); // Move, Size, Maximize, Minimize, Close
}

TEST_F(MenuItemsTest, NativeItemsMeasuredAndDrawnFromTheirMenu) {
    TSkinData* data = Load(nullptr, {});
    HMENU native = CreatePopupMenu();
    AppendMenuA(native, MF_STRING | MF_OWNERDRAW, 5000, nullptr);
    ModifyMenuA(native, 5000, MF_BYCOMMAND | MF_STRING, 5000, "Native");
    AppendMenuA(native, MF_SEPARATOR, 5001, nullptr);
    TMenuOwnerContext ctx;
    ctx.SkinData = data;
    ctx.OpenMenu = native;
    bool fixed = false;
    MEASUREITEMSTRUCT mis{ODT_MENU, 0, 5000, 0, 16, 0};
    ASSERT_TRUE(MeasureOwnerDrawnItem(ctx, mis, fixed));
    const SIZE text = CaptionSize(L"Native");
    EXPECT_EQ(static_cast<int>(mis.itemWidth), text.cx + 26 + 3);
    EXPECT_EQ(mis.itemHeight, 20u);
    MEASUREITEMSTRUCT sep{ODT_MENU, 0, 5001, 0, 16, 0};
    ASSERT_TRUE(MeasureOwnerDrawnItem(ctx, sep, fixed));
    EXPECT_EQ(sep.itemHeight, 8u);
    EXPECT_FALSE(fixed);
    MEASUREITEMSTRUCT other{ODT_LISTBOX, 0, 5000, 0, 16, 0};
    EXPECT_FALSE(MeasureOwnerDrawnItem(ctx, other, fixed));

    // A native separator: the MenuItem frame with an etched line.
    TBitmap dib(200, 10);
    TCanvas& c = dib.Canvas();
    DRAWITEMSTRUCT dis{ODT_MENU,   0,
                       5001,       ODA_DRAWENTIRE,
                       0,          reinterpret_cast<HWND>(native),
                       c.Handle(), RECT{0, 0, 200, 10},
                       0};
    ASSERT_TRUE(DrawOwnerDrawnItem(ctx, dis));
    const TMenuItemLayout l =
        LayoutMenuItem({RECT{0, 0, 200, 10}, 3, 0, false, true, false, CaptionSize(L"-")});
    EXPECT_EQ(static_cast<uint32_t>(c.Pixel(100, l.Separator.top)), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(static_cast<uint32_t>(c.Pixel(100, l.Separator.top + 1)),
              GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(static_cast<uint32_t>(c.Pixel(5, 9)), ColorToRGB(kFrame1));
    // A framework form leaves unknown framework identifiers to the previous handling.
    ctx.FrameworkForm = true;
    DRAWITEMSTRUCT unknown = dis;
    unknown.itemID = 4095;
    EXPECT_FALSE(DrawOwnerDrawnItem(ctx, unknown));
    DestroyMenu(native);
    delete data;
}
TEST_F(MenuItemsTest, HundredItemDrawsLeakNothing) {
    TPopupForm form(Application);
    TImageList images(16, 16, true);
    TSkinData* data = SkinWithImages(form, images);
    TBitmap dib(200, 22);
    HDC dc = dib.Canvas().Handle();
    TMenuItem* items[] = {form.Open, form.Line, form.Checked, form.Pictured, form.Greyed};
    TMenuItem native(nullptr);
    native.SetCaption(L"-");
    auto drawAll = [&](int i) {
        DRAWITEMSTRUCT dis = DrawStruct(*items[i % 5], dc, RECT{0, 0, 200, 22}, i % 2 == 0);
        TMenuItem::HandleDrawItem(&dis);
        TCanvas canvas(dc);
        DrawNativeItem(data, nullptr, native, i % 3 == 0, RECT{0, 0, 200, 10}, canvas);
        DrawPlainItem(data, *items[i % 5], canvas, RECT{0, 0, 200, 22}, i % 2 == 1);
    };
    for (int i = 0; i < 10; ++i)
        drawAll(i); // the skin pictures' own canvases are made once
    const int before = GdiLiveTotal();
    const int64_t made = GdiCreatedCount(TGdiKind::Bitmap);
    for (int i = 0; i < 100; ++i)
        drawAll(i);
    EXPECT_EQ(GdiLiveTotal(), before);
    EXPECT_GT(GdiCreatedCount(TGdiKind::Bitmap) - made, 100);
}
