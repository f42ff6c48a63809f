// The control wrapper mapping's decisions: the tag rule, the wrapped-already
// search, the Skin3rd lookup and its kinds, the built-in table, the raw
// child-window table.
#include "skin/window/control_mapping.h"

#include <algorithm>
#include <array>

#include "framework/core/strings.h"
#include "framework/stdctrls/std_bars.h"
#include "framework/stdctrls/std_buttons.h"
#include "framework/stdctrls/std_checks.h"
#include "framework/stdctrls/std_edits.h"
#include "framework/stdctrls/std_lists.h"
#include "framework/stdctrls/std_tabs.h"
#include "framework/stdctrls/std_toolbar.h"
#include "framework/stdctrls/std_views.h"
#include "framework/ui/form.h"
#include "framework/ui/statusbar.h"

namespace {

using K = TControlKind;

// Wrapper family names.
constexpr const char* kTab = "TSkinTab";
constexpr const char* kTab31 = "TSkinTab31";
constexpr const char* kCheckBox = "TSkinCheckBox";
constexpr const char* kRadioButton = "TSkinRadioButton";
constexpr const char* kTrackBar = "TSkinTrackBar";
constexpr const char* kUpDown = "TSkinUpDown";
constexpr const char* kGroupBox = "TSkinGroupBox";
constexpr const char* kBox = "TSkinBox";
constexpr const char* kObjImage = "TSkinObjImage";
constexpr const char* kStatusBar = "TSkinStatusBar";
constexpr const char* kProgress = "TSkinProgress";
constexpr const char* kScControl = "TSkinScControl";
constexpr const char* kComBox = "TSkinComBox";
constexpr const char* kEdit = "TSkinEdit";
constexpr const char* kScrollbar = "TSkinScrollbar";
constexpr const char* kBitButton = "TSkinBitButton";
constexpr const char* kSpeedButton = "TSkinSpeedButton";
constexpr const char* kListView = "TSkinListView";
constexpr const char* kButton = "TSkinButton";

// A settled choice with wrapper cls attached by mode.
TWrapperChoice Wrap(const char* cls, TAttachMode mode, bool recolour = false) {
    TWrapperChoice c;
    c.settled = true;
    c.wrapperClass = cls;
    c.attach = mode;
    c.recolour = recolour;
    return c;
}

TWrapperChoice Settled() {
    TWrapperChoice c;
    c.settled = true;
    return c;
}

TWrapperChoice WalkOnly() {
    TWrapperChoice c = Settled();
    c.walkChildren = true;
    return c;
}

// Each child wrapped with child (when eachGate), then the control with the
// group-box wrapper (when selfGate).
TWrapperChoice GroupOf(const char* child, bool eachGate, bool selfGate) {
    TWrapperChoice c = selfGate ? Wrap(kGroupBox, TAttachMode::Control, true) : Settled();
    if (eachGate) {
        c.childRule = TChildRule::WrapEach;
        c.childWrapper = child;
    }
    return c;
}

bool Gate(const TSkinFacts& s, TSkinControlType t) {
    return s.gates.Contains(t);
}

// ---- Skin3rd kinds ----

struct TKindRow {
    const char* kind;
    int gate; // a TSkinControlType, or -1 for none
    bool tab; // the skin needs its tab element too
    TWrapperChoice (*act)(const TSkinFacts&);
};

const std::array<TKindRow, 18>& KindTable() {
    using A = TAttachMode;
    static const std::array<TKindRow, 18> rows{{
        {"nil", -1, false, [](const TSkinFacts&) { return Settled(); }},
        {"combobox", xcCombo, false, [](const TSkinFacts&) { return Wrap(kComBox, A::Control); }},
        {"edit", xcEdit, false, [](const TSkinFacts&) { return Wrap(kEdit, A::Window); }},
        {"radiobutton", xcRadioButton, false,
         [](const TSkinFacts&) { return Wrap(kRadioButton, A::Control); }},
        {"panel", xcPanel, false,
         [](const TSkinFacts&) {
             TWrapperChoice c = Wrap(kBox, A::Control, true);
             c.writes = {{"Transparent", "True"}};
             return c;
         }},
        {"trackbar", xcButton, false,
         [](const TSkinFacts&) {
             TWrapperChoice c = Wrap(kTrackBar, A::Control);
             c.writes = {{"Transparent", "True"}};
             return c;
         }},
        {"button", xcButton, false, [](const TSkinFacts&) { return Wrap(kButton, A::Control); }},
        {"bitbtn", xcButton, false, [](const TSkinFacts&) { return Wrap(kBitButton, A::Control); }},
        {"speedbutton", xcSpeedButton, false,
         [](const TSkinFacts&) { return Wrap(kSpeedButton, A::Graphic); }},
        {"tab", xcTab, true, [](const TSkinFacts&) { return Wrap(kTab, A::Window); }},
        {"progress", xcProgress, false,
         [](const TSkinFacts&) { return Wrap(kProgress, A::Control); }},
        {"scrollbar", xcScrollbar, false,
         [](const TSkinFacts&) {
             TWrapperChoice c = Wrap(kScrollbar, A::ScrollBars);
             c.walkChildren = true;
             return c;
         }},
        {"embedscrollbar", xcScrollbar, false,
         [](const TSkinFacts&) {
             TWrapperChoice c = Settled();
             c.childRule = TChildRule::EmbedScrollBars;
             return c;
         }},
        {"container", -1, false,
         [](const TSkinFacts&) {
             TWrapperChoice c = Settled();
             c.childRule = TChildRule::Skin3rdEach;
             return c;
         }},
        {"groupbox", xcGroupBox, false,
         [](const TSkinFacts&) { return Wrap(kGroupBox, A::Control, true); }},
        {"radiogroup", xcGroupBox, false,
         [](const TSkinFacts& s) {
             return GroupOf(kRadioButton, Gate(s, xcRadioButton), Gate(s, xcGroupBox));
         }},
        {"checkgroup", xcPanel, false,
         [](const TSkinFacts& s) {
             return GroupOf(kCheckBox, Gate(s, xcRadioButton), Gate(s, xcGroupBox));
         }},
        {"checkbox", xcCheckBox, false,
         [](const TSkinFacts&) { return Wrap(kCheckBox, A::Control); }},
    }};
    return rows;
}

// ---- the built-in table ----

struct TTableRow {
    bool (*test)(const TControlFacts&, const std::string& upper);
    int gate;                // a TSkinControlType, or -1 for none
    bool tab;                // the skin needs its tab element too
    bool settledWhenGateOff; // a gated-off match still ends the rule
    TWrapperChoice (*act)(const TControlFacts&);
};

template <TControlKind Kind> bool IsKind(const TControlFacts& f, const std::string&) {
    return f.kinds.Contains(Kind);
}

bool NameIn(const std::string& upper, std::initializer_list<const char*> names) {
    return std::any_of(names.begin(), names.end(), [&](const char* n) { return upper == n; });
}

TWrapperChoice ScrollBars(const TControlFacts&) {
    return Wrap(kScrollbar, TAttachMode::ScrollBars);
}

// Rows 1 to 10 of the table.
std::vector<TTableRow> Rows1To10() {
    using A = TAttachMode;
    using F = const TControlFacts&;
    using U = const std::string&;
    return {
        {IsKind<K::PageControl>, xcTab, true, false, [](F) { return Wrap(kTab, A::Window); }},
        {IsKind<K::MenuItemButton>, xcMainMenu, false, false,
         [](F) {
             TWrapperChoice c = Settled();
             c.steps.Include(TMappingStep::SkinMenuItem);
             return c;
         }},
        {[](F, U u) { return u == "TTABSET"; }, xcTab, true, false,
         [](F) { return Wrap(kTab31, A::Control); }},
        {[](F, U u) { return u == "TTABBEDNOTEBOOK"; }, xcTab, true, false,
         [](F) { return Wrap(kTab, A::Window); }},
        {[](F, U u) { return u == "TMVCPANEL"; }, -1, false, false, [](F) { return WalkOnly(); }},
        {IsKind<K::TabControl>, xcTab, true, false,
         [](F) {
             TWrapperChoice c = Wrap(kTab, A::Window);
             c.owner = TWrapperOwner::FormSkinner;
             return c;
         }},
        {IsKind<K::CheckBox>, xcCheckBox, false, false,
         [](F) { return Wrap(kCheckBox, A::Control); }},
        {[](F, U u) { return u == "TTRACKBAR"; }, xcButton, false, false,
         [](F) { return Wrap(kTrackBar, A::Control); }},
        {[](F, U u) {
             return NameIn(u, {"TUPDOWN", "TSPINBUTTON"});
         },
         xcButton, false, false, [](F) { return Wrap(kUpDown, A::Control); }},
        {IsKind<K::RadioGroup>, xcRadioButton, false, false,
         [](F) { return GroupOf(kRadioButton, true, true); }},
    };
}

// Rows 11 to 17 of the table.
std::vector<TTableRow> Rows11To17() {
    using A = TAttachMode;
    using F = const TControlFacts&;
    using U = const std::string&;
    return {
        {[](F, U u) { return u == "TDBNAVIGATOR"; }, xcPanel, false, false,
         [](F) {
             TWrapperChoice c = Wrap(kBox, A::Control, true);
             c.writes = {{"Flat", "True"}};
             return c;
         }},
        {[](F, U u) { return u == "TRZDBCHECKBOX"; }, xcCheckBox, false, false,
         [](F) {
             TWrapperChoice c = Wrap(kObjImage, A::Control, true);
             c.steps.Include(TMappingStep::GlyphMode);
             return c;
         }},
        {IsKind<K::GroupBox>, xcPanel, false, false,
         [](F) {
             TWrapperChoice c = Wrap(kGroupBox, A::Control, true);
             c.walkChildren = true;
             return c;
         }},
        {IsKind<K::RadioButton>, xcRadioButton, false, false,
         [](F) { return Wrap(kRadioButton, A::Control); }},
        {IsKind<K::ToolBar>, xcToolbar, false, false,
         [](F) {
             TWrapperChoice c = Wrap(kBox, A::Control, true);
             c.writes = {{"Flat", "True"}};
             c.steps.Include(TMappingStep::ToolBarDrawing).Include(TMappingStep::ToolBarMenu);
             return c;
         }},
        {IsKind<K::StatusBar>, xcStatusBar, false, false,
         [](F) {
             TWrapperChoice c = Wrap(kStatusBar, A::Control);
             c.writes = {{"SizeGrip", "False"}};
             return c;
         }},
        {IsKind<K::ProgressBar>, xcProgress, false, false,
         [](F) { return Wrap(kProgress, A::Control); }},
    };
}

// Rows 18 to 32 of the table (33 and 34 need no gate: BuiltInTail).
std::vector<TTableRow> Rows18To32() {
    using A = TAttachMode;
    using F = const TControlFacts&;
    using U = const std::string&;
    return {
        {IsKind<K::ScrollBarControl>, xcScrollbar, false, false,
         [](F) { return Wrap(kScControl, A::ScrollControl); }},
        {IsKind<K::ComboBox>, xcCombo, false, false, [](F) { return Wrap(kComBox, A::Control); }},
        {[](F, U u) { return u == "TDATETIMEPICKER"; }, xcEdit, false, false,
         [](F f) { return Wrap(f.dateUpDownOrTime ? kEdit : kComBox, A::Control); }},
        {[](F, U u) { return u == "TRICHEDIT"; }, xcScrollbar, false, false, ScrollBars},
        {[](F, U u) {
             return NameIn(u, {"TWWDBRICHEDIT", "TDXDBMEMO"});
         },
         xcScrollbar, false, false, ScrollBars},
        {IsKind<K::GlyphButton>, xcBitBtn, false, true,
         [](F) { return Wrap(kBitButton, A::Control); }},
        {IsKind<K::SpeedButton>, xcSpeedButton, false, false,
         [](F) { return Wrap(kSpeedButton, A::Graphic); }},
        {IsKind<K::Panel>, xcPanel, false, false,
         [](F) {
             TWrapperChoice c = Wrap(kBox, A::Control, true);
             c.walkChildren = true;
             return c;
         }},
        {[](F, U u) {
             return NameIn(u, {"TDXTREELIST", "TDXDBTREELIST", "TDXDBGRID"});
         },
         xcScrollbar, false, false, ScrollBars},
        {IsKind<K::ListView>, xcScrollbar, false, false,
         [](F) { return Wrap(kListView, A::ScrollBars); }},
        {IsKind<K::ListBox>, xcScrollbar, false, false, ScrollBars},
        {IsKind<K::ScrollBox>, xcScrollbar, false, false,
         [](F) {
             TWrapperChoice c = Wrap(kScrollbar, A::ScrollBars);
             c.steps.Include(TMappingStep::FaceColour);
             return c;
         }},
        {[](F f, U) { return HasScrollBars(f); }, xcScrollbar, false, false, ScrollBars},
        {IsKind<K::PushButton>, xcButton, false, false,
         [](F) { return Wrap(kButton, A::Control); }},
        {IsKind<K::Edit>, xcEdit, false, false, [](F) { return Wrap(kEdit, A::Window); }},
    };
}

// Rows 1 to 32 in order.
const std::vector<TTableRow>& BuiltInTable() {
    static const std::vector<TTableRow> rows = [] {
        std::vector<TTableRow> all = Rows1To10();
        for (auto part : {Rows11To17(), Rows18To32()})
            all.insert(all.end(), part.begin(), part.end());
        return all;
    }();
    return rows;
}

// The first matching row of rows whose gates are on, or nullopt.
std::optional<TWrapperChoice> FirstRow(const std::vector<TTableRow>& rows, const TControlFacts& f,
                                       const std::string& upper, const TSkinFacts& s) {
    for (const TTableRow& row : rows) {
        if (!row.test(f, upper))
            continue;
        const bool on = (row.gate < 0 || Gate(s, static_cast<TSkinControlType>(row.gate))) &&
                        (!row.tab || s.hasTabElement);
        if (on)
            return row.act(f);
        if (row.settledWhenGateOff)
            return Settled();
    }
    return std::nullopt;
}

// Rows 33 and 34: containers walk their owned controls, an embedded form is
// boxed and walked, and the two edit classes choose by their button count.
TWrapperChoice BuiltInTail(const TControlFacts& f, const std::string& upper, const TSkinFacts& s) {
    if (!NameIn(upper, {"TDCEDIT", "TDCDBEDIT"})) {
        if (f.kinds.Contains(K::Container))
            return WalkOnly();
        if (f.kinds.Contains(K::Form)) {
            TWrapperChoice c = Wrap(kBox, TAttachMode::Control, true);
            c.walkChildren = true;
            return c;
        }
        return Settled();
    }
    if (f.numButtons == 1 && Gate(s, xcCombo))
        return Wrap(kComBox, TAttachMode::Control);
    if (f.numButtons == 0 && Gate(s, xcEdit))
        return Wrap(kEdit, TAttachMode::Window);
    return Settled();
}

template <class T> bool Is(const TObject& o) {
    return dynamic_cast<const T*>(&o) != nullptr;
}

} // namespace

