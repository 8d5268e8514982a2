// The game's shell: start-up, the frame loop and shutdown. A frame polls the
// window's events, updates the current screen (which names the next), draws
// it and the overlays, and swaps. `runGame` owns every long-lived object for
// the whole run.
#pragma once

// Runs the game until the window closes; returns the process exit code
// (0 after an orderly shutdown, 1 when no window or GL could be had).
int runGame();
