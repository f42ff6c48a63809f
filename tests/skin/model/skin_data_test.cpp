// TSkinData: state after creation, published properties, the "SkinStream"
// property halves, wrong archives, skin files, the class-name veto and the
// requests made to the skin manager (recorded by a stand-in manager).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "framework/core/ansi.h"
#include "framework/core/form_reader.h"
#include "framework/core/form_writer.h"
#include "framework/core/utf8.h"
#include "skin/store/wrong_mark_notice.h"
#include "tests/skin/model/model_fixture.h"
#include "tools/skintool/lzh_encoder.h"

using namespace model_test;

namespace {

// Records what the component asks of the skin manager.
class FakeManager : public TSkinManagerLink {
public:
    void RegisterSkinData(TSkinData* d) override {
        calls.push_back(d->SkinEmpty() ? "register" : "register loaded");
    }
    void UnregisterSkinData(TSkinData*) override { calls.push_back("unregister"); }
    void InstallHook() override { calls.push_back("hook"); }
    void RequestAction(TSkinAction action, int interval) override {
        calls.push_back("request " + std::to_string(static_cast<int>(action)) + " " +
                        std::to_string(interval));
    }
    TSkinHookState HookState() const override { return static_cast<TSkinHookState>(hookState); }
    void SetHookState(TSkinHookState s) override {
        hookState = static_cast<int>(s);
        calls.push_back("hookstate " + std::to_string(hookState));
    }
    void SetActive(bool a) override { calls.push_back(a ? "active on" : "active off"); }
    void SetPendingSkinData(TSkinData* d) override {
        pending = d;
        calls.push_back("pending");
    }
    void RefreshForms() override { calls.push_back("refresh"); }
    void SkinOwnerForm(TComponent* owner) override {
        ownerSeen = owner;
        calls.push_back("skin owner");
    }

    bool exists = false;
    int hookState = 0;
    TSkinData* pending = nullptr;
    TComponent* ownerSeen = nullptr;
    std::vector<std::string> calls;
};

FakeManager* gFake = nullptr;

TSkinManagerLink* FakeAccess(bool create) {
    if (create && !gFake->exists) {
        gFake->exists = true;
        gFake->calls.push_back("create");
    }
    return gFake->exists ? gFake : nullptr;
}

std::vector<std::string> gMessages;
void RecordMessage(const std::string& text) {
    gMessages.push_back(text);
}

class SkinDataTest : public ::testing::Test {
protected:
    void SetUp() override {
        gFake = &fake;
        previousAccess = SetSkinManagerAccess(&FakeAccess);
        previousHook = SetWrongMarkNotice(&RecordMessage);
        gMessages.clear();
    }
    void TearDown() override {
        SetSkinManagerAccess(previousAccess);
        SetWrongMarkNotice(previousHook);
        gFake = nullptr;
    }
    // The calls recorded since the last look, then forgets them.
    std::vector<std::string> Calls() { return std::exchange(fake.calls, {}); }

    FakeManager fake;
    TSkinManagerAccess previousAccess = nullptr;
    TWrongMarkNoticeProc previousHook = nullptr;
};

using Lines = std::vector<std::string>;

// The skin stream property data: count, then the bytes.
std::vector<uint8_t> PropertyData(const std::vector<uint8_t>& stream) {
    std::vector<uint8_t> out(4 + stream.size());
    int32_t n = static_cast<int32_t>(stream.size());
    std::memcpy(out.data(), &n, 4);
    if (!stream.empty())
        std::memcpy(out.data() + 4, stream.data(), stream.size());
    return out;
}

// A skin stream whose archive carries another mark.
std::vector<uint8_t> WrongMarkSkin() {
    std::vector<uint8_t> archive =
        BuildSkinArchive({IniEntry("[TitlebarSkin]\r\nSkinName=Old\r\n")});
    int32_t mark = 10000;
    std::memcpy(archive.data(), &mark, 4);
    return LzhEncode(archive);
}

} // namespace

