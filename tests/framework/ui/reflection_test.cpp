// Reflection: notifications a system control sends its parent (scrolling, owner
// drawn items, colours) come back to the framework child as CN_*, the child's
// answer goes back to the system, and what the child leaves alone gets the
// parent's default answer.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "framework/core/class_builder.h"
#include "message_log.h"
#include "ui_test_util.h"

#include <commctrl.h>

namespace {

// A framework windowed child built on a system window class. `answer` may
// handle a reflected notification (true) or leave it to the default (false).
class TSystemChild : public TWinControl {
    LT_CLASS(TSystemChild, TWinControl)
public:
    TSystemChild(TComponent* owner, std::wstring systemClass, DWORD style)
        : TWinControl(owner), systemClass_(std::move(systemClass)), style_(style) {}
    std::function<bool(TMessage&)> answer;

protected:
    void CreateParams(TCreateParams& params) override {
        TWinControl::CreateParams(params);
        params.superClass = systemClass_;
        params.winClassName = L"TSystemChild_" + systemClass_;
        params.style |= style_;
    }
    void WndProc(TMessage& msg) override {
        if (IsReflectedNotification(msg.Msg) && answer && answer(msg))
            return;
        TWinControl::WndProc(msg);
    }

private:
    std::wstring systemClass_;
    DWORD style_;
};

// A borderless form on top of everything, so that its pixels can be read back.
void PrepareForm(TForm& form, int width, int height) {
    form.SetBorderStyle(bsNone);
    form.SetFormStyle(fsStayOnTop);
    form.SetBounds(0, 0, width, height);
}

TSystemChild* AddChild(TForm& form, const wchar_t* cls, DWORD style, RECT bounds) {
    auto* child = new TSystemChild(&form, cls, style);
    child->SetBounds(bounds.left, bounds.top, bounds.right - bounds.left,
                     bounds.bottom - bounds.top);
    child->SetParent(&form);
    return child;
}

// A key pressed and released on the focused window, as the keyboard posts them.
void PressKey(HWND target, WORD key) {
    PostMessageW(target, WM_KEYDOWN, key, 1);
    PostMessageW(target, WM_KEYUP, key, 0xC0000001);
    PumpPending();
}

// The colour the screen shows at a client point of `wnd`.
COLORREF ScreenPixel(HWND wnd, int x, int y) {
    HDC dc = GetDC(wnd);
    const COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(wnd, dc);
    return c;
}

} // namespace

LT_CLASS_TABLE(TSystemChild) {}

