// Reading form definitions: values of every kind, the loading contract,
// and errors with their lines.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>
#include <string>

#include "framework/core/exception.h"
#include "framework/core/filer.h"
#include "framework/core/form_reader.h"
#include "framework/core/form_syntax.h"
#include "framework/core/form_writer.h"
#include "framework/core/property_access.h"
#include "framework/core/stream.h"
#include "tests/framework/core/sample_classes.h"

namespace {

const char* kDefinition = R"(object SampleForm: TSampleForm
  Caption = '岚拓 it''s' + #13#10'two'#$4E2D
  Margin = 19.05
  Tag = -5
  object Button1: TSampleButton
    Caption = 'OK'
    Width = 750
    Default = True
    Visible = False
    Layout = slGlyphTop
    Options = [First, Third]
    Ratio = -1.5e-3
    Font.Height = -13
    Font.Name = '宋体'
    Font.Color = clBtnFace
    Font.Style = []
    Lines = (
      'line one'
      'dos'#9'tab')
    Panels = <
      item
        Width = 100
        Text = '岚拓软件'
        Alignment = saCenter
      end
      item
      end>
    Buddy = Label2
    OnClick = FormCreate
    OnQuery = WidgetQuery
    Blob = {00FF10
            AB}
    Version = '9.9'
    object Inner: TSampleWidget
      Tag = 3
    end
  end
  object Label2: TSampleWidget
    OldCaption = 'legacy'
  end
end
)";

} // namespace

TEST(FormReader, AppliesEveryKindOfValue) {
    RegisterSampleClasses();
    TSampleForm form;
    ReadFormDefinition(form, kDefinition);
    EXPECT_EQ(form.Name(), "SampleForm");
    EXPECT_EQ(form.Caption, L"\u5C9A\u62D3 it's\r\ntwo\u4E2D");
    EXPECT_EQ(std::bit_cast<uint64_t>(form.Margin), std::bit_cast<uint64_t>(19.05));
    EXPECT_EQ(form.Tag(), -5);
    ASSERT_EQ(form.ComponentCount(), 3);
    auto* b = ObjectAs<TSampleButton>(form.FindComponent("Button1"));
    auto* inner = ObjectAs<TSampleWidget>(form.FindComponent("Inner"));
    auto* label = ObjectAs<TSampleWidget>(form.FindComponent("Label2"));
    ASSERT_TRUE(b && inner && label);
    EXPECT_EQ(form.Components(1), inner); // definition order
    EXPECT_EQ(b->Caption(), "OK");
    EXPECT_EQ(b->Width, 75); // through the button's own (scaled) Width
    EXPECT_TRUE(b->Default);
    EXPECT_FALSE(b->Visible);
    EXPECT_EQ(b->Layout, slGlyphTop);
    EXPECT_EQ(b->Options.Mask(), 5u);
    EXPECT_EQ(b->Ratio, -1.5e-3);
    EXPECT_EQ(b->Font()->Height(), -13);
    EXPECT_EQ(b->Font()->FaceName, L"\u5B8B\u4F53");
    EXPECT_EQ(b->Font()->Color(), -16777201);
    ASSERT_EQ(b->Lines().Count(), 2);
    EXPECT_EQ(b->Lines()[1], "dos\ttab");
    ASSERT_EQ(b->Panels()->Count(), 2);
    EXPECT_EQ(b->Panels()->ItemsAs<TSampleItem>(0)->Width, 100);
    EXPECT_EQ(b->Panels()->ItemsAs<TSampleItem>(0)->Text, L"\u5C9A\u62D3\u8F6F\u4EF6");
    EXPECT_EQ(b->Panels()->ItemsAs<TSampleItem>(0)->Alignment, saCenter);
    EXPECT_EQ(b->Panels()->ItemsAs<TSampleItem>(1)->Width, 0);
    EXPECT_EQ(b->Buddy(), label); // forward reference resolved
    EXPECT_EQ(label->Buddy(), nullptr);
    EXPECT_EQ(b->Blob, (std::vector<uint8_t>{0x00, 0xFF, 0x10, 0xAB}));
    EXPECT_EQ(label->Caption(), "old:legacy");
    EXPECT_EQ(inner->Tag(), 3);
    EXPECT_EQ(inner->ParentSeen, b);
    EXPECT_EQ(b->ParentSeen, &form); // top-level objects get the root
    // Events are bound to the form's handlers.
    form.Clicks = 0;
    b->OnClick(b);
    EXPECT_EQ(form.Clicks, 1);
    EXPECT_EQ(b->OnClick.HandlerName(), "FormCreate");
    bool allow = true;
    b->OnQuery(b, allow);
    EXPECT_FALSE(allow);
}

