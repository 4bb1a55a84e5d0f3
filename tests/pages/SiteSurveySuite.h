// The Site Survey suite's fixture: the page in a main window of the test's own, over a
// recording card whose scan list the test writes record by record.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "pages/SiteSurvey.h"
#include "tests/adapter/ScanListBuilder.h"
#include "tests/pages/ProfileSuite.h"
#include "tests/support/ZelRecorder.h"

namespace pagestest {

class SiteSurveySuite : public ProfileEditing {
protected:
    SiteSurveySuite();
    ~SiteSurveySuite() override;

    // The networks the card heard at its last scan, as records in this order.
    void hear(const std::vector<scantest::Network>& networks);
    // Shows the page, which lists the card's last scan.
    CSiteSurvey& open();
    CSiteSurvey& page() { return *page_; }
    fw::Surface& ui() { return page_->ui(); }
    fw::UserActions& hands() { return user(*page_); }
    // Column `column` of every row, top to bottom.
    std::vector<std::string> column(int column);
    std::vector<int> images();
    std::vector<intptr_t> positions();
    // How often the page read the scan list so far.
    size_t reads() const { return card.callsTo("ZelQueryScanList").size(); }

    ZelRecorder card;
    // The list as each layout gives it; ZelQueryScanList fails while `unreadable` is set.
    std::vector<uint8_t> scanList;
    std::vector<uint8_t> fullScanList;
    bool unreadable = false;

private:
    fw::Sheet mainSheet_{"VORNAX TX-LM70RDV Utility", fw::Sheet::Mode::Modeless};
    std::unique_ptr<CSiteSurvey> page_;
};

}  // namespace pagestest
