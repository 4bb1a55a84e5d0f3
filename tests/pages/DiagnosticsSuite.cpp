#include "tests/pages/DiagnosticsSuite.h"

#include <gmock/gmock.h>

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "framework/Sheet.h"
#include "pages/DebugWin.h"
#include "pages/TestPage.h"
#include "tests/support/ZelRecorder.h"
#include "tests/system/MemorySettingsStore.h"

namespace {

using testing::ElementsAre;
using testing::IsEmpty;

// The main window in miniature: the recording library with a register file and the
// driver's parameters behind it, an adapter that may be open, the settings file, and
// the switches the main window keeps.
class Diagnostics : public DiagnosticsHost {
public:
    Diagnostics() {
        recorder.name(card_, "card");
        auto readFrom = [this](Bank bank) {
            return [this, bank](ZelHandle, uint32_t index, uint32_t* value) {
                *value = registers[{bank, addressOf(bank, index)}];
                return 0;
            };
        };
        auto writeTo = [this](Bank bank) {
            return [this, bank](ZelHandle, uint32_t index, uint32_t value) {
                if (bank == Bank::Baseband && index == 0) basebandPage = value;
                registers[{bank, addressOf(bank, index)}] = value;
                return 0;
            };
        };
        recorder.on.ZelQueryRfRegister = readFrom(Bank::Rf);
        recorder.on.ZelSetRfRegister = writeTo(Bank::Rf);
        recorder.on.ZelQueryBbRegister = readFrom(Bank::Baseband);
        recorder.on.ZelSetBbRegister = writeTo(Bank::Baseband);
        recorder.on.ZelQueryMacRegister = readFrom(Bank::Mac);
        recorder.on.ZelSetMacRegister = writeTo(Bank::Mac);
        recorder.on.ZelQueryChipVersion = [](ZelHandle, uint32_t* version) {
            *version = 3;
            return 0;
        };
        recorder.on.ZelQueryChannelRange = [this](ZelHandle, uint32_t* value) {
            *value = channelRange;
            return 0;
        };
        recorder.on.ZelQuerySignalThreshold = [](ZelHandle, uint32_t* value) {
            *value = 90;
            return 0;
        };
        recorder.on.ZelQueryTxFailThreshold = [](ZelHandle, uint32_t* value) {
            *value = 30;
            return 0;
        };
    }

    // DiagnosticsHost.
    const ZelApi& api() const override { return recorder.api(); }
    ZelHandle adapter() const override { return open ? card_ : nullptr; }
    sys::Settings& settings() override { return settings_; }
    bool refreshRateEverySecond() const override { return rateEverySecond; }
    void setRefreshRateEverySecond(bool on) override { rateEverySecond = on; }
    bool trace() const override { return traceOn; }
    void setTrace(bool on) override { traceOn = on; }

    int stored(const char* key) { return store_.readInt("Debug", key, -1); }

    enum class Bank { Rf, Baseband, Mac };
    // Baseband registers of the second page are kept at 0x80 and above.
    uint32_t addressOf(Bank bank, uint32_t index) const {
        return bank == Bank::Baseband && index != 0 ? (basebandPage & 0x80) | (index & 0x7F)
                                                    : index;
    }

    uint32_t& rf(uint32_t index) { return registers[{Bank::Rf, index}]; }