// Runs first: nothing has asked for the class yet, the library registered it.
TEST(SkinDataClass, RegisteredForFormDefinitions) {
    const TClassInfo* found = FindClass("TSkinData");
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found, &TSkinData::StaticClass());
    EXPECT_TRUE(found->InheritsFrom(TComponent::StaticClass()));
}

TEST_F(SkinDataTest, StateAfterCreate) {
    TSkinData data(nullptr);
    EXPECT_FALSE(data.Active());
    EXPECT_EQ(data.DisableTag(), 99);
    EXPECT_EQ(data.SkinControls().Mask(), 0x0007FFFBu);
    EXPECT_FALSE(data.SkinControls().Contains(xcMenuItem));
    EXPECT_FALSE(data.SkinControls().Contains(xcFastReport));
    EXPECT_TRUE(data.Options().Empty());
    EXPECT_EQ(data.SkinFormtype(), sfMainform);
    EXPECT_EQ(data.Version(), "3.02.03.09");
    EXPECT_TRUE(data.MenuUpdate());
    EXPECT_FALSE(data.MenuMerge());
    EXPECT_EQ(data.SkinFile(), "");
    EXPECT_EQ(data.SkinStore(), "(none)");
    EXPECT_TRUE(data.SkinEmpty());
    EXPECT_EQ(data.SkinStream().Size(), 0);
    EXPECT_TRUE(data.DefaultIcon.Empty());
    EXPECT_TRUE(data.FramePaintEnabled);
    EXPECT_FALSE(data.OnWindowCreated);
    EXPECT_EQ(data.LeftBorder->Name, "Left");
    EXPECT_EQ(data.RightBorder->Name, "Right");
    EXPECT_EQ(data.TopBorder->Name, "Top");
    EXPECT_EQ(data.BottomBorder->Name, "Bottom");
    EXPECT_EQ(data.Title->Name, "Title");
    EXPECT_EQ(data.Buttons->Name, "Buttons");
    EXPECT_TRUE(data.CaptionButtons.empty());
    EXPECT_FALSE(data.Progress);
    EXPECT_FALSE(data.FaceBrush);

    const TStringList& lines = data.Skin3rd();
    ASSERT_EQ(lines.Count(), 110);
    EXPECT_EQ(lines[0], "TAdvPanelGroup=embedscrollbar");
    EXPECT_EQ(lines[23], "TRzBitbtn=bitbtn");
    EXPECT_EQ(lines[39], "TDBCheckboxEh=Checkbox");
    EXPECT_EQ(lines[40], "TDBCheckboxEh=Checkbox");
    EXPECT_EQ(lines[60], "TLMDFontSizeCombobox=combobox");
    EXPECT_EQ(lines[61], "TLMDFontSizeCombobox=combobox");
    EXPECT_EQ(lines[109], "TOVCDBNUMERICFIELD=Edit");
    // No request reaches the manager from creation.
    EXPECT_TRUE(Calls().empty());
}

TEST_F(SkinDataTest, MenuGlyphsComeFromTheBitmapResource) {
    TSkinData data(nullptr);
    ASSERT_TRUE(data.MenuGlyphs);
    EXPECT_EQ(data.MenuGlyphs->Width(), 16);
    EXPECT_EQ(data.MenuGlyphs->Height(), 16);
    ASSERT_EQ(data.MenuGlyphs->Count(), 4);
    // The close glyph: ink in the middle, white is transparent.
    TBitmap close;
    data.MenuGlyphs->GetBitmap(3, close, clRed);
    EXPECT_EQ(PixelOf(close, 7, 7), 0x000000u);
    EXPECT_EQ(PixelOf(close, 0, 0), static_cast<uint32_t>(clRed));
    EXPECT_EQ(PixelOf(close, 3, 3), 0x000000u);
    EXPECT_EQ(PixelOf(close, 7, 3), static_cast<uint32_t>(clRed));
}

