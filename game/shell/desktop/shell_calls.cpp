// The handset shell library's two calls, as the layer makes them: each
// window is handed to the host table, which stands in front of it, and then
// to the softkey bar, the full-screen dialog or the desktop window.
#include "layer.h"

BOOL WINAPI SHCreateMenuBar(SHMENUBARINFO* info)
{
    if (!info || !info->hwndParent || !IsWindow(info->hwndParent))
        return FALSE;
    info->hwndMB = nullptr;
    HWND parent = info->hwndParent;
    SoftkeyBar data = {};
    if (!loadSoftkeys(info->hInstRes, info->nToolBarId, &data))
        return FALSE;
    Host* host = subclassHost(parent);
    if (!host)
        return FALSE;
    if (host->softkeys.bar)
        DestroyWindow(host->softkeys.bar);  // one bar to a window
    data.parent = parent;
    data.instance = info->hInstRes;
    host->softkeys = data;

    // The first window that is not a dialog is the frame window; a dialog
    // with a bar that does not cover the frame shows its client area at
    // the zoom.
    if (!isDialog(parent) && !frameWindow()) {
        becomeDesktopWindow(parent);
    } else if (parent != frameWindow() && !host->fullScreen) {
        const SIZE size = windowSizeAt(parent, desktopZoom());
        SetWindowPos(parent, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (!createBar(&host->softkeys))
        return FALSE;
    placeBar(parent, host->softkeys.bar);
    info->hwndMB = host->softkeys.bar;
    return TRUE;
}

BOOL WINAPI SHInitDialog(SHINITDLGINFO* info)
{
    if (!info || !info->hDlg || !IsWindow(info->hDlg))
        return FALSE;
    if (!(info->dwMask & SHIDIM_FLAGS) || !(info->dwFlags & SHIDIF_SIZEDLGFULLSCREEN))
        return TRUE;
    Host* host = subclassHost(info->hDlg);
    if (!host)
        return FALSE;
    makeFullScreen(host);
    return TRUE;
}
