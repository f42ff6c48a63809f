// The platform's own code paths the program uses, run with the floating-point
// control word the browser host loads (invalid operation, zero divide and
// overflow raised): none of them may fault.
#include "browser_test_util.h"

#include <gtest/gtest.h>

#include <cmath>

#include "browser/fpu_control.h"

namespace {

struct TUnmaskedControlWord {
    uint16_t saved = ReadFpuControlWord();
    TUnmaskedControlWord() { LoadFpuControlWord(kFpuExceptionsOn); }
    ~TUnmaskedControlWord() { LoadFpuControlWord(saved); }
};

// Closes the test's message box once it is up.
void CALLBACK CloseFpuBox(HWND, UINT, UINT_PTR id, DWORD) {
    HWND box = FindWindowW(L"#32770", L"fpu");
    if (!box)
        return;
    KillTimer(nullptr, id);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
}

TEST(PlatformFpuTest, BrowserWindowsDialogsAndTextWorkWithExceptionsRaised) {
    TUnmaskedControlWord cw;
    TBrowserForm f;
    f.form->SetBounds(30, 30, 800, 600);
    PumpMessages(100);
    // Navigation: whatever the platform's engine does with it, it must come back.
    bool navigated = true;
    try {
        f.browser->Navigate(L"about:blank");
    } catch (const Exception&) {
        navigated = false; // a refusal is reported as an exception, not a fault
    }
    PumpMessages(500);
    RecordProperty("navigated", navigated ? "yes" : "no");
    // Text, fonts and drawing in the product's font.
    HDC dc = GetDC(f.form->Handle());
    HFONT font = CreateFontW(-13, 0, 0, 0, FW_NORMAL, 0, 0, 0, GB2312_CHARSET, 0, 0, 0, 0, L"宋体");
    HGDIOBJ old = SelectObject(dc, font);
    RECT r{0, 0, 300, 40};
    EXPECT_GT(DrawTextW(dc, L"岚拓食品销售管理系统 2026年1月6日", -1, &r, DT_SINGLELINE), 0);
    SIZE size{};
    EXPECT_TRUE(GetTextExtentPoint32W(dc, L"确认退出系统？", 7, &size));
    EXPECT_GT(size.cx, 0);
    SelectObject(dc, old);
    DeleteObject(font);
    ReleaseDC(f.form->Handle(), dc);
    // Stretching, the variant conversions of the browser's properties, and a dialog.
    TVariant d;
    d.vt = VT_R8;
    d.dblVal = 19.05;
    TVariant text;
    EXPECT_EQ(VariantChangeType(text.Put(), &d, 0, VT_BSTR), S_OK);
    EXPECT_TRUE(text.bstrVal != nullptr);
    volatile double x = 2.0;
    EXPECT_NEAR(std::sqrt(x), 1.41421356, 1e-6);
    SetTimer(nullptr, 0, 200, &CloseFpuBox);
    MessageBoxW(f.form->Handle(), L"x", L"fpu", MB_OK);
    // Still the control word the host chose.
    EXPECT_EQ(ReadFpuControlWord() & 0x1F3F, kFpuExceptionsOn);
}

} // namespace
