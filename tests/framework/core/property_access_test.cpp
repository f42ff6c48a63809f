// Published-property access by name.
#include <gtest/gtest.h>

#include "framework/core/class_builder.h"
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

namespace {

// A holder of an owned object whose property copies on assignment (like a
// control's picture) beside a reference property (like its image list).
class TPictureHolder : public TComponent {
    LT_CLASS(TPictureHolder, TComponent)
public:
    explicit TPictureHolder(TComponent* owner) : TComponent(owner) {}
    TSampleFont& Picture() { return picture_; }
    void SetPicture(const TSampleFont& p) {
        picture_.SetHeight(p.Height());
        picture_.SetColor(p.Color());
        ++copies;
    }
    TSampleFont& Plain() { return plain_; }
    int copies = 0;

private:
    TSampleFont picture_;
    TSampleFont plain_;
};

} // namespace

LT_CLASS_TABLE(TPictureHolder) {
    c.SubObject("Picture", &TPictureHolder::Picture, &TPictureHolder::SetPicture)
        .SubObject("Plain", &TPictureHolder::Plain);
}

TEST(PropertyAccess, WriteObjectCopiesOwnedObjectsAndStoresReferences) {
    TSampleForm form;
    auto* holder = new TPictureHolder(&form);
    TSampleFont source;
    source.SetHeight(-20);
    source.SetColor(0x123456);
    // An owned object receives a copy; the holder keeps its own object.
    EXPECT_TRUE(WriteObjectProperty(holder, "picture", &source));
    EXPECT_EQ(holder->copies, 1);
    EXPECT_EQ(holder->Picture().Height(), -20);
    EXPECT_EQ(holder->Picture().Color(), 0x123456);
    EXPECT_EQ(ReadObjectProperty<TSampleFont>(holder, "Picture"), &holder->Picture());
    source.SetHeight(-30);
    EXPECT_EQ(holder->Picture().Height(), -20);
    // Nothing for an object of another class, none, an owned object without
    // a setter, or a missing property.
    TSampleWidget widget(nullptr);
    EXPECT_FALSE(WriteObjectProperty(holder, "Picture", &widget));
    EXPECT_FALSE(WriteObjectProperty(holder, "Picture", nullptr));
    EXPECT_FALSE(WriteObjectProperty(holder, "Plain", &source));
    EXPECT_FALSE(WriteObjectProperty(holder, "Missing", &source));
    EXPECT_FALSE(WriteObjectProperty(nullptr, "Picture", &source));
    EXPECT_EQ(holder->copies, 1);
    EXPECT_EQ(holder->Plain().Height(), -11);
    // A reference is stored as it is (or cleared), but only of its class.
    auto* w = new TSampleWidget(&form);
    auto* buddy = new TSampleWidget(&form);
    EXPECT_TRUE(WriteObjectProperty(w, "Buddy", buddy));
    EXPECT_EQ(w->Buddy(), buddy);
    EXPECT_FALSE(WriteObjectProperty(w, "Buddy", holder));
    EXPECT_EQ(w->Buddy(), buddy);
    EXPECT_TRUE(WriteObjectProperty(w, "Buddy", nullptr));
    EXPECT_EQ(w->Buddy(), nullptr);
    // Copying every published property copies owned objects through their setter.
    TPictureHolder copy(nullptr);
    AssignPublishedProperties(copy, *holder);
    EXPECT_EQ(copy.copies, 1);
    EXPECT_EQ(copy.Picture().Height(), -20);
}
