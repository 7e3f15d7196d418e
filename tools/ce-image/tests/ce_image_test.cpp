// ce-image's checks: small ELF executables written here byte by byte, turned
// into images and read back with a reader of this file's own, every
// expected value stated here from the layout the ELF was given.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <algorithm>
#include <fstream>
#include <map>
#include <string>
#include <unistd.h>

#include "call_list.h"
#include "elf_file.h"
#include "pe_image.h"
#include "resources.h"

using namespace ceimage;

namespace {

// A linked ARM executable: sections (index 1 up), symbols (index 1 up) and
// relocations, written as the GNU linker lays them out.
struct ElfWriter {
    struct Section {
        std::string name;
        uint32_t type, flags, addr;
        Bytes data;
        uint32_t size = 0, link = 0, info = 0;
    };
    struct Symbol {
        std::string name;
        uint32_t value;
        uint16_t section;
        uint8_t info;
    };
    std::vector<Section> sections;
    std::vector<Symbol> symbols;
    std::map<uint32_t, Bytes> rels;  // by relocated section
    uint16_t machine = 40;

    uint32_t section(const std::string& name, uint32_t flags, uint32_t addr, Bytes data, uint32_t type = SHT_PROGBITS)
    {
        uint32_t size = uint32_t(data.size());
        sections.push_back({name, type, flags, addr, type == SHT_NOBITS ? Bytes() : std::move(data), size});
        return uint32_t(sections.size());
    }
    uint32_t symbol(const std::string& name, uint32_t value, uint16_t inSection, uint8_t info = 0)
    {
        symbols.push_back({name, value, inSection, info});
        return uint32_t(symbols.size());
    }
    void rel(uint32_t inSection, uint32_t address, uint32_t type, uint32_t sym)
    {
        appendU32(rels[inSection], address);
        appendU32(rels[inSection], sym << 8 | type);
    }

    Bytes build() const
    {
        std::vector<Section> all = sections;
        const uint32_t symtab = uint32_t(1 + all.size() + rels.size());
        for (const auto& [target, data] : rels)
            all.push_back(
                {".rel" + sections[target - 1].name, SHT_REL, 0, 0, data, uint32_t(data.size()), symtab, target});
        Bytes strings(1, 0), table(16, 0);
        for (const Symbol& s : symbols) {
            appendU32(table, uint32_t(strings.size()));
            strings.insert(strings.end(), s.name.begin(), s.name.end() + 1);
            appendU32(table, s.value);
            appendU32(table, 0);
            table.push_back(s.info);
            table.push_back(0);
            appendU16(table, s.section);
        }
        all.push_back({".symtab", SHT_SYMTAB, 0, 0, table, uint32_t(table.size()), symtab + 1});
        all.push_back({".strtab", 3, 0, 0, strings, uint32_t(strings.size())});
        all.push_back({".shstrtab", 3, 0, 0, {}});
        Bytes names(1, 0);
        std::vector<uint32_t> nameAt;
        for (const Section& s : all) {
            nameAt.push_back(uint32_t(names.size()));
            names.insert(names.end(), s.name.begin(), s.name.end() + 1);
        }
        all.back().data = names;
        all.back().size = uint32_t(names.size());

        Bytes out(52, 0), headers(40, 0);
        for (size_t i = 0; i < all.size(); ++i) {
            out.resize(alignUp(uint32_t(out.size()), 4));
            for (uint32_t v : {nameAt[i],
                               all[i].type,
                               all[i].flags,
                               all[i].addr,
                               uint32_t(out.size()),
                               all[i].size,
                               all[i].link,
                               all[i].info,
                               4u,
                               0u})
                appendU32(headers, v);
            out.insert(out.end(), all[i].data.begin(), all[i].data.end());
        }
        out[0] = 0x7F, out[1] = 'E', out[2] = 'L', out[3] = 'F', out[4] = 1, out[5] = 1, out[6] = 1;
        setU16(out, 16, 2);  // ET_EXEC
        setU16(out, 18, machine);
        setU32(out, 24, 0x11000);
        setU32(out, 32, uint32_t(out.size()));
        setU16(out, 40, 52);
        setU16(out, 46, 40);
        setU16(out, 48, uint16_t(all.size() + 1));
        setU16(out, 50, uint16_t(all.size()));
        out.insert(out.end(), headers.begin(), headers.end());
        return out;
    }
};

Bytes words(std::initializer_list<uint32_t> values)
{
    Bytes b;
    for (uint32_t v : values)
        appendU32(b, v);
    return b;
}

const char* const CALLS =
    "# the handset's libraries\n"
    "[core coredll.dll]\nMessageBoxW\nGetTickCount\n\n"
    "[shell aygshell.dll]\nSHFullScreen   full screen without the task bar\n"
    "[desktop]\ntimeBeginPeriod\n";
const uint32_t CODE = SHF_ALLOC | SHF_EXECINSTR, DATA = SHF_ALLOC | SHF_WRITE;
const uint32_t R_ARM_MOVW_ABS_NC = 43;

// Code at 0x11000 whose literal at 0x1100C holds the address of
// MessageBoxW's slot; data at 0x12000: a word, coredll's two slots and
// their zero word at 0x12004, aygshell's slot and zero word at 0x12010;
// 0x100 bytes of bss at 0x13000.
struct GoodElf : ElfWriter {
    uint32_t text, data, winMain, messageBox;
    GoodElf()
    {
        text = section(".text", CODE, 0x11000, words({0xE59FC004, 0xEBFFFFFE, 0xE59CF000, 0x12004}));
        data = section(".data", DATA, 0x12000, words({0x12345678, 0, 0, 0, 0, 0}));
        section(".bss", DATA, 0x13000, Bytes(0x100), SHT_NOBITS);
        section(".comment", 0, 0, words({1, 2}));
        symbol("$a", 0x11000, uint16_t(text));
        winMain = symbol("WinMain", 0x11000, uint16_t(text), STT_FUNC);
        messageBox = symbol("__imp_MessageBoxW", 0x12004, uint16_t(data));
        symbol("__imp_GetTickCount", 0x12008, uint16_t(data));
        symbol("__imp_SHFullScreen", 0x12010, uint16_t(data));
        rel(text, 0x1100C, R_ARM_ABS32, messageBox);
        rel(text, 0x11004, R_ARM_CALL, winMain);
    }
};

// The fields of an image, found through its own headers.
struct PeReader {
    Bytes file;
    uint32_t pe, opt;
    std::map<std::string, std::vector<uint32_t>> sections;  // name: VirtualSize, RVA, SizeOfRawData, pointer, flags

