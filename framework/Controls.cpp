#include "framework/Controls.h"

namespace fw {

int selectByData(Surface& ui, int id, intptr_t code) {
    const int count = ui.itemCount(id);
    int position = count > 0 ? 0 : -1;
    for (int index = 0; index < count; ++index) {
        if (ui.itemData(id, index) == code) {
            position = index;
            break;
        }
    }
    ui.select(id, position);
    return position;
}

intptr_t selectedData(const Surface& ui, int id, intptr_t otherwise) {
    const int position = ui.selection(id);
    return position < 0 ? otherwise : ui.itemData(id, position);
}

}  // namespace fw
