// Scratch folders and files for the launcher's tests.
#ifndef SETUP_TEST_SUPPORT_H
#define SETUP_TEST_SUPPORT_H

#include <windows.h>
#include <string>

// A fresh folder under the temporary folder, removed with its contents at the end.
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
std::string readTextFile(const std::string &path);  // empty when missing
std::string ownFolder();  // folder of the running test program

#endif
