#include <gtest/gtest.h>

#include "win32_calls.h"

TEST(Win32Calls, LaterCallsAreFoundByNameAndMissingOnesAreNull)
{
    using TickFn = decltype(&GetTickCount);
    const TickFn tick = procOf<TickFn>(GetModuleHandleW(L"kernel32.dll"), "GetTickCount");
    ASSERT_NE(nullptr, tick);
    EXPECT_LE(GetTickCount() - tick(), 1000u);
    EXPECT_EQ(nullptr, procOf<TickFn>(GetModuleHandleW(L"kernel32.dll"), "NoSuchCallAnywhere"));
    EXPECT_EQ(nullptr, procOf<TickFn>(nullptr, "GetTickCount"));
}

// A DLL beside the program is found by its bare name until the search is
// restricted; from then on only the system folder is searched.
TEST(Win32Calls, RestrictedSearchSkipsTheProgramsOwnFolder)
{
    HMODULE before = LoadLibraryW(L"planted_dll.dll");
    ASSERT_NE(nullptr, before) << "the planted DLL is not beside the test";
    FreeLibrary(before);
    ASSERT_EQ(1, restrictDllSearch());
    EXPECT_EQ(nullptr, LoadLibraryW(L"planted_dll.dll"));
    EXPECT_NE(nullptr, LoadLibraryW(L"version.dll")) << "the system folder is still searched";
}
