// TSkinData: creation, the published properties and their setters, skin
// loading from the stream or a file, and the requests to the skin manager.
#include "skin/model/skin_data.h"

#include <string_view>

#include "framework/core/ansi.h"
#include "framework/core/class_builder.h"
#include "framework/core/exception.h"
#include "framework/core/filer.h"
#include "framework/core/utf8.h"
#include "framework/gdi/color.h"
#include "skin/store/quick_ini.h"
#include "skin/model/skin_loader.h"
#include "skin/store/skin_reader.h"

// windows.h maps RegisterClass to the window-class call; the class table
// below means the framework's class registry.
#undef RegisterClass

namespace {

// Delay of the actions a component requests once a window was activated (ms).
constexpr int kActionDelay = 250;

// The class lines Skin3rd starts with, in order (three lines are repeated).
constexpr std::string_view kDefaultSkin3rd =
    "TAdvPanelGroup=embedscrollbar, TComboboxex=combobox, TRxSpeedButton=speedbutton, "
    "TControlBar=Panel, TTBDock=Panel, TTBToolbar=Panel, TAdvPageControl=nil, "
    "TImageEnMView=scrollbar, TImageEnView=scrollbar, TAdvMemo=scrollbar, TDBAdvMemo=scrollbar, "
    "TcxDBLookupComboBox=combobox, TcxDBComboBox=combobox, TcxDBDateEdit=combobox, "
    "TcxDBImageComboBox=combobox, TcxDBCalcEdit=combobox, TcxDBBlobEdit=combobox, "
    "TcxDBPopupEdit=combobox, TcxDBFontNameComboBox=combobox, TcxDBShellComboBox=combobox, "
    "TRxLookupEdit=combobox, TRxDBLookupCombo=combobox, TRzButton=button, TRzBitbtn=bitbtn, "
    "TRzMenuButton=bitbtn, TRzCheckGroup=CheckGroup, TRzRadioGroup=Radiogroup, "
    "TRzRadioButton=Radiobutton, TRzCheckBox=Checkbox, TRzButtonEdit=Edit, "
    "TRzDBRadioGroup=Radiogroup, TRzDBRadioButton=Radiobutton, TRzDateTimeEdit=combobox, "
    "TRzColorEdit=combobox, TRzDateTimePicker=combobox, TRzDBDateTimeEdit=combobox, "
    "TRzDbColorEdit=combobox, TRzDBDateTimePicker=combobox, TLMDGroupBox=Groupbox, "
    "TDBCheckboxEh=Checkbox, TDBCheckboxEh=Checkbox, TLMDCHECKBOX=Checkbox, "
    "TLMDDBCHECKBOX=Checkbox, TLMDRadiobutton=Radiobutton, TLMDCalculator=panel, "
    "TLMDGROUPBOX=Panel, TLMDSIMPLEPANEL=Panel, TLMDDBCalendar=Panel, TLMDButtonPanel=Panel, "
    "TLMDLMDCalculator=Panel, TLMDHeaderPanel=Panel, TLMDTechnicalLine=Panel, "
    "TLMDLMDClock=Panel, TLMDTrackbar=panel, TLMDListCombobox=combobox, "
    "TLMDCheckListCombobox=combobox, TLMDHeaderListCombobox=combobox, "
    "TLMDImageCombobox=combobox, TLMDColorCombobox=combobox, TLMDFontCombobox=combobox, "
    "TLMDFontSizeCombobox=combobox, TLMDFontSizeCombobox=combobox, "
    "TLMDPrinterCombobox=combobox, TLMDDriveCombobox=combobox, "
    "TLMDCalculatorComboBox=combobox, TLMDTrackBarComboBox=combobox, "
    "TLMDCalendarComboBox=combobox, TLMDTreeComboBox=combobox, TLMDRADIOGROUP=radiogroup, "
    "TLMDCheckGroup=CheckGroup, TLMDDBRADIOGROUP=radiogroup, TLMDDBCheckGroup=CheckGroup, "
    "TLMDCalculatorEdit=edit, TLMDEDIT=Edit, TLMDMASKEDIT=Edit, TLMDBROWSEEDIT=Edit, "
    "TLMDEXTSPINEDIT=Edit, TLMDCALENDAREDIT=Edit, TLMDFILEOPENEDIT=Edit, "
    "TLMDFILESAVEEDIT=Edit, TLMDCOLOREDIT=Edit, TLMDDBEDIT=Edit, TLMDDBMASKEDIT=Edit, "
    "TLMDDBEXTSPINEDIT=Edit, TLMDDBSPINEDIT=Edit, TLMDDBEDITDBLookup=Edit, "
    "TLMDEDITDBLookup=Edit, TDBLookupCombobox=Combobox, TWWDBCombobox=Combobox, "
    "TWWDBLookupCombo=Combobox, TWWDBCombobox=Combobox, TWWKeyCombo=Combobox, "
    "TWWTempKeyCombo=combobox, TWWDBDateTimePicker=Combobox, TWWRADIOGROUP=radiogroup, "
    "TWWDBEDIT=Edit, TcxButton=bitbtn, TcxDBCheckBox=checkbox, TcxDBRadioGroup=radiogroup, "
    "TcxRadioGroup=radiogroup, TcxCheckBox=checkbox, TOVCPICTUREFIELD=Edit, "
    "TOVCDBPICTUREFIELD=Edit, TOVCSLIDEREDIT=Edit, TOVCDBSLIDEREDIT=Edit, "
    "TOVCSIMPLEFIELD=Edit, TOVCDBSIMPLEFIELD=Edit, TO32DBFLEXEDIT=Edit, "
    "TOVCNUMERICFIELD=Edit, TOVCDBNUMERICFIELD=Edit";

// Appends the default class lines to list.
void AddDefaultSkin3rd(TStringList& list) {
    std::string_view rest = kDefaultSkin3rd;
    while (!rest.empty()) {
        size_t cut = rest.find(", ");
        list.Add(std::string(rest.substr(0, cut)));
        rest = cut == std::string_view::npos ? std::string_view() : rest.substr(cut + 2);
    }
}

TSkinManagerAccess gManagerAccess = nullptr;

} // namespace

