#include "framework/MemoryHost.h"
#include "tests/support/BackEnd.h"
#include "tests/support/DialogTemplates.h"

namespace fwtest {
namespace {

class MemoryBackEnd final : public BackEnd {
public:
    explicit MemoryBackEnd(const std::map<int, std::vector<fw::ControlSpec>>& madeAtRunTime) {
        DialogTemplates templates = builtTemplates();
        for (const auto& [templateId, controls] : madeAtRunTime) {
            auto& laidOut = templates[templateId].controls;
            laidOut.insert(laidOut.end(), controls.begin(), controls.end());
        }
        declareTemplates(host_, templates);
    }
    fw::Host& host() override { return host_; }
    fw::Script& script() override { return host_.script(); }
    fw::UserActions& user(const fw::Dialog& dialog) override { return host_.surfaceOf(dialog); }
    std::set<int> missingControls(const fw::Dialog& dialog) override {
        const auto* surface = dynamic_cast<const fw::MemorySurface*>(&dialog.ui());
        return surface ? surface->missingControls() : std::set<int>();
    }

private:
    fw::MemoryHost host_;
};

}  // namespace

std::unique_ptr<BackEnd> makeMemoryBackEnd() { return makeMemoryBackEndAdding({}); }

std::unique_ptr<BackEnd> makeMemoryBackEndAdding(
    const std::map<int, std::vector<fw::ControlSpec>>& madeAtRunTime) {
    return std::make_unique<MemoryBackEnd>(madeAtRunTime);
}

}  // namespace fwtest