    explicit PeReader(Bytes image) : file(std::move(image)), pe(getU32(file, 0x3C)), opt(pe + 24)
    {
        for (uint32_t i = 0, h = opt + getU16(file, pe + 20); i < getU16(file, pe + 6); ++i, h += 40) {
            std::string name(file.begin() + h, std::find(file.begin() + h, file.begin() + h + 8, 0));
            sections[name] = {getU32(file, h + 8),
                              getU32(file, h + 12),
                              getU32(file, h + 16),
                              getU32(file, h + 20),
                              getU32(file, h + 36)};
        }
    }
    size_t offsetOf(uint32_t rva) const
    {
        for (const auto& [name, s] : sections) {
            if (rva >= s[1] && rva < s[1] + s[2])
                return s[3] + rva - s[1];
        }
        throw Error("RVA " + hex(rva) + " is in no section's file data");
    }
    uint32_t u32(uint32_t rva) const { return getU32(file, offsetOf(rva)); }
    uint16_t u16(uint32_t rva) const { return getU16(file, offsetOf(rva)); }
    std::string text(uint32_t rva) const { return reinterpret_cast<const char*>(&file[offsetOf(rva)]); }
    uint32_t directory(int i, int field = 0) const { return getU32(file, opt + 96 + 8 * i + 4 * field); }
};

void expectField(const std::string& field, uint32_t got, uint32_t expected)
{
    SCOPED_TRACE(field);
    EXPECT_EQ(got, expected) << field << ": got " << hex(got) << ", expected " << hex(expected);
}

// The conversion must fail with a message holding each of `phrases`.
void expectRefused(const ElfWriter& elf, std::initializer_list<const char*> phrases, const char* entry = "WinMain")
{
    try {
        buildImage(readElf(elf.build()), parseCallList(CALLS), {}, entry);
        ADD_FAILURE() << "the ELF was converted; expected a refusal naming " << *phrases.begin();
    } catch (const Error& e) {
        SCOPED_TRACE(std::string("got message: ") + e.what());
        for (const char* phrase : phrases)
            EXPECT_NE(std::string(e.what()).find(phrase), std::string::npos) << "expected it to name: " << phrase;
    }
}

class GoodElfImage : public testing::Test {
protected:
    PeReader image{buildImage(readElf(GoodElf().build()), parseCallList(CALLS), {}, "WinMain")};
};

TEST_F(GoodElfImage, HeadersDescribeAnArmWindowsCeGuiProgramAtBase10000)
{
    const uint32_t o = image.opt;
    ASSERT_EQ(image.file[image.pe], 'P');
    expectField("Machine", getU16(image.file, image.pe + 4), 0x1C0);
    expectField("Characteristics", getU16(image.file, image.pe + 22), 0x010E);
    expectField("Magic", getU16(image.file, o), 0x10B);
    expectField("AddressOfEntryPoint", getU32(image.file, o + 16), 0x1000);
    expectField("ImageBase", getU32(image.file, o + 28), 0x10000);
    expectField("SectionAlignment", getU32(image.file, o + 32), 0x1000);
    expectField("FileAlignment", getU32(image.file, o + 36), 0x200);
    expectField("OperatingSystemVersion", getU32(image.file, o + 40), 3);
    expectField("SubsystemVersion", getU32(image.file, o + 48), 3);
    expectField("SizeOfImage", getU32(image.file, o + 56), 0x6000);
    expectField("Subsystem", getU16(image.file, o + 68), 9);
    expectField("StackReserve", getU32(image.file, o + 72), 0x10000);
    expectField("HeapReserve", getU32(image.file, o + 80), 0x100000);
    expectField("NumberOfRvaAndSizes", getU32(image.file, o + 92), 16);
}

TEST_F(GoodElfImage, SectionsKeepTheElfAddressesAndBytesWithBssInData)
{
    ASSERT_EQ(image.sections.size(), 4u) << ".text, .data (with the bss), .idata, .reloc";
    expectField(".text RVA", image.sections[".text"][1], 0x1000);
    expectField(".text flags", image.sections[".text"][4], 0x60000020);
    expectField(".data RVA", image.sections[".data"][1], 0x2000);
    expectField(".data VirtualSize", image.sections[".data"][0], 0x1100);
    expectField(".data flags", image.sections[".data"][4], 0xC0000040);
    expectField(".idata RVA", image.sections[".idata"][1], 0x4000);
    expectField(".reloc RVA", image.sections[".reloc"][1], 0x5000);
    expectField(".reloc flags", image.sections[".reloc"][4], 0x42000040);
    expectField("code's first word", image.u32(0x1000), 0xE59FC004);
    expectField("literal: the slot's address, unchanged", image.u32(0x100C), 0x12004);
    expectField("data's first word", image.u32(0x2000), 0x12345678);
}

TEST_F(GoodElfImage, TheAbsoluteLiteralIsTheOnlyBaseRelocation)
{
    expectField("BASERELOC directory", image.directory(5), 0x5000);
    expectField("BASERELOC size", image.directory(5, 1), 12);
    expectField("block page", image.u32(0x5000), 0x1000);
    expectField("block size", image.u32(0x5004), 12);
    expectField("HIGHLOW entry for 0x100C", image.u16(0x5008), 0x300C);
    expectField("padding entry", image.u16(0x500A), 0);
}

TEST_F(GoodElfImage, ImportsNameEachLibraryAndItsSlotsStartWithTheHintNameRvas)
{
    const uint32_t descriptors = image.directory(1);
    expectField("IMPORT directory", descriptors, 0x4000);
    expectField("IAT directory", image.directory(12), 0x2004);
    expectField("IAT size", image.directory(12, 1), 0x14);
    const std::vector<std::pair<std::string, std::vector<std::string>>> expected{
        {"coredll.dll", {"MessageBoxW", "GetTickCount"}}, {"aygshell.dll", {"SHFullScreen"}}};
    const uint32_t slots[] = {0x2004, 0x2010};
    for (size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(expected[i].first);
        const uint32_t d = descriptors + 20 * uint32_t(i);
        EXPECT_EQ(image.text(image.u32(d + 12)), expected[i].first);
        expectField("FirstThunk", image.u32(d + 16), slots[i]);
        const uint32_t lookup = image.u32(d);
        for (size_t n = 0; n <= expected[i].second.size(); ++n) {
            const uint32_t hintName = image.u32(lookup + 4 * uint32_t(n));
            expectField("slot " + std::to_string(n), image.u32(slots[i] + 4 * uint32_t(n)), hintName);
            if (n < expected[i].second.size())
                EXPECT_EQ(image.text(hintName + 2), expected[i].second[n]);
            else
                EXPECT_EQ(hintName, 0u) << "the lookup table and the slots end with a zero";
        }
    }
    for (int field = 0; field < 5; ++field)
        expectField("closing descriptor", image.u32(descriptors + 40 + 4 * field), 0);
}

TEST(Refusals, RelocationKindsTheLoaderCannotApplyAreNamedWithTheirPlace)
{
    GoodElf elf;
    elf.rel(elf.text, 0x11008, R_ARM_MOVW_ABS_NC, elf.messageBox);
    expectRefused(elf, {"kind 43", ".text", "offset 0x8"});
}

TEST(Refusals, ImportsOutsideTheHandsetsLibrariesAreUnknown)
{
    for (const char* name : {"timeBeginPeriod", "CreateFileW"}) {
        SCOPED_TRACE(name);
        GoodElf elf;
        elf.symbol(std::string("__imp_") + name, 0x12014, uint16_t(elf.data));
        expectRefused(elf, {"unknown import", name});
    }
}

TEST(Refusals, SlotsOfOneLibraryMustBeOneArrayEndingInZero)
{
    GoodElf gap;
    gap.symbols[3].value = 0x1200C;  // GetTickCount's slot one word further on
    expectRefused(gap, {"coredll.dll", "not one array", "GetTickCount"});
    GoodElf unended;
    unended.symbols[4].value = 0x1200C;  // aygshell's slot where coredll's zero word belongs
    expectRefused(unended, {"coredll.dll", "zero word"});
}

TEST(Refusals, ThumbEntryAndThumbCodeAreRefused)
{
    GoodElf entry;
    entry.symbols[1].value = 0x11001;
    expectRefused(entry, {"Thumb", "0x11000"});
    GoodElf mapping;
    mapping.symbol("$t", 0x11008, uint16_t(mapping.text));
    expectRefused(mapping, {"Thumb code in .text at 0x11008"});
    expectRefused(GoodElf(), {"entry symbol Start is not defined"}, "Start");
}

TEST(Refusals, ElfFilesOfAnotherMachineOrLayoutAreRefused)
{
    GoodElf x86;
    x86.machine = 3;
    expectRefused(x86, {"not ARM"});
    GoodElf unaligned;
    unaligned.sections[2].addr = 0x13100;  // the bss off its page
    expectRefused(unaligned, {".bss", "page"});
    GoodElf low;
    low.sections[0].addr = 0x10000;  // over the headers
    expectRefused(low, {"0x11000"});
}

// A .res file as a resource compiler writes it: the empty entry, then each
// resource's header (type and name as ordinals or UTF-16 strings) and data.
Bytes resFile(const std::vector<Resource>& resources)
{
    Bytes out = words({0, 32, 0xFFFF, 0xFFFF, 0, 0, 0, 0});
    for (const Resource& r : resources) {
        Bytes header;
        for (const ResourceKey* key : {&r.type, &r.name}) {
            if (!key->named())
                appendU32(header, 0xFFFFu | uint32_t(key->id) << 16);
            for (char16_t c : key->text)
                appendU16(header, c);
            if (key->named())
                appendU16(header, 0);
        }
        header.resize(alignUp(uint32_t(header.size()), 4));
        for (uint32_t v : {0u, 0x1030u | uint32_t(r.language) << 16, 0u, 0u})
            appendU32(header, v);
        appendU32(out, uint32_t(r.data.size()));
        appendU32(out, uint32_t(header.size() + 8));
        out.insert(out.end(), header.begin(), header.end());
        out.insert(out.end(), r.data.begin(), r.data.end());
        out.resize(alignUp(uint32_t(out.size()), 4));
    }
    return out;
}

// The data entry under `key` in the directory at `dir` (offsets within the
// section at `base`), or 0.
uint32_t findEntry(const PeReader& image, uint32_t base, uint32_t dir, const ResourceKey& key)
{
    const uint32_t count = image.u16(base + dir + 12) + image.u16(base + dir + 14);
    for (uint32_t e = base + dir + 16; e < base + dir + 16 + 8 * count; e += 8) {
        uint32_t id = image.u32(e);
        std::u16string name;
        for (uint32_t i = 0; (id & 0x80000000) && i < image.u16(base + (id & 0xFFFF)); ++i)
            name.push_back(char16_t(image.u16(base + (id & 0xFFFF) + 2 + 2 * i)));
        if (key.named() ? name == key.text : id == key.id)
            return image.u32(e + 4) & 0x7FFFFFFF;
    }
    return 0;
}

TEST(Resources, EachResourceIsFoundByTypeNameAndLanguageInTheTree)
{
    const std::vector<Resource> resources{{{3, {}}, {7, {}}, 0x409, {1, 2, 3}},
                                          {{0, u"MASKS"}, {0, u"PIECES"}, 0x409, {4, 5, 6, 7, 8}}};
    PeReader image(
        buildImage(readElf(GoodElf().build()), parseCallList(CALLS), readRes(resFile(resources)), "WinMain"));
    const uint32_t base = image.directory(2);
    expectField(".rsrc RVA", base, image.sections[".rsrc"][1]);
    for (const Resource& r : resources) {
        SCOPED_TRACE(r.data.size());
        uint32_t names = findEntry(image, base, 0, r.type);
        uint32_t languages = names ? findEntry(image, base, names, r.name) : 0;
        uint32_t leaf = languages ? findEntry(image, base, languages, {0x409, {}}) : 0;
        ASSERT_NE(leaf, 0u) << "not found in the tree";
        expectField("size", image.u32(base + leaf + 4), uint32_t(r.data.size()));
        for (size_t i = 0; i < r.data.size(); ++i)
            expectField("byte " + std::to_string(i), image.file[image.offsetOf(image.u32(base + leaf)) + i], r.data[i]);
    }
}

TEST(Resources, DirectoriesListNamesCaseInsensitivelyThenIdsAscending)
{
    std::vector<Resource> resources;
    for (ResourceKey type : {ResourceKey{14, {}}, {0, u"zeta"}, {2, {}}, {0, u"Beta"}, {0, u"alpha"}})
        resources.push_back({type, {1, {}}, 0, {}});
    const Bytes rsrc = buildResourceSection(resources, 0x7000);
    expectField("named entries", getU16(rsrc, 12), 3);
    expectField("ID entries", getU16(rsrc, 14), 2);
    const std::vector<std::u16string> names{u"alpha", u"Beta", u"zeta"};
    for (uint32_t i = 0; i < 3; ++i) {
        uint32_t at = getU32(rsrc, 16 + 8 * i) & 0x7FFFFFFF;
        EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(&rsrc[at + 2]), getU16(rsrc, at)), names[i]);
    }
    expectField("first ID", getU32(rsrc, 16 + 24), 2);
    expectField("second ID", getU32(rsrc, 16 + 32), 14);
}

