// Pembrix Adventure: a rolling-ball platform game.
#include "app/App.h"

int main() { return runGame(); }
