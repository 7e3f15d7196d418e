#include "imports.h"

#include <algorithm>
#include <map>
#include <set>

namespace ceimage {

namespace {

const std::string PREFIX = "__imp_";

std::string slotName(const std::string& name) { return PREFIX + name; }

void checkSlotArray(const ElfFile& elf, const ImportedLibrary& library, const std::vector<const ElfSymbol*>& slots,
                    const std::set<uint32_t>& allSlots)
{
    const ElfSection& section = elf.sections.at(slots.front()->section);
    const std::string where = library.file + "'s slots";
    if (!section.allocated() || !(section.flags & SHF_WRITE) || !section.hasContents())
        throw Error(where + " are in " + section.name + ", not a writable section with contents");
    for (size_t i = 0; i < slots.size(); ++i) {
        if (slots[i]->value != library.slots + 4 * i || slots[i]->section != slots.front()->section)
            throw Error(where + " are not one array: " + slotName(library.names[i]) + " is at " + hex(slots[i]->value) +
                        ", expected " + hex(uint32_t(library.slots + 4 * i)));
    }
    uint32_t end = library.slots + 4 * uint32_t(slots.size());  // the zero word
    if (end < section.addr || end + 4 > section.addr + section.size || allSlots.count(end) ||
        getU32(elf.bytes, section.offset + end - section.addr) != 0)
        throw Error(where + " are not followed by a zero word at " + hex(end));
}

}  // namespace

std::vector<ImportedLibrary> findImports(const ElfFile& elf, const std::vector<CallLibrary>& calls)
{
    std::map<std::string, const CallLibrary*> offered, notOffered;
    for (const CallLibrary& library : calls) {
        for (const std::string& name : library.names)
            (library.file.empty() ? notOffered : offered).emplace(name, &library);
    }

    std::map<const CallLibrary*, std::vector<const ElfSymbol*>> used;
    std::map<std::string, uint32_t> seen;
    for (const ElfSymbol& sym : elf.symbols) {
        if (sym.name.compare(0, PREFIX.size(), PREFIX) != 0 || !sym.inSection())
            continue;
        std::string name = sym.name.substr(PREFIX.size());
        auto found = offered.find(name);
        if (found == offered.end()) {
            std::string why = notOffered.count(name) ? "the handset does not offer it (" + notOffered[name]->label + ")"
                                                     : "it is not in the call list";
            throw Error("unknown import " + name + " (slot " + sym.name + "): " + why);
        }
        auto [previous, added] = seen.emplace(name, sym.value);
        if (!added && previous->second != sym.value)
            throw Error("two slots for " + name + ": " + hex(previous->second) + " and " + hex(sym.value));
        if (added)
            used[found->second].push_back(&sym);
    }

    std::set<uint32_t> allSlots;
    for (const auto& [name, address] : seen)
        allSlots.insert(address);
    std::vector<ImportedLibrary> libraries;
    for (const CallLibrary& library : calls) {
        auto slots = used.find(&library);
        if (slots == used.end())
            continue;
        std::sort(slots->second.begin(), slots->second.end(), [](const ElfSymbol* a, const ElfSymbol* b) {
            return a->value < b->value;
        });
        ImportedLibrary imported{library.file, slots->second.front()->value, {}};
        for (const ElfSymbol* sym : slots->second)
            imported.names.push_back(sym->name.substr(PREFIX.size()));
        checkSlotArray(elf, imported, slots->second, allSlots);
        libraries.push_back(imported);
    }
    return libraries;
}

ImportSection buildImportSection(const std::vector<ImportedLibrary>& libraries, uint32_t rva, uint32_t imageBase)
{
    // Descriptors (and a zero one), then per library its lookup table, then
    // the hint/name entries (hint 0: the loader looks each name up), then
    // the library names.
    ImportSection out;
    out.descriptorsSize = 20 * uint32_t(libraries.size() + 1);
    Bytes& b = out.bytes;
    b.assign(out.descriptorsSize, 0);
    std::vector<uint32_t> lookupTables;
    for (const ImportedLibrary& library : libraries) {
        lookupTables.push_back(uint32_t(b.size()));
        b.resize(b.size() + 4 * (library.names.size() + 1));
    }
    for (size_t i = 0; i < libraries.size(); ++i) {
        out.hintNames.emplace_back();
        for (size_t slot = 0; slot < libraries[i].names.size(); ++slot) {
            uint32_t entry = rva + uint32_t(b.size());
            out.hintNames.back().push_back(entry);
            setU32(b, lookupTables[i] + 4 * slot, entry);
            appendU16(b, 0);
            b.insert(b.end(), libraries[i].names[slot].begin(), libraries[i].names[slot].end());
            b.resize(alignUp(uint32_t(b.size() + 1), 2));
        }
    }
    for (size_t i = 0; i < libraries.size(); ++i) {
        setU32(b, 20 * i, rva + lookupTables[i]);
        setU32(b, 20 * i + 12, rva + uint32_t(b.size()));
        setU32(b, 20 * i + 16, libraries[i].slots - imageBase);
        b.insert(b.end(), libraries[i].file.begin(), libraries[i].file.end());
        b.push_back(0);
    }
    b.resize(alignUp(uint32_t(b.size()), 4));
    return out;
}

}  // namespace ceimage
