// The launcher's whole run (flow.cpp).
#ifndef KUBRELSE_SETUP_FLOW_H
#define KUBRELSE_SETUP_FLOW_H

#include <windows.h>

// The whole run, from WinMain; its exit code.
int launcherMain(HINSTANCE instance);

#endif
