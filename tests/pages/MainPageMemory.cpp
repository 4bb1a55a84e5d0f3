// The Network Status page's suite natively: the in-memory surface, and the simulated card's
// model on a clock that the suite advances.
#include "framework/MemorySurface.h"
#include "sim/NativeCard.h"
#include "tests/pages/MainPageSuite.h"

namespace {

class MemoryWorld final : public MainPageWorld {
public:
    explicit MemoryWorld(const std::string& scenario)
        : windows_(fwtest::makeMemoryBackEndAdding(
              // The throughput graphs, made over their frames.
              {{IDD_NETWORK_STATUS,
                {{IDC_STATUS_TX_GRAPH, fw::Kind::Unknown, false, 0, false},
                 {IDC_STATUS_RX_GRAPH, fw::Kind::Unknown, false, 0, false}}}})),
          card_(scenario) {}

    fwtest::BackEnd& windows() override { return *windows_; }
    const ZelApi& api() const override { return card_.api(); }
    void pass(CMainPage& page, uint32_t ms) override {
        auto* surface = dynamic_cast<fw::MemorySurface*>(&page.ui());
        for (; ms >= CMainPage::kTimerMs; ms -= CMainPage::kTimerMs) {
            card_.advance(CMainPage::kTimerMs);
            if (surface && surface->isTimerRunning(CMainPage::kTimer)) {
                surface->fireTimer(CMainPage::kTimer);
            }
        }
        card_.advance(ms);
    }
    uint32_t now() const override { return static_cast<uint32_t>(card_.now()); }
    MainPagePlatform* platform() override { return nullptr; }

private:
    std::unique_ptr<fwtest::BackEnd> windows_;
    sim::NativeCard card_;
};

}  // namespace

INSTANTIATE_TEST_SUITE_P(Memory, MainPageSuite,
                         testing::Values(MainPageWorldParam{
                             "Memory",
                             [](const std::string& scenario) {
                                 return std::make_unique<MemoryWorld>(scenario);
                             }}),
                         worldName);
