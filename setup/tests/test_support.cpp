#include "test_support.h"

#include <stdio.h>

bool writeTextFile(const std::string &path, const std::string &text)
{
    FILE *f = fopen(path.c_str(), "wb");
    bool ok = f != NULL && fwrite(text.data(), 1, text.size(), f) == text.size();
    return f != NULL && fclose(f) == 0 && ok;
}

std::string readTextFile(const std::string &path)
{
    std::string text;
    if (FILE *f = fopen(path.c_str(), "rb")) {
        char buffer[4096];
        size_t n;
        while ((n = fread(buffer, 1, sizeof buffer, f)) > 0) {
            text.append(buffer, n);
        }
        fclose(f);
    }
    return text;
}

static void removeTree(const std::string &path)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string name = found.cFileName, full = path + "\\" + name;
            if (name == "." || name == "..") {
                continue;
            }
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                removeTree(full);
            } else {
                DeleteFileA(full.c_str());
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(path.c_str());
}

ScratchFolder::ScratchFolder(const std::string &hint)
{
    char temp[MAX_PATH + 1];
    DWORD n = GetTempPathA(sizeof temp, temp);
    std::string base(temp, n > 0 && n < sizeof temp ? n - 1 : 0);  // without its backslash
    static unsigned counter;
    for (int attempt = 0; attempt < 100; ++attempt) {
        path_ = base + "\\ks-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(counter++) + "-" + hint;
        if (CreateDirectoryA(path_.c_str(), NULL)) {
            break;
        }
    }
}

ScratchFolder::~ScratchFolder()
{
    removeTree(path_);
}

std::string ownFolder()
{
    char path[MAX_PATH * 4];
    std::string s(path, GetModuleFileNameA(NULL, path, sizeof path));
    return s.substr(0, s.find_last_of('\\'));
}
