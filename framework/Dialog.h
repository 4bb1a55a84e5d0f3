// Dialogs and property pages. A dialog is bound to one dialog template and reaches its
// controls through its surface, which exists only while its window does: before the
// window is created (a page that was never shown) and after it is destroyed, every
// operation on the controls does nothing and reads give empty values.
#pragma once

#include <string>
#include <utility>

#include "framework/MessageMap.h"
#include "framework/Surface.h"

namespace fw {

class Host;
class Sheet;

class Dialog {
public:
    explicit Dialog(int templateId) : templateId_(templateId) {}
    virtual ~Dialog();
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    int templateId() const { return templateId_; }
    bool hasWindow() const { return surface_ != nullptr; }
    // The window's controls; a surface that does nothing while there is no window.
    Surface& ui() const;
    // The host that made the window; only while the window exists.
    Host& host() const;

    // Initialisation (WM_INITDIALOG). Returns true to let the system give the focus to
    // the first control, false when it has placed the focus itself.
    virtual bool onInit() { return true; }
    // The OK and Cancel commands when the message map does not handle them.
    virtual void onOk() { endDialog(id::Ok); }
    virtual void onCancel() { endDialog(id::Cancel); }

    // Called by the back ends.
    void attach(Surface& surface, Host& host);
    void detach();
    // Delivers a message to the message map; true when it was handled.
    bool deliver(const Message& m);

protected:
    // The dialog's message map: typically `return fw::dispatch(*this, kMap, m);`.
    virtual bool onMessage(const Message&) { return false; }
    // Ends a modal dialog with `result`, or closes a modeless one.
    void endDialog(int result) { ui().endDialog(result); }

private:
    int templateId_;
    Surface* surface_ = nullptr;
    Host* host_ = nullptr;
};

// A property page. Its window is created the first time its sheet shows it.
class Page : public Dialog {
public:
    Page(int templateId, std::string title, std::string headerTitle = {})
        : Dialog(templateId), title_(std::move(title)), headerTitle_(std::move(headerTitle)) {}
    // A page that goes away leaves its sheet.
    ~Page() override;

    // The tab caption, and the header title in a wizard (none: an exterior page beside
    // the wizard's watermark).
    const std::string& title() const { return title_; }
    const std::string& headerTitle() const { return headerTitle_; }
    // The sheet that holds the page; none while it is in no sheet.
    Sheet* sheet() const { return sheet_; }

    // The sheet's notifications to the page.
    virtual void onSetActive() {}
    // Returns false to refuse leaving the page (the input is not valid).
    virtual bool onKillActive() { return true; }
    // OK (sheets have no Apply button): returns false when the input is not valid; the
    // sheet stays open on this page.
    virtual bool onApply() { return true; }
    // Cancel was pressed while the page is shown: returns false to keep the sheet open.
    virtual bool onQueryCancel() { return true; }
    // The sheet was cancelled.
    virtual void onReset() {}
    // Wizard buttons: return false to stay on the page (Finish: to keep the wizard open).
    virtual bool onWizardBack() { return true; }
    virtual bool onWizardNext() { return true; }
    virtual bool onWizardFinish() { return true; }

private:
    friend class Sheet;
    std::string title_;
    std::string headerTitle_;
    Sheet* sheet_ = nullptr;
};

}  // namespace fw
