// The About page: the versions of the program's files and what the card tells of itself.
#include <gmock/gmock.h>

#include "res/resource.h"
#include "tests/pages/AdapterPagesSuite.h"

namespace adaptertest {
namespace {

using testing::ElementsAre;

const std::string kCard = cardWith(R"(
    chip-version      4
    firmware-version  5.2.1.3
    driver-version    "5.10.0.1"
    driver-date       "7-3-2005"
)");

constexpr int kCardFields[] = {IDC_ABOUT_CHIP, IDC_ABOUT_FIRMWARE, IDC_ABOUT_DRIVER, IDC_ABOUT_MAC,
                               IDC_ABOUT_REGION};

TEST_P(AboutPage, ShowsTheVersionsOfTheProgramsFilesWithTheProgramsDate) {
    start(kCard);
    files.versions = {{"Tovix.exe", {2, 1, 0, 7}}, {"Tovix.dll", {1, 4, 0, 12}}};
    files.dates = {{files.path, {3, 7, 2005}}};
    open();
    EXPECT_EQ(ui().text(IDC_ABOUT_PROGRAM), "2.1.0.7 (3-7-2005)");
    EXPECT_EQ(ui().text(IDC_ABOUT_LIBRARY), "1.4.0.12 (3-7-2005)");
    EXPECT_THAT(files.asked, ElementsAre("Tovix.exe", "Tovix.dll"));
}

TEST_P(AboutPage, TheFilesAreNamedAfterTheProgramAndAMissingVersionLeavesItsLineEmpty) {
    start(kCard);
    files.name = "Utility";
    files.versions = {{"Utility.exe", {65535, 0, 65535, 1}}};
    // The module path names no file; with ".exe" it does.
    files.dates = {{files.path + ".exe", {12, 31, 1999}}};
    open();
    EXPECT_EQ(ui().text(IDC_ABOUT_PROGRAM), "65535.0.65535.1 (12-31-1999)");
    EXPECT_EQ(ui().text(IDC_ABOUT_LIBRARY), "");
}

TEST_P(AboutPage, ShowsWhatTheCardTellsOfItself) {
    start(kCard);
    mainWindow->link.regionCode = 0x30;
    open();
    EXPECT_EQ(ui().text(IDC_ABOUT_CHIP), "4.0");
    EXPECT_EQ(ui().text(IDC_ABOUT_FIRMWARE), "5.2.1.3");
    EXPECT_EQ(ui().text(IDC_ABOUT_DRIVER), "5.10.0.1 (7-3-2005)");
    EXPECT_EQ(ui().text(IDC_ABOUT_MAC), "00 1D 6A 70 42 17");
    EXPECT_EQ(ui().text(IDC_ABOUT_REGION_LABEL), "Region Code:");
    EXPECT_EQ(ui().text(IDC_ABOUT_REGION), "ETSI (Europe)");
}

TEST_P(AboutPage, WithoutACardOnlyTheTwoVersionLinesAreFilled) {
    start(kCard);
    files.versions = {{"Tovix.exe", {1, 0, 0, 1}}, {"Tovix.dll", {1, 0, 0, 1}}};
    files.dates = {{files.path, {3, 7, 2005}}};
    open();
    EXPECT_EQ(ui().text(IDC_ABOUT_FIRMWARE), "5.2.1.3");
    // The card goes; the next look shows nothing of it.
    recorder.api().ZelCloseAdapter(&mainWindow->handle);
    mainWindow->handle = nullptr;
    leaveAndComeBack();
    for (int id : kCardFields) EXPECT_EQ(ui().text(id), "") << id;
    EXPECT_EQ(ui().text(IDC_ABOUT_PROGRAM), "1.0.0.1 (3-7-2005)");
    EXPECT_EQ(ui().text(IDC_ABOUT_LIBRARY), "1.0.0.1 (3-7-2005)");
}

TEST_P(AboutPage, QueriesThatFailLeaveTheirFieldsEmpty) {
    start(kCard);
    recorder.on.ZelQueryFirmwareVersion = [](ZelHandle, uint32_t*) { return 1; };
    recorder.on.ZelQueryDriverDate = [](ZelHandle, char*, uint32_t) { return 1; };
    recorder.on.ZelGetMacAddress = [](ZelHandle, uint8_t*, uint32_t) { return 1; };
    open();
    EXPECT_EQ(ui().text(IDC_ABOUT_FIRMWARE), "");
    EXPECT_EQ(ui().text(IDC_ABOUT_DRIVER), "5.10.0.1");
    EXPECT_EQ(ui().text(IDC_ABOUT_MAC), "");
    EXPECT_EQ(ui().text(IDC_ABOUT_CHIP), "4.0");
    // Without the driver's version its date is not shown either.
    recorder.on.ZelQueryDriverDate = card->api().ZelQueryDriverDate;
    recorder.on.ZelQueryDriverVersion = [](ZelHandle, char*, uint32_t) { return 1; };
    leaveAndComeBack();
    EXPECT_EQ(ui().text(IDC_ABOUT_DRIVER), "");
}

TEST_P(AboutPage, EveryRegionCodeHasItsName) {
    const std::pair<uint32_t, const char*> regions[] = {
        {0x10, "FCC (United States)"},
        {0x20, "IC (Canada)"},
        {0x30, "ETSI (Europe)"},
        {0x31, "Spain"},
        {0x32, "France"},
        {0x40, "MKK (Japan)"},
        {0x00, "FCC (United States)"},
        {0x41, "FCC (United States)"},
    };
    start(kCard);
    open();
    for (const auto& [code, name] : regions) {
        mainWindow->link.regionCode = code;
        leaveAndComeBack();
        EXPECT_EQ(ui().text(IDC_ABOUT_REGION), name) << code;
    }
}

}  // namespace
}  // namespace adaptertest
