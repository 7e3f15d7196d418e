#include "pe_image.h"

#include <algorithm>

#include "imports.h"

namespace ceimage {

namespace {

enum : uint32_t {
    CNT_CODE = 0x20,
    CNT_INITIALIZED_DATA = 0x40,
    CNT_UNINITIALIZED_DATA = 0x80,
    MEM_DISCARDABLE = 0x02000000,
    MEM_EXECUTE = 0x20000000,
    MEM_READ = 0x40000000,
    MEM_WRITE = 0x80000000,
};

enum { DIR_IMPORT = 1, DIR_RESOURCE = 2, DIR_BASERELOC = 5, DIR_IAT = 12 };

struct PeSection {
    std::string name;
    uint32_t rva = 0;
    uint32_t virtualSize = 0;
    uint32_t characteristics = 0;
    Bytes raw;
    bool fromData = false;  // an ELF data section, which a following .bss may join
};

struct Directory {
    uint32_t rva = 0;
    uint32_t size = 0;
};

std::string sectionName(const std::vector<PeSection>& sections, const std::string& usual, const std::string& elfName)
{
    bool taken = std::any_of(sections.begin(), sections.end(), [&](const PeSection& s) { return s.name == usual; });
    return taken ? elfName.substr(0, 8) : usual;
}

// The ELF's allocated sections in address order as image sections; a bss
// right after a data section becomes the rest of that section's virtual size.
std::vector<PeSection> mapSections(const ElfFile& elf)
{
    std::vector<const ElfSection*> allocated;
    for (const ElfSection& s : elf.sections) {
        if (s.allocated() && s.size > 0)
            allocated.push_back(&s);
    }
    std::sort(allocated.begin(), allocated.end(), [](auto a, auto b) { return a->addr < b->addr; });
    if (allocated.empty() || allocated.front()->addr != IMAGE_BASE + SECTION_ALIGNMENT)
        throw Error("the first section must start at " + hex(IMAGE_BASE + SECTION_ALIGNMENT) +
                    ", right after the headers' page");

    std::vector<PeSection> out;
    for (const ElfSection* s : allocated) {
        const std::string where = "section " + s->name + " at " + hex(s->addr);
        if (s->flags & SHF_TLS)
            throw Error(where + " is thread-local storage, which the handset's loader does not set up");
        if (s->addr % SECTION_ALIGNMENT != 0)
            throw Error(where + " does not start on a 4 KiB page");
        const uint32_t rva = s->addr - IMAGE_BASE;
        if (!out.empty()) {
            PeSection& previous = out.back();
            if (rva < previous.rva + previous.virtualSize)
                throw Error(where + " overlaps section " + previous.name);
            if (!s->hasContents() && previous.fromData) {
                previous.virtualSize = rva + s->size - previous.rva;
                continue;
            }
            // Sections follow one another without a gap of whole pages.
            if (alignUp(previous.rva + previous.virtualSize, SECTION_ALIGNMENT) < rva)
                previous.virtualSize = rva - previous.rva;
        }
        PeSection pe;
        pe.rva = rva;
        pe.virtualSize = s->size;
        if (s->code() && s->hasContents()) {
            pe.name = sectionName(out, ".text", s->name);
            pe.characteristics = CNT_CODE | MEM_EXECUTE | MEM_READ;
        } else if (!s->hasContents()) {
            pe.name = sectionName(out, ".bss", s->name);
            pe.characteristics = CNT_UNINITIALIZED_DATA | MEM_READ | MEM_WRITE;
        } else if (s->flags & SHF_WRITE) {
            pe.name = sectionName(out, ".data", s->name);
            pe.characteristics = CNT_INITIALIZED_DATA | MEM_READ | MEM_WRITE;
            pe.fromData = true;
        } else {
            pe.name = sectionName(out, ".rdata", s->name);
            pe.characteristics = CNT_INITIALIZED_DATA | MEM_READ;
        }
        if (s->hasContents())
            pe.raw = elf.contents(*s);
        out.push_back(pe);
    }
    return out;
}

// The entry point's RVA. ARM code only: the handset's loader enters the
// program in ARM state and the game is built without Thumb code.
uint32_t checkCodeAndFindEntry(const ElfFile& elf, const std::string& entry)
{
    for (const ElfSymbol& sym : elf.symbols) {
        if (!sym.inSection() || sym.section >= elf.sections.size() || !elf.sections[sym.section].code())
            continue;
        bool thumbMapping = sym.name == "$t" || sym.name.compare(0, 3, "$t.") == 0;
        if (thumbMapping || ((sym.info & 0xF) == STT_FUNC && (sym.value & 1)))
            throw Error("Thumb code in " + elf.sections[sym.section].name + " at " + hex(sym.value & ~1u) +
                        (thumbMapping ? "" : " (function " + sym.name + ")") + ": the image must be ARM code only");
    }
    const ElfSymbol* sym = elf.findSymbol(entry);
    if (!sym)
        throw Error("entry symbol " + entry + " is not defined");
    if (sym->value & 1)
        throw Error("entry symbol " + entry + " is Thumb code (address " + hex(sym->value) + ")");
    if (!sym->inSection() || sym->section >= elf.sections.size() || !elf.sections[sym->section].code())
        throw Error("entry symbol " + entry + " is not in a code section");
    return sym->value - IMAGE_BASE;
}

void fillSlot(std::vector<PeSection>& sections, uint32_t rva, uint32_t value)
{
    for (PeSection& s : sections) {
        if (rva >= s.rva && rva + 4 <= s.rva + s.raw.size()) {
            setU32(s.raw, rva - s.rva, value);
            return;
        }
    }
    throw Error("import slot at RVA " + hex(rva) + " is in no section with contents");
}

Directory appendSection(std::vector<PeSection>& sections, const char* name, Bytes raw, uint32_t characteristics)
{
    const PeSection& last = sections.back();
    PeSection s{name,
                alignUp(last.rva + last.virtualSize, SECTION_ALIGNMENT),
                uint32_t(raw.size()),
                characteristics,
                std::move(raw),
                false};
    sections.push_back(std::move(s));
    return {sections.back().rva, sections.back().virtualSize};
}

Bytes writePeFile(const std::vector<PeSection>& sections, const Directory (&directories)[16], uint32_t entry)
{
    const uint32_t peAt = 0x40, optionalAt = peAt + 24, sectionsAt = optionalAt + 224;
    const uint32_t headersSize = alignUp(sectionsAt + 40 * uint32_t(sections.size()), FILE_ALIGNMENT);
    if (headersSize > SECTION_ALIGNMENT)
        throw Error("too many sections for the headers' page");
    Bytes b(headersSize, 0);
    b[0] = 'M';
    b[1] = 'Z';
    setU32(b, 0x3C, peAt);
    b[peAt] = 'P';
    b[peAt + 1] = 'E';
    setU16(b, peAt + 4, 0x01C0);  // ARM
    setU16(b, peAt + 6, uint16_t(sections.size()));
    setU16(b, peAt + 20, 224);
    setU16(b, peAt + 22, 0x010E);  // executable, 32-bit, line numbers and local symbols stripped

    uint32_t sizeOfCode = 0, initialized = 0, uninitialized = 0, baseOfCode = 0, baseOfData = 0;
    for (size_t i = 0; i < sections.size(); ++i) {
        const PeSection& s = sections[i];
        const size_t h = sectionsAt + 40 * i;
        const uint32_t rawSize = alignUp(uint32_t(s.raw.size()), FILE_ALIGNMENT);
        std::copy(s.name.begin(), s.name.end(), b.begin() + h);
        setU32(b, h + 8, s.virtualSize);
        setU32(b, h + 12, s.rva);
        setU32(b, h + 16, rawSize);
        setU32(b, h + 20, s.raw.empty() ? 0 : uint32_t(b.size()));
        setU32(b, h + 36, s.characteristics);
        if (!s.raw.empty()) {
            b.insert(b.end(), s.raw.begin(), s.raw.end());
            b.resize(alignUp(uint32_t(b.size()), FILE_ALIGNMENT));
        }
        if (s.characteristics & CNT_CODE) {
            sizeOfCode += rawSize;
            baseOfCode = baseOfCode ? baseOfCode : s.rva;
        } else {
            baseOfData = baseOfData ? baseOfData : s.rva;
        }
        if (s.characteristics & CNT_INITIALIZED_DATA)
            initialized += rawSize;
        if (s.characteristics & CNT_UNINITIALIZED_DATA)
            uninitialized += alignUp(s.virtualSize, FILE_ALIGNMENT);
    }

    const uint32_t o = optionalAt;
    setU16(b, o, 0x10B);  // PE32
    setU32(b, o + 4, sizeOfCode);
    setU32(b, o + 8, initialized);
    setU32(b, o + 12, uninitialized);
    setU32(b, o + 16, entry);
    setU32(b, o + 20, baseOfCode);
    setU32(b, o + 24, baseOfData);
    setU32(b, o + 28, IMAGE_BASE);
    setU32(b, o + 32, SECTION_ALIGNMENT);
    setU32(b, o + 36, FILE_ALIGNMENT);
    setU16(b, o + 40, 3);  // operating system 3.0
    setU16(b, o + 48, 3);  // subsystem 3.0: the handset's loader refuses later versions
    setU32(b, o + 56, alignUp(sections.back().rva + sections.back().virtualSize, SECTION_ALIGNMENT));
    setU32(b, o + 60, headersSize);
    setU16(b, o + 68, 9);        // Windows CE GUI
    setU32(b, o + 72, 0x10000);  // stack reserve and commit
    setU32(b, o + 76, 0x1000);
    setU32(b, o + 80, 0x100000);  // heap reserve and commit
    setU32(b, o + 84, 0x1000);
    setU32(b, o + 92, 16);
    for (int i = 0; i < 16; ++i) {
        setU32(b, o + 96 + 8 * i, directories[i].rva);
        setU32(b, o + 100 + 8 * i, directories[i].size);
    }
    return b;
}

}  // namespace

std::vector<uint32_t> findBaseRelocations(const ElfFile& elf)
{
    std::vector<uint32_t> rvas;
    for (const ElfRelocation& r : elf.relocations) {
        const ElfSection& target = elf.sections[r.target];
        if (!target.allocated())
            continue;
        const std::string where =
            " in " + target.name + " at offset " + hex(r.offset - target.addr) + " (address " + hex(r.offset) + ")";
        switch (r.type) {
        case R_ARM_ABS32:
        case R_ARM_TARGET1:
            if (r.offset < target.addr || r.offset - target.addr + 4 > target.size || !target.hasContents())
                throw Error("absolute relocation" + where + " lies outside its section's contents");
            // A word that holds an absolute value (or an undefined weak
            // symbol's zero) stays as it is wherever the image goes.
            if (r.symbol != 0 && elf.symbols[r.symbol].inSection())
                rvas.push_back(r.offset - IMAGE_BASE);
            break;
        case R_ARM_NONE:
        case R_ARM_PC24:
        case R_ARM_REL32:
        case R_ARM_CALL:
        case R_ARM_JUMP24:
        case R_ARM_V4BX:
        case R_ARM_PREL31:
            break;  // position-independent: nothing to adjust
        default:
            throw Error("relocation kind " + std::to_string(r.type) + where +
                        " cannot be expressed as a base relocation; the handset's loader adjusts only whole 32-bit "
                        "addresses (R_ARM_ABS32)");
        }
    }
    std::sort(rvas.begin(), rvas.end());
    rvas.erase(std::unique(rvas.begin(), rvas.end()), rvas.end());
    return rvas;
}

Bytes buildRelocSection(std::vector<uint32_t> rvas)
{
    std::sort(rvas.begin(), rvas.end());
    Bytes b;
    for (size_t i = 0; i < rvas.size();) {
        const uint32_t page = rvas[i] & ~0xFFFu;
        const size_t block = b.size();
        appendU32(b, page);
        appendU32(b, 0);
        for (; i < rvas.size() && (rvas[i] & ~0xFFFu) == page; ++i)
            appendU16(b, uint16_t(0x3000 | (rvas[i] & 0xFFF)));  // IMAGE_REL_BASED_HIGHLOW
        if (b.size() % 4)
            appendU16(b, 0);  // IMAGE_REL_BASED_ABSOLUTE: padding
        setU32(b, block + 4, uint32_t(b.size() - block));
    }
    return b;
}

Bytes buildImage(const ElfFile& elf, const std::vector<CallLibrary>& calls, const std::vector<Resource>& resources,
                 const std::string& entry)
{
    const uint32_t entryRva = checkCodeAndFindEntry(elf, entry);
    std::vector<PeSection> sections = mapSections(elf);
    const std::vector<uint32_t> relocations = findBaseRelocations(elf);
    const std::vector<ImportedLibrary> libraries = findImports(elf, calls);
    Directory directories[16] = {};

    if (!libraries.empty()) {
        const PeSection& last = sections.back();
        const uint32_t rva = alignUp(last.rva + last.virtualSize, SECTION_ALIGNMENT);
        ImportSection imports = buildImportSection(libraries, rva, IMAGE_BASE);
        uint32_t first = UINT32_MAX, end = 0;
        for (size_t i = 0; i < libraries.size(); ++i) {
            const uint32_t slots = libraries[i].slots - IMAGE_BASE;
            for (size_t slot = 0; slot < imports.hintNames[i].size(); ++slot)
                fillSlot(sections, slots + 4 * uint32_t(slot), imports.hintNames[i][slot]);
            first = std::min(first, slots);
            end = std::max(end, slots + 4 * uint32_t(imports.hintNames[i].size() + 1));
        }
        directories[DIR_IMPORT] = appendSection(sections, ".idata", imports.bytes, CNT_INITIALIZED_DATA | MEM_READ);
        directories[DIR_IMPORT].size = imports.descriptorsSize;
        directories[DIR_IAT] = {first, end - first};
    }
    if (!resources.empty()) {
        const PeSection& last = sections.back();
        const uint32_t rva = alignUp(last.rva + last.virtualSize, SECTION_ALIGNMENT);
        directories[DIR_RESOURCE] =
            appendSection(sections, ".rsrc", buildResourceSection(resources, rva), CNT_INITIALIZED_DATA | MEM_READ);
    }
    if (!relocations.empty()) {
        directories[DIR_BASERELOC] = appendSection(
            sections, ".reloc", buildRelocSection(relocations), CNT_INITIALIZED_DATA | MEM_DISCARDABLE | MEM_READ);
    }
    return writePeFile(sections, directories, entryRva);
}

}  // namespace ceimage