TEST_F(SkinDataTest, PublishedPropertiesInOrderAndFixedValues) {
    TSkinData data(nullptr);
    Lines names;
    for (const TPropInfo& p : TSkinData::StaticClass().OwnProperties()) {
        names.push_back(p.name);
        EXPECT_FALSE(p.hasDefault) << p.name;
    }
    Lines expected = {"Active",    "DisableTag", "SkinControls",  "Options",      "Skin3rd",
                      "SkinFile",  "SkinStore",  "SkinFormtype",  "Version",      "MenuUpdate",
                      "MenuMerge", "OnFormSkin", "OnSkinChanged", "OnSkinControl"};
    EXPECT_EQ(names, expected);

    const TPropInfo* version = TSkinData::StaticClass().FindProperty("version");
    ASSERT_NE(version, nullptr);
    version->setAnsi(data, "9.9");
    EXPECT_EQ(version->getAnsi(data), "3.02.03.09");
    const TPropInfo* store = TSkinData::StaticClass().FindProperty("SkinStore");
    ASSERT_NE(store, nullptr);
    store->setAnsi(data, "(Good)");
    EXPECT_EQ(store->getAnsi(data), "(none)");
    // Reading it at run time gives "(none)" even with a skin; at design time
    // a held skin stream reads "(Good)".
    ASSERT_TRUE(LoadBytes(data, ProjectSkin()));
    EXPECT_EQ(store->getAnsi(data), "(none)");
    data.SetStateFlag(csDesigning, true);
    EXPECT_EQ(store->getAnsi(data), "(Good)");
    data.SkinStream().Clear();
    EXPECT_EQ(store->getAnsi(data), "(none)");

    const TPropInfo* controls = TSkinData::StaticClass().FindProperty("SkinControls");
    ASSERT_NE(controls, nullptr);
    controls->setOrd(data, (1 << xcMainMenu) | (1 << xcTab));
    EXPECT_EQ(data.SkinControls().Mask(), (1u << xcMainMenu) | (1u << xcTab));
    EXPECT_EQ(controls->enumInfo->Name(xcFastReport), "xcFastReport");
}

TEST_F(SkinDataTest, SkinStreamPropertyHalves) {
    TSkinData data(nullptr);
    // An empty stream is written as a zero count with nothing after it.
    TMemoryStream written;
    data.WriteSkinStream(written);
    ASSERT_EQ(written.Size(), 4);
    EXPECT_EQ(std::memcmp(written.Memory(), "\0\0\0\0", 4), 0);
    // A count of 0 loads nothing.
    written.SetPosition(0);
    data.ReadSkinStream(written);
    EXPECT_EQ(data.SkinStream().Size(), 0);
    EXPECT_TRUE(data.SkinEmpty());

    // At run time the skin is loaded as soon as the data is read.
    std::vector<uint8_t> bytes = PropertyData(ProjectSkin());
    TMemoryStream in;
    in.WriteBuffer(bytes.data(), static_cast<int32_t>(bytes.size()));
    in.SetPosition(0);
    data.ReadSkinStream(in);
    EXPECT_EQ(data.SkinStream().Size(), static_cast<int64_t>(ProjectSkin().size()));
    EXPECT_FALSE(data.SkinEmpty());
    EXPECT_EQ(data.SkinName, "XPLuna");
    // Writing gives back the same count and bytes.
    TMemoryStream out;
    data.WriteSkinStream(out);
    ASSERT_EQ(out.Size(), static_cast<int64_t>(bytes.size()));
    EXPECT_EQ(std::memcmp(out.Memory(), bytes.data(), bytes.size()), 0);

    // A count beyond the data fails before anything is kept.
    std::vector<uint8_t> shortData = PropertyData({1, 2, 3});
    shortData[0] = 200;
    TMemoryStream bad;
    bad.WriteBuffer(shortData.data(), static_cast<int32_t>(shortData.size()));
    bad.SetPosition(0);
    EXPECT_THROW(data.ReadSkinStream(bad), EReadError);
    EXPECT_EQ(data.SkinStream().Size(), static_cast<int64_t>(ProjectSkin().size()));

    // At design time the data is kept but not loaded.
    TSkinData designed(nullptr);
    designed.SetStateFlag(csDesigning, true);
    in.SetPosition(0);
    designed.ReadSkinStream(in);
    EXPECT_EQ(designed.SkinStream().Size(), static_cast<int64_t>(ProjectSkin().size()));
    EXPECT_TRUE(designed.SkinEmpty());
    EXPECT_FALSE(designed.LoadSkin());
}

