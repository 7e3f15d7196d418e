// A program that writes through a null pointer: the test harness's check
// that a crash ends a test program at once.
#include <cstdio>

int main()
{
    std::puts("writing through a null pointer");
    std::fflush(stdout);
    *static_cast<int volatile*>(nullptr) = 1;
    return 0;
}
