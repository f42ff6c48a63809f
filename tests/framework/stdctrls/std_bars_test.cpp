// Up-down, progress bar and track bar: definitions, round trips, what the
// platform control shows, and arrow clicks and keys.
#include <gtest/gtest.h>

#include "framework/ui/win32.h"

#include <commctrl.h>

#include "framework/core/class_builder.h"
#include "framework/stdctrls/std_bars.h"
#include "std_test_util_b.h"

// A plain edit window for the up-down's buddy.
class TBuddyEdit : public TWinControl {
    LT_CLASS(TBuddyEdit, TWinControl)
public:
    explicit TBuddyEdit(TComponent* owner) : TWinControl(owner) { SetBounds(0, 0, 60, 22); }

protected:
    void CreateParams(TCreateParams& params) override {
        TWinControl::CreateParams(params);
        params.superClass = L"EDIT";
        params.style |= WS_BORDER;
    }
};
LT_CLASS_TABLE(TBuddyEdit) {}

namespace {
const char* const kBarsForm = R"(object BarsForm: TForm
  ClientWidth = 400
  ClientHeight = 300
  object Buddy: TBuddyEdit
    Left = 10
    Top = 10
  end
  object Spin: TUpDown
    Left = 80
    Top = 10
    Width = 17
    Height = 40
    Associate = Buddy
    Min = -5
    Max = 7
    Position = 3
    Increment = 2
    OnChanging = Spinning
    OnClick = Spun
  end
  object Bar: TProgressBar
    Left = 10
    Top = 60
    Width = 200
    Height = 16
    Max = 200
    Position = 100
    Smooth = True
  end
  object Column: TProgressBar
    Left = 250
    Top = 10
    Width = 16
    Height = 200
    Position = 25
    Orientation = pbVertical
    Smooth = True
  end
  object Track: TTrackBar
    Left = 10
    Top = 100
    Width = 200
    Height = 40
    Max = 20
    Position = 4
    Frequency = 5
    LineSize = 3
    TickMarks = tmBoth
    OnChange = Changed
  end
end
)";

struct TSpinLog {
    int changing = 0;
    int clicks = 0;
    bool allow = true;
    TUDBtnType last = btPrev;
};

void RegisterBarsHandlers(TForm* form, TSpinLog& log, int* changes) {
    form->RegisterHandler<void(TObject*, bool&)>("Spinning", [&log](TObject*, bool& allow) {
        ++log.changing;
        allow = log.allow;
    });
    form->RegisterHandler<void(TObject*, TUDBtnType)>("Spun", [&log](TObject*, TUDBtnType b) {
        ++log.clicks;
        log.last = b;
    });
    form->RegisterHandler<void(TObject*)>("Changed", [changes](TObject*) { ++*changes; });
}

std::unique_ptr<TForm> ReadBarsForm(TSpinLog& log, int* changes) {
    RegisterClasses<TBuddyEdit>();
    return ReadTestForm(kBarsForm, [&](TForm& f) { RegisterBarsHandlers(&f, log, changes); });
}

std::wstring WindowText(HWND wnd) {
    wchar_t text[64] = {};
    GetWindowTextW(wnd, text, 64);
    return text;
}
} // namespace

// Orientation and tick settings become the platform's style bits.
TEST(StdBars, TrackBarStyles) {
    EXPECT_EQ(TrackBarStyle(trHorizontal, tsAuto, tmBottomRight),
              static_cast<DWORD>(TBS_HORZ | TBS_AUTOTICKS));
    EXPECT_EQ(TrackBarStyle(trVertical, tsNone, tmTopLeft),
              static_cast<DWORD>(TBS_VERT | TBS_NOTICKS | TBS_TOP));
    EXPECT_EQ(TrackBarStyle(trHorizontal, tsManual, tmBoth), static_cast<DWORD>(TBS_BOTH));
}

