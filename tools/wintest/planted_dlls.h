// DLLs planted in a program's folder and in the folder it is started in,
// to prove it takes none of them: each a copy of the planted DLL
// (planted_dll.cpp, built beside the test program), which leaves a marker
// file when it is loaded. Header-only; Windows test programs only.
#ifndef KUBRELSE_PLANTED_DLLS_H
#define KUBRELSE_PLANTED_DLLS_H

#include <windows.h>

#include <string>
#include <vector>

#include "program_under_test.h"

namespace wintest {

// Copies of the planted DLL in folder under each of the names.
inline bool plantDlls(const std::string& folder, const std::vector<std::string>& names)
{
    const std::string planted = testFolder() + "\\planted_dll.dll";
    for (const std::string& name : names)
        if (!CopyFileA(planted.c_str(), (folder + "\\" + name).c_str(), FALSE))
            return false;
    return true;
}

// The planted DLLs in folder that something loaded.
inline std::vector<std::string> loadedPlants(const std::string& folder, const std::vector<std::string>& names)
{
    std::vector<std::string> loaded;
    for (const std::string& name : names)
        if (GetFileAttributesA((folder + "\\" + name + ".loaded").c_str()) != INVALID_FILE_ATTRIBUTES)
            loaded.push_back(name);
    return loaded;
}

}  // namespace wintest

#endif
