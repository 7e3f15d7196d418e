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
    ExitProcess(1);
}

void press(HWND window, UINT key)
{
    PostMessageW(window, WM_KEYDOWN, key, 1);
    PostMessageW(window, WM_KEYUP, key, 0xC0000001);
}

// The well as the screen shows it: 1 for a cell holding a square. A cell is
// empty when most of its inner pixels are the well's deep, dark blue (a
// star here and there does not count).
struct Board {
    int cell[FIELD_ROWS][FIELD_COLUMNS];

    int count() const
    {
        int n = 0;
        for (const auto& row : cell)
            for (int c : row)
                n += c;
        return n;
    }
};

bool darkSpace(DWORD rgb) { return (rgb >> 16 & 0xFF) < 48 && (rgb >> 8 & 0xFF) < 48 && (rgb & 0xFF) < 64; }

struct Game {
    Started program;
    HWND window = nullptr;
    int zoom = 1;

    Picture frame() const { return capture(window, 0, 0, FRAME_WIDTH * zoom, FRAME_HEIGHT * zoom); }

    // The well, read until two reads agree (never half a repaint).
    Board board() const
    {
        Board last = readBoard();
        for (;;) {
            const Board now = readBoard();
            if (same(now, last))
                return now;
            last = now;
        }
    }
    static bool same(const Board& a, const Board& b)
    {
        for (int r = 0; r < FIELD_ROWS; ++r)
            for (int c = 0; c < FIELD_COLUMNS; ++c)
                if (a.cell[r][c] != b.cell[r][c])
                    return false;
        return true;
    }
    Board readBoard() const
    {
        Picture picture = frame();
        Board b = {};
        for (int r = 0; r < FIELD_ROWS; ++r)
            for (int c = 0; c < FIELD_COLUMNS; ++c) {
                const Rect place = cellRect(r, c);
                int dark = 0;
                for (int y = place.top + 2; y < place.bottom - 2; ++y)
                    for (int x = place.left + 2; x < place.right - 2; ++x)
                        dark += darkSpace(picture.at(x * zoom + zoom / 2, y * zoom + zoom / 2));
                b.cell[r][c] = dark < 32;
            }
        release(picture);
        return b;
    }

    // The pixels of r, at the frame's own scale.
    Picture area(const Rect& r) const
    {
        return capture(window, r.left * zoom, r.top * zoom, (r.right - r.left) * zoom, (r.bottom - r.top) * zoom);
    }

    // Waits until the well differs from before; the new well in *now.
    bool wellChanges(const Board& before, Board* now) const
    {
        return eventually([&] { return !same(*now = board(), before); });
    }

    // A visible window of className that is not the game's own window.
    HWND waitForOther(const wchar_t* className) const
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
    const DWORD length = GetModuleFileNameW(nullptr, folder, MAX_PATH);
    for (DWORD i = length; i > 0 && folder[i - 1] != L'\\'; --i)
        folder[i - 1] = L'\0';
    wsprintfW(command, L"\"%sce-start.exe\" %s\"%skubrelse.exe\"", folder, away ? L"--away " : L"", folder);
    chooseZoom(2);
    Game game;
    if (!game.program.start(command))
        stop("ce-start.exe starts");
    game.window = game.program.waitForWindow(GAME_CLASS);
    if (!game.window)
        stop("the game's window comes up");
    RECT client = {};
    GetClientRect(game.window, &client);
    game.zoom = client.right / FRAME_WIDTH;
    const auto base = static_cast<ULONG_PTR>(GetWindowLongW(game.window, GWL_HINSTANCE));
    char line[120];
    wsprintfA(line, "the image runs at 0x%08lx, zoom %d\n", static_cast<unsigned long>(base), game.zoom);
    print(line);
    if (away)
        check(base != 0x10000, "the image was loaded away from its preferred base 0x10000");
    Picture first = firstFrame(game.window);
    release(first);
    return game;
}

