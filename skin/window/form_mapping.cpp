// The form skinner's control walk: gathers the facts of each control, lets
// the decisions of control_mapping.h choose, and carries the choice out.
// Wrappers are made by class name through the class registry, so a wrapper
// family that is not linked in (or not registered) simply yields no wrapper.
#include <algorithm>

#include "framework/core/property_access.h"
#include "framework/stdctrls/std_toolbar.h"
#include "framework/ui/form.h"
#include "framework/ui/graphic_control.h"
#include "framework/ui/menus.h"
#include "skin/model/skin_data.h"
#include "skin/window/control_mapping.h"
#include "skin/window/form_skinner.h"
#include "skin/window/frame_paint.h"
#include "skin/window/skin_manager.h"

namespace {

TMenuItemSkinner gMenuItemSkinner = nullptr;

// The ordinal of an enumeration or integer property (-1 when missing).
int64_t Ordinal(TObject* obj, const char* name) {
    const TPropInfo* p = FindPropInfo(obj, name);
    return p && p->getOrd ? p->getOrd(*obj) : -1;
}

TControlFacts FactsOf(TControl& c) {
    TControlFacts f;
    f.className = c.ClassName();
    f.kinds = ControlKinds(c);
    f.tag = c.Tag();
    auto* wc = dynamic_cast<TWinControl*>(&c);
    f.windowed = wc != nullptr;
    if (wc && wc->HandleAllocated())
        f.style = GetWindowLongW(wc->Handle(), GWL_STYLE);
    if (UpperAscii(f.className) == "TDATETIMEPICKER")
        f.dateUpDownOrTime = Ordinal(&c, "DateMode") == 1 || Ordinal(&c, "Kind") == 1;
    f.numButtons = ReadIntegerProperty(&c, "NumButtons");
    return f;
}

// The form skinner of the window or of the nearest ancestor that has one.
TWinSkinForm* SkinnerAbove(HWND wnd) {
    TSkinManage* m = TSkinManage::Instance(false);
    for (HWND h = wnd; m && h && h != GetDesktopWindow(); h = GetAncestor(h, GA_PARENT))
        if (auto* s = dynamic_cast<TWinSkinForm*>(m->FindFormSkinner(h)))
            return s;
    return nullptr;
}

// The form skinner's tool-bar button drawing: the skin's button frame for the
// button's state under the framework's own drawing of glyph and text.
void DrawSkinnedToolButton(TToolBar* bar, TToolButton* button, TCustomDrawState state, bool&) {
    if (!bar || !button || !bar->HandleAllocated())
        return;
    TWinSkinForm* s = SkinnerAbove(bar->Handle());
    if (!s || !s->SkinData() || s->State() != TFormSkinnerState::Skinned)
        return;
    const std::pair<TCustomDrawStateItem, unsigned> bits[] = {
        {cdsHot, kToolHot},         {cdsSelected, kToolSelected}, {cdsFocused, kToolFocused},
        {cdsDefault, kToolDefault}, {cdsGrayed, kToolGrayed},     {cdsDisabled, kToolDisabled}};
    unsigned toolState = 0;
    for (const auto& [item, bit] : bits)
        if (state.Contains(item))
            toolState |= bit;
    // The text in the skin's colour for the bar's font colour, unless the
    // button's frame brings a text colour of its own; a checked button
    // keeps the platform's light pattern under it, and the platform's
    // button text colour on it.
    bar->Canvas().Font().SetColor(
        state.Contains(cdsChecked) ? clBtnText : s->SkinData()->SkinColourFor(bar->Font().Color()));
    DrawSkinToolButton(bar->Canvas(), button->BoundsRect(), toolState, *s->SkinData());
}

void SkinMenuItemTree(TMenuItem* item, TSkinData* data) {
    if (item && gMenuItemSkinner)
        gMenuItemSkinner(item, data);
}

// One pass of the mapping over a form skinner's controls.
class TMappingRun {
public:
    explicit TMappingRun(TWinSkinForm& s) : s_(s), d_(*s.SkinData()) {}

    TSkinFacts SkinFacts() const { return {d_.SkinControls(), d_.Tabs != nullptr, &d_.Skin3rd()}; }
    bool IsWrapped(const TControl* c) const;
    bool OfferToHost(TControl* c, TComponent* walked);
    void Apply(TControl* c, const TWrapperChoice& choice);
    // Creates wrapper cls, attaches it, and keeps it only when it registered.
    void Wrap(TControl* c, HWND window, const std::string& cls, TAttachMode mode, bool recolour,
              TComponent* owner, bool glyphMode = false);

private:
    bool Holds(const TSkinControl* w) const {
        return std::find(s_.Wrappers.begin(), s_.Wrappers.end(), w) != s_.Wrappers.end();
    }
    void ChildRule(TWinControl* c, const TWrapperChoice& choice);
    void StepsBefore(TControl* c, const TWrapperChoice& choice);
    void StepsAfter(TControl* c, const TWrapperChoice& choice);

