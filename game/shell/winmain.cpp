#include <windows.h>

#include "lifecycle.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR /*commandLine*/, int showCommand)
{
    return runGame(instance, previous, showCommand);
}
