// The generator's outputs, each as the bytes of one file an .rc script
// includes.
#ifndef RESGEN_RESOURCES_H
#define RESGEN_RESOURCES_H

#include <string>
#include <vector>

#include "file_formats.h"

struct OutputFile {
    std::string name;
    Bytes bytes;
};

// Every file setup.rc includes: the program icon and the welcome picture.
bool buildSetupFiles(std::vector<OutputFile>& files, std::string& error);

// Every file game.rc includes: bitmaps, the icon, sounds, piece masks.
bool buildGameFiles(std::vector<OutputFile>& files, std::string& error);

// The review sheet of every picture, magnified, with its resource number.
bool buildContactSheet(Image& sheet, std::string& error);

#endif
