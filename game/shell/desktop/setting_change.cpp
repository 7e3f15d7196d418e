// The announcement of a changed setting, as the desktop allows it.
#include "handset_shell.h"

// The handset takes WM_SETTINGCHANGE to HWND_BROADCAST posted. Desktop
// Windows refuses to post a message that may carry a text pointer, so here
// it is sent, giving up on any window that does not answer within 200 ms:
// a hung program cannot hold the game.
void announceSettingChange()
{
    SendMessageTimeoutW(HWND_BROADCAST, WM_SETTINGCHANGE, 0, 0, SMTO_ABORTIFHUNG | SMTO_NORMAL, 200, nullptr);
}
