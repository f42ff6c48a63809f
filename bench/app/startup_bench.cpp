// Start-up benchmark: time from process creation to the first paint of the
// program's main window, against the same window without its skin data
// component (status bar and browser host only) and against an empty Win32
// window and against the floor of any program of this kind (a bare window
// hosting the same browser control through the platform's own calls), all
// measured in child processes of this run, in turns, median of N. The
// differences between the lines break the main window's time down: OLE, the
// browser control, the skin, and the rest of the form.
//   startup_bench [rounds]        driver: prints "name: value unit" lines
//   startup_bench --shell         child: the main window (as the program builds it)
//   startup_bench --noskin        child: the main window without the skin
//   startup_bench --nobrowser     child: the main window without the browser
//   startup_bench --empty         child: a bare registered window
//   startup_bench --ole           child: the bare window after OleInitialize
//   startup_bench --browser       child: the bare window hosting the browser control
//   startup_bench --stages [rounds]  driver: the main window's and the floor's start-up
//                                 step by step
//   startup_bench --trace-floor   child: the floor, printing "name value" per step
//   startup_bench --trace         child: the main window, printing "name value" per step
//   startup_bench --profile [rounds]  driver: where the main window's start-up time goes,
//                                 by window class and message (self and inclusive time)
//   startup_bench --trace --profile  child: the trace with the message profile
#include "framework/ui/win32.h"

#include "app/form_resource.h"
#include "app/main_frm.h"
#include "framework/gdi/paint_scope.h"
#include "framework/ole/ole_scope.h"
#include "bench/app/message_profile.h"
#include "bench/bench_util.h"
#include "framework/ui/application.h"
#include "skin/window/skin_engine.h"

#include <exdisp.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <cwctype>
#include <map>
#include <string>
#include <utility>
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

// When the program's own code began (wmain), in the same measure.
double g_entryMs = 0;

// Reports the time since the process was created and since the program's
// own code began, and leaves at once (no close query, no teardown).
[[noreturn]] void ReportAndExit() {
    const double now = MsSinceProcessStart();
    std::printf("%.3f %.3f\n", now, now - g_entryMs);
    std::fflush(stdout);
    ExitProcess(0);
}

// The main window's start-up with a mark at each step: the time since the
// process was created, the first creation of each window class (through a CBT
// hook) and how many times the main window is sized, framed and painted before
// its first paint has been handled (through a call-window hook).
struct TStartupTrace {
    std::vector<std::pair<std::string, double>> marks;
    std::map<std::string, int> counts;
    std::map<std::string, bool> classesSeen;
    HWND form = nullptr;
    bool floor = false; // tracing the floor's start-up
    HHOOK cbt = nullptr, calls = nullptr, cbtFirst = nullptr;
    bench::TMessageProfile* profile = nullptr;

    void Mark(const std::string& name) { marks.emplace_back(name, MsSinceProcessStart()); }
    [[noreturn]] void PrintAndExit() {
        Mark("first_paint_done");
        for (const auto& [name, ms] : marks)
            std::printf("%s %.3f\n", name.c_str(), ms);
        for (const auto& [name, n] : counts)
            std::printf("count_%s %d\n", name.c_str(), n);
        if (profile) {
            for (int i = 0; i < 16; ++i)
                profile->Close();
            profile->Print();
            profile->PrintEvents();
        }
        std::fflush(stdout);
        ExitProcess(0);
    }
};
TStartupTrace g_trace;

LRESULT CALLBACK TraceCbt(int code, WPARAM wp, LPARAM lp);

