// Serialises components to the form-definition text format.
#include "framework/core/form_writer.h"

#include <charconv>
#include <cmath>
#include <memory>

#include "framework/core/ansi.h"
#include "framework/core/collection.h"
#include "framework/core/component.h"
#include "framework/core/enum_info.h"
#include "framework/core/filer.h"
#include "framework/core/form_syntax.h"
#include "framework/core/property_access.h"
#include "framework/core/stream.h"
#include "framework/core/strings.h"
#include "framework/core/utf8.h"

namespace {

using VK = TFormValue::Kind;

std::string Indent(int n) {
    return std::string(static_cast<size_t>(n) * 2, ' ');
}

// A quoted string: printable text inside quotes, control characters as #N.
std::string QuoteString(const std::string& utf8) {
    if (utf8.empty())
        return "''";
    std::string out;
    bool open = false;
    for (char c : utf8) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7F) {
            if (open)
                out += '\'';
            open = false;
            out += '#' + std::to_string(u);
            continue;
        }
        if (!open)
            out += '\'';
        open = true;
        out += c;
        if (c == '\'')
            out += '\'';
    }
    if (open)
        out += '\'';
    return out;
}

std::string FloatText(double v) {
    if (std::isnan(v))
        return "NAN";
    if (std::isinf(v))
        return v > 0 ? "INF" : "-INF";
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    std::string s(buf, r.ptr);
    // Keep it a float token when it reads back.
    if (s.find_first_of(".e") == std::string::npos)
        s += ".0";
    return s;
}

std::string BinaryText(const std::vector<uint8_t>& bytes, int indent) {
    static const char* hex = "0123456789ABCDEF";
    std::string out = "{";
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (i % 32 == 0)
            out += "\n" + Indent(indent + 1);
        out += hex[bytes[i] >> 4];
        out += hex[bytes[i] & 15];
    }
    return out + "}";
}

} // namespace

std::string FormValueText(const TFormValue& v, int indent) {
    switch (v.kind) {
    case VK::Integer:
        return std::to_string(v.integer);
    case VK::Float:
        return FloatText(v.number);
    case VK::Ident:
        return v.text;
    case VK::String:
        return QuoteString(v.text);
    case VK::Set: {
        std::string out = "[";
        for (size_t i = 0; i < v.names.size(); ++i)
            out += (i ? ", " : "") + v.names[i];
        return out + "]";
    }
    case VK::List: {
        std::string out = "(";
        for (const TFormValue& item : v.list)
            out += "\n" + Indent(indent + 1) + FormValueText(item, indent + 1);
        return out + ")";
    }
    case VK::Binary:
        return BinaryText(v.bytes, indent);
    case VK::Collection: {
        std::string out = "<";
        for (const TFormItem& item : v.items) {
            out += "\n" + Indent(indent + 1) + "item";
            for (const TFormProperty& p : item.props)
                out +=
                    "\n" + Indent(indent + 2) + p.path + " = " + FormValueText(p.value, indent + 2);
            out += "\n" + Indent(indent + 1) + "end";
        }
        return out + ">";
    }
    }
    return {};
}

namespace {

class FormWriter {
public:
    explicit FormWriter(TComponent& root) : root_(root) {}
    std::string Write();

private:
    void WriteComponent(TComponent& c, int indent);
    // Collects the properties of obj (paths prefixed) as syntax nodes.
    void Collect(TObject& obj, const std::string& prefix, std::vector<TFormProperty>& out,
                 int depth);
    bool ValueOf(TObject& obj, const TPropInfo& p, TFormValue& v, const std::string& prefix,
                 std::vector<TFormProperty>& out, int depth);
    void CollectDefined(TObject& obj, const std::string& prefix, std::vector<TFormProperty>& out);
    std::string ReferenceName(TObject* target) const;