// A track bar moved by the keyboard and a scroll bar control moved by the
// keyboard each hear their WM_HSCROLL / WM_VSCROLL as CN_HSCROLL / CN_VSCROLL,
// identified by their window in LParam; a window's own scroll bar (LParam 0)
// is not reflected.
TEST(Reflection, ScrollNotificationsComeBackToTheSendingControl) {
    TForm form(Application);
    PrepareForm(form, 240, 120);
    TSystemChild* track = AddChild(form, TRACKBAR_CLASSW, TBS_HORZ, RECT{0, 0, 200, 30});
    TSystemChild* bar = AddChild(form, L"SCROLLBAR", SBS_VERT, RECT{210, 0, 226, 100});
    std::vector<LPARAM> trackSources;
    track->answer = [&](TMessage& m) {
        if (m.Msg == CN_HSCROLL)
            trackSources.push_back(m.LParam);
        return false;
    };
    bar->answer = [&](TMessage& m) {
        if (m.Msg != CN_VSCROLL || LOWORD(m.WParam) != SB_LINEDOWN)
            return false;
        // A scroll bar control moves only when its owner says so.
        SetScrollPos(reinterpret_cast<HWND>(m.LParam), SB_CTL,
                     GetScrollPos(reinterpret_cast<HWND>(m.LParam), SB_CTL) + 1, TRUE);
        m.Result = 0;
        return true;
    };
    TMessageLog log({WM_HSCROLL, WM_VSCROLL, CN_HSCROLL, CN_VSCROLL});
    log.Watch(form, "form");
    log.Watch(*track, "track");
    log.Watch(*bar, "bar");
    SendMessageW(track->Handle(), TBM_SETRANGE, TRUE, MAKELPARAM(0, 10));
    SetScrollRange(bar->Handle(), SB_CTL, 0, 10, FALSE);
    form.Show();
    SetForegroundWindow(form.Handle());
    track->SetFocus();
    ASSERT_TRUE(track->Focused());
    PressKey(track->Handle(), VK_RIGHT);
    EXPECT_EQ(SendMessageW(track->Handle(), TBM_GETPOS, 0, 0), 1);
    EXPECT_TRUE(log.Matches({{"form", WM_HSCROLL},
                             {"track", CN_HSCROLL},
                             {"form", WM_HSCROLL},
                             {"track", CN_HSCROLL}}));
    EXPECT_EQ(log.WParamsOf("track", CN_HSCROLL),
              (std::vector<WPARAM>{MAKEWPARAM(TB_LINEDOWN, 0), MAKEWPARAM(TB_ENDTRACK, 0)}));
    EXPECT_EQ(trackSources, (std::vector<LPARAM>(2, reinterpret_cast<LPARAM>(track->Handle()))));
    log.Clear();
    bar->SetFocus();
    PressKey(bar->Handle(), VK_DOWN);
    PressKey(bar->Handle(), VK_DOWN);
    EXPECT_EQ(GetScrollPos(bar->Handle(), SB_CTL), 2) << "the child's answer moved the bar";
    const std::vector<WPARAM> codes = log.WParamsOf("bar", CN_VSCROLL);
    ASSERT_GE(codes.size(), 2u);
    EXPECT_EQ(LOWORD(codes[0]), SB_LINEDOWN);
    EXPECT_TRUE(log.WParamsOf("track", CN_HSCROLL).empty());
    // The form's own scroll bar names no control: nothing is reflected.
    log.Clear();
    SendMessageW(form.Handle(), WM_HSCROLL, SB_LINEDOWN, 0);
    EXPECT_TRUE(log.Matches({{"form", WM_HSCROLL}}));
    form.Hide();
}

