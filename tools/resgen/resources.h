// What each program's art gives the generator: the files its .rc script
// includes, as bytes, and its pictures for the contact sheet.
#ifndef RESGEN_RESOURCES_H
#define RESGEN_RESOURCES_H

#include <string>
#include <vector>

#include "file_formats.h"

struct OutputFile {
    std::string name;
    Bytes bytes;
};

// A picture of the contact sheet, with the label shown above it.
struct SheetEntry {
    std::string label;
    Image image;
};

// Every file setup.rc includes: the program icon and the welcome picture.
bool buildSetupFiles(std::vector<OutputFile>& files, std::string& error);

// The file the launcher's tests add to their own resources: the stand-in
// for the backdrop's picture.
bool buildSetupTestFiles(std::vector<OutputFile>& files, std::string& error);

// Every file game.rc includes: bitmaps, the icon, sounds, piece masks.
bool buildGameFiles(std::vector<OutputFile>& files, std::string& error);

// Each program's pictures for the contact sheet, labelled with their
// resource numbers, and whole frames composed the way the game paints them.
std::vector<SheetEntry> gameSheetPictures();
std::vector<SheetEntry> gameSheetScreens();
std::vector<SheetEntry> setupSheetPictures();

// The review sheet of every picture, magnified and labelled, then the
// composed frames. False when a picture does not fit its file format.
bool buildContactSheet(Image& sheet, std::string& error);

#endif
