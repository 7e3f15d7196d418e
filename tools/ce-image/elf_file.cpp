#include "elf_file.h"

#include <algorithm>
#include <cstring>

namespace ceimage {

namespace {

const uint16_t ET_EXEC = 2;
const uint16_t EM_ARM = 40;

std::string stringAt(const Bytes& b, const ElfSection& table, uint32_t index)
{
    if (index >= table.size || size_t(table.offset) + table.size > b.size())
        throw Error("ELF string index " + hex(index) + " outside its string table");
    auto start = b.begin() + table.offset + index, end = b.begin() + table.offset + table.size;
    return std::string(start, std::find(start, end, 0));
}

void readSymbols(ElfFile& elf, const ElfSection& symtab)
{
    if (symtab.link >= elf.sections.size())
        throw Error("ELF symbol table names no string table");
    const ElfSection& strings = elf.sections[symtab.link];
    for (uint32_t at = 0; at + 16 <= symtab.size; at += 16) {
        size_t p = size_t(symtab.offset) + at;
        ElfSymbol sym;
        sym.name = stringAt(elf.bytes, strings, getU32(elf.bytes, p, "ELF symbol table"));
        sym.value = getU32(elf.bytes, p + 4, "ELF symbol table");
        sym.info = elf.bytes[p + 12];
        sym.section = getU16(elf.bytes, p + 14, "ELF symbol table");
        elf.symbols.push_back(sym);
    }
}

void readRelocations(ElfFile& elf, const ElfSection& rel)
{
    const uint32_t entrySize = rel.type == SHT_RELA ? 12 : 8;
    if (rel.info >= elf.sections.size())
        throw Error("ELF section " + rel.name + " relocates no section");
    for (uint32_t at = 0; at + entrySize <= rel.size; at += entrySize) {
        size_t p = size_t(rel.offset) + at;
        uint32_t info = getU32(elf.bytes, p + 4, "ELF relocation table");
        ElfRelocation r{rel.info, getU32(elf.bytes, p, "ELF relocation table"), info & 0xFF, info >> 8};
        if (r.symbol >= elf.symbols.size() && r.symbol != 0)
            throw Error("ELF relocation in " + rel.name + " names symbol " + std::to_string(r.symbol) +
                        ", beyond the symbol table");
        elf.relocations.push_back(r);
    }
}

}  // namespace

Bytes ElfFile::contents(const ElfSection& s) const
{
    if (!s.hasContents())
        return Bytes(s.size, 0);
    return Bytes(bytes.begin() + s.offset, bytes.begin() + s.offset + s.size);
}

const ElfSymbol* ElfFile::findSymbol(const std::string& name) const
{
    for (const ElfSymbol& sym : symbols) {
        if (sym.name == name && sym.section != SHN_UNDEF)
            return &sym;
    }
    return nullptr;
}

ElfFile readElf(Bytes bytes)
{
    ElfFile elf;
    elf.bytes = std::move(bytes);
    const Bytes& b = elf.bytes;
    if (b.size() < 52 || std::memcmp(b.data(),
                                     "\x7F"
                                     "ELF",
                                     4) != 0)
        throw Error("not an ELF file");
    if (b[4] != 1 || b[5] != 1)
        throw Error("not a 32-bit little-endian ELF file (class " + std::to_string(b[4]) + ", data " +
                    std::to_string(b[5]) + ")");
    if (getU16(b, 18) != EM_ARM)
        throw Error("ELF machine is " + std::to_string(getU16(b, 18)) + ", not ARM (40)");
    if (getU16(b, 16) != ET_EXEC)
        throw Error("ELF type is " + std::to_string(getU16(b, 16)) + ", not a linked executable (ET_EXEC)");
    elf.flags = getU32(b, 36);
    const uint32_t shoff = getU32(b, 32), shentsize = getU16(b, 46), shnum = getU16(b, 48), shstrndx = getU16(b, 50);
    if (shnum == 0 || shentsize < 40 || shstrndx >= shnum)
        throw Error("ELF file has no usable section headers");

    std::vector<uint32_t> nameIndex;
    for (uint32_t i = 0; i < shnum; ++i) {
        size_t p = size_t(shoff) + size_t(i) * shentsize;
        ElfSection s;
        nameIndex.push_back(getU32(b, p, "ELF section headers"));
        s.type = getU32(b, p + 4, "ELF section headers");
        s.flags = getU32(b, p + 8);
        s.addr = getU32(b, p + 12);
        s.offset = getU32(b, p + 16);
        s.size = getU32(b, p + 20);
        s.link = getU32(b, p + 24);
        s.info = getU32(b, p + 28);
        if (s.hasContents() && s.type != 0 && (s.offset > b.size() || b.size() - s.offset < s.size))
            throw Error("ELF section " + std::to_string(i) + " lies outside the file");
        elf.sections.push_back(s);
    }
    for (uint32_t i = 0; i < shnum; ++i)
        elf.sections[i].name = stringAt(b, elf.sections[shstrndx], nameIndex[i]);

    for (const ElfSection& s : elf.sections) {
        if (s.type == SHT_SYMTAB)
            readSymbols(elf, s);
    }
    for (const ElfSection& s : elf.sections) {
        if (s.type == SHT_REL || s.type == SHT_RELA)
            readRelocations(elf, s);
    }
    return elf;
}

}  // namespace ceimage
