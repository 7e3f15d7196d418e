// The softkey bar: what its labels say and how they look, the keys that
// press it, the new text and commands a program gives it, and the bars it
// refuses to make.
#include "layer_fixture.h"

#include <algorithm>
#include <string>

#include "handset_shell.h"

namespace {

class SoftkeyBar : public LayerTest {
protected:
    SoftkeyBar() { openInSetUp = false; }
    // The bar's labels as other programs read them: left, a tab, right.
    static std::string barText(HWND bar = standIn.bar) { return wintest::textOf(bar); }
};

TEST_F(SoftkeyBar, LabelsAreDrawnPlainAtZoomOneAndTwo)
{
    for (DWORD zoom : {1, 2}) {
        SCOPED_TRACE(testing::Message() << "zoom " << zoom);
        storeZoom(ZOOM_KEY, REG_DWORD, &zoom, sizeof zoom);
        open();
        const Pixels bar = wintest::screenPixels(standIn.bar);
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
        closeStandIn();
        pump();
    }
}

TEST_F(SoftkeyBar, F1F2AndTheProgramsNewTextAndCommandsPressAndShowWhatTheProgramSaid)
{
    open();
    EXPECT_EQ(barText(), "Start\tMenu");
    wchar_t label[32] = L"";
    UINT command = 0;
    ASSERT_EQ(softkeyInfo(standIn.bar, 0, label, 32, &command), 1);
    EXPECT_STREQ(label, L"Start");
    EXPECT_EQ(command, UINT(STAND_IN_START));
    EXPECT_EQ(softkeyInfo(standIn.bar, 2, label, 32, &command), 0) << "two softkeys";

    key(VK_F1);
    EXPECT_EQ(standIn.commands, std::vector<UINT>{STAND_IN_START});
    EXPECT_TRUE(standIn.keys.empty()) << "F1 is the softkey's";

    // The left key becomes "Again", sending STAND_IN_ONE; a label longer
    // than the bar's room is cut, never run past.
    wchar_t again[] = L"Again";
    TBBUTTONINFOW info = {};
    info.cbSize = sizeof info;
    info.dwMask = TBIF_TEXT | TBIF_COMMAND;
    info.idCommand = STAND_IN_ONE;
    info.pszText = again;
    EXPECT_EQ(SendMessageW(standIn.bar, TB_SETBUTTONINFOW, STAND_IN_START, reinterpret_cast<LPARAM>(&info)), 0);
    EXPECT_EQ(barText(), "Again\tMenu");
    key(VK_F1);
    EXPECT_EQ(standIn.commands, (std::vector<UINT>{STAND_IN_START, STAND_IN_ONE}));
    EXPECT_EQ(SendMessageW(standIn.bar, TB_SETBUTTONINFOW, STAND_IN_START, reinterpret_cast<LPARAM>(&info)), -1)
        << "no softkey sends that command any more";

    std::wstring longer(100, L'w');
    info.dwMask = TBIF_TEXT;
    info.pszText = &longer[0];
    EXPECT_EQ(SendMessageW(standIn.bar, TB_SETBUTTONINFOW, STAND_IN_MENU, reinterpret_cast<LPARAM>(&info)), 1);
    EXPECT_EQ(barText(), "Again\t" + std::string(31, 'w'));
}

TEST_F(SoftkeyBar, ABarResourceThatIsMissingOrMalformedIsRefusedAndTheWindowKeepsItsBar)
{
    open();
    const struct {
        UINT id;
        const char* what;
    } refused[] = {{999, "missing"},
                   {STAND_IN_NO_KEYS, "no button"},
                   {STAND_IN_THREE_KEYS, "three buttons"},
                   {STAND_IN_CUT_SHORT, "two buttons, one written"}};
    for (const auto& bar : refused) {
        EXPECT_EQ(giveBar(bar.id), nullptr) << bar.what;
        EXPECT_TRUE(IsWindowVisible(standIn.bar)) << bar.what;
        EXPECT_EQ(barText(), "Start\tMenu") << bar.what;
    }
    EXPECT_FALSE(SHCreateMenuBar(nullptr));
    EXPECT_FALSE(SHInitDialog(nullptr));

    // A label that is no string shows blank; the softkey still works.
    HWND other = giveBar(STAND_IN_NO_LABEL);
    ASSERT_NE(other, nullptr);
    EXPECT_FALSE(IsWindow(standIn.bar)) << "one bar to a window";
    EXPECT_EQ(barText(other), "\tMenu");
    EXPECT_EQ(pressSoftkey(other, 0), 1);
    EXPECT_EQ(standIn.commands, std::vector<UINT>{STAND_IN_START});
}

}  // namespace
