// Writing form definitions and reading them back.
#include <gtest/gtest.h>

#include <bit>
#include <string>

#include "framework/core/form_reader.h"
#include "framework/core/form_syntax.h"
#include "framework/core/form_writer.h"
#include "tests/framework/core/sample_classes.h"

namespace {
bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}
} // namespace

TEST(FormWriter, WritesValuesThatReadBackIdentically) {
    RegisterSampleClasses();
    TSampleForm form;
    form.SetName("Form_Main");
    form.Caption = L"\u5C9A\u62D3 it's\r\n";
    form.Margin = 19.05;
    auto* b = new TSampleButton(&form);
    b->SetName("Button1");
    b->SetCaption("OK");
    b->Width = 12;
    b->Visible = false;
    b->Layout = slGlyphBottom;
    b->Options = {TSampleOption::Second};
    b->Ratio = 0.1 + 0.2; // not a short decimal
    b->Font()->SetHeight(-13);
    b->Font()->SetColor(-16777201);
    b->Lines().Add("a'b");
    auto* item = static_cast<TSampleItem*>(b->Panels()->Add());
    item->Width = 350;
    item->Text = L"E_Mail\uFF1A";
    b->Blob = {1, 2, 0xFE};
    auto* other = new TSampleWidget(&form);
    other->SetName("Other");
    b->SetBuddy(other);
    auto* inner = new TSampleWidget(&form);
    inner->SetName("Inner");
    inner->SetParentComponent(other);
    ReadFormDefinition(form, "object Form_Main: TSampleForm\n"
                             " object Button1: TSampleButton\n OnClick = FormCreate\n end\nend");

    const std::string text = WriteFormDefinition(form);
    EXPECT_TRUE(Contains(text, "object Form_Main: TSampleForm\n")) << text;
    EXPECT_TRUE(Contains(text, "  Caption = '\xE5\xB2\x9A\xE6\x8B\x93 it''s'#13#10\n")) << text;
    EXPECT_TRUE(Contains(text, "  Margin = 19.05\n")) << text;
    EXPECT_TRUE(Contains(text, "    Width = 120\n")) << text;
    EXPECT_TRUE(Contains(text, "    Visible = False\n")) << text;
    EXPECT_TRUE(Contains(text, "    Options = [Second]\n")) << text;
    EXPECT_TRUE(Contains(text, "    Font.Color = clBtnFace\n")) << text;
    EXPECT_TRUE(Contains(text, "    Buddy = Other\n")) << text;
    EXPECT_TRUE(Contains(text, "    OnClick = FormCreate\n")) << text;
    EXPECT_TRUE(Contains(text, "    Blob = {\n      0102FE}\n")) << text;
    EXPECT_TRUE(Contains(text, "    object Inner: TSampleWidget\n")) << text;
    EXPECT_FALSE(Contains(text, "Tag =")) << text;         // default 0
    EXPECT_FALSE(Contains(text, "ReadOnlyValue")) << text; // read-only
    EXPECT_FALSE(Contains(text, "OnQuery")) << text;       // unbound
    EXPECT_FALSE(Contains(text, "OldCaption")) << text;    // no data to write
    EXPECT_FALSE(Contains(text, "\n  Name =")) << text;    // in the object line instead
    EXPECT_FALSE(Contains(text, "\n    Name =")) << text;

    TSampleForm copy;
    ReadFormDefinition(copy, text);
    EXPECT_EQ(copy.Caption, form.Caption);
    EXPECT_EQ(std::bit_cast<uint64_t>(copy.Margin), std::bit_cast<uint64_t>(19.05));
    auto* b2 = ObjectAs<TSampleButton>(copy.FindComponent("Button1"));
    ASSERT_NE(b2, nullptr);
    EXPECT_EQ(b2->Caption(), "OK");
    EXPECT_EQ(b2->Width, 12);
    EXPECT_FALSE(b2->Visible);
    EXPECT_EQ(b2->Layout, slGlyphBottom);
    EXPECT_EQ(b2->Options.Mask(), 2u);
    EXPECT_EQ(std::bit_cast<uint64_t>(b2->Ratio), std::bit_cast<uint64_t>(0.1 + 0.2));
    EXPECT_EQ(b2->Font()->Height(), -13);
    EXPECT_EQ(b2->Font()->Color(), -16777201);
    ASSERT_EQ(b2->Lines().Count(), 1);
    EXPECT_EQ(b2->Lines()[0], "a'b");
    ASSERT_EQ(b2->Panels()->Count(), 1);
    EXPECT_EQ(b2->Panels()->ItemsAs<TSampleItem>(0)->Width, 350);
    EXPECT_EQ(b2->Panels()->ItemsAs<TSampleItem>(0)->Text, L"E_Mail\uFF1A");
    EXPECT_EQ(b2->Blob, b->Blob);
    EXPECT_EQ(b2->Buddy(), copy.FindComponent("Other"));
    EXPECT_EQ(b2->OnClick.HandlerName(), "FormCreate");
    auto* inner2 = ObjectAs<TSampleWidget>(copy.FindComponent("Inner"));
    ASSERT_NE(inner2, nullptr);
    EXPECT_EQ(inner2->ParentSeen, copy.FindComponent("Other"));
    // Writing the copy gives the same text.
    EXPECT_EQ(WriteFormDefinition(copy), text);
}

TEST(FormWriter, FloatsUseTheShortestExactText) {
    TFormValue v;
    v.kind = TFormValue::Kind::Float;
    for (double d : {19.05, 0.1, 1e300, -2.5e-310, 3.0, 123456789.0}) {
        v.number = d;
        const std::string text = FormValueText(v, 0);
        TSampleForm form;
        ReadFormDefinition(form, "object F: TSampleForm\n Margin = " + text + "\nend");
        EXPECT_EQ(std::bit_cast<uint64_t>(form.Margin), std::bit_cast<uint64_t>(d)) << text;
    }
    v.number = 19.05;
    EXPECT_EQ(FormValueText(v, 0), "19.05");
    v.number = 3.0;
    EXPECT_EQ(FormValueText(v, 0), "3.0");
}

TEST(FormWriter, NestsComponentsUnderTheirParentsAtAnyDepth) {
    RegisterSampleClasses();
    TSampleForm form;
    ReadFormDefinition(form, "object F: TSampleForm\n object A: TSampleWidget\n"
                             "  object B: TSampleWidget\n   object C: TSampleButton\n   end\n"
                             "  end\n end\n object D: TSampleWidget\n end\nend\n");
    const std::string text = WriteFormDefinition(form);
    const std::string expected = "object F: TSampleForm\n"
                                 "  Caption = ''\n"
                                 "  Margin = 0.0\n"
                                 "  object A: TSampleWidget\n";
    EXPECT_EQ(text.substr(0, expected.size()), expected) << text;
    EXPECT_TRUE(Contains(text, "\n    object B: TSampleWidget\n")) << text;
    EXPECT_TRUE(Contains(text, "\n      object C: TSampleButton\n")) << text;
    EXPECT_TRUE(Contains(text, "\n  object D: TSampleWidget\n")) << text;
    EXPECT_LT(text.find("object C"), text.find("object D"));
    // Each component is written once.
    EXPECT_EQ(text.find("object B"), text.rfind("object B"));
}