    TComponent& root_;
    std::string text_;
};

std::string FormWriter::Write() {
    WriteComponent(root_, 0);
    return std::move(text_);
}

void FormWriter::WriteComponent(TComponent& c, int indent) {
    const bool wasWriting = c.HasState(csWriting);
    c.SetStateFlag(csWriting, true);
    text_ += Indent(indent) + "object " + (c.Name().empty() ? "" : c.Name() + ": ") +
             c.ClassName() + "\n";
    std::vector<TFormProperty> props;
    Collect(c, "", props, 0);
    for (const TFormProperty& p : props)
        text_ += Indent(indent + 1) + p.path + " = " + FormValueText(p.value, indent + 1) + "\n";
    c.GetChildren([&](TComponent* child) { WriteComponent(*child, indent + 1); }, &root_);
    text_ += Indent(indent) + "end\n";
    c.SetStateFlag(csWriting, wasWriting);
}

void FormWriter::Collect(TObject& obj, const std::string& prefix, std::vector<TFormProperty>& out,
                         int depth) {
    if (depth > 32) // a sub-object cycle; nothing sensible to write
        return;
    const bool isComponent = dynamic_cast<TComponent*>(&obj) != nullptr;
    for (const TPropInfo* p : obj.ClassInfo().AllProperties()) {
        if (isComponent && prefix.empty() && p->name == "Name")
            continue; // written in the object line
        TFormValue v;
        if (ValueOf(obj, *p, v, prefix, out, depth))
            out.push_back(TFormProperty{prefix + p->name, std::move(v), 0});
    }
    CollectDefined(obj, prefix, out);
}

bool FormWriter::ValueOf(TObject& obj, const TPropInfo& p, TFormValue& v, const std::string& prefix,
                         std::vector<TFormProperty>& out, int depth) {
    switch (p.kind) {
    case TTypeKind::Integer:
    case TTypeKind::Boolean:
    case TTypeKind::Enumeration:
    case TTypeKind::Set: {
        if (!p.setOrd)
            return false;
        const int64_t ord = p.getOrd(obj);
        if (p.hasDefault && ord == p.defaultValue)
            return false;
        const char* named = p.identMap ? p.identMap->ToIdent(static_cast<int32_t>(ord)) : nullptr;
        if (p.kind == TTypeKind::Integer && !named) {
            v.kind = VK::Integer;
            v.integer = ord;
        } else if (p.kind == TTypeKind::Set) {
            v.kind = VK::Set;
            for (int i = 0; i < p.enumInfo->Count() && i < 32; ++i)
                if (ord & (int64_t{1} << i))
                    v.names.push_back(p.enumInfo->Name(i));
        } else {
            v.kind = VK::Ident;
            v.text = named ? named : p.enumInfo->Name(ord);
            if (v.text.empty())
                return false; // out of range: nothing that reads back
        }
        return true;
    }
    case TTypeKind::AnsiString:
    case TTypeKind::WideString:
        if (!p.Writable())
            return false;
        v.kind = VK::String;
        v.text = p.kind == TTypeKind::WideString ? WideToUtf8(p.getWide(obj))
                                                 : WideToUtf8(AnsiToWideText(p.getAnsi(obj)));
        return true;
    case TTypeKind::Float: {
        if (!p.setFloat)
            return false;
        TWriter w(&root_);
        w.WriteFloat(p.getFloat(obj));
        v = w.Value();
        return true;
    }
    case TTypeKind::Object: {
        if (!p.setObject)
            return false;
        const std::string name = ReferenceName(p.getObject(obj));
        if (name.empty())
            return false;
        v.kind = VK::Ident;
        v.text = name;
        return true;
    }
    case TTypeKind::SubObject:
        if (TObject* sub = p.getObject(obj))
            Collect(*sub, prefix + p.name + ".", out, depth + 1);
        return false;
    case TTypeKind::StringList: {
        auto* list = ObjectAs<TStringList>(p.getObject(obj));
        if (!list)
            return false;
        TWriter w(&root_);
        w.WriteStrings(*list);
        v = w.Value();
        return true;
    }
    case TTypeKind::Collection: {
        auto* coll = ObjectAs<TCollection>(p.getObject(obj));
        if (!coll)
            return false;
        v.kind = VK::Collection;
        for (int i = 0; i < coll->Count(); ++i) {
            TFormItem item;
            Collect(*coll->Items(i), "", item.props, depth + 1);
            v.items.push_back(std::move(item));
        }
        return true;
    }
    case TTypeKind::Method:
        v.kind = VK::Ident;
        v.text = p.getMethodName(obj);
        return !v.text.empty();
    }
    return false;
}

// Writes the properties obj declares through DefineProperties.
class DefinedPropertyCollector : public TFiler {
public:
    DefinedPropertyCollector(TComponent* root, const std::string& prefix,
                             std::vector<TFormProperty>& out)
        : root_(root), prefix_(prefix), out_(out) {}
    void DefineProperty(const std::string& name, ReadProc, WriteProc write, bool hasData) override {
        if (!hasData || !write)
            return;
        TWriter w(root_);
        write(w);
        if (w.HasValue())
            out_.push_back(TFormProperty{prefix_ + name, w.Value(), 0});
    }
    void DefineBinaryProperty(const std::string& name, StreamProc, StreamProc write,
                              bool hasData) override {
        if (!hasData || !write)
            return;
        TMemoryStream data;
        write(data);
        TFormValue v;
        v.kind = VK::Binary;
        v.bytes.assign(data.Memory(), data.Memory() + data.Size());
        out_.push_back(TFormProperty{prefix_ + name, std::move(v), 0});
    }
    bool IsReading() const override { return false; }
    TComponent* Root() const override { return root_; }

private:
    TComponent* root_;
    const std::string& prefix_;
    std::vector<TFormProperty>& out_;
};

void FormWriter::CollectDefined(TObject& obj, const std::string& prefix,
                                std::vector<TFormProperty>& out) {
    if (auto* persistent = dynamic_cast<TPersistent*>(&obj)) {
        DefinedPropertyCollector collector(&root_, prefix, out);
        persistent->DefineProperties(collector);
    }
}

// Name under which a referenced component can be found again, or empty.
std::string FormWriter::ReferenceName(TObject* target) const {
    auto* c = dynamic_cast<TComponent*>(target);
    if (!c || c->Name().empty())
        return {};
    if (c == &root_ || c->Owner() == &root_)
        return c->Name();
    return {};
}

} // namespace

std::string WriteFormDefinition(TComponent& root) {
    return FormWriter(root).Write();
}

void WriteFormDefinition(TComponent& root, TStream& stream) {
    const std::string text = WriteFormDefinition(root);
    stream.WriteBuffer(text.data(), static_cast<int32_t>(text.size()));
}