    TWinSkinForm& s_;
    TSkinData& d_;
};

bool TMappingRun::IsWrapped(const TControl* c) const {
    std::vector<TWrapperEntry> entries;
    entries.reserve(s_.Wrappers.size());
    for (const TSkinControl* w : s_.Wrappers) {
        const TControl* owner = w->Control;
        if (!owner)
            owner = w->GraphicControl;
        entries.push_back({owner, w->Handle});
    }
    const auto* wc = dynamic_cast<const TWinControl*>(c);
    const bool preview = s_.Form && IsPreviewFormName(s_.Form->Name());
    return AlreadyWrapped(entries, c, wc != nullptr, wc ? wc->Handle() : nullptr, preview);
}

// The host's OnSkinControl may answer a wrapper of its own for the control.
bool TMappingRun::OfferToHost(TControl* c, TComponent* walked) {
    if (!d_.OnSkinControl)
        return false;
    TComponent* answer = nullptr;
    d_.OnSkinControl(&s_, &d_, dynamic_cast<TControl*>(walked), c, UpperAscii(c->ClassName()),
                     answer);
    auto* w = dynamic_cast<TSkinControl*>(answer);
    if (!w)
        return false;
    if (!Holds(w)) {
        s_.RegisterWrapper(w);
        w->AttachControl(&s_, &d_, w->Recolour, &s_.SharedCanvas);
    }
    return true;
}

void TMappingRun::Wrap(TControl* c, HWND window, const std::string& cls, TAttachMode mode,
                       bool recolour, TComponent* owner, bool glyphMode) {
    TSkinControl* w = MakeWrapperByName(cls, owner);
    if (!w)
        return;
    if (glyphMode)
        w->SetGlyphMode(true);
    auto* wc = dynamic_cast<TWinControl*>(c);
    TCanvas* canvas = &s_.SharedCanvas;
    switch (mode) {
    case TAttachMode::Control:
        w->AttachControl(&s_, &d_, recolour, canvas);
        break;
    case TAttachMode::Window:
        if (window)
            w->AttachWindow(window, &d_, &s_, canvas);
        break;
    case TAttachMode::ScrollBars:
        w->AttachScrollBars(wc, &d_, &s_, canvas);
        break;
    case TAttachMode::ScrollControl:
        w->AttachScrollControl(wc, &d_, &s_, canvas);
        break;
    case TAttachMode::Graphic:
        w->AttachGraphic(&s_, &d_, canvas);
        break;
    case TAttachMode::None:
        break;
    }
    // A wrapper that did not take the control (wrong kind of owner) goes.
    if (!Holds(w))
        delete w;
}

void TMappingRun::Apply(TControl* c, const TWrapperChoice& choice) {
    for (const auto& [name, value] : choice.writes)
        WriteValueProperty(c, name, value);
    StepsBefore(c, choice);
    if (auto* wc = dynamic_cast<TWinControl*>(c))
        ChildRule(wc, choice);
    if (!choice.wrapperClass.empty()) {
        auto* wc = dynamic_cast<TWinControl*>(c);
        TComponent* owner = choice.owner == TWrapperOwner::FormSkinner
                                ? static_cast<TComponent*>(&s_)
                                : static_cast<TComponent*>(c);
        Wrap(c, wc ? wc->Handle() : nullptr, choice.wrapperClass, choice.attach, choice.recolour,
             owner, choice.steps.Contains(TMappingStep::GlyphMode));
    }
    StepsAfter(c, choice);
    if (choice.walkChildren)
        s_.SkinOwnedControls(c);
}

// Rules for the control's child controls (in child order); a child that has
// a wrapper already keeps it.
void TMappingRun::ChildRule(TWinControl* c, const TWrapperChoice& choice) {
    if (choice.childRule == TChildRule::None)
        return;
    const TSkinFacts skin = SkinFacts();
    for (int i = 0; i < c->ControlCount(); ++i) {
        TControl* child = c->Controls(i);
        if (IsWrapped(child))
            continue;
        auto* wc = dynamic_cast<TWinControl*>(child);
        HWND window = wc ? wc->Handle() : nullptr;
        switch (choice.childRule) {
        case TChildRule::WrapEach:
            Wrap(child, window, choice.childWrapper, TAttachMode::Control, false, child);
            break;
        case TChildRule::EmbedScrollBars: {
            const TControlFacts f = FactsOf(*child);
            if (f.kinds.Contains(TControlKind::ScrollBarControl))
                Wrap(child, window, "TSkinScControl", TAttachMode::ScrollControl, false, child);
            else if (HasScrollBars(f))
                Wrap(child, window, "TSkinScrollbar", TAttachMode::ScrollBars, false, child);
            break;
        }
        case TChildRule::Skin3rdEach:
            if (const auto kind = LookupSkin3rd(d_.Skin3rd(), child->ClassName()))
                Apply(child, ChooseSkin3rdKind(*kind, skin));
            break;
        case TChildRule::None:
            break;
        }
    }
}

void TMappingRun::StepsBefore(TControl* c, const TWrapperChoice& choice) {
    if (choice.steps.Contains(TMappingStep::SkinMenuItem))
        if (auto* button = dynamic_cast<TToolButton*>(c))
            SkinMenuItemTree(button->MenuItem(), &d_);
    auto* bar = dynamic_cast<TToolBar*>(c);
    if (!bar)
        return;
    if (choice.steps.Contains(TMappingStep::ToolBarDrawing) && !bar->OnCustomDrawButton)
        bar->OnCustomDrawButton = DrawSkinnedToolButton;
    if (choice.steps.Contains(TMappingStep::ToolBarMenu) && bar->Menu())
        if (TMenuItem* items = bar->Menu()->Items())
            for (int i = 0; i < items->Count(); ++i)
                SkinMenuItemTree(items->Items(i), &d_);
}

void TMappingRun::StepsAfter(TControl* c, const TWrapperChoice& choice) {
    if (choice.steps.Contains(TMappingStep::FaceColour) && c->Color() != d_.ButtonFaceColour) {
        c->SetColor(d_.ButtonFaceColour);
        c->Invalidate();
    }
}

} // namespace

