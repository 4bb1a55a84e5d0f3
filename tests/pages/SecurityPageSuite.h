// The security page suite's fixture.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "pages/SecuritySettgPage.h"
#include "tests/pages/ProfileSuite.h"

namespace pagestest {

// A personal certificate store without certificates.
class EmptyCertificateStore final : public CertificatePlatform {
public:
    std::vector<CertificateEntry> personalCertificates() override { return {}; }
    std::optional<CertificateView> find(const std::string&, const CertHash&) override {
        return std::nullopt;
    }
};

// The profile sheets of these suites carry the real security page.
class SecurityPage : public ProfileEditing {
protected:
    SecurityPage();
    ~SecurityPage() override;

    // An editor with `profile` loaded, showing its security page.
    CSecuritySettgPage& open(Profile* profile);
    CSecuritySettgPage& page() const;
    fw::Surface& ui() const { return page().ui(); }
    fw::UserActions& hands() { return user(page()); }
    // Chooses the entry `entry` of combo box `id` as the user does.
    void choose(int id, const std::string& entry);
    std::vector<std::string> entries(int id) const { return ProfileEditing::entries(page(), id); }
    std::string selected(int id) const { return selectedText(page(), id); }

    EmptyCertificateStore certificates;
    std::unique_ptr<CProfileSheet> editor;
    // The user changes the editor was told of.
    int changes = 0;
};

}  // namespace pagestest
