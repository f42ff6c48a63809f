// The control wrapper base with real windows under Wine, message-sequence
// style: what the control receives with a wrapper in front of it, the skin
// switch, destruction of the window and of the wrapper, the paint entry
// points, the by-name reading, and the strip and element drawing.
#include <gtest/gtest.h>

#include <stdexcept>
#include <utility>

#include "framework/gdi/bitmap.h"
#include "framework/gdi/gdi_handles.h"
#include "skin/controls/skin_control.h"
#include "skin/controls/skin_control_text.h"
#include "skin/draw/skin_draw.h"
#include "skin/model/skin_data.h"
#include "skin/model/skin_objects.h"
#include "tests/framework/ui/ui_test_util.h"
#include "tests/skin/controls/wrapper_host.h"
#include "tests/skin/controls/wrapper_test_util.h"

namespace {

using wrapper_test::Recorder;

constexpr COLORREF kMark = RGB(200, 10, 30);

// A wrapper that paints a 3x3 mark at the paint rectangle's origin and
// records where it painted.
class TMarkWrapper : public TSkinControl {
public:
    using TSkinControl::TSkinControl;
    void PaintSkin(HDC dc, const RECT& rect) override {
        ++paints;
        lastDcType = GetObjectType(dc);
        lastRect = rect;
        RECT mark{rect.left, rect.top, rect.left + 3, rect.top + 3};
        TBrushHandle b(CreateSolidBrush(kMark));
        FillRect(dc, &mark, b.Get());
        if (failPaint)
            throw std::runtime_error("paint failed");
    }
    bool BeforeMessage(TMessage& msg) override {
        if (msg.Msg == WM_USER + 7)
            throw std::runtime_error("before failed");
        return TSkinControl::BeforeMessage(msg);
    }
    int paints = 0;
    DWORD lastDcType = 0;
    RECT lastRect{};
    bool failPaint = false;
};

class TWrapperForm : public TForm {
public:
    explicit TWrapperForm(TComponent* owner) : TForm(owner) {
        SetBounds(50, 50, 300, 200);
        button = new TTestButton(this);
        button->SetParent(this);
        button->SetBounds(10, 10, 80, 30);
        button->SetColor(clWindow);
    }
    TTestButton* button;
};

void Fill(TBitmap& b, COLORREF c) {
    RECT r{0, 0, b.Width(), b.Height()};
    TBrushHandle brush(CreateSolidBrush(c));
    FillRect(b.Canvas().Handle(), &r, brush.Get());
}

COLORREF ScreenPixel(HWND wnd, int x, int y) {
    TWindowDC dc(wnd);
    return GetPixel(dc.Handle(), x, y);
}

} // namespace

