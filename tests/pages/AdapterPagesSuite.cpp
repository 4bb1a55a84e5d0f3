#include "tests/pages/AdapterPagesSuite.h"

#include <gmock/gmock.h>

#include "framework/Controls.h"

namespace adaptertest {

void AdapterPages::start(const std::string& scenario) {
    card = std::make_unique<sim::NativeCard>(scenario);
    // Every call goes on to the card.
#define ADAPTER_PAGES_PASS(name, params, args) recorder.on.name = card->api().name;
    ZEL_OPERATIONS(ADAPTER_PAGES_PASS)
#undef ADAPTER_PAGES_PASS
    backEnd_ = GetParam().make();
    mainWindow = std::make_unique<FakeMainWindow>(recorder.api(), GetParam().text);
    ZelHandle handle = nullptr;
    if (recorder.api().ZelOpenAdapter(&handle) == 0) mainWindow->handle = handle;
    recorder.name(handle, "card");
    recorder.takeCalls();
}

void AdapterPages::show(CZelPage& page) {
    shown_ = &page;
    sheet_ = std::make_unique<fw::Sheet>("VORNAX TX-LM70RDV Utility", fw::Sheet::Mode::Modeless);
    sheet_->addPage(page);
    sheet_->addPage(readme_);
    backEnd_->host().createSheet(*sheet_, nullptr);
}

void AdapterPages::leaveAndComeBack() {
    ASSERT_TRUE(sheet_->select(1));
    ASSERT_TRUE(sheet_->select(0));
}

std::vector<std::string> AdapterPages::takeSets() {
    std::vector<std::string> sets;
    for (std::string& call : recorder.takeCalls()) {
        if (call.rfind("ZelSet", 0) == 0) sets.push_back(std::move(call));
    }
    return sets;
}

void AdapterPages::TearDown() {
    if (backEnd_) fwtest::expectCleanEnd(*backEnd_, shown_);
    sheet_.reset();
    if (mainWindow && mainWindow->handle) recorder.api().ZelCloseAdapter(&mainWindow->handle);
}

CAdvancedPage& AdvancedPage::open() {
    page_ = std::make_unique<CAdvancedPage>(*mainWindow);
    show(*page_);
    recorder.takeCalls();
    return *page_;
}

void AdvancedPage::choose(int id, intptr_t code) {
    const int position = fw::findData(ui(), id, code);
    ASSERT_GE(position, 0) << "no entry " << code << " in " << id;
    hands().pick(id, position);
}

CAboutPage& AboutPage::open() {
    page_ = std::make_unique<CAboutPage>(*mainWindow, files);
    show(*page_);
    return *page_;
}

}  // namespace adaptertest
