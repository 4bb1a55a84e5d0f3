// Pictures of every page and dialog of the real Tovix.exe with the simulated card and its
// default world, for the user guide: the first start, a profile made with the wizard and
// its WEP key, the 802.1x dialogs with a certificate, the statistics, the advanced
// settings, the site survey joining a WPA2 network, the Admin page's export, the
// diagnostic pages and the Readme page.
// Each picture is a bitmap in the folder "guide-screens" beside this program; a window
// that does not come, or does not show what it should, fails the run.
//
// A new picture is one more step in one of the walks below (or one more walk): bring the
// window up as a user would, check that it shows its work, then shoot(window, "name").
#include <windows.h>
#include <commctrl.h>
#include <dlgs.h>
#include <gtest/gtest.h>
#include <wincrypt.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "res/resource.h"
#include "tests/pages/ProgramPages.h"
#include "tests/support/win32/ProgramDriver.h"
#include "tests/support/win32/RemoteListView.h"

namespace {

using namespace program_driver;
using program_pages::kTitle;

constexpr const char* kFolder = "guide-screens";
constexpr int kStatisticsTab = 3;
constexpr int kAdvancedTab = 4;
constexpr int kAdminTab = 5;

// Lets the program run (and paint, and count) for `ms` milliseconds.
void wait(DWORD ms) {
    waitUntil([] { return false; }, ms);
}

// A certificate of one's own in the personal store "MY" while this object lives, made on
// the spot (self-signed, valid for five years).
class PersonalCertificate {
public:
    explicit PersonalCertificate(const char* subject) {
        DWORD size = 0;
        CertStrToNameA(X509_ASN_ENCODING, subject, CERT_X500_NAME_STR, nullptr, nullptr, &size,
                       nullptr);
        std::vector<BYTE> name(size);
        CertStrToNameA(X509_ASN_ENCODING, subject, CERT_X500_NAME_STR, nullptr, name.data(), &size,
                       nullptr);
        CERT_NAME_BLOB blob = {size, name.data()};
        SYSTEMTIME end;
        GetSystemTime(&end);
        end.wYear += 5;
        end.wDay = end.wMonth == 2 && end.wDay == 29 ? 28 : end.wDay;
        PCCERT_CONTEXT made =
            CertCreateSelfSignCertificate(0, &blob, 0, nullptr, nullptr, nullptr, &end, nullptr);
        if (!made) return;
        DWORD length = sizeof hash_;
        made_ = CertGetCertificateContextProperty(made, CERT_SHA1_HASH_PROP_ID, hash_, &length) &&
                change([&](HCERTSTORE store) {
                    return CertAddCertificateContextToStore(
                        store, made, CERT_STORE_ADD_REPLACE_EXISTING, nullptr);
                });
        CertFreeCertificateContext(made);
    }
    // Taken out of the store again, found by its hash.
    ~PersonalCertificate() {
        if (!made_) return;
        change([&](HCERTSTORE store) {
            CRYPT_HASH_BLOB blob = {sizeof hash_, hash_};
            PCCERT_CONTEXT found = CertFindCertificateInStore(store, X509_ASN_ENCODING, 0,
                                                              CERT_FIND_SHA1_HASH, &blob, nullptr);
            return found && CertDeleteCertificateFromStore(found);
        });
    }
    PersonalCertificate(const PersonalCertificate&) = delete;
    PersonalCertificate& operator=(const PersonalCertificate&) = delete;
    bool made() const { return made_; }

private:
    // One change of the store, committed before the store closes so that every other
    // opening sees it.
    template <typename Change>
    static bool change(Change&& what) {
        HCERTSTORE store = CertOpenSystemStoreA(0, "MY");
        if (!store) return false;
        const bool done = what(store);
        CertControlStore(store, 0, CERT_STORE_CTRL_COMMIT, nullptr);
        CertCloseStore(store, 0);
        return done;
    }

    BYTE hash_[20] = {};
    bool made_ = false;
};

// The program in a folder of its own with the default world.
class Guide : public program_pages::TovixProgram {
protected:
    // Auto Link is switched off, so that its dialog comes up only in a walk of its own.
    void SetUp() override {
        ASSERT_EQ(copyProgram(folder), std::nullopt);
        setting("Advanced", "AutoLink", "0");
    }

