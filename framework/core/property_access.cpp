// By-name property access.
#include "framework/core/property_access.h"

#include "framework/core/ansi.h"
#include "framework/core/convert.h"
#include "framework/core/enum_info.h"
#include "framework/core/exception.h"
#include "framework/core/persistent.h"

const TPropInfo* FindPropInfo(const TObject* obj, std::string_view name) {
    return obj ? obj->ClassInfo().FindProperty(name) : nullptr;
}

int32_t ReadIntegerProperty(TObject* obj, std::string_view name) {
    const TPropInfo* p = FindPropInfo(obj, name);
    if (!p || p->kind != TTypeKind::Integer)
        return 0;
    return static_cast<int32_t>(p->getOrd(*obj));
}

std::string ReadEnumerationProperty(TObject* obj, std::string_view name) {
    const TPropInfo* p = FindPropInfo(obj, name);
    if (!p || (p->kind != TTypeKind::Enumeration && p->kind != TTypeKind::Boolean))
        return {};
    return p->enumInfo->Name(p->getOrd(*obj));
}

std::wstring ReadTextProperty(TObject* obj, std::string_view name) {
    const TPropInfo* p = FindPropInfo(obj, name);
    if (!p)
        return {};
    if (p->kind == TTypeKind::WideString)
        return p->getWide(*obj);
    if (p->kind == TTypeKind::AnsiString)
        return AnsiToWideText(p->getAnsi(*obj));
    return {};
}

TObject* ReadObjectProperty(TObject* obj, std::string_view name, const TClassInfo& cls) {
    const TPropInfo* p = FindPropInfo(obj, name);
    if (!p || !p->getObject)
        return nullptr;
    TObject* held = p->getObject(*obj);
    return (held && held->InheritsFrom(cls)) ? held : nullptr;
}

bool WriteObjectProperty(TObject* obj, std::string_view name, TObject* value) {
    const TPropInfo* p = FindPropInfo(obj, name);
    if (!p || !p->setObject)
        return false;
    const bool fits = value && (!p->objectClass || value->InheritsFrom(p->objectClass()));
    switch (p->kind) {
    case TTypeKind::Object:
        if (value && !fits)
            return false;
        p->setObject(*obj, value);
        return true;
    case TTypeKind::SubObject:
    case TTypeKind::StringList:
        if (!fits)
            return false;
        p->setObject(*obj, value);
        return true;
    default:
        return false;
    }
}

bool WriteValueProperty(TObject* obj, std::string_view name, std::string_view text) {
    const TPropInfo* p = FindPropInfo(obj, name);
    if (!p || !p->setOrd)
        return false;
    if (p->kind == TTypeKind::Enumeration || p->kind == TTypeKind::Boolean) {
        const int v = p->enumInfo->Value(text);
        if (v < 0)
            return false;
        p->setOrd(*obj, v);
        return true;
    }
    if (p->kind == TTypeKind::Integer) {
        int32_t v = 0;
        if (!TryStrToInt(std::string(text), v) && !(p->identMap && p->identMap->ToInt(text, v)))
            return false;
        p->setOrd(*obj, v);
        return true;
    }
    return false;
}

std::string SetToText(const TEnumInfo& info, uint32_t mask) {
    std::string out = "[";
    for (int i = 0; i < info.Count() && i < 32; ++i)
        if (mask & (1u << i)) {
            if (out.size() > 1)
                out += ", ";
            out += info.Name(i);
        }
    return out + "]";
}

void AssignPublishedProperties(TObject& dst, TObject& src) {
    if (&dst.ClassInfo() != &src.ClassInfo())
        throw EConvertError(L"Cannot assign objects of different classes");
    for (const TPropInfo* p : src.ClassInfo().AllProperties()) {
        switch (p->kind) {
        case TTypeKind::Integer:
        case TTypeKind::Boolean:
        case TTypeKind::Enumeration:
        case TTypeKind::Set:
            if (p->setOrd)
                p->setOrd(dst, p->getOrd(src));
            break;
        case TTypeKind::AnsiString:
            if (p->setAnsi)
                p->setAnsi(dst, p->getAnsi(src));
            break;
        case TTypeKind::WideString:
            if (p->setWide)
                p->setWide(dst, p->getWide(src));
            break;
        case TTypeKind::Float:
            if (p->setFloat)
                p->setFloat(dst, p->getFloat(src));
            break;
        case TTypeKind::Object:
            if (p->setObject)
                p->setObject(dst, p->getObject(src));
            break;
        case TTypeKind::SubObject: {
            TObject* from = p->getObject(src);
            TObject* to = p->getObject(dst);
            if (!from || !to || from == to)
                break;
            if (p->setObject)
                p->setObject(dst, from); // copies the whole object (a picture ...)
            else if (&from->ClassInfo() == &to->ClassInfo())
                AssignPublishedProperties(*to, *from);
            break;
        }
        case TTypeKind::Collection: {
            auto* from = dynamic_cast<TPersistent*>(p->getObject(src));
            auto* to = dynamic_cast<TPersistent*>(p->getObject(dst));
            if (from && to)
                to->Assign(*from);
            break;
        }
        case TTypeKind::StringList:
            p->setObject(dst, p->getObject(src));
            break;
        case TTypeKind::Method:
            break; // handlers stay with their own object
        }
    }
}
