// Scrolling a 10,000-line memo by page-downs, its bars skinned with the
// XPLuna overlays against the same memo unskinned, side by side in one run:
// one step is the page-down request, the memo's repaint and, when skinned,
// the overlays' repaint.
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
    // Alternating rounds, so both see the same machine load.
    std::vector<double> plainNs, skinnedNs;
    for (int round = 0; round < 5; ++round) {
        plainNs.push_back(bench::MedianNs(3, 100, [&] { PageDown(p); }));
        skinnedNs.push_back(bench::MedianNs(3, 100, [&] { PageDown(s); }));
    }
    std::sort(plainNs.begin(), plainNs.end());
    std::sort(skinnedNs.begin(), skinnedNs.end());
    const double plainUs = plainNs[2] / 1000.0, skinnedUs = skinnedNs[2] / 1000.0;
    bench::Report("memo_page_down_plain", plainUs, "us/step");
    bench::Report("memo_page_down_skinned", skinnedUs, "us/step");
    bench::Report("memo_page_down_ratio", skinnedUs / plainUs, "x");
    delete form;
    delete app;
    return 0;
}
