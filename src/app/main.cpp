// Pembrix Adventure: a rolling-ball platform game.
#include "app/App.h"
#include "app/HugePages.h"

int main(int, char** argv) {
    restartWithHugePages(argv);
    return runGame();
}
