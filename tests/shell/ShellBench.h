// The main window in memory: the sheet in the in-memory host, over a library the test
// chooses, with a settings file and a profile file of its own and a platform double that
// keeps a journal of what the window asked of it (the tray, the tabs, the frame) and holds
// what is posted to the window until the test delivers it.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "adapter/ZelShared.h"
#include "framework/MemoryHost.h"
#include "pages/Certificates.h"
#include "pages/DeviceNotifications.h"
#include "pages/ProfileManager.h"
#include "pages/ZelPage.h"
#include "res/resource.h"
#include "shell/MainSheet.h"
#include "tests/pages/FileDialogDouble.h"
#include "tests/pages/FileVersionsDouble.h"
#include "tests/pages/MainPagePlatformDouble.h"
#include "tests/system/MemorySettingsStore.h"

class FakeShell : public ShellPlatform, public DeviceNotifications {
public:
    // The Network Status page's platform.
    MainPagePlatform& mainPagePlatform() override { return mainPage; }
    RecordingPlatform mainPage;
    // The personal certificate store: empty.
    CertificatePlatform& certificatePlatform() override { return certificates; }
    struct : CertificatePlatform {
        std::vector<CertificateEntry> personalCertificates() override { return {}; }
        std::optional<CertificateView> find(const std::string&, const CertHash&) override {
            return std::nullopt;
        }
    } certificates;
    // The standard file dialogs, as the test scripts them.
    FileDialogPlatform& fileDialogPlatform() override { return files; }
    ScriptedFileDialogs files;
    // The program's files: none has a version.
    FileVersions& fileVersions() override { return versions; }
    FakeFileVersions versions;

    // No interface carries the card's address.
    IpHelper& ipHelper() override { return interfaces; }
    struct : IpHelper {
        std::optional<CardInterface> findInterface(const MacAddress&) override {
            return std::nullopt;
        }
        std::optional<OctetCounters> readCounters(uint32_t, const MacAddress&) override {
            return std::nullopt;
        }
    } interfaces;

    // Device notifications, noted.
    DeviceNotifications& deviceNotifications() override { return *this; }
    bool add(void*) override {
        note("register device notification");
        return true;
    }
    void remove(void*) override { note("unregister device notification"); }

    // The frame; `completing` runs as the window completes.
    void completeWindow() override {
        note("complete window");
        if (completing) completing();
    }
    std::function<void()> completing;
    void attachTabs() override { note("attach tabs"); }
    bool enableTab(int index, bool enabled) override {
        note("tab " + std::to_string(index) + (enabled ? " on" : " off"));
        if (enabled) {
            disabledTabs.erase(index);
        } else {
            disabledTabs.insert(index);
        }
        return true;
    }
    void enableAllTabs() override {
        note("all tabs on");
        disabledTabs.clear();
    }
    bool isVisible() const override { return visible; }
    bool isMinimised() const override { return minimised; }
    void show() override {
        note("show");
        visible = true;
    }
    void hide() override {
        note("hide");
        visible = false;
    }
    void restore() override {
        note("restore");
        visible = true;
        minimised = false;
    }
    bool modalDialogUp() const override { return modal; }
    void pause(unsigned ms) override { note("pause " + std::to_string(ms)); }

    // The tray.
    void showTrayIcon(TrayState state) override {
        tray = state;
        note("tray " + std::to_string(static_cast<int>(state)));
    }
    void removeTrayIcon() override { note("remove tray icon"); }
    void setRadioMenuItem(bool radioOn) override {
        menuSaysRadioOff = radioOn;
        note(radioOn ? "menu: Turn Radio Off" : "menu: Turn Radio On");
    }
    void openTrayMenu() override { note("open tray menu"); }

