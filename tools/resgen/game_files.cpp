#include "resources.h"

bool buildGameFiles(std::vector<OutputFile>&, std::string& error) {
    error = "not yet";
    return false;
}

bool buildContactSheet(Image&, std::string& error) {
    error = "not yet";
    return false;
}
