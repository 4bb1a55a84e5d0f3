// A stand-in for Windows XP's wireless Zero Configuration service, "WZCSVC", for tests
// that install it: it runs until it is told to stop, and notes each start and stop in
// shell_fake_wzcsvc.log beside itself.
#include <windows.h>

#include <string>

namespace {

SERVICE_STATUS_HANDLE gStatusHandle = nullptr;
HANDLE gStop = nullptr;

void note(const char* line) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string log = path;
    log = log.substr(0, log.find_last_of('\\') + 1) + "shell_fake_wzcsvc.log";
    const HANDLE file = CreateFileA(log.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(file, line, static_cast<DWORD>(strlen(line)), &written, nullptr);
    WriteFile(file, "\n", 1, &written, nullptr);
    CloseHandle(file);
}

void report(DWORD state) {
    SERVICE_STATUS status{};
    status.dwServiceType = SERVICE_WIN32_OWN_PROCESS;
    status.dwCurrentState = state;
    status.dwControlsAccepted = state == SERVICE_RUNNING ? SERVICE_ACCEPT_STOP : 0;
    SetServiceStatus(gStatusHandle, &status);
}

DWORD WINAPI control(DWORD code, DWORD, void*, void*) {
    if (code == SERVICE_CONTROL_STOP) {
        note("stop");
        SetEvent(gStop);
    }
    return NO_ERROR;
}

void WINAPI serviceMain(DWORD, char**) {
    gStatusHandle = RegisterServiceCtrlHandlerExA("WZCSVC", control, nullptr);
    gStop = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    note("start");
    report(SERVICE_RUNNING);
    WaitForSingleObject(gStop, INFINITE);
    report(SERVICE_STOPPED);
}

}  // namespace

int main() {
    char name[] = "WZCSVC";
    const SERVICE_TABLE_ENTRYA services[] = {{name, serviceMain}, {nullptr, nullptr}};
    return StartServiceCtrlDispatcherA(services) ? 0 : 1;
}
