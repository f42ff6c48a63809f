// Page-setup values: defaults, copying and the trip through a form definition.
#include "browser/print_options.h"

#include <gtest/gtest.h>

#include <cstring>

#include "framework/core/class_builder.h"
#include "framework/core/extended.h"
#include "framework/core/form_reader.h"
#include "framework/core/form_writer.h"

namespace {

// A component carrying print options, as the browser host does.
class TPrintHolder : public TComponent {
    LT_CLASS(TPrintHolder, TComponent)
public:
    explicit TPrintHolder(TComponent* owner) : TComponent(owner) {}
    TPrintOptions* PrintOptions() { return &options_; }

private:
    TPrintOptions options_;
};

uint64_t Bits(double v) {
    uint64_t b;
    std::memcpy(&b, &v, sizeof b);
    return b;
}

} // namespace

LT_CLASS_TABLE(TPrintHolder) {
    c.SubObject("PrintOptions", &TPrintHolder::PrintOptions);
}

TEST(PrintOptionsTest, DefaultsAfterConstruction) {
    TPrintOptions p;
    EXPECT_EQ(p.Header(), L"");
    EXPECT_EQ(p.Footer(), L"");
    EXPECT_EQ(p.Orientation(), poPortrait);
    ASSERT_NE(p.Margins(), nullptr);
    EXPECT_EQ(p.Margins()->Left(), 0.0);
    EXPECT_EQ(p.Margins()->Right(), 0.0);
    EXPECT_EQ(p.Margins()->Top(), 0.0);
    EXPECT_EQ(p.Margins()->Bottom(), 0.0);
    ASSERT_EQ(p.HTMLHeader()->Count(), 1);
    EXPECT_EQ((*p.HTMLHeader())[0], "<HTML></HTML>");
    // Published in declaration order.
    const auto& props = TPrintOptions::StaticClass().OwnProperties();
    ASSERT_EQ(props.size(), 5u);
    EXPECT_EQ(props[0].name, "Margins");
    EXPECT_EQ(props[1].name, "Header");
    EXPECT_EQ(props[2].name, "HTMLHeader");
    EXPECT_EQ(props[3].name, "Footer");
    EXPECT_EQ(props[4].name, "Orientation");
    const auto& margins = TMargins::StaticClass().OwnProperties();
    ASSERT_EQ(margins.size(), 4u);
    EXPECT_EQ(margins[0].name, "Left");
    EXPECT_EQ(margins[3].name, "Bottom");
}

TEST(PrintOptionsTest, AssigningCopiesTheLinesAndValues) {
    TPrintOptions a, b;
    TStringList lines;
    lines.Add("<HTML>");
    lines.Add("</HTML>");
    a.SetHTMLHeader(lines);
    lines.Clear();
    ASSERT_EQ(a.HTMLHeader()->Count(), 2); // a copy, not the caller's list
    a.SetHeader(L"&w&b页码，&p/&P");
    a.Margins()->SetTop(12.5);
    a.SetOrientation(poLandscape);
    b.Assign(a);
    EXPECT_EQ(b.Header(), a.Header());
    EXPECT_EQ(b.Margins()->Top(), 12.5);
    EXPECT_EQ(b.Orientation(), poLandscape);
    EXPECT_EQ(b.HTMLHeader()->Count(), 2);
    EXPECT_NE(b.HTMLHeader(), a.HTMLHeader());
}

TEST(PrintOptionsTest, MainWindowValuesSurviveAFormDefinitionBitForBit) {
    RegisterClasses<TPrintHolder>();
    TPrintHolder source(nullptr);
    TPrintOptions& p = *source.PrintOptions();
    p.Margins()->SetLeft(19.05);
    p.Margins()->SetRight(19.05);
    p.Margins()->SetTop(19.05);
    p.Margins()->SetBottom(19.05);
    p.SetHeader(L"&w&b页码，&p/&P");
    p.SetFooter(L"&u&b&d");
    std::string text = WriteFormDefinition(source);

    TPrintHolder copy(nullptr);
    ReadFormDefinition(copy, text);
    TPrintOptions& q = *copy.PrintOptions();
    EXPECT_EQ(Bits(q.Margins()->Left()), Bits(19.05)) << text;
    EXPECT_EQ(Bits(q.Margins()->Right()), Bits(19.05));
    EXPECT_EQ(Bits(q.Margins()->Top()), Bits(19.05));
    EXPECT_EQ(Bits(q.Margins()->Bottom()), Bits(19.05));
    EXPECT_EQ(q.Header(), L"&w&b页码，&p/&P");
    EXPECT_EQ(q.Footer(), L"&u&b&d");
    EXPECT_EQ(q.Orientation(), poPortrait);
    ASSERT_EQ(q.HTMLHeader()->Count(), 1);
    EXPECT_EQ((*q.HTMLHeader())[0], "<HTML></HTML>");

    // The extended-precision storage of 19.05 and its way back.
    TExtendedBytes ext = DoubleToExtended(19.05);
    const TExtendedBytes expected{0x00, 0x68, 0x66, 0x66, 0x66, 0x66, 0x66, 0x98, 0x03, 0x40};
    EXPECT_EQ(ext, expected);
    EXPECT_EQ(Bits(ExtendedToDouble(expected)), Bits(19.05));
}
