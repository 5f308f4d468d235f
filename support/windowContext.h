// The object of the program's that a window of its own stands for: handed
// over as the creation parameter, kept in the window's user data from
// WM_NCCREATE on.
#pragma once

#include <windows.h>

// The object behind `window`, attached when `message` is WM_NCCREATE; null
// for the few messages that come before it.
template <typename Object>
Object* windowObject(HWND window, UINT message, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* object = static_cast<Object*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(object));
    }
    return reinterpret_cast<Object*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}
