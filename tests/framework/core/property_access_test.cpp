// Published-property access by name.
#include <gtest/gtest.h>

#include "framework/core/exception.h"
#include "framework/core/property_access.h"
#include "tests/framework/core/sample_classes.h"

TEST(PropertyAccess, ReadsEveryKindByNameInAnyCase) {
    TSampleForm form;
    auto* w = new TSampleButton(&form);
    auto* other = new TSampleWidget(&form);
    w->Width = 8;
    w->Visible = true;
    w->Layout = slGlyphBottom;
    w->SetCaption("cap");
    w->Title = L"\u4E2D\u6587";
    w->SetBuddy(other);
    w->Font()->SetHeight(-13);
    w->Default = true;

    EXPECT_EQ(ReadIntegerProperty(w, "width"), 80); // the button's own Width
    EXPECT_EQ(ReadIntegerProperty(w, "TAG"), 0);
    w->SetTag(99);
    EXPECT_EQ(ReadIntegerProperty(w, "Tag"), 99); // inherited from TComponent
    EXPECT_EQ(ReadEnumerationProperty(w, "layout"), "slGlyphBottom");
    EXPECT_EQ(ReadEnumerationProperty(w, "Visible"), "True");
    EXPECT_EQ(ReadEnumerationProperty(w, "DEFAULT"), "True");
    w->Visible = false;
    EXPECT_EQ(ReadEnumerationProperty(w, "visible"), "False");
    EXPECT_EQ(ReadTextProperty(w, "caption"), L"cap"); // ANSI converted
    EXPECT_EQ(ReadTextProperty(w, "Title"), L"\u4E2D\u6587");
    EXPECT_EQ(ReadTextProperty(w, "Name"), L"");
    EXPECT_EQ(ReadObjectProperty(w, "buddy", TSampleWidget::StaticClass()), other);
    EXPECT_EQ(ReadObjectProperty<TSampleFont>(w, "FONT"), w->Font());
    EXPECT_EQ(ReadObjectProperty<TStringList>(w, "Lines"), &w->Lines());
    EXPECT_EQ(ReadObjectProperty<TCollection>(w, "Panels"), w->Panels());
    EXPECT_EQ(ReadIntegerProperty(w->Font(), "height"), -13);
}

TEST(PropertyAccess, NeutralAnswersForMissingOrOtherKinds) {
    TSampleWidget w(nullptr);
    w.Width = 5;
    w.SetCaption("x");
    // Missing property.
    EXPECT_EQ(ReadIntegerProperty(&w, "Missing"), 0);
    EXPECT_EQ(ReadEnumerationProperty(&w, "Missing"), "");
    EXPECT_EQ(ReadTextProperty(&w, "Missing"), L"");
    EXPECT_EQ(ReadObjectProperty(&w, "Missing", TObject::StaticClass()), nullptr);
    // Another kind.
    EXPECT_EQ(ReadIntegerProperty(&w, "Caption"), 0);
    EXPECT_EQ(ReadIntegerProperty(&w, "Visible"), 0);
    EXPECT_EQ(ReadEnumerationProperty(&w, "Width"), "");
    EXPECT_EQ(ReadTextProperty(&w, "Width"), L"");
    EXPECT_EQ(ReadTextProperty(&w, "Layout"), L"");
    EXPECT_EQ(ReadObjectProperty(&w, "Width", TObject::StaticClass()), nullptr);
    // Sets, floats and events answer none of the five operations.
    w.Options = {TSampleOption::Second};
    w.Ratio = 4.0;
    EXPECT_EQ(ReadIntegerProperty(&w, "Options"), 0);
    EXPECT_EQ(ReadEnumerationProperty(&w, "Options"), "");
    EXPECT_EQ(ReadIntegerProperty(&w, "Ratio"), 0);
    EXPECT_EQ(ReadTextProperty(&w, "Ratio"), L"");
    EXPECT_EQ(ReadTextProperty(&w, "OnClick"), L"");
    EXPECT_EQ(ReadObjectProperty(&w, "OnClick", TObject::StaticClass()), nullptr);
    EXPECT_FALSE(WriteValueProperty(&w, "Options", "1"));
    EXPECT_FALSE(WriteValueProperty(&w, "Ratio", "1"));
    EXPECT_FALSE(WriteValueProperty(&w, "Font", "1"));
    EXPECT_EQ(w.Options.Mask(), 2u);
    EXPECT_EQ(w.Ratio, 4.0);
    // Object of another class.
    EXPECT_EQ(ReadObjectProperty(&w, "Font", TStringList::StaticClass()), nullptr);
    // Unset reference.
    EXPECT_EQ(ReadObjectProperty(&w, "Buddy", TSampleWidget::StaticClass()), nullptr);
    // Null object.
    EXPECT_EQ(ReadIntegerProperty(nullptr, "Width"), 0);
    EXPECT_EQ(ReadTextProperty(nullptr, "Caption"), L"");
    EXPECT_FALSE(WriteValueProperty(nullptr, "Width", "1"));
    EXPECT_FALSE(HasProperty(nullptr, "Width"));
    EXPECT_TRUE(HasProperty(&w, "WIDTH"));
}

