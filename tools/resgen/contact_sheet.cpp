#include <algorithm>

#include "pixel_font.h"
#include "resources.h"

bool buildContactSheet(Image& sheet, std::string& error)
{
    std::vector<SheetEntry> entries = gameSheetPictures();
    for (SheetEntry& e : setupSheetPictures())
        entries.push_back(e);
    // Every picture must also fit its file format, or the sheet would show
    // art the build refuses.
    for (const SheetEntry& e : entries) {
        IndexedImage check;
        if (!indexColours(e.image, 256, check, error)) {
            error = e.label + ": " + error;
            return false;
        }
    }

    for (SheetEntry& e : gameSheetScreens())
        entries.push_back(e);
    const int zoom = 3, gap = 12, labelHeight = 2 * GLYPH_HEIGHT + 6, maxWidth = 1400;
    const Colour backdrop = rgb(72, 72, 80), rim = rgb(140, 140, 150), ink = rgb(240, 240, 240);
    // Lay the pictures out in rows, left to right.
    struct Place {
        int x, y;
    };
    std::vector<Place> places;
    int x = gap, y = gap, rowHeight = 0, width = 0;
    for (const SheetEntry& e : entries) {
        int w = std::max(e.image.width * zoom + 2, textWidth(e.label.c_str(), 2));
        int h = labelHeight + e.image.height * zoom + 2;
        if (x + w + gap > maxWidth && x > gap) {
            x = gap;
            y += rowHeight + gap;
            rowHeight = 0;
        }
        places.push_back({x, y});
        x += w + gap;
        width = std::max(width, x);
        rowHeight = std::max(rowHeight, h);
    }
    sheet = Image(width, y + rowHeight + gap, backdrop);
    for (size_t i = 0; i < entries.size(); ++i) {
        const SheetEntry& e = entries[i];
        int px = places[i].x, py = places[i].y;
        drawText(sheet, px, py, e.label.c_str(), ink, 2);
        int top = py + labelHeight;
        sheet.frame(px, top, e.image.width * zoom + 2, e.image.height * zoom + 2, rim);
        for (int j = 0; j < e.image.height; ++j)
            for (int k = 0; k < e.image.width; ++k) {
                Colour c = e.image.at(k, j);
                if (c == TRANSPARENT)
                    c = ((j / 2 + k / 2) % 2) ? rgb(200, 200, 200) : rgb(150, 150, 150);
                sheet.fill(px + 1 + k * zoom, top + 1 + j * zoom, zoom, zoom, c);
            }
    }
    return true;
}
