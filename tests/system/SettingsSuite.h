// Behaviour of the settings file, run against every settings store: natively against the
// in-memory store, under Wine against the private-profile functions and a real file.
//
// An environment type provides:
//   sys::SettingsStore& store();
//   void setText(const char* section, const char* key, const std::string& text);
//   std::string text(const char* section, const char* key);   // "" when missing
//   void failWrites();                                         // later writes fail
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "system/Settings.h"
#include "tests/system/SettingsRules.h"

template <typename Env>
class SettingsBehaviour : public ::testing::Test {
protected:
    void setText(sys::Setting setting, const std::string& text) {
        const sys::SettingKey& key = sys::settingKey(setting);
        env.setText(key.section, key.name, text);
    }
    int read(sys::Setting setting) const { return settings.readSetting(setting); }

    Env env;
    sys::Settings settings{env.store()};
};

TYPED_TEST_SUITE_P(SettingsBehaviour);

TYPED_TEST_P(SettingsBehaviour, EveryKeyIsDocumentedAndReadsItsDefaultWhenMissing) {
    ASSERT_EQ(settings_suite::documentedKeys().size(), static_cast<size_t>(sys::kSettingCount));
    for (const auto& documented : settings_suite::documentedKeys()) {
        SCOPED_TRACE(documented.name);
        const sys::SettingKey& key = sys::settingKey(documented.setting);
        EXPECT_STREQ(key.section, documented.section);
        EXPECT_STREQ(key.name, documented.name);
        EXPECT_EQ(key.defaultValue, documented.defaultValue);
        EXPECT_EQ(this->read(documented.setting), documented.defaultValue);
    }
    EXPECT_EQ(this->settings.channelRange(), (sys::ChannelRange{1, 11}));
}

TYPED_TEST_P(SettingsBehaviour, EveryKeyRoundTripsAsDecimalText) {
    for (const auto& documented : settings_suite::documentedKeys()) {
        SCOPED_TRACE(documented.name);
        ASSERT_TRUE(this->settings.writeSetting(documented.setting, documented.otherValue));
        EXPECT_EQ(this->env.text(documented.section, documented.name),
                  std::to_string(documented.otherValue));
        EXPECT_EQ(this->read(documented.setting), documented.otherValue);
    }
    // Writing one key leaves the others as they were.
    for (const auto& documented : settings_suite::documentedKeys()) {
        EXPECT_EQ(this->read(documented.setting), documented.otherValue) << documented.name;
    }
}

TYPED_TEST_P(SettingsBehaviour, SwitchesReadAnyNonZeroValueAsOn) {
    this->setText(sys::Setting::Statistics, "5");
    this->setText(sys::Setting::DebugWin, "-1");
    this->setText(sys::Setting::AutoLink, "0");
    this->setText(sys::Setting::Trace, "yes");
    EXPECT_EQ(this->read(sys::Setting::Statistics), 1);
    EXPECT_EQ(this->read(sys::Setting::DebugWin), 1);
    EXPECT_EQ(this->read(sys::Setting::AutoLink), 0);
    EXPECT_EQ(this->read(sys::Setting::Trace), 0);
}

TYPED_TEST_P(SettingsBehaviour, WepKeyFormatOtherThanZeroOrOneReadsAsAscii) {
    const struct {
        const char* text;
        int expected;
    } cases[] = {{"7", 0}, {"1", 1}, {"0", 0}, {"2", 0}, {"-1", 0}, {"hex", 0}};
    for (const auto& c : cases) {
        this->setText(sys::Setting::WepKeyFmt, c.text);
        EXPECT_EQ(this->read(sys::Setting::WepKeyFmt), c.expected) << c.text;
    }
}

TYPED_TEST_P(SettingsBehaviour, BoostModeIsPassedOnUnlessNegative) {
    const struct {
        const char* text;
        int expected;
    } cases[] = {{"0", 0}, {"3", 3}, {"-2", 1}, {"12abc", 12}, {"fast", 0}};
    for (const auto& c : cases) {
        this->setText(sys::Setting::BoostMode, c.text);
        EXPECT_EQ(this->read(sys::Setting::BoostMode), c.expected) << c.text;
    }
}

TYPED_TEST_P(SettingsBehaviour, ChannelRangeOutsideOneToFourteenOrReversedIsOneToEleven) {
    const struct {
        const char* first;  // nullptr: key missing
        const char* last;
        sys::ChannelRange expected;
    } cases[] = {
        {"11", "13", {11, 13}},
        {"1", "14", {1, 14}},
        {"14", "14", {14, 14}},
        {"5", nullptr, {5, 11}},
        {"0", "11", {1, 11}},
        {"1", "15", {1, 11}},
        {"12", "3", {1, 11}},
        {"-3", "5", {1, 11}},
        {nullptr, "0", {1, 11}},
        {"abc", "xyz", {1, 11}},
        {"99999999999999999999", "13", {1, 11}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.first ? c.first : "(missing)") + ".." +
                     (c.last ? c.last : "(missing)"));
        TypeParam env;
        const auto& first = sys::settingKey(sys::Setting::FirstChan);
        const auto& last = sys::settingKey(sys::Setting::LastChan);
        if (c.first) env.setText(first.section, first.name, c.first);
        if (c.last) env.setText(last.section, last.name, c.last);
        const sys::Settings settings(env.store());
        EXPECT_EQ(settings.channelRange(), c.expected);
        EXPECT_EQ(settings.readSetting(sys::Setting::FirstChan), c.expected.first);
        EXPECT_EQ(settings.readSetting(sys::Setting::LastChan), c.expected.last);
    }
}

TYPED_TEST_P(SettingsBehaviour, GarbageInEveryKeyReadsAsAUsableValue) {
    const std::string garbage[] = {
        "99999999999999999999",
        "-99999999999999999999",
        "4294967297",
        "2147483648",
        "\x01\x7f\xff\xfe",
        "--5",
        "+-3",
        "=",
        "  ",
        std::string(5000, '9'),
    };
    for (const std::string& text : garbage) {
        for (const auto& documented : settings_suite::documentedKeys()) {
            this->setText(documented.setting, text);
        }
        for (const auto& documented : settings_suite::documentedKeys()) {
            const int value = this->read(documented.setting);
            EXPECT_TRUE(settings_suite::isSafe(documented.setting, value))
                << documented.name << " read " << value << " from \"" << text.substr(0, 40) << "\"";
        }
        const sys::ChannelRange range = this->settings.channelRange();
        EXPECT_LE(range.first, range.last) << text.substr(0, 40);
    }
}

TYPED_TEST_P(SettingsBehaviour, AFailedWriteIsReported) {
    this->env.failWrites();
    EXPECT_FALSE(this->settings.writeSetting(sys::Setting::AutoLink, 0));
    EXPECT_EQ(this->read(sys::Setting::AutoLink), 1);
}

REGISTER_TYPED_TEST_SUITE_P(SettingsBehaviour, EveryKeyIsDocumentedAndReadsItsDefaultWhenMissing,
                            EveryKeyRoundTripsAsDecimalText, SwitchesReadAnyNonZeroValueAsOn,
                            WepKeyFormatOtherThanZeroOrOneReadsAsAscii,
                            BoostModeIsPassedOnUnlessNegative,
                            ChannelRangeOutsideOneToFourteenOrReversedIsOneToEleven,
                            GarbageInEveryKeyReadsAsAUsableValue, AFailedWriteIsReported);
