// The 802.1x credential dialogs and the certificate dialogs: titles and messages by
// protocol, the limits of the edits, what OK and Cancel leave in the working
// credentials, and choosing and viewing a certificate of the personal store.
#include "tests/pages/CredentialSuite.h"

#include <gmock/gmock.h>

#include <functional>
#include <memory>

#include "framework/MemorySurface.h"

namespace pagestest {

std::optional<CertificateView> FakeCertificates::find(const std::string& name,
                                                      const CertHash& hash) {
    lookups.push_back({name, hash});
    for (const Stored& certificate : stored) {
        if (certificate.name == name && certificate.hash == hash) return certificate.view;
    }
    return std::nullopt;
}

int CredentialDialogs::run(fw::Dialog& dialog, const fw::DialogAction& action) {
    script().expectDialog(dialog.templateId(), [&](fw::Dialog& shown, fw::UserActions& user) {
        EXPECT_THAT(backEnd_->missingControls(shown), testing::IsEmpty());
        action(shown, user);
    });
    return host().runModal(dialog, nullptr);
}

void CredentialDialogs::expectSelect(const fw::DialogAction& action) {
    script().expectDialog(IDD_SELECT_CERT,
                          [this, action](fw::Dialog& shown, fw::UserActions& user) {
                              EXPECT_THAT(backEnd_->missingControls(shown), testing::IsEmpty());
                              action(shown, user);
                          });
}

namespace {

using fw::Dialog;
using fw::UserActions;
using testing::ElementsAre;
using testing::IsEmpty;

CertHash hashOf(uint8_t first) {
    CertHash hash{};
    for (size_t i = 0; i < hash.size(); ++i) hash[i] = static_cast<uint8_t>(first + i);
    return hash;
}

Credentials storedCredentials() {
    Credentials credentials;
    credentials.loginName = "old login";
    credentials.password = "old password";
    credentials.domain = "OLDDOMAIN";
    credentials.certName = "Old Issuer";
    credentials.anonymousName = "anonymous";
    credentials.certHash = hashOf(1);
    return credentials;
}

std::vector<std::string> textsOf(const Credentials& c) {
    return {c.loginName, c.password, c.domain, c.certName, c.anonymousName};
}

// The user empties an edit and types `text` into it.
void retype(Dialog& dialog, UserActions& user, int id, const std::string& text) {
    dialog.ui().setText(id, "");
    user.type(id, text);
}

TEST_P(CredentialDialogs, EachNamesItsProtocolInTheTitleAndRefusesAnEmptyRequiredField) {
    struct Case {
        std::function<std::unique_ptr<Dialog>()> open;
        std::string title;
        int message;
        int given;  // the one required field the user fills
    };
    const auto leap = [this](uint32_t protocol) {
        return
            [this, protocol] { return std::make_unique<CLeapDlg>(mainWindow, working, protocol); };
    };
    const auto peap = [this](uint32_t protocol) {
        return
            [this, protocol] { return std::make_unique<CPeapDlg>(mainWindow, working, protocol); };
    };
    const auto tls = [this](uint32_t protocol) {
        return [this, protocol] {
            return std::make_unique<CTlsDlg>(mainWindow, working, protocol, certificates);
        };
    };
    const Case cases[] = {
        {leap(SecurityCcxLeap), "CCX LEAP", IDS_CCX_CREDENTIALS, IDC_CRED_LOGIN},
        {leap(SecurityWpaLeap), "WPA LEAP", IDS_WPA_LEAP_CREDENTIALS, IDC_CRED_PASSWORD},
        {leap(SecurityWpa2Leap), "WPA LEAP", IDS_WPA_LEAP_CREDENTIALS, IDC_CRED_LOGIN},
        {peap(SecurityWpa2Peap), "WPA2 PEAP", IDS_WPA_PEAP_CREDENTIALS, IDC_CRED_PASSWORD},
        {peap(SecurityWpaPeap), "WPA PEAP", IDS_WPA_PEAP_CREDENTIALS, IDC_CRED_LOGIN},
        {peap(Security8021xPeap), "WPA PEAP", IDS_WPA_PEAP_CREDENTIALS, IDC_CRED_PASSWORD},
        {tls(SecurityWpa2Tls), "WPA2 EAP/TLS", IDS_WPA_TLS_CREDENTIALS, IDC_CRED_LOGIN},
        {tls(SecurityWpaTls), "WPA EAP/TLS", IDS_WPA_TLS_CREDENTIALS, IDC_CRED_LOGIN},
        {tls(Security8021xTls), "WPA EAP/TLS", IDS_WPA_TLS_CREDENTIALS, IDC_CRED_LOGIN},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        const auto dialog = c.open();
        EXPECT_EQ(run(*dialog,
                      [&](Dialog& shown, UserActions& user) {
                          EXPECT_EQ(shown.ui().title(), c.title + " Radius Configuration");
                          user.type(c.given, "given");
                          script().expectMessageBox(text(c.message), fw::id::Ok);
                          user.click(fw::id::Ok);
                          EXPECT_EQ(shown.ui().text(c.given), "given");
                          user.click(fw::id::Cancel);
                      }),
                  fw::id::Cancel);
        EXPECT_THAT(takeMessages(), ElementsAre(text(c.message)));
    }
    EXPECT_THAT(textsOf(working), ElementsAre("", "", "", "", ""));
}

TEST_P(CredentialDialogs, OkWritesBackTheDialogsFieldsWithin39CharactersAndCancelNothing) {
    working = storedCredentials();
    const std::string typed(40, 'x');
    const std::string kept(39, 'x');
    CLeapDlg leap(mainWindow, working, SecurityWpaLeap);
    EXPECT_EQ(run(leap,
                  [&](Dialog& shown, UserActions& user) {
                      EXPECT_EQ(shown.ui().text(IDC_CRED_LOGIN), "old login");
                      EXPECT_EQ(shown.ui().text(IDC_CRED_PASSWORD), "old password");
                      EXPECT_EQ(shown.ui().text(IDC_CRED_DOMAIN), "OLDDOMAIN");
                      for (const int id : {IDC_CRED_LOGIN, IDC_CRED_PASSWORD, IDC_CRED_DOMAIN}) {
                          retype(shown, user, id, typed);
                      }
                      user.click(fw::id::Ok);
                  }),
              fw::id::Ok);
    EXPECT_THAT(textsOf(working), ElementsAre(kept, kept, kept, "Old Issuer", "anonymous"));

    // The domain may stay empty; the inner protocol is shown only.
    CPeapDlg peap(mainWindow, working, SecurityWpa2Peap);
    run(peap, [&](Dialog& shown, UserActions& user) {
        EXPECT_THAT(entries(shown, IDC_CRED_INNER_PROTOCOL), ElementsAre("EAP/MS-CHAP V2"));
        EXPECT_EQ(shown.ui().selection(IDC_CRED_INNER_PROTOCOL), 0);
        retype(shown, user, IDC_CRED_LOGIN, "bob");
        retype(shown, user, IDC_CRED_PASSWORD, "pw");
        shown.ui().setText(IDC_CRED_DOMAIN, "");
        user.click(fw::id::Ok);
    });
    EXPECT_THAT(textsOf(working), ElementsAre("bob", "pw", "", "Old Issuer", "anonymous"));
    EXPECT_EQ(working.certHash, hashOf(1));

    // Cancel after changes, a new certificate among them, writes nothing.
    const Credentials before = working;
    certificates.listed = {{"New Issuer", "bob", "Mar 5, 2007", hashOf(2)}};
    CTlsDlg tls(mainWindow, working, SecurityWpa2Tls, certificates);
    run(tls, [&](Dialog& shown, UserActions& user) {
        retype(shown, user, IDC_CRED_LOGIN, typed);
        EXPECT_EQ(shown.ui().text(IDC_CRED_LOGIN), kept);
        expectSelect([](Dialog&, UserActions& user) {
            user.clickRow(IDC_CERT_LIST, 0);
            user.click(fw::id::Ok);
        });
        user.click(IDC_CRED_BROWSE);
        EXPECT_EQ(shown.ui().text(IDC_CRED_CERTIFICATE), "New Issuer");
        user.click(fw::id::Cancel);
    });
    EXPECT_EQ(textsOf(working), textsOf(before));
    EXPECT_EQ(working.certHash, hashOf(1));
    EXPECT_THAT(takeMessages(), IsEmpty());
}

TEST_P(CredentialDialogs, BrowseListsThePersonalStoreAndSelectTakesTheRowsIssuerAndHash) {
    working.loginName = "alice";
    certificates.listed = {{"Tovix Root CA", "alice", "Mar 5, 2007", hashOf(2)},
                           {"Tovix Root CA", "alice (2)", "Dec 31, 2030", hashOf(3)}};
    const fw::DialogAction select = [&](Dialog& select, UserActions& user) {
        fw::Surface& ui = select.ui();
        if (auto* memory = dynamic_cast<fw::MemorySurface*>(&ui)) {
            EXPECT_THAT(memory->columns(IDC_CERT_LIST),
                        ElementsAre("Issuer", "Subject", "Valid Before"));
        }
        ASSERT_EQ(ui.rowCount(IDC_CERT_LIST), 2);
        EXPECT_EQ(ui.cell(IDC_CERT_LIST, 0, 0), "Tovix Root CA");
        EXPECT_EQ(ui.cell(IDC_CERT_LIST, 0, 1), "alice");
        EXPECT_EQ(ui.cell(IDC_CERT_LIST, 0, 2), "Mar 5, 2007");
        EXPECT_EQ(ui.cell(IDC_CERT_LIST, 1, 1), "alice (2)");
        EXPECT_FALSE(ui.isEnabled(IDC_CERT_VIEW));
        user.clickRow(IDC_CERT_LIST, 1);
        EXPECT_TRUE(ui.isEnabled(IDC_CERT_VIEW));
        user.click(fw::id::Ok);
    };
    CTlsDlg dialog(mainWindow, working, SecurityWpa2Tls, certificates);
    EXPECT_EQ(run(dialog,
                  [&](Dialog& shown, UserActions& user) {
                      EXPECT_FALSE(shown.ui().isEnabled(IDC_CRED_VIEW));
                      expectSelect(select);
                      user.click(IDC_CRED_BROWSE);
                      EXPECT_EQ(shown.ui().text(IDC_CRED_CERTIFICATE), "Tovix Root CA");
                      EXPECT_EQ(shown.ui().text(IDC_CRED_LOGIN), "alice");
                      EXPECT_TRUE(shown.ui().isEnabled(IDC_CRED_VIEW));
                      user.click(fw::id::Ok);
                  }),
              fw::id::Ok);
    EXPECT_EQ(working.certName, "Tovix Root CA");
    EXPECT_EQ(working.certHash, hashOf(3));
    EXPECT_THAT(takeMessages(), IsEmpty());
}

TEST_P(CredentialDialogs, OnlySelectWithARowChangesTheCertificateAndNoHashLeavesAZeroHash) {
    working = storedCredentials();
    const std::string longIssuer = "A Certification Authority With A Long Name";
    CTlsDlg dialog(mainWindow, working, SecurityWpaTls, certificates);
    run(dialog, [&](Dialog& shown, UserActions& user) {
        EXPECT_TRUE(shown.ui().isEnabled(IDC_CRED_VIEW));
        // An empty store first, then a row that the user does not select, then Cancel.
        expectSelect([](Dialog& select, UserActions& user) {
            EXPECT_EQ(select.ui().rowCount(IDC_CERT_LIST), 0);
            EXPECT_FALSE(select.ui().isEnabled(IDC_CERT_VIEW));
            user.click(fw::id::Ok);
        });
        user.click(IDC_CRED_BROWSE);
        certificates.listed = {{longIssuer, "bob", "Mar 5, 2007", std::nullopt}};
        expectSelect([](Dialog&, UserActions& user) { user.click(fw::id::Ok); });
        user.click(IDC_CRED_BROWSE);
        expectSelect([](Dialog&, UserActions& user) {
            user.clickRow(IDC_CERT_LIST, 0);
            user.click(fw::id::Cancel);
        });
        user.click(IDC_CRED_BROWSE);
        EXPECT_EQ(shown.ui().text(IDC_CRED_CERTIFICATE), "Old Issuer");
        // A certificate whose hash could not be read, with an issuer beyond 39 characters.
        expectSelect([](Dialog&, UserActions& user) {
            user.clickRow(IDC_CERT_LIST, 0);
            user.click(fw::id::Ok);
        });
        user.click(IDC_CRED_BROWSE);
        user.click(fw::id::Ok);
    });
    EXPECT_EQ(working.certName, longIssuer.substr(0, 39));
    EXPECT_EQ(working.certHash, CertHash{});
}

TEST_P(CredentialDialogs, ViewShowsTheCertificateFoundByStoredNameAndHash) {
    working = storedCredentials();
    CertificateView view{"V3",         "01 A2 ",      "1.2.840.113549.1.1.5",
                         "Old Issuer", "Jan 1, 2006", "Mar 5, 2007",
                         "alice",      "30 0D ",      "1.2.840.113549.1.1.1"};
    certificates.stored = {{"Old Issuer", hashOf(1), view}};
    certificates.listed = {{"Old Issuer", "alice", "Mar 5, 2007", hashOf(1)},
                           {"Other Issuer", "bob", "Mar 5, 2007", hashOf(1)}};
    const fw::DialogAction look = [](Dialog& shown, UserActions& user) {
        fw::Surface& ui = shown.ui();
        EXPECT_EQ(ui.title(), "View Certificate");
        ASSERT_EQ(ui.rowCount(IDC_CERT_FIELDS), 9);
        const std::vector<std::pair<std::string, std::string>> rows = {
            {"Version", "V3"},
            {"Serial Number", "01 A2 "},
            {"Signature Algorithm", "1.2.840.113549.1.1.5"},
            {"Issuer", "Old Issuer"},
            {"Not Before", "Jan 1, 2006"},
            {"Not After", "Mar 5, 2007"},
            {"Subject", "alice"},
            {"Subject Public Key", "30 0D "},
            {"PublicKey Algorithm", "1.2.840.113549.1.1.1"}};
        for (int row = 0; row < 9; ++row) {
            EXPECT_EQ(ui.cell(IDC_CERT_FIELDS, row, 0), rows[row].first);
            EXPECT_EQ(ui.cell(IDC_CERT_FIELDS, row, 1), rows[row].second);
        }
        user.click(fw::id::Ok);
    };
    CTlsDlg dialog(mainWindow, working, SecurityWpaTls, certificates);
    run(dialog, [&](Dialog&, UserActions& user) {
        script().expectDialog(IDD_VIEW_CERT, look);
        user.click(IDC_CRED_VIEW);
        // From the Select dialog: the second row's issuer is not the one found.
        expectSelect([](Dialog&, UserActions& user) {
            user.clickRow(IDC_CERT_LIST, 1);
            user.click(IDC_CERT_VIEW);
            user.click(fw::id::Cancel);
        });
        user.click(IDC_CRED_BROWSE);
        user.click(fw::id::Cancel);
    });
    ASSERT_EQ(certificates.lookups.size(), 2u);
    EXPECT_EQ(certificates.lookups[0].name, "Old Issuer");
    EXPECT_EQ(certificates.lookups[0].hash, hashOf(1));
    EXPECT_EQ(certificates.lookups[1].name, "Other Issuer");
}

TEST(CertificateDate, IsTheMonthsAbbreviationTheDayAndTheYear) {
    EXPECT_EQ(certificateDate(2007, 3, 5), "Mar 5, 2007");
    EXPECT_EQ(certificateDate(1999, 12, 31), "Dec 31, 1999");
    EXPECT_EQ(certificateDate(2030, 1, 1), "Jan 1, 2030");
    EXPECT_EQ(certificateDate(2030, 13, 1), "");
    EXPECT_EQ(certificateBytes(reinterpret_cast<const uint8_t*>("\x01\xA2\xff"), 3), "01 A2 FF ");
}

}  // namespace
}  // namespace pagestest
