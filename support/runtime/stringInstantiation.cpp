// std::string's members and its allocator's, compiled into the program
// instead of taken from libstdc++. The standard headers declare both char
// instantiations extern, so that callers use the copies built into
// libstdc++; those are compiled for a newer processor and lean on MSVCRT.DLL.
// Explicit instantiations here give the program its own copies, built with
// the program's options. (An optimised build inlines the allocator's members;
// an unoptimised one calls them.)
#include <string>

template class std::allocator<char>;
template class std::basic_string<char>;
