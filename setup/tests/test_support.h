// Small helpers shared by the launcher's tests: scratch folders, files and
// registry keys that each test makes and removes itself.
#ifndef SETUP_TEST_SUPPORT_H
#define SETUP_TEST_SUPPORT_H

#include <windows.h>
#include <string>

// A fresh folder under the temporary folder, removed with everything in it
// when the object goes.
class ScratchFolder {
public:
    explicit ScratchFolder(const std::string &hint);
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder &) = delete;
    ScratchFolder &operator=(const ScratchFolder &) = delete;
    const std::string &path() const { return path_; }
    std::string operator/(const std::string &name) const { return path_ + "\\" + name; }

private:
    std::string path_;
};

bool writeTextFile(const std::string &path, const std::string &text);
bool readTextFile(const std::string &path, std::string *text);
bool makeFolder(const std::string &path);
void removeTree(const std::string &path);
// The folder holding the running test program (and the programs built beside it).
std::string ownFolder();

#endif
