#include "shell/win32/TrayIcon.h"

#include <cstring>
#include <iterator>

#include "res/resource.h"

namespace {

constexpr UINT kBalloonTimeoutMs = 5000;

struct TrayLook {
    int iconId;
    UINT tipId;      // 0: the tip stays as it is
    UINT balloonId;  // 0: no balloon
};

constexpr TrayLook kLooks[] = {
    {IDI_TRAY_UNPLUGGED, IDS_TRAY_UNPLUGGED, 0},
    {IDI_TRAY_CONNECTED, IDS_TRAY_CONNECTED, 0},
    {IDI_TRAY_NO_CONNECTION, IDS_TRAY_NO_CONNECTION, 0},
    {IDI_TRAY_NO_CONNECTION, 0, IDS_TRAY_SCANNING},
};

template <size_t N>
void copyText(char (&field)[N], const std::string& text) {
    const size_t length = text.size() < N - 1 ? text.size() : N - 1;
    std::memcpy(field, text.data(), length);
    field[length] = '\0';
}

}  // namespace

CTrayIcon::CTrayIcon(HINSTANCE module) : module_(module) {
    // The record as Windows 2000 and XP know it: with the balloon, without the GUID.
    data_.cbSize = NOTIFYICONDATAA_V2_SIZE;
    data_.uID = 0;
}

CTrayIcon::~CTrayIcon() {
    if (menu_) DestroyMenu(menu_);
}

void CTrayIcon::bind(HWND owner, UINT callbackMessage) {
    data_.hWnd = owner;
    data_.uCallbackMessage = callbackMessage;
    if (!menu_) menu_ = LoadMenuA(module_, MAKEINTRESOURCEA(IDR_TRAY_MENU));
}

std::string CTrayIcon::text(UINT id) const {
    char buffer[256];
    const int length = LoadStringA(module_, id, buffer, sizeof buffer);
    return std::string(buffer, length > 0 ? length : 0);
}

void CTrayIcon::showState(int state) {
    if (!data_.hWnd || state < 0 || state >= static_cast<int>(std::size(kLooks))) return;
    const TrayLook& look = kLooks[state];
    const auto icon = static_cast<HICON>(LoadImageA(module_, MAKEINTRESOURCEA(look.iconId),
                                                    IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                    GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    const std::string tip = look.tipId ? text(look.tipId) : std::string();
    update(icon, look.tipId ? &tip : nullptr, look.balloonId ? text(look.balloonId) : "");
}

void CTrayIcon::remove() { update(nullptr, nullptr, ""); }

void CTrayIcon::update(HICON icon, const std::string* tip, const std::string& balloon) {
    data_.uFlags = 0;
    DWORD command;
    if (icon) {
        data_.hIcon = icon;
        data_.uFlags |= NIF_ICON;
        command = shown_ ? NIM_MODIFY : NIM_ADD;
    } else {
        if (!shown_) return;
        command = NIM_DELETE;
    }
    copyText(data_.szTip, tip ? *tip : std::string());
    if (data_.szTip[0] != '\0') data_.uFlags |= NIF_TIP;
    copyText(data_.szInfo, balloon);
    data_.szInfoTitle[0] = '\0';
    data_.uFlags |= NIF_INFO;
    data_.uTimeout = kBalloonTimeoutMs;
    if (data_.hWnd && data_.uCallbackMessage) data_.uFlags |= NIF_MESSAGE;

    const bool done = Shell_NotifyIconA(command, &data_) != FALSE;
    shown_ = done && command != NIM_DELETE;
}

void CTrayIcon::setRadioItem(bool radioOn) {
    if (!menu_) return;
    const std::string label = text(radioOn ? IDS_TURN_RADIO_OFF : IDS_TURN_RADIO_ON);
    ModifyMenuA(menu_, ID_RADIO_TOGGLE, MF_BYCOMMAND | MF_STRING, ID_RADIO_TOGGLE, label.c_str());
}

void CTrayIcon::openMenu() {
    const HMENU popup = menu_ ? GetSubMenu(menu_, 0) : nullptr;
    if (!popup) return;
    SetMenuDefaultItem(popup, 0, TRUE);
    POINT cursor;
    GetCursorPos(&cursor);
    // The menu closes when the user clicks elsewhere only if its owner is in front.
    SetForegroundWindow(data_.hWnd);
    TrackPopupMenu(popup, TPM_LEFTBUTTON, cursor.x, cursor.y, 0, data_.hWnd, nullptr);
    PostMessageA(data_.hWnd, WM_NULL, 0, 0);
}
