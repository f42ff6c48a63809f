// Reading and loading the x87 control word.
#include "browser/fpu_control.h"

uint16_t ReadFpuControlWord() {
    uint16_t word = 0;
#if defined(__i386__) || defined(__x86_64__)
    __asm__ __volatile__("fnstcw %0" : "=m"(word));
#endif
    return word;
}

void LoadFpuControlWord(uint16_t word) {
#if defined(__i386__) || defined(__x86_64__)
    // Pending exception flags would fire at the next instruction once unmasked.
    __asm__ __volatile__("fnclex\n\tfldcw %0" : : "m"(word));
#else
    (void)word;
#endif
}
