#include "kbxsim/customer_display.h"

#include <algorithm>
#include <array>
#include <utility>

#include "platform/code_pages.h"

namespace kbxsim {
namespace {

constexpr std::uint8_t kClear = 0x01;
constexpr std::uint8_t kHomeFirstRow = 0xC0;
constexpr std::uint8_t kHomeSecondRow = 0xC1;
constexpr std::uint8_t kDisplayControl = 0xC8;
constexpr std::uint8_t kPosition = 0xC9;
constexpr std::uint8_t kFirstRowPosition = 0x80;
constexpr std::uint8_t kSecondRowPosition = 0x40;
constexpr std::uint8_t kColumnMask = 0x3F;
constexpr std::uint8_t kControlOnBit = 0x04;
constexpr std::uint8_t kControlCursorBit = 0x02;
constexpr std::uint8_t kControlBlinkBit = 0x01;
constexpr char kBlank = ' ';
constexpr char kCorner = '+';
constexpr char kEdge = '-';
constexpr char kSide = '|';
constexpr char kUnprintable = '.';
constexpr std::uint8_t kFirstPrintable = 0x20;
constexpr std::uint8_t kFirstHighByte = 0x80;
constexpr std::size_t kSecondRow = 1;

std::size_t within(std::size_t value, std::size_t most) { return std::clamp<std::size_t>(value, 1, most); }

}  // namespace

CustomerDisplay::CustomerDisplay(std::size_t rows, std::size_t columns) { resize(rows, columns); }

void CustomerDisplay::resize(std::size_t rows, std::size_t columns) {
    columns_ = within(columns, kMostDisplayColumns);
    screen_.assign(within(rows, kMostDisplayRows), std::string(columns_, kBlank));
    clear();
}

void CustomerDisplay::clear() {
    for (std::string& row : screen_) row.assign(columns_, kBlank);
    cursorRow_ = 0;
    cursorColumn_ = 0;
}

void CustomerDisplay::take(std::uint8_t byte) {
    const Pending pending = std::exchange(pending_, Pending::nothing);
    if (pending == Pending::position) return position(byte);
    if (pending == Pending::control) return setControl(byte);
    switch (byte) {
        case kClear: clear(); return;
        case kHomeFirstRow:
            cursorRow_ = 0;
            cursorColumn_ = 0;
            return;
        case kHomeSecondRow:
            cursorRow_ = std::min(kSecondRow, screen_.size() - 1);
            cursorColumn_ = 0;
            return;
        case kPosition: pending_ = Pending::position; return;
        case kDisplayControl: pending_ = Pending::control; return;
        default: write(byte); return;
    }
}

void CustomerDisplay::position(std::uint8_t code) {
    if ((code & kFirstRowPosition) != 0) {
        cursorRow_ = 0;
    } else if ((code & kSecondRowPosition) != 0) {
        cursorRow_ = std::min(kSecondRow, screen_.size() - 1);
    } else {
        return;
    }
    cursorColumn_ = code & kColumnMask;
}

void CustomerDisplay::setControl(std::uint8_t code) {
    control_.displayOn = (code & kControlOnBit) != 0;
    control_.cursorShown = (code & kControlCursorBit) != 0;
    control_.cursorBlinking = (code & kControlBlinkBit) != 0;
}

void CustomerDisplay::write(std::uint8_t character) {
    if (cursorColumn_ >= columns_) {
        ++dropped_;
        return;
    }
    screen_[cursorRow_][cursorColumn_] = static_cast<char>(character);
    ++cursorColumn_;
}

std::string CustomerDisplay::framed() const {
    const std::string edge = kCorner + std::string(columns_, kEdge) + kCorner + '\n';
    std::string text = edge;
    for (const std::string& row : screen_) {
        text.push_back(kSide);
        for (const char character : row) {
            const auto byte = static_cast<std::uint8_t>(character);
            if (byte < kFirstPrintable) {
                text.push_back(kUnprintable);
            } else if (byte >= kFirstHighByte) {
                const std::array<char, 1> oem{character};
                text += kbx::platform::ansiToUtf8(kbx::platform::oemToAnsi(std::string_view(oem.data(), oem.size())));
            } else {
                text.push_back(character);
            }
        }
        text.push_back(kSide);
        text.push_back('\n');
    }
    return text + edge;
}

}  // namespace kbxsim
