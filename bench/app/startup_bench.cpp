// Start-up benchmark: time from process creation to the first paint of the
// program's main window, against the same window without its skin data
// component (status bar and browser host only) and against an empty Win32
// window, all measured in child processes of this run, in turns, median of N.
// The difference between the first two is the skin's share of start-up.
//   startup_bench [rounds]        driver: prints "name: value unit" lines
//   startup_bench --shell         child: the main window (as the program builds it)
//   startup_bench --noskin        child: the main window without the skin
//   startup_bench --empty         child: a bare registered window
#include "framework/ui/win32.h"

#include "app/form_resource.h"
#include "app/main_frm.h"
#include "framework/gdi/paint_scope.h"
#include "framework/ole/ole_scope.h"
#include "bench/bench_util.h"
#include "framework/ui/application.h"

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

// Milliseconds since this process was created.
double MsSinceProcessStart() {
    FILETIME created, exited, kernel, user, now;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    GetSystemTimeAsFileTime(&now);
    auto ticks = [](const FILETIME& f) {
        return (static_cast<unsigned long long>(f.dwHighDateTime) << 32) | f.dwLowDateTime;
    };
    return (ticks(now) - ticks(created)) / 10000.0;
}

// Reports the time and leaves at once (no close query, no teardown).
[[noreturn]] void ReportAndExit() {
    std::printf("%.3f\n", MsSinceProcessStart());
    std::fflush(stdout);
    ExitProcess(0);
}

LRESULT CALLBACK EmptyProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_PAINT) {
        { TPaintScope paint(wnd); }
        ReportAndExit();
    }
    return DefWindowProcW(wnd, msg, wp, lp);
}

// The baseline: register, create, show maximised, first WM_PAINT.
int RunEmpty() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = EmptyProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"LtEmptyBenchWindow";
    RegisterClassW(&wc);
    HWND wnd = CreateWindowExW(0, wc.lpszClassName, L"empty", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                               CW_USEDEFAULT, 1024, 768, nullptr, nullptr, wc.hInstance, nullptr);
    ShowWindow(wnd, SW_SHOWMAXIMIZED);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0)
        DispatchMessageW(&msg);
    return 1;
}

// The definition text without the object `name` (its lines up to the "end"
// at the object's own indentation).
std::string WithoutObject(const std::string& definition, const std::string& name) {
    const std::string key = "object " + name + ":";
    const size_t at = definition.find(key);
    if (at == std::string::npos)
        return definition;
    const size_t lineStart = definition.rfind('\n', at) + 1;
    const std::string end = "\n" + definition.substr(lineStart, at - lineStart) + "end";
    size_t stop = definition.find(end + "\n", at);
    if (stop == std::string::npos)
        stop = definition.find(end + "\r\n", at);
    if (stop == std::string::npos)
        return definition;
    return definition.substr(0, lineStart) + definition.substr(stop + end.size() + 1);
}

// The shell: the program's start-up, stopped right after the main window's
// first WM_PAINT has been handled; without the skin data component when
// `skinned` is false.
int RunShell(bool skinned) {
    TOleScope ole;
    TApplication application(nullptr);
    application.Initialize();
    application.SetTitle(L"岚拓食品销售管理系统");
    TForm_Main* form = nullptr;
    if (skinned) {
        form = application.CreateForm<TForm_Main>();
    } else {
        const std::string full = LoadFormResource(L"TFORM_MAIN");
        const std::string bare = WithoutObject(full, "SkinData_Main");
        if (bare.size() == full.size())
            return 2; // the definition has changed shape; nothing to compare
        form = new TForm_Main(&application, bare);
        application.SetMainForm(form);
    }
    TWndMethod inner = form->WindowProc;
    form->WindowProc = [inner](TMessage& msg) {
        inner(msg);
        if (msg.Msg == WM_PAINT)
            ReportAndExit();
    };
    application.Run();
    return 1;
}

// Runs this program in a mode and reads the milliseconds it prints.
double RunChild(const wchar_t* mode) {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring cmd = L"\"" + std::wstring(self) + L"\" " + mode;
    SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
    HANDLE readEnd, writeEnd;
    CreatePipe(&readEnd, &writeEnd, &sa, 0);
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = writeEnd;
    si.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si,
                        &pi)) {
        return -1;
    }
    CloseHandle(writeEnd);
    std::string out;
    char buf[128];
    DWORD got = 0;
    while (ReadFile(readEnd, buf, sizeof buf, &got, nullptr) && got > 0)
        out.append(buf, got);
    WaitForSingleObject(pi.hProcess, 30000);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    CloseHandle(readEnd);
    return out.empty() ? -1 : std::atof(out.c_str());
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc > 1 && std::wcscmp(argv[1], L"--shell") == 0)
        return RunShell(true);
    if (argc > 1 && std::wcscmp(argv[1], L"--noskin") == 0)
        return RunShell(false);
    if (argc > 1 && std::wcscmp(argv[1], L"--empty") == 0)
        return RunEmpty();
    const int rounds = argc > 1 ? std::max(1, _wtoi(argv[1])) : 7;
    std::vector<double> shell, noskin, empty;
    for (int i = 0; i < rounds; ++i) { // in turns, so all see the same load
        empty.push_back(RunChild(L"--empty"));
        noskin.push_back(RunChild(L"--noskin"));
        shell.push_back(RunChild(L"--shell"));
    }
    const double e = Median(empty), n = Median(noskin), s = Median(shell);
    bench::Report("startup_empty_window_first_paint", e, "ms");
    bench::Report("startup_main_window_no_skin_first_paint", n, "ms");
    bench::Report("startup_main_window_first_paint", s, "ms");
    bench::Report("startup_skin_share", s - n, "ms");
    bench::Report("startup_main_window_vs_empty_ratio", e > 0 ? s / e : 0, "x");
    bench::Report("startup_main_window_no_skin_vs_empty_ratio", e > 0 ? n / e : 0, "x");
    return (e > 0 && n > 0 && s > 0) ? 0 : 1;
}