TEST(FormReader, CreatesInOrderThenLoadsInOrderWithStates) {
    RegisterSampleClasses();
    SampleLog().clear();
    TSampleForm form;
    ReadFormDefinition(form, R"(object F: TSampleForm
  object A: TSampleWidget
    Caption = 'a'
    object A1: TSampleWidget
      Caption = 'a1'
    end
  end
  object B: TSampleWidget
    Caption = 'b'
  end
end)");
    // Properties are applied while loading and reading; Loaded runs after
    // the whole definition, root first, then definition order, with
    // csReading already cleared and csLoading still set.
    const std::vector<std::string> expected = {"caption A LR", "caption A1 LR", "caption B LR",
                                               "loaded F L",   "loaded A L",    "loaded A1 L",
                                               "loaded B L"};
    EXPECT_EQ(SampleLog(), expected);
    for (int i = 0; i < form.ComponentCount(); ++i)
        EXPECT_TRUE(form.Components(i)->ComponentState().Empty());
    EXPECT_TRUE(form.ComponentState().Empty());
}

TEST(FormReader, ReusesOwnedComponentOfTheSameNameAndReadsStreams) {
    RegisterSampleClasses();
    TSampleForm form;
    auto* existing = new TSampleWidget(&form);
    existing->SetName("Kept");
    const std::string text = "object F: TSampleForm\n object Kept: TSampleWidget\n Width = 5\n"
                             " end\nend\n";
    TMemoryStream stream;
    stream.WriteBuffer("xx", 2);
    stream.WriteBuffer(text.data(), static_cast<int32_t>(text.size()));
    stream.SetPosition(2);
    ReadFormDefinition(form, stream);
    EXPECT_EQ(form.ComponentCount(), 1);
    EXPECT_EQ(existing->Width, 5);
}

namespace {
// Reads text into a fresh form and gives the error message (empty if none).
std::string ErrorOf(const std::string& text) {
    RegisterSampleClasses();
    const int liveBefore = LiveSampleWidgets();
    TSampleForm form;
    std::string message;
    try {
        ReadFormDefinition(form, text);
    } catch (const Exception& e) {
        message = e.what();
        // Nothing half-built stays behind.
        EXPECT_EQ(form.ComponentCount(), 0) << text;
        EXPECT_EQ(LiveSampleWidgets(), liveBefore) << text;
        EXPECT_TRUE(form.ComponentState().Empty());
    }
    return message;
}

// A definition with one widget A holding the given property line.
std::string WithWidgetLine(const std::string& line) {
    return "object F: TSampleForm\n object A: TSampleWidget\n  " + line + "\n end\nend";
}
} // namespace

