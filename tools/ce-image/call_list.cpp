#include "call_list.h"

#include <sstream>

#include "common.h"

namespace ceimage {

std::vector<CallLibrary> parseCallList(const std::string& text)
{
    std::vector<CallLibrary> libraries;
    std::istringstream lines(text);
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) {
        std::istringstream words(line);
        std::string first;
        if (!(words >> first) || first[0] == '#')
            continue;
        if (first[0] != '[') {
            if (libraries.empty())
                throw Error("call list line " + std::to_string(number) + ": name " + first + " before any [library]");
            libraries.back().names.push_back(first);
            continue;
        }
        size_t close = line.find(']');
        std::istringstream header(line.substr(line.find('[') + 1, close - line.find('[') - 1));
        CallLibrary library;
        std::string extra;
        if (close == std::string::npos || !(header >> library.label) || (header >> library.file && header >> extra))
            throw Error("call list line " + std::to_string(number) + ": expected [label] or [label file.dll]");
        libraries.push_back(library);
    }
    return libraries;
}

}  // namespace ceimage