TControlKinds ControlKinds(const TObject& o) {
    TControlKinds k;
    const std::pair<bool, K> facts[] = {
        {Is<TPageControl>(o), K::PageControl},
        {Is<TToolButton>(o), K::MenuItemButton},
        {Is<TTabControl>(o), K::TabControl},
        {Is<TCheckBox>(o), K::CheckBox},
        {Is<TRadioGroup>(o), K::RadioGroup},
        {Is<TCustomGroupBox>(o), K::GroupBox},
        {Is<TRadioButton>(o), K::RadioButton},
        {Is<TToolBar>(o), K::ToolBar},
        {Is<TStatusBar>(o), K::StatusBar},
        {Is<TProgressBar>(o), K::ProgressBar},
        {Is<TScrollBar>(o), K::ScrollBarControl},
        {Is<TComboBox>(o), K::ComboBox},
        {Is<TBitBtn>(o), K::GlyphButton},
        {Is<TSpeedButton>(o), K::SpeedButton},
        {Is<TPanel>(o), K::Panel},
        {Is<TListView>(o), K::ListView},
        {Is<TListBox>(o), K::ListBox},
        {Is<TScrollBox>(o), K::ScrollBox},
        {Is<TMemo>(o) || Is<TTreeView>(o), K::ScrollableView},
        {Is<TButton>(o), K::PushButton},
        {Is<TCustomEdit>(o), K::Edit},
        {Is<TPanel>(o) || Is<TCustomGroupBox>(o) || Is<TScrollBox>(o) || Is<TTabSheet>(o),
         K::Container},
        {Is<TCustomForm>(o), K::Form},
    };
    for (const auto& [is, kind] : facts)
        if (is)
            k.Include(kind);
    return k;
}

