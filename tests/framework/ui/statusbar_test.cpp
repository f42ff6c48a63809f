// TStatusBar: panel layout, texts with alignment and bevels, simple mode, fonts.
#include <gtest/gtest.h>

#include "framework/ui/win32.h"

#include <commctrl.h>

#include "framework/ui/statusbar.h"
#include "ui_test_util.h"

namespace {
std::wstring PanelText(TStatusBar* bar, int i, LRESULT* info = nullptr) {
    wchar_t text[256] = {};
    LRESULT r = SendMessageW(bar->Handle(), SB_GETTEXTW, i, reinterpret_cast<LPARAM>(text));
    if (info)
        *info = r;
    return text;
}
} // namespace

// Right edges at the running sum of widths, the last to the end; texts carry
// their alignment as leading tabs and their bevel as drawing flags.
TEST(StatusBar, PanelsLayoutTextsAndBevels) {
    TForm form(Application);
    form.SetClientSize(500, 100);
    auto* bar = new TStatusBar(&form);
    bar->SetParent(&form);
    TStatusPanel* p0 = bar->Panels()->Add();
    p0->SetWidth(80);
    p0->SetText(L"left");
    TStatusPanel* p1 = bar->Panels()->Add();
    p1->SetWidth(120);
    p1->SetAlignment(taCenter);
    p1->SetText(L"岚拓软件");
    p1->SetBevel(pbNone);
    TStatusPanel* p2 = bar->Panels()->Add();
    p2->SetWidth(30);
    p2->SetAlignment(taRightJustify);
    p2->SetText(L"r");
    p2->SetBevel(pbRaised);
    form.HandleNeeded();
    int edges[3] = {};
    ASSERT_EQ(SendMessageW(bar->Handle(), SB_GETPARTS, 3, reinterpret_cast<LPARAM>(edges)), 3);
    EXPECT_EQ(edges[0], 80);
    EXPECT_EQ(edges[1], 200);
    EXPECT_EQ(edges[2], -1);
    LRESULT info = 0;
    EXPECT_EQ(PanelText(bar, 0), L"left");
    EXPECT_EQ(PanelText(bar, 1, &info), L"\t岚拓软件");
    EXPECT_TRUE(HIWORD(info) & SBT_NOBORDERS);
    EXPECT_EQ(PanelText(bar, 2, &info), L"\t\tr");
    EXPECT_TRUE(HIWORD(info) & SBT_POPOUT);
    // Changing a width moves the later edges; changing a text updates only it.
    p0->SetWidth(50);
    SendMessageW(bar->Handle(), SB_GETPARTS, 3, reinterpret_cast<LPARAM>(edges));
    EXPECT_EQ(edges[0], 50);
    EXPECT_EQ(edges[1], 170);
    p2->SetText(L"2026年1月6日 08:05:09");
    EXPECT_EQ(PanelText(bar, 2), L"\t\t2026年1月6日 08:05:09");
    // Texts are sent only when they change, and every change is sent: back
    // and forth, and again after the layout changed.
    p2->SetText(L"r");
    bar->UpdatePanels();
    EXPECT_EQ(PanelText(bar, 2), L"\t\tr");
    p2->SetText(L"2026年1月6日 08:05:10");
    EXPECT_EQ(PanelText(bar, 2), L"\t\t2026年1月6日 08:05:10");
    p1->SetWidth(100);
    EXPECT_EQ(PanelText(bar, 1), L"\t岚拓软件");
    EXPECT_EQ(PanelText(bar, 2), L"\t\t2026年1月6日 08:05:10");
    // Aligned to the bottom at its height, across the whole client width.
    EXPECT_EQ(bar->Top(), 100 - bar->Height());
    EXPECT_EQ(bar->Width(), 500);
}

// Simple mode shows one text; its own font is used once UseSystemFont is off.
TEST(StatusBar, SimplePanelAndOwnFont) {
    TForm form(Application);
    auto* bar = new TStatusBar(&form);
    bar->SetParent(&form);
    bar->Panels()->Add()->SetText(L"panel");
    form.HandleNeeded();
    bar->SetSimpleText(L"简单");
    bar->SetSimplePanel(true);
    EXPECT_TRUE(SendMessageW(bar->Handle(), SB_ISSIMPLE, 0, 0));
    bar->SetSimplePanel(false);
    EXPECT_FALSE(SendMessageW(bar->Handle(), SB_ISSIMPLE, 0, 0));
    EXPECT_EQ(PanelText(bar, 0), L"panel");
    EXPECT_TRUE(bar->UseSystemFont());
    bar->Font().SetName(L"宋体");
    bar->Font().SetHeight(-13);
    EXPECT_FALSE(bar->UseSystemFont());
    HFONT used = reinterpret_cast<HFONT>(SendMessageW(bar->Handle(), WM_GETFONT, 0, 0));
    EXPECT_EQ(used, bar->Font().Handle());
    LOGFONTW lf{};
    GetObjectW(used, sizeof(lf), &lf);
    EXPECT_EQ(lf.lfHeight, -13);
    EXPECT_EQ(std::wstring(lf.lfFaceName), L"宋体");
}
