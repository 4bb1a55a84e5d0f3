// Whether a device-change broadcast is about this card, by the card's hardware
// identification texts: on Windows 9x in a device node's hardware key, on every other
// system in a device interface's name, in any case. The main window and the dialogs that
// watch for the card's removal share this one rule.
#pragma once

#include "framework/MessageMap.h"
#include "system/OsKind.h"

bool namesThisCard(const fw::Message& broadcast, sys::OsKind osKind);