TEST_F(SkinDataTest, WrongArchiveMarkShowsTheMessageOnceAndRefusesActivation) {
    TSkinData data(nullptr);
    ASSERT_TRUE(LoadBytes(data, ProjectSkin()));
    EXPECT_FALSE(LoadBytes(data, WrongMarkSkin()));
    ASSERT_EQ(gMessages.size(), 1u);
    EXPECT_EQ(gMessages[0], "This is Older Skin File\rPlease update to new version !");
    EXPECT_TRUE(data.SkinEmpty());
    // The model keeps what the earlier load built.
    EXPECT_EQ(data.SkinName, "XPLuna");
    EXPECT_EQ(data.CaptionButtons.size(), 8u);

    // A definition with Active true and such a skin ends inactive.
    TSkinData read(nullptr);
    read.SetStateFlag(csLoading, true);
    read.SetActive(true);
    std::vector<uint8_t> bytes = PropertyData(WrongMarkSkin());
    TMemoryStream in;
    in.WriteBuffer(bytes.data(), static_cast<int32_t>(bytes.size()));
    in.SetPosition(0);
    read.ReadSkinStream(in);
    EXPECT_EQ(gMessages.size(), 2u);
    Calls();
    read.Loaded();
    EXPECT_FALSE(read.Active());
    EXPECT_EQ(Calls(), (Lines{"create", "register", "hook"}));
}

TEST_F(SkinDataTest, SkinFileLoadsAnExistingFileOnly) {
    wchar_t dir[MAX_PATH];
    ASSERT_GT(GetTempPathW(MAX_PATH, dir), 0u);
    std::string path = WideToAnsiText(std::wstring(dir) + L"lt_skin_data_test.skn");
    TMemoryStream file;
    file.WriteBuffer(ProjectSkin().data(), static_cast<int32_t>(ProjectSkin().size()));
    file.SaveToFile(WideToUtf8(AnsiToWideText(path)));

    TSkinData data(nullptr);
    data.SetSkinFile(path);
    EXPECT_EQ(data.SkinFile(), path);
    EXPECT_FALSE(data.SkinEmpty());
    EXPECT_EQ(data.SkinName, "XPLuna");
    EXPECT_EQ(data.SkinStream().Size(), static_cast<int64_t>(ProjectSkin().size()));
    // A main-form skin is applied at once: the manager is made, told and refreshed.
    EXPECT_EQ(Calls(), (Lines{"create", "register loaded", "hook", "pending", "refresh"}));

    // A missing file leaves the old model but makes the component empty,
    // so switching on is refused.
    data.SetSkinFile(path + ".missing");
    EXPECT_TRUE(data.SkinEmpty());
    EXPECT_EQ(data.SkinName, "XPLuna");
    EXPECT_EQ(data.SkinStream().Size(), static_cast<int64_t>(ProjectSkin().size()));
    data.SetActive(true);
    EXPECT_TRUE(data.Active());
    EXPECT_TRUE(Calls().empty());
    DeleteFileW(AnsiToWideText(path).c_str());

    // At design time a file name stands for the skin: the stream is emptied.
    TSkinData designed(nullptr);
    ASSERT_TRUE(LoadBytes(designed, ProjectSkin()));
    designed.SetStateFlag(csDesigning, true);
    designed.SetSkinFile("any.skn");
    EXPECT_EQ(designed.SkinStream().Size(), 0);
    EXPECT_TRUE(designed.SkinEmpty());
}