TEST(SkinControlTest, AttachesOnceRoutesMessagesAndSwitchesOff) {
    TWrapperForm form(Application);
    form.Show();
    TListHost host;
    TSkinData data(nullptr);
    data.ButtonFaceColour = RGB(1, 2, 3);
    Recorder rec(*form.button);
    auto* w = new TMarkWrapper(form.button);
    w->AttachControl(&host, &data, true, nullptr);
    EXPECT_TRUE(w->Attached);
    EXPECT_EQ(w->State, TWrapperState::Attached);
    EXPECT_EQ(w->Handle, form.button->Handle());
    EXPECT_TRUE(form.button->DoubleBuffered());
    EXPECT_EQ(form.button->Color(), RGB(1, 2, 3));
    EXPECT_EQ(w->SavedColor, static_cast<TColor>(clWindow));
    EXPECT_EQ(host.list.size(), 1u);
    // A second attach changes nothing: one hook, the saved colour kept.
    w->AttachControl(&host, &data, true, nullptr);
    EXPECT_EQ(form.button->MessageHooks()->LiveCount(), 1u);
    EXPECT_EQ(w->SavedColor, static_cast<TColor>(clWindow));

    // Messages reach the control through the wrapper; its paint lands after
    // the control's own, through the window DC (non-client origin).
    rec.seen.clear();
    RedrawWindow(w->Handle, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_TRUE(rec.Saw(WM_PAINT));
    EXPECT_GE(w->paints, 1);
    EXPECT_EQ(w->lastRect.left, 0);
    EXPECT_EQ(w->lastRect.right, 80);

    // Switch off: nothing is painted any more and the switch message itself
    // is not passed on while off; every other message reaches the control.
    SendMessageW(w->Handle, SM_WRAPPERSWITCH, 0, 0);
    EXPECT_FALSE(w->SkinActive);
    const int before = w->paints;
    rec.seen.clear();
    RedrawWindow(w->Handle, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    SendMessageW(w->Handle, SM_WRAPPERSWITCH, 0, 0);
    EXPECT_EQ(w->paints, before);
    EXPECT_TRUE(rec.Saw(WM_PAINT));
    EXPECT_FALSE(rec.Saw(SM_WRAPPERSWITCH));
    // Switch on: it repaints at once.
    SendMessageW(w->Handle, SM_WRAPPERSWITCH, 1, 0);
    EXPECT_TRUE(w->SkinActive);
    form.button->Update();
    EXPECT_GT(w->paints, before);

    // Freeing the wrapper gives the control back: no more hook, no more
    // paints, the control still gets its messages.
    delete w;
    EXPECT_EQ(form.button->MessageHooks()->LiveCount(), 0u);
    EXPECT_TRUE(host.list.empty());
    rec.seen.clear();
    RedrawWindow(form.button->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_TRUE(rec.Saw(WM_PAINT));
}

TEST(SkinControlTest, WindowDestructionSetsStateSixAndRestoresTheColour) {
    TWrapperForm form(Application);
    form.Show();
    TSkinData data(nullptr);
    data.ButtonFaceColour = RGB(9, 8, 7);
    auto* w = new TMarkWrapper(form.button);
    w->AttachControl(nullptr, &data, true, nullptr);
    EXPECT_EQ(form.button->Color(), RGB(9, 8, 7));
    form.button->DestroyHandle();
    EXPECT_EQ(w->State, TWrapperState::Destroyed);
    EXPECT_EQ(form.button->Color(), static_cast<TColor>(clWindow));
    // The wrapper goes with its control.
}

TEST(SkinControlTest, PaintsIntoTheGivenDcOrTheWindowDcAndSwallowsPaintFailures) {
    TWrapperForm form(Application);
    form.Show();
    auto* w = new TMarkWrapper(form.button);
    w->AttachControl(nullptr, nullptr, false, nullptr);
    PumpPending();

    // A DC in WParam: the skin goes there.
    TBitmap target;
    target.SetSize(80, 30);
    {
        TMemoryDC mem;
        TSelectObject picked(mem.Handle(), target.Handle());
        RECT all{0, 0, 80, 30};
        FillRect(mem.Handle(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        w->PaintToWindow(mem.Handle());
        EXPECT_EQ(w->lastDcType, static_cast<DWORD>(OBJ_MEMDC));
        EXPECT_EQ(GetPixel(mem.Handle(), 1, 1), kMark);
        EXPECT_EQ(GetPixel(mem.Handle(), 4, 4), RGB(255, 255, 255));
    }

    // Without one: the window DC, whose origin is the window's corner.
    w->PaintToWindow(nullptr);
    EXPECT_EQ(w->lastDcType, static_cast<DWORD>(OBJ_DC));
    EXPECT_EQ(ScreenPixel(w->Handle, 1, 1), kMark);

    // A failing paint is swallowed.
    w->failPaint = true;
    ReportedErrors().clear();
    EXPECT_NO_THROW(w->PaintToWindow(nullptr));
    RedrawWindow(w->Handle, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_TRUE(ReportedErrors().empty());
}

// A double-buffered control paints the skin into its buffer; when that
// buffer covers the whole window the skin is not painted again through the
// window DC, otherwise it is.
TEST(SkinControlTest, ABufferedPaintOfTheWholeWindowIsNotFollowedByAWindowPaint) {
    TWrapperForm form(Application);
    form.Show();
    auto* w = new TMarkWrapper(form.button);
    w->AttachControl(nullptr, nullptr, false, nullptr);
    ASSERT_TRUE(form.button->DoubleBuffered());
    PumpPending();
    const HWND wnd = w->Handle;

    // Repaints `part` (all when null): the wrapper's paints, the last one's DC type.
    auto repaint = [&](const RECT* part) {
        w->paints = 0;
        InvalidateRect(wnd, part, TRUE);
        UpdateWindow(wnd);
        EXPECT_EQ(ScreenPixel(wnd, 1, 1), kMark);
        return std::pair{w->paints, w->lastDcType};
    };
    EXPECT_EQ(repaint(nullptr), std::pair(1, static_cast<DWORD>(OBJ_MEMDC)));

    // Part of the window invalid: the buffer shows that part only, and the
    // whole window is painted after it as before.
    const RECT part{20, 5, 40, 20};
    EXPECT_EQ(repaint(&part), std::pair(2, static_cast<DWORD>(OBJ_DC)));

    // Not buffered: one paint through the window DC.
    form.button->SetDoubleBuffered(false);
    EXPECT_EQ(repaint(nullptr), std::pair(1, static_cast<DWORD>(OBJ_DC)));
    delete w;
}

TEST(SkinControlTest, RawWindowsAreSubclassedAndGivenBackAndFailuresGetANeutralAnswer) {
    HWND parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, nullptr,
                                  nullptr, nullptr, nullptr);
    HWND edit = CreateWindowExA(0, "EDIT", "abc", WS_CHILD | WS_VISIBLE, 5, 5, 100, 20, parent,
                                nullptr, nullptr, nullptr);
    const LONG_PTR original = GetWindowLongPtrA(edit, GWLP_WNDPROC);
    TListHost host;
    auto* w = new TMarkWrapper(nullptr);
    w->AttachWindow(edit, nullptr, &host, nullptr);
    EXPECT_TRUE(w->SubclassesWindow());
    EXPECT_NE(GetWindowLongPtrA(edit, GWLP_WNDPROC), original);
    EXPECT_EQ(w->Caption, L"abc");
    EXPECT_EQ(host.list.size(), 1u);
    // The text is read back after the window took it.
    SetWindowTextA(edit, "xyz");
    EXPECT_EQ(w->Caption, L"xyz");
    // A handler that raises: reported, and the message answered neutrally.
    ReportedErrors().clear();
    EXPECT_EQ(SendMessageW(edit, WM_USER + 7, 0, 0), 0);
    EXPECT_EQ(ReportedErrors().size(), 1u);
    // Freed: the previous procedure is back.
    delete w;
    EXPECT_EQ(GetWindowLongPtrA(edit, GWLP_WNDPROC), original);
    EXPECT_TRUE(host.list.empty());
    DestroyWindow(parent);
}

TEST(SkinControlTest, ByNameReadingGivesNeutralValuesForMissingProperties) {
    TWrapperForm form(Application);
    EXPECT_EQ(SkinReadInteger(form.button, "Width"), 80);
    EXPECT_EQ(SkinReadInteger(form.button, "NoSuchThing"), 0);
    EXPECT_EQ(SkinReadEnum(form.button, "Visible"), "true");
    EXPECT_EQ(SkinReadEnum(form.button, "NoSuchThing"), "");
    EXPECT_EQ(SkinReadText(form.button, "NoSuchThing"), L"");
    EXPECT_EQ(SkinReadInteger(nullptr, "Width"), 0);
    EXPECT_FALSE(SkinWriteValue(form.button, "Flat", "True"));
    EXPECT_TRUE(SkinWriteValue(form.button, "Width", "90"));
    EXPECT_EQ(form.button->Width(), 90);
}

TEST(SkinControlTest, StripCellsAreClippedToTheBitmap) {
    // Where a cell comes from: 65 pixels in 5 cells of 13.
    TBitmap five;
    five.SetSize(65, 13);
    TSkinFrameBox c = LocateSkinFrame(five, false, 5, 2);
    EXPECT_EQ(c.X0, 13);
    EXPECT_EQ(c.X0 + c.Width, 26);
    // A cell past the end draws nothing; 40 pixels in 3 cells leave the
    // last column out.
    EXPECT_FALSE(IsSkinFrameIndex(5, 6));
    EXPECT_FALSE(IsSkinFrameIndex(4, 5));
    TBitmap three;
    three.SetSize(40, 16);
    c = LocateSkinFrame(three, false, 3, 3);
    EXPECT_EQ(c.X0, 26);
    EXPECT_EQ(c.X0 + c.Width, 39);

    // Cell 2 of a red|green|blue strip, magenta corner transparent.
    TBitmap strip;
    strip.SetSize(30, 10);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 30; ++x)
            strip.Canvas().SetPixel(x, y,
                                    x < 10   ? RGB(255, 0, 0)
                                    : x < 20 ? RGB(0, 255, 0)
                                             : RGB(0, 0, 255));
    strip.Canvas().SetPixel(10, 0, RGB(255, 0, 255));
    TBitmap target;
    target.SetSize(20, 20);
    Fill(target, RGB(255, 255, 255));
    DrawStripCell(target.Canvas().Handle(), RECT{0, 0, 10, 10}, 3, 2, strip);
    EXPECT_EQ(target.Canvas().Pixel(5, 5), RGB(0, 255, 0));
    EXPECT_EQ(target.Canvas().Pixel(0, 0), RGB(255, 255, 255)) << "magenta is transparent";
    // Stretched to 20x20: still pure green inside, the key still left out.
    DrawStripCell(target.Canvas().Handle(), RECT{0, 0, 20, 20}, 3, 2, strip);
    EXPECT_EQ(target.Canvas().Pixel(15, 15), RGB(0, 255, 0));
    EXPECT_EQ(target.Canvas().Pixel(0, 0), RGB(255, 255, 255));
    // Out of range: nothing drawn.
    Fill(target, RGB(255, 255, 255));
    DrawStripCell(target.Canvas().Handle(), RECT{0, 0, 10, 10}, 3, 4, strip);
    DrawStripCell(target.Canvas().Handle(), RECT{0, 0, 10, 10}, 3, 0, strip);
    DrawStripCell(target.Canvas().Handle(), RECT{10, 0, 0, 10}, 3, 1, strip);
    EXPECT_EQ(target.Canvas().Pixel(5, 5), RGB(255, 255, 255));
}

TEST(SkinControlTest, CaptionLayoutsFollowTheirArithmetic) {
    const RECT r{10, 20, 110, 40}; // 100 x 20
    // Left: 2 px in; the text starts one pixel after the 16-pixel image.
    TImageTextLayout l = LayoutImageText(r, 0, SIZE{30, 12}, 16, true, 3);
    EXPECT_TRUE(l.drawImage);
    EXPECT_EQ(l.image.x, 12);
    EXPECT_EQ(l.image.y, 22); // (20 - 16) / 2
    EXPECT_EQ(l.text.left, 12 + 16 + 1);
    EXPECT_EQ(l.text.top, 24); // (20 - 12) / 2
    // Centred: (100 - 16 - 30) / 2 = 27.
    l = LayoutImageText(r, 1, SIZE{30, 12}, 16, true, 3);
    EXPECT_EQ(l.image.x, 37);
    // Right: 100 - 16 - 30 - 2 = 52.
    l = LayoutImageText(r, 2, SIZE{30, 12}, 16, true, 3);
    EXPECT_EQ(l.image.x, 62);
    // Too wide a text: at least 2 px in, clipped to the cell.
    l = LayoutImageText(r, 2, SIZE{300, 12}, 16, true, 3);
    EXPECT_EQ(l.image.x, 12);
    EXPECT_EQ(l.text.right, 110);
    // An empty caption with an image: only the image, at least 2 px in.
    l = LayoutImageText(r, 1, SIZE{0, 0}, 16, true, 0);
    EXPECT_TRUE(l.drawImage);
    EXPECT_EQ(l.image.x, 10 + 42);
    EXPECT_EQ(l.text.right - l.text.left, 0);
    // No image index, no list, or an image as wide as the cell: no image.
    EXPECT_FALSE(LayoutImageText(r, 0, SIZE{30, 12}, 16, true, -1).drawImage);
    EXPECT_FALSE(LayoutImageText(r, 0, SIZE{30, 12}, 16, false, 2).drawImage);
    EXPECT_FALSE(LayoutImageText(r, 0, SIZE{30, 12}, 100, true, 2).drawImage);

    // Centred text: one pixel above the middle; horizontally centred only
    // for DT_CENTER, else the cell's own sides.
    RECT c = LayoutCentredText(r, DT_CENTER, SIZE{40, 12});
    EXPECT_EQ(c.top, 20 + 3);
    EXPECT_EQ(c.left, 10 + 30);
    EXPECT_EQ(c.right, 10 + 70);
    c = LayoutCentredText(r, DT_RIGHT, SIZE{40, 12});
    EXPECT_EQ(c.left, 10);
    EXPECT_EQ(c.right, 110);
    EXPECT_EQ(c.bottom - c.top, 12);
}

TEST(SkinControlTest, TwoWrappersOnOneControlUnhookInAnyOrder) {
    TWrapperForm form(Application);
    form.Show();
    auto* first = new TMarkWrapper(form.button);
    auto* second = new TMarkWrapper(form.button);
    first->AttachControl(nullptr, nullptr, false, nullptr);
    second->AttachControl(nullptr, nullptr, false, nullptr);
    EXPECT_EQ(form.button->MessageHooks()->LiveCount(), 2u);
    // The first one goes first: the second still sees every paint.
    delete first;
    const int before = second->paints;
    RedrawWindow(form.button->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_GT(second->paints, before);
    EXPECT_EQ(form.button->MessageHooks()->LiveCount(), 1u);
    delete second;
    EXPECT_EQ(form.button->MessageHooks()->LiveCount(), 0u);
}

TEST(SkinControlTest, ElementFramesStretchColourOnColourAndSkipFramesOutsideTheStrip) {
    // Two 8x8 frames: red, then green with a magenta top-left quarter.
    TDataSkinObject element("Test");
    element.Picture.SetSize(16, 8);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 16; ++x)
            element.Picture.Canvas().SetPixel(
                x, y,
                x < 8 ? RGB(255, 0, 0) : (x < 12 && y < 4 ? RGB(255, 0, 255) : RGB(0, 255, 0)));
    element.FrameCount = 2;
    element.Trans = 1;
    TBitmap target;
    target.SetSize(24, 24);
    Fill(target, RGB(255, 255, 255));
    DrawElementFrame(target.Canvas().Handle(), RECT{0, 0, 24, 24}, 2, 2, element);
    // Every pixel is either untouched white (under the key) or pure green:
    // nothing blended at the key's edge.
    int white = 0, green = 0;
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 24; ++x) {
            const TColor c = target.Canvas().Pixel(x, y);
            white += c == RGB(255, 255, 255);
            green += c == RGB(0, 255, 0);
        }
    EXPECT_EQ(white + green, 24 * 24);
    EXPECT_EQ(white, 12 * 12);
    // Frames outside 1..n and inverted rectangles draw nothing.
    Fill(target, RGB(255, 255, 255));
    DrawElementFrame(target.Canvas().Handle(), RECT{0, 0, 24, 24}, 2, 3, element);
    DrawElementFrame(target.Canvas().Handle(), RECT{0, 0, 24, 24}, 2, 0, element);
    DrawElementFrame(target.Canvas().Handle(), RECT{24, 0, 0, 24}, 2, 1, element);
    EXPECT_EQ(target.Canvas().Pixel(12, 12), RGB(255, 255, 255));
}

TEST(SkinControlTest, SkinChangeRecoloursAndFocusOrEnableChangesRepaint) {
    // A new face colour reaches a recoloured control, which repaints.
    TWrapperForm form(Application);
    form.Show();
    PumpMessages(20);
    TSkinData data(nullptr);
    data.ButtonFaceColour = RGB(1, 2, 3);
    auto* w = new TMarkWrapper(form.button);
    w->AttachControl(nullptr, &data, true, nullptr);
    form.button->Update();
    int before = w->paints;
    data.ButtonFaceColour = RGB(4, 5, 6);
    w->SkinChanged();
    EXPECT_EQ(form.button->Color(), RGB(4, 5, 6));
    form.button->Update();
    EXPECT_GT(w->paints, before);
    // Without Recolour the control keeps its colour.
    w->Recolour = false;
    data.ButtonFaceColour = RGB(7, 8, 9);
    w->SkinChanged();
    EXPECT_EQ(form.button->Color(), RGB(4, 5, 6));
    delete w;

    // A window that does not repaint itself on focus or enable changes is
    // repainted by its wrapper; other messages paint nothing.
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"LtPlainChild";
    RegisterClassW(&wc);
    HWND plain = CreateWindowExW(0, L"LtPlainChild", L"", WS_CHILD | WS_VISIBLE, 100, 10, 60, 30,
                                 form.Handle(), nullptr, wc.hInstance, nullptr);
    ASSERT_NE(plain, nullptr);
    auto* raw = new TMarkWrapper(nullptr);
    raw->AttachWindow(plain, &data, nullptr, nullptr);
    UpdateWindow(plain);
    for (UINT m : {UINT(WM_SETFOCUS), UINT(WM_KILLFOCUS), UINT(WM_ENABLE), UINT(CM_ENABLEDCHANGED),
                   UINT(WM_USER + 1)}) {
        before = raw->paints;
        SendMessageW(plain, m, m == WM_ENABLE, 0);
        if (m == WM_USER + 1)
            EXPECT_EQ(raw->paints, before);
        else
            EXPECT_GT(raw->paints, before) << std::hex << m;
    }
    delete raw;
    DestroyWindow(plain);
}

// A recolouring wrapper gives its control's text the skin's colour for the
// font colour: a platform colour becomes the colour table's, an
// application's own colour stays. A child whose font follows a recoloured
// parent keeps following it (through a skin change too), and switching off
// gives every font its own colour and its following back, in any order.
TEST(SkinControlTest, RecolouredControlsTakeTheSkinsTextColourAndGiveItBack) {
    TForm form(Application);
    form.SetBounds(50, 50, 300, 200);
    auto* outer = new TTestButton(&form);
    outer->SetParent(&form);
    auto* inner = new TTestButton(&form);
    inner->SetParent(outer);
    auto* own = new TTestButton(&form);
    own->SetParent(&form);
    own->Font().SetColor(clRed);
    form.Show();
    ASSERT_EQ(outer->Font().Color(), static_cast<TColor>(clWindowText));
    TSkinData data(nullptr);
    data.WindowTextColour = RGB(230, 232, 235);
    auto* wOuter = new TMarkWrapper(outer);
    auto* wInner = new TMarkWrapper(inner);
    auto* wOwn = new TMarkWrapper(own);
    wOuter->AttachControl(nullptr, &data, true, nullptr);
    wInner->AttachControl(nullptr, &data, true, nullptr);
    wOwn->AttachControl(nullptr, &data, true, nullptr);
    EXPECT_EQ(outer->Font().Color(), RGB(230, 232, 235));
    EXPECT_EQ(inner->Font().Color(), RGB(230, 232, 235));
    EXPECT_TRUE(inner->ParentFont());
    EXPECT_EQ(own->Font().Color(), static_cast<TColor>(clRed));

    data.WindowTextColour = RGB(250, 250, 250);
    wInner->SkinChanged();
    wOuter->SkinChanged();
    EXPECT_EQ(outer->Font().Color(), RGB(250, 250, 250));
    EXPECT_EQ(inner->Font().Color(), RGB(250, 250, 250));
    EXPECT_TRUE(inner->ParentFont());

    // The inner font cut loose by a colour of its own: restored before its
    // parent, it follows again and ends with the parent's own colour.
    inner->Font().SetColor(RGB(240, 240, 240));
    ASSERT_FALSE(inner->ParentFont());
    wInner->RestoreControl();
    wOuter->RestoreControl();
    wOwn->RestoreControl();
    EXPECT_EQ(outer->Font().Color(), static_cast<TColor>(clWindowText));
    EXPECT_TRUE(outer->ParentFont());
    EXPECT_EQ(inner->Font().Color(), static_cast<TColor>(clWindowText));
    EXPECT_TRUE(inner->ParentFont());
    EXPECT_EQ(own->Font().Color(), static_cast<TColor>(clRed));

    // Without Recolour, or for a wrapper that draws the text itself, the
    // font is left alone.
    auto* plain = new TMarkWrapper(own);
    own->Font().SetColor(clWindowText);
    plain->RecoloursText = false;
    plain->AttachControl(nullptr, &data, true, nullptr);
    EXPECT_EQ(own->Font().Color(), static_cast<TColor>(clWindowText));
    delete plain;
    delete wOwn;
    delete wInner;
    delete wOuter;
}

TEST(SkinControlTest, LookKeysTellEveryDifferenceAndKeptPicturesAnswerThem) {
    TBitmap picture(6, 4);
    pixel_test::Fill(picture, 0, 0, 6, 4, RGB(1, 2, 3));
    auto key = [&](const std::wstring& a, const std::wstring& b, int n) {
        TLookKey k;
        k.Add(a).Add(b).Add(n).Add(RECT{1, 2, 3, 4}).AddPicture(picture);
        return k;
    };
    const TLookKey base = key(L"ab", L"c", 7);
    EXPECT_TRUE(base == key(L"ab", L"c", 7));
    // Texts do not run together; numbers and rectangles count.
    EXPECT_FALSE(base == key(L"a", L"bc", 7));
    EXPECT_FALSE(base == key(L"ab", L"c", 8));
    TLookKey wide;
    wide.Add(int64_t(1) << 40);
    TLookKey narrow;
    narrow.Add(0);
    EXPECT_FALSE(wide == narrow);
    // One pixel of the picture changed, or its size: another key.
    pixel_test::Put(picture, 5, 3, RGB(1, 2, 4));
    EXPECT_FALSE(base == key(L"ab", L"c", 7));
    pixel_test::Put(picture, 5, 3, RGB(1, 2, 3));
    EXPECT_TRUE(base == key(L"ab", L"c", 7));
    picture.SetSize(6, 5);
    EXPECT_FALSE(base == key(L"ab", L"c", 7));
    TBitmap empty;
    TLookKey e1, e2;
    e1.AddPicture(empty);
    e2.AddPicture(picture);
    EXPECT_FALSE(e1 == e2);

    // A kept picture is current only for the key and size it was made for,
    // and counted in the kept pictures' figures while it holds pixels.
    const TKeptPictureStats before = KeptPictureStats();
    TKeptPicture kept;
    EXPECT_FALSE(kept.Current(base, 10, 8));
    TBrushHandle mark(CreateSolidBrush(kMark));
    const RECT all{0, 0, 10, 8};
    FillRect(kept.DC(), &all, mark.Get());
    const TKeptPictureStats held = KeptPictureStats();
    EXPECT_EQ(held.Pictures - before.Pictures, 1);
    EXPECT_EQ(held.GdiObjects - before.GdiObjects, 2);
    EXPECT_EQ(held.Bytes - before.Bytes, 10u * 8u * 4u);
    EXPECT_TRUE(kept.Current(base, 10, 8));
    EXPECT_FALSE(kept.Current(base, 11, 8));
    EXPECT_FALSE(kept.Current(narrow, 11, 8));
    EXPECT_TRUE(kept.Current(narrow, 11, 8));
    kept.Forget();
    EXPECT_EQ(KeptPictureStats().Pictures, before.Pictures);
    EXPECT_FALSE(kept.Current(narrow, 11, 8));
    FillRect(kept.DC(), &all, mark.Get());
    TBitmap out(20, 20);
    pixel_test::Fill(out, 0, 0, 20, 20, 0);
    kept.CopyTo(out.Canvas().Handle(), 5, 6, RECT{2, 2, 6, 5});
    EXPECT_EQ(pixel_test::CountOther(out, 5, 6, 9, 9, kMark), 0);
    EXPECT_EQ(wrapper_test::CountColour(out, 0, 0, 20, 20, kMark), 12);
}