// The squares of b that a are not, as (row, column) pairs; their number.
int difference(const Board& a, const Board& b, int cells[][2], int room)
{
    int n = 0;
    for (int r = 0; r < FIELD_ROWS; ++r)
        for (int c = 0; c < FIELD_COLUMNS; ++c)
            if (a.cell[r][c] && !b.cell[r][c] && n < room) {
                cells[n][0] = r;
                cells[n][1] = c;
                ++n;
            }
    return n;
}

// A piece as four (row, column) squares, and its lowest row and leftmost
// column.
struct Shape {
    int cells[4][2];
    int n;
    int low() const
    {
        int m = FIELD_ROWS;
        for (int i = 0; i < n; ++i)
            m = cells[i][0] < m ? cells[i][0] : m;
        return m;
    }
    int left() const
    {
        int m = FIELD_COLUMNS;
        for (int i = 0; i < n; ++i)
            m = cells[i][1] < m ? cells[i][1] : m;
        return m;
    }
};

Shape pieceOf(const Board& now, const Board& settled)
{
    Shape s = {};
    s.n = difference(now, settled, s.cells, 4);
    return s;
}

// settled with shape moved by dc columns and dropped as far as it goes;
// false where the shape does not fit there at all.
bool dropped(const Board& settled, const Shape& shape, int dc, Board* result)
{
    const int low = shape.low();
    for (int i = 0; i < shape.n; ++i)
        if (shape.cells[i][1] + dc < 0 || shape.cells[i][1] + dc >= FIELD_COLUMNS)
            return false;
    auto fits = [&](int dr) {
        for (int i = 0; i < shape.n; ++i) {
            const int r = shape.cells[i][0] - dr, c = shape.cells[i][1] + dc;
            if (r < 0 || (r < FIELD_ROWS && settled.cell[r][c]))
                return false;
        }
        return true;
    };
    if (!fits(0))
        return false;
    int dr = 0;
    while (dr < low && fits(dr + 1))
        ++dr;
    *result = settled;
    for (int i = 0; i < shape.n; ++i)
        result->cell[shape.cells[i][0] - dr][shape.cells[i][1] + dc] = 1;
    return true;
}

// How good a well is for clearing a row soon: full rows first, then the
// fullest row low down, few holes and a low stack.
int worth(const Board& b)
{
    int value = 0;
    for (int r = 0; r < FIELD_ROWS; ++r) {
        int filled = 0;
        for (int c = 0; c < FIELD_COLUMNS; ++c)
            filled += b.cell[r][c];
        value += filled == FIELD_COLUMNS ? 10000 : filled * filled * (FIELD_ROWS - r);
        for (int c = 0; c < FIELD_COLUMNS; ++c)
            if (!b.cell[r][c] && r + 1 < FIELD_ROWS && b.cell[r + 1][c])
                value -= 400;
    }
    return value;
}

// settled less its full rows, those above moving down; how many went.
int clearRows(Board* b)
{
    int cleared = 0;
    for (int r = 0; r < FIELD_ROWS;) {
        int filled = 0;
        for (int c = 0; c < FIELD_COLUMNS; ++c)
            filled += b->cell[r][c];
        if (filled < FIELD_COLUMNS) {
            ++r;
            continue;
        }
        for (int above = r; above + 1 < FIELD_ROWS; ++above)
            for (int c = 0; c < FIELD_COLUMNS; ++c)
                b->cell[above][c] = b->cell[above + 1][c];
        for (int c = 0; c < FIELD_COLUMNS; ++c)
            b->cell[FIELD_ROWS - 1][c] = 0;
        ++cleared;
    }
    return cleared;
}

bool isSquare(const Shape& s)
{
    int rows = 0, columns = 0;
    for (int i = 0; i < s.n; ++i) {
        rows += s.cells[i][0] != s.cells[0][0];
        columns += s.cells[i][1] != s.cells[0][1];
    }
    return s.n == 4 && rows == 2 && columns == 2;
}

