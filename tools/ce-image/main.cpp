// ce-image: the handset's program image from the linked ARM ELF executable.
//   ce-image --elf game.elf --calls handset_calls.txt [--res game.res]
//            [--entry WinMain] --out kubrelse.exe
#include <cstdio>
#include <cstring>
#include <map>
#include <string>

#include "pe_image.h"

namespace {

const char* const USAGE =
    "usage: ce-image --elf FILE --calls FILE [--res FILE] [--entry SYMBOL] --out FILE\n"
    "  --elf    the linked ARM executable (ld --emit-relocs, base 0x10000, code from 0x11000)\n"
    "  --calls  the list of the handset's calls: which library offers each imported function\n"
    "  --res    compiled resources (.res) for the image's .rsrc section; without it, none\n"
    "  --entry  the entry point's symbol (default WinMain)\n"
    "  --out    the Windows CE image to write\n";

}  // namespace

int main(int argc, char** argv)
{
    std::map<std::string, std::string> options{{"--entry", "WinMain"}};
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (option == "--help" || option == "-h") {
            std::fputs(USAGE, stdout);
            return 0;
        }
        if ((option != "--elf" && option != "--calls" && option != "--res" && option != "--entry" &&
             option != "--out") ||
            i + 1 == argc) {
            std::fprintf(stderr, "ce-image: unknown option or missing value: %s\n%s", option.c_str(), USAGE);
            return 2;
        }
        options[option] = argv[++i];
    }
    for (const char* required : {"--elf", "--calls", "--out"}) {
        if (!options.count(required)) {
            std::fprintf(stderr, "ce-image: %s is required\n%s", required, USAGE);
            return 2;
        }
    }

    using namespace ceimage;
    std::string input = options["--elf"];  // the file an error is about
    try {
        const ElfFile elf = readElf(readFile(input));
        input = options["--calls"];
        const Bytes callText = readFile(input);
        const std::vector<CallLibrary> calls = parseCallList(std::string(callText.begin(), callText.end()));
        std::vector<Resource> resources;
        if (options.count("--res")) {
            input = options["--res"];
            resources = readRes(readFile(input));
        }
        input = options["--elf"];
        writeFile(options["--out"], buildImage(elf, calls, resources, options["--entry"]));
    } catch (const std::exception& e) {  // Error, or a table index past its end (std::out_of_range)
        std::fprintf(stderr, "ce-image: %s: %s\n", input.c_str(), e.what());
        std::remove(options["--out"].c_str());  // no stale image for the build to take as new
        return 1;
    }
    return 0;
}