// Values from the definition reach the platform controls and come back
// unchanged through a written definition.
TEST(StdBars, DefinitionAndRoundTrip) {
    TSpinLog log;
    int changes = 0;
    auto form = ReadBarsForm(log, &changes);
    auto* spin = Find<TUpDown>(*form, "Spin");
    auto* bar = Find<TProgressBar>(*form, "Bar");
    auto* track = Find<TTrackBar>(*form, "Track");
    ASSERT_TRUE(spin && bar && track);
    EXPECT_EQ(spin->Associate(), Find<TWinControl>(*form, "Buddy"));
    EXPECT_EQ(reinterpret_cast<HWND>(SendMessageW(spin->Handle(), UDM_GETBUDDY, 0, 0)),
              spin->Associate()->Handle());
    EXPECT_EQ(WindowText(spin->Associate()->Handle()), L"3");
    int lo = 0, hi = 0;
    SendMessageW(spin->Handle(), UDM_GETRANGE32, reinterpret_cast<WPARAM>(&lo),
                 reinterpret_cast<LPARAM>(&hi));
    EXPECT_EQ(lo, -5);
    EXPECT_EQ(hi, 7);
    EXPECT_EQ(SendMessageW(bar->Handle(), PBM_GETPOS, 0, 0), 100);
    EXPECT_EQ(SendMessageW(bar->Handle(), PBM_GETRANGE, FALSE, 0), 200);
    EXPECT_TRUE(GetWindowLongW(bar->Handle(), GWL_STYLE) & PBS_SMOOTH);
    EXPECT_EQ(SendMessageW(track->Handle(), TBM_GETRANGEMAX, 0, 0), 20);
    EXPECT_EQ(SendMessageW(track->Handle(), TBM_GETPOS, 0, 0), 4);
    EXPECT_EQ(SendMessageW(track->Handle(), TBM_GETLINESIZE, 0, 0), 3);
    EXPECT_TRUE(GetWindowLongW(track->Handle(), GWL_STYLE) & TBS_BOTH);

    auto copy =
        RoundTrip(*form, nullptr, [&](TForm& f) { RegisterBarsHandlers(&f, log, &changes); });
    auto* spin2 = Find<TUpDown>(*copy, "Spin");
    auto* col2 = Find<TProgressBar>(*copy, "Column");
    auto* track2 = Find<TTrackBar>(*copy, "Track");
    ASSERT_TRUE(spin2 && col2 && track2);
    EXPECT_EQ(spin2->Associate(), Find<TWinControl>(*copy, "Buddy"));
    EXPECT_EQ(spin2->Min(), -5);
    EXPECT_EQ(spin2->Position(), 3);
    EXPECT_EQ(spin2->Increment(), 2);
    EXPECT_EQ(col2->Orientation(), pbVertical);
    EXPECT_EQ(col2->Position(), 25);
    EXPECT_TRUE(col2->Smooth());
    EXPECT_EQ(track2->Max(), 20);
    EXPECT_EQ(track2->Position(), 4);
    EXPECT_EQ(track2->Frequency(), 5);
    EXPECT_EQ(track2->TickMarks(), tmBoth);
}

// The progress bar fills half its width at 100 of 200; the vertical one
// fills from the bottom.
TEST(StdBars, ProgressFill) {
    TSpinLog log;
    int changes = 0;
    auto form = ReadBarsForm(log, &changes);
    auto* bar = Find<TProgressBar>(*form, "Bar");
    auto* column = Find<TProgressBar>(*form, "Column");
    RedrawWindow(form->Handle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    const COLORREF fill = GetSysColor(COLOR_HIGHLIGHT);
    {
        TClientDC dc(bar->Handle());
        EXPECT_EQ(GetPixel(dc.Handle(), 10, 8), fill);
        EXPECT_EQ(GetPixel(dc.Handle(), 90, 8), fill);
        EXPECT_NE(GetPixel(dc.Handle(), 110, 8), fill);
        EXPECT_NE(GetPixel(dc.Handle(), 190, 8), fill);
    }
    {
        TClientDC dc(column->Handle());
        EXPECT_EQ(GetPixel(dc.Handle(), 8, 190), fill);
        EXPECT_NE(GetPixel(dc.Handle(), 8, 10), fill);
    }
    bar->StepIt();
    EXPECT_EQ(SendMessageW(bar->Handle(), PBM_GETPOS, 0, 0), 110);
}

// A click on the upper arrow asks OnChanging, moves by the increment, shows
// the new value in the buddy and reports OnClick; a refused change stays.
TEST(StdBars, UpDownArrowClicks) {
    TSpinLog log;
    int changes = 0;
    auto form = ReadBarsForm(log, &changes);
    auto* spin = Find<TUpDown>(*form, "Spin");
    ClickAt(spin->Handle(), 8, 5);
    EXPECT_EQ(log.changing, 1);
    EXPECT_EQ(spin->Position(), 5);
    EXPECT_EQ(WindowText(spin->Associate()->Handle()), L"5");
    EXPECT_EQ(log.clicks, 1);
    EXPECT_EQ(log.last, btNext);
    log.allow = false;
    ClickAt(spin->Handle(), 8, 35);
    EXPECT_EQ(log.changing, 2);
    EXPECT_EQ(spin->Position(), 5);
    log.allow = true;
    ClickAt(spin->Handle(), 8, 35);
    EXPECT_EQ(spin->Position(), 3);
    EXPECT_EQ(log.last, btPrev);
}

// Arrow keys move the thumb by LineSize and report OnChange.
TEST(StdBars, TrackBarKeys) {
    TSpinLog log;
    int changes = 0;
    auto form = ReadBarsForm(log, &changes);
    auto* track = Find<TTrackBar>(*form, "Track");
    track->SetFocus();
    SendMessageW(track->Handle(), WM_KEYDOWN, VK_RIGHT, 0);
    SendMessageW(track->Handle(), WM_KEYUP, VK_RIGHT, 0);
    PumpPending();
    EXPECT_EQ(track->Position(), 7);
    EXPECT_EQ(changes, 1);
    SendMessageW(track->Handle(), WM_KEYDOWN, VK_END, 0);
    PumpPending();
    EXPECT_EQ(track->Position(), 20);
    EXPECT_EQ(changes, 2);
    track->SetPosition(2); // set by the program: no event
    EXPECT_EQ(changes, 2);
}
