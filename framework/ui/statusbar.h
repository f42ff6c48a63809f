// Status bar over the common control, with panels laid out left to right.
#pragma once

#include "framework/core/collection.h"
#include "framework/ui/wincontrol.h"

#include <optional>
#include <string>
#include <vector>

class TStatusBar;
class TCanvas;

LT_ENUM(TStatusPanelStyle, psText, psOwnerDraw)
LT_ENUM(TStatusPanelBevel, pbNone, pbLowered, pbRaised)

class TStatusPanel : public TCollectionItem {
    LT_CLASS(TStatusPanel, TCollectionItem)
public:
    explicit TStatusPanel(TCollection* collection) : TCollectionItem(collection) {}

    int32_t Width() const { return width_; }
    void SetWidth(int32_t v);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment v);
    const std::wstring& Text() const { return text_; }
    void SetText(const std::wstring& v);
    TStatusPanelBevel Bevel() const { return bevel_; }
    void SetBevel(TStatusPanelBevel v);
    TStatusPanelStyle Style() const { return style_; }
    void SetStyle(TStatusPanelStyle v);
    TBiDiMode BiDiMode() const { return bidiMode_; }
    void SetBiDiMode(TBiDiMode v);
    void Assign(const TPersistent& src) override;

private:
    int32_t width_ = 50;
    TAlignment alignment_ = taLeftJustify;
    std::wstring text_;
    TStatusPanelBevel bevel_ = pbLowered;
    TStatusPanelStyle style_ = psText;
    TBiDiMode bidiMode_ = bdLeftToRight;
};

class TStatusPanels : public TCollection {
    LT_CLASS(TStatusPanels, TCollection)
public:
    explicit TStatusPanels(TStatusBar* bar);
    TStatusPanel* Items(int i) const { return ItemsAs<TStatusPanel>(i); }
    TStatusPanel* Add() { return static_cast<TStatusPanel*>(TCollection::Add()); }

protected:
    void Update(TCollectionItem* item) override;

private:
    TStatusBar* bar_;
};

using TDrawPanelEvent = TEvent<void(TStatusBar* bar, TStatusPanel* panel, const RECT& rect)>;

class TStatusBar : public TWinControl {
    LT_CLASS(TStatusBar, TWinControl)
public:
    explicit TStatusBar(TComponent* owner);
    ~TStatusBar() override;

    TStatusPanels* Panels() { return &panels_; }
    bool SimplePanel() const { return simplePanel_; }
    void SetSimplePanel(bool v);
    const std::wstring& SimpleText() const { return simpleText_; }
    void SetSimpleText(const std::wstring& v);
    bool SizeGrip() const { return sizeGrip_; }
    void SetSizeGrip(bool v);
    // True: the system's status font; false: the control's own Font.
    bool UseSystemFont() const { return useSystemFont_; }
    void SetUseSystemFont(bool v);
    // The canvas an owner-drawn panel paints on (bound during OnDrawPanel).
    TCanvas* Canvas() { return canvas_.get(); }

    // Sends the panel layout (right edges at the running sum of widths, the
    // last one to the end) and every panel's text to the control.
    void UpdatePanels();
    void UpdatePanel(int index);
    // Has OnDrawPanel draw panel `index` into `rect` of `dc` (the canvas is
    // bound to the DC for the call); nothing without a handler.
    void DrawPanel(HDC dc, int index, const RECT& rect);

    TDrawPanelEvent OnDrawPanel;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateHandleDone() override;
    void WndProc(TMessage& msg) override;

private:
    void ApplyFont();
    // What the control was last given, so an unchanged layout or text is not
    // sent again (each send re-lays out and repaints the control).
    struct TSentPanel {
        WPARAM Flags = 0;
        LPARAM OwnerDrawn = 0;
        std::wstring Text;
    };
    void ForgetSent();

    TStatusPanels panels_;
    std::vector<int> sentEdges_;
    std::vector<std::optional<TSentPanel>> sentPanels_;
    std::unique_ptr<TCanvas> canvas_;
    bool simplePanel_ = false;
    bool sizeGrip_ = true;
    bool useSystemFont_ = true;
    std::wstring simpleText_;
};