// Installs the accessor of the skin manager; returns the previous one.
TSkinManagerAccess SetSkinManagerAccess(TSkinManagerAccess access) {
    TSkinManagerAccess old = gManagerAccess;
    gManagerAccess = access;
    return old;
}

// The skin manager (made first when create is set), or nullptr without one.
TSkinManagerLink* SkinManager(bool create) {
    return gManagerAccess ? gManagerAccess(create) : nullptr;
}

LT_CLASS_TABLE(TSkinData) {
    c.Boolean("Active", &TSkinData::Active, &TSkinData::SetActive)
        .Integer("DisableTag", &TSkinData::DisableTag, &TSkinData::SetDisableTag)
        .Set("SkinControls", &TSkinData::SkinControls, &TSkinData::SetSkinControls)
        .Set("Options", &TSkinData::Options, &TSkinData::SetOptions)
        .Strings(
            "Skin3rd", [](TSkinData& d) -> TStringList& { return d.Skin3rd(); },
            &TSkinData::SetSkin3rd)
        .String(
            "SkinFile", [](TSkinData& d) { return d.SkinFile(); }, &TSkinData::SetSkinFile)
        .String("SkinStore", &TSkinData::SkinStore, &TSkinData::SetSkinStore)
        .Enum("SkinFormtype", &TSkinData::SkinFormtype, &TSkinData::SetSkinFormtype)
        .String("Version", &TSkinData::Version, &TSkinData::SetVersion)
        .Boolean("MenuUpdate", &TSkinData::MenuUpdate, &TSkinData::SetMenuUpdate)
        .Boolean("MenuMerge", &TSkinData::MenuMerge, &TSkinData::SetMenuMerge)
        .Event("OnFormSkin", &TSkinData::OnFormSkin)
        .Event("OnSkinChanged", &TSkinData::OnSkinChanged)
        .Event("OnSkinControl", &TSkinData::OnSkinControl);
}

// Form definitions name the class: it is known as soon as a program that
// uses the component starts.
static const bool kSkinDataRegistered = (TSkinData::StaticClass(), true);

// Creates the empty component: default settings, the 110 class lines, the
// always-present skin objects and the system-menu glyphs.
TSkinData::TSkinData(TComponent* owner)
    : TComponent(owner), LeftBorder(std::make_unique<TDataSkinBorder>("Left")),
      RightBorder(std::make_unique<TDataSkinBorder>("Right")),
      TopBorder(std::make_unique<TDataSkinBorder>("Top")),
      BottomBorder(std::make_unique<TDataSkinBorder>("Bottom")),
      Title(std::make_unique<TDataSkinTitle>("Title")),
      Buttons(std::make_unique<TDataSkinButton>("Buttons")) {
    AddDefaultSkin3rd(skin3rd_);
    LoadMenuGlyphs();
}

