// Registration of a window for the device broadcasts of the network adapters, so that
// the system tells it when a card comes or goes. The main window registers at start-up;
// a dialog that watches for the card registers its own window while it is open.
#pragma once

class DeviceNotifications {
public:
    virtual ~DeviceNotifications() = default;
    // Registers `window` (a surface's handle); false when the system refused. A system
    // without device interfaces sends its broadcasts unasked: there is nothing to register.
    virtual bool add(void* window) = 0;
    // Ends the registration of `window`; nothing when it has none.
    virtual void remove(void* window) = 0;
};
