// The Auto Link dialog's suite on the in-memory back end, with the texts of the resource
// scripts it reads.
#include <map>

#include "res/resource.h"
#include "tests/pages/AutoLinkSuite.h"

namespace autolinktest {
namespace {

std::string autoLinkText(int stringId) {
    static const std::map<int, std::string> kTexts = {
#include "AutoLinkTexts.inc"
    };
    const auto text = kTexts.find(stringId);
    return text == kTexts.end() ? std::string() : text->second;
}

INSTANTIATE_TEST_SUITE_P(Memory, AutoLinkDialog,
                         testing::Values(AutoLinkParam{
                             "Memory", [] { return fwtest::makeMemoryBackEnd(); }, autoLinkText}),
                         [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace autolinktest
