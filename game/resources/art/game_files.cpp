#include <cstdio>

#include "../resource_ids.h"
#include "game_art.h"
#include "resources.h"
#include "sounds.h"
#include "tile_table.h"

namespace {

struct Picture {
    int id;
    std::string file;
    Image image;
};

std::vector<Picture> gamePictures()
{
    std::vector<Picture> list;
    list.push_back({IDB_BACKGROUND, "background.bmp", backgroundPicture()});
    for (int t = 1; t <= PIECE_TYPES; ++t)
        list.push_back({IDB_PREVIEW_BASE + t, "preview" + std::to_string(t) + ".bmp", previewPicture(t)});
    for (int t = 1; t <= PIECE_TYPES; ++t)
        list.push_back({IDB_CELL_BASE + t, "cell" + std::to_string(t) + ".bmp", cellPicture(t)});
    list.push_back({IDB_GAME_OVER, "gameover.bmp", gameOverBanner()});
    for (int d = 0; d <= 9; ++d)
        list.push_back({IDB_DIGIT_BASE + d, "digit" + std::to_string(d) + ".bmp", digitPicture(d)});
    list.push_back({IDB_INSTRUCTIONS, "instructions.bmp", instructionsPicture()});
    list.push_back({IDB_PAUSED, "paused.bmp", pausedBanner()});
    list.push_back({IDB_HISCORE_BOARD, "hiscore.bmp", hiscoreBoardPicture()});
    return list;
}

// Numbers as the game draws them: digits 9 pixels apart, centred in the area.
void drawNumber(Image& frame, int value, const Rect& area)
{
    int n = 1;
    for (int v = value / 10; v > 0; v /= 10)
        ++n;
    int x = area.left + (area.right - area.left - 9 * n) / 2 + 9 * n - 9;
    int y = area.top + (area.bottom - area.top - 12) / 2;
    for (int i = 0; i < n; ++i, value /= 10, x -= 9)
        frame.blit(digitPicture(value % 10), x, y);
}

void drawCentred(Image& frame, const Image& picture, const Rect& area)
{
    frame.blit(picture,
               area.left + (area.right - area.left - picture.width) / 2,
               area.top + (area.bottom - area.top - picture.height) / 2);
}

bool indexed(const Image& img, size_t colours, IndexedImage& out, const std::string& what, std::string& error)
{
    if (indexColours(img, colours, out, error))
        return true;
    error = what + ": " + error;
    return false;
}

}  // namespace

bool buildGameFiles(std::vector<OutputFile>& files, std::string& error)
{
    for (const Picture& p : gamePictures()) {
        IndexedImage img;
        if (!indexed(p.image, 256, img, p.file, error))
            return false;
        files.push_back({p.file, bmpFile(img, 8)});
    }

    IndexedImage big16, small16, big256;
    if (!indexed(gameIcon(32, false), 16, big16, "icon 32 x 32 x 16", error) ||
        !indexed(gameIcon(16, false), 16, small16, "icon 16 x 16 x 16", error) ||
        !indexed(gameIcon(32, true), 256, big256, "icon 32 x 32 x 256", error))
        return false;
    files.push_back({"kubrelse.ico",
                     icoFile({{32, 32, 4, iconImage(big16, 4)},
                              {16, 16, 4, iconImage(small16, 4)},
                              {32, 32, 8, iconImage(big256, 8)}})});

    files.push_back({"landed.wav", gsmWave(gsmEncode(landedSound()))});
    files.push_back({"turned.wav", gsmWave(gsmEncode(turnedSound()))});
    files.push_back({"rows.wav", gsmWave(gsmEncode(rowsSound()))});
    files.push_back({"gameover.wav", pcm8Wave(gameOverSound(), PCM_RATE)});

    for (int t = 0; t < TILE_COUNT; ++t) {
        char name[16];
        std::snprintf(name, sizeof name, "tile%02d.bin", t + 1);
        files.push_back({name, Bytes(tileTable[t], tileTable[t] + TILE_BYTES)});
    }
    return true;
}

std::vector<SheetEntry> gameSheetPictures()
{
    std::vector<SheetEntry> entries;
    for (Picture& p : gamePictures())
        entries.push_back({std::to_string(p.id), p.image});
    const std::string icon = std::to_string(IDI_GAME);
    entries.push_back({icon + " 32X32 16", gameIcon(32, false)});
    entries.push_back({icon + " 16X16 16", gameIcon(16, false)});
    entries.push_back({icon + " 32X32 256", gameIcon(32, true)});
    return entries;
}

// Frames composed the way the game paints them, to judge the art together
// at its real size: a game in progress, its end, and the high-score board.
std::vector<SheetEntry> gameSheetScreens()
{
    std::vector<SheetEntry> frames;
    const int settled[4][10] = {{1, 1, 4, 4, 4, 4, 0, 3, 3, 7},
                                {2, 6, 6, 0, 5, 5, 1, 3, 3, 7},
                                {2, 2, 6, 0, 0, 5, 1, 1, 7, 7},
                                {0, 2, 0, 0, 0, 0, 0, 1, 0, 0}};
    auto cellAt = [](Image& f, int row, int col, int type) {
        const Rect cell = cellRect(row, col);
        f.blit(cellPicture(type), cell.left, cell.top);
    };

    Image play = backgroundPicture();
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 10; ++c)
            if (settled[r][c])
                cellAt(play, r, c, settled[r][c]);
    for (auto rc : {std::pair<int, int>{9, 4}, {8, 4}, {8, 5}, {7, 5}})
        cellAt(play, rc.first, rc.second, 6);
    drawNumber(play, 1250, SCORE_RECT);
    drawNumber(play, 3, LEVEL_RECT);
    drawCentred(play, previewPicture(4), NEXT_RECT);
    frames.push_back({"SCREEN: PLAYING", play});

    Image over = play;
    drawCentred(over, gameOverBanner(), PLAYFIELD_RECT);
    frames.push_back({"SCREEN: GAME OVER", over});

    Image paused = play;
    drawCentred(paused, pausedBanner(), PLAYFIELD_RECT);
    frames.push_back({"SCREEN: PAUSED", paused});

    Image board = backgroundPicture();
    drawNumber(board, 1250, SCORE_RECT);
    drawNumber(board, 3, LEVEL_RECT);
    drawCentred(board, hiscoreBoardPicture(), PLAYFIELD_RECT);
    const int scores[HIGH_SCORE_COUNT] = {32767, 8420, 1250, 90, 0};
    for (int i = 0; i < HIGH_SCORE_COUNT; ++i)
        drawNumber(board, scores[i], hiScorePlaceRect(i));
    frames.push_back({"SCREEN: HIGH SCORES", board});
    return frames;
}
