#include "pages/win32/Win32CertificatePlatform.h"

#include <windows.h>
// after <windows.h>
#include <wincrypt.h>

#include "framework/win32/Win32Host.h"

namespace {

constexpr DWORD kEncodings = X509_ASN_ENCODING | PKCS_7_ASN_ENCODING;

// The personal store, open for as long as the object lives.
class PersonalStore {
public:
    PersonalStore() : store_(CertOpenSystemStoreA(0, "MY")) {}
    ~PersonalStore() {
        if (store_) CertCloseStore(store_, CERT_CLOSE_STORE_FORCE_FLAG);
    }
    PersonalStore(const PersonalStore&) = delete;
    PersonalStore& operator=(const PersonalStore&) = delete;

    HCERTSTORE handle() const { return store_; }

private:
    HCERTSTORE store_;
};

// The simple display name of the certificate's subject, or with `flags`
// CERT_NAME_ISSUER_FLAG of its issuer; empty when it cannot be read.
std::string nameOf(PCCERT_CONTEXT certificate, DWORD flags) {
    char name[400] = {};
    CertGetNameStringA(certificate, CERT_NAME_SIMPLE_DISPLAY_TYPE, flags, nullptr, name,
                       sizeof name);
    return name;
}

std::string dateOf(const FILETIME& time) {
    SYSTEMTIME date = {};
    if (!FileTimeToSystemTime(&time, &date)) return {};
    return certificateDate(date.wYear, date.wMonth, date.wDay);
}

// The certificate's SHA-1 hash property, zero-padded; none when it cannot be read or is
// longer than 20 bytes.
std::optional<CertHash> hashOf(PCCERT_CONTEXT certificate) {
    CertHash hash{};
    DWORD size = static_cast<DWORD>(hash.size());
    if (!CertGetCertificateContextProperty(certificate, CERT_SHA1_HASH_PROP_ID, hash.data(),
                                           &size)) {
        return std::nullopt;
    }
    return hash;
}

// An object identifier as the View Certificate dialog shows it.
std::string algorithmOf(const CRYPT_ALGORITHM_IDENTIFIER& algorithm) {
    std::string oid = algorithm.pszObjId ? algorithm.pszObjId : "";
    static const std::string kPrefix = "szOID_";
    for (size_t at = oid.find(kPrefix); at != std::string::npos; at = oid.find(kPrefix, at)) {
        oid.erase(at, kPrefix.size());
    }
    return oid;
}

CertificateView viewOf(PCCERT_CONTEXT certificate) {
    const CERT_INFO& info = *certificate->pCertInfo;
    CertificateView view;
    // CERT_V1 is 0, CERT_V3 is 2.
    view.version = "V" + std::to_string(info.dwVersion + 1);
    view.serialNumber = certificateBytes(info.SerialNumber.pbData, info.SerialNumber.cbData);
    view.signatureAlgorithm = algorithmOf(info.SignatureAlgorithm);
    view.issuer = nameOf(certificate, CERT_NAME_ISSUER_FLAG);
    view.notBefore = dateOf(info.NotBefore);
    view.notAfter = dateOf(info.NotAfter);
    view.subject = nameOf(certificate, 0);
    const CRYPT_BIT_BLOB& key = info.SubjectPublicKeyInfo.PublicKey;
    view.publicKey = certificateBytes(key.pbData, key.cbData);
    view.publicKeyAlgorithm = algorithmOf(info.SubjectPublicKeyInfo.Algorithm);
    return view;
}

}  // namespace

std::vector<CertificateEntry> Win32CertificatePlatform::personalCertificates() {
    std::vector<CertificateEntry> entries;
    PersonalStore store;
    if (!store.handle()) return entries;
    for (PCCERT_CONTEXT certificate = CertEnumCertificatesInStore(store.handle(), nullptr);
         certificate; certificate = CertEnumCertificatesInStore(store.handle(), certificate)) {
        CertificateEntry entry;
        entry.issuer = nameOf(certificate, CERT_NAME_ISSUER_FLAG);
        entry.subject = nameOf(certificate, 0);
        entry.validBefore = dateOf(certificate->pCertInfo->NotAfter);
        entry.hash = hashOf(certificate);
        entries.push_back(std::move(entry));
    }
    return entries;
}

std::optional<CertificateView> Win32CertificatePlatform::find(const std::string& name,
                                                              const CertHash& hash) {
    PersonalStore store;
    if (!store.handle()) return std::nullopt;
    CertHash wanted = hash;
    CRYPT_HASH_BLOB blob = {static_cast<DWORD>(wanted.size()), wanted.data()};
    // Each search step releases the certificate it starts from.
    for (PCCERT_CONTEXT certificate = CertFindCertificateInStore(
             store.handle(), kEncodings, 0, CERT_FIND_SHA1_HASH, &blob, nullptr);
         certificate; certificate = CertFindCertificateInStore(
                          store.handle(), kEncodings, 0, CERT_FIND_SHA1_HASH, &blob, certificate)) {
        if (certificateName(nameOf(certificate, CERT_NAME_ISSUER_FLAG)) == name) {
            CertificateView view = viewOf(certificate);
            CertFreeCertificateContext(certificate);
            return view;
        }
    }
    return std::nullopt;
}

int Win32CertificatePlatform::controlWidth(const fw::Dialog& dialog, int id) {
    RECT area = {};
    GetClientRect(GetDlgItem(fw::Win32Host::windowOf(dialog), id), &area);
    return area.right - area.left;
}
