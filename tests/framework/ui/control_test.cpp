// Controls: alignment, windowless children (painting, mouse, enter/leave),
// reflection, state notifications, hooking WindowProc, tab order, text.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "framework/core/class_builder.h"
#include "framework/ui/graphic_control.h"
#include "ui_test_util.h"

namespace {

// A windowless control that fills its rectangle with one colour and logs events.
class TSpot : public TGraphicControl {
    LT_CLASS(TSpot, TGraphicControl)
public:
    explicit TSpot(TComponent* owner) : TGraphicControl(owner) {}
    TColor fill = 0x0000FF;
    std::vector<std::string> log;

protected:
    void Paint() override {
        Canvas().Brush().SetColor(fill);
        RECT r{0, 0, Width(), Height()};
        Canvas().FillRect(r);
    }
    void WndProc(TMessage& msg) override {
        if (msg.Msg == CM_MOUSEENTER)
            log.push_back("enter");
        if (msg.Msg == CM_MOUSELEAVE)
            log.push_back("leave");
        TGraphicControl::WndProc(msg);
    }
};

// A windowed child built on the system push button, logging reflected notifications.
class TNativeButton : public TWinControl {
    LT_CLASS(TNativeButton, TWinControl)
public:
    explicit TNativeButton(TComponent* owner) : TWinControl(owner) { SetBounds(0, 0, 80, 24); }
    std::vector<UINT> reflected;

protected:
    void CreateParams(TCreateParams& params) override {
        TWinControl::CreateParams(params);
        params.superClass = L"BUTTON";
        params.style |= BS_PUSHBUTTON;
    }
    void WndProc(TMessage& msg) override {
        if (msg.Msg == CN_COMMAND)
            reflected.push_back(HIWORD(msg.WParam));
        TWinControl::WndProc(msg);
    }
};

// A plain windowed panel.
class TPanelBox : public TCustomControl {
    LT_CLASS(TPanelBox, TCustomControl)
public:
    explicit TPanelBox(TComponent* owner) : TCustomControl(owner) {}
};

RECT Rect(TControl* c) {
    return c->BoundsRect();
}
bool SameRect(RECT a, RECT b) {
    return EqualRect(&a, &b) != FALSE;
}

} // namespace

LT_CLASS_TABLE(TSpot) {}
LT_CLASS_TABLE(TNativeButton) {}
LT_CLASS_TABLE(TPanelBox) {}

// Top and bottom take whole rows, left and right what is between, client the rest;
// the layout follows a resize of the parent.
TEST(Control, AlignmentLaysOutChildrenAndFollowsResize) {
    TForm form(Application);
    form.SetClientSize(200, 100);
    auto* top = new TPanelBox(&form);
    auto* bottom = new TPanelBox(&form);
    auto* left = new TPanelBox(&form);
    auto* right = new TPanelBox(&form);
    auto* client = new TPanelBox(&form);
    top->SetHeight(20);
    bottom->SetHeight(10);
    left->SetWidth(30);
    right->SetWidth(40);
    for (TControl* c : {static_cast<TControl*>(client), static_cast<TControl*>(right),
                        static_cast<TControl*>(left), static_cast<TControl*>(bottom),
                        static_cast<TControl*>(top)})
        c->SetParent(&form);
    top->SetAlign(alTop);
    bottom->SetAlign(alBottom);
    left->SetAlign(alLeft);
    right->SetAlign(alRight);
    client->SetAlign(alClient);
    form.HandleNeeded();
    EXPECT_EQ(form.ClientWidth(), 200);
    EXPECT_EQ(form.ClientHeight(), 100);
    EXPECT_TRUE(SameRect(Rect(top), RECT{0, 0, 200, 20}));
    EXPECT_TRUE(SameRect(Rect(bottom), RECT{0, 90, 200, 100}));
    EXPECT_TRUE(SameRect(Rect(left), RECT{0, 20, 30, 90}));
    EXPECT_TRUE(SameRect(Rect(right), RECT{160, 20, 200, 90}));
    EXPECT_TRUE(SameRect(Rect(client), RECT{30, 20, 160, 90}));
    // The child windows are where the controls say.
    RECT wr;
    GetWindowRect(client->Handle(), &wr);
    MapWindowPoints(nullptr, form.Handle(), reinterpret_cast<POINT*>(&wr), 2);
    EXPECT_TRUE(SameRect(wr, RECT{30, 20, 160, 90}));
    form.SetClientSize(300, 150);
    EXPECT_TRUE(SameRect(Rect(bottom), RECT{0, 140, 300, 150}));
    EXPECT_TRUE(SameRect(Rect(right), RECT{260, 20, 300, 140}));
    EXPECT_TRUE(SameRect(Rect(client), RECT{30, 20, 260, 140}));
}

