// Page-setup values: construction, copying and their published properties.
#include "browser/print_options.h"

#include "framework/core/class_builder.h"

LT_CLASS_TABLE(TMargins) {
    c.Float("Left", &TMargins::Left, &TMargins::SetLeft)
        .Float("Right", &TMargins::Right, &TMargins::SetRight)
        .Float("Top", &TMargins::Top, &TMargins::SetTop)
        .Float("Bottom", &TMargins::Bottom, &TMargins::SetBottom);
}

// Copies the four margins of another TMargins.
void TMargins::Assign(const TPersistent& src) {
    if (auto* m = dynamic_cast<const TMargins*>(&src)) {
        left_ = m->left_;
        right_ = m->right_;
        top_ = m->top_;
        bottom_ = m->bottom_;
        return;
    }
    TPersistent::Assign(src);
}

LT_CLASS_TABLE(TPrintOptions) {
    c.SubObject("Margins", &TPrintOptions::Margins)
        .String("Header", &TPrintOptions::Header, &TPrintOptions::SetHeader)
        .Strings("HTMLHeader", &TPrintOptions::HTMLHeader, &TPrintOptions::SetHTMLHeader)
        .String("Footer", &TPrintOptions::Footer, &TPrintOptions::SetFooter)
        .Enum("Orientation", &TPrintOptions::Orientation, &TPrintOptions::SetOrientation)
        .Default(poPortrait);
}

// Margins of 0 and the HTML header line "<HTML></HTML>".
TPrintOptions::TPrintOptions()
    : margins_(std::make_unique<TMargins>()), htmlHeader_(std::make_unique<TStringList>()) {
    htmlHeader_->Add("<HTML></HTML>");
}

// The list and the margins go before the options themselves.
TPrintOptions::~TPrintOptions() {
    htmlHeader_.reset();
    margins_.reset();
}

// Copies every value of another TPrintOptions.
void TPrintOptions::Assign(const TPersistent& src) {
    if (auto* p = dynamic_cast<const TPrintOptions*>(&src)) {
        margins_->Assign(*p->margins_);
        header_ = p->header_;
        htmlHeader_->Assign(*p->htmlHeader_);
        footer_ = p->footer_;
        orientation_ = p->orientation_;
        return;
    }
    TPersistent::Assign(src);
}
