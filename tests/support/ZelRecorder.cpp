#include "tests/support/ZelRecorder.h"

#include <atomic>
#include <cstdio>
#include <stdexcept>
#include <utility>

namespace {

std::atomic<ZelRecorder*> activeRecorder{nullptr};

}  // namespace

#define ZEL_RECORDER_UNPAREN(...) __VA_ARGS__

// The functions of the table: each records its call on the active recorder.
struct ZelRecorderEntries {
#define ZEL_RECORDER_ENTRY(name, params, args)                                      \
    static int32_t ZEL_CALL name params {                                           \
        ZelRecorder& recorder = *activeRecorder.load();                             \
        return recorder.record(#name, recorder.on.name, ZEL_RECORDER_UNPAREN args); \
    }
    ZEL_OPERATIONS(ZEL_RECORDER_ENTRY)
#undef ZEL_RECORDER_ENTRY
};

ZelRecorder::ZelRecorder() {
    ZelRecorder* expected = nullptr;
    if (!activeRecorder.compare_exchange_strong(expected, this)) {
        throw std::logic_error("only one ZelRecorder may exist at a time");
    }
#define ZEL_RECORDER_FILL(name, params, args) api_.name = &ZelRecorderEntries::name;
    ZEL_OPERATIONS(ZEL_RECORDER_FILL)
#undef ZEL_RECORDER_FILL
}

ZelRecorder::~ZelRecorder() { activeRecorder.store(nullptr); }

void ZelRecorder::name(const void* pointer, std::string name) {
    std::lock_guard<std::mutex> lock(mutex_);
    names_[pointer] = std::move(name);
}

std::vector<std::string> ZelRecorder::calls() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return calls_;
}

std::vector<std::string> ZelRecorder::takeCalls() {
    std::lock_guard<std::mutex> lock(mutex_);
    return std::exchange(calls_, {});
}

std::vector<std::string> ZelRecorder::callsTo(std::string_view operation) const {
    std::lock_guard<std::mutex> lock(mutex_);
    std::vector<std::string> matching;
    for (const std::string& call : calls_) {
        if (call.size() > operation.size() && call.compare(0, operation.size(), operation) == 0 &&
            call[operation.size()] == '(') {
            matching.push_back(call);
        }
    }
    return matching;
}

void ZelRecorder::append(std::string line) {
    std::lock_guard<std::mutex> lock(mutex_);
    calls_.push_back(std::move(line));
}

std::string ZelRecorder::describe(int32_t value) const { return std::to_string(value); }

std::string ZelRecorder::describe(uint32_t value) const { return std::to_string(value); }

std::string ZelRecorder::describe(const char* text) const {
    if (text == nullptr) return "null";
    std::string quoted = "\"";
    for (; *text != '\0'; ++text) {
        const auto c = static_cast<unsigned char>(*text);
        if (c == '"' || c == '\\') {
            quoted += '\\';
            quoted += static_cast<char>(c);
        } else if (c < 0x20 || c >= 0x7F) {
            char escape[5];
            std::snprintf(escape, sizeof escape, "\\x%02X", c);
            quoted += escape;
        } else {
            quoted += static_cast<char>(c);
        }
    }
    return quoted + "\"";
}

std::string ZelRecorder::describePointer(const void* pointer) const {
    if (pointer == nullptr) return "null";
    std::lock_guard<std::mutex> lock(mutex_);
    const auto named = names_.find(pointer);
    return named != names_.end() ? named->second : "ptr";
}
