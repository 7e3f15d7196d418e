// What every program we hand out must keep to, checked from its tests: its
// built file carries a manifest (the user's own rights, Windows Vista to 11,
// per-monitor DPI awareness) and the product's version resource, and it
// loads no DLL planted where it must not look. Windows test programs only
// (link the version library; kubrelse_planted_dll puts planted_dll.dll beside them).
#ifndef KUBRELSE_HANDED_OUT_H
#define KUBRELSE_HANDED_OUT_H

#include <gtest/gtest.h>

#include "program_under_test.h"
#include "resource_reader.h"

namespace wintest {

inline void expectHandedOutProgram(const std::string& path, const char* description, const char* fileName)
{
    const std::string manifest = resource_reader::manifestOf(path);
    for (const char* part : {"<requestedExecutionLevel level=\"asInvoker\" uiAccess=\"false\"/>",
                             "{e2011457-1546-43c5-a5fe-008deee3d3f0}",  // Vista
                             "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",  // 7
                             "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",  // 8
                             "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",  // 8.1
                             "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}",  // 10 and 11
                             ">PerMonitorV2, PerMonitor</dpiAwareness>",
                             ">true/pm</dpiAware>"})
        EXPECT_NE(manifest.find(part), std::string::npos) << path << " lacks " << part << " in:\n" << manifest;
    const std::map<std::string, std::string> version = {
        {"(file)", "1.2.0.0"},
        {"CompanyName", "Nolvo Systems Inc."},
        {"FileDescription", description},
        {"FileVersion", "1.2.0.0"},
        {"LegalCopyright", "Copyright (C) 2002 Nolvo Systems Inc. All rights reserved."},
        {"OriginalFilename", fileName},
        {"ProductName", "KubrelSE"},
        {"ProductVersion", "1.2.0.0"}};
    EXPECT_EQ(resource_reader::versionOf(path), version) << path;
}

// Copies of the planted DLL under each name in each folder; afterwards, the
// names in a folder that something loaded.
inline bool plantDlls(const std::vector<std::string>& folders, const std::vector<std::string>& names)
{
    for (const std::string& folder : folders)
        for (const std::string& name : names)
            if (!CopyFileA((testFolder() + "\\planted_dll.dll").c_str(), (folder + "\\" + name).c_str(), FALSE))
                return false;
    return true;
}
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
