// Applies a parsed form definition to a root component.
#include "framework/core/form_reader.h"

#include <limits>
#include <memory>
#include <vector>

#include "framework/core/ansi.h"
#include "framework/core/collection.h"
#include "framework/core/component.h"
#include "framework/core/enum_info.h"
#include "framework/core/exception.h"
#include "framework/core/filer.h"
#include "framework/core/form_syntax.h"
#include "framework/core/stream.h"
#include "framework/core/strings.h"
#include "framework/core/utf8.h"

namespace {

using VK = TFormValue::Kind;

[[noreturn]] void Fail(int line, const std::string& what) {
    throw EReadError(L"Line " + std::to_wstring(line) + L": " + Utf8ToWide(what));
}

// Looks for one defined property by name while DefineProperties runs.
class DefinedPropertyFinder : public TFiler {
public:
    DefinedPropertyFinder(std::string_view name, const TFormValue& value, TComponent* root)
        : name_(name), value_(value), root_(root) {}
    void DefineProperty(const std::string& name, ReadProc read, WriteProc, bool) override {
        if (found_ || !SameTextAscii(name, name_))
            return;
        found_ = true;
        if (!read)
            return;
        TReader reader(value_, root_);
        read(reader);
    }
    void DefineBinaryProperty(const std::string& name, StreamProc read, StreamProc, bool) override {
        if (found_ || !SameTextAscii(name, name_))
            return;
        found_ = true;
        if (value_.kind != VK::Binary)
            Fail(value_.line, "Binary value expected for " + name);
        if (!read)
            return;
        TReadOnlyMemoryStream stream(value_.bytes.data(),
                                     static_cast<int64_t>(value_.bytes.size()));
        read(stream);
    }
    bool IsReading() const override { return true; }
    TComponent* Root() const override { return root_; }
    bool Found() const { return found_; }

private:
    std::string_view name_;
    const TFormValue& value_;
    TComponent* root_;
    bool found_ = false;
};

class FormReader {
public:
    explicit FormReader(TComponent& root) : root_(root) {}
    void Read(const TFormObject& def);

private:
    struct Fixup {
        TObject* target;
        const TPropInfo* prop;
        std::string name;
        int line;
    };
    void ReadChildren(const TFormObject& def, TComponent* enclosing);
    TComponent* CreateComponent(const TFormObject& def);
    void ApplyProperties(TObject& obj, const std::vector<TFormProperty>& props);
    void ApplyProperty(TObject& obj, const TFormProperty& prop);
    void Assign(TObject& obj, const TPropInfo& p, const TFormValue& v);
    void AssignOrdinal(TObject& obj, const TPropInfo& p, const TFormValue& v);
    void AssignObject(TObject& obj, const TPropInfo& p, const TFormValue& v);
    void ReadCollection(TCollection& coll, const TFormValue& v);
    void ResolveFixups();
    void Finish();
    void Abandon();