LRESULT CALLBACK EmptyProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_PAINT) {
        if (g_trace.floor)
            g_trace.Mark("first_paint_start");
        { TPaintScope paint(wnd); }
        if (g_trace.floor)
            g_trace.PrintAndExit();
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

// The floor: the bare window (OLE initialised first when `withOle`) hosting
// the platform's browser control in the platform's own control-container
// window (atl.dll's AtlAxWin), sent to the program's start address before
// the window is shown, as the main window does.
int RunBrowserFloor(bool withBrowser, bool traced = false) {
    g_trace.floor = traced;
    auto mark = [traced](const char* name) {
        if (traced)
            g_trace.Mark(name);
    };
    mark("entry");
    if (traced)
        g_trace.cbt = SetWindowsHookExW(WH_CBT, TraceCbt, nullptr, GetCurrentThreadId());
    OleInitialize(nullptr);
    mark("ole_initialised");
    WNDCLASSW wc{};
    wc.lpfnWndProc = EmptyProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"LtBrowserFloorWindow";
    RegisterClassW(&wc);
    HWND wnd = CreateWindowExW(0, wc.lpszClassName, L"floor", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                               CW_USEDEFAULT, CW_USEDEFAULT, 1024, 768, nullptr, nullptr,
                               wc.hInstance, nullptr);
    mark("window_created");
    if (withBrowser) {
        HMODULE atl = LoadLibraryW(L"atl.dll");
        auto init = reinterpret_cast<BOOL(WINAPI*)()>(
            reinterpret_cast<void*>(GetProcAddress(atl, "AtlAxWinInit")));
        auto control = reinterpret_cast<HRESULT(WINAPI*)(HWND, IUnknown**)>(
            reinterpret_cast<void*>(GetProcAddress(atl, "AtlAxGetControl")));
        if (!init || !control || !init())
            return 3;
        RECT client{};
        GetClientRect(wnd, &client);
        HWND host =
            CreateWindowExW(0, L"AtlAxWin", L"Shell.Explorer.2", WS_CHILD | WS_VISIBLE, 0, 0,
                            client.right, client.bottom, wnd, nullptr, wc.hInstance, nullptr);
        IUnknown* unknown = nullptr;
        IWebBrowser2* browser = nullptr;
        if (!host || FAILED(control(host, &unknown)) || !unknown ||
            FAILED(unknown->QueryInterface(IID_IWebBrowser2, reinterpret_cast<void**>(&browser))))
            return 4;
        mark("browser_created");
        VARIANT url, empty;
        VariantInit(&url);
        VariantInit(&empty);
        url.vt = VT_BSTR;
        url.bstrVal = SysAllocString(TForm_Main::StartUrl().c_str());
        browser->Navigate2(&url, &empty, &empty, &empty, &empty);
        VariantClear(&url);
        mark("navigation_started");
    }
    ShowWindow(wnd, SW_SHOWMAXIMIZED);
    mark("window_shown");
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
// first WM_PAINT has been handled; without the object `without` (the skin
// data component or the browser) when one is named.
int RunShell(const char* without) {
    TOleScope ole;
    TApplication application(nullptr);
    application.Initialize();
    application.SetTitle(L"岚拓食品销售管理系统");
    InstallSkinEngine(); // as the program does: the main window's frame is skinned
    TForm_Main* form = nullptr;
    if (!without) {
        form = application.CreateForm<TForm_Main>();
    } else {
        const std::string full = LoadFormResource(L"TFORM_MAIN");
        const std::string bare = WithoutObject(full, without);
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

LRESULT CALLBACK TraceCbt(int code, WPARAM wp, LPARAM lp) {
    if (code == HCBT_CREATEWND) {
        wchar_t cls[128] = L"";
        GetClassNameW(reinterpret_cast<HWND>(wp), cls, 128);
        std::string name;
        for (const wchar_t* c = cls; *c; ++c)
            name += (*c < 128 && iswalnum(*c)) ? static_cast<char>(*c) : '_';
        if (!g_trace.classesSeen[name]) {
            g_trace.classesSeen[name] = true;
            g_trace.Mark("create_" + name);
        }
        ++g_trace.counts["windows_created"];
    }
    if (code == HCBT_ACTIVATE && g_trace.profile)
        g_trace.profile->Close(); // the activation section the first hook opened
    return CallNextHookEx(nullptr, code, wp, lp);
}

// Installed after the skin's own hook, so it is called before it: opens the
// activation section that TraceCbt, called after the skin's, closes.
LRESULT CALLBACK TraceCbtFirst(int code, WPARAM wp, LPARAM lp) {
    if (code == HCBT_ACTIVATE && g_trace.profile)
        g_trace.profile->Open("cbt_activate");
    return CallNextHookEx(nullptr, code, wp, lp);
}

// The main window's messages counted by the trace.
const std::pair<UINT, const char*> kCountedFormMessages[] = {
    {WM_SIZE, "form_wm_size"},
    {WM_NCCALCSIZE, "form_wm_nccalcsize"},
    {WM_NCPAINT, "form_wm_ncpaint"},
    {WM_ERASEBKGND, "form_wm_erasebkgnd"},
    {WM_NCACTIVATE, "form_wm_ncactivate"},
    {WM_WINDOWPOSCHANGED, "form_wm_windowposchanged"},
};

LRESULT CALLBACK TraceCalls(int code, WPARAM wp, LPARAM lp) {
    const auto* m = reinterpret_cast<const CWPSTRUCT*>(lp);
    if (code == HC_ACTION) {
        ++g_trace.counts["messages_sent"];
        if (g_trace.form && m->hwnd == g_trace.form) {
            for (const auto& [id, name] : kCountedFormMessages)
                if (m->message == id)
                    ++g_trace.counts[name];
        }
    }
    return CallNextHookEx(nullptr, code, wp, lp);
}

int RunTrace(bool profiled) {
    g_trace.Mark("entry");
    static bench::TMessageProfile profile;
    if (profiled) {
        profile.Start();
        if (const char* floor = std::getenv("LT_STARTUP_EVENTS"))
            profile.KeepEvents(std::atof(floor));
        g_trace.profile = &profile;
    }
    auto open = [profiled](const char* name) {
        if (profiled)
            profile.Open(name);
    };
    auto close = [profiled] {
        if (profiled)
            profile.Close();
    };
    for (const auto& [id, name] : kCountedFormMessages)
        g_trace.counts[name] = 0;
    g_trace.cbt = SetWindowsHookExW(WH_CBT, TraceCbt, nullptr, GetCurrentThreadId());
    g_trace.calls = SetWindowsHookExW(WH_CALLWNDPROC, TraceCalls, nullptr, GetCurrentThreadId());
    TOleScope ole;
    g_trace.Mark("ole_initialised");
    TApplication application(nullptr);
    application.Initialize();
    application.SetTitle(L"岚拓食品销售管理系统");
    InstallSkinEngine();
    g_trace.Mark("application_ready");
    const std::string definition = LoadFormResource(L"TFORM_MAIN");
    g_trace.Mark("definition_loaded");
    open("code_form_build");
    auto* form = new TForm_Main(&application, definition);
    application.SetMainForm(form);
    close();
    g_trace.Mark("form_built");
    g_trace.cbtFirst = SetWindowsHookExW(WH_CBT, TraceCbtFirst, nullptr, GetCurrentThreadId());
    open("code_form_windows");
    g_trace.form = form->Handle();
    close();
    g_trace.Mark("form_windows_created");
    TWndMethod inner = form->WindowProc;
    form->WindowProc = [inner](TMessage& msg) {
        if (msg.Msg == WM_PAINT)
            g_trace.Mark("first_paint_start");
        inner(msg);
        if (msg.Msg == WM_PAINT)
            g_trace.PrintAndExit();
    };
    open("code_form_show");
    form->Show();
    close();
    g_trace.Mark("form_shown");
    application.Run();
    return 1;
}

// Runs this program in a mode and returns what it prints.
std::string RunChildOutput(const wchar_t* mode);

// Runs the traced start-up `rounds` times and prints, per step in the order
// seen, the median time it took since the step before; counts as medians too.
int RunStages(int rounds, const wchar_t* mode, const char* prefix) {
    std::vector<std::string> order;
    std::map<std::string, std::vector<double>> steps;
    for (int r = 0; r < rounds; ++r) {
        const std::string out = RunChildOutput(mode);
        char name[160];
        double value = 0, previous = 0;
        for (const char* p = out.c_str(); std::sscanf(p, "%159s %lf", name, &value) == 2;) {
            const std::string key = name;
            const bool count = key.rfind("count_", 0) == 0;
            if (!steps.count(key))
                order.push_back(key);
            steps[key].push_back(count ? value : value - previous);
            if (!count)
                previous = value;
            p = std::strchr(p, '\n');
            if (!p)
                break;
            ++p;
        }
    }
    if (order.empty())
        return 1;
    for (const std::string& key : order) {
        std::vector<double> v = steps[key];
        std::sort(v.begin(), v.end());
        const bool count = key.rfind("count_", 0) == 0;
        bench::Report(std::string(prefix) + key, v[v.size() / 2], count ? "" : "ms");
    }
    return 0;
}

// Runs the profiled trace `rounds` times and prints, for the keys that took
// the most, the median self and inclusive time per run (0 in a run that did
// not see the key) and the median count.
int RunProfile(int rounds) {
    std::map<std::string, std::vector<double>> self, inclusive, count;
    for (int r = 0; r < rounds; ++r) {
        const std::string out = RunChildOutput(L"--trace --profile");
        char name[200];
        double s = 0, i = 0;
        int n = 0;
        for (const char* p = out.c_str(); p && *p;
             p = std::strchr(p, '\n') ? std::strchr(p, '\n') + 1 : nullptr) {
            if (std::strncmp(p, "prof_", 5) != 0 ||
                std::sscanf(p + 5, "%199s %lf %lf %d", name, &s, &i, &n) != 4)
                continue;
            for (auto* m : {&self, &inclusive, &count})
                (*m)[name].resize(rounds, 0);
            self[name][r] = s;
            inclusive[name][r] = i;
            count[name][r] = n;
        }
    }
    auto median = [](std::vector<double> v) {
        std::sort(v.begin(), v.end());
        return v.empty() ? 0 : v[v.size() / 2];
    };
    std::vector<std::pair<double, std::string>> order;
    for (const auto& [key, v] : self)
        order.emplace_back(median(v), key);
    std::sort(order.rbegin(), order.rend());
    double total = 0;
    for (const auto& [ms, key] : order)
        total += ms;
    for (size_t k = 0; k < order.size() && k < 40; ++k) {
        const std::string& key = order[k].second;
        bench::Report("startup_profile_" + key + "_self", order[k].first, "ms");
        bench::Report("startup_profile_" + key + "_inclusive", median(inclusive[key]), "ms");
        bench::Report("startup_profile_" + key + "_count", median(count[key]), "");
    }
    bench::Report("startup_profile_all_self", total, "ms");
    return order.empty() ? 1 : 0;
}

// Runs this program in a mode and returns what it prints.
std::string RunChildOutput(const wchar_t* mode) {
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
        return {};
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
    return out;
}

// Runs this program in a mode and reads the milliseconds it prints: since
// its process was created, and since its own code began.
std::pair<double, double> RunChild(const wchar_t* mode) {
    const std::string out = RunChildOutput(mode);
    double total = -1, own = -1;
    if (std::sscanf(out.c_str(), "%lf %lf", &total, &own) != 2)
        return {-1, -1};
    return {total, own};
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    g_entryMs = MsSinceProcessStart();
    const std::wstring mode = argc > 1 ? argv[1] : L"";
    if (mode == L"--shell")
        return RunShell(nullptr);
    if (mode == L"--noskin")
        return RunShell("SkinData_Main");
    if (mode == L"--nobrowser")
        return RunShell("WebBrowser");
    if (mode == L"--empty")
        return RunEmpty();
    if (mode == L"--ole")
        return RunBrowserFloor(false);
    if (mode == L"--browser")
        return RunBrowserFloor(true);
    if (mode == L"--trace")
        return RunTrace(argc > 2 && std::wstring(argv[2]) == L"--profile");
    if (mode == L"--profile")
        return RunProfile(argc > 2 ? std::max(1, _wtoi(argv[2])) : 7);
    if (mode == L"--trace-floor")
        return RunBrowserFloor(true, true);
    if (mode == L"--stages") {
        const int rounds = argc > 2 ? std::max(1, _wtoi(argv[2])) : 7;
        const int shell = RunStages(rounds, L"--trace", "startup_step_");
        return RunStages(rounds, L"--trace-floor", "startup_floor_step_") | shell;
    }
    const int rounds = argc > 1 ? std::max(1, _wtoi(argv[1])) : 7;
    const wchar_t* modes[] = {L"--empty",  L"--ole",       L"--browser",
                              L"--noskin", L"--nobrowser", L"--shell"};
    std::vector<double> times[6], own[6];
    for (int i = 0; i < rounds; ++i) { // in turns, so all see the same load
        for (int m = 0; m < 6; ++m) {
            const auto [total, inside] = RunChild(modes[m]);
            times[m].push_back(total);
            own[m].push_back(inside);
        }
    }
    const double e = Median(times[0]), o = Median(times[1]), f = Median(times[2]),
                 n = Median(times[3]), b = Median(times[4]), s = Median(times[5]);
    bench::Report("startup_empty_window_first_paint", e, "ms");
    bench::Report("startup_ole_window_first_paint", o, "ms");
    bench::Report("startup_browser_floor_first_paint", f, "ms");
    bench::Report("startup_main_window_no_skin_first_paint", n, "ms");
    bench::Report("startup_main_window_no_browser_first_paint", b, "ms");
    bench::Report("startup_main_window_first_paint", s, "ms");
    bench::Report("startup_share_ole", o - e, "ms");
    bench::Report("startup_share_browser_control", f - o, "ms");
    bench::Report("startup_skin_share", s - n, "ms");
    bench::Report("startup_share_browser_in_main_window", s - b, "ms");
    bench::Report("startup_share_rest_of_form", s - f - (s - n), "ms");
    bench::Report("startup_main_window_vs_empty_ratio", e > 0 ? s / e : 0, "x");
    bench::Report("startup_main_window_no_skin_vs_empty_ratio", e > 0 ? n / e : 0, "x");
    bench::Report("startup_browser_floor_vs_empty_ratio", e > 0 ? f / e : 0, "x");
    bench::Report("startup_main_window_vs_browser_floor_ratio", f > 0 ? s / f : 0, "x");
    // The same without the process's creation and loading (identical for
    // every mode, the same program): the part the program's own code spends.
    const double eo = Median(own[0]), fo = Median(own[2]), no = Median(own[3]), so = Median(own[5]);
    bench::Report("startup_process_creation_to_own_code", s - so, "ms");
    bench::Report("startup_empty_window_own_code_first_paint", eo, "ms");
    bench::Report("startup_browser_floor_own_code_first_paint", fo, "ms");
    bench::Report("startup_main_window_no_skin_own_code_first_paint", no, "ms");
    bench::Report("startup_main_window_own_code_first_paint", so, "ms");
    bench::Report("startup_main_window_vs_browser_floor_own_code_ratio", fo > 0 ? so / fo : 0, "x");
    for (double v : {e, o, f, n, b, s})
        if (v <= 0)
            return 1;
    return 0;
}
