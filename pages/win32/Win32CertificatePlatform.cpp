#include "pages/win32/Win32CertificatePlatform.h"

#include "pages/win32/LibraryFunction.h"

namespace {

using Crypt32 = Win32CertificatePlatform::Crypt32;

constexpr DWORD kEncodings = X509_ASN_ENCODING | PKCS_7_ASN_ENCODING;

// The personal store, open for as long as the object lives.
class PersonalStore {
public:
    explicit PersonalStore(const Crypt32& crypt32)
        : crypt32_(crypt32),
          store_(crypt32.openSystemStore ? crypt32.openSystemStore(0, "MY") : nullptr) {}
    ~PersonalStore() {
        if (store_) crypt32_.closeStore(store_, CERT_CLOSE_STORE_FORCE_FLAG);
    }
    PersonalStore(const PersonalStore&) = delete;
    PersonalStore& operator=(const PersonalStore&) = delete;

    HCERTSTORE handle() const { return store_; }

private:
    const Crypt32& crypt32_;
    HCERTSTORE store_;
};

// The simple display name of the certificate's subject, or with `flags`
// CERT_NAME_ISSUER_FLAG of its issuer; empty when it cannot be read.
std::string nameOf(const Crypt32& crypt32, PCCERT_CONTEXT certificate, DWORD flags) {
    char name[400] = {};
    crypt32.getNameString(certificate, CERT_NAME_SIMPLE_DISPLAY_TYPE, flags, nullptr, name,
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
std::optional<CertHash> hashOf(const Crypt32& crypt32, PCCERT_CONTEXT certificate) {
    CertHash hash{};
    DWORD size = static_cast<DWORD>(hash.size());
    if (!crypt32.getProperty(certificate, CERT_SHA1_HASH_PROP_ID, hash.data(), &size)) {
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

CertificateView viewOf(const Crypt32& crypt32, PCCERT_CONTEXT certificate) {
    const CERT_INFO& info = *certificate->pCertInfo;
    CertificateView view;
    // CERT_V1 is 0, CERT_V3 is 2.
    view.version = "V" + std::to_string(info.dwVersion + 1);
    view.serialNumber = certificateBytes(info.SerialNumber.pbData, info.SerialNumber.cbData);
    view.signatureAlgorithm = algorithmOf(info.SignatureAlgorithm);
    view.issuer = nameOf(crypt32, certificate, CERT_NAME_ISSUER_FLAG);
    view.notBefore = dateOf(info.NotBefore);
    view.notAfter = dateOf(info.NotAfter);
    view.subject = nameOf(crypt32, certificate, 0);
    const CRYPT_BIT_BLOB& key = info.SubjectPublicKeyInfo.PublicKey;
    view.publicKey = certificateBytes(key.pbData, key.cbData);
    view.publicKeyAlgorithm = algorithmOf(info.SubjectPublicKeyInfo.Algorithm);
    return view;
}

}  // namespace

const Win32CertificatePlatform::Crypt32& Win32CertificatePlatform::crypt32() {
    if (loaded_) return crypt32_;
    loaded_ = true;
    library_ = LoadLibraryA("crypt32.dll");
    Crypt32& f = crypt32_;
    f.openSystemStore =
        libraryFunction<decltype(f.openSystemStore)>(library_, "CertOpenSystemStoreA");
    f.closeStore = libraryFunction<decltype(f.closeStore)>(library_, "CertCloseStore");
    f.enumCertificates =
        libraryFunction<decltype(f.enumCertificates)>(library_, "CertEnumCertificatesInStore");
    f.findCertificate =
        libraryFunction<decltype(f.findCertificate)>(library_, "CertFindCertificateInStore");
    f.getNameString = libraryFunction<decltype(f.getNameString)>(library_, "CertGetNameStringA");
    f.getProperty =
        libraryFunction<decltype(f.getProperty)>(library_, "CertGetCertificateContextProperty");
    f.freeCertificate =
        libraryFunction<decltype(f.freeCertificate)>(library_, "CertFreeCertificateContext");
    const bool complete = f.openSystemStore && f.closeStore && f.enumCertificates &&
                          f.findCertificate && f.getNameString && f.getProperty &&
                          f.freeCertificate;
    if (!complete) crypt32_ = {};
    return crypt32_;
}

Win32CertificatePlatform::~Win32CertificatePlatform() {
    if (library_) FreeLibrary(library_);
}

std::vector<CertificateEntry> Win32CertificatePlatform::personalCertificates() {
    std::vector<CertificateEntry> entries;
    PersonalStore store(crypt32());
    if (!store.handle()) return entries;
    for (PCCERT_CONTEXT certificate = crypt32_.enumCertificates(store.handle(), nullptr);
         certificate; certificate = crypt32_.enumCertificates(store.handle(), certificate)) {
        CertificateEntry entry;
        entry.issuer = nameOf(crypt32_, certificate, CERT_NAME_ISSUER_FLAG);
        entry.subject = nameOf(crypt32_, certificate, 0);
        entry.validBefore = dateOf(certificate->pCertInfo->NotAfter);
        entry.hash = hashOf(crypt32_, certificate);
        entries.push_back(std::move(entry));
    }
    return entries;
}

std::optional<CertificateView> Win32CertificatePlatform::find(const std::string& name,
                                                              const CertHash& hash) {
    PersonalStore store(crypt32());
    if (!store.handle()) return std::nullopt;
    CertHash wanted = hash;
    CRYPT_HASH_BLOB blob = {static_cast<DWORD>(wanted.size()), wanted.data()};
    // Each search step releases the certificate it starts from.
    for (PCCERT_CONTEXT certificate = crypt32_.findCertificate(store.handle(), kEncodings, 0,
                                                               CERT_FIND_SHA1_HASH, &blob, nullptr);
         certificate; certificate = crypt32_.findCertificate(
                          store.handle(), kEncodings, 0, CERT_FIND_SHA1_HASH, &blob, certificate)) {
        if (certificateName(nameOf(crypt32_, certificate, CERT_NAME_ISSUER_FLAG)) == name) {
            CertificateView view = viewOf(crypt32_, certificate);
            crypt32_.freeCertificate(certificate);
            return view;
        }
    }
    return std::nullopt;
}
