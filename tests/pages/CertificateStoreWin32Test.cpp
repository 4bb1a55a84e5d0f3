// The personal certificate store under Wine: certificates that the test puts into the
// prefix's "MY" store (and takes out again) as Win32CertificatePlatform lists and finds
// them, and the Select Certificate dialog over the real store.
#include <windows.h>
// after <windows.h>
#include <commctrl.h>
#include <gmock/gmock.h>
#include <wincrypt.h>

#include <string>
#include <vector>

#include "framework/win32/Win32Host.h"
#include "pages/CertificateDlgs.h"
#include "pages/win32/Win32CertificatePlatform.h"
#include "res/resource.h"
#include "tests/pages/ProfileSuite.h"
#include "tests/support/win32/Win32BackEnd.h"

namespace {

using testing::ElementsAre;
using testing::IsEmpty;
using testing::UnorderedElementsAre;

// Two certificates of the issuer "Tovix Test CA" (ECDSA P-256, version 3), made once for
// this test: subject "alice", serial 01 A2 B3, valid from 1 January 2006 until
// 5 March 2007 12:00 UTC; subject "bob", valid until 31 December 2030.
const BYTE kAlice[] = {
    0x30, 0x82, 0x01, 0x17, 0x30, 0x81, 0xbd, 0xa0, 0x03, 0x02, 0x01, 0x02, 0x02, 0x03, 0x01, 0xa2,
    0xb3, 0x30, 0x0a, 0x06, 0x08, 0x2a, 0x86, 0x48, 0xce, 0x3d, 0x04, 0x03, 0x02, 0x30, 0x18, 0x31,
    0x16, 0x30, 0x14, 0x06, 0x03, 0x55, 0x04, 0x03, 0x0c, 0x0d, 0x54, 0x6f, 0x76, 0x69, 0x78, 0x20,
    0x54, 0x65, 0x73, 0x74, 0x20, 0x43, 0x41, 0x30, 0x1e, 0x17, 0x0d, 0x30, 0x36, 0x30, 0x31, 0x30,
    0x31, 0x30, 0x30, 0x30, 0x30, 0x30, 0x30, 0x5a, 0x17, 0x0d, 0x30, 0x37, 0x30, 0x33, 0x30, 0x35,
    0x31, 0x32, 0x30, 0x30, 0x30, 0x30, 0x5a, 0x30, 0x10, 0x31, 0x0e, 0x30, 0x0c, 0x06, 0x03, 0x55,
    0x04, 0x03, 0x0c, 0x05, 0x61, 0x6c, 0x69, 0x63, 0x65, 0x30, 0x59, 0x30, 0x13, 0x06, 0x07, 0x2a,
    0x86, 0x48, 0xce, 0x3d, 0x02, 0x01, 0x06, 0x08, 0x2a, 0x86, 0x48, 0xce, 0x3d, 0x03, 0x01, 0x07,
    0x03, 0x42, 0x00, 0x04, 0x83, 0x19, 0xfb, 0x63, 0x04, 0xf1, 0x76, 0x01, 0xcd, 0x54, 0x6d, 0x49,
    0xea, 0xaa, 0x1f, 0x7e, 0x27, 0x3b, 0xbc, 0x00, 0xf9, 0x96, 0x58, 0x1b, 0x84, 0x41, 0xd8, 0x36,
    0x27, 0x1d, 0xd2, 0x15, 0xfe, 0x03, 0x7e, 0x32, 0x2f, 0x7d, 0x3e, 0x45, 0xd4, 0x99, 0x71, 0x74,
    0x85, 0xc1, 0x27, 0x01, 0x46, 0x07, 0x25, 0x66, 0x6f, 0x24, 0xdb, 0xcf, 0x3b, 0x88, 0x18, 0xf6,
    0x71, 0x71, 0x3e, 0x66, 0x30, 0x0a, 0x06, 0x08, 0x2a, 0x86, 0x48, 0xce, 0x3d, 0x04, 0x03, 0x02,
    0x03, 0x49, 0x00, 0x30, 0x46, 0x02, 0x21, 0x00, 0x9e, 0x97, 0x4f, 0x23, 0xd7, 0x5a, 0xc0, 0x6b,
    0x27, 0x76, 0x77, 0x9c, 0x4e, 0x2a, 0x83, 0x4b, 0xde, 0x45, 0x06, 0x65, 0xb3, 0xb4, 0x58, 0xf2,
    0x7d, 0x88, 0x9f, 0xc2, 0x4c, 0xc2, 0x04, 0x4f, 0x02, 0x21, 0x00, 0xa5, 0xf8, 0xc9, 0xda, 0xe2,
    0x7b, 0xa6, 0xce, 0xc2, 0x92, 0xdd, 0x5e, 0xa0, 0x34, 0x4a, 0x6e, 0xd3, 0x5f, 0x69, 0xe3, 0xc3,
    0x66, 0x67, 0x85, 0xd6, 0x27, 0xf1, 0x55, 0x5d, 0x7e, 0x34, 0x62,
};
const BYTE kBob[] = {
    0x30, 0x82, 0x01, 0x16, 0x30, 0x81, 0xbc, 0xa0, 0x03, 0x02, 0x01, 0x02, 0x02, 0x04, 0x00, 0xc0,
    0xff, 0xee, 0x30, 0x0a, 0x06, 0x08, 0x2a, 0x86, 0x48, 0xce, 0x3d, 0x04, 0x03, 0x02, 0x30, 0x18,
    0x31, 0x16, 0x30, 0x14, 0x06, 0x03, 0x55, 0x04, 0x03, 0x0c, 0x0d, 0x54, 0x6f, 0x76, 0x69, 0x78,
    0x20, 0x54, 0x65, 0x73, 0x74, 0x20, 0x43, 0x41, 0x30, 0x1e, 0x17, 0x0d, 0x30, 0x36, 0x30, 0x31,
    0x30, 0x31, 0x30, 0x30, 0x30, 0x30, 0x30, 0x30, 0x5a, 0x17, 0x0d, 0x33, 0x30, 0x31, 0x32, 0x33,
    0x31, 0x31, 0x32, 0x30, 0x30, 0x30, 0x30, 0x5a, 0x30, 0x0e, 0x31, 0x0c, 0x30, 0x0a, 0x06, 0x03,
    0x55, 0x04, 0x03, 0x0c, 0x03, 0x62, 0x6f, 0x62, 0x30, 0x59, 0x30, 0x13, 0x06, 0x07, 0x2a, 0x86,
    0x48, 0xce, 0x3d, 0x02, 0x01, 0x06, 0x08, 0x2a, 0x86, 0x48, 0xce, 0x3d, 0x03, 0x01, 0x07, 0x03,
    0x42, 0x00, 0x04, 0xb3, 0xd2, 0xd1, 0xa8, 0x35, 0xd6, 0x07, 0x0f, 0xb6, 0xa5, 0x9b, 0xda, 0x51,
    0x46, 0x11, 0xa2, 0xf2, 0xdd, 0xf4, 0x2a, 0x30, 0xd4, 0x73, 0xe2, 0x80, 0x70, 0x03, 0x32, 0x29,
    0xf2, 0xdf, 0x87, 0xd5, 0xf4, 0x1c, 0x91, 0x8d, 0x24, 0x6f, 0x1f, 0x83, 0xe5, 0x5f, 0x17, 0x1c,
    0x4a, 0x3c, 0xf1, 0x2e, 0x13, 0x4a, 0xed, 0x99, 0x9e, 0x6a, 0x42, 0x42, 0xcf, 0x71, 0xd4, 0xcc,
    0x8e, 0x78, 0xc9, 0x30, 0x0a, 0x06, 0x08, 0x2a, 0x86, 0x48, 0xce, 0x3d, 0x04, 0x03, 0x02, 0x03,
    0x49, 0x00, 0x30, 0x46, 0x02, 0x21, 0x00, 0xd3, 0x1a, 0x28, 0x83, 0x06, 0xea, 0x65, 0x6e, 0x8c,
    0x64, 0xef, 0x2c, 0x72, 0xb9, 0x31, 0x91, 0x79, 0xba, 0x5f, 0x0d, 0x9a, 0x0c, 0x78, 0x38, 0xa2,
    0xb9, 0x25, 0x60, 0xd1, 0x13, 0x17, 0xae, 0x02, 0x21, 0x00, 0xd5, 0x90, 0xf5, 0xd3, 0x38, 0x3c,
    0x04, 0x18, 0x22, 0x1d, 0x1a, 0xc6, 0x25, 0xad, 0xfe, 0x7b, 0xbe, 0x26, 0x31, 0xdc, 0x77, 0x62,
    0x8d, 0x8a, 0xd2, 0x23, 0x48, 0xbf, 0x06, 0x1d, 0x59, 0x12,
};

// The prefix's personal store, opened for one change, which it commits before it closes
// so that every other opening sees it.
class StoreChange {
public:
    StoreChange() : store_(CertOpenSystemStoreA(0, "MY")) { EXPECT_NE(store_, nullptr); }
    ~StoreChange() {
        EXPECT_TRUE(CertControlStore(store_, 0, CERT_STORE_CTRL_COMMIT, nullptr));
        CertCloseStore(store_, CERT_CLOSE_STORE_FORCE_FLAG);
    }
    StoreChange(const StoreChange&) = delete;
    StoreChange& operator=(const StoreChange&) = delete;

