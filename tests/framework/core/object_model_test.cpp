// Class information, registry and property tables.
#include <gtest/gtest.h>

#include <memory>

#include "framework/core/class_builder.h"
#include "framework/core/property_access.h"
#include "tests/framework/core/sample_classes.h"

TEST(ObjectModel, ClassNamesInheritanceAndRegistry) {
    RegisterSampleClasses();
    TSampleButton b(nullptr);
    EXPECT_EQ(b.ClassName(), "TSampleButton");
    EXPECT_TRUE(b.InheritsFrom(TSampleWidget::StaticClass()));
    EXPECT_TRUE(b.InheritsFrom(TComponent::StaticClass()));
    EXPECT_TRUE(b.InheritsFrom(TObject::StaticClass()));
    EXPECT_TRUE(b.InheritsFrom("tsamplewidget"));
    EXPECT_FALSE(b.InheritsFrom(TSampleForm::StaticClass()));
    EXPECT_FALSE(TSampleWidget(nullptr).InheritsFrom(TSampleButton::StaticClass()));
    EXPECT_EQ(TSampleButton::StaticClass().Parent(), &TSampleWidget::StaticClass());
    EXPECT_EQ(TObject::StaticClass().Parent(), nullptr);

    EXPECT_EQ(FindClass("TSAMPLEBUTTON"), &TSampleButton::StaticClass());
    EXPECT_EQ(FindClass("TNoSuchClass"), nullptr);
    EXPECT_EQ(FindClass("TStringList"), &TStringList::StaticClass());
    EXPECT_NE(ObjectAs<TSampleWidget>(&b), nullptr);
    EXPECT_EQ(ObjectAs<TSampleForm>(&b), nullptr);
    EXPECT_EQ(ObjectAs<TSampleForm>(nullptr), nullptr);
}

TEST(ObjectModel, CreateInstanceByClassWithOwner) {
    TSampleForm form;
    TObject* obj = FindClass("TSampleButton")->CreateInstance(&form);
    ASSERT_NE(obj, nullptr);
    auto* button = ObjectAs<TSampleButton>(obj);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->Owner(), &form);
    EXPECT_EQ(form.ComponentCount(), 1);
    // Collection items get their collection; abstract or bare classes none.
    TCollection coll(TSampleItem::StaticClass());
    TObject* item = TSampleItem::StaticClass().CreateInstance(&coll);
    EXPECT_EQ(coll.Count(), 1);
    EXPECT_EQ(coll.Items(0), item);
    EXPECT_FALSE(TObject::StaticClass().CanCreate());
    EXPECT_EQ(TObject::StaticClass().CreateInstance(nullptr), nullptr);
}

TEST(ObjectModel, PropertyTablesInheritAndMatchAnyCase) {
    const TClassInfo& cls = TSampleButton::StaticClass();
    const TPropInfo* own = cls.FindProperty("default");
    ASSERT_NE(own, nullptr);
    EXPECT_EQ(own->kind, TTypeKind::Boolean);
    const TPropInfo* inherited = cls.FindProperty("LAYOUT");
    ASSERT_NE(inherited, nullptr);
    EXPECT_EQ(inherited->kind, TTypeKind::Enumeration);
    EXPECT_EQ(inherited->enumInfo->Name(2), "slGlyphTop");
    EXPECT_NE(cls.FindProperty("Tag"), nullptr); // from TComponent
    EXPECT_EQ(cls.FindProperty("Nope"), nullptr);
    // The button's own Width hides the widget's.
    EXPECT_EQ(cls.FindProperty("Width"), &cls.OwnProperties()[1]);

    const auto all = cls.AllProperties();
    ASSERT_GE(all.size(), 3u);
    EXPECT_EQ(all[0]->name, "Name"); // root class first
    EXPECT_EQ(all[1]->name, "Tag");
    int widths = 0;
    for (const TPropInfo* p : all)
        widths += p->name == "Width";
    EXPECT_EQ(widths, 1);
    EXPECT_EQ(all.back()->name, "Width");

    EXPECT_FALSE(cls.FindProperty("ReadOnlyValue")->Writable());
    EXPECT_TRUE(cls.FindProperty("Font")->Writable());
    EXPECT_EQ(&cls.FindProperty("Font")->objectClass(), &TSampleFont::StaticClass());
}

TEST(EnumInfo, NamesValuesAndIdentMaps) {
    const TEnumInfo& info = EnumInfo(TSampleAlignment{});
    EXPECT_EQ(info.TypeName(), "TSampleAlignment");
    EXPECT_EQ(info.Count(), 3);
    EXPECT_EQ(info.Name(saCenter), "saCenter");
    EXPECT_EQ(info.Name(3), "");
    EXPECT_EQ(info.Name(-1), "");
    EXPECT_EQ(info.Value("SACENTER"), 2);
    EXPECT_EQ(info.Value("center"), -1);
    EXPECT_EQ(EnumInfo(TSampleOption{}).Name(1), "Second");
    EXPECT_EQ(BooleanEnumInfo().Name(1), "True");
    EXPECT_EQ(SetToText(EnumInfo(TSampleOption{}), 0b101), "[First, Third]");
    EXPECT_EQ(SetToText(EnumInfo(TSampleOption{}), 0), "[]");

    TSampleOptions s{TSampleOption::First, TSampleOption::Third};
    EXPECT_EQ(s.Mask(), 5u);
    EXPECT_TRUE(s.Contains(TSampleOption::Third));
    s.Exclude(TSampleOption::Third).Include(TSampleOption::Second);
    EXPECT_EQ(s.Mask(), 3u);

    TIdentMap map = {{1, "one"}, {2, "two"}};
    int32_t v = 0;
    EXPECT_TRUE(map.ToInt("TWO", v));
    EXPECT_EQ(v, 2);
    EXPECT_FALSE(map.ToInt("three", v));
    EXPECT_STREQ(map.ToIdent(1), "one");
    EXPECT_EQ(map.ToIdent(3), nullptr);
}

namespace {
// Has no constructor the registry can call.
class TNeedsArgs : public TPersistent {
    LT_CLASS(TNeedsArgs, TPersistent)
public:
    explicit TNeedsArgs(int v) : value(v) {}
    int value;
};
} // namespace

LT_CLASS_TABLE(TNeedsArgs) {}

TEST(ObjectModel, ClassesWithoutUsableConstructorCannotBeCreated) {
    EXPECT_FALSE(TNeedsArgs::StaticClass().CanCreate());
    EXPECT_EQ(TNeedsArgs::StaticClass().CreateInstance(nullptr), nullptr);
    EXPECT_TRUE(TSampleFont::StaticClass().CanCreate());
    std::unique_ptr<TObject> font(TSampleFont::StaticClass().CreateInstance(nullptr));
    EXPECT_NE(ObjectAs<TSampleFont>(font.get()), nullptr);
    EXPECT_EQ(TNeedsArgs(3).value, 3);
}
