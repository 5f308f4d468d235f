// A helper for the shell-driven end-to-end tests, which cannot look into
// Windows themselves.
//   tarnwick_probe desktop        starts the Wine desktop if it is not running
//   tarnwick_probe wait-logging   waits until a running program has logged a
//                                 line and prints "pid=P window=W thread=T",
//                                 its main window and thread as Wine's relay
//                                 trace writes them
//   tarnwick_probe count          prints how many program windows exist
#include <windows.h>

#include <cstdio>
#include <string>

#include "e2e/harness/listBox.h"
#include "e2e/harness/waiting.h"
#include "e2e/harness/windowSearch.h"

namespace {

int waitLogging() {
    HWND window = nullptr;
    const bool logging = e2e::waitUntil([&window] {
        window = e2e::findWindow("TarnwickForm1");
        const HWND list = window != nullptr ? GetDlgItem(window, 101) : nullptr;
        return list != nullptr && e2e::listBoxCount(list) > 0;
    });
    if (!logging) {
        std::fprintf(stderr, "no program window with a logged line\n");
        return 1;
    }
    DWORD pid = 0;
    const DWORD thread = GetWindowThreadProcessId(window, &pid);
    std::printf("pid=%lu window=%016llX thread=%04lx\n", static_cast<unsigned long>(pid),
                static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(window)),
                static_cast<unsigned long>(thread));
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "desktop") {
        return GetDesktopWindow() != nullptr ? 0 : 1;
    }
    if (command == "wait-logging") {
        return waitLogging();
    }
    if (command == "count") {
        std::printf("%d\n", static_cast<int>(e2e::findWindows("TarnwickForm1").size()));
        return 0;
    }
    std::fprintf(stderr, "usage: tarnwick_probe desktop|wait-logging|count\n");
    return 2;
}
