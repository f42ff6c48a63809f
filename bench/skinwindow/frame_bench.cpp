// The skinned frame against the platform's own non-client handling, side by
// side in one run on two 1920 x 1080 windows of the same style: a whole
// frame paint, the region rebuild, and one drag-resize step (size change,
// non-client paint, region).
#include "bench/app/message_profile.h"
#include "bench/bench_util.h"
#include "framework/core/stream.h"
#include "framework/ui/messages.h"
#include "skin/model/skin_data.h"
#include "skin/window/form_skinner.h"
#include "skin/window/frame_paint.h"
#include "tools/skininfo/skin_folder_pack.h"

#include <algorithm>
#include <initializer_list>
#include <map>
#include <memory>
#include <string>

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

// A visible overlapped window of a class registered on first use.
HWND MakeWindowOfClass(const wchar_t* className, WNDPROC proc, const wchar_t* title) {
    WNDCLASSW wc{};
    if (!GetClassInfoW(GetModuleHandleW(nullptr), className, &wc)) {
        wc.lpfnWndProc = proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = className;
        RegisterClassW(&wc);
    }
    return CreateWindowExW(0, className, title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, kWidth,
                           kHeight, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
}

HWND MakeWindow(const wchar_t* title) {
    return MakeWindowOfClass(L"FrameBenchWindow", DefWindowProcW, title);
}

// The shapes a window takes in the drag steps, by size, for the shaped
// native window: its region changes with its size as the skinned one's does,
// through the platform alone.
std::map<std::pair<int, int>, TRegionHandle> g_shapes;

// A plain window that takes the shape of its new size as it is resized,
// without a repaint of its own (the resize repaints it).
LRESULT CALLBACK ShapedProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
    const LRESULT result = DefWindowProcW(wnd, msg, wp, lp);
    if (msg == WM_WINDOWPOSCHANGING) {
        const auto* pos = reinterpret_cast<const WINDOWPOS*>(lp);
        RECT r{};
        GetWindowRect(wnd, &r);
        const auto shape = g_shapes.find({pos->cx, pos->cy});
        if (!(pos->flags & SWP_NOSIZE) && shape != g_shapes.end() &&
            (pos->cx != r.right - r.left || pos->cy != r.bottom - r.top)) {
            HRGN copy = CreateRectRgn(0, 0, 0, 0);
            CombineRgn(copy, shape->second.Get(), nullptr, RGN_COPY);
            SetWindowRgn(wnd, copy, FALSE);
        }
    }
    return result;
}

HWND MakeShapedWindow() {
    return MakeWindowOfClass(L"FrameBenchShapedWindow", ShapedProc, L"shaped native frame");
}

void Pump() {
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&m);
        DispatchMessageW(&m);
    }
}

// The size the drag steps start from: 1920 x 1080 where both windows can
// take it, else the largest both take (a window is held to its largest
// tracking size, which the skinned frame sets to the maximised size), so
// that every step changes both windows' size alike.
SIZE g_start{kWidth, kHeight};