TEST_F(SkinDataTest, MaySkinRules) {
    TSkinData data(nullptr);
    auto may = [&](const std::string& name) {
        bool doSkin = true;
        data.MaySkin(name, doSkin);
        return doSkin;
    };
    EXPECT_FALSE(may("SysMonthCal32"));
    EXPECT_TRUE(may("SysMonthCal321"));
    EXPECT_TRUE(may("TfrPreviewForm"));
    EXPECT_TRUE(may("TFRPreviewForm"));
    data.SetSkinControls(data.SkinControls() | TSkinControlTypes{xcFastReport});
    EXPECT_FALSE(may("TfrPreviewForm"));
    EXPECT_TRUE(may("TFRPreviewForm"));
    EXPECT_TRUE(may("TForm1"));
    // With OnFormSkin set, the handler alone decides.
    std::vector<std::string> asked;
    data.OnFormSkin = [&](TObject* sender, const std::string& name, bool& doSkin) {
        EXPECT_EQ(sender, &data);
        asked.push_back(name);
        if (name == "TEditForm")
            doSkin = false;
    };
    EXPECT_TRUE(may("SysMonthCal32"));
    EXPECT_TRUE(may("TfrPreviewForm"));
    EXPECT_FALSE(may("TEditForm"));
    EXPECT_EQ(asked, (Lines{"SysMonthCal32", "TfrPreviewForm", "TEditForm"}));
}

TEST_F(SkinDataTest, LoadedRegistersHooksAndSwitchesOn) {
    TSkinData data(nullptr);
    data.SetStateFlag(csLoading, true);
    data.SetActive(true); // stored only while the definition is read
    ASSERT_TRUE(LoadBytes(data, ProjectSkin()));
    EXPECT_TRUE(Calls().empty());
    data.Loaded();
    EXPECT_TRUE(data.Active());
    EXPECT_EQ(Calls(), (Lines{"create", "register loaded", "hook", "request 1 250"}));
    // The default set holds xcMainMenu, so xcMenuItem stays out and
    // xcSystemMenu stays in.
    EXPECT_EQ(data.SkinControls().Mask(), 0x0007FFFBu);
    // Setting Active to the value it holds changes nothing.
    data.SetActive(true);
    EXPECT_TRUE(Calls().empty());

    TSkinData noMainMenu(nullptr);
    noMainMenu.SetSkinControls(TSkinControlTypes{xcPopupMenu, xcMenuItem, xcSystemMenu});
    noMainMenu.Loaded();
    EXPECT_EQ(noMainMenu.SkinControls(), (TSkinControlTypes{xcPopupMenu, xcMenuItem}));
    TSkinData withMainMenu(nullptr);
    withMainMenu.SetSkinControls(TSkinControlTypes{xcMainMenu, xcMenuItem, xcSystemMenu});
    withMainMenu.Loaded();
    EXPECT_EQ(withMainMenu.SkinControls(), (TSkinControlTypes{xcMainMenu, xcSystemMenu}));
    // Without a skin, Active is cleared and nothing is requested.
    TSkinData empty(nullptr);
    empty.SetStateFlag(csLoading, true);
    empty.SetActive(true);
    Calls();
    empty.Loaded();
    EXPECT_FALSE(empty.Active());
    EXPECT_EQ(Calls(), (Lines{"register", "hook"}));
}

TEST_F(SkinDataTest, LoadedForOneFormSkinsItsOwner) {
    TComponent owner(nullptr);
    auto* data = new TSkinData(&owner);
    data->SetSkinFormtype(sfOnlyThisForm);
    fake.hookState = 2;
    data->Loaded();
    EXPECT_EQ(Calls(), (Lines{"create", "register", "active on", "hookstate 3", "skin owner"}));
    EXPECT_EQ(fake.ownerSeen, &owner);
    // The set is left as it was for such components.
    EXPECT_EQ(data->SkinControls().Mask(), 0x0007FFFBu);
}

