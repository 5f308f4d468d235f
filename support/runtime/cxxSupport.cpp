// The hooks that the standard headers call where they would throw, in place
// of the C++ runtime's (which throw). The program is built without
// exceptions, and none of these can be reached by correct code: a text or a
// table beyond its maximum size, an index out of range, an empty
// std::function called. If one is reached after all, the program ends with a
// message that names it.
#include <windows.h>

#include <new>
#include <string>

namespace {

[[noreturn]] void stopOnProgramError(const char* text) {
    FatalAppExitA(0, text);
    ExitProcess(3);
}

}  // namespace

namespace std {

void __throw_bad_alloc() {
    stopOnProgramError("Tarnwick stopped on an internal error (bad_alloc).");
}

void __throw_bad_array_new_length() {
    stopOnProgramError("Tarnwick stopped on an internal error (bad_array_new_length).");
}

void __throw_length_error(const char*) {
    stopOnProgramError("Tarnwick stopped on an internal error (length_error).");
}

void __throw_logic_error(const char*) {
    stopOnProgramError("Tarnwick stopped on an internal error (logic_error).");
}

void __throw_out_of_range_fmt(const char*, ...) {
    stopOnProgramError("Tarnwick stopped on an internal error (out_of_range).");
}

void __throw_bad_function_call() {
    stopOnProgramError("Tarnwick stopped on an internal error (bad_function_call).");
}

}  // namespace std
