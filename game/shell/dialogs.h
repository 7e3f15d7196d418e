// The high-score board, the about box and the quit question.
#ifndef KUBRELSE_SHELL_DIALOGS_H
#define KUBRELSE_SHELL_DIALOGS_H

#include <windows.h>

INT_PTR CALLBACK HiScoreDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK AboutDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Runs dialog template id modally with no owner; returns when it has closed
// (at once when the template is missing).
void runDialog(UINT templateId, DLGPROC procedure);

// Asks whether to quit; on Yes closes the window.
void confirmQuit(HWND window);

#endif
