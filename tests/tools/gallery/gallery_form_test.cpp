// The gallery window under Wine: every page with its controls and their
// states, the MDI frame with its children, a screenshot of a page, skin
// switching through the menu commands without leaking GDI objects, and a
// bad skin file leaving the gallery unskinned with the reason recorded.
#include "framework/ui/win32.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <map>
#include <memory>

#include "framework/gdi/gdi_handles.h"
#include "framework/stdctrls/std_tabs.h"
#include "framework/ui/menus.h"
#include "skin/model/skin_data.h"
#include "skin/window/skin_manager.h"
#include "tests/framework/ui/ui_test_util.h"
#include "tools/gallery/gallery_capture.h"
#include "tools/gallery/gallery_form.h"
#include "tools/gallery/gallery_options.h"
#include "tools/gallery/gallery_watch.h"
#include "framework/core/ansi.h"

namespace {
using TClassCounts = std::map<std::string, int>;

std::unique_ptr<TForm_Gallery> NewGallery() {
    TSkinManage::Install();
    auto form = std::make_unique<TForm_Gallery>(Application);
    form->Show();
    PumpPending();
    return form;
}

// Direct children of a page by class name.
TClassCounts CountByClass(TWinControl& page) {
    TClassCounts counts;
    for (int i = 0; i < page.ControlCount(); ++i)
        ++counts[std::string(page.Controls(i)->ClassName())];
    return counts;
}

LONG Style(TForm& form, const char* name) {
    auto* c = dynamic_cast<TWinControl*>(form.FindComponent(name));
    return c ? GetWindowLongW(c->Handle(), GWL_STYLE) : 0;
}

HWND HandleOf(TForm& form, const char* name) {
    auto* c = dynamic_cast<TWinControl*>(form.FindComponent(name));
    return c ? c->Handle() : nullptr;
}

std::array<int, static_cast<int>(TGdiKind::Count)> LiveCounts() {
    std::array<int, static_cast<int>(TGdiKind::Count)> counts{};
    for (int k = 0; k < static_cast<int>(TGdiKind::Count); ++k)
        counts[k] = GdiLiveCount(static_cast<TGdiKind>(k));
    return counts;
}

void Click(TForm& form, const char* item) {
    auto* m = dynamic_cast<TMenuItem*>(form.FindComponent(item));
    ASSERT_NE(m, nullptr) << item;
    m->Click();
}
// The skin manager the gallery installs goes with each test, while the
// application object still exists.
class GalleryForm : public ::testing::Test {
protected:
    void TearDown() override { TSkinManage::Finalize(); }
};
} // namespace

// Fourteen pages in order, each with the controls of its family.
TEST_F(GalleryForm, EveryPageWithItsControls) {
    auto form = NewGallery();
    ASSERT_EQ(form->Pages->PageCount(), 14);
    const std::vector<TClassCounts> expected = {
        {{"TButton", 4}, {"TBitBtn", 3}, {"TSpeedButton", 4}},
        {{"TCheckBox", 5}, {"TRadioButton", 3}, {"TRadioGroup", 1}},
        {{"TEdit", 3}, {"TMemo", 1}, {"TDateTimePicker", 2}, {"TRichEdit", 1}},
        {{"TListBox", 3}},
        {{"TComboBox", 4}},
        {{"TScrollBar", 3}, {"TEdit", 1}, {"TUpDown", 2}, {"TScrollBox", 1}},
        {{"TPageControl", 4}, {"TTabControl", 1}, {"TTabSet", 1}},
        {{"TProgressBar", 3}, {"TTrackBar", 3}},
        {{"TPanel", 3}, {"TGroupBox", 2}},
        {{"TListView", 1}, {"THeaderControl", 1}, {"TTreeView", 1}},
        {{"TToolBar", 1}},
        {{"TButton", 1}},
        {{"TButton", 1}},
        {{"TButton", 1}}};
    for (int i = 0; i < 14; ++i) {
        TTabSheet* page = form->Pages->Pages(i);
        EXPECT_EQ(page->Caption(), GalleryPageNames()[i]);
        EXPECT_EQ(CountByClass(*page), expected[i]) << "page " << i;
        ASSERT_TRUE(form->ShowPage(GalleryPageNames()[i]));
        EXPECT_EQ(form->Pages->ActivePageIndex(), i);
    }
    EXPECT_FALSE(form->ShowPage(L"Nothing"));
    auto* tools = dynamic_cast<TWinControl*>(form->FindComponent("Tool_Bar"));
    ASSERT_NE(tools, nullptr);
    EXPECT_EQ(CountByClass(*tools), (TClassCounts{{"TToolButton", 5}}));
}