// A windowless child paints on its parent's DC at its own place, and only there.
TEST(Control, GraphicControlPaintsOnParentDcInsideItsBounds) {
    TForm form(Application);
    form.SetClientSize(60, 40);
    form.SetColor(0x00FF00);
    auto* spot = new TSpot(&form);
    spot->SetParent(&form);
    spot->SetBounds(10, 5, 20, 15);
    form.HandleNeeded();
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, 60, 40);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(mem, bmp);
    form.Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(mem), 0);
    form.Perform(WM_PAINT, reinterpret_cast<WPARAM>(mem), 0);
    EXPECT_EQ(GetPixel(mem, 10, 5), 0x0000FFu);
    EXPECT_EQ(GetPixel(mem, 29, 19), 0x0000FFu);
    EXPECT_EQ(GetPixel(mem, 30, 19), 0x00FF00u) << "right edge is exclusive";
    EXPECT_EQ(GetPixel(mem, 29, 20), 0x00FF00u) << "bottom edge is exclusive";
    EXPECT_EQ(GetPixel(mem, 9, 5), 0x00FF00u);
    // The same picture through WM_PRINTCLIENT, as a child asks for its parent's background.
    RECT all{0, 0, 60, 40};
    FillRect(mem, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    SendMessageW(form.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(mem),
                 PRF_CLIENT | PRF_ERASEBKGND);
    EXPECT_EQ(GetPixel(mem, 10, 5), 0x0000FFu);
    EXPECT_EQ(GetPixel(mem, 40, 30), 0x00FF00u);
    // Hidden: not painted at all.
    spot->SetVisible(false);
    form.Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(mem), 0);
    form.Perform(WM_PAINT, reinterpret_cast<WPARAM>(mem), 0);
    EXPECT_EQ(GetPixel(mem, 15, 10), 0x00FF00u);
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);
}

