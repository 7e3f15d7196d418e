// Resource numbers of kubrelse.exe. Several are computed from game values
// (400 + type, 407 + cell value, 416 + digit, 599 + tile, 10014 + place), so
// the numbering is fixed; the static_asserts pin the computed ranges.
// Included by the resource script as well as by C++, so plain #defines only
// in the first part.
#ifndef KUBRELSE_RESOURCE_IDS_H
#define KUBRELSE_RESOURCE_IDS_H

// ---- Bitmaps (8 bpp, own palette) ------------------------------------------
#define IDB_BACKGROUND      400  // 176 x 180 frame: well, SCORE, LEVEL, NEXT
#define IDB_PREVIEW_BASE    400  // + piece type 1..7 -> 401..407
#define IDB_CELL_BASE       407  // + cell value 1..7 -> 408..414
#define IDB_GAME_OVER       415  // 85 x 22 banner
#define IDB_DIGIT_BASE      416  // + digit 0..9 -> 416..425, 9 x 12
#define IDB_INSTRUCTIONS    426  // 119 x 167, before the first game
#define IDB_PAUSED          428  // 85 x 22 banner
#define IDB_HISCORE_BOARD   429  // 119 x 167, the high-score board

// ---- Icons --------------------------------------------------------------------
#define IDI_GAME            300  // icon group, language 1028

// ---- Sounds (type "SOUND": whole RIFF WAVE images) -----------------------------
#define IDR_SOUND_LANDED    500  // GSM 6.10, played waiting
#define IDR_SOUND_TURNED    501  // GSM 6.10
#define IDR_SOUND_ROWS      502  // GSM 6.10
#define IDR_SOUND_GAME_OVER 503  // 8-bit PCM 11025 Hz

// ---- Piece masks (type "TILE", 16 bytes each) -----------------------------------
#define IDT_TILE_BASE       599  // + tile 1..20 -> 600..619

// ---- Softkey menu bars (RCDATA words) and menus ---------------------------------
#define IDM_MAIN_BAR        100  // menu bar and menu of the main window
#define IDM_DIALOG_BAR      101  // menu bar and menu of the two dialogs

// ---- Dialogs --------------------------------------------------------------------
#define IDD_HISCORE         106
#define IDD_ABOUT           700

// ---- Commands -------------------------------------------------------------------
#define CMD_START           201
#define CMD_MENU            202
#define CMD_ABOUT           203
#define CMD_QUIT            204
#define CMD_CONTINUE        205
#define CMD_SOUND_ON        40018
#define CMD_SOUND_OFF       40019
#define CMD_PAUSE           40020
#define CMD_HISCORE         40021

// ---- Strings --------------------------------------------------------------------
#define IDS_ABOUT_CAPTION   10003  // "About KubrelSE"
#define IDS_RESTART         10005  // "Restart"
#define IDS_MAIN_SECTION    10008  // "MainSection"
#define IDS_QUIT_CAPTION    10012  // "KubrelSE"
#define IDS_QUIT_QUESTION   10013  // "Do you want to quit this game ?"
#define IDS_HISCORE_BASE    10014  // + place 0..4 -> "HiScore1".."HiScore5"
#define IDS_LABEL_START     40010  // "Start"
#define IDS_LABEL_MENU      40011  // "Menu"
#define IDS_LABEL_CONTINUE  40012  // "Continue"

#ifdef __cplusplus
static_assert(IDB_PREVIEW_BASE + 1 == 401 && IDB_PREVIEW_BASE + 7 == 407, "previews 401..407");
static_assert(IDB_CELL_BASE + 1 == 408 && IDB_CELL_BASE + 7 == 414, "cells 408..414");
static_assert(IDB_DIGIT_BASE + 9 == 425 && IDB_DIGIT_BASE + 9 < IDB_INSTRUCTIONS, "digits 416..425");
static_assert(IDT_TILE_BASE + 1 == 600 && IDT_TILE_BASE + 20 == 619, "tiles 600..619");
static_assert(IDS_HISCORE_BASE + 4 == 10018, "high-score names 10014..10018");
#endif

#endif
