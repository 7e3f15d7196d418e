// Everything the shell needs from the engine. The engine's files form
// layers; each uses only the ones above it here:
//   geometry, tile_table     the frame's rectangles, the piece masks
//   engine_host              the seam to the platform
//   game_state               the one record of the game
//   pieces, high_scores      turn table, masks and the random type; the table
//   motion                   a new game, spawning, moves, turns
//   landing                  points, full rows, levels, the next piece
//   pacer                    the gravity steps
#ifndef KUBRELSE_ENGINE_ENGINE_H
#define KUBRELSE_ENGINE_ENGINE_H

#include "engine_host.h"
#include "game_state.h"
#include "geometry.h"
#include "high_scores.h"
#include "landing.h"
#include "motion.h"
#include "pacer.h"
#include "pieces.h"

#endif
