#include "e2e/harness/keyboard.h"

#include <iterator>

#include "e2e/harness/waiting.h"

namespace e2e {

void pressKeys(std::initializer_list<BYTE> keys) {
    for (BYTE key : keys) {
        keybd_event(key, static_cast<BYTE>(MapVirtualKeyA(key, 0)), 0, 0);
    }
    for (auto key = std::rbegin(keys); key != std::rend(keys); ++key) {
        keybd_event(*key, static_cast<BYTE>(MapVirtualKeyA(*key, 0)), KEYEVENTF_KEYUP, 0);
    }
}

void typeKeys(const std::string& letters) {
    for (const char letter : letters) {
        const auto key = static_cast<BYTE>(letter);
        keybd_event(key, static_cast<BYTE>(MapVirtualKeyA(key, 0)), 0, 0);
        waitUntil([] { return false; }, 30);
        keybd_event(key, static_cast<BYTE>(MapVirtualKeyA(key, 0)), KEYEVENTF_KEYUP, 0);
        waitUntil([] { return false; }, 30);
    }
}

}  // namespace e2e
