// TStatusBar: panels over the common status-bar control.
#include "framework/ui/statusbar.h"

#include <commctrl.h>

#include <vector>

#include "framework/core/class_builder.h"
#include "framework/gdi/canvas.h"
#include "framework/ui/form.h"

void TStatusPanel::SetWidth(int32_t v) {
    if (v != width_) {
        width_ = v;
        Changed(true);
    }
}
void TStatusPanel::SetAlignment(TAlignment v) {
    if (v != alignment_) {
        alignment_ = v;
        Changed(false);
    }
}
void TStatusPanel::SetText(const std::wstring& v) {
    if (v != text_) {
        text_ = v;
        Changed(false);
    }
}
void TStatusPanel::SetBevel(TStatusPanelBevel v) {
    if (v != bevel_) {
        bevel_ = v;
        Changed(false);
    }
}
void TStatusPanel::SetStyle(TStatusPanelStyle v) {
    if (v != style_) {
        style_ = v;
        Changed(false);
    }
}
void TStatusPanel::SetBiDiMode(TBiDiMode v) {
    if (v != bidiMode_) {
        bidiMode_ = v;
        Changed(false);
    }
}

void TStatusPanel::Assign(const TPersistent& src) {
    if (auto* p = dynamic_cast<const TStatusPanel*>(&src)) {
        width_ = p->width_;
        alignment_ = p->alignment_;
        text_ = p->text_;
        bevel_ = p->bevel_;
        style_ = p->style_;
        bidiMode_ = p->bidiMode_;
        Changed(true);
        return;
    }
    TCollectionItem::Assign(src);
}

TStatusPanels::TStatusPanels(TStatusBar* bar)
    : TCollection(TStatusPanel::StaticClass(), bar), bar_(bar) {}

void TStatusPanels::Update(TCollectionItem* item) {
    if (item)
        bar_->UpdatePanel(item->Index());
    else
        bar_->UpdatePanels();
}

TStatusBar::TStatusBar(TComponent* owner) : TWinControl(owner), panels_(this) {
    SetColor(clBtnFace);
    SetBounds(0, 0, 200, 19);
    SetAlign(alBottom);
}

TStatusBar::~TStatusBar() {
    // The window goes while the panels it shows still exist.
    DestroyHandle();
}

void TStatusBar::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.superClass = STATUSCLASSNAMEW;
    // Placement is the framework's alignment, not the control's own.
    params.style |= CCS_NOPARENTALIGN | CCS_NORESIZE;
    if (sizeGrip_)
        params.style |= SBARS_SIZEGRIP;
    params.classStyle &= ~(CS_HREDRAW | CS_VREDRAW);
}

void TStatusBar::CreateHandleDone() {
    ForgetSent();
    ApplyFont();
    UpdatePanels();
}

void TStatusBar::ForgetSent() {
    sentEdges_.clear();
    sentPanels_.clear();
}