    // Adds a DER certificate; its SHA-1 hash.
    CertHash add(const BYTE* der, DWORD size) {
        PCCERT_CONTEXT added = nullptr;
        EXPECT_TRUE(CertAddEncodedCertificateToStore(store_, X509_ASN_ENCODING, der, size,
                                                     CERT_STORE_ADD_REPLACE_EXISTING, &added));
        CertHash hash{};
        DWORD length = static_cast<DWORD>(hash.size());
        if (added) {
            EXPECT_TRUE(CertGetCertificateContextProperty(added, CERT_SHA1_HASH_PROP_ID,
                                                          hash.data(), &length));
            CertFreeCertificateContext(added);
        }
        return hash;
    }

    // Deletes the certificate with this hash, if the store has it.
    void remove(const CertHash& hash) {
        CertHash wanted = hash;
        CRYPT_HASH_BLOB blob = {static_cast<DWORD>(wanted.size()), wanted.data()};
        PCCERT_CONTEXT found = CertFindCertificateInStore(store_, X509_ASN_ENCODING, 0,
                                                          CERT_FIND_SHA1_HASH, &blob, nullptr);
        if (found) CertDeleteCertificateFromStore(found);
    }

private:
    HCERTSTORE store_;
};

// The test's two certificates in the personal store, taken out again at the end.
class PersonalStore : public testing::Test {
protected:
    PersonalStore() {
        StoreChange change;
        alice_ = change.add(kAlice, sizeof kAlice);
        bob_ = change.add(kBob, sizeof kBob);
    }
    ~PersonalStore() override { empty(); }