// Owner-drawn list boxes (sorted, no strings) ask their parent to measure,
// compare and delete items; each list box answers for itself, found by its
// window or, for measuring, by its control identifier.
TEST(Reflection, OwnerDrawListBoxAnswersMeasureCompareAndDelete) {
    TForm form(Application);
    PrepareForm(form, 300, 200);
    const DWORD style = LBS_OWNERDRAWVARIABLE | LBS_SORT | WS_VSCROLL;
    std::vector<ULONG_PTR> deleted[2];
    TSystemChild* lists[2];
    for (int i = 0; i < 2; ++i) {
        lists[i] = AddChild(form, L"LISTBOX", style, RECT{i * 150, 0, i * 150 + 140, 190});
        const UINT base = i == 0 ? 10 : 40;
        lists[i]->answer = [&, i, base](TMessage& m) {
            switch (m.Msg) {
            case CN_MEASUREITEM: {
                auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam);
                mis->itemHeight = base + static_cast<UINT>(mis->itemData);
                m.Result = TRUE;
                return true;
            }
            case CN_COMPAREITEM: {
                auto* cis = reinterpret_cast<COMPAREITEMSTRUCT*>(m.LParam);
                m.Result = cis->itemData1 < cis->itemData2 ? -1 : cis->itemData1 > cis->itemData2;
                return true;
            }
            case CN_DELETEITEM:
                deleted[i].push_back(reinterpret_cast<DELETEITEMSTRUCT*>(m.LParam)->itemData);
                m.Result = TRUE;
                return true;
            default:
                return false;
            }
        };
    }
    TMessageLog log({WM_MEASUREITEM, WM_COMPAREITEM, WM_DELETEITEM, CN_MEASUREITEM, CN_COMPAREITEM,
                     CN_DELETEITEM});
    log.Watch(form, "form");
    log.Watch(*lists[0], "a");
    log.Watch(*lists[1], "b");
    form.HandleNeeded();
    HWND a = lists[0]->Handle(), b = lists[1]->Handle();
    EXPECT_NE(GetDlgCtrlID(a), 0);
    EXPECT_NE(GetDlgCtrlID(a), GetDlgCtrlID(b)) << "siblings have their own identifiers";
    log.Clear();
    for (LPARAM data : {30, 10, 20})
        SendMessageW(a, LB_ADDSTRING, 0, data);
    SendMessageW(b, LB_ADDSTRING, 0, 5);
    // Sorted by the child's comparison, measured by the child's rule.
    ASSERT_EQ(SendMessageW(a, LB_GETCOUNT, 0, 0), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(SendMessageW(a, LB_GETITEMDATA, i, 0), 10 * (i + 1)) << "item " << i;
        EXPECT_EQ(SendMessageW(a, LB_GETITEMHEIGHT, i, 0), 10 + 10 * (i + 1)) << "item " << i;
    }
    EXPECT_EQ(SendMessageW(b, LB_GETITEMHEIGHT, 0, 0), 45) << "measured by b, not a";
    const int compares = static_cast<int>(log.WParamsOf("a", CN_COMPAREITEM).size());
    EXPECT_GE(compares, 2) << "each insertion after the first compares";
    EXPECT_EQ(log.WParamsOf("form", WM_COMPAREITEM).size(), static_cast<size_t>(compares));
    EXPECT_EQ(log.WParamsOf("a", CN_MEASUREITEM).size(), 3u);
    EXPECT_EQ(log.WParamsOf("b", CN_MEASUREITEM).size(), 1u);
    EXPECT_TRUE(log.WParamsOf("b", CN_COMPAREITEM).empty());
    log.Clear();
    SendMessageW(a, LB_DELETESTRING, 0, 0);
    EXPECT_TRUE(log.Matches({{"form", WM_DELETEITEM}, {"a", CN_DELETEITEM}}));
    SendMessageW(a, LB_RESETCONTENT, 0, 0);
    SendMessageW(b, LB_RESETCONTENT, 0, 0);
    // Emptying deletes from the last item back to the first.
    EXPECT_EQ(deleted[0], (std::vector<ULONG_PTR>{10, 30, 20}));
    EXPECT_EQ(deleted[1], (std::vector<ULONG_PTR>{5}));
}

// A fixed-height owner-drawn list box and combo box measure once, while their
// windows are being created: the child answers even then.
TEST(Reflection, FixedOwnerDrawControlsAreMeasuredByTheChildWhileCreated) {
    TForm form(Application);
    PrepareForm(form, 300, 200);
    TSystemChild* list =
        AddChild(form, L"LISTBOX", LBS_OWNERDRAWFIXED | LBS_HASSTRINGS, RECT{0, 0, 140, 150});
    TSystemChild* combo =
        AddChild(form, L"COMBOBOX", CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS,
                 RECT{150, 0, 290, 150});
    std::vector<UINT> measuredTypes;
    const auto measureAs = [&](UINT height) {
        return [&measuredTypes, height](TMessage& m) {
            if (m.Msg != CN_MEASUREITEM)
                return false;
            auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam);
            measuredTypes.push_back(mis->CtlType);
            mis->itemHeight = height;
            m.Result = TRUE;
            return true;
        };
    };
    list->answer = measureAs(33);
    combo->answer = measureAs(27);
    form.HandleNeeded();
    SendMessageW(list->Handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"one"));
    SendMessageW(combo->Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"one"));
    EXPECT_EQ(SendMessageW(list->Handle(), LB_GETITEMHEIGHT, 0, 0), 33);
    EXPECT_EQ(SendMessageW(combo->Handle(), CB_GETITEMHEIGHT, 0, 0), 27);
    ASSERT_FALSE(measuredTypes.empty());
    EXPECT_EQ(measuredTypes.front(), static_cast<UINT>(ODT_LISTBOX));
    EXPECT_NE(std::find(measuredTypes.begin(), measuredTypes.end(), ODT_COMBOBOX),
              measuredTypes.end());
}

