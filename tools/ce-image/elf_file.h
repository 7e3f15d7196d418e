// The parts of a statically linked 32-bit little-endian ARM executable that
// ce-image needs: its sections, its symbols and the relocations that
// `ld --emit-relocs` kept, each with the index of the section it patches.
#ifndef CE_IMAGE_ELF_FILE_H
#define CE_IMAGE_ELF_FILE_H

#include <string>
#include <vector>

#include "common.h"

namespace ceimage {

enum : uint32_t {
    SHT_PROGBITS = 1,
    SHT_SYMTAB = 2,
    SHT_RELA = 4,
    SHT_NOBITS = 8,
    SHT_REL = 9,
    SHF_WRITE = 1,
    SHF_ALLOC = 2,
    SHF_EXECINSTR = 4,
    SHF_TLS = 0x400,
    SHN_UNDEF = 0,
    SHN_LORESERVE = 0xFF00,
    STT_FUNC = 2,
    R_ARM_NONE = 0,
    R_ARM_PC24 = 1,
    R_ARM_ABS32 = 2,
    R_ARM_REL32 = 3,
    R_ARM_CALL = 28,
    R_ARM_JUMP24 = 29,
    R_ARM_TARGET1 = 38,
    R_ARM_V4BX = 40,
    R_ARM_PREL31 = 42,
};

struct ElfSection {
    std::string name;
    uint32_t type = 0;
    uint32_t flags = 0;
    uint32_t addr = 0;
    uint32_t offset = 0;
    uint32_t size = 0;
    uint32_t link = 0;
    uint32_t info = 0;

    bool allocated() const { return (flags & SHF_ALLOC) != 0; }
    bool code() const { return (flags & SHF_EXECINSTR) != 0; }
    bool hasContents() const { return type != SHT_NOBITS; }
};

struct ElfSymbol {
    std::string name;
    uint32_t value = 0;
    uint8_t info = 0;
    uint16_t section = 0;  // st_shndx

    // Defined in one of the file's sections, not absolute, common or undefined.
    bool inSection() const { return section != SHN_UNDEF && section < SHN_LORESERVE; }
};

struct ElfRelocation {
    uint32_t target = 0;  // index of the section patched
    uint32_t offset = 0;  // the patched word's address (an executable's r_offset)
    uint32_t type = 0;
    uint32_t symbol = 0;  // index into symbols
};

struct ElfFile {
    Bytes bytes;
    uint32_t flags = 0;
    std::vector<ElfSection> sections;
    std::vector<ElfSymbol> symbols;
    std::vector<ElfRelocation> relocations;

    // The file's bytes of a section that has contents.
    Bytes contents(const ElfSection& s) const;
    const ElfSymbol* findSymbol(const std::string& name) const;
};

// Refuses anything that is not a 32-bit little-endian ARM executable, and
// tables that point outside the file.
ElfFile readElf(Bytes bytes);

}  // namespace ceimage

#endif