// Plays one piece: reads its turns by turning it, chooses where it clears
// most, turns and moves it there and drops it, and waits until the well
// shows it landed: settled becomes the well without the next piece. The
// rows it cleared.
int playPiece(Game& game, Board* settled)
{
    Board now = game.board();
    Shape turns[4];
    int turnCount = 1;
    turns[0] = pieceOf(now, *settled);
    if (!isSquare(turns[0])) {
        turnCount = 4;
        for (int t = 1; t <= 4; ++t) {
            press(game.window, VK_UP);
            Board next;
            if (!game.wellChanges(now, &next))
                stop("the piece turns");
            now = next;
            turns[t % 4] = pieceOf(now, *settled);
        }
    }
    int best = -1000000, bestTurn = 0, bestColumn = 0;
    for (int t = 0; t < turnCount; ++t)
        for (int column = 0; column < FIELD_COLUMNS; ++column) {
            Board result;
            if (turns[t].n == 4 && dropped(*settled, turns[t], column - turns[t].left(), &result) &&
                worth(result) > best) {
                best = worth(result);
                bestTurn = t;
                bestColumn = column;
            }
        }
    for (int t = 0; t < bestTurn; ++t) {
        press(game.window, VK_UP);
        Board next;
        game.wellChanges(now, &next);
        now = next;
    }
    Shape piece = pieceOf(now, *settled);
    for (int moves = 0; piece.left() != bestColumn && moves < FIELD_COLUMNS; ++moves) {
        const int before = piece.left();
        press(game.window, piece.left() > bestColumn ? VK_LEFT : VK_RIGHT);
        eventually([&] {
            now = game.board();
            piece = pieceOf(now, *settled);
            return piece.n == 4 && piece.left() != before;
        });
    }
    Board landed;
    if (piece.n != 4 || !dropped(*settled, piece, 0, &landed))
        stop("the piece is where it was moved");
    const int cleared = clearRows(&landed);
    press(game.window, VK_DOWN);
    // Landed: the well shows what settled and the next piece.
    const bool shown = eventually([&] {
        now = game.board();
        int gone[4][2], fresh[4][2];
        return difference(landed, now, gone, 4) == 0 && difference(now, landed, fresh, 4) == 4;
    });
    if (!shown)
        stop("the piece lands where it was dropped, full rows cleared");
    *settled = landed;
    return cleared;
}

