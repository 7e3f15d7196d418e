#include "engine_host.h"

#include <cstring>

#include "tile_table.h"

namespace {

void noRepaint(const Rect*) {}
int noPost() { return 0; }

EngineHost activeHost = {noRepaint, noPost, builtInTileSource};

}  // namespace

void setEngineHost(const EngineHost* host)
{
    activeHost.repaint = (host && host->repaint) ? host->repaint : noRepaint;
    activeHost.postGravityStep = (host && host->postGravityStep) ? host->postGravityStep : noPost;
    activeHost.loadTile = (host && host->loadTile) ? host->loadTile : builtInTileSource;
}

int builtInTileSource(uint16_t resourceId, uint8_t mask[16])
{
    if (resourceId <= TILE_RESOURCE_BASE || resourceId > TILE_RESOURCE_BASE + TILE_COUNT)
        return 0;
    std::memcpy(mask, tileTable[resourceId - TILE_RESOURCE_BASE - 1], TILE_BYTES);
    return 1;
}

void requestRepaint(const Rect* area) { activeHost.repaint(area); }

int postGravityStep() { return activeHost.postGravityStep(); }

int loadTileResource(uint16_t resourceId, uint8_t mask[16]) { return activeHost.loadTile(resourceId, mask); }
