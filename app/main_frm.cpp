// The main window; see the header.
#include "framework/ui/win32.h"

#include "app/main_frm.h"

#include "app/clock_text.h"
#include "app/form_resource.h"
#include "app/unit_messagebox.h"
#include "browser/embedded_wb.h"
#include "framework/core/class_builder.h"
#include "framework/core/property_access.h"
#include "lantuo_config.h"
#include "skin/model/skin_data.h"

TForm_Main::TForm_Main(TComponent* owner) : TForm_Main(owner, LoadFormResource(L"TFORM_MAIN")) {}

// Reads the definition; the components it names are looked up afterwards.
TForm_Main::TForm_Main(TComponent* owner, const std::string& definition) : TForm(owner) {
    RegisterClasses<TStatusBar, TEmbeddedWB, TSkinData, TTimer>();
    RegisterHandler("FormCreate", this, &TForm_Main::FormCreate);
    RegisterHandler("FormCloseQuery", this, &TForm_Main::FormCloseQuery);
    RegisterHandler("Timer_MainTimer", this, &TForm_Main::Timer_MainTimer);
    ReadDefinition(definition);
    StatusBar_Main = dynamic_cast<TStatusBar*>(FindComponent("StatusBar_Main"));
    Timer_Main = dynamic_cast<TTimer*>(FindComponent("Timer_Main"));
    WebBrowser = dynamic_cast<TEmbeddedWB*>(FindComponent("WebBrowser"));
}

std::wstring TForm_Main::StartUrl() {
    return LT_START_URL;
}

// Switches the skin on (no effect when already on) once its component is part
// of the definition; the browser, when present, goes to the start address.
void TForm_Main::FormCreate(TObject*) {
    StatusBar_Main = dynamic_cast<TStatusBar*>(FindComponent("StatusBar_Main"));
    Timer_Main = dynamic_cast<TTimer*>(FindComponent("Timer_Main"));
    WebBrowser = dynamic_cast<TEmbeddedWB*>(FindComponent("WebBrowser"));
    if (TComponent* skin = FindComponent("SkinData_Main")) {
        WriteValueProperty(skin, "Active", "True");
    }
    // The page loads asynchronously; a refused navigation raises, and the
    // application's handler reports it while the window still opens.
    if (WebBrowser) {
        TVariant url;
        url.vt = VT_BSTR;
        url.bstrVal = SysAllocString(StartUrl().c_str());
        WebBrowser->Navigate2(url);
    }
}

// Each close request asks; only OK lets the window close.
void TForm_Main::FormCloseQuery(TObject*, bool& canClose) {
    canClose = AskConfirm(L"确认退出系统？");
}

// The clock panel shows the local date and time.
void TForm_Main::Timer_MainTimer(TObject*) {
    SYSTEMTIME st;
    GetLocalTime(&st);
    const TClockTime t{st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond};
    if (StatusBar_Main && StatusBar_Main->Panels()->Count() > 4) {
        StatusBar_Main->Panels()->Items(4)->SetText(ClockText(t));
    }
}

LT_CLASS_TABLE(TForm_Main) {}
