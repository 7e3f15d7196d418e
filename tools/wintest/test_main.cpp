// The Windows test programs' main. Once the tests have run, it says how the
// run ended, on the program's last line, and ends the process at once with
// that code: nothing of the program runs after that line. tools/wine-run
// holds the line against the exit code Wine hands back, so a passing run
// whose code changed while Wine ended the process is told from a failure.
#include <cstdio>
#include <gtest/gtest.h>
#include <windows.h>

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    int const result = RUN_ALL_TESTS();
    std::printf("test program ended with exit code %d\n", result);
    std::fflush(nullptr);
    ExitProcess(static_cast<UINT>(result));
}
