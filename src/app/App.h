// The game's spine: start-up, the frame loop over the GameState, shutdown.
// `runGame` owns every long-lived object for the whole run; nothing else calls
// the subsystems' per-frame operations.
#pragma once

// Runs the game until the window closes; returns the process exit code
// (0 after an orderly shutdown, 1 when no window or GL could be had).
int runGame();