std::string LowerAscii(std::string_view text) {
    std::string s(text);
    std::transform(s.begin(), s.end(), s.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; });
    return s;
}

std::string UpperAscii(std::string_view text) {
    std::string s(text);
    std::transform(s.begin(), s.end(), s.begin(),
                   [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; });
    return s;
}

bool TagDisabled(int32_t tag, int32_t disableTag) {
    // C++ takes the remainder's sign from the dividend: -1 % 100 == -1.
    return tag % 100 == disableTag;
}

bool IsPreviewFormName(std::string_view name) {
    return LowerAscii(name).find("preview") != std::string::npos || name == "TQRStandardPreview" ||
           name == "TppPrintPreview" || name == "TdxfmStdPreview";
}

bool AlreadyWrapped(const std::vector<TWrapperEntry>& wrappers, const void* control, bool windowed,
                    HWND window, bool previewForm) {
    for (const TWrapperEntry& w : wrappers) {
        if (w.control) {
            if (w.control == control)
                return true;
            continue;
        }
        if (!windowed)
            continue;
        if (!window)
            return previewForm;
        if (w.window == window)
            return true;
    }
    return false;
}

std::optional<std::string> LookupSkin3rd(const TStringList& lines, std::string_view className) {
    const std::string key = LowerAscii(className) + "=";
    for (int i = 0; i < lines.Count(); ++i) {
        const std::string line = LowerAscii(lines[i]);
        if (line.compare(0, key.size(), key) == 0)
            return line.substr(key.size(), 50);
    }
    return std::nullopt;
}

