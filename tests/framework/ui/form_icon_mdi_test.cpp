// Forms give their Icon to their window, and MDI children are made by the
// frame's MDI client, so that its activation and menu merging work for them.
#include <gtest/gtest.h>

#include "framework/core/property_access.h"
#include "framework/gdi/bitmap.h"
#include "framework/ui/menus.h"
#include "framework/ui/win32.h"
#include "ui_test_util.h"

namespace {

// A 16 x 16 icon of one colour, owned by the caller.
HICON MakeIcon(COLORREF colour) {
    TBitmap image(16, 16), mask(16, 16, TPixelFormat::pf1bit);
    RECT all{0, 0, 16, 16};
    TBrushHandle brush(CreateSolidBrush(colour));
    FillRect(image.Canvas().Handle(), &all, brush.Get());
    ICONINFO info{TRUE, 0, 0, mask.Handle(), image.Handle()};
    return CreateIconIndirect(&info);
}

HICON WindowIcon(HWND wnd, WPARAM which) {
    return reinterpret_cast<HICON>(SendMessageW(wnd, WM_GETICON, which, 0));
}

} // namespace

// The icon reaches the window as its big and small icon, whether it is set
// before or after the window exists, by name too; an empty icon takes it back.
TEST(FormIcon, GivenToTheWindowBigAndSmall) {
    TForm form(Application);
    TIcon red;
    red.SetHandle(MakeIcon(RGB(255, 0, 0)));
    form.SetIcon(red);
    EXPECT_NE(form.Icon().Handle(), red.Handle()); // the form keeps its own copy
    HWND wnd = form.Handle();
    EXPECT_EQ(WindowIcon(wnd, ICON_BIG), form.Icon().Handle());
    EXPECT_EQ(WindowIcon(wnd, ICON_SMALL), form.Icon().Handle());

    TIcon green;
    green.SetHandle(MakeIcon(RGB(0, 255, 0)));
    EXPECT_EQ(ReadObjectProperty<TIcon>(&form, "icon"), &form.Icon());
    EXPECT_TRUE(WriteObjectProperty(&form, "Icon", &green));
    HICON now = form.Icon().Handle();
    EXPECT_NE(now, nullptr);
    EXPECT_NE(now, green.Handle());
    EXPECT_EQ(WindowIcon(wnd, ICON_BIG), now);
    EXPECT_EQ(WindowIcon(wnd, ICON_SMALL), now);

    form.Icon().SetHandle(nullptr);
    EXPECT_EQ(WindowIcon(wnd, ICON_BIG), nullptr);
    EXPECT_EQ(WindowIcon(wnd, ICON_SMALL), nullptr);
}

namespace {

// An MDI frame (the application's main form while it lives) with a
// one-entry menu bar, and two shown children.
struct MdiFrame {
    TCustomForm* previousMain = Application->MainForm();
    TForm frame{Application};
    TForm* children[2] = {};
    MdiFrame() {
        Application->SetMainForm(&frame);
        frame.SetFormStyle(fsMDIForm);
        frame.SetBounds(20, 20, 600, 400);
        auto* menu = new TMainMenu(&frame);
        auto* file = new TMenuItem(&frame);
        file->SetCaption(L"&File");
        menu->Items()->Add(file);
        auto* quit = new TMenuItem(&frame);
        quit->SetCaption(L"&Quit");
        file->Add(quit);
        frame.SetMenu(menu);
        frame.Show();
        for (int i = 0; i < 2; ++i) {
            children[i] = new TForm(&frame);
            children[i]->SetFormStyle(fsMDIChild);
            children[i]->SetCaption(i == 0 ? L"One" : L"Two");
            children[i]->SetBounds(10 + 30 * i, 10 + 30 * i, 200, 150);
            children[i]->Show();
        }
        PumpPending();
    }
    ~MdiFrame() { Application->SetMainForm(previousMain); }
    HWND Client() const { return frame.ClientHandle(); }
    HWND Child(int i) const { return children[i]->Handle(); }
    HWND Active(BOOL* maximised = nullptr) const {
        return reinterpret_cast<HWND>(
            SendMessageW(Client(), WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(maximised)));
    }
};

} // namespace

// Children are the client's own: it activates them on request, answers which
// one is active, and, when one is maximised, puts the child's system menu at
// the front of the frame's menu bar; freeing a child goes through the client.
TEST(MdiChild, CreatedByTheClientActivatedAndMergedIntoTheFrameMenu) {
    MdiFrame mdi;
    ASSERT_NE(mdi.Client(), nullptr);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(GetParent(mdi.Child(i)), mdi.Client());
        EXPECT_TRUE(GetWindowLongW(mdi.Child(i), GWL_EXSTYLE) & WS_EX_MDICHILD);
    }
    SendMessageW(mdi.Client(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(mdi.Child(0)), 0);
    EXPECT_EQ(mdi.Active(), mdi.Child(0));
    SendMessageW(mdi.Client(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(mdi.Child(1)), 0);
    EXPECT_EQ(mdi.Active(), mdi.Child(1));
    // The client's "next" walks its own list of children.
    SendMessageW(mdi.Client(), WM_MDINEXT, 0, 0);
    EXPECT_EQ(mdi.Active(), mdi.Child(0));

    HMENU bar = GetMenu(mdi.frame.Handle());
    ASSERT_NE(bar, nullptr);
    const int entries = GetMenuItemCount(bar);
    SendMessageW(mdi.Client(), WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(mdi.Child(0)), 0);
    PumpPending();
    BOOL maximised = FALSE;
    EXPECT_EQ(mdi.Active(&maximised), mdi.Child(0));
    EXPECT_TRUE(maximised);
    EXPECT_TRUE(IsZoomed(mdi.Child(0)));
    bar = GetMenu(mdi.frame.Handle());
    EXPECT_GT(GetMenuItemCount(bar), entries);
    EXPECT_EQ(GetSubMenu(bar, 0), GetSystemMenu(mdi.Child(0), FALSE));

    SendMessageW(mdi.Client(), WM_MDIRESTORE, reinterpret_cast<WPARAM>(mdi.Child(0)), 0);
    PumpPending();
    EXPECT_EQ(GetMenuItemCount(GetMenu(mdi.frame.Handle())), entries);

    // Freeing the active child lets the client activate the other one.
    HWND second = mdi.Child(1);
    delete mdi.children[0];
    mdi.children[0] = nullptr;
    PumpPending();
    EXPECT_EQ(mdi.Active(), second);
}

// The client of a new MDI frame has nothing to scroll: it shows no scroll bar
// from its creation on, not only once its own scroll check has run after the
// frame was shown (and painted with both bars).
TEST(MdiClient, NoScrollBarsFromItsCreationOn) {
    TCustomForm* previousMain = Application->MainForm();
    TForm frame{Application};
    Application->SetMainForm(&frame);
    frame.SetFormStyle(fsMDIForm);
    frame.SetBounds(20, 20, 600, 400);
    ASSERT_NE(frame.Handle(), nullptr);
    const HWND client = frame.ClientHandle();
    ASSERT_NE(client, nullptr);
    EXPECT_EQ(GetWindowLongW(client, GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL), 0);
    frame.Show();
    PumpPending();
    EXPECT_EQ(GetWindowLongW(client, GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL), 0);
    Application->SetMainForm(previousMain);
}
