// The handset's program image: a PE32 image for Windows CE on ARM made
// from the linked ELF executable. Every ELF section keeps its address (the
// ELF is linked for base 0x10000 with its first section at 0x11000, so an
// RVA is the address less 0x10000); the import directory, the resources and
// the base relocations follow as sections of their own.
#ifndef CE_IMAGE_PE_IMAGE_H
#define CE_IMAGE_PE_IMAGE_H

#include <string>
#include <vector>

#include "call_list.h"
#include "elf_file.h"
#include "resources.h"

namespace ceimage {

const uint32_t IMAGE_BASE = 0x10000;
const uint32_t SECTION_ALIGNMENT = 0x1000;
const uint32_t FILE_ALIGNMENT = 0x200;

// The RVAs of the words the loader must adjust if it moves the image: the
// targets of every 32-bit absolute relocation in an allocated section.
// Refuses relocation kinds the handset's loader has no counterpart for.
std::vector<uint32_t> findBaseRelocations(const ElfFile& elf);

// The .reloc section: a block per 4 KiB page of HIGHLOW entries, each
// block padded to 4 bytes.
Bytes buildRelocSection(std::vector<uint32_t> rvas);

// The whole image file. `resources` empty: no .rsrc section.
Bytes buildImage(const ElfFile& elf, const std::vector<CallLibrary>& calls, const std::vector<Resource>& resources,
                 const std::string& entry);

}  // namespace ceimage

#endif
