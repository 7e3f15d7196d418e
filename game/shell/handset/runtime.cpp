// The helpers the compiler asks for that neither the handset's libraries
// nor the compiler's own library provide for its processor.
//
// The pacer's flags are atomic words. ARMv4T and ARMv5TE have no exclusive
// loads and stores, so the compiler calls out for every atomic access; the
// handset's processors are single cores, on which an aligned load or store
// of a halfword or word is atomic by itself, and the barriers need only
// keep the compiler from moving other memory accesses across it.
#include <stddef.h>
#include <stdint.h>

namespace {

inline void compilerBarrier() { __asm__ volatile("" ::: "memory"); }

}  // namespace

extern "C" {

uint16_t __atomic_load_2(const volatile void* address, int)
{
    compilerBarrier();
    const uint16_t value = *static_cast<const volatile uint16_t*>(address);
    compilerBarrier();
    return value;
}

uint32_t __atomic_load_4(const volatile void* address, int)
{
    compilerBarrier();
    const uint32_t value = *static_cast<const volatile uint32_t*>(address);
    compilerBarrier();
    return value;
}

void __atomic_store_4(volatile void* address, uint32_t value, int)
{
    compilerBarrier();
    *static_cast<volatile uint32_t*>(address) = value;
    compilerBarrier();
}

}  // extern "C"

// The ARM run-time ABI's block helpers, which the compiler calls for
// clearing and copying records, over the core library's C functions.
extern "C" {

void* memset(void*, int, size_t);
void* memcpy(void*, const void*, size_t);
void* memmove(void*, const void*, size_t);

void __aeabi_memclr(void* to, size_t size) { memset(to, 0, size); }
void __aeabi_memclr4(void* to, size_t size) { memset(to, 0, size); }
void __aeabi_memclr8(void* to, size_t size) { memset(to, 0, size); }
void __aeabi_memset(void* to, size_t size, int value) { memset(to, value, size); }
void __aeabi_memset4(void* to, size_t size, int value) { memset(to, value, size); }
void __aeabi_memset8(void* to, size_t size, int value) { memset(to, value, size); }
void __aeabi_memcpy(void* to, const void* from, size_t size) { memcpy(to, from, size); }
void __aeabi_memcpy4(void* to, const void* from, size_t size) { memcpy(to, from, size); }
void __aeabi_memcpy8(void* to, const void* from, size_t size) { memcpy(to, from, size); }
void __aeabi_memmove(void* to, const void* from, size_t size) { memmove(to, from, size); }
void __aeabi_memmove4(void* to, const void* from, size_t size) { memmove(to, from, size); }
void __aeabi_memmove8(void* to, const void* from, size_t size) { memmove(to, from, size); }

}  // extern "C"