// One drag-resize step: the size changes, the frame is painted, and what
// the step left to repaint is painted. Each step of a round takes a size of
// its own (more sizes than the drawing utilities' cache holds parts), as a
// drag does: 64 steps smaller, then 64 larger again.
SIZE StepSize(int i);
void ResizeStep(HWND wnd, int i) {
    const SIZE size = StepSize(i);
    SetWindowPos(wnd, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(wnd, WM_NCPAINT, 1, 0);
    UpdateWindow(wnd);
}

// The window size of drag step i.
SIZE StepSize(int i) {
    const int t = i % 128;
    const int d = 2 * (t < 64 ? t : 127 - t);
    return {g_start.cx - d, g_start.cy - d};
}

// The steps of the skinned, the native and the shaped native window in
// rotating order within each round, so that all three see the same load of
// a shared machine; medians of the rounds' times and ratios to the native.
struct TStepTimes {
    double Skinned = 0, Native = 0, Shaped = 0;
    double SkinnedRatio = 0, ShapedRatio = 0;
};
TStepTimes TimeSteps(HWND skinned, HWND native, HWND shaped, int rounds) {
    const HWND order[3] = {skinned, native, shaped};
    std::vector<double> times[3], skinnedRatio, shapedRatio;
    int next[3] = {0, 0, 0};
    for (int r = 0; r < rounds; ++r) {
        double t[3] = {};
        for (int k = 0; k < 3; ++k) {
            const int w = (r + k) % 3;
            t[w] = bench::MedianNs(1, 128, [&] { ResizeStep(order[w], next[w]++); });
            times[w].push_back(t[w]);
        }
        skinnedRatio.push_back(t[0] / t[1]);
        shapedRatio.push_back(t[2] / t[1]);
    }
    auto median = [](std::vector<double> v) {
        std::sort(v.begin(), v.end());
        return v[v.size() / 2];
    };
    return {median(times[0]), median(times[1]), median(times[2]), median(skinnedRatio),
            median(shapedRatio)};
}

// The largest size up to 1920 x 1080 that every window takes.
SIZE CommonSize(std::initializer_list<HWND> windows) {
    SIZE size{kWidth, kHeight};
    for (HWND wnd : windows) {
        SetWindowPos(wnd, nullptr, 0, 0, kWidth, kHeight,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        RECT r{};
        GetWindowRect(wnd, &r);
        size.cx = std::min<LONG>(size.cx, r.right - r.left);
        size.cy = std::min<LONG>(size.cy, r.bottom - r.top);
    }
    return size;
}

// Messages sent to one window while counting (a call-window hook).
struct TMessageCount {
    HWND Window = nullptr;
    int All = 0;
    int NcCalcSize = 0;
    int NcPaint = 0;
    int Size = 0;
    int PosChanged = 0;
};
TMessageCount* g_count = nullptr;

LRESULT CALLBACK CountHook(int code, WPARAM wp, LPARAM lp) {
    const auto* m = reinterpret_cast<const CWPSTRUCT*>(lp);
    if (code == HC_ACTION && g_count && m->hwnd == g_count->Window) {
        ++g_count->All;
        g_count->NcCalcSize += m->message == WM_NCCALCSIZE;
        g_count->NcPaint += m->message == WM_NCPAINT;
        g_count->Size += m->message == WM_SIZE;
        g_count->PosChanged += m->message == WM_WINDOWPOSCHANGED;
    }
    return CallNextHookEx(nullptr, code, wp, lp);
}

// The messages a window gets in `steps` resize steps, per step.
void ReportMessages(const char* name, HWND wnd, int steps) {
    TMessageCount count;
    count.Window = wnd;
    g_count = &count;
    HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROC, CountHook, nullptr, GetCurrentThreadId());
    for (int i = 0; i < steps; ++i) {
        ResizeStep(wnd, i);
    }
    UnhookWindowsHookEx(hook);
    g_count = nullptr;
    const std::string prefix = std::string("frame.") + name + "_step_";
    bench::Report(prefix + "messages", double(count.All) / steps, "");
    bench::Report(prefix + "nccalcsize", double(count.NcCalcSize) / steps, "");
    bench::Report(prefix + "ncpaint", double(count.NcPaint) / steps, "");
    bench::Report(prefix + "size", double(count.Size) / steps, "");
    bench::Report(prefix + "poschanged", double(count.PosChanged) / steps, "");
}

// --profile: where a step's time goes, per window class and message (self
// and inclusive), and the messages of two steps in the order they ended.
void ProfileSteps(HWND native, HWND skinned) {
    bench::TMessageProfile profile;
    profile.Start();
    profile.KeepEvents(0);
    for (HWND wnd : {native, skinned})
        for (int i = 0; i < 2; ++i)
            ResizeStep(wnd, i);
    profile.PrintEvents();
}

} // namespace

