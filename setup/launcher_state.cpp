// The launcher's process-wide state.
#include "launcher_state.h"

LauncherState launcher;