    void empty() {
        StoreChange change;
        change.remove(alice_);
        change.remove(bob_);
    }

    Win32CertificatePlatform platform;
    CertHash alice_{};
    CertHash bob_{};
};

MATCHER_P4(Entry, issuer, subject, validBefore, hash, "") {
    return arg.issuer == issuer && arg.subject == subject && arg.validBefore == validBefore &&
           arg.hash == std::optional<CertHash>(hash);
}

TEST_F(PersonalStore, ListsEveryCertificateWithIssuerSubjectExpiryAndHash) {
    EXPECT_NE(alice_, bob_);
    EXPECT_THAT(platform.personalCertificates(),
                UnorderedElementsAre(Entry("Tovix Test CA", "alice", "Mar 5, 2007", alice_),
                                     Entry("Tovix Test CA", "bob", "Dec 31, 2030", bob_)));
}

TEST_F(PersonalStore, FindsTheCertificateOfTheStoredHashNotTheFirstOfItsIssuer) {
    const auto bob = platform.find("Tovix Test CA", bob_);
    ASSERT_TRUE(bob);
    EXPECT_EQ(bob->subject, "bob");
    EXPECT_EQ(bob->notAfter, "Dec 31, 2030");

    const auto alice = platform.find("Tovix Test CA", alice_);
    ASSERT_TRUE(alice);
    EXPECT_EQ(alice->version, "V3");
    // The serial number's bytes as the certificate information keeps them, lowest first.
    EXPECT_EQ(alice->serialNumber, "B3 A2 01 ");
    EXPECT_EQ(alice->signatureAlgorithm, "1.2.840.10045.4.3.2");
    EXPECT_EQ(alice->issuer, "Tovix Test CA");
    EXPECT_EQ(alice->notBefore, "Jan 1, 2006");
    EXPECT_EQ(alice->notAfter, "Mar 5, 2007");
    EXPECT_EQ(alice->subject, "alice");
    // An uncompressed P-256 point: 04, then 64 bytes.
    EXPECT_EQ(alice->publicKey.size(), 65u * 3);
    EXPECT_EQ(alice->publicKey.substr(0, 3), "04 ");
    EXPECT_EQ(alice->publicKeyAlgorithm, "1.2.840.10045.2.1");
}

TEST_F(PersonalStore, AnotherIssuerNameOrAnUnknownHashFindsNothing) {
    EXPECT_FALSE(platform.find("Tovix Test CA (old)", alice_));
    EXPECT_FALSE(platform.find("", alice_));
    EXPECT_FALSE(platform.find("Tovix Test CA", CertHash{}));
    empty();
    EXPECT_FALSE(platform.find("Tovix Test CA", alice_));
}

// The Select Certificate dialog on its real template over the real store.
class SelectFromStore : public PersonalStore {
protected:
    ~SelectFromStore() override { fwtest::expectCleanEnd(*backEnd_); }

