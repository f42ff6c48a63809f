// The browser host control: values after construction, the main window's
// definition, option forcing, the user-agent value's life, the processor's
// floating-point mode and navigation.
#include "browser_test_util.h"

#include <gtest/gtest.h>

#include "browser/fpu_control.h"
#include "browser/user_agent.h"
#include "framework/core/class_builder.h"
#include "framework/core/form_reader.h"
#include "framework/core/form_writer.h"

namespace {

// The text of a value under the Post Platform key (empty name: default);
// "<missing>" when there is none.
std::wstring UserAgentValue(const std::wstring& name) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kUserAgentKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return L"<missing>";
    wchar_t text[128] = {};
    DWORD type = 0, size = sizeof(text) - sizeof(wchar_t);
    LONG rc = RegQueryValueExW(key, name.empty() ? nullptr : name.c_str(), nullptr, &type,
                               reinterpret_cast<BYTE*>(text), &size);
    RegCloseKey(key);
    if (rc != ERROR_SUCCESS)
        return L"<missing>";
    return type == REG_SZ ? std::wstring(text) : L"<type " + std::to_wstring(type) + L">";
}

bool UserAgentValueExists(const std::wstring& name) {
    return UserAgentValue(name) != L"<missing>";
}

// Writes (or, with null text, deletes) a value as another program would.
void SetUserAgentValue(const std::wstring& name, const wchar_t* text) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kUserAgentKey, 0, nullptr, 0, KEY_SET_VALUE,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    const wchar_t* n = name.empty() ? nullptr : name.c_str();
    if (text)
        RegSetValueExW(key, n, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                       static_cast<DWORD>((wcslen(text) + 1) * sizeof(wchar_t)));
    else
        RegDeleteValueW(key, n);
    RegCloseKey(key);
}

// The control word without its reserved bits (bit 6 always reads as set).
uint16_t ControlWord() {
    return ReadFpuControlWord() & 0x1F3F;
}

// Restores the runtime's own control word after a test changed it.
struct TControlWordGuard {
    uint16_t saved = ReadFpuControlWord();
    ~TControlWordGuard() { LoadFpuControlWord(saved); }
};

TEST(EmbeddedWBTest, ValuesAfterConstruction) {
    TControlWordGuard guard;
    uint16_t before = ReadFpuControlWord();
    TForm form(nullptr);
    auto* wb = new TEmbeddedWB(&form);
    EXPECT_EQ(ReadFpuControlWord(), before); // construction leaves the processor alone
    EXPECT_EQ(wb->ProgressBar(), nullptr);
    EXPECT_EQ(wb->DownloadOptions(),
              (TDownloadControlOptions{DLCTL_DLIMAGES, DLCTL_VIDEOS, DLCTL_BGSOUNDS}));
    EXPECT_EQ(wb->UserInterfaceOptions(), TUserInterfaceOptions{});
    EXPECT_EQ(wb->DownloadControlValue(), 0x70u);
    EXPECT_EQ(wb->HostUIFlags(), 0u);
    EXPECT_EQ(wb->HelpFile(), L"");
    EXPECT_EQ(wb->UserAgent(), L"");
    EXPECT_FALSE(wb->ReplaceCaption());
    EXPECT_FALSE(wb->HideBorders());
    EXPECT_FALSE(wb->HideScrollBars());
    EXPECT_FALSE(wb->DisableRightClickMenu());
    EXPECT_FALSE(wb->EnableDDE());
    EXPECT_TRUE(wb->fpExceptions());
    EXPECT_FALSE(static_cast<bool>(wb->OnRefresh));
    EXPECT_FALSE(static_cast<bool>(wb->OnShowDialog));
    ASSERT_NE(wb->PrintOptions(), nullptr);
    EXPECT_EQ(wb->PrintOptions()->Header(), L"");
    EXPECT_EQ(wb->PrintOptions()->Footer(), L"");
    EXPECT_EQ(wb->PrintOptions()->Margins()->Left(), 0.0);
    EXPECT_EQ(wb->PrintOptions()->Orientation(), poPortrait);
    ASSERT_EQ(wb->PrintOptions()->HTMLHeader()->Count(), 1);
    EXPECT_EQ((*wb->PrintOptions()->HTMLHeader())[0], "<HTML></HTML>");
    EXPECT_TRUE(wb->OleHost().HasControl());
    EXPECT_TRUE(wb->Browser());
    EXPECT_NE(wb->DdeWindow(), nullptr);

    // Published in declaration order.
    std::vector<std::string> names;
    for (const TPropInfo& p : TEmbeddedWB::StaticClass().OwnProperties())
        names.push_back(p.name);
    ASSERT_EQ(names.size(), 3u + 28u + 9u);
    EXPECT_EQ(names[0], "ProgressBar");
    EXPECT_EQ(names[1], "DownloadOptions");
    EXPECT_EQ(names[2], "UserInterfaceOptions");
    EXPECT_EQ(names[3], "OnRefresh");
    EXPECT_EQ(names[30], "OnShowDialog");
    EXPECT_EQ(names[31], "HelpFile");
    EXPECT_EQ(names[32], "PrintOptions");
    EXPECT_EQ(names[39], "fpExceptions");
}

