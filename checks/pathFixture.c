/* The build-path check's own test: the path of this file as the compiler
   was given it, once as a narrow and once as a wide string. */
#include <stddef.h>

#define WIDE_(text) L##text
#define WIDE(text) WIDE_(text)

const char narrowSourcePath[] = __FILE__;
const wchar_t wideSourcePath[] = WIDE(__FILE__);
