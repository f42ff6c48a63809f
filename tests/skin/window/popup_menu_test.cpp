// Popup menus: the pure item rules, which menus the preparations make
// skinned, items drawn pixel-exact into a DIB through real DRAWITEMSTRUCTs
// (framework and native items, separators, check marks, images, disabled
// colours, the popup background or MenuColour under them), and real popup
// windows under Wine: a TWinSkinPopMenu attached through the manager's CBT
// hook and its border painted from the skin.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "framework/gdi/bitmap.h"
#include "framework/gdi/canvas.h"
#include "framework/gdi/color.h"
#include "framework/gdi/gdi_handles.h"
#include "framework/gdi/image_list.h"
#include "framework/gdi/screen_text.h"
#include "framework/ui/form.h"
#include "framework/ui/menus.h"
#include "framework/ui/messages.h"
#include "skin/window/caption_buttons.h"
#include "skin/window/form_skinner.h"
#include "skin/window/menu_items.h"
#include "skin/window/popup_menu.h"
#include "skin/window/skin_manager.h"
#include "tests/framework/ui/ui_test_util.h"
#include "tests/skin/model/model_fixture.h"

namespace {

// Skin colours ([Colours] "R G B" gives 0x00BBGGRR).
constexpr TColor kMenu = 0x00302010;        // Menu 16 32 48
constexpr TColor kMenuText = 0x00F0E0D0;    // MenuText 208 224 240
constexpr TColor kHilight = 0x00203040;     // Hilight 64 48 32
constexpr TColor kHilightText = 0x0000FFFF; // HilightText 255 255 0
constexpr TColor kShadow = 0x00A0A0FF;      // ButtonShadow 255 160 160
// MenuItem picture (5 frames of 20 x 20): frame 1 kFrame1, frame 4 kFrame4;
// frame 2 magenta above row 14 and, from row 14 down, kCap in its 3 left
// columns and kBand elsewhere.
constexpr TColor kFrame1 = 0x00A05000;
constexpr TColor kFrame4 = 0x000060C0;
constexpr TColor kCap = 0x00003399;
constexpr TColor kBand = 0x00336600;
constexpr TColor kMagenta = 0x00FF00FF;
constexpr int kItemMargin = 3;

// MenuBackground 8 x 8, tiled: pixel (x, y) of the popup is Background(x % 8, y % 8).
TColor Background(int x, int y) {
    return 0x00400000u | static_cast<TColor>((y % 8) * 20 + 10) << 8 |
           static_cast<TColor>((x % 8) * 20 + 10);
}

struct TSkinShape {
    bool MenuItem = true;
    bool MenuBackground = true;
    bool TransparentItem = false; // frame 1 all magenta, drawn with Trans
    bool ShadowIsMenuText = false;
};

std::vector<uint8_t> PopupSkin(const TSkinShape& s) {
    std::string ini = "[Colours]\nMenu=16 32 48\nHilight=64 48 32\nHilightText=255 255 0\n";
    ini += s.ShadowIsMenuText ? "MenuText=255 160 160\n" : "MenuText=208 224 240\n";
    ini += "ButtonShadow=255 160 160\n";
    std::vector<TSkinArchiveFile> files;
    if (s.MenuItem) {
        ini += "[MenuItem]\nImage=item.bmp\nLeftWidth=3\nRightWidth=3\n";
        ini += s.TransparentItem ? "Trans=1\n" : "";
        const bool clear = s.TransparentItem;
        files.push_back(model_test::Entry(
            "item.bmp", model_test::Bmp24(100, 20, [clear](int x, int y) -> uint32_t {
                const int frame = x / 20 + 1;
                if (frame == 1)
                    return clear ? kMagenta : kFrame1;
                if (frame == 2)
                    return y < 14 ? kMagenta : (x - 20 < 3 ? kCap : kBand);
                return frame == 4 ? kFrame4 : 0x00777777u;
            })));
    }
    if (s.MenuBackground) {
        ini += "[MenuBackground]\nImage=bg.bmp\nTile=1\n";
        files.push_back(model_test::Entry(
            "bg.bmp",
            model_test::Bmp24(8, 8, [](int x, int y) -> uint32_t { return Background(x, y); })));
    }
    files.insert(files.begin(), model_test::IniEntry(ini));
    return PackSkinArchive(files);
}

// A form owning a popup menu: Open (Ctrl+O), a separator, Checked (checked),
// Pictured (checked, image 0), Greyed (disabled) and Main (default).
class TPopupForm : public TForm {
public:
    explicit TPopupForm(TComponent* owner) : TForm(owner) {
        SetBounds(150, 150, 300, 200);
        Popup = new TPopupMenu(this);
        Open = Add(Popup->Items(), L"&Open");
        Open->SetShortCut(ShortCut('O', TShiftState{ssCtrl}));
        Line = Add(Popup->Items(), L"-");
        Checked = Add(Popup->Items(), L"Checked");
        Checked->SetChecked(true);
        Pictured = Add(Popup->Items(), L"Pictured");
        Pictured->SetChecked(true);
        Pictured->SetImageIndex(0);
        Greyed = Add(Popup->Items(), L"Greyed");
        Greyed->SetEnabled(false);
        Main = new TMainMenu(this);
        File = Add(Main->Items(), L"&File");
        Save = Add(File, L"&Save");
        Own = Add(File, L"Own");
        Own->OnAdvancedDrawItem = [](TObject*, TCanvas*, RECT, TOwnerDrawState) {};
    }
    TMenuItem* Add(TMenuItem* parent, const wchar_t* caption) {
        auto* item = new TMenuItem(this);
        item->SetCaption(caption);
        parent->Add(item);
        return item;
    }
    TPopupMenu* Popup;
    TMainMenu* Main;
    TMenuItem *Open, *Line, *Checked, *Pictured, *Greyed, *File, *Save, *Own;
};

// A real DRAWITEMSTRUCT for a framework item drawn into `dc`.
DRAWITEMSTRUCT DrawStruct(TMenuItem& item, HDC dc, RECT rect, bool selected) {
    DRAWITEMSTRUCT dis{};
    dis.CtlType = ODT_MENU;
    dis.itemID = item.Command();
    dis.itemAction = ODA_DRAWENTIRE;
    dis.itemState = selected ? ODS_SELECTED : 0;
    dis.hwndItem = reinterpret_cast<HWND>(item.Parent() ? item.Parent()->Handle() : nullptr);
    dis.hDC = dc;
    dis.rcItem = rect;
    dis.itemData = reinterpret_cast<ULONG_PTR>(&item);
    return dis;
}

int Count(TCanvas& c, const RECT& r, TColor colour) {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            n += static_cast<uint32_t>(c.Pixel(x, y)) == ColorToRGB(colour);
    return n;
}

// Pixels of text drawn in `text` over `background`: the font is smoothed,
// so a text pixel is `background` blended at least half way toward `text`,
// the same fraction in every channel.
int CountText(TCanvas& c, const RECT& r, TColor background, TColor text) {
    const uint32_t b = ColorToRGB(background), t = ColorToRGB(text);
    auto ch = [](uint32_t v, int i) { return static_cast<int>((v >> (8 * i)) & 0xFF); };
    int widest = 0;
    for (int i = 1; i < 3; ++i)
        if (std::abs(ch(t, i) - ch(b, i)) > std::abs(ch(t, widest) - ch(b, widest)))
            widest = i;
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) {
            const uint32_t p = static_cast<uint32_t>(c.Pixel(x, y));
            const double a =
                double(ch(p, widest) - ch(b, widest)) / (ch(t, widest) - ch(b, widest));
            bool fits = a >= 0.5 && a <= 1.0;
            for (int i = 0; i < 3 && fits; ++i)
                fits = std::abs(ch(p, i) - (ch(b, i) + a * (ch(t, i) - ch(b, i)))) <= 4;
            n += fits;
        }
    return n;
}

