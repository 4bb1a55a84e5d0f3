#include "framework/Dialog.h"

#include <stdexcept>

#include "framework/Sheet.h"

namespace fw {

namespace {
NullSurface gNoWindow;
}

Dialog::~Dialog() {
    // A dialog that goes away with its window still open closes it first, so that the
    // window never reaches a dialog that is gone.
    if (surface_) surface_->endDialog(id::Cancel);
}

Surface& Dialog::ui() const { return surface_ ? *surface_ : gNoWindow; }

Host& Dialog::host() const {
    if (!host_) throw std::logic_error("the dialog has no window");
    return *host_;
}

void Dialog::attach(Surface& surface, Host& host) {
    surface_ = &surface;
    host_ = &host;
}

void Dialog::detach() {
    surface_ = nullptr;
    host_ = nullptr;
}

bool Dialog::deliver(const Message& m) {
    if (onMessage(m)) return true;
    if (m.message == msg::Command && m.code == code::Clicked) {
        if (m.id == id::Ok) {
            onOk();
            return true;
        }
        if (m.id == id::Cancel) {
            onCancel();
            return true;
        }
    }
    return false;
}

Page::~Page() {
    if (sheet_) sheet_->removePage(*this);
}

}  // namespace fw
