// What every program we hand out must carry, read back from its built file:
// an application manifest that asks for the user's own rights, names the
// Windows versions from Vista to 11 and declares per-monitor DPI awareness,
// and a version resource of the product. Header-only; Windows test programs
// only (link the version library).
#ifndef KUBRELSE_HANDED_OUT_H
#define KUBRELSE_HANDED_OUT_H

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "resource_reader.h"

namespace wintest {

inline void expectManifestOfAProgramWeHandOut(const std::string& manifest)
{
    for (const char* part : {
             "<requestedExecutionLevel level=\"asInvoker\" uiAccess=\"false\"/>",
             "<supportedOS Id=\"{e2011457-1546-43c5-a5fe-008deee3d3f0}\"/>",  // Vista
             "<supportedOS Id=\"{35138b9a-5d96-4fbd-8e2d-a2440225f93a}\"/>",  // 7
             "<supportedOS Id=\"{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}\"/>",  // 8
             "<supportedOS Id=\"{1f676c76-80e1-4239-95bb-83d0f6d0da78}\"/>",  // 8.1
             "<supportedOS Id=\"{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}\"/>",  // 10 and 11
             ">PerMonitorV2, PerMonitor</dpiAwareness>",                      // Windows 10 1703 on
             ">true/pm</dpiAware>",                                           // before it
         })
        EXPECT_NE(manifest.find(part), std::string::npos) << "missing: " << part << "\nin:\n" << manifest;
}

// The version resource of the program at path, for a program with this
// description, handed out under this file name.
inline void expectVersionOfAProgramWeHandOut(const std::string& path, const char* description, const char* fileName)
{
    const std::map<std::string, std::string> expected = {
        {"(file)", "1.2.0.0"},
        {"(product)", "1.2.0.0"},
        {"CompanyName", "Nolvo Systems Inc."},
        {"FileDescription", description},
        {"FileVersion", "1.2.0.0"},
        {"InternalName", fileName},
        {"LegalCopyright", "Copyright (C) 2002 Nolvo Systems Inc. All rights reserved."},
        {"OriginalFilename", fileName},
        {"ProductName", "KubrelSE"},
        {"ProductVersion", "1.2.0.0"},
    };
    EXPECT_EQ(resource_reader::versionOf(path), expected) << path;
}

}  // namespace wintest

#endif
