#include "engine/noise_reducer.h"

#if defined(__i386__) || defined(__x86_64__)
#include <cpuid.h>
#endif

// Asks the processor whether it executes SSE and SSE2 (the packed median uses SSE2
// integer instructions). Every operating system we run on saves the SSE registers, so
// the processor's answer is the whole answer. Other processors report false.
bool NoiseReducer::ProbeSse() {
#if defined(__x86_64__)
    return true;
#elif defined(__i386__)
    unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
    if (__get_cpuid(1, &eax, &ebx, &ecx, &edx) == 0) return false;
    const unsigned sse = 1u << 25;
    const unsigned sse2 = 1u << 26;
    return (edx & sse) != 0 && (edx & sse2) != 0;
#else
    return false;
#endif
}
