// The base of every control wrapper: a component attached to one control
// window that lets the control do its own work and paints the skin over it.
// It hooks a framework control's message method (through the control's hook
// stack) or subclasses a raw window (through the one subclassing mechanism).
#pragma once

#include "framework/ui/win32.h"

#include <cstdint>
#include <string>
#include <vector>

#include "framework/core/component.h"
#include "framework/gdi/bitmap.h"
#include "framework/gdi/canvas.h"
#include "framework/ui/message_hooks.h"
#include "framework/ui/subclass.h"

class TSkinData;
class TSkinControl;
class TDataSkinObject;
class TControl;
class TWinControl;
class TGraphicControl;
class TImageList;

// What a composed picture was made from: plain values appended in a fixed
// order. Two keys are equal only when everything appended was, so a paint
// whose key is unchanged may copy the picture it kept instead of composing
// it again.
class TLookKey {
public:
    TLookKey& Add(int64_t value);
    TLookKey& Add(const RECT& r);
    TLookKey& Add(const std::wstring& text);
    TLookKey& Add(const LOGFONTW& font);
    // A picture by its size, pixel format, colour table and a 64-bit hash of
    // its pixels (an empty picture adds only that it is empty).
    TLookKey& AddPicture(TBitmap& picture);
    bool operator==(const TLookKey& other) const { return words_ == other.words_; }
    bool Empty() const { return words_.empty(); }
    void Clear() { words_.clear(); }

private:
    std::vector<uint32_t> words_;
};

// What the kept pictures of all wrappers hold (for the memory figures).
struct TKeptPictureStats {
    int Pictures = 0;   // kept pictures with pixels
    int GdiObjects = 0; // their bitmaps and memory DCs
    size_t Bytes = 0;   // their pixels
};
TKeptPictureStats KeptPictureStats();

// A picture composed off screen, kept with the key it was made from.
class TKeptPicture {
public:
    TKeptPicture();
    ~TKeptPicture();
    TKeptPicture(const TKeptPicture&) = delete;
    TKeptPicture& operator=(const TKeptPicture&) = delete;
    // True when the kept picture is w x h and was made from `key`; otherwise
    // it is sized to w x h, takes the key, and the caller composes it again.
    bool Current(const TLookKey& key, int w, int h);
    // Frees the picture; the next Current answers false.
    void Forget() {
        key_.Clear();
        picture_.Clear();
        hasDC_ = false;
    }
    // The picture's memory DC (a 32-bit DIB section).
    HDC DC() {
        hasDC_ = true;
        return picture_.Canvas().Handle();
    }
    // Copies the part `part` of the picture to (x, y) of dc.
    void CopyTo(HDC dc, int x, int y, const RECT& part);

private:
    friend TKeptPictureStats KeptPictureStats();
    TBitmap picture_;
    TLookKey key_;
    bool hasDC_ = false;
};

// What a wrapper needs of the form skinner that made it.
class TWrapperHost {
public:
    virtual ~TWrapperHost() = default;
    // Adds the wrapper to the list; answers whether it was there already.
    virtual bool RegisterWrapper(TSkinControl* wrapper) = 0;
    virtual void UnregisterWrapper(TSkinControl* wrapper) = 0;
    // The push-button wrapper under the pointer now (read and written by buttons).
    virtual TSkinControl*& HotButton() = 0;
    // The canvas lent to the wrappers' attach operations.
    virtual TCanvas* Canvas() = 0;
};

// Wrapper states the form skinner acts on.
enum class TWrapperState : int { Created = 0, Attached = 1, Destroyed = 6 };

// Bits of MouseState.
constexpr uint8_t kMouseHot = 0x01;
constexpr uint8_t kMousePressed = 0x02;

class TSkinControl : public TComponent {
    LT_CLASS(TSkinControl, TComponent)
public:
    explicit TSkinControl(TComponent* owner);
    ~TSkinControl() override;

