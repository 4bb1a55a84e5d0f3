// The network page: name and SSID, network type, wireless modes and the ad-hoc channel.
#include <gmock/gmock.h>

#include "pages/BasicSettgPage.h"
#include "res/resource.h"
#include "tests/pages/ProfileSuite.h"

namespace pagestest {
namespace {

using testing::ElementsAre;

constexpr int kInfrastructure = 0;  // positions in the network type list
constexpr int kAdHoc = 1;

TEST_P(NetworkPage, TheChannelListRunsOverTheRegionsChannels) {
    mainWindow.channels = {1, 13};
    auto sheet = openEditor();
    CBasicSettgPage& page = *sheet->networkPage();
    user(page).pick(IDC_NET_TYPE, kAdHoc);
    const auto channels = entries(page, IDC_NET_CHANNEL);
    ASSERT_EQ(channels.size(), 14u);
    EXPECT_EQ(channels[0], "Auto Select");
    EXPECT_EQ(channels[1], "CH 1 (2.412 GHz)");
    EXPECT_EQ(channels[6], "CH 6 (2.437 GHz)");
    EXPECT_EQ(channels[13], "CH 13 (2.472 GHz)");
    EXPECT_EQ(page.ui().itemData(IDC_NET_CHANNEL, 0), 0);
    EXPECT_EQ(page.ui().itemData(IDC_NET_CHANNEL, 13), 13);

    // Channel 14 lies apart from the others.
    mainWindow.channels = {1, 14};
    user(page).pick(IDC_NET_TYPE, kInfrastructure);
    user(page).pick(IDC_NET_TYPE, kAdHoc);
    EXPECT_EQ(page.ui().itemCount(IDC_NET_CHANNEL), 15);
    EXPECT_EQ(page.ui().itemText(IDC_NET_CHANNEL, 14), "CH 14 (2.484 GHz)");

    mainWindow.channels = {10, 11};
    user(page).pick(IDC_NET_TYPE, kInfrastructure);
    user(page).pick(IDC_NET_TYPE, kAdHoc);
    EXPECT_THAT(entries(page, IDC_NET_CHANNEL),
                ElementsAre("Auto Select", "CH 10 (2.457 GHz)", "CH 11 (2.462 GHz)"));
}

TEST_P(NetworkPage, AChannelRangeBeyond1To14OrBackwardsOffers1To11) {
    for (const sys::ChannelRange range : {sys::ChannelRange{0, 11}, sys::ChannelRange{1, 15},
                                          sys::ChannelRange{12, 3}, sys::ChannelRange{-4, -1}}) {
        SCOPED_TRACE(std::to_string(range.first) + ".." + std::to_string(range.last));
        mainWindow.channels = range;
        auto sheet = openEditor();
        CBasicSettgPage& page = *sheet->networkPage();
        user(page).pick(IDC_NET_TYPE, kAdHoc);
        const auto channels = entries(page, IDC_NET_CHANNEL);
        ASSERT_EQ(channels.size(), 12u);
        EXPECT_EQ(channels[1], "CH 1 (2.412 GHz)");
        EXPECT_EQ(channels[11], "CH 11 (2.462 GHz)");
    }
}

TEST_P(NetworkPage, TheNameTakes39CharactersAndTheSsid32) {
    Profile* home = mainWindow.add("Home");
    auto sheet = openEditor(home);
    CBasicSettgPage& page = *sheet->networkPage();
    page.ui().setText(IDC_NET_NAME, "");
    page.ui().setText(IDC_NET_SSID, "");
    user(page).type(IDC_NET_NAME, std::string(40, 'n'));
    user(page).type(IDC_NET_SSID, std::string(33, 's'));
    EXPECT_EQ(page.ui().text(IDC_NET_NAME), std::string(39, 'n'));
    EXPECT_EQ(page.ui().text(IDC_NET_SSID), std::string(32, 's'));
    ASSERT_TRUE(sheet->store(home));
    EXPECT_EQ(fieldText(home->name), std::string(39, 'n'));
    EXPECT_EQ(fieldText(home->ssid), std::string(32, 's'));
}

TEST_P(NetworkPage, ANameMustBeGivenAndNoOtherProfileMayHaveItAsWritten) {
    Profile* home = mainWindow.add("Home");
    mainWindow.add("Office");
    auto sheet = openEditor(home);
    CBasicSettgPage& page = *sheet->networkPage();
    fw::Surface& ui = page.ui();

    // Its own name, unchanged, and another profile's name in other case.
    EXPECT_TRUE(sheet->validate(home));
    ui.setText(IDC_NET_NAME, "office");
    EXPECT_TRUE(sheet->validate(home));
    EXPECT_TRUE(takeMessages().empty());

    // Refused from another page: the network page comes to the front.
    ui.setText(IDC_NET_NAME, "Office");
    sheet->select(2);
    script().expectMessageBox("Profile name already exists! Please enter a new one!", fw::id::Ok);
    EXPECT_FALSE(sheet->validate(home));
    EXPECT_EQ(sheet->activeIndex(), 0);
    EXPECT_EQ(script().shownBoxes().back().flags, fw::mb::Ok | fw::mb::IconExclamation);

    ui.setText(IDC_NET_NAME, "");
    script().expectMessageBox("You have entered an illegal profile name.", fw::id::Ok);
    EXPECT_FALSE(sheet->validate(home));
    // A refused store leaves the record alone.
    script().expectMessageBox("You have entered an illegal profile name.", fw::id::Ok);
    EXPECT_FALSE(sheet->store(home));
    EXPECT_EQ(fieldText(home->name), "Home");

    // Without a record to check against, the page checks nothing.
    EXPECT_TRUE(sheet->validate(nullptr));
    EXPECT_EQ(takeMessages().size(), 3u);
}

TEST_P(NetworkPage, SwitchingToAdHocStartsFromAutoSelectAnd80211g) {
    Profile* cafe = mainWindow.add("Cafe", NetworkAdHoc);
    cafe->adHocWirelessMode = Wireless80211b;
    cafe->channel = 6;
    auto sheet = openEditor(cafe);
    CBasicSettgPage& page = *sheet->networkPage();
    fw::Surface& ui = page.ui();
    EXPECT_EQ(selectedText(page, IDC_NET_TYPE), "Ad-Hoc");
    EXPECT_EQ(selectedText(page, IDC_NET_ADHOC_MODE), "802.11b");
    EXPECT_EQ(selectedText(page, IDC_NET_CHANNEL), "CH 6 (2.437 GHz)");
    EXPECT_TRUE(sheet->shared().adHoc);
    EXPECT_EQ(sheet->shared().wirelessMode, Wireless80211b);
    for (int id :
         {IDC_NET_ADHOC_GROUP, IDC_NET_ADHOC_MODE, IDC_NET_CHANNEL, IDC_NET_CHANNEL_LABEL}) {
        EXPECT_TRUE(ui.isVisible(id)) << id;
    }
    EXPECT_FALSE(ui.isVisible(IDC_NET_INFRA_MODE));
    EXPECT_FALSE(ui.isVisible(IDC_NET_INFRA_MODE_LABEL));

    user(page).pick(IDC_NET_TYPE, kInfrastructure);
    EXPECT_FALSE(sheet->shared().adHoc);
    EXPECT_EQ(sheet->shared().wirelessMode, WirelessAuto);
    EXPECT_EQ(selectedText(page, IDC_NET_INFRA_MODE), "Auto");
    EXPECT_TRUE(ui.isVisible(IDC_NET_INFRA_MODE));
    EXPECT_TRUE(ui.isEnabled(IDC_NET_INFRA_MODE));
    for (int id :
         {IDC_NET_ADHOC_GROUP, IDC_NET_ADHOC_MODE, IDC_NET_CHANNEL, IDC_NET_CHANNEL_LABEL}) {
        EXPECT_FALSE(ui.isVisible(id)) << id;
    }
    EXPECT_FALSE(ui.isEnabled(IDC_NET_CHANNEL));

    user(page).pick(IDC_NET_TYPE, kAdHoc);
    EXPECT_EQ(selectedText(page, IDC_NET_CHANNEL), "Auto Select");
    EXPECT_EQ(selectedText(page, IDC_NET_ADHOC_MODE), "802.11g");
    EXPECT_TRUE(sheet->shared().adHoc);
    EXPECT_EQ(sheet->shared().wirelessMode, Wireless80211g);
    ASSERT_TRUE(sheet->store(cafe));
    EXPECT_EQ(cafe->networkType, NetworkAdHoc);
    EXPECT_EQ(cafe->channel, 0u);
    EXPECT_EQ(cafe->adHocWirelessMode, Wireless80211g);

    // The wireless modes chosen become the sheet's.
    user(page).pick(IDC_NET_ADHOC_MODE, 0);
    EXPECT_EQ(sheet->shared().wirelessMode, Wireless80211b);
    user(page).pick(IDC_NET_TYPE, kInfrastructure);
    user(page).pick(IDC_NET_INFRA_MODE, 1);
    EXPECT_EQ(sheet->shared().wirelessMode, Wireless80211b);
}

TEST_P(NetworkPage, TheChannelOfTheConnectedAdHocProfileInUseStays) {
    Profile* cafe = mainWindow.add("Cafe", NetworkAdHoc);
    Profile* lounge = mainWindow.add("Lounge", NetworkAdHoc);
    cafe->channel = 3;
    mainWindow.connectTo(cafe, true);
    auto sheet = openEditor(cafe);
    CBasicSettgPage& page = *sheet->networkPage();
    EXPECT_FALSE(page.ui().isEnabled(IDC_NET_CHANNEL));
    EXPECT_TRUE(page.ui().isVisible(IDC_NET_CHANNEL));
    EXPECT_TRUE(page.ui().isEnabled(IDC_NET_ADHOC_MODE));

    // Another profile, or the network running without a connection.
    sheet->load(lounge);
    EXPECT_TRUE(page.ui().isEnabled(IDC_NET_CHANNEL));
    mainWindow.connectTo(cafe, false);
    sheet->load(cafe);
    EXPECT_TRUE(page.ui().isEnabled(IDC_NET_CHANNEL));
}

TEST_P(NetworkPage, CodesNoEntryOffersShowTheFirstEntryAndStoreItsCode) {
    Profile* odd = mainWindow.add("Odd", 7);
    odd->wirelessMode = 9;
    odd->adHocWirelessMode = 5;
    odd->channel = 99;
    auto sheet = openEditor(odd);
    CBasicSettgPage& page = *sheet->networkPage();
    EXPECT_EQ(selectedText(page, IDC_NET_TYPE), "Infrastructure");
    EXPECT_EQ(selectedText(page, IDC_NET_INFRA_MODE), "Auto");
    ASSERT_TRUE(sheet->store(odd));
    EXPECT_EQ(odd->networkType, NetworkInfrastructure);
    EXPECT_EQ(odd->wirelessMode, WirelessAuto);
    EXPECT_EQ(odd->adHocWirelessMode, Wireless80211g);
    EXPECT_EQ(odd->channel, 0u);
    EXPECT_EQ(odd->hiddenSsid, 0);

    // The same for an ad-hoc profile's mode and channel.
    odd->networkType = NetworkAdHoc;
    odd->adHocWirelessMode = 5;
    odd->channel = 99;
    sheet->load(odd);
    EXPECT_EQ(selectedText(page, IDC_NET_ADHOC_MODE), "802.11b");
    EXPECT_EQ(selectedText(page, IDC_NET_CHANNEL), "Auto Select");
    ASSERT_TRUE(sheet->store(odd));
    EXPECT_EQ(odd->adHocWirelessMode, Wireless80211b);
    EXPECT_EQ(odd->channel, 0u);
}

TEST_P(NetworkPage, AnInfrastructureProfileOf80211aShowsAutoWhichItOffers) {
    Profile* survey = mainWindow.add("Survey");
    survey->wirelessMode = Wireless80211a;
    auto sheet = openEditor(survey);
    CBasicSettgPage& page = *sheet->networkPage();
    EXPECT_EQ(selectedText(page, IDC_NET_INFRA_MODE), "Auto");
    EXPECT_EQ(sheet->shared().wirelessMode, WirelessAuto);
    ASSERT_TRUE(sheet->store(survey));
    EXPECT_EQ(survey->wirelessMode, WirelessAuto);
}

}  // namespace
}  // namespace pagestest
