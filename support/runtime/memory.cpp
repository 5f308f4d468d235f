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

// The same for wide characters; an optimised build inlines most of them.
wchar_t* wmemcpy(wchar_t* destination, const wchar_t* source, size_t count) {
    return static_cast<wchar_t*>(memcpy(destination, source, count * sizeof(wchar_t)));
}

wchar_t* wmemmove(wchar_t* destination, const wchar_t* source, size_t count) {
    return static_cast<wchar_t*>(memmove(destination, source, count * sizeof(wchar_t)));
}

wchar_t* wmemset(wchar_t* destination, wchar_t value, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        destination[i] = value;
    }
    return destination;
}

int wmemcmp(const wchar_t* first, const wchar_t* second, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        if (first[i] != second[i]) {
            return first[i] < second[i] ? -1 : 1;
        }
    }
    return 0;
}

wchar_t* wmemchr(const wchar_t* where, wchar_t value, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        if (where[i] == value) {
            return const_cast<wchar_t*>(where + i);
        }
    }
    return nullptr;
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