// An edit and a static that answer their colour messages paint with the
// child's brush and text colour; a static that does not answer gets exactly
// what the parent's default gives, as without reflection.
TEST(Reflection, ColourMessagesHandTheChildsBrushToTheSystem) {
    TForm form(Application);
    PrepareForm(form, 300, 60);
    TSystemChild* edit = AddChild(form, L"EDIT", ES_LEFT, RECT{0, 0, 100, 24});
    TSystemChild* label = AddChild(form, L"STATIC", SS_LEFT, RECT{110, 0, 210, 24});
    TSystemChild* plain = AddChild(form, L"STATIC", SS_LEFT, RECT{220, 0, 290, 24});
    label->SetCaption(L"x");
    plain->SetCaption(L"x");
    const COLORREF editColour = RGB(0, 128, 255), labelColour = RGB(255, 128, 0);
    HBRUSH editBrush = CreateSolidBrush(editColour);
    HBRUSH labelBrush = CreateSolidBrush(labelColour);
    auto answerWith = [](UINT which, HBRUSH brush, COLORREF text) {
        return [which, brush, text](TMessage& m) {
            if (m.Msg != which)
                return false;
            SetTextColor(reinterpret_cast<HDC>(m.WParam), text);
            SetBkMode(reinterpret_cast<HDC>(m.WParam), TRANSPARENT);
            m.Result = reinterpret_cast<LRESULT>(brush);
            return true;
        };
    };
    edit->answer = answerWith(CN_CTLCOLOREDIT, editBrush, RGB(1, 2, 3));
    label->answer = answerWith(CN_CTLCOLORSTATIC, labelBrush, RGB(4, 5, 6));
    TMessageLog log({WM_CTLCOLOREDIT, WM_CTLCOLORSTATIC, CN_CTLCOLOREDIT, CN_CTLCOLORSTATIC});
    log.Watch(form, "form");
    log.Watch(*edit, "edit");
    log.Watch(*label, "label");
    log.Watch(*plain, "plain");
    form.Show();
    RedrawWindow(form.Handle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpPending();
    EXPECT_EQ(ScreenPixel(edit->Handle(), 90, 20), editColour);
    EXPECT_EQ(ScreenPixel(label->Handle(), 90, 20), labelColour);
    EXPECT_EQ(ScreenPixel(plain->Handle(), 60, 20), GetSysColor(COLOR_3DFACE));
    EXPECT_FALSE(log.WParamsOf("edit", CN_CTLCOLOREDIT).empty());
    EXPECT_FALSE(log.WParamsOf("label", CN_CTLCOLORSTATIC).empty());
    EXPECT_FALSE(log.WParamsOf("plain", CN_CTLCOLORSTATIC).empty());
    // The answers as the system reads them: brush and text colour.
    HDC dc = GetDC(form.Handle());
    const auto ask = [&](UINT msg, TWinControl* child) {
        return reinterpret_cast<HBRUSH>(SendMessageW(form.Handle(), msg,
                                                     reinterpret_cast<WPARAM>(dc),
                                                     reinterpret_cast<LPARAM>(child->Handle())));
    };
    EXPECT_EQ(ask(WM_CTLCOLOREDIT, edit), editBrush);
    EXPECT_EQ(GetTextColor(dc), RGB(1, 2, 3));
    EXPECT_EQ(ask(WM_CTLCOLORSTATIC, label), labelBrush);
    EXPECT_EQ(GetTextColor(dc), RGB(4, 5, 6));
    SetTextColor(dc, RGB(7, 8, 9));
    const HBRUSH unanswered = ask(WM_CTLCOLORSTATIC, plain);
    EXPECT_EQ(GetTextColor(dc), GetSysColor(COLOR_WINDOWTEXT)) << "the default set the text colour";
    EXPECT_EQ(unanswered, reinterpret_cast<HBRUSH>(DefWindowProcW(
                              form.Handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                              reinterpret_cast<LPARAM>(plain->Handle()))));
    EXPECT_NE(unanswered, nullptr);
    ReleaseDC(form.Handle(), dc);
    form.Hide();
    form.DestroyHandle();
    DeleteObject(editBrush);
    DeleteObject(labelBrush);
}
