// An event that threads signal and wait on, like the system's event objects: a
// manual-reset event stays set until it is reset; an auto-reset event is cleared again
// by the one wait that it ends. One thread can wait for several events together.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <initializer_list>
#include <mutex>
#include <optional>
#include <vector>

class Event {
public:
    enum class Reset { Manual, Auto };

    explicit Event(Reset reset) : reset_(reset) {}
    Event(const Event&) = delete;
    Event& operator=(const Event&) = delete;

    void set();
    void reset();

    // Waits at most `timeout` for the event; true when it was set.
    bool wait(std::chrono::milliseconds timeout);

    // Waits until one of `events` is set, without a time limit when `timeout` is
    // absent. Returns the position of the event that ended the wait (the first given
    // when several are set), or nothing when the time ran out. Only the event that ended
    // the wait is cleared, and only when it resets automatically.
    static std::optional<size_t> waitAny(
        std::initializer_list<Event*> events,
        std::optional<std::chrono::milliseconds> timeout = std::nullopt);

private:
    // One waiting thread, registered with every event it waits for; setting one of
    // them wakes it. Its lock is taken only inside an event's lock or alone.
    struct Waiter {
        std::mutex mutex;
        std::condition_variable woken;
        bool signalled = false;
    };

    // True when the event is set, clearing an auto-reset event.
    bool take();
    void enlist(Waiter& waiter);
    void discharge(Waiter& waiter);

    const Reset reset_;
    std::mutex mutex_;
    bool set_ = false;
    std::vector<Waiter*> waiters_;
};