    ZelRecorder recorder;
    std::map<std::pair<Bank, uint32_t>, uint32_t> registers;
    uint32_t basebandPage = 0;
    uint32_t channelRange = 0x010B;
    bool open = true;
    bool rateEverySecond = false;
    bool traceOn = false;

private:
    ZelHandle card_ = reinterpret_cast<ZelHandle>(0x1234);
    MemorySettingsStore store_;
    sys::Settings settings_{store_};
};

// A page of the suite shown in a sheet of its own, beside a blank page to leave it for.
template <class Page>
class Shown {
public:
    Shown(fwtest::BackEnd& windows, Diagnostics& host) : windows_(windows), page(host) {
        sheet.addPage(page);
        windows.host().createSheet(sheet, nullptr);
    }
    ~Shown() { fwtest::expectCleanEnd(windows_, &page); }
    fw::UserActions& user() { return windows_.user(page); }
    fw::Surface& ui() { return page.ui(); }

private:
    fwtest::BackEnd& windows_;

public:
    Page page;
    fw::Sheet sheet{"Diagnostics", fw::Sheet::Mode::Modeless};
};

TEST_P(DiagnosticsSuite, DebugPageTypingKeepsOnlyHexadecimalDigitsInUpperCase) {
    Diagnostics host;
    const std::pair<std::string, std::string> cases[] = {
        {"1g", "1"}, {"1a", "1A"}, {"zF", "F"}, {"b7", "B7"}, {"3$", "3"}};
    Shown<CDebugWin> debug(*windows, host);
    for (const auto& [typed, shown] : cases) {
        debug.ui().setText(IDC_DEBUG_BB_INDEX, "");
        debug.user().type(IDC_DEBUG_BB_INDEX, typed);
        EXPECT_EQ(debug.ui().text(IDC_DEBUG_BB_INDEX), shown) << typed;
    }
}

TEST_P(DiagnosticsSuite, DebugPageBasebandRegistersFromEightyLieOnTheSecondPage) {
    Diagnostics host;
    const std::pair<std::string, uint32_t> cases[] = {{"80", 128}, {"7F", 0}, {"FF", 128}};
    Shown<CDebugWin> debug(*windows, host);
    for (const auto& [index, page] : cases) {
        debug.ui().setText(IDC_DEBUG_BB_INDEX, index);
        host.recorder.takeCalls();
        debug.user().click(IDC_DEBUG_BB_READ);
        EXPECT_EQ(
            host.recorder.callsTo("ZelSetBbRegister"),
            std::vector<std::string>{"ZelSetBbRegister(card, 0, " + std::to_string(page) + ")"})
            << index;
    }
}

TEST_P(DiagnosticsSuite, DebugPageAWriteIsReadBackAndAnEmptyValueWritesZero) {
    Diagnostics host;
    host.rf(5) = 0x44;
    Shown<CDebugWin> debug(*windows, host);
    debug.ui().setText(IDC_DEBUG_RF_INDEX, "5");
    // The user sees the wait cursor while the card is written.
    fw::Cursor cursor = fw::Cursor::Other;
    const auto write = host.recorder.on.ZelSetRfRegister;
    host.recorder.on.ZelSetRfRegister = [&](ZelHandle card, uint32_t index, uint32_t value) {
        cursor = debug.user().cursorOver(IDC_DEBUG_RF_VALUE);
        return write(card, index, value);
    };
    debug.user().click(IDC_DEBUG_RF_WRITE);
    EXPECT_EQ(cursor, fw::Cursor::Wait);
    EXPECT_NE(debug.user().cursorOver(IDC_DEBUG_RF_VALUE), fw::Cursor::Wait);
    EXPECT_EQ(host.rf(5), 0u);
    EXPECT_EQ(debug.ui().text(IDC_DEBUG_RF_VALUE), "00");

    debug.ui().setText(IDC_DEBUG_MAC_INDEX, "14");
    debug.ui().setText(IDC_DEBUG_MAC_VALUE, "12345678");
    debug.user().click(IDC_DEBUG_MAC_WRITE);
    debug.ui().setText(IDC_DEBUG_MAC_VALUE, "");
    debug.user().click(IDC_DEBUG_MAC_READ);
    EXPECT_EQ(debug.ui().text(IDC_DEBUG_MAC_VALUE), "12345678");
}

TEST_P(DiagnosticsSuite, DebugPageWithoutACardNothingReachesTheLibrary) {
    Diagnostics host;
    host.open = false;
    Shown<CDebugWin> debug(*windows, host);
    debug.ui().setText(IDC_DEBUG_RF_INDEX, "1A");
    debug.ui().setText(IDC_DEBUG_RF_VALUE, "20");
    for (int button : {IDC_DEBUG_RF_READ, IDC_DEBUG_RF_WRITE, IDC_DEBUG_BB_READ,
                       IDC_DEBUG_MAC_WRITE, IDC_DEBUG_REFRESH}) {
        debug.user().click(button);
    }
    EXPECT_THAT(host.recorder.calls(), IsEmpty());
    EXPECT_EQ(debug.ui().text(IDC_DEBUG_HW_VERSION), "");
    EXPECT_EQ(debug.ui().text(IDC_DEBUG_RF_VALUE), "20");
}

TEST_P(DiagnosticsSuite, DebugPageTheCalibrationTableFollowsTheRfChipFamily) {
    Diagnostics host;
    struct Case {
        uint32_t type;
        std::vector<std::string> names, values, ranges;
    };
    host.rf(26) = 0x12;
    host.rf(27) = 0xAB;
    host.rf(28) = 0x05;
    host.rf(33) = 0xF7;
    host.rf(32) = 0x70;
    host.rf(38) = 0x43;
    host.rf(36) = 0x9B;
    const Case cases[] = {
        {3,
         {"1AH", "1BH", "1CH", "21H[5:0]"},
         {"0x12", "0xAB", "0x05", "0x37"},
         {"00 -- 37", "00 -- FF", "00 -- FF", "00 -- 37"}},
        {2,
         {"20H", "26H", "24H[3:0]", ""},
         {"0x70", "0x43", "0x_B", ""},
         {"6C -- 7A", "33, 43, 53, 63", "3 -- B during Tx ", ""}},
    };
    for (const Case& c : cases) {
        host.rf(0) = c.type;
        Shown<CDebugWin> debug(*windows, host);
        EXPECT_EQ(debug.ui().text(IDC_DEBUG_HW_VERSION), "3.0");
        std::vector<std::string> names, values, ranges;
        for (int row = 0; row < 4; ++row) {
            names.push_back(debug.ui().text(IDC_DEBUG_CAL_NAME1 + row));
            values.push_back(debug.ui().text(IDC_DEBUG_CAL_VALUE1 + row));
            ranges.push_back(debug.ui().text(IDC_DEBUG_CAL_RANGE1 + row));
        }
        EXPECT_EQ(names, c.names) << c.type;
        EXPECT_EQ(values, c.values) << c.type;
        EXPECT_EQ(ranges, c.ranges) << c.type;
    }
}

TEST_P(DiagnosticsSuite, DebugPageTheTimerRefreshesTheTableOnlyWhenAsked) {
    Diagnostics host;
    Shown<CDebugWin> debug(*windows, host);
    host.rf(32) = 0x6C;
    debug.user().fireTimer(CDebugWin::kTimer);
    EXPECT_EQ(debug.ui().text(IDC_DEBUG_CAL_VALUE1), "0x00");
    debug.user().click(IDC_DEBUG_REFRESH_EVERY_SECOND);
    debug.user().fireTimer(CDebugWin::kTimer);
    EXPECT_EQ(debug.ui().text(IDC_DEBUG_CAL_VALUE1), "0x6C");
    EXPECT_EQ(host.stored("RefreshRfCal"), 1);
}

TEST_P(DiagnosticsSuite, DebugPageTheLinkRateSwitchReachesTheMainWindowAndTheSettings) {
    Diagnostics host;
    Shown<CDebugWin> debug(*windows, host);
    debug.user().click(IDC_DEBUG_RATE_EVERY_SECOND);
    EXPECT_TRUE(host.rateEverySecond);
    EXPECT_EQ(host.stored("RefreshRatePS"), 1);
    debug.user().click(IDC_DEBUG_RATE_EVERY_SECOND);
    EXPECT_FALSE(host.rateEverySecond);
    EXPECT_EQ(host.stored("RefreshRatePS"), 0);
    EXPECT_FALSE(debug.ui().isVisible(IDC_DEBUG_TRACE));
}

TEST_P(DiagnosticsSuite, TestPageTheChannelRangeIsTwoBytesOfOneValue) {
    Diagnostics host;
    Shown<CTestPage> test(*windows, host);
    EXPECT_EQ(test.ui().text(IDC_TEST_FROM), "1");
    EXPECT_EQ(test.ui().text(IDC_TEST_TO), "11");
    test.ui().setText(IDC_TEST_TO, "13");
    host.recorder.takeCalls();
    test.user().click(IDC_TEST_RANGE_SET);
    EXPECT_THAT(host.recorder.takeCalls(), ElementsAre("ZelSetChannelRange(card, 269)"));
}

TEST_P(DiagnosticsSuite, TestPageThresholdsOutsideTheirRangesAreRefused) {
    Diagnostics host;
    struct Case {
        int edit, button;
        std::string value;
        std::string call;  // empty: refused with `refusal`
        std::string refusal;
    };
    const std::string signal = "Signal Threshold range is from 10 to 200 !";
    const std::string txFail = "Tx Fail Threshold range is from 0 to 100 !";
    const Case cases[] = {
        {IDC_TEST_SIGNAL, IDC_TEST_SIGNAL_SET, "9", "", signal},
        {IDC_TEST_SIGNAL, IDC_TEST_SIGNAL_SET, "201", "", signal},
        {IDC_TEST_SIGNAL, IDC_TEST_SIGNAL_SET, "10", "ZelSetSignalThreshold(card, 10)", ""},
        {IDC_TEST_SIGNAL, IDC_TEST_SIGNAL_SET, "200", "ZelSetSignalThreshold(card, 200)", ""},
        {IDC_TEST_TX_FAIL, IDC_TEST_TX_FAIL_SET, "101", "", txFail},
        {IDC_TEST_TX_FAIL, IDC_TEST_TX_FAIL_SET, "0", "ZelSetTxFailThreshold(card, 0)", ""},
        {IDC_TEST_TX_FAIL, IDC_TEST_TX_FAIL_SET, "100", "ZelSetTxFailThreshold(card, 100)", ""},
        {IDC_TEST_FROM, IDC_TEST_RANGE_SET, "256", "",
         "Please enter an integer between 0 and 255."},
    };
    Shown<CTestPage> test(*windows, host);
    for (const Case& c : cases) {
        test.ui().setText(c.edit, c.value);
        if (!c.refusal.empty()) windows->script().expectMessageBox(c.refusal, fw::id::Ok);
        host.recorder.takeCalls();
        test.user().click(c.button);
        const std::vector<std::string> calls = host.recorder.takeCalls();
        if (c.call.empty()) {
            EXPECT_THAT(calls, IsEmpty()) << c.value;
            EXPECT_EQ(test.ui().focus(), c.edit) << c.value;
            test.ui().setText(c.edit, "50");
        } else {
            EXPECT_THAT(calls, ElementsAre(c.call)) << c.value;
        }
    }
}

TEST_P(DiagnosticsSuite, TestPageAnEmptiedThresholdReadsZeroWhenLeft) {
    Diagnostics host;
    Shown<CTestPage> test(*windows, host);
    test.user().focus(IDC_TEST_SIGNAL);
    test.ui().setText(IDC_TEST_SIGNAL, "");
    windows->script().expectMessageBox("Signal Threshold range is from 10 to 200 !", fw::id::Ok);
    test.user().click(IDC_TEST_SIGNAL_SET);
    EXPECT_THAT(host.recorder.callsTo("ZelSetSignalThreshold"), IsEmpty());
    test.user().focus(IDC_TEST_TX_FAIL);
    test.ui().setText(IDC_TEST_TX_FAIL, "");
    test.user().focus(IDC_TEST_FROM);
    EXPECT_EQ(test.ui().text(IDC_TEST_TX_FAIL), "0");
}

TEST_P(DiagnosticsSuite, TestPageWithoutACardNothingIsSent) {
    Diagnostics host;
    host.open = false;
    Shown<CTestPage> test(*windows, host);
    for (int button : {IDC_TEST_RANGE_GET, IDC_TEST_RANGE_SET, IDC_TEST_SIGNAL_SET,
                       IDC_TEST_TX_FAIL_SET, IDC_TEST_RADAR}) {
        test.user().click(button);
    }
    EXPECT_THAT(host.recorder.calls(), IsEmpty());
}

}  // namespace
