// Skinned paints of a status bar, a menu bar and a tab strip against the
// platform's own paint of the same controls, side by side in one run: each
// pair paints into a memory DC of the control's size, in alternating rounds
// (the ratio is the median of the rounds' ratios). The menu bar and the
// status bar twice: repainted unchanged, and composed afresh at every paint
// (the status bar's first panel changes its text at every paint, on both
// bars, as a clock's panel does).
#include "bench/bench_util.h"
#include "framework/gdi/bitmap.h"
#include "framework/gdi/canvas.h"
#include "framework/stdctrls/std_register_a.h"
#include "framework/stdctrls/std_register_b.h"
#include "framework/stdctrls/std_tabs.h"
#include "framework/ui/application.h"
#include "framework/ui/form.h"
#include "framework/ui/menus.h"
#include "framework/ui/statusbar.h"
#include "skin/controls/skin_panels.h"
#include "skin/controls/skin_tabs.h"
#include "skin/model/skin_data.h"
#include "skin/window/form_skinner.h"
#include "skin/window/skin_manager.h"
#include "tools/skininfo/skin_folder_pack.h"

#include <functional>
#include <memory>

namespace {

void Pump() {
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&m);
        DispatchMessageW(&m);
    }
}

// A form with the main window's four-panel status bar, a menu bar of four
// items and a two-page page control.
class TBenchForm : public TForm {
public:
    explicit TBenchForm(TComponent* owner) : TForm(owner) {
        SetBounds(20, 20, 900, 400);
        Bar = new TStatusBar(this);
        Bar->SetParent(this);
        for (int width : {200, 350, 200, 150}) {
            TStatusPanel* p = Bar->Panels()->Add();
            p->SetWidth(width);
            p->SetText(L"http://www.lantuo.cn");
        }
        auto* menu = new TMainMenu(this);
        for (const wchar_t* caption : {L"&File", L"&Edit", L"&View", L"&Help"}) {
            auto* item = new TMenuItem(menu);
            item->SetCaption(caption);
            menu->Items()->Add(item);
            auto* sub = new TMenuItem(item);
            sub->SetCaption(L"&Open");
            item->Add(sub);
        }
        SetMenu(menu);
        Pages = new TPageControl(this);
        Pages->SetParent(this);
        Pages->SetBounds(10, 10, 600, 200);
        for (const wchar_t* name : {L"General", L"Details", L"Sales"}) {
            auto* sheet = new TTabSheet(this);
            sheet->SetPageControl(Pages);
            sheet->SetCaption(name);
        }
        Pages->SetActivePageIndex(0);
    }
    TStatusBar* Bar;
    TPageControl* Pages;
};

// One WM_PAINT of each window into a memory DC of its size, in alternating
// rounds; `before` runs ahead of every paint of either.
bench::TPairedNs PaintPair(HWND skinned, HWND native,
                           const std::function<void(bool)>& before = {}) {
    RECT r{};
    GetWindowRect(native, &r);
    TBitmap target(r.right - r.left, r.bottom - r.top);
    HDC dc = target.Canvas().Handle();
    auto paint = [&](HWND wnd, bool isSkinned) {
        if (before)
            before(isSkinned);
        SendMessageW(wnd, WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    };
    return bench::PairedMedianNs(
        31, 20, [&] { paint(skinned, true); }, [&] { paint(native, false); });
}

void ReportPair(const char* name, double skinned, double native) {
    bench::Report(std::string("paint.") + name + "_native", native / 1e3, "us");
    bench::Report(std::string("paint.") + name + "_skinned", skinned / 1e3, "us");
    bench::Report(std::string("paint.") + name + "_ratio_skinned_vs_native", skinned / native, "x");
}

void ReportPair(const char* name, const bench::TPairedNs& t) {
    bench::Report(std::string("paint.") + name + "_native", t.Second / 1e3, "us");
    bench::Report(std::string("paint.") + name + "_skinned", t.First / 1e3, "us");
    bench::Report(std::string("paint.") + name + "_ratio_skinned_vs_native", t.Ratio, "x");
}

// Where a skinned status-bar paint goes: the wrapper's own drawing alone
// (its kept picture copied), and the bar's own paint with the wrapper
// switched off, against the unskinned form's bar.
void StatusBarPieces(TSkinStatusBar& wrapper, HWND skinned, HWND native) {
    RECT r{};
    GetWindowRect(native, &r);
    TBitmap target(r.right - r.left, r.bottom - r.top);
    HDC dc = target.Canvas().Handle();
    const double skinOnly = bench::MedianNs(31, 20, [&] { wrapper.PaintToWindow(dc); });
    bench::Report("paint.status_bar_piece_skin_only", skinOnly / 1e3, "us");
    SendMessageW(skinned, SM_WRAPPERSWITCH, 0, 0);
    const bench::TPairedNs own = bench::PairedMedianNs(
        31, 20, [&] { SendMessageW(skinned, WM_PAINT, reinterpret_cast<WPARAM>(dc), 0); },
        [&] { SendMessageW(native, WM_PAINT, reinterpret_cast<WPARAM>(dc), 0); });
    SendMessageW(skinned, SM_WRAPPERSWITCH, 1, 0);
    Pump();
    bench::Report("paint.status_bar_piece_own_paint_unskinned_form", own.Second / 1e3, "us");
    bench::Report("paint.status_bar_piece_own_paint_skinned_form", own.First / 1e3, "us");
    bench::Report("paint.status_bar_piece_own_paint_skinned_vs_unskinned_form", own.Ratio, "x");
    RECT s{};
    GetWindowRect(skinned, &s);
    bench::Report("paint.status_bar_piece_width_unskinned_form", r.right - r.left, "px");
    bench::Report("paint.status_bar_piece_width_skinned_form", s.right - s.left, "px");
}

} // namespace

