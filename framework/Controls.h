// Helpers that pages share on top of the surface.
#pragma once

#include <cstdint>

#include "framework/Surface.h"

namespace fw {

// Combo boxes carry each entry's code as item data. The position of the first entry
// whose code is `code`; -1 when none is.
int findData(const Surface& ui, int id, intptr_t code);
// Selects the entry whose code is
// `code`, or the first entry when none is; returns the position selected (-1: empty).
int selectByData(Surface& ui, int id, intptr_t code);
// The code of the selected entry, or `otherwise` when nothing is selected.
intptr_t selectedData(const Surface& ui, int id, intptr_t otherwise);

}  // namespace fw
