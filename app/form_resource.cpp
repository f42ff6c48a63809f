// Form definition resources; see the header.
#include "framework/ui/win32.h"

#include "app/form_resource.h"

#include "framework/core/exception.h"

// Finds, loads and copies the resource's bytes.
std::string LoadFormResource(const wchar_t* name) {
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC info = FindResourceW(module, name, MAKEINTRESOURCEW(10)); // RT_RCDATA
    HGLOBAL data = info ? LoadResource(module, info) : nullptr;
    const void* bytes = data ? LockResource(data) : nullptr;
    if (!bytes) {
        throw EReadError(L"Resource " + std::wstring(name) + L" not found");
    }
    return std::string(static_cast<const char*>(bytes), SizeofResource(module, info));
}