TMenuItemSkinner SetMenuItemSkinner(TMenuItemSkinner skinner) {
    const TMenuItemSkinner previous = gMenuItemSkinner;
    gMenuItemSkinner = skinner;
    return previous;
}

TMenuItemSkinner MenuItemSkinner() {
    return gMenuItemSkinner;
}

// The framework-control walk: wrappers whose window is gone are freed first,
// then every control the owner owns goes through the rule, in order.
void TWinSkinForm::SkinOwnedControls(TComponent* owner) {
    if (!owner || !skinData_)
        return;
    for (TSkinControl* w : std::vector<TSkinControl*>(Wrappers))
        if (w->State == TWrapperState::Destroyed)
            delete w;
    for (int i = 0; i < owner->ComponentCount(); ++i)
        if (auto* c = dynamic_cast<TControl*>(owner->Components(i)))
            SkinControl(c, owner);
}

void TWinSkinForm::SkinControl(TControl* c, TComponent* walked) {
    if (!c || !skinData_ || TagDisabled(c->Tag(), skinData_->DisableTag()))
        return;
    TMappingRun run(*this);
    if (run.IsWrapped(c))
        return;
    if (auto* wc = dynamic_cast<TWinControl*>(c); wc && !wc->HandleAllocated()) {
        try {
            wc->HandleNeeded();
        } catch (...) {
            return; // a control whose window cannot be made stays unskinned
        }
    }
    if (run.OfferToHost(c, walked))
        return;
    run.Apply(c, ChooseWrapper(FactsOf(*c), run.SkinFacts()));
}

// The raw child-window walk of a window no framework form stands for.
void TWinSkinForm::SkinChildWindows() {
    if (!skinData_ || !IsWindow(Handle))
        return;
    for (HWND child = GetTopWindow(Handle); child; child = GetWindow(child, GW_HWNDNEXT))
        if (GetWindowLongW(child, GWL_STYLE) & WS_CHILD)
            SkinChildWindow(child);
}

// One raw child window (also a size grip reported by the manager's hook).
void TWinSkinForm::SkinChildWindow(HWND child) {
    if (!skinData_ || !child || TSkinManage::IsExcluded(child))
        return;
    for (const TSkinControl* w : Wrappers)
        if (w->Handle == child)
            return;
    char name[101] = {};
    const int n = GetClassNameA(child, name, sizeof name);
    const TRawChoice choice =
        ChooseRawWrapper(LowerAscii(std::string_view(name, n > 0 ? static_cast<size_t>(n) : 0)),
                         GetWindowLongW(child, GWL_STYLE));
    if (choice.wrapperClass.empty())
        return;
    // An extended combo box's wrapper sits on its inner combo box: that one
    // counts as the child's wrapper too.
    HWND target = choice.firstChild ? GetWindow(child, GW_CHILD) : child;
    for (const TSkinControl* w : Wrappers)
        if (w->Handle == target)
            return;
    if (target)
        TMappingRun(*this).Wrap(nullptr, target, choice.wrapperClass, TAttachMode::Window, false,
                                this);
}

// The wrappers of the child and of the windows inside it give their
// windows back and go.
void TWinSkinForm::ReleaseChildWindow(HWND child) {
    for (size_t i = Wrappers.size(); i-- > 0;) {
        if (i >= Wrappers.size())
            continue;
        TSkinControl* w = Wrappers[i];
        if (w->Handle != child && !IsChild(child, w->Handle))
            continue;
        UnregisterWrapper(w);
        w->FormSkinner = nullptr;
        if (w->State != TWrapperState::Destroyed)
            w->RestoreControl();
        delete w;
    }
}