void TStatusBar::ApplyFont() {
    if (!HandleAllocated())
        return;
    HFONT font = useSystemFont_ ? nullptr : Font().Handle();
    SendMessageW(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

void TStatusBar::UpdatePanels() {
    if (!HandleAllocated())
        return;
    HWND wnd = Handle();
    SendMessageW(wnd, SB_SIMPLE, simplePanel_ ? TRUE : FALSE, 0);
    if (simplePanel_) {
        ForgetSent();
        SendMessageW(wnd, SB_SETTEXTW, SB_SIMPLEID, reinterpret_cast<LPARAM>(simpleText_.c_str()));
        return;
    }
    const int count = panels_.Count();
    std::vector<int> edges(std::max(1, count));
    int right = 0;
    for (int i = 0; i < count; ++i) {
        right += panels_.Items(i)->Width();
        edges[i] = right;
    }
    if (count > 0)
        edges[count - 1] = -1; // the last panel reaches to the end of the bar
    else
        edges[0] = -1;
    if (edges != sentEdges_) {
        SendMessageW(wnd, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
        sentEdges_ = edges;
        sentPanels_.clear();
    }
    for (int i = 0; i < count; ++i)
        UpdatePanel(i);
}

// One panel's text: alignment by leading tabs, bevel and style by drawing flags.
void TStatusBar::UpdatePanel(int index) {
    if (!HandleAllocated() || simplePanel_ || index < 0 || index >= panels_.Count())
        return;
    TStatusPanel* p = panels_.Items(index);
    WPARAM flags = static_cast<WPARAM>(index);
    if (p->Bevel() == pbNone)
        flags |= SBT_NOBORDERS;
    else if (p->Bevel() == pbRaised)
        flags |= SBT_POPOUT;
    if (p->BiDiMode() != bdLeftToRight)
        flags |= SBT_RTLREADING;
    TSentPanel sent;
    if (p->Style() == psOwnerDraw) {
        sent.Flags = flags | SBT_OWNERDRAW;
        sent.OwnerDrawn = reinterpret_cast<LPARAM>(p);
    } else {
        sent.Flags = flags;
        sent.Text = p->Alignment() == taCenter         ? L"\t" + p->Text()
                    : p->Alignment() == taRightJustify ? L"\t\t" + p->Text()
                                                       : p->Text();
    }
    if (sentPanels_.size() <= static_cast<size_t>(index))
        sentPanels_.resize(index + 1);
    std::optional<TSentPanel>& last = sentPanels_[index];
    if (last && last->Flags == sent.Flags && last->OwnerDrawn == sent.OwnerDrawn &&
        last->Text == sent.Text)
        return;
    SendMessageW(Handle(), SB_SETTEXTW, sent.Flags,
                 sent.OwnerDrawn ? sent.OwnerDrawn : reinterpret_cast<LPARAM>(sent.Text.c_str()));
    last = std::move(sent);
}

void TStatusBar::SetSimplePanel(bool v) {
    if (v != simplePanel_) {
        simplePanel_ = v;
        UpdatePanels();
        Invalidate();
    }
}

void TStatusBar::SetSimpleText(const std::wstring& v) {
    if (v != simpleText_) {
        simpleText_ = v;
        if (simplePanel_)
            UpdatePanels();
    }
}

void TStatusBar::SetSizeGrip(bool v) {
    if (v == sizeGrip_)
        return;
    sizeGrip_ = v;
    if (HandleAllocated()) {
        LONG style = GetWindowLongW(Handle(), GWL_STYLE);
        SetWindowLongW(Handle(), GWL_STYLE,
                       v ? (style | SBARS_SIZEGRIP) : (style & ~SBARS_SIZEGRIP));
        Invalidate();
    }
}

void TStatusBar::SetUseSystemFont(bool v) {
    if (v != useSystemFont_) {
        useSystemFont_ = v;
        ApplyFont();
    }
}

void TStatusBar::DrawPanel(HDC dc, int index, const RECT& rect) {
    if (!OnDrawPanel)
        return;
    if (!canvas_)
        canvas_ = std::make_unique<TCanvas>();
    canvas_->SetHandle(dc);
    canvas_->Font().Assign(Font());
    TStatusPanel* panel = index >= 0 && index < panels_.Count() ? panels_.Items(index) : nullptr;
    try {
        OnDrawPanel(this, panel, rect);
    } catch (...) {
        canvas_->SetHandle(nullptr);
        throw;
    }
    canvas_->SetHandle(nullptr);
}

void TStatusBar::WndProc(TMessage& msg) {
    switch (msg.Msg) {
    case CM_FONTCHANGED:
        // Setting the font is asking for it to be used; a font that only
        // follows the parent's leaves UseSystemFont alone.
        if (!FontFromParent())
            useSystemFont_ = false;
        ApplyFont();
        Invalidate();
        return;
    case WM_SIZE:
        TWinControl::WndProc(msg);
        UpdatePanels();
        return;
    case CN_DRAWITEM: {
        const auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(msg.LParam);
        DrawPanel(dis->hDC, static_cast<int>(dis->itemID), dis->rcItem);
        msg.Result = 1;
        return;
    }
    default:
        TWinControl::WndProc(msg);
    }
}

LT_CLASS_TABLE(TStatusPanel) {
    c.Integer("Width", &TStatusPanel::Width, &TStatusPanel::SetWidth)
        .Default(50)
        .Enum("Alignment", &TStatusPanel::Alignment, &TStatusPanel::SetAlignment)
        .Default(taLeftJustify)
        .String("Text", &TStatusPanel::Text, &TStatusPanel::SetText)
        .Enum("Bevel", &TStatusPanel::Bevel, &TStatusPanel::SetBevel)
        .Default(pbLowered)
        .Enum("Style", &TStatusPanel::Style, &TStatusPanel::SetStyle)
        .Default(psText)
        .Enum("BiDiMode", &TStatusPanel::BiDiMode, &TStatusPanel::SetBiDiMode)
        .Default(bdLeftToRight);
}

LT_CLASS_TABLE(TStatusPanels) {}

LT_CLASS_TABLE(TStatusBar) {
    c.Collection("Panels", &TStatusBar::Panels)
        .Boolean("SimplePanel", &TStatusBar::SimplePanel, &TStatusBar::SetSimplePanel)
        .Default(false)
        .String("SimpleText", &TStatusBar::SimpleText, &TStatusBar::SetSimpleText)
        .Boolean("SizeGrip", &TStatusBar::SizeGrip, &TStatusBar::SetSizeGrip)
        .Default(true)
        .Boolean("UseSystemFont", &TStatusBar::UseSystemFont, &TStatusBar::SetUseSystemFont)
        .Default(true)
        .Event("OnDrawPanel", &TStatusBar::OnDrawPanel);
}
