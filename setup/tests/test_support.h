// Scratch folders and files for the launcher's tests.
#ifndef KUBRELSE_SETUP_TESTS_TEST_SUPPORT_H
#define KUBRELSE_SETUP_TESTS_TEST_SUPPORT_H

#include <windows.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

// A fresh folder under the temporary folder, removed with its contents at the end.
struct ScratchFolder {
    explicit ScratchFolder(const std::string& hint)
        : path((std::filesystem::temp_directory_path() / ("ks-" + std::to_string(GetCurrentProcessId()) + "-" + hint))
                   .string())
    {
        std::filesystem::create_directories(path);
    }
    ~ScratchFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    std::string operator/(const std::string& name) const { return path + "\\" + name; }
    const std::string path;
};

inline bool writeTextFile(const std::string& path, const std::string& text)
{
    std::ofstream file(path, std::ios::binary);
    return static_cast<bool>(file << text);
}

inline std::string readTextFile(const std::string& path)  // empty when missing
{
    std::ostringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    return text.str();
}

#endif
