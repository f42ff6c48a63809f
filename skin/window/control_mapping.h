// The control wrapper mapping as decisions over plain facts: which wrapper
// family a control gets (by class name, so that the mapping knows no family
// header), how it is attached, what else happens to the control and its
// children. The form skinner gathers the facts and carries a decision out
// (form_mapping.cpp); everything here runs without a window.
//
// Framework kinds behind the built-in table:
//   tab control TPageControl; second tab kind TTabControl; control that
//   refers to a menu item TToolButton; check box TCheckBox; radio group
//   TRadioGroup; group box TCustomGroupBox; radio button TRadioButton; tool
//   bar TToolBar; status bar TStatusBar; progress bar TProgressBar; scroll-bar
//   control TScrollBar; combo box TComboBox; glyph button TBitBtn; speed
//   button TSpeedButton; panel TPanel; list view TListView; first scrollable
//   kind TListBox; second scrollable kind TScrollBox (its Color becomes the
//   skin's face colour); the further scrollable kinds of the has-scroll-bars
//   test TMemo and TTreeView; push button TButton; edit TCustomEdit;
//   container (its owned controls are walked) TPanel, TCustomGroupBox,
//   TScrollBox and TTabSheet; embedded form TCustomForm.
#pragma once

#include "framework/ui/win32.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "framework/core/set.h"
#include "skin/model/skin_data.h"

class TObject;
class TStringList;
class TMenuItem;

// Framework kinds a control can be of (several at once: a TBitBtn is a glyph
// button and a push button, a TMemo an edit and a scrollable view).
enum class TControlKind {
    PageControl,
    MenuItemButton,
    TabControl,
    CheckBox,
    RadioGroup,
    GroupBox,
    RadioButton,
    ToolBar,
    StatusBar,
    ProgressBar,
    ScrollBarControl,
    ComboBox,
    GlyphButton,
    SpeedButton,
    Panel,
    ListView,
    ListBox,
    ScrollBox,
    ScrollableView,
    PushButton,
    Edit,
    Container,
    Form,
};
using TControlKinds = TSet<TControlKind>;

// The kinds of a framework object, from its class.
TControlKinds ControlKinds(const TObject& control);

// What the mapping knows about one framework control.
struct TControlFacts {
    std::string className; // as its class information names it
    TControlKinds kinds;
    bool windowed = false;
    LONG style = 0; // window style, when it has a window
    int32_t tag = 0;
    // A date-time picker in up-down mode or of the time kind.
    bool dateUpDownOrTime = false;
    // The control's integer property "NumButtons" (0 when it has none).
    int32_t numButtons = 0;
};

// What the mapping knows about the skin data.
struct TSkinFacts {
    TSkinControlTypes gates;
    bool hasTabElement = false;
    const TStringList* skin3rd = nullptr;
};

// How a wrapper is attached.
enum class TAttachMode {
    None,
    Control,       // AttachControl through the control's message method
    Window,        // AttachWindow to the control's window
    ScrollBars,    // AttachScrollBars (scroll-bar overlays)
    ScrollControl, // the scroll-bar control's attach
    Graphic,       // AttachGraphic (a windowless speed button)
};

// Who owns the wrapper: the control (freed with it) or the form skinner.
enum class TWrapperOwner { Control, FormSkinner };

// What happens to the control's child controls before it gets its wrapper.
enum class TChildRule {
    None,
    WrapEach,        // every child gets childWrapper, AttachControl(false)
    EmbedScrollBars, // scroll-bar controls and children with scroll bars
    Skin3rdEach,     // every child goes through the Skin3rd lookup alone
};

// Further steps of some rows.
enum class TMappingStep {
    SkinMenuItem,   // the button's menu item gets the skinned drawing
    ToolBarDrawing, // the form skinner draws the tool bar's buttons
    ToolBarMenu,    // every top-level item of the tool bar's menu is skinned
    FaceColour,     // the control's colour := the skin's face colour
    GlyphMode,      // the wrapper's glyph (image-check) mode is switched on
};
using TMappingSteps = TSet<TMappingStep>;

struct TWrapperChoice {
    // The rule is done with the control (with or without a wrapper).
    bool settled = false;
    // Class name of the wrapper family, empty for none.
    std::string wrapperClass;
    TAttachMode attach = TAttachMode::None;
    bool recolour = false;
    TWrapperOwner owner = TWrapperOwner::Control;
    // Published properties written (name, value text) before attaching.
    std::vector<std::pair<std::string, std::string>> writes;
    TChildRule childRule = TChildRule::None;
    std::string childWrapper;
    TMappingSteps steps;
    // The controls the control owns are walked afterwards.
    bool walkChildren = false;
};

// ASCII case conversion of class names and Skin3rd lines.
std::string LowerAscii(std::string_view text);
std::string UpperAscii(std::string_view text);

// The tag rule: tag mod 100 (remainder with the dividend's sign) equals disableTag.
bool TagDisabled(int32_t tag, int32_t disableTag);

// A form whose name marks it as a print preview.
bool IsPreviewFormName(std::string_view name);

// One entry of the form skinner's wrapper list: the control it belongs to
// (null for a raw-window wrapper) and its window.
struct TWrapperEntry {
    const void* control = nullptr;
    HWND window = nullptr;
};
// Whether control (windowed or not, with its window or null) already has a
// wrapper; a raw-window wrapper met while a windowed control has no window
// yet ends the search with previewForm as the answer.
bool AlreadyWrapped(const std::vector<TWrapperEntry>& wrappers, const void* control, bool windowed,
                    HWND window, bool previewForm);

// The Skin3rd kind of a class: the first line that begins with the lower-case
// class name and "=" wins; its kind is the lower-cased rest (at most 50
// characters). No line: nullopt.
std::optional<std::string> LookupSkin3rd(const TStringList& lines, std::string_view className);

// What a Skin3rd kind does; always settled (an unknown, "nil" or gated-off
// kind leaves the control without wrapper).
TWrapperChoice ChooseSkin3rdKind(const std::string& kind, const TSkinFacts& skin);

// The has-scroll-bars test: WS_HSCROLL or WS_VSCROLL in a windowed control's
// style, one of the scrollable kinds, or Tag exactly 55.
bool HasScrollBars(const TControlFacts& control);

// The rule after the host's own choice: the Skin3rd lookup, the skipped
// class names, then the first matching row of the built-in table.
TWrapperChoice ChooseWrapper(const TControlFacts& control, const TSkinFacts& skin);

// A raw child window's wrapper: its family (empty for none) and whether it
// is attached to the window's first child instead.
struct TRawChoice {
    std::string wrapperClass;
    bool firstChild = false;
};
TRawChoice ChooseRawWrapper(const std::string& classNameLower, LONG style);

// What the executor calls out to: the popup-menu skinning installs the
// function that gives a framework menu item and its sub-items the skinned
// drawing; until then menu items are left as they are.
using TMenuItemSkinner = void (*)(TMenuItem* item, TSkinData* data);
TMenuItemSkinner SetMenuItemSkinner(TMenuItemSkinner skinner);
TMenuItemSkinner MenuItemSkinner();
