// The skinned frame against the platform's own non-client handling, side by
// side in one run on two 1920 x 1080 windows of the same style: a whole
// frame paint, the region rebuild, and one drag-resize step (size change,
// non-client paint, region).
#include "bench/bench_util.h"
#include "framework/core/stream.h"
#include "framework/ui/messages.h"
#include "skin/model/skin_data.h"
#include "skin/window/form_skinner.h"
#include "skin/window/frame_paint.h"
#include "tools/skininfo/skin_folder_pack.h"

#include <algorithm>
#include <initializer_list>
#include <memory>
#include <string>

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

HWND MakeWindow(const wchar_t* title) {
    static bool registered = false;
    if (!registered) {
        WNDCLASSW wc{};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = L"FrameBenchWindow";
        RegisterClassW(&wc);
        registered = true;
    }
    return CreateWindowExW(0, L"FrameBenchWindow", title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                           kWidth, kHeight, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
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
void ResizeStep(HWND wnd, int i) {
    const int t = i % 128;
    const int d = 2 * (t < 64 ? t : 127 - t);
    SetWindowPos(wnd, nullptr, 0, 0, g_start.cx - d, g_start.cy - d,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(wnd, WM_NCPAINT, 1, 0);
    UpdateWindow(wnd);
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

} // namespace

int main() {
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
    bench::Report("frame.build_region_only_1920x1080", build / 1e6, "ms");
    bench::Report("frame.set_window_region_only", set / 1e6, "ms");
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

    g_start = CommonSize({native, skinned});
    bench::Report("frame.resize_start_width", g_start.cx, "px");
    bench::Report("frame.resize_start_height", g_start.cy, "px");
    int i = 0, j = 0;
    const double nativeResize = bench::MedianNs(9, 128, [&] { ResizeStep(native, i++); });
    const double skinnedResize = bench::MedianNs(9, 128, [&] { ResizeStep(skinned, j++); });
    bench::Report("frame.native_resize_step", nativeResize / 1e6, "ms");
    bench::Report("frame.skinned_resize_step", skinnedResize / 1e6, "ms");
    bench::Report("frame.resize_ratio_skinned_vs_native", skinnedResize / nativeResize, "x");
    ReportMessages("native", native, 128);
    ReportMessages("skinned", skinned, 128);

    skinner->Restore();
    skinner.reset();
    DestroyWindow(skinned);
    DestroyWindow(native);
    return 0;
}
