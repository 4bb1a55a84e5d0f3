#include "framework/MemoryHost.h"

#include <optional>
#include <stdexcept>

#include "framework/Sheet.h"

namespace fw {

// A sheet's window in memory, run with the rules of the real property sheet: a page's
// window is made the first time it becomes active; leaving a page asks it; OK applies
// every page that has a window, in order, and a page that refuses becomes the active
// page; Cancel resets them; a wizard's Next and Back ask the page, then let it go.
//
// Destroying a child window takes the focus from it without a word: a page that is
// removed, or the pages of an embedded sheet. A top-level sheet that goes is deactivated
// first, and the control with the focus hears of it.
class MemorySheet final : public SheetWindow {
public:
    // `parent`: the window of the dialog an embedded sheet sits in (none for a top-level
    // sheet).
    MemorySheet(MemoryHost& host, Sheet& sheet, MemorySurface* parent)
        : host_(host), sheet_(sheet), parent_(parent) {}

    void start() {
        sheet_.attachWindow(*this);
        surface_ = &host_.open(sheet_, [this](int result) { finish(result); });
        surface_->setParent(parent_);
        for (int index = 0; index < sheet_.pageCount(); ++index)
            pages_.push_back(&sheet_.page(index));
        sheet_.onInit();
        if (!pages_.empty()) {
            activate(0);
            host_.surfaceOf(*pages_[0]).focusFirst();
        }
    }

    Sheet& sheet() const { return sheet_; }
    bool finished() const { return result_.has_value(); }
    int result() const { return result_.value_or(id::Cancel); }
    unsigned wizardButtons() const { return wizardButtons_; }

    void addPage(Page& page) override { pages_.push_back(&page); }

    void removePage(int index) override {
        Page* page = pages_.at(index);
        // The sheet moves to the page before the one removed, or after it when it is first.
        if (index == active_ && pages_.size() > 1) activate(index > 0 ? index - 1 : index + 1);
        closeWindow(*page, true);
        pages_.erase(pages_.begin() + index);
        if (active_ > index) --active_;
        if (active_ == index && pages_.empty()) active_ = -1;
    }

    bool select(int index) override {
        if (!leave()) return false;
        activate(index);
        return true;
    }

    int activeIndex() const override { return active_; }

    void pressButton(SheetButton button) override {
        Page* page = active_ >= 0 ? pages_[active_] : nullptr;
        switch (button) {
            case SheetButton::Ok:
                if (!leave()) return;
                for (int index = 0; index < static_cast<int>(pages_.size()); ++index) {
                    if (pages_[index]->hasWindow() && !pages_[index]->onApply()) {
                        show(index);
                        return;
                    }
                }
                finish(id::Ok);
                break;
            case SheetButton::Cancel:
                if (page && !page->onQueryCancel()) return;
                for (Page* shown : pages_) {
                    if (shown->hasWindow()) shown->onReset();
                }
                finish(id::Cancel);
                break;
            case SheetButton::Next:
                if (page && page->onWizardNext() && page->onKillActive() &&
                    active_ + 1 < static_cast<int>(pages_.size())) {
                    turnTo(active_ + 1);
                }
                break;
            case SheetButton::Back:
                if (page && page->onWizardBack() && page->onKillActive() && active_ > 0) {
                    turnTo(active_ - 1);
                }
                break;
            case SheetButton::Finish:
                if (page && page->onWizardFinish()) finish(id::Ok);
                break;
        }
    }

    void setWizardButtons(unsigned buttons) override {
        wizardButtons_ = buttons;
        surface_->enable(Sheet::kBackButton, buttons & wiz::Back);
        surface_->enable(Sheet::kNextButton, buttons & wiz::Next);
        surface_->enable(Sheet::kFinishButton, buttons & wiz::Finish);
        // Finish takes the place of Next.
        surface_->show(Sheet::kFinishButton, buttons & wiz::Finish);
        surface_->show(Sheet::kNextButton, !(buttons & wiz::Finish));
    }

    // The window goes, with the windows of its pages.
    void finish(int result) {
        if (result_) return;
        result_ = result;
        for (Page* page : pages_) closeWindow(*page, parent_ != nullptr);
        if (parent_) surface_->dropFocus();
        surface_->close();
        sheet_.detachWindow();
    }

private:
    bool leave() { return active_ < 0 || pages_[active_]->onKillActive(); }

    void activate(int index) {
        Page& page = *pages_.at(index);
        if (!page.hasWindow()) {
            host_.open(page, {}).setParent(surface_);
            page.onInit();
        }
        page.onSetActive();
        show(index);
    }

    // The sheet shows page `index` and hides the one it showed. A focus left on a control
    // of a hidden page goes to the first control of the page shown, or to the tabs when
    // it has none: keys never work on controls nobody sees. A focus elsewhere stays.
    void show(int index) {
        active_ = index;
        MemorySurface& shown = host_.surfaceOf(*pages_[index]);
        if (onHiddenPage(shown) && !shown.focusFirst()) surface_->setFocus(Sheet::kTabs);
    }

