// Alignment of several children at once: two of every kind, a windowless
// one among them, one that is not aligned and a nested container; exact
// rectangles after each resize, hiding and showing, and each window moved once.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "framework/core/class_builder.h"
#include "framework/ui/graphic_control.h"
#include "message_log.h"
#include "ui_test_util.h"

namespace {

class TAlignBox : public TCustomControl {
    LT_CLASS(TAlignBox, TCustomControl)
public:
    explicit TAlignBox(TComponent* owner) : TCustomControl(owner) {}
};

class TAlignStrip : public TGraphicControl {
    LT_CLASS(TAlignStrip, TGraphicControl)
public:
    explicit TAlignStrip(TComponent* owner) : TGraphicControl(owner) {}

protected:
    void Paint() override {}
};

using TLayout = std::map<std::string, RECT>;

std::string RectText(RECT r) {
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + "," +
           std::to_string(r.right) + "," + std::to_string(r.bottom) + ")";
}

// Every named control is at its expected rectangle; a windowed one's window too.
::testing::AssertionResult LaidOut(const std::map<std::string, TControl*>& controls,
                                   const TLayout& expected) {
    std::string wrong;
    for (const auto& [name, want] : expected) {
        TControl* c = controls.at(name);
        RECT got = c->BoundsRect();
        if (auto* w = dynamic_cast<TWinControl*>(c); w && w->HandleAllocated()) {
            GetWindowRect(w->Handle(), &got);
            MapWindowPoints(nullptr, GetParent(w->Handle()), reinterpret_cast<POINT*>(&got), 2);
            if (!EqualRect(&got, &want))
                wrong += " " + name + " window " + RectText(got) + " want " + RectText(want);
            got = c->BoundsRect();
        }
        if (!EqualRect(&got, &want))
            wrong += " " + name + " " + RectText(got) + " want " + RectText(want);
    }
    if (wrong.empty())
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << wrong;
}

} // namespace

LT_CLASS_TABLE(TAlignBox) {}
LT_CLASS_TABLE(TAlignStrip) {}

TEST(Align, SeveralChildrenOfEveryKindFollowResizeAndVisibility) {
    TForm form(Application);
    form.SetClientSize(300, 200);
    std::map<std::string, TControl*> c;
    const auto add = [&](const std::string& name, TControl* control, TAlign align, int w, int h) {
        control->SetBounds(100, 100, w, h);
        control->SetParent(&form);
        control->SetAlign(align);
        c[name] = control;
    };
    add("none", new TAlignBox(&form), alNone, 10, 10);
    add("top1", new TAlignBox(&form), alTop, 0, 20);
    add("top2", new TAlignBox(&form), alTop, 0, 15);
    add("strip", new TAlignStrip(&form), alTop, 0, 5); // windowless, aligned the same way
    add("bottom1", new TAlignBox(&form), alBottom, 0, 10);
    add("bottom2", new TAlignBox(&form), alBottom, 0, 12);
    add("left1", new TAlignBox(&form), alLeft, 30, 0);
    add("left2", new TAlignBox(&form), alLeft, 20, 0);
    add("right1", new TAlignBox(&form), alRight, 25, 0);
    add("right2", new TAlignBox(&form), alRight, 35, 0);
    add("client", new TAlignBox(&form), alClient, 0, 0);
    // The client-aligned box lays out its own children inside itself.
    auto* inner = new TAlignBox(&form);
    inner->SetParent(static_cast<TWinControl*>(c["client"]));
    inner->SetHeight(8);
    inner->SetAlign(alBottom);
    c["inner"] = inner;
    form.HandleNeeded();
    EXPECT_TRUE(LaidOut(c, {{"none", {100, 100, 110, 110}},
                            {"top1", {0, 0, 300, 20}},
                            {"top2", {0, 20, 300, 35}},
                            {"strip", {0, 35, 300, 40}},
                            {"bottom1", {0, 190, 300, 200}},
                            {"bottom2", {0, 178, 300, 190}},
                            {"left1", {0, 40, 30, 178}},
                            {"left2", {30, 40, 50, 178}},
                            {"right1", {275, 40, 300, 178}},
                            {"right2", {240, 40, 275, 178}},
                            {"client", {50, 40, 240, 178}},
                            {"inner", {0, 130, 190, 138}}}));

    // A resize moves every aligned window exactly once and the others not at all.
    TMessageLog log({WM_WINDOWPOSCHANGED});
    for (const auto& [name, control] : c)
        log.Watch(*control, name);
    form.SetClientSize(400, 300);
    EXPECT_TRUE(LaidOut(c, {{"none", {100, 100, 110, 110}},
                            {"top1", {0, 0, 400, 20}},
                            {"top2", {0, 20, 400, 35}},
                            {"strip", {0, 35, 400, 40}},
                            {"bottom1", {0, 290, 400, 300}},
                            {"bottom2", {0, 278, 400, 290}},
                            {"left1", {0, 40, 30, 278}},
                            {"left2", {30, 40, 50, 278}},
                            {"right1", {375, 40, 400, 278}},
                            {"right2", {340, 40, 375, 278}},
                            {"client", {50, 40, 340, 278}},
                            {"inner", {0, 230, 290, 238}}}));
    for (const char* name : {"top1", "top2", "bottom1", "bottom2", "left1", "left2", "right1",
                             "right2", "client", "inner"})
        EXPECT_EQ(log.WParamsOf(name, WM_WINDOWPOSCHANGED).size(), 1u) << name;
    EXPECT_TRUE(log.WParamsOf("none", WM_WINDOWPOSCHANGED).empty());

    // A hidden child gives its room to the rest; shown again it takes it back.
    c["top2"]->SetVisible(false);
    EXPECT_TRUE(LaidOut(c, {{"strip", {0, 20, 400, 25}},
                            {"left1", {0, 25, 30, 278}},
                            {"right2", {340, 25, 375, 278}},
                            {"client", {50, 25, 340, 278}}}));
    c["top2"]->SetVisible(true);
    EXPECT_TRUE(LaidOut(
        c,
        {{"top2", {0, 20, 400, 35}}, {"strip", {0, 35, 400, 40}}, {"client", {50, 40, 340, 278}}}));
    // A child that grows pushes the others.
    c["left1"]->SetWidth(60);
    EXPECT_TRUE(LaidOut(c, {{"left1", {0, 40, 60, 278}},
                            {"left2", {60, 40, 80, 278}},
                            {"client", {80, 40, 340, 278}}}));
    // Smaller than the sum of the fixed sizes: nothing gets a negative size.
    form.SetClientSize(60, 30);
    for (const auto& [name, control] : c) {
        EXPECT_GE(control->Width(), 0) << name;
        EXPECT_GE(control->Height(), 0) << name;
    }
    EXPECT_EQ(c["client"]->Width(), 0);
    EXPECT_EQ(c["client"]->Height(), 0);
}