TEST_F(SkinDataTest, SetActiveRequestsByFormType) {
    fake.exists = true;
    TSkinData main(nullptr);
    ASSERT_TRUE(LoadBytes(main, ProjectSkin()));
    main.SetActive(true);
    EXPECT_EQ(Calls(), (Lines{"request 1 250", "hookstate 1", "pending"}));
    EXPECT_EQ(fake.pending, &main);
    main.SetActive(false);
    EXPECT_EQ(Calls(), (Lines{"request 2 250", "pending"}));

    TSkinData emptyMain(nullptr);
    emptyMain.SetActive(true);
    EXPECT_TRUE(emptyMain.Active());
    EXPECT_TRUE(Calls().empty());
    emptyMain.SetActive(false);
    EXPECT_EQ(Calls(), (Lines{"request 2 250", "pending"}));

    TSkinData one(nullptr);
    one.SetSkinFormtype(sfOnlyThisForm);
    one.SetActive(true); // no skin: pending only
    EXPECT_EQ(Calls(), (Lines{"pending"}));
    ASSERT_TRUE(LoadBytes(one, ProjectSkin()));
    one.SetActive(false);
    EXPECT_EQ(Calls(), (Lines{"pending", "request 2 250"}));
    one.SetActive(true);
    EXPECT_EQ(Calls(), (Lines{"pending", "request 1 250"}));

    TSkinData dialog(nullptr);
    dialog.SetSkinFormtype(sfDialog);
    ASSERT_TRUE(LoadBytes(dialog, ProjectSkin()));
    dialog.SetActive(true);
    EXPECT_TRUE(dialog.Active());
    EXPECT_TRUE(Calls().empty());
}

TEST_F(SkinDataTest, ApplySkinRefreshesAndRequestsWhenHooked) {
    TSkinData data(nullptr);
    ASSERT_TRUE(LoadBytes(data, ProjectSkin()));
    data.ApplySkin(); // no manager yet: Loaded runs first
    EXPECT_EQ(Calls(), (Lines{"create", "register loaded", "hook", "pending", "refresh"}));
    fake.hookState = 1;
    data.ApplySkin();
    EXPECT_EQ(Calls(), (Lines{"pending", "refresh", "request 3 250"}));
    data.SetStateFlag(csLoading, true);
    data.ApplySkin();
    EXPECT_TRUE(Calls().empty());
}

TEST_F(SkinDataTest, EventsAndDestruction) {
    auto* data = new TSkinData(nullptr);
    int fired = 0;
    data->DoSkinChanged(); // nothing set: nothing happens
    data->OnSkinChanged = [&](TObject* sender) {
        EXPECT_EQ(sender, data);
        ++fired;
    };
    data->DoSkinChanged();
    EXPECT_EQ(fired, 1);
    delete data; // no manager yet: nothing to leave
    EXPECT_TRUE(Calls().empty());
    fake.exists = true;
    delete new TSkinData(nullptr);
    EXPECT_EQ(Calls(), (Lines{"unregister"}));
}

namespace {

// A form definition holding one skin data component with the given skin
// stream property data.
std::string SkinForm(const std::vector<uint8_t>& property) {
    static const char* hex = "0123456789ABCDEF";
    std::string text =
        "object Form1: TComponent\n"
        "  object SkinData_Main: TSkinData\n"
        "    Active = True\n"
        "    SkinControls = [xcMainMenu, xcPopupMenu, xcToolbar, xcControlbar, "
        "xcProgress, xcButton, xcBitBtn, xcSpeedButton, xcPanel, xcGroupBox, xcTab]\n"
        "    SkinStore = '(Good)'\n"
        "    Version = '1.0'\n"
        "    MenuUpdate = False\n"
        "    SkinStream = {";
    for (size_t i = 0; i < property.size(); ++i) {
        if (i % 64 == 0)
            text += "\n      ";
        text += hex[property[i] >> 4];
        text += hex[property[i] & 15];
    }
    return text + "}\n  end\nend\n";
}

} // namespace