TWrapperChoice ChooseSkin3rdKind(const std::string& kind, const TSkinFacts& skin) {
    for (const TKindRow& row : KindTable()) {
        if (kind != row.kind)
            continue;
        const bool on = (row.gate < 0 || Gate(skin, static_cast<TSkinControlType>(row.gate))) &&
                        (!row.tab || skin.hasTabElement);
        return on ? row.act(skin) : Settled();
    }
    return Settled();
}

bool HasScrollBars(const TControlFacts& f) {
    if (f.windowed && (f.style & (WS_HSCROLL | WS_VSCROLL)))
        return true;
    const TControlKinds scrollable{K::ListView, K::ListBox, K::ScrollBox, K::ScrollableView};
    return !(f.kinds & scrollable).Empty() || f.tag == 55;
}

TWrapperChoice ChooseWrapper(const TControlFacts& f, const TSkinFacts& s) {
    if (s.skin3rd)
        if (const auto kind = LookupSkin3rd(*s.skin3rd, f.className))
            return ChooseSkin3rdKind(*kind, s);
    const std::string upper = UpperAscii(f.className);
    if (NameIn(upper, {"TDBCOMBOBOXEH", "TQRPREVIEW", "TFRDESIGNERPAGE", "TFRPBOX"}))
        return Settled();
    if (auto c = FirstRow(BuiltInTable(), f, upper, s))
        return *c;
    return BuiltInTail(f, upper, s);
}

