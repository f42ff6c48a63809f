// Sample classes for the core tests.
#include "tests/framework/core/sample_classes.h"

#include "framework/core/class_builder.h"
#include "framework/core/exception.h"
#include "framework/core/filer.h"

std::vector<std::string>& SampleLog() {
    static std::vector<std::string> log;
    return log;
}

int& LiveSampleWidgets() {
    static int n = 0;
    return n;
}

static const TIdentMap kSampleColors = {{0x0000FF, "clRed"}, {-16777201, "clBtnFace"}};

// State letters of a component: L loading, R reading.
static std::string States(const TComponent& c) {
    std::string s;
    if (c.HasState(csLoading))
        s += 'L';
    if (c.HasState(csReading))
        s += 'R';
    return s.empty() ? "-" : s;
}

LT_CLASS_TABLE(TSampleFont) {
    c.Integer("Height", &TSampleFont::Height, &TSampleFont::SetHeight)
        .Integer("Color", &TSampleFont::Color, &TSampleFont::SetColor, &kSampleColors)
        .String("Name", &TSampleFont::FaceName, &TSampleFont::FaceName)
        .Set("Style", &TSampleFont::Style, &TSampleFont::Style);
}

LT_CLASS_TABLE(TSampleItem) {
    c.Integer("Width", &TSampleItem::Width, &TSampleItem::Width)
        .String("Text", &TSampleItem::Text, &TSampleItem::Text)
        .Enum("Alignment", &TSampleItem::Alignment, &TSampleItem::Alignment);
}

LT_CLASS_TABLE(TSampleWidget) {
    c.String("Caption", &TSampleWidget::Caption, &TSampleWidget::SetCaption)
        .String("Title", &TSampleWidget::Title, &TSampleWidget::Title)
        .Integer("Width", &TSampleWidget::Width, &TSampleWidget::Width)
        .Default(75)
        .Boolean("Visible", &TSampleWidget::Visible, &TSampleWidget::Visible)
        .Default(true)
        .Enum("Layout", &TSampleWidget::Layout, &TSampleWidget::Layout)
        .Set("Options", &TSampleWidget::Options, &TSampleWidget::Options)
        .Float("Ratio", &TSampleWidget::Ratio, &TSampleWidget::Ratio)
        .SubObject("Font", &TSampleWidget::Font)
        .Strings("Lines", &TSampleWidget::Lines, &TSampleWidget::SetLines)
        .Collection("Panels", &TSampleWidget::Panels)
        .Object("Buddy", &TSampleWidget::Buddy, &TSampleWidget::SetBuddy)
        .Event("OnClick", &TSampleWidget::OnClick)
        .Event("OnQuery", &TSampleWidget::OnQuery)
        .String("Version", &TSampleWidget::Version, &TSampleWidget::SetVersion)
        .Integer("ReadOnlyValue", &TSampleWidget::ReadOnlyValue, nullptr);
}

LT_CLASS_TABLE(TSampleButton) {
    c.Boolean("Default", &TSampleButton::Default, &TSampleButton::Default)
        .Integer(
            "Width", [](TSampleButton& b) { return b.Width * 10; },
            [](TSampleButton& b, int32_t v) { b.Width = v / 10; });
}

LT_CLASS_TABLE(TSampleForm) {
    c.String("Caption", &TSampleForm::Caption, &TSampleForm::Caption)
        .Float("Margin", &TSampleForm::Margin, &TSampleForm::Margin);
}

LT_CLASS_TABLE(TSampleBroken) {}

TSampleWidget::TSampleWidget(TComponent* owner)
    : TComponent(owner), panels_(TSampleItem::StaticClass(), this) {
    ++LiveSampleWidgets();
}

TSampleWidget::~TSampleWidget() {
    --LiveSampleWidgets();
}

void TSampleWidget::SetCaption(const std::string& v) {
    caption_ = v;
    SampleLog().push_back("caption " + Name() + " " + States(*this));
}

void TSampleWidget::SetBuddy(TSampleWidget* w) {
    if (buddy_)
        buddy_->RemoveFreeNotification(this);
    buddy_ = w;
    if (w)
        w->FreeNotification(this);
}

void TSampleWidget::Notification(TComponent* c, TOperation op) {
    inherited::Notification(c, op);
    if (op == opRemove && c == buddy_)
        buddy_ = nullptr;
}

void TSampleWidget::Loaded() {
    SampleLog().push_back("loaded " + Name() + " " + States(*this));
    inherited::Loaded();
}

void TSampleWidget::DefineProperties(TFiler& filer) {
    inherited::DefineProperties(filer);
    filer.DefineBinaryProperty(
        "Blob",
        [this](TStream& s) {
            uint8_t first = 0;
            if (s.Read(&first, 1) == 1 && first == 0xEE)
                throw EStreamError(L"bad blob"); // a reader that rejects its data
            s.SetPosition(0);
            Blob.resize(static_cast<size_t>(s.Size()));
            s.ReadBuffer(Blob.data(), static_cast<int32_t>(Blob.size()));
        },
        [this](TStream& s) { s.WriteBuffer(Blob.data(), static_cast<int32_t>(Blob.size())); },
        !Blob.empty());
    filer.DefineProperty(
        "OldCaption", [this](TReader& r) { SetCaption("old:" + r.ReadString()); }, nullptr, false);
}

TSampleForm::TSampleForm(TComponent* owner) : TComponent(owner) {
    RegisterHandler("FormCreate", this, &TSampleForm::FormCreate);
    RegisterHandler("WidgetQuery", this, &TSampleForm::WidgetQuery);
}

void TSampleForm::FormCreate(TObject*) {
    ++Clicks;
}

void TSampleForm::WidgetQuery(TObject*, bool& allow) {
    allow = false;
}

void TSampleForm::Loaded() {
    SampleLog().push_back("loaded " + Name() + " " + States(*this));
    inherited::Loaded();
}

TSampleBroken::TSampleBroken(TComponent* owner) : TComponent(owner) {
    throw EInvalidOperation(L"broken on purpose");
}

void RegisterSampleClasses() {
    RegisterClasses<TSampleFont, TSampleItem, TSampleWidget, TSampleButton, TSampleForm,
                    TSampleBroken>();
}
