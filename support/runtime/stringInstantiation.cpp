// std::string's and std::wstring's members and their allocators', compiled into the program
// instead of taken from libstdc++. The standard headers declare these
// instantiations extern, so that callers use the copies built into
// libstdc++; those are compiled for a newer processor and lean on MSVCRT.DLL.
// Explicit instantiations here give the program its own copies, built with
// the program's options. (An optimised build inlines the allocator's members;
// an unoptimised one calls them.)
#include <string>

template class std::allocator<char>;
template class std::basic_string<char>;
// The wide strings that carry text to and from the NT family's W functions.
template class std::allocator<wchar_t>;
template class std::basic_string<wchar_t>;