TRawChoice ChooseRawWrapper(const std::string& cls, LONG style) {
    if (cls == "button") {
        // The button type is the low four bits; owner-drawn, push-box, split
        // and command-link buttons share bits with the check and radio types
        // but are push buttons.
        switch (style & BS_TYPEMASK) {
        case BS_GROUPBOX:
            return {};
        case BS_CHECKBOX:
        case BS_AUTOCHECKBOX:
        case BS_3STATE:
        case BS_AUTO3STATE:
            return {kCheckBox};
        case BS_RADIOBUTTON:
        case BS_AUTORADIOBUTTON:
            return {kRadioButton};
        default:
            return {kButton};
        }
    }
    if (cls == "combobox")
        return (style & 3) != 1 ? TRawChoice{kComBox} : TRawChoice{};
    if (cls == "comboboxex32")
        return {kComBox, true};
    // The size box is painted in the face colour; a scroll-bar control
    // keeps its own look (the size box's painter would blank it out).
    if (cls == "scrollbar")
        return (style & (SBS_SIZEBOX | SBS_SIZEGRIP)) ? TRawChoice{"TSkinSizer"} : TRawChoice{};
    if (cls == "#32770")
        return {"TSkinBoxH"};
    if (cls == "edit")
        return {kEdit};
    return {};
}