// Leaves the skin manager; the model and pictures go with their owners.
TSkinData::~TSkinData() {
    MenuGlyphs.reset();
    skin3rd_.Clear();
    if (TSkinManagerLink* m = SkinManager(false))
        m->UnregisterSkinData(this);
}

// Fills MenuGlyphs from the program's "TESSELMENU" bitmap (16-pixel images,
// white transparent). A program without that resource gets an empty list.
void TSkinData::LoadMenuGlyphs() {
    MenuGlyphs = std::make_unique<TImageList>(16, 16, true);
    // The module that holds this code (the skin DLL carries its own strip),
    // else the program.
    HINSTANCE instance = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                           GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&SkinManager), &instance);
    if (!instance || !FindResourceW(instance, L"TESSELMENU", RT_BITMAP))
        instance = GetModuleHandleW(nullptr);
    if (!FindResourceW(instance, L"TESSELMENU", RT_BITMAP))
        return;
    TBitmap glyphs;
    glyphs.LoadFromResourceName(instance, L"TESSELMENU");
    MenuGlyphs->AddMasked(glyphs, clWhite);
}

// Reading SkinStore: "(Good)" at design time when a skin stream is held.
std::string TSkinData::SkinStore() const {
    if (Designing() && const_cast<TMemoryStream&>(skinStream_).Size() > 0)
        return "(Good)";
    return "(none)";
}

// Unpacks the skin stream and builds the model from it.
bool TSkinData::LoadSkin() {
    skinEmpty_ = true;
    if (Designing())
        return false;
    TSkinReader reader;
    skinStream_.SetPosition(0);
    if (!reader.Load(skinStream_))
        return false;
    TQuickIni ini;
    TMemoryStream scratch;
    std::string found;
    reader.FindFileContaining(".ini", scratch, found);
    scratch.SetPosition(0);
    ini.LoadFromStream(scratch);
    BuildSkin(ini, reader);
    return true;
}

// Runs the loader over the open description and archive.
void TSkinData::BuildSkin(const TQuickIni& ini, const TSkinReader& reader) {
    // The old skin's prepared images are of no more use.
    ClearSkinDrawCache();
    TSkinLoader(*this, ini, reader).BuildSkin();
    skinEmpty_ = false;
    ++loadSerial_;
}

// First half of "SkinStream": count, bytes; loads at once at run time.
void TSkinData::ReadSkinStream(TStream& reader) {
    int32_t count = 0;
    reader.ReadBuffer(&count, sizeof count);
    if (count <= 0)
        return;
    // A count past the end of the data cannot be read; fail before allocating.
    if (count > reader.Size() - reader.Position())
        throw EReadError(L"Skin stream data is shorter than its count");
    skinStream_.Clear();
    skinStream_.SetSize(count);
    skinStream_.SetPosition(0);
    reader.ReadBuffer(skinStream_.Memory(), count);
    if (!Designing())
        LoadSkin();
}

// Second half of "SkinStream": the stream's size, then its bytes.
void TSkinData::WriteSkinStream(TStream& writer) {
    int32_t count = static_cast<int32_t>(skinStream_.Size());
    writer.WriteBuffer(&count, sizeof count);
    if (count > 0)
        writer.WriteBuffer(skinStream_.Memory(), count);
}

// The skin stream is stored in the form definition as "SkinStream".
void TSkinData::DefineProperties(TFiler& filer) {
    inherited::DefineProperties(filer);
    filer.DefineBinaryProperty(
        "SkinStream", [this](TStream& s) { ReadSkinStream(s); },
        [this](TStream& s) { WriteSkinStream(s); }, true);
}