    // Threads: the thread that made the double is the window's.
    bool onWindowThread() const override { return std::this_thread::get_id() == windowThread_; }
    void post(unsigned message, uintptr_t wParam, intptr_t lParam) override {
        std::lock_guard<std::mutex> lock(mutex_);
        posted_.push_back({message, wParam, lParam});
        changed_.notify_all();
    }
    // The worker waits here until the window thread has handled the message.
    void sendToPage(fw::Page& page, uint32_t code, const char* text) override {
        std::unique_lock<std::mutex> lock(mutex_);
        sent_.push_back({&page, code, text ? std::string(text) : std::string(), false});
        Sent& entry = sent_.back();
        changed_.notify_all();
        changed_.wait(lock, [&] { return entry.handled; });
    }
    void handleSentMessages() override {
        if (onHandleSent) onHandleSent();
        std::lock_guard<std::mutex> lock(mutex_);
        ++sentChecks;
        for (Sent& entry : sent_) {
            if (entry.handled) continue;
            delivered.emplace_back(entry.code, entry.text);
            entry.handled = true;
        }
        changed_.notify_all();
    }

    std::string text(int stringId) const override {
        switch (stringId) {
            case IDS_APP_TITLE:
                return "VORNAX TX-LM70RDV Utility";
            case IDS_PROFILES_UNREADABLE:
                return "Unreadable: %s";
            case IDS_PROFILES_DAMAGED:
                return "Damaged: %s, kept as %s";
            case IDS_PROFILES_NOT_SAVED:
                return "Not saved: %s";
            case IDS_AUTO_LINK_FAILED:
                return "Auto Link Failed!";
            default:
                return "#" + std::to_string(stringId);
        }
    }
    uint32_t tickCount() const override { return ticks++; }

    void unregisterHotkey() override { note("unregister hotkey"); }

    // What was posted, taken out in order.
    std::vector<std::tuple<unsigned, uintptr_t, intptr_t>> takePosted() {
        std::lock_guard<std::mutex> lock(mutex_);
        std::vector<std::tuple<unsigned, uintptr_t, intptr_t>> taken(posted_.begin(),
                                                                     posted_.end());
        posted_.clear();
        return taken;
    }
    // Waits (a bounded wait, never a measurement) until something posted fits `ready`.
    bool waitForPosted(const std::function<bool(unsigned, uintptr_t, intptr_t)>& ready) {
        std::unique_lock<std::mutex> lock(mutex_);
        return changed_.wait_for(lock, kPatience, [&] {
            return std::any_of(posted_.begin(), posted_.end(),
                               [&](const auto& message) { return std::apply(ready, message); });
        });
    }
    // Waits until the worker is sending `code` to a page.
    bool waitForSent(uint32_t code) {
        std::unique_lock<std::mutex> lock(mutex_);
        return changed_.wait_for(lock, kPatience, [&] {
            return std::any_of(sent_.begin(), sent_.end(), [&](const Sent& entry) {
                return entry.code == code && !entry.handled;
            });
        });
    }

    std::vector<std::string> takeJournal() {
        std::lock_guard<std::mutex> lock(mutex_);
        return std::exchange(journal_, {});
    }
    std::vector<std::string> journal() const {
        std::lock_guard<std::mutex> lock(mutex_);
        return journal_;
    }

    bool visible = false;
    bool minimised = false;
    bool modal = false;
    std::atomic<TrayState> tray{TrayState::Scanning};
    bool menuSaysRadioOff = true;
    std::set<int> disabledTabs;
    // What the worker sent to a page and the window thread handled: code and text.
    std::vector<std::pair<uint32_t, std::string>> delivered;
    int sentChecks = 0;
    // Called on the window thread each time the window looks for what the worker sends,
    // and for each journal line as it is written.
    std::function<void()> onHandleSent;
    std::function<void(const std::string&)> onNote;

private:
    static constexpr std::chrono::seconds kPatience{20};

    struct Sent {
        fw::Page* page;
        uint32_t code;
        std::string text;
        bool handled;
    };

    void note(const std::string& line) {
        if (onNote) onNote(line);
        std::lock_guard<std::mutex> lock(mutex_);
        journal_.push_back(line);
    }

