// Injected faults for the native tests: the Nth call of the adapter library, of a file
// operation or of an allocation fails, while a test has armed the fault on its thread.
//
// Library calls fail through the recording fake: every handler of a recorder is wrapped
// so that the armed call returns the library's failure (0 from ZelGetConnectStatus, 1
// from every other operation) without reaching the card. File operations fail in the C
// library's functions themselves, which this test program puts in front of the system's
// (opening a file for reading or writing, reading, writing, flushing, renaming,
// linking), so the code under test runs unchanged. Allocations fail in operator new.
#pragma once

#include <functional>
#include <string>

#include "tests/support/ZelRecorder.h"

namespace faults {

enum class Kind { Library, File, Allocation };

const char* kindName(Kind kind);

// Counts the calls of `kind` made on this thread from now on and fails the `failAt`-th
// (1-based); 0 only counts. Disarms when it goes out of scope.
class Armed {
public:
    Armed(Kind kind, int failAt);
    ~Armed();
    Armed(const Armed&) = delete;
    Armed& operator=(const Armed&) = delete;

    // Calls of the kind counted so far, and whether the armed one failed.
    int calls() const;
    bool fired() const;
    // What failed: the operation's name.
    std::string firedAt() const;
};

// While one lives, this thread's calls are not counted: the code of the test itself, or
// of what stands in for the system beneath the program, which never fails by throwing.
class Uncounted {
public:
    Uncounted();
    ~Uncounted();
    Uncounted(const Uncounted&) = delete;
    Uncounted& operator=(const Uncounted&) = delete;

private:
    bool wasArmed_;
};

// Wraps every handler of `zel` (installed or not) with the library's fault point;
// `onFault` runs just before the failing call returns (the card going away, say).
void injectLibraryFaults(ZelRecorder& zel, std::function<void()> onFault = {});

// Ends this process, as a kill would, once the writes since this call have put more than
// `bytes` bytes into files: the write that passes the mark puts only the bytes up to it.
// A negative value never ends it. For a child process of a crash test.
void killAfterWrittenBytes(long bytes);

}  // namespace faults
