// ce-setup's checks: descriptors written from descriptions stated here and
// read back by a reader of this file's own, following the format's public
// description field by field; and the program run on good and refused input.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

#include "setup_file.h"

using namespace cesetup;
namespace fs = std::filesystem;

namespace {

const char GAME[] =
    "descriptor GAME.000\napplication Blocks\nprovider  Maker Ltd.\nprocessor 2577\nversions 3.0 and later\n"
    "# a comment\nfolder %CE1%\\Blocks\\Bin\nfile DATA.001 data.bin\nfile GAME.003 game.exe\n"
    "shortcut %CE14% game.exe Blocks\n";

// The descriptor as the format describes it, read with no help from the tool.
struct Descriptor {
    const Bytes& b;
    unsigned u16(size_t at) const { return b.at(at) | b.at(at + 1) << 8; }
    unsigned u32(size_t at) const { return u16(at) | u16(at + 2) << 16; }
    std::string text(size_t at) const { return std::string(reinterpret_cast<const char*>(&b.at(at))); }
    // Entry `index` of the section whose count is at `countAt` and offset at `offsetAt`.
    size_t entry(size_t countAt, size_t offsetAt, unsigned index, size_t fixed, size_t lengthAt) const
    {
        EXPECT_LT(index, u16(countAt));
        size_t at = u32(offsetAt);
        for (unsigned i = 0; i < index; ++i)
            at += fixed + u16(at + lengthAt);
        return at;
    }
    std::string string(unsigned id) const
    {
        for (unsigned i = 0; i < u16(48); ++i) {
            const size_t at = entry(48, 60, i, 4, 2);
            if (u16(at) == id)
                return text(at + 4);
        }
        return "(no string " + std::to_string(id) + ")";
    }
    std::string path(size_t at) const
    {
        std::string joined;
        for (; u16(at) != 0; at += 2)
            joined += (joined.empty() ? "" : "\\") + string(u16(at));
        return joined;
    }
};

TEST(CeSetup, WritesEveryFieldWhereTheFormatPutsIt)
{
    const Bytes bytes = writeSetupFile(parseDescription(GAME));
    const Descriptor d{bytes};
    EXPECT_EQ("MSCE", std::string(bytes.begin(), bytes.begin() + 4));
    EXPECT_EQ(bytes.size(), d.u32(8));
    EXPECT_EQ((std::vector<unsigned>{2577, 3, 0, 0, 0, 0, 0}),
              (std::vector<unsigned>{d.u32(20), d.u32(24), d.u32(28), d.u32(32), d.u32(36), d.u32(40), d.u32(44)}))
        << "processor, lowest and highest version and build";
    EXPECT_EQ((std::vector<unsigned>{1, 2, 0, 0, 1}),
              (std::vector<unsigned>{d.u16(50), d.u16(52), d.u16(54), d.u16(56), d.u16(58)}));
    EXPECT_EQ("Blocks", d.text(d.u16(84)));
    EXPECT_EQ(7u, d.u16(86)) << "with its terminator";
    EXPECT_EQ("Maker Ltd.", d.text(d.u16(88)));
    EXPECT_EQ(0u, d.u16(94)) << "no unsupported platforms";

    const size_t folder = d.entry(50, 64, 0, 4, 2);
    EXPECT_EQ("%CE1%\\Blocks\\Bin", d.path(folder + 4));
    for (unsigned i : {0u, 1u}) {
        SCOPED_TRACE(i);
        const size_t file = d.entry(52, 68, i, 12, 10);
        const unsigned number = i == 0 ? 1 : 3;  // from DATA.001 and GAME.003
        EXPECT_EQ((std::vector<unsigned>{number, d.u16(folder), number, 0x40000002}),
                  (std::vector<unsigned>{d.u16(file), d.u16(file + 2), d.u16(file + 4), d.u32(file + 6)}));
        EXPECT_EQ(i == 0 ? "data.bin" : "game.exe", d.text(file + 12));
    }
    const size_t link = d.entry(58, 80, 0, 12, 10);
    EXPECT_EQ((std::vector<unsigned>{14, 3, 1}),
              (std::vector<unsigned>{d.u16(link + 4), d.u16(link + 6), d.u16(link + 8)}))
        << "in %CE14%, to file 3";
    EXPECT_EQ("Blocks", d.path(link + 12));
    EXPECT_EQ(d.u16(link + 12), d.u16(folder + 6)) << "one string for both uses of Blocks";
}

// The program run on a description, with game.exe and data.bin to take.
class CeSetupProgram : public ::testing::Test {
protected:
    // A folder of this test's own in this run: ctest runs the tests side by side.
    const fs::path dir = fs::path(testing::TempDir()) /
                         ("ce_setup_" + std::to_string(getpid()) + "_" +
                          testing::UnitTest::GetInstance()->current_test_info()->name());
    int status = 0;
    std::string output, errors;
    std::vector<std::string> written;

