// handset-play play|dialogs [--away]: the handset's image under Wine on ARM,
// started by ce-start.exe beside this program, driven from outside as a
// player drives it: keys to its window, its softkey commands, its pixels
// read back. Prints what failed and ends with 1, or ends with 0.
//
//   play     the piece moves, turns and lands, a row clears and the score
//            rises; a game played to its end opens the high-score board;
//            the quit question, answered Yes, ends the program with 0,
//            leaving the five high scores in the registry with the new one
//   dialogs  the softkey menu, the about box and the high-score board open
//            and close; the quit question shows its text and buttons, and
//            No leaves the game running
//   --away   the image is loaded away from its preferred base (ce-start)
#include "geometry.h"
#include "resource_ids.h"
#include "window_reading.h"

using namespace handset_test;

namespace {

int failures = 0;
HANDLE gameProcess = nullptr;  // ended when a test stops half-way

void check(bool ok, const char* what)
{
    print(ok ? "  ok: " : "  FAILED: ");
    print(what);
    print("\n");
    failures += ok ? 0 : 1;
}

[[noreturn]] void stop(const char* what)
{
    check(false, what);
    if (gameProcess)
        TerminateProcess(gameProcess, 99);
    ExitProcess(1);
}

void press(HWND window, UINT key)
{
    PostMessageW(window, WM_KEYDOWN, key, 1);
    PostMessageW(window, WM_KEYUP, key, 0xC0000001);
}

constexpr unsigned FULL_ROW = (1u << FIELD_COLUMNS) - 1;

// The well, or a piece in it: a row a bit mask of its columns, row 0 at
// the bottom.
struct Well {
    unsigned row[FIELD_ROWS];

    bool operator==(const Well& o) const
    {
        for (int r = 0; r < FIELD_ROWS; ++r)
            if (row[r] != o.row[r])
                return false;
        return true;
    }
    int count() const
    {
        int n = 0;
        for (unsigned bits : row)
            for (; bits; bits &= bits - 1)
                ++n;
        return n;
    }
    Well less(const Well& o) const
    {
        Well d = *this;
        for (int r = 0; r < FIELD_ROWS; ++r)
            d.row[r] &= ~o.row[r];
        return d;
    }
    int lowest() const
    {
        int r = 0;
        while (r < FIELD_ROWS - 1 && !row[r])
            ++r;
        return r;
    }
    int left() const
    {
        unsigned all = 0;
        for (unsigned bits : row)
            all |= bits;
        int c = 0;
        while (c < FIELD_COLUMNS - 1 && !(all >> c & 1))
            ++c;
        return c;
    }
    // Moved to the bottom left corner: the shape alone, wherever it is.
    Well shape() const
    {
        Well s = {};
        for (int r = lowest(); r < FIELD_ROWS; ++r)
            s.row[r - lowest()] = row[r] >> left();
        return s;
    }
};

// A cell holds a square unless most of its inner pixels are the well's
// deep, dark blue (a star here and there does not count).
bool darkSpace(DWORD rgb) { return (rgb >> 16 & 0xFF) < 48 && (rgb >> 8 & 0xFF) < 48 && (rgb & 0xFF) < 64; }

struct Game {
    Started program;
    HWND window = nullptr;
    int zoom = 1;