TEST_F(SkinDataTest, FormDefinitionLoadsTheSkinWhileReading) {
    TComponent form(nullptr);
    ReadFormDefinition(form, SkinForm(PropertyData(ProjectSkin())));
    auto* data = ObjectAs<TSkinData>(form.FindComponent("SkinData_Main"));
    ASSERT_NE(data, nullptr);
    // Registered with its skin already loaded: the load ran while reading.
    EXPECT_EQ(Calls(), (Lines{"create", "register loaded", "hook", "request 1 250"}));
    EXPECT_TRUE(data->Active());
    EXPECT_FALSE(data->SkinEmpty());
    EXPECT_EQ(data->SkinName, "XPLuna");
    EXPECT_EQ(data->Version(), "3.02.03.09");
    EXPECT_FALSE(data->MenuUpdate());
    // The set lacks xcMenuItem already, so Loaded leaves it as read.
    EXPECT_EQ(data->SkinControls().Mask(),
              (1u << xcMainMenu) | (1u << xcPopupMenu) | (1u << xcToolbar) | (1u << xcControlbar) |
                  (1u << xcProgress) | (1u << xcButton) | (1u << xcBitBtn) | (1u << xcSpeedButton) |
                  (1u << xcPanel) | (1u << xcGroupBox) | (1u << xcTab));

    // Writing stores the stream again; reading that back gives the same bytes.
    std::string written = WriteFormDefinition(form);
    EXPECT_NE(written.find("SkinStream = {"), std::string::npos);
    TComponent copy(nullptr);
    ReadFormDefinition(copy, written);
    auto* again = ObjectAs<TSkinData>(copy.FindComponent("SkinData_Main"));
    ASSERT_NE(again, nullptr);
    ASSERT_EQ(again->SkinStream().Size(), data->SkinStream().Size());
    EXPECT_EQ(std::memcmp(again->SkinStream().Memory(), data->SkinStream().Memory(),
                          static_cast<size_t>(data->SkinStream().Size())),
              0);
    EXPECT_EQ(again->SkinName, "XPLuna");

    // An empty stream is written as a zero count and loads nothing.
    TComponent empty(nullptr);
    ReadFormDefinition(empty, SkinForm({0, 0, 0, 0}));
    auto* none = ObjectAs<TSkinData>(empty.FindComponent("SkinData_Main"));
    ASSERT_NE(none, nullptr);
    EXPECT_TRUE(none->SkinEmpty());
    EXPECT_FALSE(none->Active());
    std::string text = WriteFormDefinition(empty);
    text.erase(
        std::remove_if(text.begin(), text.end(), [](char c) { return c == ' ' || c == '\n'; }),
        text.end());
    EXPECT_NE(text.find("SkinStream={00000000}end"), std::string::npos) << text;
}

// The colour table's colour for each platform colour it has; any other
// colour, the platform's or an application's, comes back unchanged.
TEST(SkinDataColours, SkinColourForAPlatformColour) {
    TSkinData data(nullptr);
    data.WindowTextColour = 0x010101;
    data.ButtonTextColour = 0x020202;
    data.ButtonFaceColour = 0x030303;
    data.HilightTextColour = 0x040404;
    data.MenuTextColour = 0x050505;
    data.ButtonShadowColour = 0x060606;
    data.TitleTextActiveColour = 0x070707;
    EXPECT_EQ(data.SkinColourFor(clWindowText), 0x010101);
    EXPECT_EQ(data.SkinColourFor(clBtnText), 0x020202);
    EXPECT_EQ(data.SkinColourFor(clBtnFace), 0x030303);
    EXPECT_EQ(data.SkinColourFor(clHighlightText), 0x040404);
    EXPECT_EQ(data.SkinColourFor(clMenuText), 0x050505);
    EXPECT_EQ(data.SkinColourFor(clBtnShadow), 0x060606);
    EXPECT_EQ(data.SkinColourFor(clCaptionText), 0x070707);
    EXPECT_EQ(data.SkinColourFor(clInfoText), clInfoText);
    EXPECT_EQ(data.SkinColourFor(clRed), clRed);
    EXPECT_EQ(data.SkinColourFor(0x00E6E2E0), 0x00E6E2E0);
}