TEST(Program, WritesTheImageOrExitsWithTheMessageAndNoImage)
{
    // Names of this run's own: another run may share the folder.
    const std::string dir = testing::TempDir() + "ce_image_" + std::to_string(getpid()) + "_";
    const std::string elfPath = dir + "in.elf", out = dir + "out.exe";
    const std::string calls = dir + "calls.txt", log = dir + "log.txt";
    std::ofstream(calls) << CALLS;
    const std::string command =
        std::string(CE_IMAGE_PROGRAM) + " --elf " + elfPath + " --calls " + calls + " --out " + out + " 2>" + log;
    writeFile(elfPath, GoodElf().build());
    ASSERT_EQ(std::system(command.c_str()), 0);
    expectField("machine of the written image", getU16(readFile(out), getU32(readFile(out), 0x3C) + 4), 0x1C0);

    GoodElf bad;
    bad.rel(bad.text, 0x11008, R_ARM_MOVW_ABS_NC, bad.messageBox);
    writeFile(elfPath, bad.build());
    EXPECT_NE(std::system(command.c_str()), 0);
    const Bytes message = readFile(log);
    EXPECT_NE(std::string(message.begin(), message.end()).find("kind 43"), std::string::npos);
    EXPECT_FALSE(std::ifstream(out).good()) << "a refused ELF must leave no image behind";
    for (const std::string& file : {elfPath, calls, log})
        std::remove(file.c_str());
}

}  // namespace