    // Attach through the owner control's message method.
    virtual void AttachControl(TWrapperHost* formSkinner, TSkinData* skinData, bool recolour,
                               TCanvas* canvas);
    // Attach to a raw window by subclassing it.
    virtual void AttachWindow(HWND handle, TSkinData* skinData, TWrapperHost* formSkinner,
                              TCanvas* canvas);
    // Undoes the wrapper's change to the control (its colour).
    virtual void RestoreControl();
    // Before the control's own handling: true lets it run, then AfterMessage.
    virtual bool BeforeMessage(TMessage& msg);
    virtual void AfterMessage(TMessage& msg);
    // Paints the whole window now (dc null: through the window DC).
    virtual void PaintToWindow(HDC dc);
    // Draws the skin; nothing in the base.
    virtual void PaintSkin(HDC dc, const RECT& rect);
    // Re-applies the skin after the skin data changed.
    virtual void SkinChanged();

    // ---- Further attach operations and modes, called by the form skinner on
    // a wrapper it created by class name. The base behaviour is neutral: it
    // stores what it is given, registers and hooks like the families do, and
    // draws nothing of its own; the families override what they add.
    // Attach to a control's scroll bars: stores skin data, form skinner,
    // canvas, Control and Handle, registers and hooks the control's message
    // method; Attached and State are left as they are.
    virtual void AttachScrollBars(TWinControl* control, TSkinData* skinData,
                                  TWrapperHost* formSkinner, TCanvas* canvas);
    // Attach to a scroll-bar control: the base does what AttachScrollBars does.
    virtual void AttachScrollControl(TWinControl* control, TSkinData* skinData,
                                     TWrapperHost* formSkinner, TCanvas* canvas);
    // Attach to the owner when it is a windowless control: GraphicControl :=
    // the owner, hooks its message method, registers, State := 1 (Handle stays
    // null, Attached false). Answers whether the wrapper was registered already.
    virtual bool AttachGraphic(TWrapperHost* formSkinner, TSkinData* skinData, TCanvas* canvas);
    // The image-check (glyph) mode of an image wrapper; nothing in the base.
    virtual void SetGlyphMode(bool on);
    // ---- end of the further attach operations

    // The control's own handling of msg (fills msg.Result).
    void CallPrevious(TMessage& msg);
    // Repaints the control.
    void Refresh();
    // WM_PAINT handling of wrappers that replace the control's painting:
    // the DC of WParam, or a paint scope.
    void PaintThroughBeginPaint(TMessage& msg);

    uint8_t MouseState = 0;
    TCanvas* Canvas = nullptr;
    bool Enabled = true;
    bool Focused = false;
    std::wstring Caption;
    bool SkinActive = true;
    TSkinData* SkinData = nullptr;
    HWND Handle = nullptr;
    TWinControl* Control = nullptr;
    RECT WindowRect{};
    TGraphicControl* GraphicControl = nullptr;
    bool Recolour = false;
    TColor SavedColor = 0;
    // The control's font colour and ParentFont before a recolouring wrapper
    // gave its text the skin's colour.
    TColor SavedFontColor = 0;
    bool SavedParentFont = false;
    // Whether recolouring the background also recolours the control's font
    // (off for wrappers that draw the control's text themselves).
    bool RecoloursText = true;
    bool Attached = false;
    TWrapperState State = TWrapperState::Created;
    TWrapperHost* FormSkinner = nullptr;

