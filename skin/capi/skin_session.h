// The engine side of the C interface (include/lantuo/skin.h): the skins a
// program loaded, the one it applied, the thread that owns the interface,
// and the failures the interface reports as result codes with words.
#pragma once

#include "framework/ui/win32.h"

#include <atomic>
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "lantuo/skin.h"

class TSkinData;

// A loaded skin: the skin data component that carries its model.
struct LtSkin {
    std::unique_ptr<TSkinData> data;
};

// A failure the interface answers with a code and words.
struct TSkinFailure {
    LtSkinResult code;
    std::wstring text;
};

class TSkinSession {
public:
    static TSkinSession& Instance();

    // True when the calling thread owns the interface (taking it when free).
    bool Claim();
    // Frees the interface for another thread once nothing is loaded or applied.
    void ReleaseIfIdle();

    // Throw TSkinFailure on failure.
    LtSkin* LoadFile(const wchar_t* path);
    LtSkin* LoadMemory(const void* data, size_t size);
    void Free(LtSkin* skin);
    void Apply(LtSkin* skin, unsigned kinds);
    void Remove();
    void Exclude(HWND window);

    LtSkin* Applied() const { return applied_; }

private:
    LtSkin* LoadBytes(const std::vector<uint8_t>& bytes, const std::wstring& what);
    void SkinOpenWindows();

    std::atomic<DWORD> owner_{0};
    std::vector<LtSkin*> skins_;
    LtSkin* applied_ = nullptr;
};

// The calling thread's last failure ("" before any).
const std::wstring& LastSkinError();
void SetLastSkinError(const std::wstring& text);
