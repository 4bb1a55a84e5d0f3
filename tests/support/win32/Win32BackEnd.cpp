#include "tests/support/win32/Win32BackEnd.h"

#include <map>

#include "framework/win32/Win32Host.h"
#include "framework/win32/Win32Surface.h"
#include "tests/support/win32/Win32Script.h"
#include "tests/support/win32/Win32User.h"

namespace fwtest {
namespace {

class Win32BackEnd final : public BackEnd {
public:
    fw::Host& host() override { return host_; }
    fw::Script& script() override { return script_; }
    fw::UserActions& user(const fw::Dialog& dialog) override {
        HWND window = fw::Win32Host::windowOf(dialog);
        auto& user = users_[window];
        if (!user) user = std::make_unique<Win32User>(window);
        return *user;
    }

    std::set<int> missingControls(const fw::Dialog& dialog) override {
        const auto* surface = dynamic_cast<const fw::Win32Surface*>(&dialog.ui());
        return surface ? surface->missingControls() : std::set<int>();
    }

private:
    fw::Win32Host host_{GetModuleHandleA(nullptr)};
    fw::Script script_;
    Win32Script answers_{script_};
    std::map<HWND, std::unique_ptr<Win32User>> users_;
};

}  // namespace

std::unique_ptr<BackEnd> makeWin32BackEnd() { return std::make_unique<Win32BackEnd>(); }

std::string resourceText(int stringId) {
    char buffer[512];
    const int length = LoadStringA(GetModuleHandleA(nullptr), stringId, buffer, sizeof buffer);
    return std::string(buffer, length > 0 ? length : 0);
}

}  // namespace fwtest
