// A process that shows one ordinary top-level window and waits to be closed.
// Built under several names (ntvdm.exe among them), so that a test can put a
// process with a chosen file name into the foreground.
//   windowHost.exe [caption]    (ntvdm.exe [caption] alike)
//   windowHost.exe /nowindow    only a process, no window, until it is ended
//   windowHost.exe /behind caption  the window, without taking the front
//   windowHost.exe /frame caption   the same, of class ApplicationFrameWindow:
//                               a Store app's frame, as ApplicationFrameHost.exe
//   windowHost.exe /secret caption  the window, taking the front, after a NUL
//                               is written over the '/' of its own command
//                               line, as a program that blanks a secret does
//   windowHost.exe /app-in FRAME  the app's window of a Store app: a child of
//                               class Windows.UI.Core.CoreWindow in the window
//                               FRAME (a number) of another process
#include <windows.h>

#include <string>

namespace {
LRESULT CALLBACK hostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    if (commandLine != nullptr && std::string(commandLine) == "/nowindow") {
        Sleep(INFINITE);
        return 0;
    }
    const std::string arguments = commandLine != nullptr ? commandLine : "";
    const bool appInFrame = arguments.compare(0, 8, "/app-in ") == 0;
    const bool showsFrame = arguments.compare(0, 7, "/frame ") == 0;
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = hostProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = appInFrame   ? "Windows.UI.Core.CoreWindow"
                                : showsFrame ? "ApplicationFrameWindow"
                                             : "TarnwickTestHost";
    RegisterClassA(&windowClass);
    if (appInFrame) {
        const auto frame = reinterpret_cast<HWND>(static_cast<UINT_PTR>(std::stoull(arguments.substr(8))));
        if (CreateWindowExA(0, windowClass.lpszClassName, "app", WS_CHILD | WS_VISIBLE, 0, 0, 100, 100, frame,
                            nullptr, instance, nullptr) == nullptr) {
            return 1;
        }
        MSG message;
        while (GetMessageA(&message, nullptr, 0, 0) > 0) {
            DispatchMessageA(&message);
        }
        return 0;
    }
    // The caption is the whole command line, without surrounding quotes.
    const bool behind = showsFrame || arguments.compare(0, 8, "/behind ") == 0;
    const bool secret = arguments.compare(0, 8, "/secret ") == 0;
    std::string caption = showsFrame ? arguments.substr(7) : behind || secret ? arguments.substr(8) : arguments;
    if (secret) {
        wchar_t* own = GetCommandLineW();
        while (*own != L'\0' && *own != L'/') {
            ++own;
        }
        *own = L'\0';
    }
    if (caption.size() >= 2 && caption.front() == '"' && caption.back() == '"') {
        caption = caption.substr(1, caption.size() - 2);
    }
    const HWND window = CreateWindowExA(0, windowClass.lpszClassName, caption.c_str(), WS_OVERLAPPEDWINDOW, 100,
                                        100, 320, 200, nullptr, nullptr, instance, nullptr);
    if (window == nullptr) {
        return 1;
    }
    ShowWindow(window, behind ? SW_SHOWNOACTIVATE : SW_SHOW);
    if (!behind) {
        SetForegroundWindow(window);
    }
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