    // Runs the dialog over `name` and `hash` while the user does `action`.
    int select(std::string& name, CertHash& hash, const fw::DialogAction& action) {
        CSelectCertDlg dialog(mainWindow_, platform, name, hash);
        backEnd_->script().expectDialog(IDD_SELECT_CERT, action);
        return backEnd_->host().runModal(dialog, nullptr);
    }

    std::unique_ptr<fwtest::BackEnd> backEnd_ = fwtest::makeWin32BackEnd();
    pagestest::FakeMainWindow mainWindow_{fwtest::resourceText};
    fw::Script& script() { return backEnd_->script(); }
};

// A column of a real list view: its heading and width.
std::pair<std::string, int> columnOf(HWND list, int column) {
    char heading[64] = {};
    LVCOLUMNA info = {};
    info.mask = LVCF_TEXT | LVCF_WIDTH;
    info.pszText = heading;
    info.cchTextMax = sizeof heading;
    if (!SendMessageA(list, LVM_GETCOLUMNA, column, reinterpret_cast<LPARAM>(&info))) return {};
    return {heading, info.cx};
}

TEST_F(SelectFromStore, ListsTheStoreInThreeColumnsAndSelectTakesTheRowChosen) {
    std::string name = "Old Issuer";
    CertHash hash{};
    EXPECT_EQ(
        select(name, hash,
               [&](fw::Dialog& dialog, fw::UserActions& user) {
                   HWND list = GetDlgItem(fw::Win32Host::windowOf(dialog), IDC_CERT_LIST);
                   RECT area = {};
                   GetClientRect(list, &area);
                   const int third = (area.right - area.left) / 3;
                   EXPECT_EQ(columnOf(list, 0), std::make_pair(std::string("Issuer"), third - 1));
                   EXPECT_EQ(columnOf(list, 1), std::make_pair(std::string("Subject"), third));
                   EXPECT_EQ(columnOf(list, 2), std::make_pair(std::string("Valid Before"), third));
                   fw::Surface& ui = dialog.ui();
                   ASSERT_EQ(ui.rowCount(IDC_CERT_LIST), 2);
                   const int bob = ui.cell(IDC_CERT_LIST, 0, 1) == "bob" ? 0 : 1;
                   EXPECT_EQ(ui.cell(IDC_CERT_LIST, bob, 2), "Dec 31, 2030");
                   EXPECT_EQ(ui.cell(IDC_CERT_LIST, 1 - bob, 2), "Mar 5, 2007");
                   user.clickRow(IDC_CERT_LIST, bob);
                   script().expectDialog(
                       IDD_VIEW_CERT, [](fw::Dialog& view, fw::UserActions& user) {
                           EXPECT_EQ(view.ui().rowCount(IDC_CERT_FIELDS), 9);
                           EXPECT_EQ(view.ui().cell(IDC_CERT_FIELDS, 6, 0), "Subject");
                           EXPECT_EQ(view.ui().cell(IDC_CERT_FIELDS, 6, 1), "bob");
                           user.click(fw::id::Ok);
                       });
                   user.click(IDC_CERT_VIEW);
                   user.click(fw::id::Ok);
               }),
        fw::id::Ok);
    EXPECT_EQ(name, "Tovix Test CA");
    EXPECT_EQ(hash, bob_);
}

TEST_F(SelectFromStore, AnEmptyStoreListsNothingAndSelectChangesNothing) {
    empty();
    EXPECT_THAT(platform.personalCertificates(), IsEmpty());
    std::string name = "Old Issuer";
    CertHash hash = alice_;
    select(name, hash, [](fw::Dialog& dialog, fw::UserActions& user) {
        EXPECT_EQ(dialog.ui().rowCount(IDC_CERT_LIST), 0);
        EXPECT_FALSE(dialog.ui().isEnabled(IDC_CERT_VIEW));
        user.click(fw::id::Ok);
    });
    EXPECT_EQ(name, "Old Issuer");
    EXPECT_EQ(hash, alice_);
}

}  // namespace
