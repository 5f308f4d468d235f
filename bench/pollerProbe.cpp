// A bare polling loop in a process of its own, for the benchmark to compare
// the program with: GetForegroundWindow, Sleep(1), then the messages of a
// small window of its own. Each time the window named on the command line
// comes to the front (with -not: any window but that one) it adds one to the
// counter in the shared memory "TarnwickPollerProbe". It runs until the
// benchmark ends it.
//   pollerProbe.exe [-not] <window handle in decimal>
#include <windows.h>

#include <cstdlib>
#include <cstring>

int main(int argc, char** argv) {
    const bool allBut = argc > 2 && std::strcmp(argv[1], "-not") == 0;
    if (argc < (allBut ? 3 : 2)) {
        return 2;
    }
    const HWND named =
        reinterpret_cast<HWND>(static_cast<ULONG_PTR>(std::strtoull(argv[allBut ? 2 : 1], nullptr, 10)));
    const HANDLE mapping = OpenFileMappingA(FILE_MAP_ALL_ACCESS, FALSE, "TarnwickPollerProbe");
    if (mapping == nullptr) {
        return 1;
    }
    auto* seen = static_cast<volatile LONG*>(MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, sizeof(LONG)));
    if (seen == nullptr) {
        CloseHandle(mapping);
        return 1;
    }
    const HWND own = CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "poller probe", WS_POPUP, 900, 740, 40, 20, nullptr,
                                     nullptr, GetModuleHandleA(nullptr), nullptr);
    ShowWindow(own, SW_SHOWNOACTIVATE);
    // Runs until the benchmark ends the process, which frees the window and
    // the shared memory with it.
    HWND last = nullptr;
    for (;;) {
        const HWND front = GetForegroundWindow();
        const bool counts = allBut ? front != named && front != nullptr : front == named;
        if (counts && front != last) {
            InterlockedIncrement(seen);
        }
        last = front;
        Sleep(1);
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageA(&message);
        }
    }
}
