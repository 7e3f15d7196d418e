// What lies below the replay and the engine on the handset's processor,
// where the replay runs as a Linux program under qemu-arm with no C or C++
// runtime: two system calls, and the memory functions as the handset's
// core library offers them (rand and srand are in handset_rand.cpp). Plain
// byte loops: the compiler, told the program is freestanding, turns none
// of them back into calls of themselves.
#include <cstddef>

namespace {

constexpr long SYS_WRITE = 4;
constexpr long SYS_EXIT_GROUP = 248;

// The EABI system call: number in r7, arguments from r0, result in r0.
long systemCall(long number, long first, long second, long third)
{
    register long r0 asm("r0") = first;
    register long r1 asm("r1") = second;
    register long r2 asm("r2") = third;
    register long r7 asm("r7") = number;
    asm volatile("svc #0" : "+r"(r0) : "r"(r1), "r"(r2), "r"(r7) : "memory");
    return r0;
}

}  // namespace

extern "C" long write(int fd, const void* data, size_t size)
{
    return systemCall(SYS_WRITE, fd, reinterpret_cast<long>(data), static_cast<long>(size));
}

extern "C" [[noreturn]] void _exit(int status)
{
    for (;;)
        systemCall(SYS_EXIT_GROUP, status, 0, 0);
}

extern "C" void* memcpy(void* to, const void* from, size_t size)
{
    unsigned char* d = static_cast<unsigned char*>(to);
    const unsigned char* s = static_cast<const unsigned char*>(from);
    while (size--)
        *d++ = *s++;
    return to;
}

extern "C" void* memmove(void* to, const void* from, size_t size)
{
    unsigned char* d = static_cast<unsigned char*>(to);
    const unsigned char* s = static_cast<const unsigned char*>(from);
    if (d <= s) {
        while (size--)
            *d++ = *s++;
    } else {
        while (size--)
            d[size] = s[size];
    }
    return to;
}

extern "C" void* memset(void* to, int value, size_t size)
{
    unsigned char* d = static_cast<unsigned char*>(to);
    while (size--)
        *d++ = static_cast<unsigned char>(value);
    return to;
}