// The caption's size as the content drawing measures it.
SIZE CaptionSize(const std::wstring& caption) {
    const LOGFONTW lf = MenuLogFont();
    TFontHandle font(CreateFontIndirectW(&lf));
    TScreenTextDC dc(font.Get());
    const RECT r = dc.MeasureText(caption, RECT{}, DT_NOCLIP | DT_SINGLELINE | DT_EXPANDTABS);
    return {r.right - r.left, r.bottom - r.top};
}

class PopupMenuTest : public ::testing::Test {
protected:
    void SetUp() override {
        TSkinManage::Finalize();
        TSkinManage::Install();
        InstallPopupMenuSkins();
    }
    void TearDown() override {
        TSkinManage::Finalize();
        TSkinManage::SetPopupSkinnerFactory(nullptr);
        TWinSkinForm::SetSkinnedSystemMenu(false);
    }
    TSkinData* Load(TComponent* owner, const TSkinShape& shape) {
        auto* d = new TSkinData(owner);
        EXPECT_TRUE(model_test::LoadBytes(*d, PopupSkin(shape)));
        return d;
    }
    // 16 x 16 masked images: image 0 is green in its middle 8 x 8, transparent around.
    static void AddImages(TPopupForm& form, TImageList& images) {
        TBitmap image(16, 16);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                image.Canvas().SetPixel(
                    x, y, x >= 4 && x < 12 && y >= 4 && y < 12 ? 0x00008000 : kMagenta);
        images.AddMasked(image, kMagenta);
        form.Popup->SetImages(images.Handle());
    }
};

} // namespace

