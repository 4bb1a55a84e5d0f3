// The Test page, which the settings file switches on: the driver's channel range, signal
// threshold and transmit failure threshold, each read by its Get and written by its Set
// button, and the report that radar was detected. Nothing reaches the card without an
// open adapter, and no value outside its field's range is sent.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "pages/DiagnosticsHost.h"
#include "pages/ZelPage.h"
#include "res/resource.h"

class CTestPage : public CZelPage {
public:
    explicit CTestPage(DiagnosticsHost& host);

    bool onInit() override;
    void onSetActive() override;

protected:
    bool onPageMessage(const fw::Message& m) override;

private:
    void onRangeGet(const fw::Message&);
    void onRangeSet(const fw::Message&);
    void onSignalGet(const fw::Message&);
    void onSignalSet(const fw::Message&);
    void onTxFailGet(const fw::Message&);
    void onTxFailSet(const fw::Message&);
    void onRadar(const fw::Message&);
    void onSignalKillFocus(const fw::Message&);
    void onTxFailKillFocus(const fw::Message&);

    void getRange();
    void getSignal();
    void getTxFail();
    // The fields to the controls, and back: reading refuses a text that is no number or
    // out of its field's range with a message, the focus on that control, and false.
    void showFields();
    bool readFields();
    // A threshold outside [low, high] is refused with `message`, its edit emptied.
    bool inRange(int id, uint32_t value, uint32_t low, uint32_t high, const char* message);
    // An emptied threshold edit reads 0 when the user leaves it.
    void zeroWhenEmpty(int id, uint32_t& field);

    static const fw::MessageEntry<CTestPage> kMap[];

    DiagnosticsHost& host_;
    uint8_t from_ = 0;
    uint8_t to_ = 0;
    uint32_t signalThreshold_ = 0;
    uint32_t txFailThreshold_ = 0;
};

// The value of a decimal field's text, when it is one and not above `maximum`.
std::optional<uint32_t> decimalValue(const std::string& text, uint32_t maximum);
