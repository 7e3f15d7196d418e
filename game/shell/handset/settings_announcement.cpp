// What the handset build compiles in place of the desktop layer's
// announcement: the handset's shell reads a changed setting again when
// WM_SETTINGCHANGE is posted to every top-level window.
#include "handset_shell.h"

void announceSettingChange() { PostMessageW(HWND_BROADCAST, WM_SETTINGCHANGE, 0, 0); }
