#include "tests/support/DialogTemplates.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <stdexcept>
#include <string>

namespace fwtest {
namespace {

constexpr uint16_t kDialogType = 5;        // RT_DIALOG
constexpr uint32_t kGroup = 0x00020000;    // WS_GROUP
constexpr uint32_t kTabStop = 0x00010000;  // WS_TABSTOP
constexpr uint32_t kSetFont = 0x0040;      // DS_SETFONT (also in DS_SHELLFONT)
constexpr uint32_t kSetBuddyInt = 0x0002;  // UDS_SETBUDDYINT
constexpr uint32_t kAutoBuddy = 0x0010;    // UDS_AUTOBUDDY
constexpr int kNoId = 0xFFFF;              // IDC_STATIC in a DLGITEMTEMPLATE

// A string or an ordinal (sz_Or_Ord): 0xFFFF and a number, or a string ended by 0.
struct NameOrNumber {
    std::string name;
    int number = -1;
};

// Little-endian reads that never pass the end of the data.
class Reader {
public:
    Reader(const unsigned char* data, std::size_t size, std::size_t at = 0)
        : data_(data), size_(size), at_(at) {}

    std::size_t at() const { return at_; }
    void seek(std::size_t at) {
        if (at > size_) throw std::runtime_error("resource file cut short");
        at_ = at;
    }
    bool atEnd() const { return at_ >= size_; }
    uint16_t word() {
        need(2);
        const uint16_t value = static_cast<uint16_t>(data_[at_] | data_[at_ + 1] << 8);
        at_ += 2;
        return value;
    }
    uint32_t dword() {
        const uint32_t low = word();
        return low | static_cast<uint32_t>(word()) << 16;
    }
    void skip(std::size_t bytes) {
        need(bytes);
        at_ += bytes;
    }
    // Aligns on a DWORD from `base`.
    void align(std::size_t base) {
        const std::size_t offset = (at_ - base) % 4;
        if (offset) skip(std::min<std::size_t>(4 - offset, size_ - at_));
    }
    // A string of UTF-16 code units ended by 0, as the program's ANSI texts (Latin-1).
    std::string text() {
        std::string result;
        for (uint16_t unit = word(); unit != 0; unit = word()) {
            result += unit < 0x100 ? static_cast<char>(unit) : '?';
        }
        return result;
    }
    NameOrNumber nameOrNumber() {
        NameOrNumber result;
        const uint16_t first = word();
        if (first == 0xFFFF) {
            result.number = word();
        } else if (first != 0) {
            at_ -= 2;
            result.name = text();
        }
        return result;
    }

private:
    void need(std::size_t bytes) const {
        if (bytes > size_ - at_) throw std::runtime_error("resource file cut short");
    }
    const unsigned char* data_;
    std::size_t size_;
    std::size_t at_;
};

bool sameClass(const std::string& name, const std::string& wanted) {
    return std::equal(name.begin(), name.end(), wanted.begin(), wanted.end(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) ==
               std::tolower(static_cast<unsigned char>(b));
    });
}

// The kind of a control from its class (a predefined atom or a name) and its style.
fw::Kind kindOf(const NameOrNumber& windowClass, uint32_t style) {
    using fw::Kind;
    int atom = windowClass.number;
    if (atom < 0) {
        const char* names[] = {"Button", "Edit", "Static", "ListBox", "ScrollBar", "ComboBox"};
        for (int index = 0; index < 6; ++index) {
            if (sameClass(windowClass.name, names[index])) atom = 0x80 + index;
        }
    }
    switch (atom) {
        case 0x80:  // BUTTON
            switch (style & 0x0F) {
                case 0x0:  // BS_PUSHBUTTON
                case 0x1:  // BS_DEFPUSHBUTTON
                    return Kind::PushButton;
                case 0x3:
                    return Kind::AutoCheckBox;
                case 0x7:  // BS_GROUPBOX
                    return Kind::Static;
                case 0x9:
                    return Kind::AutoRadioButton;
                default:
                    return Kind::Unknown;
            }
        case 0x81:
            return Kind::Edit;
        case 0x82:
            return Kind::Static;
        case 0x83:
            return Kind::ListBox;
        case 0x85:  // COMBOBOX: CBS_DROPDOWNLIST, or one with an edit
            return (style & 0x3) == 0x3 ? Kind::DropDownList : Kind::DropDown;
        default:
            break;
    }
    if (sameClass(windowClass.name, "SysListView32")) return Kind::ListView;
    if (sameClass(windowClass.name, "msctls_progress32")) return Kind::Progress;
    if (sameClass(windowClass.name, "msctls_updown32")) return Kind::UpDown;
    return Kind::Unknown;
}

DialogTemplate readDialog(Reader in) {
    const std::size_t base = in.at();
    const bool extended = in.word() == 1 && in.word() == 0xFFFF;
    uint32_t style = 0;
    if (extended) {
        in.skip(8);  // help id, extended style
        style = in.dword();
    } else {
        in.seek(base);
        style = in.dword();
        in.skip(4);  // extended style
    }
    const int count = in.word();
    in.skip(8);         // x, y, cx, cy
    in.nameOrNumber();  // menu
    in.nameOrNumber();  // class
    DialogTemplate dialog;
    dialog.caption = in.text();
    if (style & kSetFont) {
        in.skip(extended ? 6 : 2);  // point size; weight, italic, character set
        in.text();
    }

    bool groupPending = false;
    int previousId = 0;
    for (int index = 0; index < count; ++index) {
        in.align(base);
        uint32_t controlStyle = 0;
        int id = 0;
        if (extended) {
            in.skip(8);  // help id, extended style
            controlStyle = in.dword();
            in.skip(8);  // x, y, cx, cy
            id = static_cast<int>(in.dword() & 0xFFFF);
        } else {
            controlStyle = in.dword();
            in.skip(12);  // extended style, x, y, cx, cy
            id = in.word();
        }
        const NameOrNumber windowClass = in.nameOrNumber();
        in.nameOrNumber();   // title
        in.skip(in.word());  // creation data

        const bool group = (controlStyle & kGroup) != 0 || groupPending;
        if (id == kNoId) {
            groupPending = group;
            previousId = 0;
            continue;
        }
        groupPending = false;
        fw::ControlSpec control{id, kindOf(windowClass, controlStyle), group};
        control.tabStop = (controlStyle & kTabStop) != 0;
        // UDS_AUTOBUDDY takes the control before it in the template as its buddy.
        const uint32_t buddyInt = kSetBuddyInt | kAutoBuddy;
        if (control.kind == fw::Kind::UpDown && (controlStyle & buddyInt) == buddyInt)
            control.buddy = previousId;
        dialog.controls.push_back(control);
        previousId = id;
    }
    return dialog;
}

}  // namespace

