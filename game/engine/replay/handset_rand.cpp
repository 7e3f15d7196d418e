// The handset C library's rand and srand, the classic generator. Both builds
// of the replay link these, so both draw the same pieces; natively they take
// the place of the C library's own, as the program's definitions come first.
#include <cstdint>

namespace {

uint32_t state = 1;

}  // namespace

extern "C" void srand(unsigned seed) { state = seed; }

extern "C" int rand()
{
    state = state * 214013u + 2531011u;
    return static_cast<int>((state >> 16) & 0x7FFF);
}
