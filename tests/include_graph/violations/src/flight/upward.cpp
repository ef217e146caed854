// A flight file that reaches up into the game.
#include "game/game.h"