    Well readWell() const
    {
        Picture picture = capture(window, 0, 0, FRAME_WIDTH * zoom, FRAME_HEIGHT * zoom);
        Well w = {};
        for (int r = 0; r < FIELD_ROWS; ++r)
            for (int c = 0; c < FIELD_COLUMNS; ++c) {
                const Rect place = cellRect(r, c);
                int dark = 0;
                for (int y = place.top + 2; y < place.bottom - 2; ++y)
                    for (int x = place.left + 2; x < place.right - 2; ++x)
                        dark += darkSpace(picture.at(x * zoom + zoom / 2, y * zoom + zoom / 2));
                w.row[r] |= (dark < 32 ? 1u : 0u) << c;
            }
        release(picture);
        return w;
    }
    // The well, read until two reads agree (never half a repaint).
    Well well() const
    {
        Well last = readWell(), now = last;
        eventually([&] { return (last = now, now = readWell()) == last; });
        return now;
    }
    // Waits until the well is no longer before; the new well in *now.
    bool wellChanges(const Well& before, Well* now) const
    {
        return eventually([&] { return !((*now = well()) == before); });
    }
    Picture area(const Rect& r) const
    {
        return capture(window, r.left * zoom, r.top * zoom, (r.right - r.left) * zoom, (r.bottom - r.top) * zoom);
    }
    HWND waitFor(const wchar_t* className) const
    {
        HWND found = nullptr;
        eventually([&] { return (found = program.window(className)) != nullptr || !program.running(); });
        return found;
    }
    bool waitGone(const wchar_t* className) const
    {
        return eventually([&] { return program.window(className) == nullptr; });
    }
};

Game startGame(bool away)
{
    static wchar_t folder[MAX_PATH];
    static wchar_t command[MAX_PATH * 3];
    for (DWORD i = GetModuleFileNameW(nullptr, folder, MAX_PATH); i > 0 && folder[i - 1] != L'\\'; --i)
        folder[i - 1] = L'\0';
    wsprintfW(command, L"\"%sce-start.exe\" %s\"%skubrelse.exe\"", folder, away ? L"--away " : L"", folder);
    chooseZoom(2);
    Game game;
    const bool started = game.program.start(command);
    gameProcess = game.program.process.hProcess;
    if (!started || !(game.window = game.program.waitForWindow(GAME_CLASS)))
        stop("ce-start.exe starts the image and its window comes up");
    RECT client = {};
    GetClientRect(game.window, &client);
    game.zoom = client.right / FRAME_WIDTH;
    const auto base = static_cast<unsigned long>(GetWindowLongW(game.window, GWL_HINSTANCE));
    char line[120];
    wsprintfA(line, "the image runs at 0x%08lx, zoom %d\n", base, game.zoom);
    print(line);
    if (away)
        check(base != 0x10000, "the image was loaded away from its preferred base 0x10000");
    Picture first = firstFrame(game.window);
    release(first);
    return game;
}

// settled with piece moved dc columns and dropped as far as it goes, full
// rows cleared; false where it does not fit there. The rows cleared in
// *cleared.
bool dropped(const Well& settled, const Well& piece, int dc, Well* result, int* cleared)
{
    Well moved = {};
    for (int r = 0; r < FIELD_ROWS; ++r) {
        moved.row[r] = dc >= 0 ? piece.row[r] << dc : piece.row[r] >> -dc;
        if ((moved.row[r] & ~FULL_ROW) || (dc < 0 && (piece.row[r] & ((1u << -dc) - 1))))
            return false;
    }
    auto fits = [&](int down) {
        for (int r = 0; r < FIELD_ROWS; ++r)
            if (moved.row[r] && (r < down || (moved.row[r] & settled.row[r - down])))
                return false;
        return true;
    };
    if (!fits(0))
        return false;
    int down = 0;
    while (fits(down + 1))
        ++down;
    Well w = settled;
    for (int r = down; r < FIELD_ROWS; ++r)
        w.row[r - down] |= moved.row[r];
    *cleared = 0;
    *result = {};
    for (int r = 0, to = 0; r < FIELD_ROWS; ++r)
        if (w.row[r] == FULL_ROW)
            ++*cleared;
        else
            result->row[to++] = w.row[r];
    return true;
}

// How good a well is for clearing a row soon: rows cleared first, then
// full rows low down, few holes under a square.
int worth(const Well& w, int cleared)
{
    int value = cleared * 100000;
    for (int r = 0; r < FIELD_ROWS; ++r) {
        Well one = {};
        one.row[0] = w.row[r];
        value += one.count() * one.count() * (FIELD_ROWS - r);
        if (r + 1 < FIELD_ROWS)
            for (unsigned holes = ~w.row[r] & w.row[r + 1] & FULL_ROW; holes; holes &= holes - 1)
                value -= 400;
    }
    return value;
}

// The rows where a piece comes in; those below hold what has settled, as
// long as the stack stays low, which the player below sees to.
constexpr int SPAWN_ROWS = 4;
constexpr DWORD STEP_MS = 10000;  // for one key's effect, within a piece's fall

// What one piece's play showed.
struct Played {
    int turned;   // turns seen
    int landed;   // landings exactly where the piece was dropped
    int cleared;  // rows cleared
};

// Plays the piece in the spawn rows: reads its turns by turning it,
// chooses where it clears most, turns and moves it there and drops it, and
// waits until the well shows it landed and the next piece come. Where
// gravity has landed it first (a loaded machine is slow), whatever piece
// is falling is dropped as it is, and *settled read anew once the next
// one has come: the well below the spawn rows.
void playPiece(Game& game, Well* settled, Played* played)
{
    Well now = {}, piece = {};
    auto read = [&] { return (piece = (now = game.well()).less(*settled)).count() == 4; };
    auto afterKey = [&](UINT key, auto done) {
        press(game.window, key);
        return eventually([&] { return read() && done(); }, STEP_MS);
    };
    auto resync = [&] {
        const Well before = game.well();
        press(game.window, VK_DOWN);
        eventually([&] {
            Well spawn = now = game.well();
            for (int r = 0; r < FIELD_ROWS - SPAWN_ROWS; ++r)
                spawn.row[r] = 0;
            return !(now == before) && spawn.count() == 4;
        });
        *settled = now;
        for (int r = FIELD_ROWS - SPAWN_ROWS; r < FIELD_ROWS; ++r)
            settled->row[r] = 0;
    };
    if (!eventually(read, STEP_MS))
        return resync();
    Well turns[4];
    turns[0] = piece;
    const int low = piece.lowest();
    const unsigned bottom = piece.row[low];
    const bool square = piece.row[low + 1] == bottom && bottom == (bottom & (0u - bottom)) * 3;
    for (int t = 1; t <= 4 && !square; ++t) {
        const Well before = piece.shape();
        if (!afterKey(VK_UP, [&] { return !(piece.shape() == before); }))
            return resync();
        turns[t % 4] = piece;
        ++played->turned;
    }
    int best = -1000000, bestTurn = 0, bestColumn = 0;
    for (int t = 0; t < (square ? 1 : 4); ++t)
        for (int column = 0; column < FIELD_COLUMNS; ++column) {
            Well result;
            int cleared = 0;
            if (dropped(*settled, turns[t], column - turns[t].left(), &result, &cleared) &&
                worth(result, cleared) > best) {
                best = worth(result, cleared);
                bestTurn = t;
                bestColumn = column;
            }
        }
    for (int t = 0; t < bestTurn; ++t) {
        const Well before = piece.shape();
        if (!afterKey(VK_UP, [&] { return !(piece.shape() == before); }))
            return resync();
    }
    while (piece.left() != bestColumn) {
        const int before = piece.left();
        if (!afterKey(before > bestColumn ? VK_LEFT : VK_RIGHT, [&] { return piece.left() != before; }))
            return resync();
    }
    Well landed;
    int cleared = 0;
    if (!dropped(*settled, piece, 0, &landed, &cleared))
        return resync();
    press(game.window, VK_DOWN);
    if (!eventually([&] { return (now = game.well()).less(landed).count() == 4 && landed.less(now).count() == 0; },
                    STEP_MS))
        return resync();
    *settled = landed;
    ++played->landed;
    played->cleared += cleared;
}

constexpr wchar_t SCORES_KEY[] = L"Software\\Nolvo Systems Inc.\\KubrelSE\\MainSection";

int playCommand(bool away)
{
    // Every score in the table 0 before the game reads it, so that its own
    // enters it.
    HKEY key = nullptr;
    RegCreateKeyExW(HKEY_CURRENT_USER, SCORES_KEY, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &key, nullptr);
    wchar_t name[16];
    for (int i = 0; i < 5; ++i) {
        const DWORD zero = 0;
        wsprintfW(name, L"HiScore%d", i + 1);
        RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&zero), sizeof zero);
    }
    Game game = startGame(away);

    const Well title = game.well();
    Well now, settled = {};
    press(game.window, VK_F1);  // Start
    check(game.wellChanges(title, &now) && now.count() == 4, "Start brings the first piece");
    press(game.window, VK_LEFT);
    check(eventually([&] { return game.well().left() == now.left() - 1; }), "Left moves the piece one column");

    Picture scoreBefore = game.area(SCORE_RECT);
    Played played = {};
    int pieces = 0;
    for (; pieces < 30 && !played.cleared; ++pieces)
        playPiece(game, &settled, &played);
    char line[160];
    wsprintfA(line, "%d pieces: %d turns, %d landed where dropped, %d rows cleared\n", pieces, played.turned,
              played.landed, played.cleared);
    print(line);
    check(played.turned > 0 && played.landed > 0, "the pieces turn, and land where they are dropped");
    check(played.cleared > 0, "a full row clears");
    Picture scoreAfter = game.area(SCORE_RECT);
    check(!samePixels(scoreBefore, scoreAfter), "the score shows a new number");

    // Played to its end: drops until the high-score board opens.
    HWND board = nullptr;
    for (int drops = 0; drops < 60 && !board; ++drops) {
        const Well before = game.well();
        press(game.window, VK_DOWN);
        eventually([&] { return (board = game.program.window(L"#32770")) || !(game.well() == before); });
    }
    check(board != nullptr, "a game played to its end opens the high-score board");
    if (board)
        press(board, VK_F1);  // Continue
    check(game.waitGone(L"#32770"), "Continue closes the board");

    PostMessageW(game.window, WM_COMMAND, CMD_QUIT, 0);
    HWND question = game.waitFor(L"#32770");
    check(question != nullptr, "Quit asks its question");
    if (question)
        PostMessageW(question, WM_COMMAND, IDYES, 0);
    check(game.program.finish() == 0, "Yes ends the game with 0");

    DWORD scores[5] = {};
    int stored = 0, ordered = 1;
    for (int i = 0; i < 5; ++i) {
        DWORD size = sizeof scores[i];
        wsprintfW(name, L"HiScore%d", i + 1);
        stored += RegQueryValueExW(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(&scores[i]), &size) ==
                  ERROR_SUCCESS;
        ordered &= i == 0 || scores[i - 1] >= scores[i];
    }
    RegCloseKey(key);
    wsprintfA(line, "high scores in the registry: %lu %lu %lu %lu %lu\n", scores[0], scores[1], scores[2], scores[3],
              scores[4]);
    print(line);
    check(stored == 5 && ordered && scores[0] > 0, "the five high scores, best first, the game's own among them");
    return failures ? 1 : 0;
}

