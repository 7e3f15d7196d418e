// The test harness's probe of how a program's end reaches it.
//   crash_probe             writes through a null pointer: a crash must end
//                           a test program at once
//   crash_probe code-changed
//                           says it ended with 0 as a test program does
//                           (tools/wintest/test_main.cpp), then ends with 3,
//                           as if the code had changed after it ended
#include <cstdio>
#include <cstring>
#include <windows.h>

int main(int argc, char** argv)
{
    if (argc > 1 && std::strcmp(argv[1], "code-changed") == 0) {
        std::puts("test program ended with exit code 0");
        std::fflush(stdout);
        ExitProcess(3);
    }
    std::puts("writing through a null pointer");
    std::fflush(stdout);
    *static_cast<int volatile*>(nullptr) = 1;
    return 0;
}