int playCommand(bool away)
{
    // Every score in the table 0 before the game reads it, so the game's
    // own enters it.
    HKEY key = nullptr;
    RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Nolvo Systems Inc.\\KubrelSE\\MainSection", 0, nullptr, 0,
                    KEY_READ | KEY_WRITE, nullptr, &key, nullptr);
    for (int i = 0; i < 5; ++i) {
        wchar_t name[16];
        wsprintfW(name, L"HiScore%d", i + 1);
        const DWORD zero = 0;
        RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&zero), sizeof zero);
    }
    Game game = startGame(away);

    const Board title = game.board();
    press(game.window, VK_F1);  // Start
    Board now;
    check(game.wellChanges(title, &now) && now.count() == 4, "Start brings the first piece");
    Board settled = {};
    const Shape piece = pieceOf(now, settled);
    press(game.window, VK_LEFT);
    Board moved;
    check(game.wellChanges(now, &moved) && pieceOf(moved, settled).left() == piece.left() - 1,
          "Left moves the piece one column");

    Picture scoreBefore = game.area(SCORE_RECT);
    int cleared = 0, pieces = 0;
    for (; pieces < 30 && !cleared; ++pieces)
        cleared = playPiece(game, &settled);
    char line[160];
    wsprintfA(line, "%d pieces turned, moved and dropped; %d rows cleared\n", pieces, cleared);
    print(line);
    check(cleared > 0, "the pieces turn and land, and a full row clears");
    Picture scoreAfter = game.area(SCORE_RECT);
    check(!samePixels(scoreBefore, scoreAfter), "the score shows a new number");

    // Played to its end: drops until the high-score board opens.
    HWND board = nullptr;
    for (int drops = 0; drops < 60 && !board; ++drops) {
        const Board before = game.board();
        press(game.window, VK_DOWN);
        eventually([&] { return (board = game.program.window(L"#32770")) || !Game::same(game.board(), before); });
    }
    check(board != nullptr, "a game played to its end opens the high-score board");
    if (board)
        press(board, VK_F1);  // Continue
    check(game.waitGone(L"#32770"), "Continue closes the board");

    PostMessageW(game.window, WM_COMMAND, CMD_QUIT, 0);
    HWND question = game.waitForOther(L"#32770");
    check(question != nullptr, "Quit asks its question");
    if (question)
        PostMessageW(question, WM_COMMAND, IDYES, 0);
    check(game.program.finish() == 0, "Yes ends the game with 0");

    DWORD scores[5] = {};
    int stored = 0, ordered = 1;
    for (int i = 0; i < 5; ++i) {
        wchar_t name[16];
        wsprintfW(name, L"HiScore%d", i + 1);
        DWORD size = sizeof scores[i];
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

// The visible texts and buttons of a message box that show a text, and how
// many of them the screen shows drawn: not all one colour.
struct BoxControls {
    int statics, buttons, drawn;
};

BoxControls controlsOf(HWND box)
{
    BoxControls seen = {};
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t name[32] = L"", text[128] = L"";
        GetClassNameW(child, name, 32);
        GetWindowTextW(child, text, 128);
        const int isButton = !lstrcmpiW(name, L"Button"), isStatic = !lstrcmpiW(name, L"Static");
        if (!IsWindowVisible(child) || !(isButton || isStatic) || !text[0])
            continue;
        RECT r = {};
        GetClientRect(child, &r);
        Picture p = capture(child, 0, 0, r.right, r.bottom);
        int uniform = 1;
        for (int i = 1; i < p.width * p.height && uniform; ++i)
            uniform = p.rgb[i] == p.rgb[0];
        release(p);
        seen.drawn += !uniform;
        seen.buttons += isButton;
        seen.statics += isStatic;
    }
    return seen;
}

int dialogsCommand(bool away)
{
    Game game = startGame(away);
    press(game.window, VK_F2);
    check(game.waitForOther(L"#32768") != nullptr, "the Menu softkey drops its menu down");
    HWND menu = game.program.window(L"#32768");
    if (menu)
        press(menu, VK_ESCAPE);
    press(game.window, VK_ESCAPE);
    check(game.waitGone(L"#32768"), "Escape closes the menu");

    const UINT dialogs[] = {CMD_ABOUT, CMD_HISCORE};
    for (UINT command : dialogs) {
        PostMessageW(game.window, WM_COMMAND, command, 0);
        HWND dialog = game.waitForOther(L"#32770");
        check(dialog != nullptr, command == CMD_ABOUT ? "the about box opens" : "the high-score board opens");
        if (dialog)
            press(dialog, VK_F1);
        check(game.waitGone(L"#32770"), "its Continue softkey closes it");
    }

    PostMessageW(game.window, WM_COMMAND, CMD_QUIT, 0);
    HWND question = game.waitForOther(L"#32770");
    check(question != nullptr, "Quit asks its question");
    if (question) {
        BoxControls seen = {};
        eventually([&] {
            seen = controlsOf(question);
            return seen.statics >= 1 && seen.buttons == 2 && seen.drawn == seen.statics + seen.buttons;
        });
        char line[120];
        wsprintfA(line, "the question box: %d texts, %d buttons, %d of them drawn\n", seen.statics, seen.buttons,
                  seen.drawn);
        print(line);
        check(seen.statics >= 1 && seen.buttons == 2, "the question box holds its text and two buttons");
        check(seen.drawn == seen.statics + seen.buttons, "the box draws its text and its buttons");
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