// Sets the skin file; at run time an existing file replaces the skin stream
// and is loaded and applied.
void TSkinData::SetSkinFile(const std::string& value) {
    skinEmpty_ = true;
    skinFile_ = value;
    if (Designing()) {
        if (!value.empty() && skinStream_.Size() > 0)
            skinStream_.Clear();
        return;
    }
    std::wstring path = AnsiToWideText(value);
    DWORD attrs = path.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(path.c_str());
    if (attrs == INVALID_FILE_ATTRIBUTES || (attrs & FILE_ATTRIBUTE_DIRECTORY))
        return;
    skinStream_.Clear();
    skinStream_.LoadFromFile(WideToUtf8(path));
    LoadSkin();
    if (formType_ == sfMainform)
        ApplySkin();
}

// Switches skinning on or off through the skin manager.
void TSkinData::SetActive(bool value) {
    if (value == active_)
        return;
    active_ = value;
    if (Designing() || HasState(csReading) || HasState(csLoading))
        return;
    if (formType_ == sfDialog)
        return;
    TSkinManagerLink* m = SkinManager(false);
    if (!m)
        return;
    if (formType_ == sfOnlyThisForm) {
        m->SetPendingSkinData(this);
        if (value && skinEmpty_)
            return;
        m->RequestAction(value ? TSkinAction::Activate : TSkinAction::Deactivate, kActionDelay);
        return;
    }
    if (value) {
        if (skinEmpty_)
            return;
        m->RequestAction(TSkinAction::Activate, kActionDelay);
        m->SetHookState(TSkinHookState::Running);
    } else {
        m->RequestAction(TSkinAction::Deactivate, kActionDelay);
    }
    m->SetPendingSkinData(this);
}

// After the whole form definition was read: register with the manager,
// install its hook and act on the stored Active value.
void TSkinData::Loaded() {
    inherited::Loaded();
    if (Designing())
        return;
    TSkinManagerLink* m = SkinManager(true);
    if (m)
        m->RegisterSkinData(this);
    if (formType_ != sfMainform) {
        if (m) {
            m->SetActive(true);
            m->SetHookState(static_cast<TSkinHookState>(static_cast<int>(m->HookState()) + 1));
            m->SkinOwnerForm(Owner());
        }
        return;
    }
    if (m)
        m->InstallHook();
    if (active_) {
        if (skinEmpty_)
            active_ = false;
        else if (m)
            m->RequestAction(TSkinAction::Activate, kActionDelay);
    }
    if (skinControls_.Contains(xcMainMenu))
        skinControls_.Exclude(xcMenuItem);
    else
        skinControls_.Exclude(xcSystemMenu);
}

// Hands a newly loaded skin to the forms already skinned.
void TSkinData::ApplySkin() {
    if (Designing() || HasState(csReading) || HasState(csLoading))
        return;
    if (!SkinManager(false))
        Loaded();
    TSkinManagerLink* m = SkinManager(false);
    if (!m)
        return;
    m->SetPendingSkinData(this);
    m->RefreshForms();
    if (m->HookState() == TSkinHookState::Running)
        m->RequestAction(TSkinAction::Refresh, kActionDelay);
}

// The class-name veto used by the skin manager.
void TSkinData::MaySkin(const std::string& aName, bool& doSkin) {
    if (OnFormSkin) {
        OnFormSkin(this, aName, doSkin);
        return;
    }
    if (aName == "SysMonthCal32" ||
        (skinControls_.Contains(xcFastReport) && aName.compare(0, 3, "Tfr") == 0))
        doSkin = false;
}

// Tells the host that a request of this component was carried out.
TColor TSkinData::SkinColourFor(TColor colour) const {
    switch (colour) {
    case clWindowText:
        return WindowTextColour;
    case clBtnText:
        return ButtonTextColour;
    case clBtnFace:
        return ButtonFaceColour;
    case clHighlight:
        return HilightColour;
    case clHighlightText:
        return HilightTextColour;
    case clMenu:
        return MenuColour;
    case clMenuText:
        return MenuTextColour;
    case clMenuBar:
        return MenubarColour;
    case clCaptionText:
        return TitleTextActiveColour;
    case clInactiveCaptionText:
        return TitleTextNoActiveColour;
    case clScrollBar:
        return ScrollbarColour;
    case clBtnShadow:
        return ButtonShadowColour;
    case clBtnHighlight:
        return ButtonHilightColour;
    case cl3DLight:
        return ButtonlightColour;
    case cl3DDkShadow:
        return ButtonDkShadowColour;
    default:
        return colour;
    }
}

void TSkinData::DoSkinChanged() {
    if (OnSkinChanged)
        OnSkinChanged(this);
}