    // Whether the control's message method or window is hooked now.
    bool HooksControl() const { return hook_.Hooked(); }
    bool SubclassesWindow() const { return window_.IsSubclassed(); }

protected:
    // Hooks a control's message method, windowed or windowless (the
    // speed-button attach uses it too); UnhookControl gives it back.
    void HookControlMessages(TControl& control);
    void UnhookControl() { hook_.Unhook(); }
    // Fills with the skin's face colour, or with the parent's colour.
    void FillFace(HDC dc, const RECT& rect) const;
    void FillParent(HDC dc, const RECT& rect) const;
    // The parent's colour (the skin's face colour without a parent control).
    TColor ParentColour() const;
    // The window's text (wide).
    std::wstring ReadWindowText() const;
    void DrawWindowText(HDC dc, const std::wstring& text, RECT& rect, UINT format) const;
    // The skin's face colour (the platform's when there is no skin).
    TColor FaceColour() const;
    // The skin's colour for text in `colour` (a platform text colour becomes
    // the colour table's; without a skin, or for an application's own
    // colour, it stays).
    TColor TextColour(TColor colour) const;
    // Text on a recoloured background: the control's font colour becomes
    // the skin's (RecolourText), is renewed after a skin change
    // (RenewTextColour) and put back (RestoreTextColour).
    void RecolourText();
    void RenewTextColour();
    void RestoreTextColour();
    // Answers the colours a platform control asks before it draws its text
    // (CN_CTLCOLORSTATIC / CN_CTLCOLORBTN, reflected to the control): the
    // skin's colour for its font colour on its parent's colour. False for
    // any other message, or without a framework control and a skin.
    bool AnswerTextColours(TMessage& msg) const;

private:
    // The message procedure: the skin switch, then Before/own/After.
    void MessageProc(TMessage& msg);
    void HandleHooked(TMessage& msg, const TMessageChain& next);

    class TWrapperWindow : public TWindowSubclass {
    public:
        explicit TWrapperWindow(TSkinControl* owner) : owner_(owner) {}

    protected:
        void WindowMessage(TMessage& msg) override;

    private:
        TSkinControl* owner_;
    };

    // Whether a WM_PAINT without a DC has the whole window to paint (no
    // frame around the client area, all of it invalid).
    bool UpdateCoversWindow() const;

    TMessageHookLink hook_;
    TWrapperWindow window_;
    bool textRecoloured_ = false;
    // While a WM_PAINT without a DC that repaints the whole window runs the
    // control's own handling: whether the skin was painted into the DC of a
    // nested WM_PAINT (the control's buffered paint), which then shows all
    // of it, so the whole-window paint after it is left out.
    bool wholeUpdate_ = false;
    bool skinBuffered_ = false;
    // The rest of the control's chain while a hooked message is handled.
    const TMessageChain* next_ = nullptr;
};

// By-name reading of a control's published properties (neutral values when
// the property is missing or of another kind).
int32_t SkinReadInteger(TObject* obj, const char* name);
// Lower-cased enumeration identifier ("true", "blglyphleft" ...).
std::string SkinReadEnum(TObject* obj, const char* name);
std::wstring SkinReadText(TObject* obj, const char* name);
bool SkinWriteValue(TObject* obj, const char* name, const char* text);

// A raw window's answer to WM_CTLCOLORSTATIC / WM_CTLCOLORBTN of a child on
// a background the engine fills with the face colour, after the window's
// own answer: text in the skin's window text colour over a transparent
// background; a static gets the skin's face brush.
void AnswerRawTextColours(TMessage& msg, const TSkinData& data);

// A wrapper of the registered class `className` owned by `owner`, made
// through the class registry; null when no such class is registered or it
// does not make wrappers (anything it made is freed again).
TSkinControl* MakeWrapperByName(const std::string& className, TComponent* owner);

// Element frame k of n drawn into rect by the nine-part rule (colour-on-colour
// stretching, magenta transparent when the element says so); nothing for an
// inverted rectangle, an empty element or a frame outside 1..n.
void DrawElementFrame(HDC dc, const RECT& rect, int n, int k, TDataSkinObject& element);
// Cell k of n of a strip stretched to rect, magenta transparent; a cell
// outside 1..n (outside the bitmap) or an inverted rectangle draws nothing.
void DrawStripCell(HDC dc, const RECT& rect, int n, int k, TBitmap& strip);
