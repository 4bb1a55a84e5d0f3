#include "profiles/Event.h"

#include <algorithm>

void Event::set() {
    std::lock_guard<std::mutex> lock(mutex_);
    set_ = true;
    // Waiters leave the list only under this lock, so each one is still alive here.
    for (Waiter* waiter : waiters_) {
        std::lock_guard<std::mutex> waking(waiter->mutex);
        waiter->signalled = true;
        waiter->woken.notify_one();
    }
}

void Event::reset() {
    std::lock_guard<std::mutex> lock(mutex_);
    set_ = false;
}

bool Event::wait(std::chrono::milliseconds timeout) { return waitAny({this}, timeout).has_value(); }

std::optional<size_t> Event::waitAny(std::initializer_list<Event*> events,
                                     std::optional<std::chrono::milliseconds> timeout) {
    const auto deadline =
        std::chrono::steady_clock::now() + timeout.value_or(std::chrono::milliseconds::zero());
    Waiter waiter;
    for (Event* event : events) event->enlist(waiter);

    std::optional<size_t> ended;
    for (;;) {
        size_t position = 0;
        for (Event* event : events) {
            if (event->take()) {
                ended = position;
                break;
            }
            ++position;
        }
        if (ended) break;
        // A set() since the look above has already marked the waiter, so no wake-up is
        // lost between the look and the wait.
        std::unique_lock<std::mutex> lock(waiter.mutex);
        const auto signalled = [&] { return waiter.signalled; };
        if (timeout) {
            if (!waiter.woken.wait_until(lock, deadline, signalled)) break;
        } else {
            waiter.woken.wait(lock, signalled);
        }
        waiter.signalled = false;
    }

    for (Event* event : events) event->discharge(waiter);
    return ended;
}

bool Event::take() {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!set_) return false;
    if (reset_ == Reset::Auto) set_ = false;
    return true;
}

void Event::enlist(Waiter& waiter) {
    std::lock_guard<std::mutex> lock(mutex_);
    waiters_.push_back(&waiter);
}

void Event::discharge(Waiter& waiter) {
    std::lock_guard<std::mutex> lock(mutex_);
    waiters_.erase(std::find(waiters_.begin(), waiters_.end(), &waiter));
}
