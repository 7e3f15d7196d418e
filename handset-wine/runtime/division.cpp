// The 32-bit division helpers clang calls for Windows on ARM, which no DLL
// of Wine's for ARM exports: __rt_udiv(divisor, dividend) and __rt_sdiv
// return the quotient in r0 and the remainder in r1, as one 64-bit value.
// A division by zero gives 0 here; the callers never divide by zero.
#include <cstdint>

extern "C" uint64_t __rt_udiv(uint32_t divisor, uint32_t dividend)
{
    uint32_t quotient = 0, remainder = 0;
    for (int bit = 31; divisor && bit >= 0; --bit) {
        remainder = (remainder << 1) | ((dividend >> bit) & 1);
        if (remainder >= divisor) {
            remainder -= divisor;
            quotient |= 1u << bit;
        }
    }
    return (static_cast<uint64_t>(remainder) << 32) | quotient;
}

extern "C" uint64_t __rt_sdiv(int32_t divisor, int32_t dividend)
{
    const uint32_t d = divisor < 0 ? 0u - static_cast<uint32_t>(divisor) : static_cast<uint32_t>(divisor);
    const uint32_t n = dividend < 0 ? 0u - static_cast<uint32_t>(dividend) : static_cast<uint32_t>(dividend);
    const uint64_t both = __rt_udiv(d, n);
    uint32_t quotient = static_cast<uint32_t>(both), remainder = static_cast<uint32_t>(both >> 32);
    if ((divisor < 0) != (dividend < 0))
        quotient = 0u - quotient;
    if (dividend < 0)
        remainder = 0u - remainder;
    return (static_cast<uint64_t>(remainder) << 32) | quotient;
}
