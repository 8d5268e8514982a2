// Control lines from the bindings.
#include "screens/ControlsText.h"

#include "config/KeyNames.h"

namespace {

// Single-letter names run together ("WASD"); longer ones are kept apart.
std::string joined(std::initializer_list<int> keys, const char* separator) {
    bool allSingle = true;
    for (int key : keys) allSingle = allSingle && nameOfKey(key).size() == 1;
    std::string text;
    for (int key : keys) {
        if (!text.empty() && !allSingle) text += separator;
        text += nameOfKey(key);
    }
    return text;
}

}  // namespace

std::string consoleControlsLine(const Config& c) {
    return joined({c.keyMoveForward, c.keyMoveLeft, c.keyMoveBack, c.keyMoveRight}, "/") + "=move  " +
           nameOfKey(c.keyJump) + "=jump  " + nameOfKey(c.keyPause) + "=pause  RMB=orbit  " + joined({c.keyCamUp, c.keyCamDown}, "/") +
           "=zoom  M=menu  " + nameOfKey(c.keyShowFPS) + "=FPS  " + nameOfKey(c.keyWireframe) + "=wire  " +
           nameOfKey(c.keyBackCulling) + "=cull  " + nameOfKey(c.keyDebugCam) + "=debugcam";
}

std::string menuControlsLine(const Config& c) {
    std::string move;
    for (int key : {c.keyMoveForward, c.keyMoveLeft, c.keyMoveBack, c.keyMoveRight}) move += nameOfKey(key) + " ";
    return move + "move  " + nameOfKey(c.keyJump) + " jump  " + nameOfKey(c.keyPause) + " pause  RMB camera  " +
           nameOfKey(c.keyDebugCam) + " debug camera";
}
