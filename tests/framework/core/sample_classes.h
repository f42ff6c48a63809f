// Small classes with one property of every kind, used by the object-model,
// property-access and form-definition tests.
#pragma once

#include <string>
#include <vector>

#include "framework/core/collection.h"
#include "framework/core/component.h"
#include "framework/core/event.h"
#include "framework/core/stream.h"
#include "framework/core/strings.h"

LT_ENUM(TSampleLayout, slGlyphLeft, slGlyphRight, slGlyphTop, slGlyphBottom)
LT_ENUM(TSampleAlignment, saLeftJustify, saRightJustify, saCenter)
LT_ENUM_CLASS(TSampleOption, First, Second, Third)
using TSampleOptions = TSet<TSampleOption>;

// Journal of what the samples saw, for order and state checks.
std::vector<std::string>& SampleLog();
// Number of live TSampleWidget objects (leak checks).
int& LiveSampleWidgets();

class TSampleFont : public TPersistent {
    LT_CLASS(TSampleFont, TPersistent)
public:
    int32_t Height() const { return height_; }
    void SetHeight(int32_t v) { height_ = v; }
    int32_t Color() const { return color_; }
    void SetColor(int32_t v) { color_ = v; }
    std::wstring FaceName;
    TSampleOptions Style;

private:
    int32_t height_ = -11;
    int32_t color_ = 0;
};

class TSampleItem : public TCollectionItem {
    LT_CLASS(TSampleItem, TCollectionItem)
public:
    explicit TSampleItem(TCollection* c) : TCollectionItem(c) {}
    int32_t Width = 0;
    std::wstring Text;
    TSampleAlignment Alignment = saLeftJustify;
};

class TSampleWidget : public TComponent {
    LT_CLASS(TSampleWidget, TComponent)
public:
    explicit TSampleWidget(TComponent* owner);
    ~TSampleWidget() override;

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& v);
    std::wstring Title;
    int32_t Width = 75;
    bool Visible = true;
    TSampleLayout Layout = slGlyphLeft;
    TSampleOptions Options;
    double Ratio = 0;
    TSampleFont* Font() { return &font_; }
    TStringList& Lines() { return lines_; }
    void SetLines(const TStringList& l) { lines_.Assign(l); }
    TCollection* Panels() { return &panels_; }
    TSampleWidget* Buddy() const { return buddy_; }
    void SetBuddy(TSampleWidget* w);
    TEvent<void(TObject*)> OnClick;
    TEvent<void(TObject*, bool&)> OnQuery;
    // Binary property "Blob" and the old property "OldCaption".
    std::vector<uint8_t> Blob;
    TComponent* ParentSeen = nullptr;
    // Ignores every write (like a fixed version string).
    std::string Version() const { return "1.0"; }
    void SetVersion(const std::string&) {}
    int32_t ReadOnlyValue() const { return 7; }

    void Loaded() override;
    void DefineProperties(TFiler& filer) override;
    void SetParentComponent(TComponent* parent) override { ParentSeen = parent; }
    TComponent* GetParentComponent() const override { return ParentSeen; }

protected:
    void Notification(TComponent* c, TOperation op) override;

private:
    std::string caption_;
    TSampleFont font_;
    TStringList lines_;
    TCollection panels_;
    TSampleWidget* buddy_ = nullptr;
};

class TSampleButton : public TSampleWidget {
    LT_CLASS(TSampleButton, TSampleWidget)
public:
    explicit TSampleButton(TComponent* owner) : TSampleWidget(owner) {}
    bool Default = false;
};

// A root with handlers, like a form.
class TSampleForm : public TComponent {
    LT_CLASS(TSampleForm, TComponent)
public:
    explicit TSampleForm(TComponent* owner = nullptr);
    void FormCreate(TObject* sender);
    void WidgetQuery(TObject* sender, bool& allow);
    std::wstring Caption;
    int Clicks = 0;
    double Margin = 0;
    void Loaded() override;
};

// A class that throws from its constructor (clean-up checks).
class TSampleBroken : public TComponent {
    LT_CLASS(TSampleBroken, TComponent)
public:
    explicit TSampleBroken(TComponent* owner);
};

void RegisterSampleClasses();
