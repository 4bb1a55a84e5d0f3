// Property sheets: pages in order, one of them active. Leaving a page asks it first
// (kill-active), so a page with input that is not valid keeps the sheet on it. A sheet
// runs modeless (the main window, an editor embedded in a page), modal, or as a wizard.
#pragma once

#include <string>
#include <vector>

#include "framework/Dialog.h"

namespace fw {

// The back end of a sheet's window.
class SheetWindow {
public:
    virtual ~SheetWindow() = default;
    virtual void addPage(Page& page) = 0;
    virtual void removePage(int index) = 0;
    virtual bool select(int index) = 0;
    virtual int activeIndex() const = 0;
    virtual void pressButton(SheetButton button) = 0;
    virtual void setWizardButtons(unsigned buttons) = 0;
};

class Sheet : public Dialog {
public:
    enum class Mode { Modeless, Modal, Wizard };

    // A wizard's buttons, as controls of the sheet's window.
    static constexpr int kBackButton = 0x3023;
    static constexpr int kNextButton = 0x3024;
    static constexpr int kFinishButton = 0x3025;
    // The tab strip, as a control of the sheet's window.
    static constexpr int kTabs = 0x3020;

    Sheet(std::string caption, Mode mode) : Dialog(0), caption_(std::move(caption)), mode_(mode) {}
    ~Sheet() override;

    // The OK and Cancel commands press the sheet's buttons: the pages apply or reset.
    void onOk() override { pressButton(SheetButton::Ok); }
    void onCancel() override { pressButton(SheetButton::Cancel); }

    const std::string& caption() const { return caption_; }
    Mode mode() const { return mode_; }
    // A wizard's watermark and header bitmaps, by resource id (0: none).
    void setWizardImages(int watermark, int header) {
        watermark_ = watermark;
        header_ = header;
    }
    int watermark() const { return watermark_; }
    int header() const { return header_; }

    // The pages, in tab order. Pages may be added and removed while the sheet's window
    // exists; a removed page's window is destroyed.
    void addPage(Page& page);
    void removePage(Page& page);
    // Replaces the pages by `pages`, in that order, and makes the first one active.
    void setPages(const std::vector<Page*>& pages);
    int pageCount() const { return static_cast<int>(pages_.size()); }
    Page& page(int index) const { return *pages_.at(index); }
    // The index of `page`, -1 when it is not in the sheet.
    int indexOf(const Page& page) const;

    // While the window exists: the active page (-1 when there is no window), selecting a
    // page (false when the active page refuses to be left), the sheet's buttons.
    int activeIndex() const;
    bool select(int index);
    void pressButton(SheetButton button);
    void setWizardButtons(unsigned buttons);

    // Called by the back ends.
    void attachWindow(SheetWindow& window) { window_ = &window; }
    void detachWindow() { window_ = nullptr; }

private:
    std::string caption_;
    Mode mode_;
    int watermark_ = 0;
    int header_ = 0;
    std::vector<Page*> pages_;
    SheetWindow* window_ = nullptr;
};

}  // namespace fw
