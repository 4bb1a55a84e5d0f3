#include "adapter/ZelLibrary.h"

namespace {

// Resolves one export into its table field; false when the library lacks it.
template <typename Function>
bool resolve(HMODULE module, const char* name, Function& field) {
    const FARPROC address = GetProcAddress(module, name);
    // Through the generic function pointer type, which converts to any other.
    field = reinterpret_cast<Function>(reinterpret_cast<void (*)()>(address));
    return address != nullptr;
}

}  // namespace

ZelLibrary::~ZelLibrary() { unload(); }

ZelLibrary::Status ZelLibrary::load(const char* fileName) {
    unload();
    missingOperation_.clear();
    // The program reports a library that will not load itself; the system shows nothing.
    const UINT previousMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    module_ = LoadLibraryA(fileName);
    SetErrorMode(previousMode);
    if (!module_) return Status::LibraryMissing;
#define ZEL_RESOLVE(name, params, args)        \
    if (!resolve(module_, #name, api_.name)) { \
        missingOperation_ = #name;             \
        unload();                              \
        return Status::OperationMissing;       \
    }
    ZEL_OPERATIONS(ZEL_RESOLVE)
#undef ZEL_RESOLVE
    return Status::Loaded;
}

void ZelLibrary::unload() {
    api_ = ZelApi();
    if (module_) FreeLibrary(module_);
    module_ = nullptr;
}