int main(int argc, char** argv) {
    const bool profile = argc > 1 && std::string(argv[1]) == "--profile";
    TSkinData data(nullptr);
    const std::vector<uint8_t> skin = PackSkinFolder(LT_SKIN_DIR);
    data.SkinStream().WriteBuffer(skin.data(), static_cast<int32_t>(skin.size()));
    if (!data.LoadSkin()) {
        std::printf("frame_bench: the skin did not load\n");
        return 1;
    }
    HWND native = MakeWindow(L"native frame");
    HWND skinned = MakeWindow(L"skinned frame");
    auto skinner = std::make_unique<TWinSkinForm>(nullptr);
    skinner->Handle = skinned;
    skinner->AttachWindow(&data);
    SendMessageW(skinned, SM_SKINCONTENTS, 0, SM_SKINCONTENTS_TAG);
    Pump();
    if (skinner->State() != TFormSkinnerState::Skinned) {
        std::printf("frame_bench: the window was not skinned\n");
        return 1;
    }

    const double nativePaint =
        bench::MedianNs(9, 20, [&] { SendMessageW(native, WM_NCPAINT, 1, 0); });
    const double skinnedPaint =
        bench::MedianNs(9, 20, [&] { SendMessageW(skinned, WM_NCPAINT, 1, 0); });
    bench::Report("frame.native_ncpaint_1920x1080", nativePaint / 1e6, "ms");
    bench::Report("frame.skinned_paintframe_1920x1080", skinnedPaint / 1e6, "ms");
    bench::Report("frame.paint_ratio_skinned_vs_native", skinnedPaint / nativePaint, "x");

    const double region = bench::MedianNs(9, 10, [&] {
        skinner->RegionSize = {};
        skinner->RebuildRegion();
    });
    bench::Report("frame.rebuild_region_1920x1080", region / 1e6, "ms");
    // The region's parts: building it from the borders alone, and handing a
    // region of that shape to the platform alone.
    TFrameRegionInput in;
    in.Width = kWidth;
    in.Height = kHeight;
    in.Metrics = skinner->Metrics();
    in.BorderKind = skinner->BorderKind;
    in.TitleCache = &skinner->TitleCache;
    const double build = bench::MedianNs(9, 10, [&] { BuildFrameRegion(data, in); });
    TRegionHandle shape = BuildFrameRegion(data, in);
    const double set = bench::MedianNs(9, 10, [&] {
        HRGN copy = CreateRectRgn(0, 0, 0, 0);
        CombineRgn(copy, shape.Get(), nullptr, RGN_COPY);
        SetWindowRgn(skinned, copy, TRUE);
    });
    // The same without the platform's repaint (as a resize sets it): what
    // the platform itself adds to a step that reshapes the window.
    const double quiet = bench::MedianNs(9, 10, [&] {
        HRGN copy = CreateRectRgn(0, 0, 0, 0);
        CombineRgn(copy, shape.Get(), nullptr, RGN_COPY);
        SetWindowRgn(skinned, copy, FALSE);
    });
    bench::Report("frame.build_region_only_1920x1080", build / 1e6, "ms");
    bench::Report("frame.set_window_region_only", set / 1e6, "ms");
    bench::Report("frame.set_window_region_quiet", quiet / 1e6, "ms");
    // A resize shapes the window for its new size before painting it: the
    // region built and the borders drawn at a size not seen before.
    TBitmap surface(kWidth, kHeight);
    int k = 0;
    const double shapeThenPaint = bench::MedianNs(9, 20, [&] {
        const int d = 2 * (k++ % 200);
        TFrameRegionInput fresh = in;
        fresh.Width = kWidth - d;
        fresh.Height = kHeight - d;
        fresh.TitleCache = nullptr;
        TRegionHandle r = BuildFrameRegion(data, fresh);
        for (TBorderPart part :
             {TBorderPart::Left, TBorderPart::Right, TBorderPart::Bottom, TBorderPart::Top})
            DrawBorderPart(surface.Canvas().Handle(), part,
                           BorderPartRect(part, fresh.Metrics, fresh.Width, fresh.Height), data,
                           true);
    });
    bench::Report("frame.shape_then_paint_new_size", shapeThenPaint / 1e6, "ms");

    HWND shaped = MakeShapedWindow();
    g_start = CommonSize({native, skinned, shaped});
    bench::Report("frame.resize_start_width", g_start.cx, "px");
    bench::Report("frame.resize_start_height", g_start.cy, "px");
    for (int s = 0; s < 64; ++s) {
        TFrameRegionInput step = in;
        step.Width = StepSize(s).cx;
        step.Height = StepSize(s).cy;
        step.TitleCache = nullptr;
        g_shapes[{step.Width, step.Height}] = BuildFrameRegion(data, step);
    }
    // A drag's steps come inside the platform's sizing loop, which every
    // window is told of when it starts and ends.
    for (HWND wnd : {native, skinned, shaped})
        SendMessageW(wnd, WM_ENTERSIZEMOVE, 0, 0);
    const TStepTimes steps = TimeSteps(skinned, native, shaped, 15);
    bench::Report("frame.native_resize_step", steps.Native / 1e6, "ms");
    bench::Report("frame.skinned_resize_step", steps.Skinned / 1e6, "ms");
    bench::Report("frame.resize_ratio_skinned_vs_native", steps.SkinnedRatio, "x");
    // The platform's own share of a step that reshapes the window: the
    // native window given the skinned shape of each new size.
    bench::Report("frame.shaped_native_resize_step", steps.Shaped / 1e6, "ms");
    bench::Report("frame.resize_ratio_shaped_native_vs_native", steps.ShapedRatio, "x");
    ReportMessages("native", native, 128);
    ReportMessages("skinned", skinned, 128);
    ReportMessages("shaped_native", shaped, 128);
    if (profile)
        ProfileSteps(native, skinned);
    for (HWND wnd : {native, skinned, shaped})
        SendMessageW(wnd, WM_EXITSIZEMOVE, 0, 0);

    skinner->Restore();
    skinner.reset();
    DestroyWindow(skinned);
    DestroyWindow(native);
    DestroyWindow(shaped);
    g_shapes.clear();
    return 0;
}
