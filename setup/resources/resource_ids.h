// Resource numbers of setup.exe. Included by the resource script and by C++.
#ifndef SETUP_RESOURCE_IDS_H
#define SETUP_RESOURCE_IDS_H

// ---- Dialogs and their controls ------------------------------------------------
#define IDD_WELCOME          101  // class "SETUP_BEGIN"
#define IDC_NEXT             1    // IDOK
#define IDC_CANCEL           2    // IDCANCEL
#define IDC_BACK             3    // never enabled
#define IDC_SEPARATOR        1006
#define IDC_PICTURE          1022
#define IDC_WELCOME_LINE     1023
#define IDC_INSTALL_LINE     1024  // "%s" filled with the title once

// ---- Icons and bitmaps ----------------------------------------------------------
#define IDI_SETUP            200  // program icon, 32 x 32, 16 colours
#define IDB_WELCOME_PICTURE  304  // 118 x 234, 16 colours
#define IDB_BACKDROP_PICTURE 307  // dissolved onto the backdrop when present (not shipped)

// ---- Strings --------------------------------------------------------------------
#define IDS_READ_ERROR       21  // SETUP.INF missing
#define IDS_SECTION_MAIN     23  // "Main"
#define IDS_ABORT_QUESTION   29  // "%s" takes the product name
#define IDS_SETUP_PROGRAM    30  // " Setup Program"
#define IDS_KEY_PRODUCT      32  // "ProductName"
#define IDS_SECTION_STARTUP  43  // "Startup"
#define IDS_KEY_TITLE        45  // "Title"
#define IDS_KEY_MIPS         58  // "MIPS"
#define IDS_KEY_SH3          59  // "SH3"
#define IDS_KEY_ARM          60  // "ARM"
#define IDS_NO_APP_MANAGER   61  // Application Manager not registered

#endif
