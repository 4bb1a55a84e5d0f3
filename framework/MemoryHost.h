// The in-memory host: dialogs and sheets get in-memory windows, and modal dialogs and
// sheets are run by the script's user. A window that comes against the script, or a
// modal window that the user's actions leave open, is a failure recorded in the script
// and is cancelled.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "framework/Host.h"
#include "framework/MemorySurface.h"
#include "framework/Script.h"

namespace fw {

class MemorySheet;

class MemoryHost final : public Host {
public:
    MemoryHost();
    ~MemoryHost() override;

    // The controls of dialog template `templateId`, in template order, and its caption.
    void declare(int templateId, std::vector<ControlSpec> layout, std::string caption = {});
    Script& script() { return script_; }
    // The surface of a dialog, page or sheet that has a window here.
    MemorySurface& surfaceOf(const Dialog& dialog) const;
    // A sheet's wizard buttons, as its last page set them.
    unsigned wizardButtons(const Sheet& sheet) const;

    int runModal(Dialog& dialog, Dialog* owner) override;
    void createModeless(Dialog& dialog, Dialog* owner) override;
    int runSheet(Sheet& sheet, Dialog* owner) override;
    void createSheet(Sheet& sheet, Dialog* owner) override;
    void embedSheet(Sheet& sheet, Dialog& parent, const Frame& frame) override;

    // A window for `dialog`; `onEnd` is told when the dialog ends itself.
    MemorySurface& open(Dialog& dialog, std::function<void(int)> onEnd);
    // The keyboard focus, shared by all windows of the host.
    Focus& focus() { return focus_; }
    // Takes the focus from whichever window has it; returns where it was.
    Focus releaseFocus() { return focus_.surface ? focus_.surface->releaseFocus() : Focus{}; }

private:
    MemorySheet& openSheet(Sheet& sheet, MemorySurface* parent);

    Script script_;
    Focus focus_;
    std::map<int, std::vector<ControlSpec>> layouts_;
    std::map<int, std::string> captions_;
    std::vector<std::unique_ptr<MemorySurface>> windows_;
    std::vector<std::unique_ptr<MemorySheet>> sheets_;
};

}  // namespace fw