DialogTemplates readDialogTemplates(const unsigned char* data, std::size_t size) {
    DialogTemplates templates;
    Reader in(data, size);
    // A sequence of resources, each a header and its data, each on a DWORD boundary; a
    // file starts with an empty one, and files put together keep theirs.
    while (!in.atEnd()) {
        const std::size_t start = in.at();
        const uint32_t dataSize = in.dword();
        const uint32_t headerSize = in.dword();
        const NameOrNumber type = in.nameOrNumber();
        const NameOrNumber name = in.nameOrNumber();
        if (headerSize < in.at() - start || headerSize > size - start ||
            dataSize > size - start - headerSize) {
            throw std::runtime_error("resource header out of bounds");
        }
        const std::size_t dataAt = start + headerSize;
        if (type.number == kDialogType && name.number >= 0) {
            templates[name.number] = readDialog(Reader(data, dataAt + dataSize, dataAt));
        }
        in.seek(dataAt + dataSize);
        in.align(0);
    }
    return templates;
}

const DialogTemplates& builtTemplates() {
    static const DialogTemplates templates = [] {
        const auto [data, size] = builtResources();
        return readDialogTemplates(data, size);
    }();
    return templates;
}

void declareTemplates(fw::MemoryHost& host, const DialogTemplates& templates) {
    for (const auto& [id, dialog] : templates) host.declare(id, dialog.controls, dialog.caption);
}

}  // namespace fwtest
