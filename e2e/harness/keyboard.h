// Keys pressed as the user presses them: they go to the window in front.
#pragma once

#include <windows.h>

#include <initializer_list>

namespace e2e {

// Presses `keys` down in order and lets them up in reverse order, as a
// chord: {VK_MENU, VK_F4} is Alt+F4.
void pressKeys(std::initializer_list<BYTE> keys);

}  // namespace e2e