    void TearDown() override { fs::remove_all(dir); }

    static std::string contents(const fs::path& path)
    {
        std::string text;
        std::getline(std::ifstream(path), text, '\0');
        return text;
    }
    void run(const std::string& description)
    {
        fs::remove_all(dir);
        fs::create_directories(dir / "in");
        std::ofstream(dir / "setup.txt") << description;
        std::ofstream(dir / "in" / "game.exe") << "MZ game";
        std::ofstream(dir / "in" / "data.bin") << "data";
        const std::string command = std::string(CE_SETUP_PROGRAM) + " " + (dir / "setup.txt").string() + " --in " +
                                    (dir / "in").string() + " --out " + (dir / "out").string() + " >" +
                                    (dir / "stdout").string() + " 2>" + (dir / "stderr").string();
        status = std::system(command.c_str());
        output = contents(dir / "stdout");
        errors = contents(dir / "stderr");
        written.clear();
        if (fs::exists(dir / "out"))
            for (const auto& file : fs::directory_iterator(dir / "out"))
                written.push_back(file.path().filename().string());
    }
};

TEST_F(CeSetupProgram, WritesTheCabinetsFilesAndListsThemInTheCabinetsOrder)
{
    run(GAME);
    ASSERT_EQ(0, status) << errors;
    const std::string out = (dir / "out").string();
    EXPECT_EQ(out + "/GAME.000\n" + out + "/GAME.003\n" + out + "/DATA.001\n", output);
    EXPECT_EQ("MZ game", contents(dir / "out" / "GAME.003"));
}

TEST_F(CeSetupProgram, RefusesInputWithAReasonAndWritesNothing)
{
    const std::string good(GAME);
    auto replaced = [&](const std::string& from, const std::string& to) {
        return good.substr(0, good.find(from)) + to + good.substr(good.find(from) + from.size());
    };
    const struct {
        std::string description, reason;
    } cases[] = {
        {replaced("GAME.003", "GAMEFILE1.003"), "line 9: a file is given as NAME.NNN (an MS-DOS name"},
        {replaced("GAME.000", "GAME.0"), "line 1: the descriptor's name in the cabinet must be an MS-DOS name"},
        {replaced("game.exe Blocks", "gone Blocks"), "the shortcut Blocks starts gone, which no file installs"},
        {replaced("data.bin", "missing.bin"), "it installs missing.bin, which"},
        {replaced("Maker Ltd.", std::string(70000, 'm')), "the length of the provider's name is 70001, more than the"},
        {replaced("%CE1%", "%CE18%"), "line 7: the folder must start with one of the installer's folders"},
        {replaced("versions 3.0 and later", "versions 3"), "line 5: versions are"},
        {replaced("processor 2577\n", ""), "the description gives no processor"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.reason);
        run(c.description);
        EXPECT_NE(0, status);
        EXPECT_NE(std::string::npos, errors.find(c.reason)) << errors;
        EXPECT_EQ(std::vector<std::string>(), written);
    }
}

}  // namespace
