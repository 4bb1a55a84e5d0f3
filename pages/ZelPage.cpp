#include "pages/ZelPage.h"

#include "adapter/ZelShared.h"

bool CZelPage::onMessage(const fw::Message& m) {
    if (m.message == zel::kEventMessage) {
        onMainWindowEvent(static_cast<uint32_t>(m.wParam), m.lParam);
        return true;
    }
    return onPageMessage(m);
}
