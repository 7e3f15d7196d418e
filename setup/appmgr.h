// The Application Manager: found through the registry, and handed the
// installation file for the handset's processor.
#ifndef KUBRELSE_SETUP_APPMGR_H
#define KUBRELSE_SETUP_APPMGR_H

// Where the Application Manager registers its path (HKLM).
constexpr char APP_MANAGER_KEY[] = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\CEAPPMGR.EXE";

// Reads its registered path into launcher.appManagerPath; 1 when there is one.
int findAppManager();
// Starts it with the installation file.
void startAppManager(const char* appManagerPath, const char* installFile);
// First of ARM, MIPS, SH3 whose file exists, or null.
const char* pickInstallFile();

#endif
