#include "pages/AboutPage.h"

#include <cstdio>

#include "res/resource.h"

namespace {

// The buffers of the driver's texts.
constexpr uint32_t kDriverTextSize = 100;

// The fields of the card, emptied before each look at it.
constexpr int kAdapterFields[] = {IDC_ABOUT_CHIP, IDC_ABOUT_FIRMWARE, IDC_ABOUT_DRIVER,
                                  IDC_ABOUT_MAC, IDC_ABOUT_REGION};

template <typename... Values>
std::string format(const char* pattern, Values... values) {
    char text[64];
    std::snprintf(text, sizeof text, pattern, values...);
    return text;
}

}  // namespace

std::string regionName(uint32_t regionCode) {
    switch (regionCode) {
        case 0x20:
            return "IC (Canada)";
        case 0x30:
            return "ETSI (Europe)";
        case 0x31:
            return "Spain";
        case 0x32:
            return "France";
        case 0x40:
            return "MKK (Japan)";
        default:
            return "FCC (United States)";
    }
}

CAboutPage::CAboutPage(AdapterAccess& host, FileVersions& files)
    : CZelPage(IDD_ABOUT, "About"), host_(host), files_(files) {}

std::string CAboutPage::programDate() {
    const std::string path = files_.programPath();
    std::optional<FileDate> date = files_.lastWriteDate(path);
    if (!date) date = files_.lastWriteDate(path + ".exe");
    return date ? format("%d-%d-%d", date->month, date->day, date->year) : std::string();
}

std::string CAboutPage::versionLine(const std::string& extension, const std::string& date) {
    const std::optional<ProductVersion> version =
        files_.productVersion(files_.executableName() + extension);
    if (!version) return {};
    const ProductVersion& v = *version;
    return format("%d.%d.%d.%d", v[0], v[1], v[2], v[3]) + " (" + date + ")";
}

void CAboutPage::onSetActive() {
    // Both version lines carry the date of the program's own file.
    const std::string date = programDate();
    ui().setText(IDC_ABOUT_PROGRAM, versionLine(".exe", date));
    ui().setText(IDC_ABOUT_LIBRARY, versionLine(".dll", date));
    for (int id : kAdapterFields) ui().setText(id, "");
    const ZelHandle adapter = host_.adapter();
    if (!adapter) return;
    const ZelApi& api = host_.api();

    uint32_t value = 0;
    if (api.ZelQueryChipVersion(adapter, &value) == 0) {
        ui().setText(IDC_ABOUT_CHIP, format("%d.0", static_cast<int>(value)));
    }
    if (api.ZelQueryFirmwareVersion(adapter, &value) == 0) {
        ui().setText(IDC_ABOUT_FIRMWARE,
                     format("%d.%d.%d.%d", static_cast<int>(value >> 24 & 0xFF),
                            static_cast<int>(value >> 16 & 0xFF),
                            static_cast<int>(value >> 8 & 0xFF), static_cast<int>(value & 0xFF)));
    }
    char version[kDriverTextSize] = {};
    if (api.ZelQueryDriverVersion(adapter, version, sizeof version) == 0) {
        version[sizeof version - 1] = '\0';
        std::string driver = version;
        char driverDate[kDriverTextSize] = {};
        if (api.ZelQueryDriverDate(adapter, driverDate, sizeof driverDate) == 0) {
            driverDate[sizeof driverDate - 1] = '\0';
            driver += std::string(" (") + driverDate + ")";
        }
        ui().setText(IDC_ABOUT_DRIVER, driver);
    }
    uint8_t mac[6] = {};
    if (api.ZelGetMacAddress(adapter, mac, sizeof mac) == 0) {
        ui().setText(IDC_ABOUT_MAC, format("%02X %02X %02X %02X %02X %02X", mac[0], mac[1], mac[2],
                                           mac[3], mac[4], mac[5]));
    }
    ui().setText(IDC_ABOUT_REGION_LABEL, "Region Code:");
    ui().setText(IDC_ABOUT_REGION, regionName(host_.connection().regionCode));
}
