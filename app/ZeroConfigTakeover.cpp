#include "app/ZeroConfigTakeover.h"

#include <windows.h>

#include "shell/ZeroConfig.h"

namespace app {
namespace {

constexpr const char* kServiceName = "WZCSVC";
// How often and how long to look whether the service has stopped.
constexpr DWORD kStopPollMs = 1000;
constexpr DWORD kStopPatienceMs = 30000;

class ServiceHandle {
public:
    explicit ServiceHandle(SC_HANDLE handle) : handle_(handle) {}
    ~ServiceHandle() {
        if (handle_) CloseServiceHandle(handle_);
    }
    ServiceHandle(const ServiceHandle&) = delete;
    ServiceHandle& operator=(const ServiceHandle&) = delete;
    SC_HANDLE get() const { return handle_; }

private:
    SC_HANDLE handle_;
};

DWORD serviceState(SC_HANDLE service) {
    SERVICE_STATUS status{};
    return QueryServiceStatus(service, &status) ? status.dwCurrentState : 0;
}

// Stops the service and waits until it has stopped, or until the patience runs out.
void stopService(SC_HANDLE service) {
    if (serviceState(service) == SERVICE_RUNNING) {
        SERVICE_STATUS status{};
        ControlService(service, SERVICE_CONTROL_STOP, &status);
    }
    for (DWORD waited = 0; serviceState(service) != SERVICE_STOPPED && waited < kStopPatienceMs;
         waited += kStopPollMs) {
        Sleep(kStopPollMs);
    }
}

}  // namespace

void takeCardFromZeroConfiguration(const ZelApi& adapter) {
    const ServiceHandle manager(OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT));
    if (!manager.get()) return;
    const ServiceHandle service(OpenServiceA(manager.get(), kServiceName,
                                             SERVICE_QUERY_STATUS | SERVICE_START | SERVICE_STOP));
    if (!service.get()) return;
    stopService(service.get());
    shell::clearZeroConfigFlag(adapter);
    StartServiceA(service.get(), 0, nullptr);
}

}  // namespace app
