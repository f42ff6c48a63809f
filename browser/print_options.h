// Page-setup values carried by the browser host control: margins, header and
// footer lines, an HTML header and the paper orientation.
#pragma once

#include <memory>
#include <string>

#include "framework/core/enum_info.h"
#include "framework/core/persistent.h"
#include "framework/core/strings.h"

LT_ENUM(TPrintOrientationOption, poPortrait, poLandscape)

// Four page margins in millimetres.
class TMargins : public TPersistent {
    LT_CLASS(TMargins, TPersistent)
public:
    TMargins() = default;
    double Left() const { return left_; }
    double Right() const { return right_; }
    double Top() const { return top_; }
    double Bottom() const { return bottom_; }
    void SetLeft(double v) { left_ = v; }
    void SetRight(double v) { right_ = v; }
    void SetTop(double v) { top_ = v; }
    void SetBottom(double v) { bottom_ = v; }
    void Assign(const TPersistent& src) override;

private:
    double left_ = 0, right_ = 0, top_ = 0, bottom_ = 0;
};

// Header, footer and HTML header use the page-setup codes (&w title, &u address,
// &d date, &p page, &P pages, &b part separator).
class TPrintOptions : public TPersistent {
    LT_CLASS(TPrintOptions, TPersistent)
public:
    TPrintOptions();
    ~TPrintOptions() override;
    TPrintOptions(const TPrintOptions&) = delete;
    TPrintOptions& operator=(const TPrintOptions&) = delete;

    TMargins* Margins() const { return margins_.get(); }
    const std::wstring& Header() const { return header_; }
    void SetHeader(const std::wstring& v) { header_ = v; }
    TStringList* HTMLHeader() const { return htmlHeader_.get(); }
    // Copies the given lines into the owned list.
    void SetHTMLHeader(const TStringList& lines) { htmlHeader_->Assign(lines); }
    const std::wstring& Footer() const { return footer_; }
    void SetFooter(const std::wstring& v) { footer_ = v; }
    TPrintOrientationOption Orientation() const { return orientation_; }
    void SetOrientation(TPrintOrientationOption v) { orientation_ = v; }
    void Assign(const TPersistent& src) override;

private:
    std::unique_ptr<TMargins> margins_;
    std::wstring header_;
    std::unique_ptr<TStringList> htmlHeader_;
    std::wstring footer_;
    TPrintOrientationOption orientation_ = poPortrait;
};
