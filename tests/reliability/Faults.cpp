#include "tests/reliability/Faults.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <new>

namespace faults {

namespace {

// The plan of the thread that armed it; other threads run untouched.
struct Plan {
    bool armed = false;
    Kind kind = Kind::Library;
    int failAt = 0;
    int calls = 0;
    bool fired = false;
    const char* firedAt = "";
};

thread_local Plan plan;
thread_local long bytesBeforeKill = -1;

// Whether this call of `kind` fails.
bool failsNow(Kind kind, const char* operation) {
    if (!plan.armed || plan.kind != kind) return false;
    if (++plan.calls != plan.failAt) return false;
    plan.fired = true;
    plan.firedAt = operation;
    return true;
}

template <typename Function>
Function real(const char* name) {
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

}  // namespace

const char* kindName(Kind kind) {
    switch (kind) {
        case Kind::Library:
            return "library";
        case Kind::File:
            return "file";
        case Kind::Allocation:
            return "allocation";
    }
    return "?";
}

Armed::Armed(Kind kind, int failAt) {
    plan = Plan{};
    plan.kind = kind;
    plan.failAt = failAt;
    plan.armed = true;
}

Armed::~Armed() { plan.armed = false; }

Uncounted::Uncounted() : wasArmed_(plan.armed) { plan.armed = false; }
Uncounted::~Uncounted() { plan.armed = wasArmed_; }

int Armed::calls() const { return plan.calls; }
bool Armed::fired() const { return plan.fired; }
std::string Armed::firedAt() const { return plan.firedAt; }

#define FAULTS_UNPAREN(...) __VA_ARGS__
void injectLibraryFaults(ZelRecorder& zel, std::function<void()> onFault) {
#define FAULTS_WRAP(name, params, args)                                      \
    zel.on.name = [inner = zel.on.name, onFault] params -> int32_t {         \
        if (failsNow(Kind::Library, #name)) {                                \
            if (onFault) onFault();                                          \
            return std::string_view(#name) == "ZelGetConnectStatus" ? 0 : 1; \
        }                                                                    \
        return inner ? inner(FAULTS_UNPAREN args) : 0;                       \
    };
    ZEL_OPERATIONS(FAULTS_WRAP)
#undef FAULTS_WRAP
}

void killAfterWrittenBytes(long bytes) { bytesBeforeKill = bytes; }

}  // namespace faults

using faults::failsNow;
using faults::Kind;
using faults::real;

// ---- The C library's file functions, with their fault points.

extern "C" {

FILE* fopen(const char* path, const char* mode) {
    if (failsNow(Kind::File, "fopen")) {
        errno = EACCES;
        return nullptr;
    }
    static const auto next = real<FILE* (*)(const char*, const char*)>("fopen");
    return next(path, mode);
}

// A read that failed leaves its file's error indicator set, as a failing device does.
static thread_local FILE* failedRead = nullptr;

size_t fread(void* buffer, size_t size, size_t count, FILE* file) {
    if (failsNow(Kind::File, "fread")) {
        failedRead = file;
        errno = EIO;
        return 0;
    }
    static const auto next = real<size_t (*)(void*, size_t, size_t, FILE*)>("fread");
    return next(buffer, size, count, file);
}

int ferror(FILE* file) {
    if (file == failedRead) return 1;
    static const auto next = real<int (*)(FILE*)>("ferror");
    return next(file);
}

int fclose(FILE* file) {
    if (file == failedRead) failedRead = nullptr;
    static const auto next = real<int (*)(FILE*)>("fclose");
    return next(file);
}

int open(const char* path, int flags, ...) {
    mode_t mode = 0;
    if (flags & O_CREAT) {
        va_list arguments;
        va_start(arguments, flags);
        mode = static_cast<mode_t>(va_arg(arguments, int));
        va_end(arguments);
    }
    if (failsNow(Kind::File, "open")) {
        errno = EACCES;
        return -1;
    }
    static const auto next = real<int (*)(const char*, int, ...)>("open");
    return next(path, flags, mode);
}

ssize_t write(int file, const void* bytes, size_t count) {
    if (failsNow(Kind::File, "write")) {
        errno = ENOSPC;
        return -1;
    }
    static const auto next = real<ssize_t (*)(int, const void*, size_t)>("write");
    long& left = faults::bytesBeforeKill;
    if (left >= 0 && count > static_cast<size_t>(left)) {
        next(file, bytes, static_cast<size_t>(left));
        _exit(0);
    }
    const ssize_t written = next(file, bytes, count);
    if (left >= 0 && written > 0) left -= written;
    return written;
}

int fsync(int file) {
    if (failsNow(Kind::File, "fsync")) {
        errno = EIO;
        return -1;
    }
    static const auto next = real<int (*)(int)>("fsync");
    return next(file);
}

int rename(const char* source, const char* target) {
    if (failsNow(Kind::File, "rename")) {
        errno = EACCES;
        return -1;
    }
    static const auto next = real<int (*)(const char*, const char*)>("rename");
    return next(source, target);
}

int link(const char* source, const char* target) {
    if (failsNow(Kind::File, "link")) {
        errno = EACCES;
        return -1;
    }
    static const auto next = real<int (*)(const char*, const char*)>("link");
    return next(source, target);
}

}  // extern "C"

// ---- Allocations.

void* operator new(size_t size) {
    if (failsNow(Kind::Allocation, "operator new")) throw std::bad_alloc();
    if (void* block = std::malloc(size ? size : 1)) return block;
    throw std::bad_alloc();
}
void* operator new[](size_t size) { return operator new(size); }
// The forms that answer null rather than throw (std::stable_sort's buffer) must come from
// the same heap as the rest, as they go back through the same delete.
void* operator new(size_t size, const std::nothrow_t&) noexcept {
    if (failsNow(Kind::Allocation, "operator new")) return nullptr;
    return std::malloc(size ? size : 1);
}
void* operator new[](size_t size, const std::nothrow_t& tag) noexcept {
    return operator new(size, tag);
}
void operator delete(void* block, const std::nothrow_t&) noexcept { std::free(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { std::free(block); }
void operator delete(void* block) noexcept { std::free(block); }
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete(void* block, size_t) noexcept { std::free(block); }
void operator delete[](void* block, size_t) noexcept { std::free(block); }
