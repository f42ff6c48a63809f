// The C interface (include/lantuo/skin.h): each function checks the calling
// thread, runs its part of the session, and turns every exception into a
// result code and the thread's last-failure words.
#include "skin/capi/skin_session.h"

#include <exception>
#include <new>

#include "framework/core/exception.h"
#include "framework/ui/ui_errors.h"

namespace {

LtSkinResult Failed(LtSkinResult code, const std::wstring& text) {
    SetLastSkinError(text);
    return code;
}

// Runs body for the owning thread; nothing escapes.
template <typename Body> LtSkinResult Guard(Body&& body) noexcept {
    try {
        TSkinSession& session = TSkinSession::Instance();
        if (!session.Claim())
            return Failed(LT_SKIN_WRONG_THREAD,
                          L"The skin interface belongs to another thread; call it from the "
                          L"thread that loaded and applied the skin");
        LtSkinResult result = LT_SKIN_OK;
        try {
            body(session);
        } catch (const TSkinFailure& f) {
            result = Failed(f.code, f.text);
        }
        session.ReleaseIfIdle();
        return result;
    } catch (const std::bad_alloc&) {
        return Failed(LT_SKIN_OUT_OF_RESOURCES, L"Out of memory");
    } catch (const EOutOfResources& e) {
        return Failed(LT_SKIN_OUT_OF_RESOURCES, e.Message());
    } catch (...) {
        return Failed(LT_SKIN_FAILED, UiExceptionText(std::current_exception()));
    }
}

} // namespace

extern "C" {

LtSkinResult LT_SKIN_CALL LtSkinLoadFile(const wchar_t* path, LtSkin** skin) {
    if (!skin)
        return Failed(LT_SKIN_INVALID_ARGUMENT, L"No place for the skin given");
    *skin = nullptr;
    return Guard([&](TSkinSession& s) { *skin = s.LoadFile(path); });
}

LtSkinResult LT_SKIN_CALL LtSkinLoadMemory(const void* data, size_t size, LtSkin** skin) {
    if (!skin)
        return Failed(LT_SKIN_INVALID_ARGUMENT, L"No place for the skin given");
    *skin = nullptr;
    return Guard([&](TSkinSession& s) { *skin = s.LoadMemory(data, size); });
}

void LT_SKIN_CALL LtSkinFree(LtSkin* skin) {
    if (skin)
        Guard([&](TSkinSession& s) { s.Free(skin); });
}

LtSkinResult LT_SKIN_CALL LtSkinApply(LtSkin* skin, unsigned kinds) {
    return Guard([&](TSkinSession& s) { s.Apply(skin, kinds); });
}

void LT_SKIN_CALL LtSkinRemove(void) {
    Guard([](TSkinSession& s) { s.Remove(); });
}

LtSkinResult LT_SKIN_CALL LtSkinExcludeWindow(HWND window) {
    return Guard([&](TSkinSession& s) { s.Exclude(window); });
}

const wchar_t* LT_SKIN_CALL LtSkinLastError(void) {
    return LastSkinError().c_str();
}

} // extern "C"
