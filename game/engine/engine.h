// Everything the shell needs from the engine.
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