TEST(FormReader, MalformedDefinitionsNameTheLineAndProblem) {
    EXPECT_EQ(ErrorOf("object F: TSampleForm\n object A: TSampleWidget\n end\n"
                      " object X: TNoSuchThing\n end\nend"),
              "Line 4: Class TNoSuchThing not found");
    EXPECT_EQ(ErrorOf(WithWidgetLine("Bogus = 1")), "Line 3: Property Bogus does not exist");
    EXPECT_EQ(ErrorOf(WithWidgetLine("Font.Bogus = 1")),
              "Line 3: Property Font.Bogus does not exist");
    EXPECT_EQ(ErrorOf(WithWidgetLine("Width = 'x'")), "Line 3: Invalid value for property Width");
    EXPECT_EQ(ErrorOf(WithWidgetLine("Layout = slNope")),
              "Line 3: Invalid value for property Layout");
    EXPECT_EQ(ErrorOf(WithWidgetLine("Width = 4294967296")),
              "Line 3: Invalid value for property Width");
    EXPECT_EQ(ErrorOf(WithWidgetLine("Options = [Fourth]")),
              "Line 3: Invalid set member Fourth for property Options");
    EXPECT_EQ(ErrorOf("object F: TSampleForm\n  object A: TSampleWidget\n  Width = 1\n"),
              "Line 2: Object A has no 'end' (unterminated object)");
    EXPECT_EQ(ErrorOf(WithWidgetLine("ReadOnlyValue = 1")),
              "Line 3: Property ReadOnlyValue is read-only");
    EXPECT_EQ(ErrorOf(WithWidgetLine("Buddy = Nobody")),
              "Line 3: Component Nobody not found for Buddy");
    EXPECT_EQ(ErrorOf(WithWidgetLine("Buddy = F")), "Line 3: Component F does not fit Buddy");
    EXPECT_EQ(ErrorOf(WithWidgetLine("OnClick = Missing")),
              "Line 3: Handler Missing not found for OnClick");
    EXPECT_EQ(ErrorOf(WithWidgetLine("OnClick = WidgetQuery")),
              "Line 3: Handler WidgetQuery does not fit OnClick");
    EXPECT_EQ(ErrorOf("object F: TSampleForm\n object A: TSampleWidget\n end\n"
                      " object a: TSampleWidget\n end\nend"),
              "Line 4: A component named a already exists");
    EXPECT_EQ(ErrorOf("object F: TSampleWidget\nend"),
              "Line 1: The definition is for class TSampleWidget, not TSampleForm");
    EXPECT_EQ(ErrorOf("object F: TSampleForm\n Caption = 'open\nend"),
              "Line 2: Unterminated string");
    EXPECT_EQ(ErrorOf(WithWidgetLine("Blob = {ABC}")),
              "Line 3: Odd number of digits in binary value");
    EXPECT_EQ(ErrorOf(WithWidgetLine("Blob = 12")), "Line 3: Binary value expected for Blob");
    EXPECT_EQ(ErrorOf("object F: TSampleForm\n Caption = 'x'\nend\nextra"),
              "Line 4: Text after the end of the definition");
    EXPECT_EQ(ErrorOf(WithWidgetLine("Lines = ('a' 5)")), "Line 3: Invalid property value");
    EXPECT_EQ(ErrorOf("object F: TSampleForm\n Caption = #55357'x'\nend"),
              "Line 2: Unpaired surrogate in string");
    EXPECT_EQ(ErrorOf(""), "Line 1: Expected 'object'");
    // A constructor that throws: its own exception, and the earlier
    // components are freed again.
    EXPECT_EQ(ErrorOf("object F: TSampleForm\n object A: TSampleWidget\n end\n"
                      " object B: TSampleBroken\n end\nend"),
              "broken on purpose");
    // An error after several components were created frees all of them.
    EXPECT_EQ(ErrorOf("object F: TSampleForm\n object A: TSampleWidget\n"
                      "  object B: TSampleWidget\n  end\n end\n object C: TSampleButton\n"
                      "  Width = x\n end\nend"),
              "Line 7: Invalid value for property Width");
    // A defined-property reader's own exception comes through unchanged.
    EXPECT_EQ(ErrorOf(WithWidgetLine("Blob = {EE01}")), "bad blob");
    // A well-formed definition gives no error.
    EXPECT_EQ(ErrorOf("object F: TSampleForm\n object A: TSampleWidget\n end\nend"), "");
}

TEST(FormReader, UnknownClassRaisesClassNotFound) {
    RegisterSampleClasses();
    TSampleForm form;
    EXPECT_THROW(ReadFormDefinition(form, "object F: TSampleForm\n object X: TZzz\n end\nend"),
                 EClassNotFound);
    EXPECT_THROW(ReadFormDefinition(form, "object F: TSampleForm\n X = 1\nend"), EReadError);
}

TEST(FormReader, AnsiPropertiesReceiveTextInTheAnsiCodePage) {
    RegisterSampleClasses();
    TSampleForm form;
    ReadFormDefinition(form, "object F: TSampleForm\n object A: TSampleWidget\n"
                             "  Caption = '\xE5\xAE\x8B\xE4\xBD\x93'\n  Title = #23435#20307\n"
                             " end\nend");
    auto* a = ObjectAs<TSampleWidget>(form.FindComponent("A"));
    ASSERT_NE(a, nullptr);
#ifdef _WIN32
    EXPECT_EQ(a->Caption(), "\xCB\xCE\xCC\xE5"); // code page 936 under the project's prefix
#else
    EXPECT_EQ(a->Caption(), "\xE5\xAE\x8B\xE4\xBD\x93"); // the host's ANSI stand-in is UTF-8
#endif
    EXPECT_EQ(a->Title, L"\u5B8B\u4F53");
    EXPECT_EQ(ReadTextProperty(a, "caption"), L"\u5B8B\u4F53");
}

