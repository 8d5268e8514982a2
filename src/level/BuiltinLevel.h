// "The Plains": the level built into the program. It stands in for any level
// file that cannot be opened, and shows one of every tile behaviour, a moving
// tile on each horizontal axis, six coins, two powerups and an end tile.
#pragma once

#include "level/Level.h"

Level makeLevel1();