TEST(EmbeddedWBTest, MainWindowDefinitionGives0x70And0x80) {
    TControlWordGuard guard;
    RegisterClasses<TForm, TEmbeddedWB>();
    const char* text = R"(object Form_Test: TForm
  Left = 40
  Top = 40
  Width = 600
  Height = 400
  object WebBrowser: TEmbeddedWB
    Left = 0
    Top = 0
    Width = 592
    Height = 366
    Align = alClient
    DownloadOptions = [DLCTL_DLIMAGES, DLCTL_VIDEOS, DLCTL_BGSOUNDS]
    UserInterfaceOptions = [FLAT_SCROLLBAR]
    PrintOptions.Margins.Left = 19.05
    PrintOptions.Margins.Right = 19.05
    PrintOptions.Margins.Top = 19.05
    PrintOptions.Margins.Bottom = 19.05
    PrintOptions.Header = '&w&b页码，&p/&P'
    PrintOptions.HTMLHeader = ('<HTML></HTML>')
    PrintOptions.Footer = '&u&b&d'
    PrintOptions.Orientation = poPortrait
    ReplaceCaption = True
    HideBorders = False
    HideScrollBars = False
    DisableRightClickMenu = False
    EnableDDE = False
    fpExceptions = True
  end
end
)";
    TForm form(nullptr);
    ReadFormDefinition(form, text);
    auto* wb = dynamic_cast<TEmbeddedWB*>(form.FindComponent("WebBrowser"));
    ASSERT_NE(wb, nullptr);
    EXPECT_EQ(wb->DownloadControlValue(), 0x70u);
    EXPECT_EQ(wb->HostUIFlags(), 0x80u);
    EXPECT_TRUE(wb->ReplaceCaption());
    EXPECT_EQ(wb->PrintOptions()->Margins()->Top(), 19.05);
    EXPECT_EQ(wb->PrintOptions()->Header(), L"&w&b页码，&p/&P");
    EXPECT_EQ(wb->PrintOptions()->Footer(), L"&u&b&d");
    // fpExceptions = True loaded the default control word.
    EXPECT_EQ(ControlWord(), kFpuExceptionsOn);
    // The form had no window while it was read, yet its message method is hooked.
    EXPECT_FALSE(form.HandleAllocated());
    EXPECT_TRUE(wb->OwnerHooked());
    // The browser answers the host-UI flags it asks for.
    TComPtr<IDocHostUIHandler> ui;
    wb->SiteUnknown()->QueryInterface(IID_IDocHostUIHandler, ui.PutVoid());
    DOCHOSTUIINFO info{};
    ui->GetHostInfo(&info);
    EXPECT_EQ(info.dwFlags, 0x80u);
}

TEST(EmbeddedWBTest, HideBordersAndScrollBarsForceTheirFlagsOnRecomputation) {
    using enum TUserInterfaceOption;
    TBrowserForm f;
    TEmbeddedWB& wb = *f.browser;
    wb.SetHideBorders(true);
    wb.SetHideScrollBars(true);
    wb.SetUserInterfaceOptions({DIALOG});
    EXPECT_EQ(wb.UserInterfaceOptions(), TUserInterfaceOptions{DIALOG}); // stored as given
    // The browser's next ambient call recomputes.
    TComPtr<IDispatch> ambient;
    wb.SiteUnknown()->QueryInterface(IID_IDispatch, ambient.PutVoid());
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    TVariant v;
    ambient->Invoke(-5512, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, v.Put(), nullptr, nullptr);
    EXPECT_EQ(wb.UserInterfaceOptions(),
              (TUserInterfaceOptions{DIALOG, NO3DBORDER, NO3DOUTERBORDER, SCROLL_NO}));
    EXPECT_EQ(wb.HostUIFlags(), 0x1u + 0x4u + 0x8u + 0x200000u);
    // Switched off, the forced flags go even when assigned.
    wb.SetHideBorders(false);
    wb.SetHideScrollBars(false);
    wb.SetUserInterfaceOptions({NO3DBORDER, SCROLL_NO, FLAT_SCROLLBAR});
    TComPtr<IOleCommandTarget> target;
    wb.SiteUnknown()->QueryInterface(IID_IOleCommandTarget, target.PutVoid());
    target->Exec(&IID_IDispatch, 1, 0, nullptr, nullptr);
    EXPECT_EQ(wb.UserInterfaceOptions(), TUserInterfaceOptions{FLAT_SCROLLBAR});
    EXPECT_EQ(wb.HostUIFlags(), 0x80u);
}

