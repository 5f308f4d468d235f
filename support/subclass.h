// Putting a window procedure of the program's in front of a control's own.
#pragma once

#include <windows.h>

// Puts `next` in as the window procedure of `window`, with the form of the
// call that matches the window (a Unicode control on the NT family), and
// returns the one it replaced; null when it could not.
inline WNDPROC replaceWindowProcedure(HWND window, WNDPROC next) {
    const auto value = reinterpret_cast<LONG_PTR>(next);
    return reinterpret_cast<WNDPROC>(IsWindowUnicode(window) ? SetWindowLongPtrW(window, GWLP_WNDPROC, value)
                                                             : SetWindowLongPtrA(window, GWLP_WNDPROC, value));
}

// Hands a message on to the procedure that was replaced.
inline LRESULT callReplacedProcedure(WNDPROC replaced, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return IsWindowUnicode(window) ? CallWindowProcW(replaced, window, message, wParam, lParam)
                                   : CallWindowProcA(replaced, window, message, wParam, lParam);
}
