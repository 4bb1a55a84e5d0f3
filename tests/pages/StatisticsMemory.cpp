// The Statistics pages' suite natively, on the in-memory surface.
#include "framework/MemorySurface.h"
#include "tests/pages/StatisticsSuite.h"

namespace {

class MemoryWorld final : public StatisticsWorld {
public:
    MemoryWorld() : windows_(fwtest::makeMemoryBackEnd()) {}

    fwtest::BackEnd& windows() override { return *windows_; }
    void pass(fw::Page& page, unsigned ms) override {
        auto& surface = dynamic_cast<fw::MemorySurface&>(page.ui());
        for (; ms >= stats::kTimerMs; ms -= stats::kTimerMs) {
            if (surface.isTimerRunning(stats::kTimer)) surface.fireTimer(stats::kTimer);
        }
    }
    std::vector<std::string> headings(const fw::Page& page, int id) override {
        return dynamic_cast<fw::MemorySurface&>(page.ui()).columns(id);
    }
    std::optional<std::vector<int>> columnWidths(const fw::Page&, int) override {
        return std::nullopt;
    }

private:
    std::unique_ptr<fwtest::BackEnd> windows_;
};

}  // namespace

INSTANTIATE_TEST_SUITE_P(Memory, StatisticsSuite,
                         testing::Values(StatisticsWorldParam{
                             "Memory", [] { return std::make_unique<MemoryWorld>(); }}),
                         statisticsWorldName);
