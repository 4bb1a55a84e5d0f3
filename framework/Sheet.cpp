#include "framework/Sheet.h"

#include <algorithm>

namespace fw {

Sheet::~Sheet() {
    // The window goes while the sheet is still whole.
    if (hasWindow()) ui().endDialog(id::Cancel);
    for (Page* page : pages_) page->sheet_ = nullptr;
}

void Sheet::addPage(Page& page) {
    if (page.sheet_) page.sheet_->removePage(page);
    pages_.push_back(&page);
    page.sheet_ = this;
    if (window_) window_->addPage(page);
}

void Sheet::removePage(Page& page) {
    const int index = indexOf(page);
    if (index < 0) return;
    if (window_) window_->removePage(index);
    pages_.erase(pages_.begin() + index);
    page.sheet_ = nullptr;
}

void Sheet::setPages(const std::vector<Page*>& pages) {
    // A sheet window always keeps one page: remove all pages but the first, then bring
    // in the new set, and only then let the old first page go if the set has no place
    // for it.
    while (pageCount() > 1) removePage(*pages_.back());
    Page* kept = pages_.empty() ? nullptr : pages_.front();
    const bool keepFirst = !pages.empty() && pages.front() == kept;
    for (Page* page : pages) {
        if (page != kept || !keepFirst) addPage(*page);
    }
    if (kept && !keepFirst && std::find(pages.begin(), pages.end(), kept) == pages.end()) {
        removePage(*kept);
    }
    select(0);
}

int Sheet::indexOf(const Page& page) const {
    const auto it = std::find(pages_.begin(), pages_.end(), &page);
    return it == pages_.end() ? -1 : static_cast<int>(it - pages_.begin());
}

int Sheet::activeIndex() const { return window_ ? window_->activeIndex() : -1; }

bool Sheet::select(int index) {
    if (!window_ || index < 0 || index >= pageCount()) return false;
    return window_->select(index);
}

void Sheet::pressButton(SheetButton button) {
    if (window_) window_->pressButton(button);
}

void Sheet::setWizardButtons(unsigned buttons) {
    if (window_) window_->setWizardButtons(buttons);
}

}  // namespace fw