// The value is written at load and, at destruction, given back what it held
// before: removed when it was not there, its old text when it was, and left
// alone when another program changed it meanwhile.
TEST(EmbeddedWBTest, UserAgentValueLivesFromLoadToDestruction) {
    SetUserAgentValue(L"", nullptr);
    SetUserAgentValue(L"LtAgentTest", nullptr);
    {
        TBrowserForm f; // loaded with an empty UserAgent: the key's default value
        EXPECT_EQ(UserAgentValue(L""), L"");
    }
    EXPECT_FALSE(UserAgentValueExists(L""));
    {
        TForm form(nullptr);
        auto* wb = new TEmbeddedWB(&form);
        wb->SetUserAgent(L"LtAgentTest");
        EXPECT_FALSE(UserAgentValueExists(L"LtAgentTest")); // written after load only
        wb->SetStateFlag(csLoading, true);
        wb->Loaded();
        EXPECT_EQ(UserAgentValue(L"LtAgentTest"), L"");
        EXPECT_FALSE(UserAgentValueExists(L""));
        delete wb;
        EXPECT_FALSE(UserAgentValueExists(L"LtAgentTest"));
    }
    // A value that was there before comes back.
    SetUserAgentValue(L"", L"LtBefore");
    {
        TBrowserForm f;
        EXPECT_EQ(UserAgentValue(L""), L"");
    }
    EXPECT_EQ(UserAgentValue(L""), L"LtBefore");
    // Changed by someone else while the host lived: theirs stays.
    {
        TBrowserForm f;
        SetUserAgentValue(L"", L"LtOther");
    }
    EXPECT_EQ(UserAgentValue(L""), L"LtOther");
    // Removed by someone else: stays removed.
    {
        TBrowserForm f;
        SetUserAgentValue(L"", nullptr);
    }
    EXPECT_FALSE(UserAgentValueExists(L""));
}

TEST(EmbeddedWBTest, FpExceptionsSetsTheControlWord) {
    TControlWordGuard guard;
    TForm form(nullptr);
    auto* wb = new TEmbeddedWB(&form);
    wb->SetfpExceptions(false);
    EXPECT_FALSE(wb->fpExceptions());
    EXPECT_EQ(ControlWord(), 0x133F);
    wb->SetfpExceptions(true);
    EXPECT_TRUE(wb->fpExceptions());
    EXPECT_EQ(ControlWord(), 0x1332);
}

} // namespace

namespace {

TEST(EmbeddedWBTest, ControlDataIsReadHandedOnAndWrittenBack) {
    RegisterClasses<TForm, TEmbeddedWB>();
    const char* text = R"(object Form_Data: TForm
  object WebBrowser: TEmbeddedWB
    ControlData = {4C0000001C4700002F2E0000}
  end
end
)";
    TForm form(nullptr);
    ReadFormDefinition(form, text); // a control that refuses the bytes is not an error
    auto* wb = dynamic_cast<TEmbeddedWB*>(form.FindComponent("WebBrowser"));
    ASSERT_NE(wb, nullptr);
    const std::vector<uint8_t> expected{0x4C, 0, 0, 0, 0x1C, 0x47, 0, 0, 0x2F, 0x2E, 0, 0};
    EXPECT_EQ(wb->ControlData(), expected);
    EXPECT_TRUE(wb->OleHost().HasControl());
    wb->SetParent(&form);
    std::string written = WriteFormDefinition(*wb);
    EXPECT_NE(written.find("4C0000001C4700002F2E0000}"), std::string::npos) << written;
    TForm other(nullptr);
    auto* copy = new TEmbeddedWB(&other);
    ReadFormDefinition(*copy, written);
    EXPECT_EQ(copy->ControlData(), expected);
    // The control still activates once its window exists.
    form.SetBounds(0, 0, 200, 150);
    wb->SetAlign(alClient);
    form.HandleNeeded();
    wb->HandleNeeded();
    EXPECT_TRUE(wb->OleHost().Active());
}

} // namespace