// The visible texts and buttons of a box that show a text, and how many of
// them the screen shows drawn (not all one colour).
void controlsOf(HWND box, int* texts, int* buttons, int* drawn)
{
    *texts = *buttons = *drawn = 0;
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t name[32] = L"", text[128] = L"";
        GetClassNameW(child, name, 32);
        GetWindowTextW(child, text, 128);
        const int isButton = !lstrcmpiW(name, L"Button"), isText = !lstrcmpiW(name, L"Static");
        if (!IsWindowVisible(child) || !(isButton || isText) || !text[0])
            continue;
        RECT r = {};
        GetClientRect(child, &r);
        Picture p = capture(child, 0, 0, r.right, r.bottom);
        int uniform = 1;
        for (int i = 1; i < p.width * p.height && uniform; ++i)
            uniform = p.rgb[i] == p.rgb[0];
        release(p);
        *drawn += !uniform;
        *buttons += isButton;
        *texts += isText;
    }
}

int dialogsCommand(bool away)
{
    Game game = startGame(away);
    press(game.window, VK_F2);
    HWND menu = game.waitFor(L"#32768");
    check(menu != nullptr, "the Menu softkey drops its menu down");
    if (menu)
        press(menu, VK_ESCAPE);
    press(game.window, VK_ESCAPE);
    check(game.waitGone(L"#32768"), "Escape closes the menu");

    const UINT dialogs[] = {CMD_ABOUT, CMD_HISCORE};
    for (UINT command : dialogs) {
        PostMessageW(game.window, WM_COMMAND, command, 0);
        HWND dialog = game.waitFor(L"#32770");
        check(dialog != nullptr, command == CMD_ABOUT ? "the about box opens" : "the high-score board opens");
        if (dialog)
            press(dialog, VK_F1);
        check(game.waitGone(L"#32770"), "its Continue softkey closes it");
    }

    PostMessageW(game.window, WM_COMMAND, CMD_QUIT, 0);
    HWND question = game.waitFor(L"#32770");
    check(question != nullptr, "Quit asks its question");
    if (question) {
        int texts = 0, buttons = 0, drawn = 0;
        eventually([&] {
            controlsOf(question, &texts, &buttons, &drawn);
            return texts >= 1 && buttons == 2 && drawn == texts + buttons;
        });
        char line[120];
        wsprintfA(line, "the question box: %d texts, %d buttons, %d of them drawn\n", texts, buttons, drawn);
        print(line);
        check(texts >= 1 && buttons == 2, "the question box holds its text and two buttons");
        check(drawn == texts + buttons, "the box draws its text and its buttons");
        PostMessageW(question, WM_COMMAND, IDNO, 0);
        check(game.waitGone(L"#32770") && game.program.running(), "No leaves the game running");
    }
    PostMessageW(game.window, WM_CLOSE, 0, 0);
    check(game.program.finish() == 0, "closing the window ends the game with 0");
    return failures ? 1 : 0;
}

}  // namespace

extern "C" void handsetPlayMain()
{
    static wchar_t command[16];
    LPWSTR arguments = pastArgument(GetCommandLineW());
    copyArgument(arguments, command, 16);
    const bool away = !lstrcmpW(pastArgument(arguments), L"--away");
    if (!lstrcmpW(command, L"play"))
        ExitProcess(playCommand(away));
    if (!lstrcmpW(command, L"dialogs"))
        ExitProcess(dialogsCommand(away));
    print("usage: handset-play play|dialogs [--away]\n");
    ExitProcess(2);
}
