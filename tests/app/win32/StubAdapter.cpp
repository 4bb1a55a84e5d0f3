// A stand-in for the adapter control library with no card behind it: every operation
// exists and reports failure (ZelOpenAdapter hands back no handle). Built a second time
// with one operation renamed, it stands for a library that lacks that operation.
#include "adapter/ZelApi.h"

namespace {

template <typename... Args>
int32_t noCard(Args...) {
    return 1;
}

}  // namespace

#define ZEL_STUB(name, params, args) \
    extern "C" __declspec(dllexport) int32_t ZEL_CALL name params { return noCard args; }
ZEL_OPERATIONS(ZEL_STUB)
#undef ZEL_STUB
