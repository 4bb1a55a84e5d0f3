// The credential and certificate dialogs suite's fixture.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "pages/CertificateDlgs.h"
#include "pages/CredentialDlgs.h"
#include "tests/pages/ProfileSuite.h"

namespace pagestest {

// A personal store of the test's own: the certificates it lists, the certificates it
// finds by stored name and hash, and the lookups asked of it.
class FakeCertificates final : public CertificatePlatform {
public:
    struct Stored {
        std::string name;
        CertHash hash;
        CertificateView view;
    };
    struct Lookup {
        std::string name;
        CertHash hash;
    };

    std::vector<CertificateEntry> personalCertificates() override { return listed; }
    std::optional<CertificateView> find(const std::string& name, const CertHash& hash) override;
    std::vector<CertificateEntry> listed;
    std::vector<Stored> stored;
    std::vector<Lookup> lookups;
};

class CredentialDialogs : public ProfileEditing {
protected:
    // Runs `dialog` modally while the user does `action`, which must end it.
    int run(fw::Dialog& dialog, const fw::DialogAction& action);
    // The Select Certificate dialog comes up next (after the dialogs and boxes already
    // expected) and the user does `action` in it.
    void expectSelect(const fw::DialogAction& action);

    Credentials working;
    FakeCertificates certificates;
};

}  // namespace pagestest
