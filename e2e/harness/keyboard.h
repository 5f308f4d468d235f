// Keys pressed as the user presses them: they go to the window in front.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <string>

namespace e2e {

// Presses `keys` down in order and lets them up in reverse order, as a
// chord: {VK_MENU, VK_F4} is Alt+F4.
void pressKeys(std::initializer_list<BYTE> keys);

// Types `letters` (upper-case letters and digits, their key codes) as a
// person types: each key held for a moment, a moment between keys, this
// thread's windows served meanwhile.
void typeKeys(const std::string& letters);

}  // namespace e2e
