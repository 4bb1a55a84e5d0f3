// Message maps: a dialog lists the messages it handles in one constant table of
// (message, notification code, control id, handler) entries, and one function finds the
// entry for a message and calls its handler.
//
//   const fw::MessageEntry<CMyPage> CMyPage::kMap[] = {
//       fw::onClick(1014, &CMyPage::onCreate),
//       fw::onCommand(fw::code::EditChange, 1002, &CMyPage::onPassphraseChange),
//       fw::onNotify(fw::code::ItemChanged, 1000, &CMyPage::onRowChanged),
//       fw::onTimer(4096, &CMyPage::onTick),
//       fw::onMessage(fw::msg::Private, &CMyPage::onEvent),
//       fw::onNotify(fw::code::ItemChanging, 1000, &CMyPage::onRowChanging),
//   };
//   bool CMyPage::onMessage(const fw::Message& m) { return fw::dispatch(*this, kMap, m); }
//
// A handler returns nothing (it handled the message, and the window answers 0), or a
// fw::Reply: fw::answer(result) to handle it with that result (TRUE vetoes LVN_ITEMCHANGING,
// CDRF_* answers NM_CUSTOMDRAW, BROADCAST_QUERY_DENY refuses a device broadcast), or
// fw::decline() to leave the message to the system's own handling.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "framework/Messages.h"

namespace fw {

// One message as a dialog sees it, whichever back end delivered it.
struct Message {
    unsigned message = 0;
    int code = 0;          // notification code (WM_COMMAND, WM_NOTIFY); 0 otherwise
    int id = 0;            // control id (WM_COMMAND, WM_NOTIFY) or timer id (WM_TIMER); 0 otherwise
    uintptr_t wParam = 0;  // raw parameters of any other message
    intptr_t lParam = 0;
    // List-view notifications: the row (-1 for none) and column, the row state before
    // and after with the mask of what changed (LVN_ITEMCHANGED), the point of a click in
    // the list's client area (NM_CLICK, NM_DBLCLK, NM_RCLICK), and the fw::vk virtual key
    // pressed (LVN_KEYDOWN).
    int row = -1;
    int column = 0;
    unsigned oldState = 0;
    unsigned newState = 0;
    unsigned changed = 0;
    int x = 0;
    int y = 0;
    int key = 0;
    // Device-change broadcasts (msg::DeviceChange, code: a fw::dbt event): the device the
    // broadcast names, of its kind.
    DeviceKind deviceKind = DeviceKind::None;
    std::string device;
    // The window's answer once a handler handled the message: what a handler returning
    // a fw::Reply answered, 0 for any other.
    mutable intptr_t result = 0;

    // True when LVN_ITEMCHANGED turned the state bits `bits` on.
    bool gained(unsigned bits) const {
        return (newState & bits) == bits && (oldState & bits) != bits;
    }
};

// Matches any notification code or control id.
constexpr int kAny = INT32_MIN;

// What a handler answers: handled, with the window's result, or declined.
struct Reply {
    bool handled = true;
    intptr_t result = 0;
};
constexpr Reply answer(intptr_t result) { return {true, result}; }
constexpr Reply decline() { return {false, 0}; }

template <class T>
struct MessageEntry {
    using Handler = void (T::*)(const Message&);
    using Replier = Reply (T::*)(const Message&);

    unsigned message;
    int code;
    int firstId;
    int lastId;
    Handler handler;
    Replier replier = nullptr;

    // The entry of a handler with a reply.
    static constexpr MessageEntry replying(unsigned message, int code, int firstId, int lastId,
                                           Replier replier) {
        return {message, code, firstId, lastId, nullptr, replier};
    }

    bool matches(const Message& m) const {
        return m.message == message && (code == kAny || code == m.code) &&
               (firstId == kAny || (m.id >= firstId && m.id <= lastId));
    }
};

// WM_COMMAND with `code` from control `id` (or from the controls firstId..lastId): a code
// of the buttons, edits, combo boxes or list boxes.
template <class T>
constexpr MessageEntry<T> onCommand(CommandCode code, int id, void (T::*handler)(const Message&)) {
    return {msg::Command, code, id, id, handler};
}
template <class T>
constexpr MessageEntry<T> onCommandRange(CommandCode code, int firstId, int lastId,
                                         void (T::*handler)(const Message&)) {
    return {msg::Command, code, firstId, lastId, handler};
}
// A button click, or a menu command with this id.
template <class T>
constexpr MessageEntry<T> onClick(int id, void (T::*handler)(const Message&)) {
    return onCommand(code::Clicked, id, handler);
}
// WM_NOTIFY with `code` from control `id`: a code of the list views or of every common
// control.
template <class T>
constexpr MessageEntry<T> onNotify(NotifyCode code, int id, void (T::*handler)(const Message&)) {
    return {msg::Notify, code, id, id, handler};
}
// WM_TIMER of timer `timerId`.
template <class T>
constexpr MessageEntry<T> onTimer(int timerId, void (T::*handler)(const Message&)) {
    return {msg::Timer, 0, timerId, timerId, handler};
}
// Any other message, whatever its parameters.
template <class T>
constexpr MessageEntry<T> onMessage(unsigned message, void (T::*handler)(const Message&)) {
    return {message, kAny, kAny, kAny, handler};
}

// The same with a handler that replies.
template <class T>
constexpr MessageEntry<T> onCommand(CommandCode code, int id, Reply (T::*replier)(const Message&)) {
    return MessageEntry<T>::replying(msg::Command, code, id, id, replier);
}
template <class T>
constexpr MessageEntry<T> onNotify(NotifyCode code, int id, Reply (T::*replier)(const Message&)) {
    return MessageEntry<T>::replying(msg::Notify, code, id, id, replier);
}
template <class T>
constexpr MessageEntry<T> onMessage(unsigned message, Reply (T::*replier)(const Message&)) {
    return MessageEntry<T>::replying(message, kAny, kAny, kAny, replier);
}

// Calls the handler of the first entry that matches `m`; false when none does or its
// handler declined. A handler's reply goes into m.result.
template <class T, std::size_t N>
bool dispatch(T& target, const MessageEntry<T> (&map)[N], const Message& m) {
    for (const MessageEntry<T>& entry : map) {
        if (!entry.matches(m)) continue;
        if (entry.replier) {
            const Reply reply = (target.*entry.replier)(m);
            m.result = reply.handled ? reply.result : 0;
            return reply.handled;
        }
        (target.*entry.handler)(m);
        m.result = 0;
        return true;
    }
    return false;
}

}  // namespace fw