int main() {
    TApplication application(nullptr);
    application.Initialize();
    RegisterStandardControlsA();
    RegisterStandardControlsB();
    TSkinManage::Install();
    TComponent holder(nullptr);
    auto* data = new TSkinData(&holder);
    const std::vector<uint8_t> skin = PackSkinFolder(LT_SKIN_DIR);
    data->SkinStream().WriteBuffer(skin.data(), static_cast<int32_t>(skin.size()));
    if (!data->LoadSkin()) {
        std::printf("paint_bench: the skin did not load\n");
        return 1;
    }
    TBenchForm native(nullptr), skinned(nullptr);
    native.Show();
    skinned.Show();
    Pump();

    // The skinned form: frame and menu bar from the form skinner, the
    // status bar and page control through their wrappers.
    auto* skinner = new TWinSkinForm(&skinned);
    skinner->Handle = skinned.Handle();
    skinner->AttachForm(&skinned, data);
    SendMessageW(skinned.Handle(), SM_SKINCONTENTS, 0, SM_SKINCONTENTS_TAG);
    auto* bar = new TSkinStatusBar(skinned.Bar);
    bar->AttachControl(nullptr, data, false, nullptr);
    auto* tabs = new TSkinTab(nullptr);
    tabs->AttachWindow(skinned.Pages->Handle(), data, nullptr, nullptr);
    Pump();
    if (!skinner->MenuBar) {
        std::printf("paint_bench: no skinned menu bar\n");
        return 1;
    }

    ReportPair("status_bar", PaintPair(skinned.Bar->Handle(), native.Bar->Handle()));
    StatusBarPieces(*bar, skinned.Bar->Handle(), native.Bar->Handle());
    // The whole bar invalidated and painted on screen, as a window repaints.
    auto repaint = [](HWND wnd) {
        InvalidateRect(wnd, nullptr, TRUE);
        UpdateWindow(wnd);
    };
    ReportPair("status_bar_on_screen", bench::PairedMedianNs(
                                           31, 20, [&] { repaint(skinned.Bar->Handle()); },
                                           [&] { repaint(native.Bar->Handle()); }));
    int tick = 0;
    ReportPair("status_bar_composed",
               PaintPair(skinned.Bar->Handle(), native.Bar->Handle(), [&](bool isSkinned) {
                   TStatusBar* b = isSkinned ? skinned.Bar : native.Bar;
                   b->Panels()->Items(0)->SetText(L"12:00:0" + std::to_wstring(++tick % 10));
               }));

    // The menu bar: the skin's bar paint against the platform's own menu-bar
    // drawing of the same menu, both into a memory DC of the bar's size.
    using TDrawMenuBarTemp = DWORD(WINAPI*)(HWND, HDC, RECT*, HMENU, HFONT);
    auto drawNative = reinterpret_cast<TDrawMenuBarTemp>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"user32.dll"), "DrawMenuBarTemp")));
    const int w = 880, h = GetSystemMetrics(SM_CYMENU);
    TBitmap target(w, h);
    HDC dc = target.Canvas().Handle();
    RECT strip{0, 0, w, h};
    const double skinnedMenu = bench::MedianNs(9, 50, [&] { skinner->MenuBar->Paint(dc, strip); });
    HMENU menu = GetMenu(native.Handle());
    const double nativeMenu =
        drawNative ? bench::MedianNs(9, 50,
                                     [&] {
                                         RECT r = strip;
                                         drawNative(native.Handle(), dc, &r, menu, nullptr);
                                     })
                   : 0;
    // The bar composed afresh at every paint (as after a change of state or
    // items): the active state alternates, so the last composition never fits.
    const bool wasActive = skinner->Active;
    bool flip = wasActive;
    const double composedMenu = bench::MedianNs(9, 50, [&] {
        skinner->Active = (flip = !flip);
        skinner->MenuBar->Paint(dc, strip);
    });
    skinner->Active = wasActive;
    if (nativeMenu > 0) {
        ReportPair("menu_bar", skinnedMenu, nativeMenu);
        ReportPair("menu_bar_composed", composedMenu, nativeMenu);
    } else {
        bench::Report("paint.menu_bar_skinned", skinnedMenu / 1e3, "us");
    }

    ReportPair("tab_strip", PaintPair(skinned.Pages->Handle(), native.Pages->Handle()));

    delete tabs;
    skinner->Restore();
    TSkinManage::Finalize();
    return 0;
}