TEST(PropertyAccess, WriteValueSetsEnumerationsAndIntegersOnly) {
    TSampleWidget w(nullptr);
    EXPECT_TRUE(WriteValueProperty(&w, "visible", "False"));
    EXPECT_FALSE(w.Visible);
    EXPECT_TRUE(WriteValueProperty(&w, "Visible", "true")); // identifiers in any case
    EXPECT_TRUE(w.Visible);
    EXPECT_TRUE(WriteValueProperty(&w, "Layout", "SLGLYPHTOP"));
    EXPECT_EQ(w.Layout, slGlyphTop);
    EXPECT_TRUE(WriteValueProperty(&w, "Width", "-42"));
    EXPECT_EQ(w.Width, -42);
    EXPECT_TRUE(WriteValueProperty(w.Font(), "Color", "16711935"));
    EXPECT_EQ(w.Font()->Color(), 0x00FF00FF);
    EXPECT_TRUE(WriteValueProperty(w.Font(), "Color", "clRed")); // identifier map
    EXPECT_EQ(w.Font()->Color(), 0xFF);

    // Nothing happens for bad text, missing or other-kind properties.
    EXPECT_FALSE(WriteValueProperty(&w, "Layout", "nonsense"));
    EXPECT_EQ(w.Layout, slGlyphTop);
    EXPECT_FALSE(WriteValueProperty(&w, "Width", "12px"));
    EXPECT_EQ(w.Width, -42);
    EXPECT_FALSE(WriteValueProperty(&w, "Flat", "True"));
    EXPECT_FALSE(WriteValueProperty(&w, "Caption", "True"));
    EXPECT_EQ(w.Caption(), "");
    EXPECT_FALSE(WriteValueProperty(&w, "ReadOnlyValue", "3"));
    EXPECT_EQ(w.ReadOnlyValue(), 7);
}

TEST(PropertyAccess, AssignPublishedPropertiesCopiesValuesAndContent) {
    TSampleWidget a(nullptr), b(nullptr);
    a.Width = 3;
    a.Layout = slGlyphRight;
    a.Title = L"t";
    a.Ratio = 2.5;
    a.Font()->SetHeight(20);
    a.Lines().Add("one");
    static_cast<TSampleItem*>(a.Panels()->Add())->Width = 44;
    AssignPublishedProperties(b, a);
    EXPECT_EQ(b.Width, 3);
    EXPECT_EQ(b.Layout, slGlyphRight);
    EXPECT_EQ(b.Title, L"t");
    EXPECT_EQ(b.Ratio, 2.5);
    EXPECT_EQ(b.Font()->Height(), 20);
    EXPECT_EQ(b.Lines().Count(), 1);
    ASSERT_EQ(b.Panels()->Count(), 1);
    EXPECT_EQ(b.Panels()->ItemsAs<TSampleItem>(0)->Width, 44);
    TSampleForm f;
    EXPECT_THROW(AssignPublishedProperties(f, a), EConvertError);
}
