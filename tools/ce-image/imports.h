// The handset's functions the program calls. The program reaches each
// through a 4-byte slot, symbol __imp_<name>, that the build lays out as
// one array per library in a writable section, each array followed by a
// zero word; the loader stores the function's address in the slot. The
// import directory written here names the library and the function of
// every slot.
#ifndef CE_IMAGE_IMPORTS_H
#define CE_IMAGE_IMPORTS_H

#include <string>
#include <vector>

#include "call_list.h"
#include "elf_file.h"

namespace ceimage {

struct ImportedLibrary {
    std::string file;                // e.g. coredll.dll
    uint32_t slots = 0;              // address of the first slot
    std::vector<std::string> names;  // the function of each slot, in address order
};

// Refuses a slot whose function the call list does not offer under a
// library with a file, and slots of one library that are not one array
// ending in a zero word.
std::vector<ImportedLibrary> findImports(const ElfFile& elf, const std::vector<CallLibrary>& calls);

struct ImportSection {
    Bytes bytes;
    uint32_t descriptorsSize = 0;
    // For each library, for each slot: the RVA of its hint/name entry,
    // which the lookup table holds and the slot starts out with.
    std::vector<std::vector<uint32_t>> hintNames;
};

// The descriptors, lookup tables, hint/name entries and library names, for
// a section placed at `rva`; the descriptors' first thunks are the slot
// arrays (their address less `imageBase`).
ImportSection buildImportSection(const std::vector<ImportedLibrary>& libraries, uint32_t rva, uint32_t imageBase);

}  // namespace ceimage

#endif