TEST(FormReader, ReferencesPreferOwnedComponentsOverTheRootName) {
    RegisterSampleClasses();
    TSampleForm form;
    ReadFormDefinition(form, "object Same: TSampleForm\n object A: TSampleWidget\n  Buddy = same\n"
                             " end\n object Same: TSampleWidget\n end\nend");
    auto* a = ObjectAs<TSampleWidget>(form.FindComponent("A"));
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->Buddy(), form.FindComponent("Same"));
    EXPECT_NE(a->Buddy(), nullptr);
    // Freeing the referenced component clears the reference.
    delete form.FindComponent("Same");
    EXPECT_EQ(a->Buddy(), nullptr);
}

TEST(FormReader, TypedReadersOfDefinedProperties) {
    const TFormObject def = ParseFormDefinition(
        "object F: T\n I = -7\n H = $FFFFFFFF\n B = true\n S = 'a'#9\n D = 2.5\n N = INF\n"
        " L = ('x' 'y')\n X = [a]\nend");
    ASSERT_EQ(def.props.size(), 8u);
    auto reader = [&](int i) { return TReader(def.props[static_cast<size_t>(i)].value, nullptr); };
    EXPECT_EQ(reader(0).ReadInteger(), -7);
    EXPECT_EQ(reader(1).ReadInteger(), -1);
    EXPECT_TRUE(reader(2).ReadBoolean());
    EXPECT_EQ(reader(3).ReadString(), "a\t");
    EXPECT_EQ(reader(3).ReadWideString(), L"a\t");
    EXPECT_EQ(reader(4).ReadFloat(), 2.5);
    EXPECT_EQ(reader(0).ReadFloat(), -7.0);
    EXPECT_TRUE(std::isinf(reader(5).ReadFloat()));
    TStringList l;
    reader(6).ReadStrings(l);
    EXPECT_EQ(l.Text(), "x\r\ny\r\n");
    EXPECT_EQ(reader(2).ReadIdent(), "true");
    EXPECT_THROW(reader(0).ReadBoolean(), EReadError);
    EXPECT_THROW(reader(3).ReadInteger(), EReadError);
    EXPECT_THROW(reader(7).ReadStrings(l), EReadError);
    EXPECT_THROW(reader(4).ReadIdent(), EReadError);
    EXPECT_THROW(reader(5).ReadWideString(), EReadError);

    TWriter w(nullptr);
    EXPECT_FALSE(w.HasValue());
    w.WriteBoolean(false);
    EXPECT_TRUE(w.HasValue());
    EXPECT_EQ(FormValueText(w.Value(), 0), "False");
    w.WriteInteger(-3);
    EXPECT_EQ(FormValueText(w.Value(), 0), "-3");
    w.WriteString("it's");
    EXPECT_EQ(FormValueText(w.Value(), 0), "'it''s'");
    w.WriteFloat(-std::numeric_limits<double>::infinity());
    EXPECT_EQ(FormValueText(w.Value(), 0), "-INF");
    w.WriteStrings(l);
    EXPECT_EQ(FormValueText(w.Value(), 1), "(\n    'x'\n    'y')");
}

TEST(FormReader, DeepNestingIsRejectedBeforeItExhaustsTheStack) {
    RegisterSampleClasses();
    auto nested = [](int depth) {
        std::string text = "object F: TSampleForm\n";
        for (int i = 0; i < depth; ++i)
            text += "object W" + std::to_string(i) + ": TSampleWidget\n";
        for (int i = 0; i < depth; ++i)
            text += "end\n";
        return text + "end\n";
    };
    TSampleForm ok;
    ReadFormDefinition(ok, nested(150));
    EXPECT_EQ(ok.ComponentCount(), 150);
    EXPECT_EQ(ObjectAs<TSampleWidget>(ok.FindComponent("W149"))->ParentSeen,
              ok.FindComponent("W148"));
    TSampleForm deep;
    try {
        ReadFormDefinition(deep, nested(5000));
        ADD_FAILURE() << "no error";
    } catch (const EReadError& e) {
        EXPECT_STREQ(e.what(), "Line 202: Objects nested too deeply");
    }
    EXPECT_EQ(deep.ComponentCount(), 0);
    TSampleForm lists;
    const std::string manyParens =
        "object F: TSampleForm\n Caption = " + std::string(100000, '(') + "\nend\n";
    EXPECT_THROW(ReadFormDefinition(lists, manyParens), EReadError);
}
