// The top-level screens of the game; the frame loop dispatches on it.
#pragma once

enum class GameState { MainMenu, Settings, Playing, LevelComplete, GameOver };
