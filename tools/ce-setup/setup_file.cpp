#include "setup_file.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <set>
#include <sstream>

namespace cesetup {

using namespace ceimage;

namespace {

const size_t HEADER_SIZE = 100;
const unsigned HIGHEST_CE_FOLDER = 17;

std::string trimmed(const std::string& text)
{
    const size_t start = text.find_first_not_of(" \t");
    if (start == std::string::npos)
        return "";
    return text.substr(start, text.find_last_not_of(" \t") + 1 - start);
}

std::vector<std::string> split(const std::string& text, char separator)
{
    std::vector<std::string> parts(1);
    for (char c : text) {
        if (c == separator)
            parts.emplace_back();
        else
            parts.back() += c;
    }
    return parts;
}

// An MS-DOS name: 1 to 8 characters, a dot and 3, letters, digits, _ - ~;
// the extension all digits when `numbered`.
bool isShortName(const std::string& name, bool numbered)
{
    const size_t dot = name.find('.');
    if (dot == std::string::npos || dot == 0 || dot > 8 || name.size() != dot + 4)
        return false;
    for (size_t i = 0; i < name.size(); ++i) {
        const char c = name[i];
        const bool digit = c >= '0' && c <= '9';
        const bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
        const bool allowed = i > dot && numbered ? digit : digit || letter || std::strchr("_-~", c) != nullptr;
        if (i != dot && !allowed)
            return false;
    }
    return true;
}

unsigned fileNumber(const std::string& cabinetName)
{
    return unsigned(std::stoul(cabinetName.substr(cabinetName.size() - 3)));
}

// n of "%CEn%", 0 when `part` is none of the installer's folders.
unsigned ceFolder(const std::string& part)
{
    unsigned n = 0;
    if (std::sscanf(part.c_str(), "%%CE%u%%", &n) != 1 || n < 1 || n > HIGHEST_CE_FOLDER ||
        part != "%CE" + std::to_string(n) + "%")
        return 0;
    return n;
}

bool parseVersion(const std::string& text, uint32_t& major, uint32_t& minor)
{
    int used = 0;
    return std::sscanf(text.c_str(), "%u.%u%n", &major, &minor, &used) == 2 && size_t(used) == text.size() &&
           text.find_first_not_of("0123456789.") == std::string::npos;
}

uint16_t fit16(size_t value, const std::string& what)
{
    if (value > 0xFFFF)
        throw Error(what + " is " + std::to_string(value) + ", more than the format's 16-bit fields hold (65535)");
    return uint16_t(value);
}

}  // namespace

SetupFile parseDescription(const std::string& text)
{
    SetupFile setup;
    std::set<std::string> given;
    std::istringstream lines(text);
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) {
        line = trimmed(line.substr(0, line.find('\r')));
        if (line.empty() || line[0] == '#')
            continue;
        const std::string where = "line " + std::to_string(number) + ": ";
        const size_t blank = std::min(line.find(' '), line.find('\t'));
        const std::string key = line.substr(0, blank);
        const std::string value = blank == std::string::npos ? "" : trimmed(line.substr(blank));
        std::istringstream words(value);
        std::string first, second, rest;
        words >> first >> second;
        std::getline(words, rest);
        rest = trimmed(rest);
        if (value.empty())
            throw Error(where + key + " has no value");
        if (std::any_of(value.begin(), value.end(), [](char c) { return c < ' ' || c > '~'; }))
            throw Error(where + "only printable ASCII can be given to the installer");
        if (!given.insert(key).second && key != "file" && key != "shortcut")
            throw Error(where + key + " is given twice");

        if (key == "descriptor") {
            if (!isShortName(value, true) || fileNumber(value) != 0)
                throw Error(where + "the descriptor's name in the cabinet must be an MS-DOS name NAME.000, not " +
                            value);
            setup.descriptorName = value;
        } else if (key == "application" || key == "provider") {
            (key == "application" ? setup.application : setup.provider) = value;
        } else if (key == "processor") {
            if (value.find_first_not_of("0123456789") != std::string::npos || value.size() > 9)
                throw Error(where + "the processor is a number, not " + value);
            setup.processor = uint32_t(std::stoul(value));
        } else if (key == "versions") {
            const bool later = second == "and" && rest == "later";
            if (!parseVersion(first, setup.lowestMajor, setup.lowestMinor) ||
                (!later && !(second == "to" && parseVersion(rest, setup.highestMajor, setup.highestMinor))))
                throw Error(where + "versions are \"M.N and later\" or \"M.N to M.N\", not " + value);
        } else if (key == "folder") {
            const std::vector<std::string> parts = split(value, '\\');
            if (!ceFolder(parts[0]) || std::count(parts.begin(), parts.end(), ""))
                throw Error(where +
                            "the folder must start with one of the installer's folders %CE1% to %CE17%: " + value);
            setup.folder = value;
        } else if (key == "file") {
            if (!isShortName(first, true) || fileNumber(first) == 0 || fileNumber(first) == 999 || second.empty() ||
                !rest.empty())
                throw Error(where + "a file is given as NAME.NNN (an MS-DOS name numbered 001 to 998) and the " +
                            "name it is installed under, not " + value);
            for (const SetupFile::File& file : setup.files) {
                if (fileNumber(file.cabinetName) == fileNumber(first) || file.installedName == second)
                    throw Error(where + "two files share a number or a name: " + value);
            }
            setup.files.push_back({first, second});
        } else if (key == "shortcut") {
            if (!ceFolder(first) || rest.empty())
                throw Error(where + "a shortcut is given as %CEn%, the file it starts and its name, not " + value);
            setup.shortcuts.push_back({ceFolder(first), second, rest});
        } else {
            throw Error(where + "unknown key " + key);
        }
    }
    for (const char* key : {"descriptor", "application", "provider", "processor", "versions", "folder", "file"}) {
        if (!given.count(key))
            throw Error(std::string("the description gives no ") + key);
    }
    for (const SetupFile::Shortcut& shortcut : setup.shortcuts) {
        if (std::none_of(setup.files.begin(), setup.files.end(), [&](const SetupFile::File& file) {
                return file.installedName == shortcut.target;
            }))
            throw Error("the shortcut " + shortcut.name + " starts " + shortcut.target + ", which no file installs");
    }
    return setup;
}

