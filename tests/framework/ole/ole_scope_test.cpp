// OLE set-up by scope: nothing sets it up behind the program's back (the
// browser host library included), a scope sets it up for its thread and
// gives it back when it goes, and scopes nest.
#include "framework/ole/ole_scope.h"

#include <gtest/gtest.h>

#include "browser/embedded_wb.h"

namespace {

// What creating a COM object answers on this thread now.
HRESULT TryCreateObject() {
    IGlobalInterfaceTable* table = nullptr;
    HRESULT hr = CoCreateInstance(CLSID_StdGlobalInterfaceTable, nullptr, CLSCTX_INPROC_SERVER,
                                  IID_IGlobalInterfaceTable, reinterpret_cast<void**>(&table));
    if (table)
        table->Release();
    return hr;
}

TEST(OleScope, SetsUpOleForItsLifetimeOnly) {
    // The browser host's code is linked in (and its statics run) ...
    void (TEmbeddedWB::*linked)() = &TEmbeddedWB::UpdateHostUIFlags;
    ASSERT_TRUE(linked != nullptr);
    // ... yet OLE is not set up until a scope does it.
    EXPECT_EQ(TryCreateObject(), CO_E_NOTINITIALIZED);
    {
        TOleScope outer;
        EXPECT_EQ(outer.Result(), S_OK);
        EXPECT_TRUE(outer.Succeeded());
        EXPECT_EQ(TryCreateObject(), S_OK);
        {
            TOleScope inner;
            EXPECT_EQ(inner.Result(), S_FALSE);
            EXPECT_TRUE(inner.Succeeded());
        }
        // The inner scope's end leaves the outer set-up in place.
        EXPECT_EQ(TryCreateObject(), S_OK);
    }
    EXPECT_EQ(TryCreateObject(), CO_E_NOTINITIALIZED);
    // A thread that chose the multithreaded model can't have OLE: the scope says so.
    ASSERT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);
    {
        TOleScope refused;
        EXPECT_EQ(refused.Result(), RPC_E_CHANGED_MODE);
        EXPECT_FALSE(refused.Succeeded());
    }
    EXPECT_EQ(TryCreateObject(), S_OK); // the thread's own set-up is untouched
    CoUninitialize();
}

} // namespace
