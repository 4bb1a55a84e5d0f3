// The Debug page, which the settings file switches on: single registers of the card's RF,
// baseband and MAC blocks read and written by index, the hardware version, and the RF
// calibration registers of the card's chip family with their valid ranges, refreshed
// every second while the page is shown if the user asks for it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "pages/DiagnosticsHost.h"
#include "pages/ZelPage.h"
#include "res/resource.h"

class CDebugWin : public CZelPage {
public:
    // The calibration table's refresh timer.
    static constexpr int kTimer = 0x6000;
    static constexpr unsigned kTimerMs = 1000;
    // How long a written register settles before it is read back.
    static constexpr unsigned kSettleMs = 200;

    explicit CDebugWin(DiagnosticsHost& host);

    bool onInit() override;
    void onSetActive() override;
    bool onKillActive() override;
    void onSheetHidden() override { onKillActive(); }

protected:
    bool onPageMessage(const fw::Message& m) override;

private:
    // One register block: its edits and buttons, and the library's operations on it.
    struct Block {
        int indexId;
        int valueId;
        int readId;
        int writeId;
        int indexChars;
        int valueChars;
        decltype(&ZelApi::ZelQueryRfRegister) query;
        decltype(&ZelApi::ZelSetRfRegister) set;
        // Baseband registers 0x80 and above lie on the second page, which register 0
        // selects.
        bool paged;
    };
    static const Block kBlocks[3];
    static const Block* blockOf(int controlId);

    void onRead(const fw::Message& m);
    void onWrite(const fw::Message& m);
    void onRegisterEdit(const fw::Message& m);
    void onRefresh(const fw::Message&) { readCalibration(); }
    void onRefreshEverySecond(const fw::Message&);
    void onRateEverySecond(const fw::Message&);
    void onTrace(const fw::Message&);
    void onTxPower(const fw::Message&);
    void onTick(const fw::Message&);

    void read(const Block& block);
    void write(const Block& block);
    void selectBasebandPage(uint32_t index);
    uint32_t rfRegister(uint32_t index);
    void showCalibrationLabels();
    void readCalibration();

    static const fw::MessageEntry<CDebugWin> kMap[];

    DiagnosticsHost& host_;
    // The RF chip of types 1 and 3, or of the other family.
    bool rfTypeOneOrThree_ = false;
    bool refreshEverySecond_ = false;
};

// The value of a register edit's hexadecimal text (upper or lower case, most significant
// digit first; empty is 0); none when a character is no hexadecimal digit or the value
// does not fit in 32 bits.
std::optional<uint32_t> hexValue(const std::string& text);

// The typing rule of the register edits. Scanning from the last character, the first one
// that is no hexadecimal digit is deleted, or at the first lower-case a to f the whole
// text is upper-cased. Returns the caret's place after the change, none when the text is
// upper-case hexadecimal already.
std::optional<int> filterHexText(std::string& text);
