// The x87 floating-point control word the browser host switches between.
#pragma once

#include <cstdint>

// Invalid-operation, zero-divide and overflow exceptions raised (the runtime's default).
constexpr uint16_t kFpuExceptionsOn = 0x1332;
// Every floating-point exception masked.
constexpr uint16_t kFpuExceptionsOff = 0x133F;

uint16_t ReadFpuControlWord();
void LoadFpuControlWord(uint16_t word);
