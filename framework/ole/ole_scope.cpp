// OLE set-up and tear-down for one thread.
#include "framework/ole/ole_scope.h"

#include <ole2.h>

TOleScope::TOleScope() : result_(OleInitialize(nullptr)) {}

// Every successful OleInitialize, S_FALSE included, is paired with an OleUninitialize.
TOleScope::~TOleScope() {
    if (SUCCEEDED(result_))
        OleUninitialize();
}
