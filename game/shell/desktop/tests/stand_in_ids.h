// The resources of the tests' stand-in program (stand_in.rc, stand_in.cpp).
#ifndef KUBRELSE_SHELL_DESKTOP_TESTS_STAND_IN_IDS_H
#define KUBRELSE_SHELL_DESKTOP_TESTS_STAND_IN_IDS_H

// Softkey bars (RCDATA) and their menus.
#define STAND_IN_BAR            100  // "Start" and the "Menu" drop-down
#define STAND_IN_DIALOG_BAR     101  // "Continue"
#define STAND_IN_NO_KEYS        102  // malformed: no button
#define STAND_IN_THREE_KEYS     103  // malformed: more than a bar holds
#define STAND_IN_CUT_SHORT      104  // malformed: two buttons, one written
#define STAND_IN_NO_LABEL       105  // a button whose label is no string

// Dialogs.
#define STAND_IN_PICTURE        110  // no controls: its procedure paints it whole
#define STAND_IN_CONTROLS       111  // two texts and an icon
#define STAND_IN_ICON           112  // the icon control

// Labels.
#define STAND_IN_LABEL_START    120
#define STAND_IN_LABEL_MENU     121
#define STAND_IN_LABEL_CONTINUE 122

// Commands.
#define STAND_IN_START          40001
#define STAND_IN_MENU           40002
#define STAND_IN_ONE            40011
#define STAND_IN_TWO            40012
#define STAND_IN_CONTINUE       40020

#endif
