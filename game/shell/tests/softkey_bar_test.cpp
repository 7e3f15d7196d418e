// The softkey bar as the player sees it: how its labels look on screen, and
// the left key's label after the first Start where its new text is missing
// (the label "Restart" itself: input_test.cpp).
#include "shell_fixture.h"

#include <algorithm>

#include "../../resources/resource_ids.h"
#include "desktop.h"

namespace {

class SoftkeyBar : public ShellTest {
protected:
    SoftkeyBar() { createInSetUp = false; }
    // The bar's labels as other programs read them: left, a tab, right.
    static std::string barText() { return wintest::textOf(shell.menuBar); }
};

TEST_F(SoftkeyBar, LabelsAreDrawnPlainAtZoomOneAndTwo)
{
    for (DWORD zoom : {1, 2}) {
        SCOPED_TRACE(testing::Message() << "zoom " << zoom);
        setRawValue(ZOOM_KEY, ZOOM_VALUE, REG_DWORD, &zoom, sizeof zoom);
        createMainWindow();
        const Picture bar = clientPixels(shell.menuBar);
        ASSERT_GT(bar.height, 0);
        // The left label: what differs from the bar's colour in the left half,
        // below the bar's top edge and left of its divider.
        const uint32_t fill = bar.at(bar.width / 4, bar.height - 1);
        const int top = static_cast<int>(zoom), right = bar.width / 2 - 2 * static_cast<int>(zoom);
        int left = right, end = 0, longest = 0, rows = 0;
        for (int y = top; y < bar.height; ++y) {
            int run = 0, inked = 0;
            for (int x = 0; x < right; ++x) {
                const bool ink = bar.at(x, y) != fill;
                run = ink ? run + 1 : 0;
                longest = std::max(longest, run);
                inked += ink;
                if (ink)
                    left = std::min(left, x), end = std::max(end, x + 1);
            }
            rows += inked > 0;
        }
        EXPECT_GE(rows, 7 * static_cast<int>(zoom)) << "the label \"Start\" is drawn";
        // A line struck through or under the word would run its whole width.
        EXPECT_LT(longest * 2, end - left) << "no row of the label is one line across it";
        DestroyWindow(window());
        pump();
        RegCloseKey(shell.appKey);
    }
}

TEST_F(SoftkeyBar, TheFirstStartLeavesTheLeftKeyBlankWhereItsNewTextIsMissing)
{
    createMainWindow();
    shell.instance = GetModuleHandleW(L"ntdll.dll");  // resources without that text
    {
        // Whatever an earlier call left on the stack must not become the label.
        volatile wchar_t scribble[8192];
        for (auto& c : scribble)
            c = L'x';
    }
    command(CMD_START);
    shell.instance = GetModuleHandleW(nullptr);
    EXPECT_EQ(game.level, 1) << "the game started all the same";
    EXPECT_EQ(barText(), "\tMenu");
}

}  // namespace
