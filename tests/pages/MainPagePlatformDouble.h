// Stand-ins for what the Network Status page needs beneath its window: the IP helper's
// answers, and a platform that records what the page asks of its window and, under Wine,
// passes it on to the real one.
#pragma once

#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include "pages/MainPageHost.h"

class FakeIpHelper final : public IpHelper {
public:
    std::optional<CardInterface> findInterface(const MacAddress& mac) override {
        askedFor.push_back(mac);
        return card;
    }
    std::optional<OctetCounters> readCounters(uint32_t index, const MacAddress& mac) override {
        if (!card || index != card->index || mac != askedFor.back()) return std::nullopt;
        if (counters) {
            counters->in += growth.in;
            counters->out += growth.out;
        }
        return counters;
    }

    // The card's interface, when the system lists one, and its counters, which grow by
    // `growth` at each reading.
    std::optional<CardInterface> card;
    std::optional<OctetCounters> counters;
    OctetCounters growth;
    std::vector<MacAddress> askedFor;
};

class RecordingPlatform final : public MainPagePlatform {
public:
    // `real` also gets every request about the window.
    explicit RecordingPlatform(MainPagePlatform* real = nullptr) : real_(real) {}

    struct GraphRecord {
        std::vector<std::pair<int, int>> ranges;
        std::vector<uint32_t> values;
    };

    void createControls(fw::Page& page) override {
        ++controlsCreated;
        if (real_) real_->createControls(page);
    }
    void setGraphRange(Graph which, int lower, int upper) override {
        graph(which).ranges.emplace_back(lower, upper);
        if (real_) real_->setGraphRange(which, lower, upper);
    }
    void addGraphValue(Graph which, uint32_t value) override {
        graph(which).values.push_back(value);
        if (real_) real_->addGraphValue(which, value);
    }
    void setGraphsRunning(bool running) override {
        graphsRunning.push_back(running);
        if (real_) real_->setGraphsRunning(running);
    }
    // The interface is read at once from `ip`, at the tick count of the moment; with
    // `systemInterfaces` the real platform reads the system's.
    std::optional<InterfaceReading> cardInterface(const MacAddress& mac) override {
        if (real_ && systemInterfaces) return real_->cardInterface(mac);
        return readInterface(ip, mac, [this] { return clock ? clock() : now; });
    }

    GraphRecord& graph(Graph which) { return which == Graph::Transmit ? transmit : receive; }

    int controlsCreated = 0;
    GraphRecord transmit;
    GraphRecord receive;
    std::vector<bool> graphsRunning;  // each start and stop the page asked for
    // The tick count: `clock`'s when there is one, else `now`.
    uint32_t now = 0;
    std::function<uint32_t()> clock;
    FakeIpHelper ip;
    bool systemInterfaces = false;

private:
    MainPagePlatform* real_;
};
