// The list of the handset's calls (game/shell/handset_calls.txt): lines
// "[label file.dll]" start a library of the handset, "[label]" a group of
// names it does not offer; every other line that is neither blank nor a
// "#" comment is a function name, maybe followed by the reason it was added.
#ifndef CE_IMAGE_CALL_LIST_H
#define CE_IMAGE_CALL_LIST_H

#include <string>
#include <vector>

namespace ceimage {

struct CallLibrary {
    std::string label;
    std::string file;  // empty: names the handset does not offer
    std::vector<std::string> names;
};

std::vector<CallLibrary> parseCallList(const std::string& text);

}  // namespace ceimage

#endif
