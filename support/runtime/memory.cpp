// The memory and string routines that the compiler and the standard headers
// call (std::string's traits, copies of structures, the bound functions'
// name lookup), in place of MSVCRT.DLL's. Plain byte loops: the program
// moves short texts, and every instruction here exists on a 386.
//
// Built with -fno-tree-loop-distribute-patterns, so that the compiler does not
// turn these loops back into calls to the routines themselves.
#include <cstddef>
#include <cstdint>

using std::size_t;

extern "C" {

void* memcpy(void* destination, const void* source, size_t count) {
    auto* to = static_cast<unsigned char*>(destination);
    const auto* from = static_cast<const unsigned char*>(source);
    while (count-- > 0) {
        *to++ = *from++;
    }
    return destination;
}

void* memmove(void* destination, const void* source, size_t count) {
    auto* to = static_cast<unsigned char*>(destination);
    const auto* from = static_cast<const unsigned char*>(source);
    if (reinterpret_cast<std::uintptr_t>(to) < reinterpret_cast<std::uintptr_t>(from)) {
        while (count-- > 0) {
            *to++ = *from++;
        }
    } else {
        // Overlapping with the source ahead: copy from the end.
        while (count > 0) {
            --count;
            to[count] = from[count];
        }
    }
    return destination;
}

void* memset(void* destination, int value, size_t count) {
    auto* to = static_cast<unsigned char*>(destination);
    while (count-- > 0) {
        *to++ = static_cast<unsigned char>(value);
    }
    return destination;
}

int memcmp(const void* first, const void* second, size_t count) {
    const auto* a = static_cast<const unsigned char*>(first);
    const auto* b = static_cast<const unsigned char*>(second);
    for (size_t i = 0; i < count; ++i) {
        if (a[i] != b[i]) {
            return a[i] < b[i] ? -1 : 1;
        }
    }
    return 0;
}

void* memchr(const void* where, int value, size_t count) {
    const auto* bytes = static_cast<const unsigned char*>(where);
    for (size_t i = 0; i < count; ++i) {
        if (bytes[i] == static_cast<unsigned char>(value)) {
            return const_cast<unsigned char*>(bytes + i);
        }
    }
    return nullptr;
}

size_t strlen(const char* text) {
    size_t length = 0;
    while (text[length] != '\0') {
        ++length;
    }
    return length;
}

size_t wcslen(const wchar_t* text) {
    size_t length = 0;
    while (text[length] != L'\0') {
        ++length;
    }
    return length;
}

int strcmp(const char* first, const char* second) {
    const auto* a = reinterpret_cast<const unsigned char*>(first);
    const auto* b = reinterpret_cast<const unsigned char*>(second);
    while (*a != '\0' && *a == *b) {
        ++a;
        ++b;
    }
    return *a == *b ? 0 : (*a < *b ? -1 : 1);
}

}  // extern "C"
