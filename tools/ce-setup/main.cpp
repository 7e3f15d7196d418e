// ce-setup: the setup descriptor of the handset's CE cabinet.
//   ce-setup DESCRIPTION --in DIR --out DIR
//   ce-setup --read FILE
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>

#include "setup_file.h"

namespace {

const char* const USAGE =
    "usage: ce-setup DESCRIPTION --in DIR --out DIR\n"
    "       ce-setup --read FILE\n"
    "  Writes the setup descriptor that DESCRIPTION describes and a copy of each file it installs,\n"
    "  taken from --in by its installed name, into --out under their names in the cabinet, and\n"
    "  prints their paths in the cabinet's order: the descriptor, then the files from the highest\n"
    "  number down. Refused, it writes nothing. --read prints a descriptor field by field.\n";

}  // namespace

int main(int argc, char** argv)
{
    using namespace cesetup;
    namespace fs = std::filesystem;
    const std::string first = argc > 1 ? argv[1] : "";
    if (argc == 3 && first == "--read") {
        try {
            std::fputs(readSetupFile(ceimage::readFile(argv[2])).c_str(), stdout);
        } catch (const std::exception& e) {
            std::fprintf(stderr, "ce-setup: %s: %s\n", argv[2], e.what());
            return 1;
        }
        return 0;
    }
    if (argc != 6 || std::string(argv[2]) != "--in" || std::string(argv[4]) != "--out") {
        std::fputs(USAGE, first == "--help" ? stdout : stderr);
        return first == "--help" ? 0 : 2;
    }

    const fs::path in = argv[3], out = argv[5];
    std::vector<std::pair<fs::path, Bytes>> written;  // the cabinet's order
    try {
        const Bytes text = ceimage::readFile(first);
        const SetupFile setup = parseDescription(std::string(text.begin(), text.end()));
        written.push_back({out / setup.descriptorName, writeSetupFile(setup)});
        for (const SetupFile::File& file : setup.files) {
            if (!fs::is_regular_file(in / file.installedName))
                throw ceimage::Error("it installs " + file.installedName + ", which " + in.string() + " lacks");
            written.push_back({out / file.cabinetName, ceimage::readFile(in / file.installedName)});
        }
        std::sort(written.begin() + 1, written.end(), [](const auto& a, const auto& b) {
            return a.first.extension() > b.first.extension();
        });
    } catch (const std::exception& e) {
        std::fprintf(stderr, "ce-setup: %s: %s\n", first.c_str(), e.what());
        return 1;
    }
    try {
        fs::create_directories(out);
        for (const auto& [path, bytes] : written) {
            ceimage::writeFile(path, bytes);
            std::printf("%s\n", path.c_str());
        }
    } catch (const std::exception& e) {
        for (const auto& [path, bytes] : written)
            fs::remove(path);
        std::fprintf(stderr, "ce-setup: %s\n", e.what());
        return 1;
    }
    return 0;
}