    TComponent& root_;
    std::vector<TComponent*> loaded_;  // every component read, root first
    std::vector<TComponent*> created_; // the ones this read created
    std::vector<Fixup> fixups_;
};

void FormReader::Read(const TFormObject& def) {
    if (!root_.InheritsFrom(def.className))
        Fail(def.line,
             "The definition is for class " + def.className + ", not " + root_.ClassName());
    root_.SetStateFlag(csLoading, true);
    root_.SetStateFlag(csReading, true);
    loaded_.push_back(&root_);
    try {
        if (!def.name.empty() && def.name != root_.Name())
            root_.SetName(def.name);
        ApplyProperties(root_, def.props);
        ReadChildren(def, &root_);
        ResolveFixups();
        Finish();
    } catch (...) {
        Abandon();
        throw;
    }
}

void FormReader::ReadChildren(const TFormObject& def, TComponent* enclosing) {
    for (const TFormObject& child : def.children) {
        TComponent* c = CreateComponent(child);
        c->SetParentComponent(enclosing);
        ApplyProperties(*c, child.props);
        ReadChildren(child, c);
    }
}

TComponent* FormReader::CreateComponent(const TFormObject& def) {
    const TClassInfo* cls = FindClass(def.className);
    if (!cls)
        throw EClassNotFound(L"Line " + std::to_wstring(def.line) + L": Class " +
                             Utf8ToWide(def.className) + L" not found");
    if (!cls->InheritsFrom(TComponent::StaticClass()) || !cls->CanCreate())
        Fail(def.line, "Class " + def.className + " is not a component class that can be created");
    TComponent* existing = root_.FindComponent(def.name);
    if (existing) {
        if (!existing->InheritsFrom(*cls) || existing->HasState(csLoading))
            Fail(def.line, "A component named " + def.name + " already exists");
    } else {
        existing = dynamic_cast<TComponent*>(cls->CreateInstance(&root_));
        if (!existing)
            Fail(def.line, "Cannot create a " + def.className);
        created_.push_back(existing);
        if (existing->Owner() != &root_)
            root_.InsertComponent(existing);
        existing->SetStateFlag(csLoading, true);
        existing->SetStateFlag(csReading, true);
        try {
            existing->SetName(def.name);
        } catch (const EInvalidOperation& e) {
            Fail(def.line, WideToUtf8(e.Message()));
        }
    }
    existing->SetStateFlag(csLoading, true);
    existing->SetStateFlag(csReading, true);
    loaded_.push_back(existing);
    return existing;
}

void FormReader::ApplyProperties(TObject& obj, const std::vector<TFormProperty>& props) {
    for (const TFormProperty& prop : props)
        ApplyProperty(obj, prop);
}

// Walks the dotted path to its last object, then assigns the property there
// (a published one, else one declared by DefineProperties).
void FormReader::ApplyProperty(TObject& obj, const TFormProperty& prop) {
    TObject* target = &obj;
    std::string_view path = prop.path;
    for (size_t dot; (dot = path.find('.')) != std::string_view::npos;) {
        const std::string_view seg = path.substr(0, dot);
        const TPropInfo* p = target->ClassInfo().FindProperty(seg);
        if (!p || (p->kind != TTypeKind::SubObject && p->kind != TTypeKind::Object))
            Fail(prop.line, "Property " + prop.path + " does not exist");
        target = p->getObject(*target);
        if (!target)
            Fail(prop.line, "Property " + std::string(seg) + " holds no object");
        path.remove_prefix(dot + 1);
    }
    const TPropInfo* p = target->ClassInfo().FindProperty(path);
    if (!p && SameTextAscii(path, "Strings") && ObjectAs<TStringList>(target)) {
        TReader(prop.value, &root_).ReadStrings(*static_cast<TStringList*>(target));
        return;
    }
    if (!p) {
        if (auto* persistent = dynamic_cast<TPersistent*>(target)) {
            DefinedPropertyFinder finder(path, prop.value, &root_);
            persistent->DefineProperties(finder);
            if (finder.Found())
                return;
        }
        Fail(prop.line, "Property " + prop.path + " does not exist");
    }
    if (!p->Writable())
        Fail(prop.line, "Property " + prop.path + " is read-only");
    Assign(*target, *p, prop.value);
}

void FormReader::Assign(TObject& obj, const TPropInfo& p, const TFormValue& v) {
    switch (p.kind) {
    case TTypeKind::Integer:
    case TTypeKind::Boolean:
    case TTypeKind::Enumeration:
    case TTypeKind::Set:
        AssignOrdinal(obj, p, v);
        return;
    case TTypeKind::AnsiString:
    case TTypeKind::WideString:
        if (v.kind != VK::String)
            break;
        if (p.kind == TTypeKind::WideString)
            p.setWide(obj, Utf8ToWide(v.text));
        else
            p.setAnsi(obj, WideToAnsiText(Utf8ToWide(v.text)));
        return;
    case TTypeKind::Float:
        p.setFloat(obj, TReader(v, &root_).ReadFloat());
        return;
    case TTypeKind::Object:
    case TTypeKind::SubObject:
    case TTypeKind::StringList:
    case TTypeKind::Collection:
    case TTypeKind::Method:
        AssignObject(obj, p, v);
        return;
    }
    Fail(v.line, "Invalid value for property " + p.name);
}

void FormReader::AssignOrdinal(TObject& obj, const TPropInfo& p, const TFormValue& v) {
    int64_t value = 0;
    if (p.kind == TTypeKind::Integer) {
        int32_t named = 0;
        if (v.kind == VK::Integer && v.integer >= INT32_MIN && v.integer <= UINT32_MAX)
            value = static_cast<int32_t>(static_cast<uint32_t>(v.integer));
        else if (v.kind == VK::Ident && p.identMap && p.identMap->ToInt(v.text, named))
            value = named;
        else
            Fail(v.line, "Invalid value for property " + p.name);
    } else if (p.kind == TTypeKind::Set) {
        if (v.kind != VK::Set)
            Fail(v.line, "Invalid value for property " + p.name);
        for (const std::string& member : v.names) {
            const int bit = p.enumInfo->Value(member);
            if (bit < 0 || bit >= 32)
                Fail(v.line, "Invalid set member " + member + " for property " + p.name);
            value |= int64_t{1} << bit;
        }
    } else {
        value = v.kind == VK::Ident ? p.enumInfo->Value(v.text) : -1;
        if (value < 0)
            Fail(v.line, "Invalid value for property " + p.name);
    }
    p.setOrd(obj, value);
}

void FormReader::AssignObject(TObject& obj, const TPropInfo& p, const TFormValue& v) {
    if (p.kind == TTypeKind::Object && v.kind == VK::Ident) {
        if (SameTextAscii(v.text, "nil"))
            p.setObject(obj, nullptr);
        else
            fixups_.push_back(Fixup{&obj, &p, v.text, v.line});
        return;
    }
    if (p.kind == TTypeKind::Method && v.kind == VK::Ident) {
        const std::string handler = SameTextAscii(v.text, "nil") ? std::string() : v.text;
        const TBindResult r = p.bindMethod(obj, root_, handler);
        if (r == TBindResult::NotFound)
            Fail(v.line, "Handler " + v.text + " not found for " + p.name);
        if (r == TBindResult::WrongSignature)
            Fail(v.line, "Handler " + v.text + " does not fit " + p.name);
        return;
    }
    if (p.kind == TTypeKind::StringList && v.kind == VK::List) {
        TStringList lines;
        TReader(v, &root_).ReadStrings(lines);
        p.setObject(obj, &lines);
        return;
    }
    if (p.kind == TTypeKind::Collection && v.kind == VK::Collection) {
        if (auto* coll = dynamic_cast<TCollection*>(p.getObject(obj))) {
            ReadCollection(*coll, v);
            return;
        }
    }
    Fail(v.line, "Invalid value for property " + p.name);
}

void FormReader::ReadCollection(TCollection& coll, const TFormValue& v) {
    coll.BeginUpdate();
    try {
        coll.Clear();
        for (const TFormItem& item : v.items)
            ApplyProperties(*coll.Add(), item.props);
    } catch (...) {
        coll.EndUpdate();
        throw;
    }
    coll.EndUpdate();
}

void FormReader::ResolveFixups() {
    for (const Fixup& f : fixups_) {
        // An owned component of that name comes before the root itself.
        TComponent* c = root_.FindComponent(f.name);
        if (!c && SameTextAscii(f.name, root_.Name()))
            c = &root_;
        if (!c)
            Fail(f.line, "Component " + f.name + " not found for " + f.prop->name);
        if (f.prop->objectClass && !c->InheritsFrom(f.prop->objectClass()))
            Fail(f.line, "Component " + f.name + " does not fit " + f.prop->name);
        f.prop->setObject(*f.target, c);
    }
}

void FormReader::Finish() {
    for (TComponent* c : loaded_)
        c->SetStateFlag(csReading, false);
    for (size_t i = 0; i < loaded_.size(); ++i)
        loaded_[i]->Loaded();
    for (TComponent* c : loaded_)
        c->SetStateFlag(csLoading, false);
}

// Frees what this read created (last first) and clears the states.
void FormReader::Abandon() {
    for (auto it = created_.rbegin(); it != created_.rend(); ++it) {
        std::erase(loaded_, *it);
        (*it)->Free();
    }
    for (TComponent* c : loaded_) {
        c->SetStateFlag(csReading, false);
        c->SetStateFlag(csLoading, false);
    }
}

} // namespace

void ReadFormDefinition(TComponent& root, std::string_view text) {
    const TFormObject def = ParseFormDefinition(text);
    FormReader(root).Read(def);
}

void ReadFormDefinition(TComponent& root, TStream& stream) {
    const int64_t left = stream.Size() - stream.Position();
    std::string text(static_cast<size_t>(left > 0 ? left : 0), '\0');
    if (left > 0)
        stream.ReadBuffer(text.data(), static_cast<int32_t>(left));
    ReadFormDefinition(root, text);
}
