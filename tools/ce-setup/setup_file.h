// The setup descriptor of a CE cabinet: the file with the extension .000
// that tells the handset's installer what the cabinet installs, where, and
// which shortcuts it makes. Written from a short description (see
// parseDescription) and read back field by field.
//
// The layout, little-endian throughout: a 100-byte header ("MSCE", the
// file's length, the processor, the range of CE versions, the count and
// offset of each section, the offsets and lengths of three strings); the
// application's name, the provider's name and the list of unsupported
// platforms as ASCII strings with their terminators; then the sections:
// STRINGS (id, length, text), DIRS (id, length, string ids ending in 0),
// FILES (id, folder id, id again, flags, length, name), REGHIVES and
// REGKEYS (none here), LINKS (id, 0, %CEn% folder, file id, 1 for a file,
// length, string ids ending in 0). Every length and the three strings'
// offsets are 16-bit.
#ifndef CE_SETUP_SETUP_FILE_H
#define CE_SETUP_SETUP_FILE_H

#include <string>
#include <vector>

#include "common.h"

namespace cesetup {

using ceimage::Bytes;
using ceimage::Error;

// The flags of every installed file: the installer may not skip it, and it
// replaces a file of the same name whatever their dates.
const uint32_t FILE_FLAGS = 0x40000002;

struct SetupFile {
    std::string descriptorName;  // the descriptor's name in the cabinet: NAME.000
    std::string application, provider;
    uint32_t processor = 0;
    uint32_t lowestMajor = 0, lowestMinor = 0;
    uint32_t highestMajor = 0, highestMinor = 0;  // 0.0: any later version
    std::string folder;                           // where the files go: %CEn% and names below it
    struct File {
        std::string cabinetName;  // NAME.NNN: NNN is the file's number
        std::string installedName;
    };
    std::vector<File> files;
    struct Shortcut {
        unsigned ceFolder;   // n of %CEn%
        std::string target;  // a file's installed name
        std::string name;
    };
    std::vector<Shortcut> shortcuts;
};

// Lines "key value"; "#" starts a comment line. Keys: descriptor NAME.000,
// application, provider, processor N, versions "M.N and later" or
// "M.N to M.N", folder %CEn%\name..., file NAME.NNN installed-name (one or
// more), shortcut %CEn% installed-name shortcut-name (any number). Refuses,
// naming the line, what the installer could not be given.
SetupFile parseDescription(const std::string& text);

// Refuses a string or a section too long for the format's 16-bit fields.
Bytes writeSetupFile(const SetupFile& setup);

// The descriptor field by field, one a line, as the installer reads it.
std::string readSetupFile(const Bytes& bytes);

}  // namespace cesetup

#endif
