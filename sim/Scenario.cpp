#include "sim/Scenario.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

namespace sim {
namespace {

constexpr size_t kMaxSsid = 32;
constexpr size_t kMaxRates = 16;
constexpr size_t kMaxNetworks = 100;
constexpr size_t kMaxText = 199;  // the longest text the library hands out, without its end

// One problem on one line; the parser reports it and goes on with the next line.
class LineError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct Token {
    std::string text;
    bool quoted = false;
};

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Splits a line into words and quoted texts; '#' outside quotes starts a comment. Inside
// quotes \" \\ and \xHH stand for a quote, a backslash and any byte.
std::vector<Token> tokenize(std::string_view line) {
    std::vector<Token> tokens;
    size_t i = 0;
    while (i < line.size()) {
        const char c = line[i];
        if (c == ' ' || c == '\t' || c == '\r') {
            ++i;
        } else if (c == '#') {
            break;
        } else if (c == '"') {
            Token token{{}, true};
            ++i;
            for (;;) {
                if (i >= line.size()) throw LineError("a quoted text has no closing quote");
                char ch = line[i++];
                if (ch == '"') break;
                if (ch == '\\') {
                    if (i >= line.size()) throw LineError("a quoted text ends in a backslash");
                    const char escaped = line[i++];
                    if (escaped == 'x') {
                        const int high = i < line.size() ? hexDigit(line[i]) : -1;
                        const int low = i + 1 < line.size() ? hexDigit(line[i + 1]) : -1;
                        if (high < 0 || low < 0)
                            throw LineError("\\x needs two hexadecimal digits");
                        ch = static_cast<char>(high * 16 + low);
                        i += 2;
                    } else if (escaped == '"' || escaped == '\\') {
                        ch = escaped;
                    } else {
                        throw LineError("unknown escape \\" + std::string(1, escaped));
                    }
                }
                token.text += ch;
            }
            tokens.push_back(std::move(token));
        } else {
            Token token;
            while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r' &&
                   line[i] != '#' && line[i] != '"') {
                token.text += line[i++];
            }
            tokens.push_back(std::move(token));
        }
    }
    return tokens;
}

std::string lowered(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// Whole decimal or 0x-prefixed hexadecimal number with an optional minus sign.
std::optional<int64_t> parseNumber(std::string_view text) {
    bool negative = false;
    if (!text.empty() && text[0] == '-') {
        negative = true;
        text.remove_prefix(1);
    }
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    if (text.empty() || text.size() > 10) return std::nullopt;
    int64_t value = 0;
    for (char c : text) {
        const int digit = hexDigit(c);
        if (digit < 0 || digit >= base) return std::nullopt;
        value = value * base + digit;
    }
    return negative ? -value : value;
}

// The arguments of one key line.
class Args {
public:
    explicit Args(const std::vector<Token>& tokens) : tokens_(tokens) {}

    size_t count() const { return tokens_.size() - 1; }

    void expect(size_t least, size_t most) const {
        if (count() < least || count() > most) {
            if (least == most) {
                throw LineError(key() + " takes " + std::to_string(least) + " value" +
                                (least == 1 ? "" : "s"));
            }
            throw LineError(key() + " takes " + std::to_string(least) + " to " +
                            std::to_string(most) + " values");
        }
    }

    const std::string& key() const { return tokens_[0].text; }
    const Token& token(size_t i) const { return tokens_[i + 1]; }
    const std::string& text(size_t i) const { return tokens_[i + 1].text; }

    std::string limitedText(size_t i, size_t most) const {
        if (text(i).size() > most) {
            throw LineError(key() + " is longer than " + std::to_string(most) + " bytes");
        }
        return text(i);
    }

    int64_t number(size_t i, int64_t least, int64_t most) const {
        const std::optional<int64_t> value = parseNumber(text(i));
        if (!value) throw LineError(key() + ": \"" + text(i) + "\" is not a number");
        if (*value < least || *value > most) {
            throw LineError(key() + ": " + text(i) + " is outside " + std::to_string(least) +
                            " to " + std::to_string(most));
        }
        return *value;
    }

    // The position of the value in `words`, which are spelled in lower case.
    size_t choice(size_t i, std::initializer_list<const char*> words) const {
        return choice(i, words.begin(), words.size());
    }
    template <size_t N>
    size_t choice(size_t i, const char* const (&words)[N]) const {
        return choice(i, words, N);
    }

    bool onOff(size_t i) const { return choice(i, {"off", "on", "no", "yes"}) % 2 == 1; }

    MacAddress mac(size_t i) const {
        const std::string& t = text(i);
        MacAddress mac{};
        bool good = t.size() == 17;
        for (size_t b = 0; good && b < mac.size(); ++b) {
            const int high = hexDigit(t[b * 3]), low = hexDigit(t[b * 3 + 1]);
            good = high >= 0 && low >= 0 && (b == 5 || t[b * 3 + 2] == ':' || t[b * 3 + 2] == '-');
            mac[b] = static_cast<uint8_t>(high * 16 + low);
        }
        if (!good)
            throw LineError(key() + ": \"" + t + "\" is not an address like 00:1D:6A:01:02:03");
        if (mac[0] & 1) throw LineError(key() + ": " + t + " is a group address");
        return mac;
    }

    std::vector<uint8_t> hexBytes(size_t i) const {
        const std::string& t = text(i);
        std::vector<uint8_t> bytes;
        if (t.size() % 2 != 0) throw LineError(key() + ": odd number of hexadecimal digits");
        for (size_t b = 0; b < t.size(); b += 2) {
            const int high = hexDigit(t[b]), low = hexDigit(t[b + 1]);
            if (high < 0 || low < 0) throw LineError(key() + ": \"" + t + "\" is not hexadecimal");
            bytes.push_back(static_cast<uint8_t>(high * 16 + low));
        }
        return bytes;
    }

private:
    size_t choice(size_t i, const char* const* words, size_t count) const {
        const std::string word = lowered(text(i));
        std::string list;
        for (size_t position = 0; position < count; ++position) {
            if (word == words[position]) return position;
            list += (position ? ", " : "") + std::string(words[position]);
        }
        throw LineError(key() + ": \"" + text(i) + "\" is not one of " + list);
    }

    const std::vector<Token>& tokens_;
};

// The scenario's words for `Security`, in its order.
constexpr const char* kSecurityWords[] = {"open",     "wep",     "802.1x",  "wpa-psk",
                                          "wpa2-psk", "wpa-eap", "wpa2-eap"};

// A rate in Mbit/s ("5.5", "54"), with '*' after it for a basic rate, as a rate code.
uint8_t parseRate(const std::string& text) {
    std::string number = text;
    uint8_t basic = 0;
    if (!number.empty() && number.back() == '*') {
        basic = 0x80;
        number.pop_back();
    }
    uint32_t code = 0;
    if (number.size() > 2 && number.compare(number.size() - 2, 2, ".5") == 0) {
        const std::optional<int64_t> whole = parseNumber(number.substr(0, number.size() - 2));
        if (whole && *whole >= 0 && *whole < 64) code = static_cast<uint32_t>(*whole * 2 + 1);
    } else if (const std::optional<int64_t> whole = parseNumber(number);
               whole && *whole > 0 && *whole < 64) {
        code = static_cast<uint32_t>(*whole * 2);
    }
    if (!isRateCode(code)) throw LineError("rates: \"" + text + "\" is not a rate of the card");
    return static_cast<uint8_t>(code | basic);
}

// A rate that every reader of the scan list takes for 802.11g: 9 Mbit/s, or above 11 Mbit/s.
bool marksBandG(uint8_t rate) {
    const uint32_t code = rate & 0x7E;
    return code == 18 || code > 22;
}

std::vector<uint8_t> defaultRates(Band band) {
    switch (band) {
        case Band::B:
            return {0x82, 0x84, 0x8B, 0x96};
        case Band::G:
            return {0x82, 0x84, 0x8B, 0x96, 0x0C, 0x12, 0x18, 0x24, 0x30, 0x48, 0x60, 0x6C};
        case Band::A:
            return {0x8C, 0x12, 0x98, 0x24, 0xB0, 0x48, 0x60, 0x6C};
    }
    return {};
}

bool isPskSecurity(Security s) { return s == Security::WpaPsk || s == Security::Wpa2Psk; }
bool isEapSecurity(Security s) {
    return s == Security::Dot1x || s == Security::WpaEap || s == Security::Wpa2Eap;
}
bool isWpaSecurity(Security s) {
    return isPskSecurity(s) || s == Security::WpaEap || s == Security::Wpa2Eap;
}

bool validPassphrase(const std::string& p) {
    if (p.size() == 64)
        return std::all_of(p.begin(), p.end(), [](char c) { return hexDigit(c) >= 0; });
    return p.size() >= 8 && p.size() <= 63 &&
           std::all_of(p.begin(), p.end(), [](char c) { return c >= 32 && c <= 126; });
}

CardDescription defaultCard() {
    CardDescription card;
    card.mac = {0x00, 0x1D, 0x6A, 0x70, 0x01, 0x01};
    card.chipVersion = 3;
    card.firmwareVersion = 0x01020003;
    card.driverVersion = "2.1.0.12";
    card.driverDate = "3-7-2005";
    card.description = "VORNAX TX-LM70RDV Wireless LAN Card";
    card.instanceId = "{6E1C3F27-58A4-4D4B-9C52-1D6A70010001}";
    card.hardwareId = "PCI\\VEN_1D6A&DEV_7001&SUBSYS_70011D6A&REV_01";
    card.devnode = 0x0A;
    return card;
}

class Parser {
public:
    explicit Parser(std::vector<ScenarioError>& errors) : errors_(errors) {
        scenario_.card = defaultCard();
    }

    void line(int number, std::string_view text) {
        lineNumber_ = number;
        try {
            const std::vector<Token> tokens = tokenize(text);
            if (tokens.empty()) return;
            if (tokens[0].quoted) throw LineError("a line starts with a key, not a quoted text");
            const std::string key = lowered(tokens[0].text);
            const Args args(tokens);
            if (key == "card" || key == "network") {
                args.expect(0, 0);
                finishNetwork();
                section_ = key == "card" ? Section::Card : Section::Network;
                if (section_ == Section::Network) startNetwork();
            } else if (section_ == Section::Card) {
                cardKey(key, args);
            } else if (section_ == Section::Network) {
                networkKey(key, args);
            } else {
                throw LineError("\"" + tokens[0].text +
                                "\" stands before the first card or network line");
            }
        } catch (const LineError& e) {
            error(number, e.what());
        }
    }

    std::optional<Scenario> finish() {
        finishNetwork();
        if (!errors_.empty()) return std::nullopt;
        return std::move(scenario_);
    }

private:
    enum class Section { None, Card, Network };

    // What one network section said explicitly, for the checks at its end.
    struct Draft {
        Network network;
        bool ssid = false, bssid = false, channel = false, band = false, rates = false;
        bool cipher = false, transmitKey = false, autoLinkDetail = false;
        bool wep = false, psk = false, eap = false;
    };

    void error(int line, std::string message) { errors_.push_back({line, std::move(message)}); }

    void cardKey(const std::string& key, const Args& args) {
        CardDescription& card = scenario_.card;
        if (key == "present") {
            args.expect(1, 1);
            card.present = args.onOff(0);
        } else if (key == "mac") {
            args.expect(1, 1);
            card.mac = args.mac(0);
        } else if (key == "region") {
            args.expect(1, 1);
            card.region = static_cast<uint32_t>(args.number(0, 0, 0xFF));
            if (!isRegionCode(card.region))
                throw LineError("region: " + args.text(0) + " is not a region code of the card");
        } else if (key == "chip-version") {
            args.expect(1, 1);
            card.chipVersion = static_cast<uint32_t>(args.number(0, 0, 0xFFFF));
        } else if (key == "firmware-version") {
            args.expect(1, 1);
            card.firmwareVersion = dottedVersion(args.text(0));
        } else if (key == "driver-version") {
            args.expect(1, 1);
            card.driverVersion = args.limitedText(0, kMaxText);
        } else if (key == "driver-date") {
            args.expect(1, 1);
            card.driverDate = args.limitedText(0, kMaxText);
        } else if (key == "description") {
            args.expect(1, 1);
            card.description = args.limitedText(0, kMaxText);
        } else if (key == "radio") {
            args.expect(1, 1);
            card.radio = static_cast<RadioSwitch>(args.choice(0, {"on", "off", "none"}));
        } else if (key == "zero-config") {
            args.expect(1, 1);
            card.zeroConfig = args.onOff(0);
        } else if (key == "dhcp") {
            args.expect(1, 1);
            card.dhcp = args.onOff(0);
        } else if (key == "instance-id") {
            args.expect(1, 1);
            card.instanceId = args.limitedText(0, 99);
        } else if (key == "hardware-id") {
            args.expect(1, 1);
            card.hardwareId = args.limitedText(0, kMaxText);
        } else if (key == "devnode") {
            args.expect(1, 1);
            card.devnode = static_cast<uint32_t>(args.number(0, 1, 0xFFFFFF));
        } else if (key == "association-delay") {
            args.expect(1, 1);
            card.associationDelayMs = static_cast<uint32_t>(args.number(0, 0, 60000));
        } else if (key == "exchange-step") {
            args.expect(1, 1);
            card.exchangeStepMs = static_cast<uint32_t>(args.number(0, 0, 60000));
        } else if (key == "register") {
            args.expect(3, 3);
            const auto bank = static_cast<RegisterBank>(args.choice(0, {"rf", "bb", "mac"}));
            const int64_t indexLimit = bank == RegisterBank::Mac ? 0xFFFF : 0xFF;
            const int64_t valueLimit = bank == RegisterBank::Mac ? 0xFFFFFFFFll : 0xFF;
            card.registers.push_back({bank, static_cast<uint32_t>(args.number(1, 0, indexLimit)),
                                      static_cast<uint32_t>(args.number(2, 0, valueLimit))});
        } else if (const std::optional<Setting> setting = findSetting(key)) {
            uint32_t value;
            if (*setting == Setting::ChannelRange) {
                args.expect(2, 2);
                value = static_cast<uint32_t>(args.number(0, 0, 255) << 8 | args.number(1, 0, 255));
            } else {
                args.expect(1, 1);
                value = static_cast<uint32_t>(args.number(0, 0, 0xFFFFFFFFll));
            }
            if (!acceptsSetting(*setting, value))
                throw LineError(key + ": the card does not take this value");
            card.settings[static_cast<int>(*setting)] = value;
        } else {
            throw LineError("unknown card key \"" + key + "\"");
        }
    }

    static uint32_t dottedVersion(const std::string& text) {
        uint32_t version = 0;
        size_t start = 0;
        for (int part = 0; part < 4; ++part) {
            const size_t end = part < 3 ? text.find('.', start) : text.size();
            // A missing dot reads as an empty part, which is no number.
            const std::optional<int64_t> value = parseNumber(
                end == std::string::npos ? std::string_view()
                                         : std::string_view(text).substr(start, end - start));
            if (!value || *value < 0 || *value > 255) {
                throw LineError("firmware-version: \"" + text +
                                "\" is not four numbers 0 to 255 like 1.2.0.3");
            }
            version = version << 8 | static_cast<uint32_t>(*value);
            start = end + 1;
        }
        return version;
    }

    void startNetwork() {
        draft_ = Draft{};
        draft_.network.line = lineNumber_;
        inNetwork_ = true;
    }

    void networkKey(const std::string& key, const Args& args) {
        Network& n = draft_.network;
        if (key == "ssid") {
            args.expect(1, 1);
            n.ssid = args.limitedText(0, kMaxSsid);
            if (n.ssid.empty())
                throw LineError("ssid is empty; use \"hidden\" for a network that hides it");
            draft_.ssid = true;
        } else if (key == "hidden") {
            args.expect(0, 0);
            n.hidden = true;
        } else if (key == "bssid") {
            args.expect(1, 1);
            n.bssid = args.mac(0);
            draft_.bssid = true;
        } else if (key == "channel") {
            args.expect(1, 1);
            n.channel = static_cast<uint32_t>(args.number(0, 1, 165));
            if (!isChannel(n.channel))
                throw LineError("channel: " + args.text(0) + " is not a channel of the card");
            draft_.channel = true;
        } else if (key == "band") {
            args.expect(1, 1);
            n.band = static_cast<Band>(args.choice(0, {"g", "b", "a"}));
            draft_.band = true;
        } else if (key == "rates") {
            args.expect(1, kMaxRates);
            n.rates.clear();
            for (size_t i = 0; i < args.count(); ++i) {
                const uint8_t rate = parseRate(args.text(i));
                for (uint8_t r : n.rates) {
                    if ((r & 0x7F) == (rate & 0x7F))
                        throw LineError("rates: " + args.text(i) + " is listed twice");
                }
                n.rates.push_back(rate);
            }
            draft_.rates = true;
        } else if (key == "rssi") {
            args.expect(1, 1);
            n.rssi = static_cast<int32_t>(args.number(0, -120, 0));
        } else if (key == "drift") {
            args.expect(1, 2);
            n.drift = static_cast<int32_t>(args.number(0, 0, 40));
            if (args.count() == 2)
                n.driftPeriodMs = static_cast<uint32_t>(args.number(1, 1000, 3600000));
        } else if (key == "mode") {
            args.expect(1, 1);
            n.adHoc = args.choice(0, {"infrastructure", "ad-hoc"}) == 1;
        } else if (key == "security") {
            args.expect(1, 1);
            n.security = static_cast<Security>(args.choice(0, kSecurityWords));
        } else if (key == "wep-auth") {
            args.expect(1, 1);
            n.wepAuth = static_cast<WepAuth>(args.choice(0, {"open", "shared", "either"}));
            draft_.wep = true;
        } else if (key == "wep-key") {
            wepKey(args);
        } else if (key == "cipher") {
            args.expect(1, 1);
            n.cipher = static_cast<Cipher>(args.choice(0, {"tkip", "aes"}));
            draft_.cipher = true;
        } else if (key == "passphrase") {
            args.expect(1, 1);
            n.passphrase = args.text(0);
            if (!validPassphrase(n.passphrase)) {
                throw LineError(
                    "passphrase: 8 to 63 printable characters or 64 hexadecimal digits");
            }
            draft_.psk = true;
        } else if (key == "eap") {
            args.expect(1, 4);
            for (size_t i = 0; i < args.count(); ++i) {
                n.eapMethods |= 1u << args.choice(i, {"leap", "peap", "ttls", "tls"});
            }
            draft_.eap = true;
        } else if (key == "user") {
            args.expect(2, 3);
            n.users.push_back({args.limitedText(0, 39), args.limitedText(1, 39),
                               args.count() == 3 ? args.limitedText(2, 39) : std::string()});
            draft_.eap = true;
        } else if (key == "certificate") {
            args.expect(1, 2);
            const std::vector<uint8_t> hash = args.hexBytes(0);
            if (hash.size() != 20)
                throw LineError("certificate: a SHA-1 hash is 40 hexadecimal digits");
            Certificate certificate;
            std::copy(hash.begin(), hash.end(), certificate.hash.begin());
            if (args.count() == 2) certificate.login = args.limitedText(1, 39);
            n.certificates.push_back(certificate);
            draft_.eap = true;
        } else if (key == "auto-link") {
            args.expect(2, 2);
            const size_t state = args.choice(0, {"unconfigured", "configured", "listed"});
            n.autoLink = static_cast<AutoLinkState>(1u << state);
            n.autoLinkTag = static_cast<uint8_t>(args.number(1, 0, 255));
        } else if (key == "auto-link-outcome") {
            args.expect(1, 1);
            n.autoLinkOutcome = static_cast<AutoLinkOutcome>(
                args.choice(0, {"success", "failure", "association-failure"}));
            draft_.autoLinkDetail = true;
        } else if (key == "auto-link-ssid") {
            args.expect(1, 1);
            n.autoLinkSsid = args.limitedText(0, kMaxSsid);
            if (n.autoLinkSsid.empty()) throw LineError("auto-link-ssid is empty");
            draft_.autoLinkDetail = true;
        } else {
            throw LineError("unknown network key \"" + key + "\"");
        }
    }

    void wepKey(const Args& args) {
        args.expect(2, 3);
        Network& n = draft_.network;
        const auto slot = static_cast<uint32_t>(args.number(0, 1, 4));
        std::vector<uint8_t> key;
        if (args.token(1).quoted) {
            key.assign(args.text(1).begin(), args.text(1).end());
        } else {
            key = args.hexBytes(1);
        }
        if (key.size() != 5 && key.size() != 13 && key.size() != 16 && key.size() != 29) {
            throw LineError(
                "wep-key: a key is 5, 13, 16 or 29 bytes (10, 26, 32 or 58 hexadecimal digits)");
        }
        if (args.count() == 3) {
            if (lowered(args.text(2)) != "transmit")
                throw LineError("wep-key: the third value can only be \"transmit\"");
            n.wepTransmitKey = slot;
            draft_.transmitKey = true;
        }
        n.wepKeys[slot - 1] = std::move(key);
        draft_.wep = true;
    }

    // The checks that need the whole network section.
    void finishNetwork() {
        if (!inNetwork_) return;
        inNetwork_ = false;
        Network& n = draft_.network;
        const int at = n.line;
        const size_t before = errors_.size();
        if (!draft_.ssid) error(at, "the network has no ssid");
        if (!draft_.bssid) error(at, "the network has no bssid");
        if (!draft_.channel) error(at, "the network has no channel");
        if (draft_.channel) {
            const bool fiveGigahertz = isFiveGigahertz(n.channel);
            if (!draft_.band) n.band = fiveGigahertz ? Band::A : Band::G;
            if (fiveGigahertz != (n.band == Band::A)) {
                error(at, "band a goes with the 5 GHz channels (36 and up) only");
            }
        }
        if (!draft_.rates) n.rates = defaultRates(n.band);
        checkRates(n);
        checkSecurity(n);
        for (const Network& other : scenario_.networks) {
            if (draft_.bssid && other.bssid == n.bssid) {
                error(at, "the bssid is already the bssid of the network on line " +
                              std::to_string(other.line));
            }
        }
        if (scenario_.networks.size() >= kMaxNetworks) {
            error(at, "more than " + std::to_string(kMaxNetworks) + " networks");
        }
        if (errors_.size() == before) scenario_.networks.push_back(std::move(n));
    }

    void checkRates(const Network& n) {
        const int at = n.line;
        const auto any = [&n](auto predicate) {
            return std::any_of(n.rates.begin(), n.rates.end(), predicate);
        };
        switch (n.band) {
            case Band::B:
                if (any([](uint8_t r) { return isOfdmRate(r & 0x7F); })) {
                    error(at, "an 802.11b network has only the rates 1, 2, 5.5 and 11");
                }
                break;
            case Band::G:
                if (!any(marksBandG))
                    error(at, "an 802.11g network needs the rate 9 or one above 11");
                break;
            case Band::A:
                if (any([](uint8_t r) { return !isOfdmRate(r & 0x7F); })) {
                    error(at, "an 802.11a network has only the rates 6 to 54 (not 11)");
                }
                break;
        }
    }

    void checkSecurity(Network& n) {
        const int at = n.line;
        const Security s = n.security;
        if (draft_.wep && s != Security::Wep)
            error(at, "wep-auth and wep-key go with security wep only");
        if (draft_.psk && !isPskSecurity(s))
            error(at, "passphrase goes with security wpa-psk or wpa2-psk only");
        if (draft_.eap && !isEapSecurity(s)) {
            error(at,
                  "eap, user and certificate go with security 802.1x, wpa-eap or wpa2-eap only");
        }
        if (draft_.cipher && !isWpaSecurity(s))
            error(at, "cipher goes with the WPA and WPA2 securities only");
        if (!draft_.cipher)
            n.cipher =
                s == Security::Wpa2Psk || s == Security::Wpa2Eap ? Cipher::Aes : Cipher::Tkip;
        if (s == Security::Wep) {
            if (!draft_.transmitKey) {
                for (uint32_t slot = 4; slot >= 1; --slot) {
                    if (!n.wepKeys[slot - 1].empty()) n.wepTransmitKey = slot;
                }
            }
            if (n.wepTransmitKey == 0) error(at, "security wep needs a wep-key");
        }
        if (isPskSecurity(s) && n.passphrase.empty())
            error(at, "security " + securityWord(s) + " needs a passphrase");
        if (isEapSecurity(s)) {
            if (n.eapMethods == 0) error(at, "security " + securityWord(s) + " needs an eap line");
            if ((n.eapMethods & ~uint32_t{EapTls}) && n.users.empty())
                error(at, "the eap methods need a user line");
            if ((n.eapMethods & EapTls) && n.certificates.empty())
                error(at, "eap tls needs a certificate line");
        }
        if (n.adHoc && s != Security::Open && s != Security::Wep)
            error(at, "an ad-hoc network is open or uses wep");
        checkAutoLink(n);
    }

    void checkAutoLink(Network& n) {
        const int at = n.line;
        if (n.autoLink == AutoLinkState::None) {
            if (draft_.autoLinkDetail)
                error(at, "auto-link-outcome and auto-link-ssid need an auto-link line");
            return;
        }
        if (n.adHoc) error(at, "auto-link is for access points, not ad-hoc networks");
        if (n.autoLink == AutoLinkState::Unconfigured && n.security != Security::Open) {
            error(at, "an unconfigured auto-link access point is open");
        }
        if (n.autoLink == AutoLinkState::Configured &&
            (n.security != Security::WpaPsk || n.cipher != Cipher::Tkip)) {
            error(at, "a configured auto-link access point uses wpa-psk with tkip");
        }
        if (n.autoLinkSsid.empty()) n.autoLinkSsid = n.ssid;
    }

    static std::string securityWord(Security s) { return kSecurityWords[static_cast<int>(s)]; }

    std::vector<ScenarioError>& errors_;
    Scenario scenario_;
    Section section_ = Section::None;
    Draft draft_;
    bool inNetwork_ = false;
    int lineNumber_ = 0;
};

}  // namespace

std::optional<Scenario> parseScenario(std::string_view text, std::vector<ScenarioError>& errors) {
    errors.clear();
    Parser parser(errors);
    int number = 0;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        parser.line(++number, text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
    return parser.finish();
}

}  // namespace sim