TEST(PopupMenuRules, WidthsFramesColoursAndLayout) {
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
    EXPECT_EQ(l.Glyph.left, 14);
    EXPECT_EQ(l.Glyph.top, 21);
    EXPECT_EQ(l.Glyph.right, 30);
    EXPECT_EQ(l.Glyph.bottom, 37);
    EXPECT_EQ(l.Text.left, 33);
    EXPECT_EQ(l.Text.right, 209);
    EXPECT_EQ(l.Text.top, 24);
    EXPECT_EQ(l.Text.bottom, 38);
    EXPECT_EQ(l.Shortcut.left, 73);
    EXPECT_EQ(l.Shortcut.right, 199);
    EXPECT_EQ(l.Separator.top, 28);
    // Right to left: the glyph box at the right, the shortcut from the left.
    l = LayoutMenuItem({RECT{10, 20, 210, 42}, 3, 24, true, false, true, {40, 14}});
    EXPECT_EQ(l.Glyph.right, 206);
    EXPECT_EQ(l.Glyph.left, 182);
    EXPECT_EQ(l.Text.left, 11);
    EXPECT_EQ(l.Text.right, 179);
    EXPECT_EQ(l.Shortcut.left, 21);
    EXPECT_EQ(l.Shortcut.right, 139);
    // Separators have no glyph box.
    EXPECT_FALSE(LayoutMenuItem({RECT{0, 0, 100, 9}, 0, 0, false, true, false, {5, 13}}).HasGlyph);

    // The separator picture: frame 2's bottom part, all of it when lower than the item.
    RECT s = SeparatorSource(20, 20, 8);
    EXPECT_EQ(s.left, 20);
    EXPECT_EQ(s.right, 40);
    EXPECT_EQ(s.top, 12);
    EXPECT_EQ(s.bottom, 20);
    s = SeparatorSource(20, 6, 8);
    EXPECT_EQ(s.top, 0);
    EXPECT_EQ(s.bottom, 6);

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

TEST_F(PopupMenuTest, PreparationsFollowTagsKindsAndOwnDrawing) {
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

TEST_F(PopupMenuTest, FrameworkItemsDrawnPixelExact) {
    TPopupForm form(Application);
    TSkinData* data = Load(&form, {});
    TImageList images(16, 16, true);
    AddImages(form, images);
    PreparePopupMenus(&form, data, true);
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

TEST_F(PopupMenuTest, DisabledTextStaysVisibleWhenShadowEqualsMenuText) {
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

TEST_F(PopupMenuTest, NativeItemsMeasuredAndDrawnFromTheirMenu) {
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
        PumpMessages(50);
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

TEST_F(PopupMenuTest, ThousandItemDrawsLeakNothing) {
    TPopupForm form(Application);
    TSkinData* data = Load(&form, {});
    TImageList images(16, 16, true);
    AddImages(form, images);
    PreparePopupMenus(&form, data, true);
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
    for (int i = 0; i < 1000; ++i)
        drawAll(i);
    EXPECT_EQ(GdiLiveTotal(), before);
    EXPECT_GT(GdiCreatedCount(TGdiKind::Bitmap) - made, 1000);
}