// Mouse messages over a windowless child reach it in its own coordinates; moving
// on and off it gives CM_MOUSEENTER / CM_MOUSELEAVE; press and release click it.
TEST(Control, GraphicControlGetsRoutedMouseAndEnterLeave) {
    TForm form(Application);
    form.SetClientSize(100, 100);
    auto* spot = new TSpot(&form);
    spot->SetParent(&form);
    spot->SetBounds(10, 10, 20, 20);
    int moveX = -1, moveY = -1, clicks = 0;
    spot->OnMouseMove = [&](TObject*, TShiftState, int x, int y) {
        moveX = x;
        moveY = y;
    };
    spot->OnClick = [&](TObject*) { ++clicks; };
    int formClicks = 0;
    form.OnClick = [&](TObject*) { ++formClicks; };
    HWND wnd = form.Handle();
    SendMessageW(wnd, WM_MOUSEMOVE, 0, MAKELPARAM(15, 17));
    EXPECT_EQ(moveX, 5);
    EXPECT_EQ(moveY, 7);
    EXPECT_TRUE(spot->MouseInControl());
    EXPECT_EQ(TControl::MouseControl(), spot);
    SendMessageW(wnd, WM_MOUSEMOVE, 0, MAKELPARAM(60, 60));
    EXPECT_FALSE(spot->MouseInControl());
    EXPECT_EQ(TControl::MouseControl(), &form);
    EXPECT_EQ(spot->log, (std::vector<std::string>{"enter", "leave"}));
    SendMessageW(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(12, 12));
    SendMessageW(wnd, WM_LBUTTONUP, 0, MAKELPARAM(13, 13));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(formClicks, 0);
    // Pressed on the child, released outside it: no click (captured, outside its client).
    SendMessageW(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(12, 12));
    SendMessageW(wnd, WM_LBUTTONUP, 0, MAKELPARAM(80, 80));
    EXPECT_EQ(clicks, 1);
    SendMessageW(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(70, 70));
    SendMessageW(wnd, WM_LBUTTONUP, 0, MAKELPARAM(70, 70));
    EXPECT_EQ(formClicks, 1);
    // The window's mouse leave takes the tracking away from the child too.
    SendMessageW(wnd, WM_MOUSEMOVE, 0, MAKELPARAM(15, 15));
    SendMessageW(wnd, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(TControl::MouseControl(), nullptr);
    EXPECT_EQ(spot->log.back(), "leave");
}

// WM_COMMAND from a child window comes back to that child as CN_COMMAND.
TEST(Control, NotificationsAreReflectedToTheChild) {
    TForm form(Application);
    auto* button = new TNativeButton(&form);
    button->SetParent(&form);
    form.HandleNeeded();
    wchar_t cls[64];
    GetClassNameW(button->Handle(), cls, 64);
    EXPECT_EQ(std::wstring(cls), L"TNativeButton") << "window class named after the control";
    SendMessageW(button->Handle(), BM_CLICK, 0, 0);
    ASSERT_EQ(button->reflected.size(), 1u);
    EXPECT_EQ(button->reflected[0], BN_CLICKED);
    EXPECT_EQ(TWinControl::FindControl(button->Handle()), button);
}

// A hooked WindowProc sees window messages and Perform calls; given back, it no longer does.
TEST(Control, HookedWindowProcSeesMessagesUntilGivenBack) {
    TForm form(Application);
    auto* panel = new TPanelBox(&form);
    panel->SetParent(&form);
    HWND wnd = panel->Handle();
    std::vector<UINT> seen;
    TWndMethod saved = panel->WindowProc;
    panel->WindowProc = [&](TMessage& m) {
        seen.push_back(m.Msg);
        saved(m);
    };
    SendMessageW(wnd, WM_APP + 7, 0, 0);
    panel->SetEnabled(false);
    panel->SetVisible(false);
    EXPECT_NE(std::find(seen.begin(), seen.end(), WM_APP + 7), seen.end());
    EXPECT_NE(std::find(seen.begin(), seen.end(), CM_ENABLEDCHANGED), seen.end());
    EXPECT_NE(std::find(seen.begin(), seen.end(), CM_VISIBLECHANGED), seen.end());
    EXPECT_FALSE(IsWindowEnabled(wnd));
    EXPECT_FALSE(IsWindowVisible(wnd));
    panel->WindowProc = saved;
    seen.clear();
    SendMessageW(wnd, WM_APP + 7, 0, 0);
    panel->SetEnabled(true);
    EXPECT_TRUE(seen.empty());
    EXPECT_TRUE(IsWindowEnabled(wnd));
}

// Tab order from requested orders, SelectNext wrapping around, focus records.
TEST(Control, TabOrderAndFocusMoves) {
    TForm form(Application);
    auto* a = new TTestButton(&form);
    auto* b = new TTestButton(&form);
    auto* c = new TTestButton(&form);
    for (TWinControl* x : {a, b, c})
        x->SetParent(&form);
    c->SetTabOrder(0);
    EXPECT_EQ(form.TabList(), (std::vector<TWinControl*>{c, a, b}));
    EXPECT_EQ(a->TabOrder(), 1);
    b->SetTabStop(false);
    form.Show();
    PumpUntil([&] { return c->Focused(); }, 10000);
    EXPECT_TRUE(c->Focused()) << "the first control in tab order gets the focus";
    EXPECT_EQ(form.ActiveControl(), c);
    form.SelectNext(c, true, true);
    EXPECT_TRUE(a->Focused());
    form.SelectNext(a, true, true);
    EXPECT_TRUE(c->Focused()) << "b has no tab stop; wraps around";
    form.SelectNext(c, false, true);
    EXPECT_TRUE(a->Focused());
    EXPECT_EQ(form.ActiveControl(), a);
    form.Hide();
}

// Unicode window text: Chinese captions reach the window unchanged, and back.
TEST(Control, CaptionIsUnicodeWindowText) {
    TForm form(Application);
    form.SetCaption(L"岚拓食品销售管理系统");
    wchar_t text[64] = {};
    GetWindowTextW(form.Handle(), text, 64);
    EXPECT_EQ(std::wstring(text), L"岚拓食品销售管理系统");
    SetWindowTextW(form.Handle(), L"确认退出系统？");
    EXPECT_EQ(form.Caption(), L"确认退出系统？");
    EXPECT_TRUE(IsWindowUnicode(form.Handle()));
}

// Windowed controls get CM_MOUSEENTER on the first move over their window and
// CM_MOUSELEAVE when the window reports the mouse gone or another control is entered.
TEST(Control, WindowedControlsGetEnterAndLeave) {
    TForm form(Application);
    auto* a = new TTestButton(&form);
    auto* b = new TTestButton(&form);
    a->SetParent(&form);
    b->SetParent(&form);
    b->SetLeft(100);
    std::vector<std::string> log;
    a->OnMouseEnter = [&](TObject*) { log.push_back("a enter"); };
    a->OnMouseLeave = [&](TObject*) { log.push_back("a leave"); };
    b->OnMouseEnter = [&](TObject*) { log.push_back("b enter"); };
    b->OnMouseLeave = [&](TObject*) { log.push_back("b leave"); };
    form.Show();
    SendMessageW(a->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    SendMessageW(a->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(6, 5));
    EXPECT_TRUE(a->MouseInControl());
    SendMessageW(b->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_FALSE(a->MouseInControl());
    EXPECT_TRUE(b->MouseInControl());
    SendMessageW(b->Handle(), WM_MOUSELEAVE, 0, 0);
    EXPECT_FALSE(b->MouseInControl());
    EXPECT_EQ(log, (std::vector<std::string>{"a enter", "a leave", "b enter", "b leave"}));
    form.Hide();
}

// A self-painting control paints through its canvas on its own window's DC.
TEST(Control, CustomControlPaintsThroughItsCanvas) {
    TForm form(Application);
    auto* button = new TTestButton(&form);
    button->SetParent(&form);
    button->SetColor(0x0000FF);
    button->SetCaption(L"");
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, 75, 25);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(mem, bmp);
    RECT all{0, 0, 75, 25};
    FillRect(mem, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SendMessageW(button->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(mem), PRF_CLIENT);
    EXPECT_EQ(GetPixel(mem, 0, 0), 0x0000FFu);
    EXPECT_EQ(GetPixel(mem, 74, 24), 0x0000FFu);
    button->SetColor(0x00FF00);
    SendMessageW(button->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(mem), PRF_CLIENT);
    EXPECT_EQ(GetPixel(mem, 40, 12), 0x00FF00u);
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);
}

// A double-buffered window paints through an off-screen bitmap and puts the
// same picture on the screen (background, then windowless children).
TEST(Control, DoubleBufferedWindowShowsTheSamePicture) {
    TForm form(Application);
    form.SetBorderStyle(bsNone);
    form.SetFormStyle(fsStayOnTop);
    form.SetBounds(0, 0, 60, 40);
    form.SetColor(0x00FF00);
    form.SetDoubleBuffered(true);
    auto* spot = new TSpot(&form);
    spot->SetParent(&form);
    spot->SetBounds(10, 5, 20, 15);
    // Which kind of DC the background is erased into: an off-screen one when buffered.
    std::vector<DWORD> eraseKinds;
    TWndMethod saved = form.WindowProc;
    form.WindowProc = [&](TMessage& m) {
        if (m.Msg == WM_ERASEBKGND)
            eraseKinds.push_back(GetObjectType(reinterpret_cast<HDC>(m.WParam)));
        saved(m);
    };
    form.Show();
    RedrawWindow(form.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    PumpPending();
    HDC dc = GetDC(form.Handle());
    EXPECT_EQ(GetPixel(dc, 12, 7), 0x0000FFu);
    EXPECT_EQ(GetPixel(dc, 45, 30), 0x00FF00u);
    ReleaseDC(form.Handle(), dc);
    ASSERT_FALSE(eraseKinds.empty());
    EXPECT_EQ(eraseKinds.back(), static_cast<DWORD>(OBJ_MEMDC));
    // Without the flag the window erases straight on the screen.
    form.SetDoubleBuffered(false);
    eraseKinds.clear();
    RedrawWindow(form.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    ASSERT_FALSE(eraseKinds.empty());
    EXPECT_EQ(eraseKinds.back(), static_cast<DWORD>(OBJ_DC));
    form.WindowProc = saved;
    form.Hide();
}