    // Starts the program; true once "<Default>" has connected it to the open network.
    bool startConnected() {
        start();
        return sheet && connectedTo("VORNAX-Guest");
    }
    bool connectedTo(const std::string& ssid) {
        HWND status = showTab(program_pages::kNetworkStatusTab);
        return waitUntil([&] {
            return text(status, IDC_STATUS_TEXT) == "Connected" &&
                   text(status, IDC_STATUS_SSID) == ssid;
        });
    }
    static std::string text(HWND window, int control) {
        return windowText(GetDlgItem(window, control));
    }
    static void shoot(HWND window, const std::string& name) {
        program_pages::picture(window, name, kFolder);
    }
    // Presses the wizard's Next; true when it went on to another page.
    static bool next(HWND wizard) {
        HWND before = currentPage(wizard);
        PostMessageA(wizard, PSM_PRESSBUTTON, PSBTN_NEXT, 0);
        return waitUntil([&] { return currentPage(wizard) != before; }, 3000);
    }
    // In the EAP/TLS dialog: "&Browse...", the certificate "alice" viewed and selected.
    void chooseCertificate(HWND tls) {
        click(tls, IDC_CRED_BROWSE);
        HWND select = driver.waitForWindow("Select Certificate");
        ASSERT_TRUE(select);
        RemoteListView certificates(GetDlgItem(select, IDC_CERT_LIST));
        const int row = certificates.find("alice");
        ASSERT_GE(row, 0);
        certificates.select(row);
        shoot(select, "select-certificate");
        click(select, IDC_CERT_VIEW);
        HWND view = driver.waitForWindow("View Certificate");
        ASSERT_TRUE(view);
        shoot(view, "view-certificate");
        close(view, IDOK);
        close(select, IDOK);
    }
    // Closes a modal window with `button` and waits until it has gone.
    static void close(HWND window, int button) {
        pressButton(window, button);
        EXPECT_TRUE(waitUntil([&] { return !IsWindow(window); }));
    }
};

TEST_F(Guide, FirstStartProfileSurveyStatisticsAndSettings) {
    PersonalCertificate alice("CN=alice");
    ASSERT_TRUE(alice.made());
    ASSERT_TRUE(startConnected());
    wait(6000);  // the graphs and the signal bar fill
    shoot(sheet, "network-status");

    // A profile for the WEP network "Cafe Corner" made with the wizard.
    HWND manager = showTab(program_pages::kProfileManagerTab);
    shoot(manager, "profile-manager-default");
    click(manager, IDC_PM_CREATE);
    HWND wizard = driver.waitForWindow("Create New Profile");
    ASSERT_TRUE(wizard);
    HWND network = currentPage(wizard);
    setText(network, IDC_NET_NAME, "Cafe");
    setText(network, IDC_NET_SSID, "Cafe Corner");
    shoot(wizard, "wizard-network");
    ASSERT_TRUE(next(wizard));
    HWND security = currentPage(wizard);
    pickEntry(security, IDC_SEC_ENCRYPTION, 1);  // "WEP"
    ASSERT_EQ(text(security, IDC_SEC_ENCRYPTION), "WEP");
    click(security, IDC_SEC_WEP_KEYS);
    HWND keys = driver.waitForWindow("Configure WEP Key");
    ASSERT_TRUE(keys);
    pickEntry(keys, IDC_WEP_FORMAT, 0);  // "ASCII Characters"
    pickEntry(keys, IDC_WEP_SIZE, 1);    // 104 bits
    type(GetDlgItem(keys, IDC_WEP_KEY1), "cafe+corner7!");
    shoot(keys, "wep-keys");
    close(keys, IDOK);
    shoot(wizard, "wizard-security");
    int page = 0;
    while (text(currentPage(wizard), IDC_SUMMARY_TEXT).empty()) {
        ASSERT_TRUE(next(wizard));
        if (text(currentPage(wizard), IDC_SUMMARY_TEXT).empty()) {
            shoot(wizard, "wizard-protocol" + (page++ ? std::to_string(page) : ""));
        }
    }
    shoot(wizard, "wizard-summary");
    PostMessageA(wizard, PSM_PRESSBUTTON, PSBTN_FINISH, 0);
    ASSERT_TRUE(waitUntil([&] { return !IsWindow(wizard); }));

    // Applied, it connects.
    RemoteListView profiles(GetDlgItem(manager, IDC_PM_LIST));
    const int row = profiles.find("Cafe");
    ASSERT_GE(row, 0);
    profiles.select(row);
    click(manager, IDC_PM_APPLY);
    ASSERT_TRUE(connectedTo("Cafe Corner"));
    manager = showTab(program_pages::kProfileManagerTab);
    shoot(manager, "profile-manager");

    // The 802.1x credentials of a WPA2 profile, in a wizard that is then cancelled.
    click(manager, IDC_PM_CREATE);
    wizard = driver.waitForWindow("Create New Profile");
    ASSERT_TRUE(wizard);
    setText(currentPage(wizard), IDC_NET_NAME, "Corp");
    setText(currentPage(wizard), IDC_NET_SSID, "CorpNet");
    ASSERT_TRUE(next(wizard));
    security = currentPage(wizard);
    pickEntry(security, IDC_SEC_AUTHENTICATION, 7);  // "WPA2"
    ASSERT_EQ(text(security, IDC_SEC_AUTHENTICATION), "WPA2");
    struct Credentials {
        int protocol;
        const char* name;
    };
    for (const Credentials& c :
         {Credentials{0, "eap-tls"}, Credentials{1, "peap"}, Credentials{2, "leap"}}) {
        pickEntry(security, IDC_SEC_PROTOCOL, c.protocol);
        if (c.protocol == 1) shoot(wizard, "wizard-security-wpa2");
        click(security, IDC_SEC_CREDENTIALS);
        HWND dialog = nullptr;
        waitUntil([&] {
            for (HWND window : driver.windows()) {
                const std::string title = windowText(window);
                if (title.size() > 20 &&
                    title.substr(title.size() - 20) == "Radius Configuration") {
                    dialog = window;
                }
            }
            return dialog != nullptr;
        });
        ASSERT_TRUE(dialog) << c.name;
        type(GetDlgItem(dialog, IDC_CRED_LOGIN), "alice");
        if (c.protocol != 0) {
            type(GetDlgItem(dialog, IDC_CRED_PASSWORD), "Wonderland1");
            type(GetDlgItem(dialog, IDC_CRED_DOMAIN), "CORP");
        } else {
            chooseCertificate(dialog);
            EXPECT_EQ(text(dialog, IDC_CRED_CERTIFICATE), "alice");
        }
        shoot(dialog, c.name);
        close(dialog, IDCANCEL);
    }
    PostMessageA(wizard, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(waitUntil([&] { return !IsWindow(wizard); }));

    HWND statistics = showTab(kStatisticsTab);
    wait(5000);  // the counters count
    shoot(statistics, "statistics");
    // The page as it comes, with both switches on; then, from here on, the card joins only
    // what the user asks for: auto configuration would take the card back to "Cafe" while
    // it changes networks.
    HWND advanced = showTab(kAdvancedTab);
    const auto toggle = [&](int box, UINT state) {
        SendMessageA(GetDlgItem(advanced, box), BM_CLICK, 0, 0);
        ASSERT_EQ(SendDlgItemMessageA(advanced, box, BM_GETCHECK, 0, 0), state) << box;
    };
    toggle(IDC_ADV_AUTO_LINK, BST_CHECKED);
    shoot(advanced, "advanced");
    toggle(IDC_ADV_AUTO_LINK, BST_UNCHECKED);
    toggle(IDC_ADV_AUTO_CONNECT, BST_UNCHECKED);

    // The site survey; "Studio" joined with its passphrase.
    HWND survey = showTab(program_pages::kSiteSurveyTab);
    HWND list = GetDlgItem(survey, IDC_SS_LIST);
    ASSERT_TRUE(waitUntil([&] { return RemoteListView(list).rows() >= 8; }));
    shoot(survey, "site-survey");
    RemoteListView(list).doubleClick(RemoteListView(list).find("Studio"));
    HWND configure = driver.waitForWindow("Configure Network");
    ASSERT_TRUE(configure);
    HWND studio = currentPage(configure);
    for (int edit : {IDC_SEC_PASSPHRASE, IDC_SEC_CONFIRM}) {
        type(GetDlgItem(studio, edit), "blue whale song");
    }
    shoot(configure, "configure-network");
    close(configure, IDOK);
    ASSERT_TRUE(connectedTo("Studio"));
    survey = showTab(program_pages::kSiteSurveyTab);
    wait(1500);
    shoot(survey, "site-survey-joined");

    HWND admin = showTab(kAdminTab);
    shoot(admin, "admin");
    click(admin, IDC_ADMIN_EXPORT);
    HWND save = driver.waitForWindow("Save As");
    ASSERT_TRUE(save);
    SetDlgItemTextA(save, cmb13, "My profiles.cfg");  // the file name box
    shoot(save, "admin-export");
    close(save, IDCANCEL);

    HWND about = showTab(6);
    ASSERT_TRUE(waitUntil([&] { return !text(about, IDC_ABOUT_MAC).empty(); }));
    shoot(about, "about");
}

// The first start as it comes: the default world's "VORNAX-Link" offers Auto Link, which
// sets it up with a PIN. The exchange's steps are slowed down so that its countdown can be
// seen.
TEST_F(Guide, AutoLinkSetsUpTheAccessPointWithAPin) {
    setting("Advanced", "AutoLink", "1");
    std::ofstream(folder.file("Tovix.scn"), std::ios::binary | std::ios::app)
        << "\ncard\n    exchange-step 1500\n";
    start();
    HWND dialog = driver.waitForWindow("Auto Link");
    ASSERT_TRUE(dialog);
    ASSERT_EQ(text(dialog, IDC_AUTO_LINK_APS).rfind("VORNAX-Link", 0), 0u)
        << text(dialog, IDC_AUTO_LINK_APS);
    for (int edit : {IDC_AUTO_LINK_PIN, IDC_AUTO_LINK_CONFIRM}) {
        type(GetDlgItem(dialog, edit), "tiger-lily-42");
    }
    shoot(dialog, "auto-link");
    pressButton(dialog, IDOK);
    HWND countdown = nullptr;
    waitUntil([&] {
        for (HWND window : driver.windows()) {
            const std::string title = windowText(window);
            if (title.find("seconds remaining...") != std::string::npos) countdown = window;
        }
        return countdown != nullptr;
    });
    ASSERT_TRUE(countdown);
    shoot(countdown, "auto-link-countdown");
    ASSERT_TRUE(waitUntil([&] { return windowsTitled("Auto Link").empty(); }, 60000));
    EXPECT_TRUE(connectedTo("VORNAX-Link"));
}

TEST_F(Guide, DetailedStatisticsAndTheDiagnosticPages) {
    setting("Debug", "Statistics", "1");
    setting("Debug", "DebugWin", "1");
    setting("Debug", "TestPage", "1");
    ASSERT_TRUE(startConnected());
    wait(5000);
    shoot(showTab(kStatisticsTab), "statistics-detailed");
    shoot(showTab(6), "debug");
    shoot(showTab(7), "test");
}

TEST_F(Guide, WhileZeroConfigurationHoldsTheCard) {
    ASSERT_TRUE(startConnected());
    std::ifstream in(folder.file("Tovix.scn"), std::ios::binary);
    const std::string world((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    in.close();
    {
        std::ofstream out(folder.file("Tovix.new"), std::ios::binary);
        out << world << "\ncard\n    zero-config on\n";
    }
    ASSERT_TRUE(MoveFileExA(folder.file("Tovix.new").c_str(), folder.file("Tovix.scn").c_str(),
                            MOVEFILE_REPLACE_EXISTING));
    HWND tabs = reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETTABCONTROL, 0, 0));
    ASSERT_TRUE(waitUntil([&] { return SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0) == 4; }));
    shoot(showTab(3), "readme");
}

}  // namespace