Bytes writeSetupFile(const SetupFile& setup)
{
    // The folder's names and the shortcuts' names, each once, numbered from 1.
    std::vector<std::string> strings;
    auto stringId = [&](const std::string& text) {
        auto found = std::find(strings.begin(), strings.end(), text);
        if (found == strings.end())
            found = strings.insert(found, text);
        return fit16(size_t(found - strings.begin()) + 1, "the number of strings");
    };
    std::vector<uint16_t> folderIds;
    for (const std::string& part : split(setup.folder, '\\'))
        folderIds.push_back(stringId(part));

    Bytes b(HEADER_SIZE, 0);
    // Appends a text and its terminator; its offset and length go to the header.
    auto text = [&](size_t headerAt, const std::string& value, const std::string& what) {
        setU16(b, headerAt, fit16(b.size(), "the offset of the " + what));
        setU16(b, headerAt + 2, fit16(value.size() + 1, "the length of the " + what));
        b.insert(b.end(), value.begin(), value.end());
        b.push_back(0);
    };
    text(84, setup.application, "application's name");
    text(88, setup.provider, "provider's name");
    setU16(b, 92, fit16(b.size(), "the offset of the unsupported platforms"));  // none: length 0

    std::vector<uint16_t> linkIds;
    for (const SetupFile::Shortcut& shortcut : setup.shortcuts)
        linkIds.push_back(stringId(shortcut.name));
    setU32(b, 60, uint32_t(b.size()));
    for (size_t i = 0; i < strings.size(); ++i) {
        appendU16(b, uint16_t(i + 1));
        appendU16(b, fit16(strings[i].size() + 1, "the length of " + strings[i].substr(0, 40)));
        b.insert(b.end(), strings[i].begin(), strings[i].end());
        b.push_back(0);
    }
    setU32(b, 64, uint32_t(b.size()));
    appendU16(b, 1);
    appendU16(b, fit16(2 * folderIds.size() + 2, "the length of the folder"));
    for (uint16_t id : folderIds)
        appendU16(b, id);
    appendU16(b, 0);
    setU32(b, 68, uint32_t(b.size()));
    for (const SetupFile::File& file : setup.files) {
        const uint16_t id = uint16_t(fileNumber(file.cabinetName));
        appendU16(b, id);
        appendU16(b, 1);
        appendU16(b, id);
        appendU32(b, FILE_FLAGS);
        appendU16(b, fit16(file.installedName.size() + 1, "the length of " + file.installedName.substr(0, 40)));
        b.insert(b.end(), file.installedName.begin(), file.installedName.end());
        b.push_back(0);
    }
    setU32(b, 72, uint32_t(b.size()));  // no registry hives
    setU32(b, 76, uint32_t(b.size()));  // and no registry values
    setU32(b, 80, uint32_t(b.size()));
    for (size_t i = 0; i < setup.shortcuts.size(); ++i) {
        const SetupFile::Shortcut& shortcut = setup.shortcuts[i];
        const auto file = std::find_if(setup.files.begin(), setup.files.end(), [&](const SetupFile::File& f) {
            return f.installedName == shortcut.target;
        });
        for (size_t value : {i + 1,
                             size_t(0),
                             size_t(shortcut.ceFolder),
                             size_t(fileNumber(file->cabinetName)),
                             size_t(1),
                             size_t(4),
                             size_t(linkIds[i]),
                             size_t(0)})
            appendU16(b, fit16(value, "the number of shortcuts"));
    }

    const uint32_t header[] = {0x4543534D,
                               0,
                               uint32_t(b.size()),
                               0,
                               1,
                               setup.processor,
                               setup.lowestMajor,
                               setup.lowestMinor,
                               setup.highestMajor,
                               setup.highestMinor,
                               0,
                               0};
    for (size_t i = 0; i < 12; ++i)
        setU32(b, 4 * i, header[i]);
    const size_t counts[] = {strings.size(), 1, setup.files.size(), 0, 0, setup.shortcuts.size()};
    for (size_t i = 0; i < 6; ++i)
        setU16(b, 48 + 2 * i, fit16(counts[i], "a section's number of entries"));
    return b;
}

