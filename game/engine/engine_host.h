// What the engine needs from the program around it. The Windows shell fills
// this in with InvalidateRect, PostMessageW and the "TILE" resources; tests
// fill it in with recorders. Nothing else in the engine touches a platform.
#ifndef KUBRELSE_ENGINE_HOST_H
#define KUBRELSE_ENGINE_HOST_H

#include <cstdint>

#include "geometry.h"

struct EngineHost {
    // Mark a region of the main window for repainting, without erasing the
    // background; a null area means the whole window. Window thread only.
    void (*repaint)(const Rect* area);

    // Post one gravity step to the main window. Called from the pacer
    // thread. Returns 1 when the step was queued, 0 when it could not be.
    int (*postGravityStep)();

    // Copy the 16 bytes of the tile resource with this id into mask.
    // Returns 1 on success, 0 (mask untouched) when there is no such tile.
    int (*loadTile)(uint16_t resourceId, uint8_t mask[16]);
};

// Installs the host. Any member left null falls back to the built-in
// behaviour: no repaint, no post, tiles from the compiled-in table. Call it
// before the pacer starts; passing null restores all the fallbacks.
void setEngineHost(const EngineHost* host);

// The built-in tile source, over tileTable (ids 600..619 only).
int builtInTileSource(uint16_t resourceId, uint8_t mask[16]);

// Forwarders used inside the engine.
void requestRepaint(const Rect* area);
int postGravityStep();
int loadTileResource(uint16_t resourceId, uint8_t mask[16]);

#endif
