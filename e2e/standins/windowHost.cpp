// A process that shows one ordinary top-level window and waits to be closed.
// Built under several names (ntvdm.exe among them), so that a test can put a
// process with a chosen file name into the foreground.
//   windowHost.exe [caption]    (ntvdm.exe [caption] alike)
//   windowHost.exe /nowindow    only a process, no window, until it is ended
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
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = hostProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = "TarnwickTestHost";
    RegisterClassA(&windowClass);
    // The caption is the whole command line, without surrounding quotes.
    std::string caption = commandLine != nullptr ? commandLine : "";
    if (caption.size() >= 2 && caption.front() == '"' && caption.back() == '"') {
        caption = caption.substr(1, caption.size() - 2);
    }
    const HWND window = CreateWindowExA(0, windowClass.lpszClassName, caption.c_str(),
                                        WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 320, 200,
                                        nullptr, nullptr, instance, nullptr);
    if (window == nullptr) {
        return 1;
    }
    SetForegroundWindow(window);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
