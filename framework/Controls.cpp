#include "framework/Controls.h"

namespace fw {

int findData(const Surface& ui, int id, intptr_t code) {
    const int count = ui.itemCount(id);
    for (int index = 0; index < count; ++index) {
        if (ui.itemData(id, index) == code) return index;
    }
    return -1;
}

int selectByData(Surface& ui, int id, intptr_t code) {
    const int found = findData(ui, id, code);
    const int position = found >= 0 ? found : (ui.itemCount(id) > 0 ? 0 : -1);
    ui.select(id, position);
    return position;
}

intptr_t selectedData(const Surface& ui, int id, intptr_t otherwise) {
    const int position = ui.selection(id);
    return position < 0 ? otherwise : ui.itemData(id, position);
}

}  // namespace fw