    const std::thread::id windowThread_ = std::this_thread::get_id();
    mutable std::atomic<uint32_t> ticks{0};
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::tuple<unsigned, uintptr_t, intptr_t>> posted_;
    std::deque<Sent> sent_;
    std::vector<std::string> journal_;
};

// A page a test puts into the sheet to see what the main window hands the current page.
class RecordingPage : public CZelPage {
public:
    RecordingPage() : CZelPage(IDD_ABOUT, "Recorder") {}
    void onMainWindowEvent(uint32_t code, intptr_t) override { events.push_back(code); }
    void setRadioState(bool on) override { radioStates.push_back(on); }
    bool onApply() override { return applies; }

    std::vector<uint32_t> events;
    std::vector<bool> radioStates;
    bool applies = true;
};

// A folder of its own for the profile file.
class ScratchFolder {
public:
    ScratchFolder() {
        static std::atomic<int> count{0};
        path_ = std::filesystem::temp_directory_path() /
                ("tovix-shell-" + std::to_string(::getpid()) + "-" + std::to_string(++count));
        std::filesystem::create_directories(path_);
    }
    ~ScratchFolder() { std::filesystem::remove_all(path_); }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

// The main window's pieces in the order they must live: the window goes first.
struct ShellBench {
    explicit ShellBench(const ZelApi& library) : api(library) {}

    // Creates the sheet and its window, as start-up does.
    void start(sys::OsKind os = sys::OsWinXp) {
        sheet = std::make_unique<CMainSheet>(api, settings, os, profilePath(), shell);
        host.createSheet(*sheet, nullptr);
    }
    // Ends the program as the tray menu's Exit does.
    void exit() { command(ID_TRAY_EXIT); }

    std::string profilePath() const { return folder.file("Data.cfg"); }
    void set(const char* section, const char* key, const char* value) {
        store.writeText(section, key, value);
    }

    // A device-change broadcast `event` (a fw::dbt code) naming `device` of its kind.
    void deviceChange(int event, fw::DeviceKind kind = fw::DeviceKind::None,
                      const std::string& device = {}) {
        fw::Message m;
        m.message = fw::msg::DeviceChange;
        m.code = event;
        m.deviceKind = kind;
        m.device = device;
        sheet->deliver(m);
    }
    // Messages as the window gets them.
    bool deliver(unsigned message, uintptr_t wParam = 0, intptr_t lParam = 0) {
        fw::Message m;
        m.message = message;
        m.wParam = wParam;
        m.lParam = lParam;
        return sheet->deliver(m);
    }
    void command(int id) {
        fw::Message m;
        m.message = fw::msg::Command;
        m.code = fw::code::Clicked;
        m.id = id;
        sheet->deliver(m);
    }
    void event(uint32_t code) { deliver(zel::kEventMessage, code); }
    void timer(int id) {
        fw::Message m;
        m.message = fw::msg::Timer;
        m.id = id;
        sheet->deliver(m);
    }
    // Delivers what was posted to the window.
    void pump() {
        for (const auto& [message, wParam, lParam] : shell.takePosted()) {
            deliver(message, wParam, lParam);
        }
    }

    fw::MemorySurface& window() { return host.surfaceOf(*sheet); }
    std::vector<std::string> tabs() const {
        std::vector<std::string> titles;
        for (int index = 0; index < sheet->pageCount(); ++index) {
            titles.push_back(sheet->page(index).title());
        }
        return titles;
    }
    // Puts a recording page last into the sheet and makes it the current page.
    RecordingPage& recordCurrentPage() {
        sheet->addPage(recorder);
        sheet->select(sheet->pageCount() - 1);
        return recorder;
    }

    const ZelApi& api;
    ScratchFolder folder;
    MemorySettingsStore store;
    sys::Settings settings{store};
    FakeShell shell;
    fw::MemoryHost host;
    RecordingPage recorder;
    std::unique_ptr<CMainSheet> sheet;
};
