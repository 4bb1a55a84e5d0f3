#include "framework/MemoryHost.h"
#include "tests/support/BackEnd.h"

namespace fwtest {
namespace {

class MemoryBackEnd final : public BackEnd {
public:
    MemoryBackEnd(const std::map<int, std::vector<fw::ControlSpec>>& layouts,
                  const std::map<int, std::string>& captions) {
        for (const auto& [templateId, layout] : layouts) {
            const auto caption = captions.find(templateId);
            host_.declare(templateId, layout,
                          caption == captions.end() ? std::string() : caption->second);
        }
    }
    fw::Host& host() override { return host_; }
    fw::Script& script() override { return host_.script(); }
    fw::UserActions& user(const fw::Dialog& dialog) override { return host_.surfaceOf(dialog); }
    std::set<int> missingControls(const fw::Dialog&) override { return {}; }

private:
    fw::MemoryHost host_;
};

}  // namespace

std::unique_ptr<BackEnd> makeMemoryBackEnd(
    const std::map<int, std::vector<fw::ControlSpec>>& layouts,
    const std::map<int, std::string>& captions) {
    return std::make_unique<MemoryBackEnd>(layouts, captions);
}

}  // namespace fwtest
