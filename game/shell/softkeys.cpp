#include "softkeys.h"

#include "handset_shell.h"
#include "shell_state.h"

HWND createSoftkeyBar(HWND window, UINT barId)
{
    SHMENUBARINFO bar = {};
    bar.cbSize = sizeof bar;
    bar.hwndParent = window;
    bar.nToolBarId = barId;
    bar.hInstRes = shell.instance;
    return SHCreateMenuBar(&bar) ? bar.hwndMB : nullptr;
}
