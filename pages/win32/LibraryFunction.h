// Functions of system libraries that not every Windows version has, found at run time so
// that the program still starts where they are missing.
#pragma once

#include <windows.h>

// The function `name` of `library` as a `Function` pointer; null when there is no
// library or no such function.
template <typename Function>
Function libraryFunction(HMODULE library, const char* name) {
    return library ? reinterpret_cast<Function>(
                         reinterpret_cast<void (*)()>(GetProcAddress(library, name)))
                   : nullptr;
}