// The states each page is there to show, read from the platform controls.
TEST_F(GalleryForm, ControlStates) {
    auto form = NewGallery();
    form->ShowPage(L"Buttons");
    PumpPending();
    EXPECT_EQ(Style(*form, "Button_Default") & 0x0F, BS_DEFPUSHBUTTON);
    EXPECT_FALSE(IsWindowEnabled(HandleOf(*form, "Button_Disabled")));
    form->ShowPage(L"Checks");
    EXPECT_EQ(SendMessageW(HandleOf(*form, "Check_On"), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageW(HandleOf(*form, "Check_Off"), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(SendMessageW(HandleOf(*form, "Check_Grayed"), BM_GETCHECK, 0, 0), BST_INDETERMINATE);
    EXPECT_EQ(SendMessageW(HandleOf(*form, "Radio_On"), BM_GETCHECK, 0, 0), BST_CHECKED);
    form->ShowPage(L"Lists");
    PumpPending();
    EXPECT_GT(SendMessageW(HandleOf(*form, "List_Scrolled"), LB_GETTOPINDEX, 0, 0), 0);
    form->ShowPage(L"Tabs");
    EXPECT_FALSE(Style(*form, "Tabs_Top") & (TCS_BOTTOM | TCS_VERTICAL));
    EXPECT_EQ(Style(*form, "Tabs_Bottom") & (TCS_BOTTOM | TCS_VERTICAL), TCS_BOTTOM);
    EXPECT_EQ(Style(*form, "Tabs_Left") & (TCS_RIGHT | TCS_VERTICAL), TCS_VERTICAL);
    EXPECT_EQ(Style(*form, "Tabs_Right") & (TCS_RIGHT | TCS_VERTICAL), TCS_VERTICAL | TCS_RIGHT);
    auto* tabSet = dynamic_cast<TTabSet*>(form->FindComponent("TabSet_Many"));
    ASSERT_NE(tabSet, nullptr);
    EXPECT_EQ(tabSet->Tabs().Count(), 10);
    form->ShowPage(L"Progress");
    EXPECT_FALSE(Style(*form, "Progress_Smooth") & PBS_VERTICAL);
    EXPECT_TRUE(Style(*form, "Progress_Vert") & PBS_VERTICAL);
    EXPECT_FALSE(Style(*form, "Track_Horz") & TBS_VERT);
    EXPECT_TRUE(Style(*form, "Track_Vert") & TBS_VERT);
}

// The MDI button opens a frame whose MDI client holds three child windows;
// the gallery stays the application's main form.
TEST_F(GalleryForm, MdiFrameWithChildren) {
    auto form = NewGallery();
    form->ShowPage(L"MDI");
    TCustomForm* main = Application->MainForm();
    form->OpenMdi();
    PumpPending();
    ASSERT_NE(form->MdiFrame(), nullptr);
    EXPECT_EQ(Application->MainForm(), main);
    HWND client = form->MdiFrame()->ClientHandle();
    ASSERT_NE(client, nullptr);
    int children = 0;
    for (HWND c = GetWindow(client, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        children += (GetWindowLongW(c, GWL_EXSTYLE) & WS_EX_MDICHILD) ? 1 : 0;
    EXPECT_EQ(children, 3);
    form->OpenMdi(); // again: the same frame (three children and its menu)
    EXPECT_EQ(form->MdiFrame()->ComponentCount(), 4);
}

// A picture of the window is its size and holds more than one colour; the
// saved file is a PNG of that image.
TEST_F(GalleryForm, ScreenshotOfAPage) {
    auto form = NewGallery();
    form->ShowPage(L"Progress");
    PumpPending();
    RECT r;
    GetWindowRect(form->Handle(), &r);
    // The screen shows the page once the platform has put the painted
    // window there (on its own time under the X server).
    TPngImage img;
    int differing = 0;
    PumpUntil(
        [&] {
            img = CaptureWindow(form->Handle());
            differing = 0;
            for (size_t i = 3; i < img.pixels.size(); i += 3)
                differing += img.pixels[i] != img.pixels[0] ? 1 : 0;
            return differing > 1000;
        },
        10000);
    EXPECT_EQ(img.width, r.right - r.left);
    EXPECT_EQ(img.height, r.bottom - r.top);
    EXPECT_GT(differing, 1000);
    wchar_t dir[MAX_PATH];
    GetTempPathW(MAX_PATH, dir);
    const std::wstring path = std::wstring(dir) + L"gallery_test.png";
    ASSERT_TRUE(SavePng(path, img));
    std::FILE* f = _wfopen(path.c_str(), L"rb");
    ASSERT_NE(f, nullptr);
    unsigned char head[8] = {};
    EXPECT_EQ(std::fread(head, 1, 8, f), 8u);
    std::fseek(f, 0, SEEK_END);
    EXPECT_EQ(std::ftell(f), static_cast<long>(EncodePng(img).size()));
    std::fclose(f);
    DeleteFileW(path.c_str());
    EXPECT_EQ(head[1], 'P');
    EXPECT_EQ(head[7], '\n');
}

// XPLuna -> Graphite -> ... fifty times through the Skin menu: the skin
// really changes each time, and every GDI counter ends where it started
// (exactly: one object left behind per switch shows as a hundred).
TEST_F(GalleryForm, SkinSwitchingLeavesNoGdiObjects) {
    auto form = NewGallery();
    ASSERT_TRUE(form->Skins().UseEmbedded(TGallerySkin::XPLuna));
    form->Skins().SetSkinning(true);
    PumpPending();
    const std::string xpluna = form->SkinData_Gallery->SkinName;
    const auto before = LiveCounts();
    for (int i = 0; i < 50; ++i) {
        Click(*form, "Menu_Graphite");
        ASSERT_EQ(form->Skins().Current(), TGallerySkin::Graphite);
        if (i == 0) {
            EXPECT_NE(form->SkinData_Gallery->SkinName, xpluna);
        }
        Click(*form, "Menu_XPLuna");
        ASSERT_EQ(form->Skins().Current(), TGallerySkin::XPLuna);
        PumpPending();
    }
    PumpPending();
    EXPECT_EQ(form->SkinData_Gallery->SkinName, xpluna);
    EXPECT_TRUE(form->Skins().Skinning());
    EXPECT_EQ(LiveCounts(), before);
    // Skinning off and on again from the menu.
    Click(*form, "Menu_Skinning");
    EXPECT_FALSE(form->SkinData_Gallery->Active());
    Click(*form, "Menu_Skinning");
    EXPECT_TRUE(form->SkinData_Gallery->Active());
    auto* tick = dynamic_cast<TMenuItem*>(form->FindComponent("Menu_XPLuna"));
    EXPECT_TRUE(tick && tick->Checked());
}

// A file that is not a skin archive, and a missing file: skinning is off and
// the reason names the file.
TEST_F(GalleryForm, BadSkinFileLeavesGalleryUnskinned) {
    auto form = NewGallery();
    ASSERT_TRUE(form->Skins().UseEmbedded(TGallerySkin::XPLuna));
    form->Skins().SetSkinning(true);
    wchar_t dir[MAX_PATH];
    GetTempPathW(MAX_PATH, dir);
    const std::wstring bad = std::wstring(dir) + L"gallery_bad.skn";
    std::FILE* f = _wfopen(bad.c_str(), L"wb");
    ASSERT_NE(f, nullptr);
    std::fputs("this is not a packed skin archive, just text", f);
    std::fclose(f);
    EXPECT_FALSE(form->Skins().UseFile(bad));
    DeleteFileW(bad.c_str());
    EXPECT_EQ(form->Skins().Current(), TGallerySkin::None);
    EXPECT_FALSE(form->Skins().Skinning());
    EXPECT_NE(form->Skins().Message().find(bad), std::wstring::npos);
    EXPECT_EQ(form->Skins().Message().rfind(L"Not a packed skin archive", 0), 0u);

    const std::wstring missing = std::wstring(dir) + L"no_such_skin.skn";
    EXPECT_FALSE(form->Skins().UseFile(missing));
    EXPECT_EQ(form->Skins().Message(), L"Skin file not found: " + missing);
    form->Skins().SetSkinning(true); // nothing loaded: stays off
    EXPECT_FALSE(form->Skins().Skinning());
}

namespace {
std::string ReadAll(const std::wstring& path) {
    std::FILE* f = _wfopen(path.c_str(), L"rb");
    std::string s;
    if (!f)
        return s;
    char buf[4096];
    for (size_t n; (n = std::fread(buf, 1, sizeof buf, f)) > 0;)
        s.append(buf, n);
    std::fclose(f);
    return s;
}
void WriteAll(const std::wstring& path, const std::string& s) {
    std::FILE* f = _wfopen(path.c_str(), L"wb");
    ASSERT_NE(f, nullptr);
    std::fwrite(s.data(), 1, s.size(), f);
    std::fclose(f);
}
} // namespace

// --skin FOLDER --watch: an edited line is in the model soon after it is
// saved; an edit the checker calls an error is refused with its message in
// the status line and the last good skin stays; mending it loads again.
TEST_F(GalleryForm, WatchedFolderReloadsAndRefusesBrokenEdits) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring dir =
        std::wstring(temp) + L"gallery_watch_" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(dir.c_str(), nullptr);
    const std::wstring source = AnsiToWideText(LT_GRAPHITE_DIR);
    WIN32_FIND_DATAW found{};
    HANDLE find = FindFirstFileW((source + L"\\*.*").c_str(), &found);
    ASSERT_NE(find, INVALID_HANDLE_VALUE);
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            CopyFileW((source + L"\\" + found.cFileName).c_str(),
                      (dir + L"\\" + found.cFileName).c_str(), FALSE);
    } while (FindNextFileW(find, &found));
    FindClose(find);
    const std::wstring ini = dir + L"\\graphite.ini";
    const std::string good = ReadAll(ini);

    auto form = NewGallery();
    ASSERT_TRUE(form->Skins().UseFolder(dir))
        << std::string(WideToAnsiText(form->Skins().Message()));
    form->Skins().SetSkinning(true);
    TSkinData& data = *form->SkinData_Gallery;
    EXPECT_EQ(data.ButtonFaceColour, 0x00423D3Au); // 58 61 66
    TSkinFolderWatch watch(*form, dir);

    // An edited colour: reloaded.
    std::string edited = good;
    edited.replace(edited.find("ButtonFace=58 61 66"), 19, "ButtonFace=70 80 90");
    const DWORD start = GetTickCount();
    WriteAll(ini, edited);
    ASSERT_TRUE(PumpUntil([&] { return data.ButtonFaceColour == 0x005A5046u; }, 10000));
    std::printf("reloaded after %lu ms\n", GetTickCount() - start);
    EXPECT_EQ(watch.Refusals(), 0);
    EXPECT_EQ(watch.StatusText().rfind(L"Reloaded ", 0), 0u) << WideToAnsiText(watch.StatusText());

    // A colour that does not parse and a truncated picture: refused, the
    // last good skin stays, the checker's messages are in the status line.
    std::string broken = edited;
    broken.replace(broken.find("ButtonFace=70 80 90"), 19, "ButtonFace=7 8");
    WriteAll(ini, broken);
    const std::string help = ReadAll(dir + L"\\Graphite_Help.bmp");
    WriteAll(dir + L"\\Graphite_Help.bmp", help.substr(0, 100));
    ASSERT_TRUE(PumpUntil([&] { return watch.Refusals() > 0; }, 10000));
    PumpUntil([&] { return watch.StatusText().find(L"Help") != std::wstring::npos; }, 3000);
    const std::string status = WideToAnsiText(watch.StatusText());
    EXPECT_EQ(status.rfind("Reload refused, the last good skin stays: ", 0), 0u) << status;
    EXPECT_NE(status.find("error: [Colours] ButtonFace: colour '7 8' is not three numbers"),
              std::string::npos)
        << status;
    EXPECT_NE(status.find("picture 'Graphite_Help.bmp' cannot be read"), std::string::npos)
        << status;
    EXPECT_EQ(data.ButtonFaceColour, 0x005A5046u);
    EXPECT_TRUE(form->Skins().Skinning());

    // Mended: loads again.
    WriteAll(dir + L"\\Graphite_Help.bmp", help);
    WriteAll(ini, good);
    ASSERT_TRUE(PumpUntil([&] { return data.ButtonFaceColour == 0x00423D3Au; }, 10000));
    EXPECT_EQ(watch.StatusText().rfind(L"Reloaded ", 0), 0u) << WideToAnsiText(watch.StatusText());

    find = FindFirstFileW((dir + L"\\*.*").c_str(), &found);
    do {
        DeleteFileW((dir + L"\\" + found.cFileName).c_str());
    } while (FindNextFileW(find, &found));
    FindClose(find);
    RemoveDirectoryW(dir.c_str());
}
