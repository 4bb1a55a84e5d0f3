// A recording fake of the adapter control library for tests. Its ZelApi table records
// every call, in order, as one readable line — "ZelSetAuthMode(card, 4)": integers in
// decimal, const char* arguments as quoted text, other pointers by the name a test gave
// them, else as "ptr" (or "null") — and then runs the handler the test installed for
// that operation, whose result it returns (0 without a handler).
//
// Calls may come from several threads. One recorder exists at a time.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "adapter/ZelApi.h"

// One handler per operation, with the operation's parameters.
struct ZelHandlers {
#define ZEL_RECORDER_HANDLER(name, params, args) std::function<int32_t params> name;
    ZEL_OPERATIONS(ZEL_RECORDER_HANDLER)
#undef ZEL_RECORDER_HANDLER
};

class ZelRecorder {
public:
    ZelRecorder();
    ~ZelRecorder();
    ZelRecorder(const ZelRecorder&) = delete;
    ZelRecorder& operator=(const ZelRecorder&) = delete;

    const ZelApi& api() const { return api_; }

    // Install handlers before the code under test runs.
    ZelHandlers on;
    // Whether calls are written down; a test that only needs the handlers turns it off.
    std::atomic<bool> keepsCalls{true};

    // Shows `pointer` as `name` in the log (an adapter handle, a window).
    void name(const void* pointer, std::string name);

    // The calls recorded so far.
    std::vector<std::string> calls() const;
    // The calls recorded so far, forgetting them.
    std::vector<std::string> takeCalls();
    // The recorded calls of one operation.
    std::vector<std::string> callsTo(std::string_view operation) const;

private:
    friend struct ZelRecorderEntries;

    template <typename Handler, typename... Args>
    int32_t record(const char* operation, const Handler& handler, Args... args) {
        if (!keepsCalls) return handler ? handler(args...) : 0;
        std::string line = operation;
        line += '(';
        const char* separator = "";
        ((line += separator, line += describe(args), separator = ", "), ...);
        line += ')';
        append(std::move(line));
        return handler ? handler(args...) : 0;
    }

    void append(std::string line);
    std::string describe(int32_t value) const;
    std::string describe(uint32_t value) const;
    std::string describe(const char* text) const;
    std::string describePointer(const void* pointer) const;
    template <typename T>
    std::string describe(T* pointer) const {
        return describePointer(pointer);
    }

    ZelApi api_;
    mutable std::mutex mutex_;
    std::vector<std::string> calls_;
    std::map<const void*, std::string> names_;
};