    // The focus is on a control of a page other than `shown`, or inside one.
    bool onHiddenPage(const MemorySurface& shown) const {
        for (const MemorySurface* window = host_.focus().surface; window;
             window = window->parent()) {
            if (window->parent() == surface_) return window != &shown;
        }
        return false;
    }

    // A wizard's page turn takes the focus along to the new page.
    void turnTo(int index) {
        if (host_.focus().surface == &host_.surfaceOf(*pages_[active_])) host_.releaseFocus();
        activate(index);
        host_.surfaceOf(*pages_[index]).focusFirst();
    }

    void closeWindow(Page& page, bool quietly) {
        if (!page.hasWindow()) return;
        MemorySurface& surface = host_.surfaceOf(page);
        if (quietly) surface.dropFocus();
        surface.close();
    }

    MemoryHost& host_;
    Sheet& sheet_;
    MemorySurface* parent_;
    MemorySurface* surface_ = nullptr;
    std::vector<Page*> pages_;
    int active_ = -1;
    unsigned wizardButtons_ = 0;
    std::optional<int> result_;
};

MemoryHost::MemoryHost() = default;

MemoryHost::~MemoryHost() {
    for (auto& sheet : sheets_) sheet->finish(id::Cancel);
    for (auto& window : windows_) window->close();
}

void MemoryHost::declare(int templateId, std::vector<ControlSpec> layout, std::string caption) {
    layouts_[templateId] = std::move(layout);
    captions_[templateId] = std::move(caption);
}

MemorySurface& MemoryHost::surfaceOf(const Dialog& dialog) const {
    auto* surface = dynamic_cast<MemorySurface*>(&dialog.ui());
    if (!surface) throw std::logic_error("the dialog has no window");
    return *surface;
}

unsigned MemoryHost::wizardButtons(const Sheet& sheet) const {
    for (const auto& window : sheets_) {
        if (&window->sheet() == &sheet && !window->finished()) return window->wizardButtons();
    }
    return 0;
}

MemorySurface& MemoryHost::open(Dialog& dialog, std::function<void(int)> onEnd) {
    const auto layout = layouts_.find(dialog.templateId());
    const auto caption = captions_.find(dialog.templateId());
    windows_.push_back(std::make_unique<MemorySurface>(
        dialog, script_, focus_,
        layout == layouts_.end() ? std::vector<ControlSpec>() : layout->second, std::move(onEnd),
        caption == captions_.end() ? std::string() : caption->second));
    MemorySurface& surface = *windows_.back();
    dialog.attach(surface, *this);
    return surface;
}

// A modal window takes the focus from its owner while it is up, and gives it back. What
// the dialog's initialisation throws goes no further, as at the system's dialog
// procedure; whatever else ends the run takes the window with it.
int MemoryHost::runModal(Dialog& dialog, Dialog*) {
    const Focus owner = releaseFocus();
    std::optional<int> result;
    MemorySurface* surface = nullptr;
    surface = &open(dialog, [&](int ended) {
        result = ended;
        surface->close();
    });
    struct Ending {
        MemorySurface& surface;
        const Focus& owner;
        ~Ending() {
            surface.close();
            MemorySurface::restoreFocus(owner);
        }
    } ending{*surface, owner};
    bool focusFirst = false;
    try {
        focusFirst = dialog.onInit();
    } catch (const std::exception& e) {
        script_.fail(std::string("exception in a dialog procedure: ") + e.what());
    }
    if (focusFirst && !result) surface->focusFirst();
    if (!result) {
        const auto action = script_.answerDialog(dialog.templateId());
        if (action) {
            (*action)(dialog, *surface);
            if (!result)
                script_.fail("dialog " + std::to_string(dialog.templateId()) + " did not end");
        }
        if (!result) surface->endDialog(id::Cancel);
    }
    return *result;
}

void MemoryHost::createModeless(Dialog& dialog, Dialog*) {
    MemorySurface& surface = open(dialog, [this, &dialog](int) { surfaceOf(dialog).close(); });
    if (dialog.onInit() && !surface.closed()) surface.focusFirst();
}

MemorySheet& MemoryHost::openSheet(Sheet& sheet, MemorySurface* parent) {
    sheets_.push_back(std::make_unique<MemorySheet>(*this, sheet, parent));
    MemorySheet& window = *sheets_.back();
    window.start();
    return window;
}

int MemoryHost::runSheet(Sheet& sheet, Dialog*) {
    const Focus owner = releaseFocus();
    MemorySheet& window = openSheet(sheet, nullptr);
    const auto action = script_.answerSheet(sheet.caption());
    if (action) {
        (*action)(sheet, surfaceOf(sheet));
        if (!window.finished()) script_.fail("sheet \"" + sheet.caption() + "\" did not end");
    }
    if (!window.finished()) window.pressButton(SheetButton::Cancel);
    MemorySurface::restoreFocus(owner);
    return window.result();
}

void MemoryHost::createSheet(Sheet& sheet, Dialog*) { openSheet(sheet, nullptr); }

void MemoryHost::embedSheet(Sheet& sheet, Dialog& parent, const Frame&) {
    openSheet(sheet, &surfaceOf(parent));
}

}  // namespace fw
