#include <gtest/gtest.h>

#include <string>

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

// A system DLL is loaded from the system folder by its full path; the
// planted DLL beside the test is not in it, and a name that cannot make a
// path is no DLL.
TEST(Win32Calls, SystemLibrariesComeFromTheSystemFolderOnly)
{
    char system[MAX_PATH] = "";
    ASSERT_GT(GetSystemDirectoryA(system, MAX_PATH), 0u);
    HMODULE version = loadSystemLibrary("version.dll");
    ASSERT_NE(nullptr, version);
    char loaded[MAX_PATH] = "";
    ASSERT_GT(GetModuleFileNameA(version, loaded, MAX_PATH), 0u);
    EXPECT_EQ(0, lstrcmpiA((std::string(system) + "\\version.dll").c_str(), loaded)) << loaded;
    EXPECT_EQ(nullptr, loadSystemLibrary("planted_dll.dll"));
    EXPECT_EQ(nullptr, loadSystemLibrary(std::string(MAX_PATH, 'v').c_str()));
}
