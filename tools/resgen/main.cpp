// resgen: writes the files the programs' resource scripts include, or the
// contact sheet for reviewing the pictures.
//
//   resgen game  DIR         bitmaps, icon, sounds and piece masks of kubrelse
//   resgen setup DIR         icon and picture of setup
//   resgen setup-tests DIR   the picture setup's tests put in the backdrop's place
//   resgen sheet FILE        every picture at 3x, labelled, as a PNG
#include <cstdio>
#include <cstring>
#include <string>

#include "resources.h"

static int usage()
{
    std::fprintf(stderr, "usage: resgen game|setup|setup-tests DIR | resgen sheet FILE.png\n");
    return 2;
}

static int writeAll(const std::vector<OutputFile>& files, const std::string& dir)
{
    for (const OutputFile& f : files)
        if (!writeFile(dir + "/" + f.name, f.bytes))
            return 1;
    return 0;
}

int main(int argc, char** argv)
{
    if (argc != 3)
        return usage();
    std::string error;
    std::vector<OutputFile> files;
    bool ok;
    if (std::strcmp(argv[1], "game") == 0) {
        ok = buildGameFiles(files, error);
    } else if (std::strcmp(argv[1], "setup") == 0) {
        ok = buildSetupFiles(files, error);
    } else if (std::strcmp(argv[1], "setup-tests") == 0) {
        ok = buildSetupTestFiles(files, error);
    } else if (std::strcmp(argv[1], "sheet") == 0) {
        Image sheet;
        if (!buildContactSheet(sheet, error)) {
            std::fprintf(stderr, "resgen: %s\n", error.c_str());
            return 1;
        }
        return writeFile(argv[2], pngFile(sheet)) ? 0 : 1;
    } else {
        return usage();
    }
    if (!ok) {
        std::fprintf(stderr, "resgen: %s\n", error.c_str());
        return 1;
    }
    return writeAll(files, argv[2]);
}