std::string readSetupFile(const Bytes& b)
{
    if (b.size() < HEADER_SIZE || std::memcmp(b.data(), "MSCE", 4) != 0)
        throw Error("not a setup descriptor: no MSCE header");
    if (getU32(b, 8) != b.size())
        throw Error("the header gives a length of " + std::to_string(getU32(b, 8)) + " bytes, the file has " +
                    std::to_string(b.size()));
    // A terminated text of `length` bytes at `at`.
    auto text = [&](size_t at, size_t length, const char* what) {
        if (length == 0 || at + length > b.size() || b[at + length - 1] != 0)
            throw Error(std::string(what) + " at offset " + std::to_string(at) + " is no terminated text");
        return std::string(b.begin() + long(at), b.begin() + long(at + length - 1));
    };
    std::map<unsigned, std::string> strings;
    size_t at = getU32(b, 60);
    for (unsigned i = 0; i < getU16(b, 48); ++i) {
        strings[getU16(b, at)] = text(at + 4, getU16(b, at + 2), "a string");
        at += 4 + getU16(b, at + 2);
    }
    // String ids up to a 0, joined by backslashes.
    auto path = [&](size_t from) {
        std::string joined;
        for (; getU16(b, from) != 0; from += 2) {
            if (!strings.count(getU16(b, from)))
                throw Error("a path names string " + std::to_string(getU16(b, from)) + ", which is not there");
            joined += (joined.empty() ? "" : "\\") + strings[getU16(b, from)];
        }
        return joined;
    };

    std::ostringstream out;
    out << "application: " << text(getU16(b, 84), getU16(b, 86), "the application's name") << "\n";
    out << "provider: " << text(getU16(b, 88), getU16(b, 90), "the provider's name") << "\n";
    out << "processor: " << getU32(b, 20) << "\n";
    out << "versions: " << getU32(b, 24) << "." << getU32(b, 28);
    if (getU32(b, 32) == 0 && getU32(b, 36) == 0)
        out << " and later\n";
    else
        out << " to " << getU32(b, 32) << "." << getU32(b, 36) << "\n";
    if (getU32(b, 40) || getU32(b, 44))
        out << "builds: " << getU32(b, 40) << " to " << getU32(b, 44) << "\n";
    // Texts one after the other, ending in an empty one.
    std::string platforms = getU16(b, 94) ? text(getU16(b, 92), getU16(b, 94), "the unsupported platforms") : "";
    std::replace(platforms.begin(), platforms.end(), '\0', ',');
    out << "unsupported platforms: " << (platforms.empty() ? "none" : platforms.substr(0, platforms.size() - 1))
        << "\n";
    at = getU32(b, 64);
    for (unsigned i = 0; i < getU16(b, 50); ++i, at += 4 + getU16(b, at + 2))
        out << "folder " << getU16(b, at) << ": " << path(at + 4) << "\n";
    at = getU32(b, 68);
    for (unsigned i = 0; i < getU16(b, 52); ++i, at += 12 + getU16(b, at + 10)) {
        char flags[16];
        std::snprintf(flags, sizeof flags, "0x%08X", unsigned(getU32(b, at + 6)));
        out << "file " << getU16(b, at) << ": " << text(at + 12, getU16(b, at + 10), "a file's name") << " in folder "
            << getU16(b, at + 2) << ", flags " << flags << "\n";
    }
    out << "registry: " << getU16(b, 54) << " hives, " << getU16(b, 56) << " values\n";
    at = getU32(b, 80);
    for (unsigned i = 0; i < getU16(b, 58); ++i, at += 12 + getU16(b, at + 10)) {
        const unsigned folder = getU16(b, at + 4);
        out << "shortcut " << getU16(b, at) << ": "
            << (folder ? "%CE" + std::to_string(folder) + "%" : std::string("%InstallDir%")) << "\\" << path(at + 12)
            << " to " << (getU16(b, at + 8) ? "file " : "folder ") << getU16(b, at + 6) << "\n";
    }
    return out.str();
}

}  // namespace cesetup
