// The Advanced and About page suites on the in-memory back end, with the texts of the
// resource scripts they read.
#include <map>

#include "res/resource.h"
#include "tests/pages/AdapterPagesSuite.h"

namespace adaptertest {
namespace {

std::string adapterText(int stringId) {
    static const std::map<int, std::string> kTexts = {
#include "AdapterTexts.inc"
    };
    const auto text = kTexts.find(stringId);
    return text == kTexts.end() ? std::string() : text->second;
}

}  // namespace

INSTANTIATE_ADAPTER_PAGE_SUITES(Memory, AdapterPagesParam{
                                            "Memory", [] { return fwtest::makeMemoryBackEnd(); },
                                            adapterText});

}  // namespace adaptertest
