// Scrolling a 10,000-line memo by page-downs, its bars skinned with the
// XPLuna overlays against the same memo unskinned, side by side in one run:
// one step is the page-down request, the memo's repaint and, when skinned,
// the overlays' repaint (counted: memo_overlay_paints_per_step).
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/bench_util.h"
#include "framework/core/strings.h"
#include "framework/stdctrls/std_edits.h"
#include "framework/ui/application.h"
#include "framework/ui/form.h"
#include "skin/controls/skin_scrollbars.h"
#include "skin/model/skin_data.h"
#include "tools/skininfo/skin_folder_pack.h"

namespace {

constexpr int kLines = 10000;

class TWrapperList : public TWrapperHost {
public:
    bool RegisterWrapper(TSkinControl*) override { return false; }
    void UnregisterWrapper(TSkinControl*) override {}
    TSkinControl*& HotButton() override { return hot_; }
    TCanvas* Canvas() override { return nullptr; }

private:
    TSkinControl* hot_ = nullptr;
};

void Pump() {
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&m);
        DispatchMessageW(&m);
    }
}

TMemo* MakeMemo(TForm& form, int x, const TStringList& lines) {
    auto* m = new TMemo(&form);
    m->SetParent(&form);
    m->SetBounds(x, 10, 400, 600);
    m->SetWordWrap(false);
    m->SetScrollBars(ssBoth);
    m->SetMaxLength(0);
    m->SetLines(lines);
    return m;
}

// WM_PAINTs taken from the queue for the overlays of the skinned memo.
HWND gOverlays[2] = {};
int gOverlayPaints = 0;
LRESULT CALLBACK CountPaints(int code, WPARAM removed, LPARAM msg) {
    const auto* m = reinterpret_cast<const MSG*>(msg);
    if (code >= 0 && removed == PM_REMOVE && m->message == WM_PAINT &&
        (m->hwnd == gOverlays[0] || m->hwnd == gOverlays[1]))
        ++gOverlayPaints;
    return CallNextHookEx(nullptr, code, removed, msg);
}

// One page down (back to the top at the end) and the repaint it causes.
void PageDown(HWND memo) {
    const bool atEnd = SendMessageW(memo, EM_GETFIRSTVISIBLELINE, 0, 0) >= kLines - 40;
    SendMessageW(memo, WM_VSCROLL, atEnd ? SB_TOP : SB_PAGEDOWN, 0);
    Pump();
}

} // namespace

int main() {
    auto* app = new TApplication(nullptr);
    app->Initialize();
    TSkinData data(nullptr);
    const std::vector<uint8_t> skin = PackSkinFolder(LT_SKIN_DIR);
    data.SkinStream().WriteBuffer(skin.data(), static_cast<int32_t>(skin.size()));
    if (!data.LoadSkin()) {
        std::printf("scroll_bench: the skin did not load\n");
        return 1;
    }
    TStringList lines;
    for (int i = 0; i < kLines; ++i)
        lines.Add("line " + std::to_string(i));
    auto* form = new TForm(app);
    form->SetBounds(0, 0, 900, 700);
    TMemo* plain = MakeMemo(*form, 10, lines);
    TMemo* skinned = MakeMemo(*form, 450, lines);
    TWrapperList host;
    auto* wrapper = new TSkinScrollbar(skinned);
    wrapper->AttachScrollBars(skinned, &data, &host, nullptr);
    form->Show();
    Pump();
    const HWND p = plain->Handle(), s = skinned->Handle();
    bench::Report("memo_lines", static_cast<double>(SendMessageW(s, EM_GETLINECOUNT, 0, 0)),
                  "lines");
    // How often the overlays paint per page-down.
    gOverlays[0] = wrapper->HorzBar->Handle();
    gOverlays[1] = wrapper->VertBar->Handle();
    HHOOK hook = SetWindowsHookExW(WH_GETMESSAGE, CountPaints, nullptr, GetCurrentThreadId());
    constexpr int kCounted = 20;
    for (int i = 0; i < kCounted; ++i)
        PageDown(s);
    UnhookWindowsHookEx(hook);
    bench::Report("memo_overlay_paints_per_step", double(gOverlayPaints) / kCounted, "paints");
    // Alternating rounds, so both see the same machine load; the ratio is
    // the median of the rounds' ratios.
    const bench::TPairedNs t = bench::PairedMedianNs(
        11, 40, [&] { PageDown(s); }, [&] { PageDown(p); });
    const double plainUs = t.Second / 1000.0, skinnedUs = t.First / 1000.0;
    bench::Report("memo_page_down_plain", plainUs, "us/step");
    bench::Report("memo_page_down_skinned", skinnedUs, "us/step");
    bench::Report("memo_page_down_ratio", t.Ratio, "x");
    delete form;
    delete app;
    return 0;
}
