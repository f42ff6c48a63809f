// Mouse as message sequences, driven by real input (SendInput): enter and
// leave notifications when the pointer moves between the form, a windowed and
// a windowless child; the capture a windowless child keeps while the button is down.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/core/class_builder.h"
#include "framework/ui/graphic_control.h"
#include "message_log.h"
#include "real_input.h"
#include "ui_test_util.h"

namespace {

// A windowless child that counts its clicks.
class TMouseSpot : public TGraphicControl {
    LT_CLASS(TMouseSpot, TGraphicControl)
public:
    explicit TMouseSpot(TComponent* owner) : TGraphicControl(owner) {}

protected:
    void Paint() override {}
};

// The pointer's moves under Wine's X11 desktop may go back to the previous
// position once and forward again (see MoveMouseTo), which is a leave and an
// enter more: X leaves, Y enters, Y leaves, X enters. Such round trips are
// dropped before the enter/leave order is compared.
std::vector<TLoggedMessage> WithoutRoundTrips(std::vector<TLoggedMessage> seq) {
    for (size_t i = 0; i + 4 <= seq.size();) {
        const auto& a = seq[i];
        const auto& b = seq[i + 1];
        const bool trip = a.msg == CM_MOUSELEAVE && b.msg == CM_MOUSEENTER &&
                          seq[i + 2] == TLoggedMessage{b.who, CM_MOUSELEAVE} &&
                          seq[i + 3] == TLoggedMessage{a.who, CM_MOUSEENTER};
        if (trip)
            seq.erase(seq.begin() + i, seq.begin() + i + 4);
        else
            ++i;
    }
    return seq;
}

} // namespace

LT_CLASS_TABLE(TMouseSpot) {}

TEST(Mouse, EnterLeaveBetweenWindowedAndWindowlessChildrenAndCapture) {
    TForm form(Application);
    form.SetBorderStyle(bsNone);
    form.SetFormStyle(fsStayOnTop);
    form.SetBounds(0, 0, 300, 100);
    auto* button = new TTestButton(&form); // windowed, 75 x 25
    button->SetParent(&form);
    button->SetBounds(10, 10, 75, 25);
    auto* spot = new TMouseSpot(&form);
    spot->SetParent(&form);
    spot->SetBounds(120, 10, 60, 30);
    int spotClicks = 0, formClicks = 0;
    spot->OnClick = [&](TObject*) { ++spotClicks; };
    form.OnClick = [&](TObject*) { ++formClicks; };
    std::vector<POINT> spotMoves;
    spot->OnMouseMove = [&](TObject*, TShiftState, int x, int y) { spotMoves.push_back({x, y}); };
    TMessageLog log({CM_MOUSEENTER, CM_MOUSELEAVE, WM_LBUTTONDOWN, WM_LBUTTONUP});
    log.Watch(form, "form");
    log.Watch(*button, "button");
    log.Watch(*spot, "spot");
    form.Show();
    SetForegroundWindow(form.Handle());
    const auto at = [&](int x, int y) { return form.ClientToScreen(POINT{x, y}); };
    MoveMouseTo(at(250, 80));
    MoveMouseTo(at(251, 80));
    ASSERT_EQ(TControl::MouseControl(), &form) << "the pointer starts over the bare form";
    log.Clear();

    MoveMouseTo(at(40, 20)); // form -> windowed child
    EXPECT_TRUE(SameSequence(WithoutRoundTrips(log.Entries()),
                             {{"form", CM_MOUSELEAVE}, {"button", CM_MOUSEENTER}}));
    log.Clear();
    MoveMouseTo(at(150, 25)); // windowed -> windowless child
    EXPECT_TRUE(SameSequence(WithoutRoundTrips(log.Entries()),
                             {{"button", CM_MOUSELEAVE}, {"spot", CM_MOUSEENTER}}));
    EXPECT_TRUE(spot->MouseInControl());
    EXPECT_FALSE(button->MouseInControl());
    log.Clear();
    MoveMouseTo(at(40, 20)); // windowless -> windowed child
    EXPECT_TRUE(SameSequence(WithoutRoundTrips(log.Entries()),
                             {{"spot", CM_MOUSELEAVE}, {"button", CM_MOUSEENTER}}));
    log.Clear();
    MoveMouseTo(at(250, 80)); // windowed child -> form
    EXPECT_TRUE(SameSequence(WithoutRoundTrips(log.Entries()),
                             {{"button", CM_MOUSELEAVE}, {"form", CM_MOUSEENTER}}));
    log.Clear();

    // Pressed on the windowless child, the form captures the mouse for it: moves
    // outside the form still reach the child (in its coordinates), and the
    // release outside is no click.
    MoveMouseTo(at(150, 25));
    LeftButton(true);
    EXPECT_EQ(GetCapture(), form.Handle());
    spotMoves.clear();
    MoveMouseTo(at(400, 300));
    EXPECT_EQ(GetCapture(), form.Handle()) << "capture kept while the button is down";
    ASSERT_FALSE(spotMoves.empty());
    EXPECT_EQ(spotMoves.back().x, 400 - 120);
    EXPECT_EQ(spotMoves.back().y, 300 - 10);
    LeftButton(false);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(spotClicks, 0);
    EXPECT_EQ(formClicks, 0);
    EXPECT_EQ(log.WParamsOf("spot", WM_LBUTTONDOWN).size(), 1u);
    EXPECT_EQ(log.WParamsOf("spot", WM_LBUTTONUP).size(), 1u);
    EXPECT_TRUE(log.WParamsOf("form", WM_LBUTTONUP).size() == 1u) << "through the form's window";
    // Pressed and released on it: one click, and the capture is gone again.
    MoveMouseTo(at(150, 25));
    LeftButton(true);
    LeftButton(false);
    EXPECT_EQ(spotClicks, 1);
    EXPECT_EQ(GetCapture(), nullptr);
    MoveMouseTo(at(600, 600));
    form.Hide();
}
