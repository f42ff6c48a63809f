// The paint path of windowed controls on real windows: a double-buffered
// control paints through its message method into the buffer, so a hook's
// after-paint drawing reaches the screen with it and nothing is drawn on the
// screen in between; a painter that raises still ends the paint and frees
// its buffer.
#include "ui_test_util.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <vector>

#include "framework/core/class_builder.h"
#include "framework/core/exception.h"

namespace {

constexpr COLORREF kFace = RGB(0, 200, 0);
constexpr COLORREF kMarker = RGB(255, 0, 0);
constexpr COLORREF kBackground = RGB(0, 0, 255); // the probe's Color, which an erase fills
constexpr COLORREF kOld = RGB(255, 0, 255);      // on the screen before a repaint

// Fills itself with kFace and records which kind of DC each paint went to.
class TPaintProbe : public TCustomControl {
    LT_CLASS(TPaintProbe, TCustomControl)
public:
    explicit TPaintProbe(TComponent* owner) : TCustomControl(owner) {}
    std::vector<DWORD> paintKinds;
    bool raise = false;

protected:
    void Paint() override {
        paintKinds.push_back(GetObjectType(Canvas().Handle()));
        Canvas().Brush().SetColor(static_cast<TColor>(kFace));
        Canvas().FillRect(RECT{0, 0, Width(), Height()});
        if (raise)
            throw Exception(L"paint failed");
    }
};

// A system push button in a framework control.
class TSystemButton : public TWinControl {
    LT_CLASS(TSystemButton, TWinControl)
public:
    explicit TSystemButton(TComponent* owner) : TWinControl(owner) {}

protected:
    void CreateParams(TCreateParams& params) override {
        TWinControl::CreateParams(params);
        params.superClass = L"BUTTON";
        params.style |= BS_PUSHBUTTON;
    }
};

LT_CLASS_TABLE(TPaintProbe) {}
LT_CLASS_TABLE(TSystemButton) {}

// A borderless form on top with one 40 x 30 probe at (10, 10).
struct ProbeForm {
    TForm form{Application};
    TPaintProbe* probe;
    ProbeForm() {
        form.SetBorderStyle(bsNone);
        form.SetFormStyle(fsStayOnTop);
        form.SetBounds(20, 20, 80, 60);
        probe = new TPaintProbe(&form);
        probe->SetParent(&form);
        probe->SetBounds(10, 10, 40, 30);
        probe->SetColor(static_cast<TColor>(kBackground));
        form.Show();
        PumpPending();
    }
    ~ProbeForm() { form.Hide(); }
    // Invalidates the probe, erase included, and paints it now.
    void Repaint() {
        RedrawWindow(probe->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    }
    COLORREF ScreenPixel(int x, int y) {
        HDC dc = GetDC(probe->Handle());
        const COLORREF c = GetPixel(dc, x, y);
        ReleaseDC(probe->Handle(), dc);
        return c;
    }
    // Covers the probe on the screen with kOld, as something painted before.
    void PaintOld() {
        HDC dc = GetDC(probe->Handle());
        const TBrushHandle brush(CreateSolidBrush(kOld));
        const RECT r{0, 0, 40, 30};
        FillRect(dc, &r, brush.Get());
        ReleaseDC(probe->Handle(), dc);
    }
};

// Live counts of the kinds a buffered paint uses.
std::array<int, 5> PaintCounters() {
    return {GdiLiveCount(TGdiKind::PaintDC), GdiLiveCount(TGdiKind::MemoryDC),
            GdiLiveCount(TGdiKind::Bitmap), GdiLiveCount(TGdiKind::Selection),
            GdiLiveCount(TGdiKind::Brush)};
}

} // namespace

TEST(WinControlPaint, DoubleBufferingGoesThroughTheMessageMethod) {
    ProbeForm f;
    // A hook that draws a marker after the control's own WM_PAINT handling,
    // into whatever DC the message carries, and notes every DC it sees; after
    // an erase into the screen it reads what the erase left there.
    std::vector<DWORD> hookPaintKinds, eraseKinds;
    std::vector<COLORREF> afterScreenErase;
    int screenPaints = 0;
    const int key = 0;
    f.probe->HookMessages(&key, [&](TMessage& m, const TMessageChain& next) {
        const HDC mdc = reinterpret_cast<HDC>(m.WParam);
        next(m);
        if (m.Msg == WM_ERASEBKGND) {
            eraseKinds.push_back(GetObjectType(mdc));
            if (eraseKinds.back() != OBJ_MEMDC)
                afterScreenErase.push_back(GetPixel(mdc, 20, 15));
        }
        if (m.Msg == WM_PAINT && m.WParam) {
            HDC dc = reinterpret_cast<HDC>(m.WParam);
            hookPaintKinds.push_back(GetObjectType(dc));
            SetPixel(dc, 3, 3, kMarker);
        } else if (m.Msg == WM_PAINT) {
            ++screenPaints;
        }
    });
    f.probe->SetDoubleBuffered(true);
    f.probe->paintKinds.clear();
    f.PaintOld();
    f.Repaint();
    // One paint message from the system, one with the buffer through the hook.
    EXPECT_EQ(screenPaints, 1);
    ASSERT_EQ(hookPaintKinds.size(), 1u);
    EXPECT_EQ(hookPaintKinds[0], static_cast<DWORD>(OBJ_MEMDC));
    // The control's own painting and its erase went to memory; the erase the
    // system sends with the screen's DC left the screen as it was.
    ASSERT_EQ(f.probe->paintKinds.size(), 1u);
    EXPECT_EQ(f.probe->paintKinds[0], static_cast<DWORD>(OBJ_MEMDC));
    EXPECT_EQ(std::count(eraseKinds.begin(), eraseKinds.end(), OBJ_MEMDC), 1);
    for (COLORREF c : afterScreenErase)
        EXPECT_EQ(c, kOld);
    // The marker came to the screen with the buffer.
    EXPECT_EQ(f.ScreenPixel(3, 3), kMarker);
    EXPECT_EQ(f.ScreenPixel(4, 3), kFace);
    EXPECT_EQ(f.ScreenPixel(39, 29), kFace);

    // Without double buffering the control paints on the screen and the hook
    // sees only the system's message, so no marker is drawn.
    f.probe->SetDoubleBuffered(false);
    f.probe->paintKinds.clear();
    hookPaintKinds.clear();
    eraseKinds.clear();
    afterScreenErase.clear();
    screenPaints = 0;
    f.PaintOld();
    f.Repaint();
    EXPECT_EQ(screenPaints, 1);
    // Here the erase does fill the screen (the check above can tell).
    ASSERT_FALSE(afterScreenErase.empty());
    EXPECT_EQ(afterScreenErase.back(), kBackground);
    EXPECT_TRUE(hookPaintKinds.empty());
    ASSERT_EQ(f.probe->paintKinds.size(), 1u);
    EXPECT_EQ(f.probe->paintKinds[0], static_cast<DWORD>(OBJ_DC));
    EXPECT_EQ(f.ScreenPixel(3, 3), kFace);
    f.probe->UnhookMessages(&key);
}

TEST(WinControlPaint, RaisingPainterEndsThePaintAndFreesTheBuffer) {
    ProbeForm f;
    for (bool buffered : {true, false}) {
        f.probe->SetDoubleBuffered(buffered);
        f.probe->raise = true;
        f.probe->paintKinds.clear();
        ReportedErrors().clear();
        const std::array<int, 5> before = PaintCounters();
        InvalidateRect(f.probe->Handle(), nullptr, TRUE);
        PumpPending();
        // Painted once: the update region was validated on the way out, and
        // the error went to the application's handler.
        EXPECT_EQ(f.probe->paintKinds.size(), 1u) << buffered;
        EXPECT_FALSE(GetUpdateRect(f.probe->Handle(), nullptr, FALSE)) << buffered;
        ASSERT_EQ(ReportedErrors().size(), 1u) << buffered;
        EXPECT_EQ(ReportedErrors()[0], L"paint failed");
        EXPECT_EQ(PaintCounters(), before) << buffered;
    }
    f.probe->raise = false;
    ReportedErrors().clear();
}

TEST(WinControlPaint, DoubleBufferedSystemControlPaintsIntoTheBuffer) {
    TForm form(Application);
    form.SetBorderStyle(bsNone);
    form.SetFormStyle(fsStayOnTop);
    form.SetBounds(20, 20, 120, 60);
    auto* button = new TSystemButton(&form);
    button->SetParent(&form);
    button->SetBounds(10, 10, 80, 24);
    form.Show();
    PumpPending();
    std::vector<DWORD> hookPaintKinds;
    const int key = 0;
    button->HookMessages(&key, [&](TMessage& m, const TMessageChain& next) {
        next(m);
        if (m.Msg == WM_PAINT && m.WParam) {
            HDC dc = reinterpret_cast<HDC>(m.WParam);
            hookPaintKinds.push_back(GetObjectType(dc));
            SetPixel(dc, 5, 5, kMarker);
        }
    });
    button->SetDoubleBuffered(true);
    RedrawWindow(button->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    // The system's button painted into the buffer given with WM_PAINT, and
    // the hook's marker reached the screen with it.
    ASSERT_EQ(hookPaintKinds.size(), 1u);
    EXPECT_EQ(hookPaintKinds[0], static_cast<DWORD>(OBJ_MEMDC));
    HDC dc = GetDC(button->Handle());
    EXPECT_EQ(GetPixel(dc, 5, 5), kMarker);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    int faceCount = 0;
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 80; ++x)
            faceCount += GetPixel(dc, x, y) == face;
    ReleaseDC(button->Handle(), dc);
    EXPECT_GT(faceCount, 80 * 24 / 2); // the button's face, not an unpainted buffer
    button->UnhookMessages(&key);
    form.Hide();
}
