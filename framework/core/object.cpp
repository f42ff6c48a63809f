// Class information, the class registry and TObject's own class.
#include "framework/core/object.h"

#include <algorithm>

#include "framework/core/strings.h"

namespace {
char LowerAsciiChar(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}
std::string LowerAscii(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        c = LowerAsciiChar(c);
    return out;
}
} // namespace

bool TPropInfo::Writable() const {
    switch (kind) {
    case TTypeKind::Integer:
    case TTypeKind::Boolean:
    case TTypeKind::Enumeration:
    case TTypeKind::Set:
        return static_cast<bool>(setOrd);
    case TTypeKind::AnsiString:
        return static_cast<bool>(setAnsi);
    case TTypeKind::WideString:
        return static_cast<bool>(setWide);
    case TTypeKind::Float:
        return static_cast<bool>(setFloat);
    case TTypeKind::Object:
        return static_cast<bool>(setObject);
    case TTypeKind::SubObject:
    case TTypeKind::StringList:
    case TTypeKind::Collection:
        return true;
    case TTypeKind::Method:
        return static_cast<bool>(bindMethod);
    }
    return false;
}

TClassInfo::TClassInfo(std::string name, const TClassInfo* parent, Creator creator,
                       std::vector<TPropInfo> props)
    : name_(std::move(name)), parent_(parent), creator_(creator), props_(std::move(props)) {
    if (parent_)
        index_ = parent_->index_;
    for (const TPropInfo& p : props_) {
        std::string key = LowerAscii(p.name);
        const auto it =
            std::lower_bound(index_.begin(), index_.end(), key,
                             [](const auto& e, const std::string& k) { return e.first < k; });
        if (it != index_.end() && it->first == key)
            it->second = &p; // hides the parent's property of that name
        else
            index_.insert(it, {std::move(key), &p});
    }
}

bool TClassInfo::InheritsFrom(const TClassInfo& other) const {
    for (const TClassInfo* c = this; c; c = c->parent_)
        if (c == &other)
            return true;
    return false;
}

TObject* TClassInfo::CreateInstance(TObject* arg) const {
    return creator_ ? creator_(arg) : nullptr;
}

const TPropInfo* TClassInfo::FindProperty(std::string_view name) const {
    // Compares an index key (lower case) with name in any case.
    const auto less = [](const std::pair<std::string, const TPropInfo*>& e, std::string_view n) {
        const size_t len = std::min(e.first.size(), n.size());
        for (size_t i = 0; i < len; ++i) {
            const char a = e.first[i];
            const char b = LowerAsciiChar(n[i]);
            if (a != b)
                return static_cast<unsigned char>(a) < static_cast<unsigned char>(b);
        }
        return e.first.size() < n.size();
    };
    const auto it = std::lower_bound(index_.begin(), index_.end(), name, less);
    if (it != index_.end() && it->first.size() == name.size() && SameTextAscii(it->first, name))
        return it->second;
    return nullptr;
}

std::vector<const TPropInfo*> TClassInfo::AllProperties() const {
    std::vector<const TClassInfo*> chain;
    for (const TClassInfo* c = this; c; c = c->parent_)
        chain.push_back(c);
    std::vector<const TPropInfo*> out;
    for (auto it = chain.rbegin(); it != chain.rend(); ++it)
        for (const TPropInfo& p : (*it)->props_)
            if (FindProperty(p.name) == &p) // skip hidden ones
                out.push_back(&p);
    return out;
}

const TClassInfo& TObject::StaticClass() {
    static const TClassInfo info("TObject", nullptr, nullptr, {});
    return info;
}

bool TObject::InheritsFrom(std::string_view className) const {
    for (const TClassInfo* c = &ClassInfo(); c; c = c->Parent())
        if (SameTextAscii(c->Name(), className))
            return true;
    return false;
}

namespace {
std::vector<const TClassInfo*>& Registry() {
    static std::vector<const TClassInfo*> classes;
    return classes;
}
} // namespace

void RegisterClass(const TClassInfo& cls) {
    auto& reg = Registry();
    for (const TClassInfo*& c : reg)
        if (SameTextAscii(c->Name(), cls.Name())) {
            c = &cls; // the latest registration of a name wins
            return;
        }
    reg.push_back(&cls);
}

const TClassInfo* FindClass(std::string_view name) {
    for (const TClassInfo* c : Registry())
        if (SameTextAscii(c->Name(), name))
            return c;
    return nullptr;
}
