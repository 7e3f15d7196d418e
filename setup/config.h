// What SETUP.INF beside the launcher says, kept in the process-wide
// SetupConfig.
#ifndef KUBRELSE_SETUP_CONFIG_H
#define KUBRELSE_SETUP_CONFIG_H

#include "launcher_state.h"

constexpr int PRODUCT_ROOM = 72;    // "ProductName": 71 characters kept
constexpr int CPU_VALUE_ROOM = 80;  // "ARM", "MIPS", "SH3": 79 characters kept
constexpr int TITLE_ROOM = 256;     // "Title": 255 characters kept

struct SetupConfig {
    char appDir[PATH_ROOM];  // own folder, no trailing backslash
    char productName[PRODUCT_ROOM];
    char title[TITLE_ROOM];
    char caption[TEXT_ROOM];  // title, a blank, " Setup Program"
    char armIni[PATH_ROOM];   // empty when the value is empty or the path does not fit
    char mipsIni[PATH_ROOM];
    char sh3Ini[PATH_ROOM];
};

extern SetupConfig setupConfig;

int fileExists(const char* path);
// Reads SETUP.INF from the launcher's own folder into setupConfig.
int readSetupConfig();

#endif
