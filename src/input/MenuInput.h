// What moves through a menu, from the keyboard and the pad alike: Up and Down
// (also W and S, the d-pad) move, Left and Right (also A and D, the d-pad)
// change a value, Enter or Space (the pad's A) confirm, Escape (the pad's B)
// goes back.
#pragma once

#include "input/Input.h"

enum class MenuMove { None, Up, Down, Left, Right };

MenuMove menuMove(const Input& input);
bool menuConfirm(const Input& input);
bool menuBack(const Input& input);
