// The pieces config.cpp builds setupConfig from, declared for its tests:
// nothing else in the launcher calls them.
#ifndef KUBRELSE_SETUP_CONFIG_PARTS_H
#define KUBRELSE_SETUP_CONFIG_PARTS_H

#include <cstddef>

// The folder of a module path: everything before its last backslash, the first
// character never taken as the backslash. Returns 0 (out empty) when it does
// not fit into room.
int folderOfPath(const char* modulePath, char* out, size_t room);
// dir, a backslash, value; empty when the value is empty (it would name the
// folder itself) or when the whole path does not fit. Returns 1 for a path.
int joinCpuPath(char* out, size_t room, const char* dir, const char* value);
// Reads SETUP.INF from the given folder into setupConfig (appDir included).
int readSetupConfigIn(const char* dir);

#endif
