// The program's entry point, in place of the C runtime's start-up code
// (which needs MSVCRT.DLL): it runs the static constructors, then sets the
// heap's reserve aside, calls WinMain, runs the destructors registered with
// atexit and ends the process with WinMain's result. The reserve comes after
// the constructors: the object that holds it is one of the static objects
// they set up, and none of them allocates.
//
// The linker starts the program here (--entry, set in this folder's CMakeLists.txt) and
// collects every static constructor into __CTOR_LIST__: a -1, the
// constructors, then a null.
#include <windows.h>

#include <cstddef>

#include "support/runtime/heap.h"

using ExitHandler = void (*)();
using StaticConstructor = void (*)();

extern "C" StaticConstructor __CTOR_LIST__[];

namespace {

// Static objects with destructors register one handler each, and a
// function-local static one more on first use. The program has a few.
constexpr int mostExitHandlers = 32;
ExitHandler exitHandlers[mostExitHandlers];
int exitHandlerCount = 0;

void runStaticConstructors() {
    std::size_t count = 0;
    while (__CTOR_LIST__[count + 1] != nullptr) {
        ++count;
    }
    // Last to first, as the compiler expects of this list.
    for (std::size_t i = count; i > 0; --i) {
        __CTOR_LIST__[i]();
    }
}

void runExitHandlers() {
    while (exitHandlerCount > 0) {
        exitHandlers[--exitHandlerCount]();
    }
}

// The command line without the program's name (quoted or not) and the
// blanks after it, as WinMain receives it.
char* commandLineTail(char* line) {
    bool quoted = false;
    while (*line != '\0' && (quoted || (*line != ' ' && *line != '\t'))) {
        if (*line == '"') {
            quoted = !quoted;
        }
        ++line;
    }
    while (*line == ' ' || *line == '\t') {
        ++line;
    }
    return line;
}

int showCommand() {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    GetStartupInfoA(&startup);
    return (startup.dwFlags & STARTF_USESHOWWINDOW) != 0 ? startup.wShowWindow : SW_SHOWDEFAULT;
}

}  // namespace

// Destructors of static objects, run last registered first at exit. A
// handler beyond the table is refused, as the function allows; its object is
// then simply not destroyed before the process ends.
extern "C" int atexit(ExitHandler handler) {
    if (exitHandlerCount == mostExitHandlers) {
        return -1;
    }
    exitHandlers[exitHandlerCount++] = handler;
    return 0;
}

extern "C" [[noreturn]] void tarnwickStart() {
    runStaticConstructors();
    setAsideHeapReserve();
    const int result =
        WinMain(GetModuleHandleA(nullptr), nullptr, commandLineTail(GetCommandLineA()), showCommand());
    runExitHandlers();
    ExitProcess(static_cast<UINT>(result));
}
