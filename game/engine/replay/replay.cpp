// A thousand seeded games played through the engine's own calls, the way
// the window plays them: a random player's keys (random_move.h) and
// gravity steps at the level's delay on a simulated clock, each landing
// finished as the window finishes it. How every game ended, and every
// repaint the engine asked for on the way, goes into one 64-bit digest,
// printed as the one line
//     replay: <games> games, digest <16 hex digits>
// The same source is built natively and for the handset's processor with no
// runtime (freestanding.cpp). Both draw the pieces from the handset's rand
// (handset_rand.cpp), so the two lines agree exactly when the handset's
// compilation of the engine plays as the native one does.
#include <cstdint>

#include "engine.h"
#include "random_move.h"
#include "replay.h"

namespace {

constexpr int GAMES = 1000;
constexpr int EVENT_CAP = 3000;  // keys and gravity steps in one game
constexpr uint32_t PIECE_SEED = 20261206;

// playMove's keys.
constexpr int KEY_TURN = 2;
constexpr int KEY_DOWN = 3;
constexpr int KEY_DROP = 4;

// FNV-1a over bytes. Every value goes in as four bytes, lowest first,
// whatever its width in the engine, so the order is the same everywhere.
uint64_t digest = 14695981039346656037ull;

void foldByte(uint32_t byte)
{
    digest ^= byte & 0xFF;
    digest *= 1099511628211ull;
}

void fold(int32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        foldByte(static_cast<uint32_t>(value) >> shift);
}

// The host's repaint: the area asked for goes into the digest, the whole
// window as -1.
void foldRepaint(const Rect* area)
{
    if (!area) {
        fold(-1);
        return;
    }
    fold(area->left);
    fold(area->top);
    fold(area->right);
    fold(area->bottom);
}

const EngineHost host = {foldRepaint, nullptr, nullptr};

// The player's dice (xorshift32), apart from the engine's rand, so the
// engine draws its pieces as it does in the game.
uint32_t dice = 2463534242u;

uint32_t nextDie()
{
    dice ^= dice << 13;
    dice ^= dice >> 17;
    dice ^= dice << 5;
    return dice;
}

// 0..n-1. Where n is known only at run time, the handset's processor
// divides through the compiler's helper.
int roll(int n) { return static_cast<int>(nextDie() % static_cast<uint32_t>(n)); }

struct Player {
    int keyGap;      // ms between keys: 1..keyGap
    int noise;       // one key in this many is a random one
    bool lookAhead;  // aims where the drop fills most rows, or else lands lowest
    bool patient;    // at its column, steps down instead of dropping
    bool aimed;      // the falling piece has its aim
    int turns;       // turns still to make
    int column;      // column to reach
};

void aim(Player& p)
{
    p.aimed = true;
    p.turns = roll(turnSteps(game.pieceType));
    p.column = roll(FIELD_COLUMNS) - 2;
    if (!p.lookAhead)
        return;
    findBestDrop(turnSteps(game.pieceType), -2, FIELD_COLUMNS - 2, p.turns, p.column);
}

void pressKey(Player& p)
{
    if (!p.aimed)
        aim(p);
    if (roll(p.noise) == 0) {
        playMove(roll(5));
    } else if (p.turns > 0) {
        --p.turns;
        playMove(KEY_TURN);
    } else if (game.pieceCol != p.column) {
        if (!movePiece(game.pieceCol > p.column ? MOVE_LEFT : MOVE_RIGHT))
            p.column = game.pieceCol;  // blocked: this column will do
    } else {
        playMove(p.patient ? KEY_DOWN : KEY_DROP);
    }
}

void playGame()
{
    Player p{};
    p.keyGap = 20 + roll(400);
    p.lookAhead = roll(2) == 0;
    p.noise = p.lookAhead ? 20 + roll(60) : 2 + roll(8);
    p.patient = roll(4) == 0;
    if (roll(8) == 0)
        seedRandom(nextDie());  // as after a restart of the program

    newGame();
    if (roll(4) == 0) {  // some games start far into play
        game.score = static_cast<int16_t>(roll(MAX_SCORE + 1));
        game.level = static_cast<int16_t>(1 + roll(MAX_LEVEL));
    }

    int32_t nextKey = 1 + roll(p.keyGap);
    int32_t nextFall = levelDelay[game.level - 1];
    int events = 0, landings = 0, rows = 0;
    for (; events < EVENT_CAP && !game.gameOver; ++events) {
        const bool fall = nextFall <= nextKey;
        if (fall)
            movePiece(MOVE_DOWN);
        else
            pressKey(p);
        if (game.landed) {
            ++landings;
            rows += fullRows();
            landPiece();
            game.landed = 0;
            game.linesCleared = 0;
            p.aimed = false;
        }
        if (fall) {
            const int16_t delay = levelDelay[game.level - 1];
            nextFall += delay > 0 ? delay : 1;
        } else {
            nextKey += 1 + roll(p.keyGap);
        }
    }

    fold(game.score);
    fold(game.level);
    fold(rows);
    fold(landings);
    fold(events);
    fold(game.gameOver);
    fold(game.newRecord);
    fold(game.pieceType);
    fold(game.nextType);
    for (uint8_t cell : game.board)
        foldByte(cell);
}

int append(char* line, int at, const char* text)
{
    while (*text)
        line[at++] = *text++;
    return at;
}

}  // namespace

int runReplay()
{
    resetGameState();
    initLayout();
    setEngineHost(&host);
    seedRandom(PIECE_SEED);
    game.pieceType = randomType();
    for (int g = 0; g < GAMES; ++g)
        playGame();
    for (int32_t score : game.highScores)
        fold(score);

    char line[64];
    char digits[12];
    int n = 0;
    for (int left = GAMES; left > 0 || n == 0; left /= 10)
        digits[n++] = static_cast<char>('0' + left % 10);
    int at = append(line, 0, "replay: ");
    while (n > 0)
        line[at++] = digits[--n];
    at = append(line, at, " games, digest ");
    for (int shift = 60; shift >= 0; shift -= 4)
        line[at++] = "0123456789abcdef"[(digest >> shift) & 0xF];
    line[at++] = '\n';
    return write(1, line, static_cast<std::size_t>(at)) == at ? 0 : 1;
}

int main() { return runReplay(); }
