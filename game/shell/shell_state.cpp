#include "shell_state.h"

#include <cstring>

const wchar_t MAIN_CLASS_NAME[] = L"KubrelSE for Smartphone 2002";
const wchar_t MAIN_TITLE[] = L"KubrelSE";
const wchar_t COMPANY_NAME[] = L"Nolvo Systems Inc.";

ShellState shell;

void resetShellState() { std::memset(&shell, 0, sizeof shell); }
