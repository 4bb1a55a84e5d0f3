// Loads the adapter control library at run time and fills the function table from it.
// The program never links the library: a missing library or operation is reported to
// the user instead of stopping the system loader.
#pragma once

#include <windows.h>

#include <string>

#include "adapter/ZelApi.h"

class ZelLibrary {
public:
    enum class Status { Loaded, LibraryMissing, OperationMissing };

    ZelLibrary() = default;
    ~ZelLibrary();
    ZelLibrary(const ZelLibrary&) = delete;
    ZelLibrary& operator=(const ZelLibrary&) = delete;

    // Loads `fileName` (found by the system's library search, the program's folder first)
    // and resolves every operation by name. On failure nothing stays loaded and the
    // table stays empty.
    Status load(const char* fileName);

    // After Status::OperationMissing: the first operation the library lacks.
    const std::string& missingOperation() const { return missingOperation_; }

    // Every operation, once load() succeeded.
    const ZelApi& api() const { return api_; }

private:
    void unload();

    HMODULE module_ = nullptr;
    ZelApi api_;
    std::string missingOperation_;
};
