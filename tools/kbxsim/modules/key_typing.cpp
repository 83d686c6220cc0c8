#include "kbxsim/key_typing.h"

#include <array>
#include <string>

#include "compiler/conversion/character_typing.h"
#include "compiler/conversion/keystroke_writer.h"
#include "compiler/conversion/scan_codes.h"
#include "platform/channel_protocol.h"
#include "platform/code_pages.h"

namespace kbxsim {
namespace {

namespace channel = kbx::platform::channel;

struct ReplyKey {
    char character;
    std::uint8_t makeCode;
};

// The keys of the reply text; "G" is what a fault puts in for a character
// that is no hex digit, NUL what it puts in for a NUL.
constexpr std::array kReplyKeys{
    ReplyKey{'1', 0x02}, ReplyKey{'2', 0x03}, ReplyKey{'3', 0x04}, ReplyKey{'4', 0x05}, ReplyKey{'5', 0x06},
    ReplyKey{'6', 0x07}, ReplyKey{'7', 0x08}, ReplyKey{'8', 0x09}, ReplyKey{'9', 0x0A}, ReplyKey{'0', 0x0B},
    ReplyKey{'A', 0x1E}, ReplyKey{'B', 0x30}, ReplyKey{'C', 0x2E}, ReplyKey{'D', 0x20}, ReplyKey{'E', 0x12},
    ReplyKey{'F', 0x21}, ReplyKey{'G', 0x22}, ReplyKey{'\0', 0x00},
};

constexpr std::uint8_t kAltMakeCode = 0x38;
constexpr char kNoPlace = '?';
constexpr unsigned char kFirstMultiByteLead = 0xC2;
constexpr unsigned char kLastTwoByteLead = 0xC3;  // U+0080-U+00FF
constexpr unsigned char kContinuationMask = 0xC0;
constexpr unsigned char kContinuation = 0x80;
constexpr unsigned char kLeadBits = 0x1F;
constexpr unsigned char kContinuationBits = 0x3F;
constexpr unsigned char kFirstLead = 0xC0;
constexpr int kContinuationShift = 6;

// How many bytes a UTF-8 sequence with this lead byte has; 0 when it is none.
std::size_t sequenceLength(unsigned char lead) {
    constexpr unsigned char kThreeByteLead = 0xE0;
    constexpr unsigned char kFourByteLead = 0xF0;
    constexpr unsigned char kBeyondLeads = 0xF5;
    if (lead < kFirstMultiByteLead) return 0;
    if (lead < kThreeByteLead) return 2;
    if (lead < kFourByteLead) return 3;
    if (lead < kBeyondLeads) return 4;
    return 0;
}

}  // namespace

std::optional<KeyboardLanguage> languageOf(int number) {
    if (number < 0 || number >= kLanguageCount) return std::nullopt;
    return static_cast<KeyboardLanguage>(number);
}

KeyEvents keystroke(std::uint8_t makeCode) {
    return {channel::keyData(makeCode, false), channel::keyData(makeCode, true)};
}

KeyEvents typeReplyText(std::string_view text) {
    KeyEvents events;
    for (const char character : text) {
        for (const ReplyKey& key : kReplyKeys) {
            if (key.character != character) continue;
            const KeyEvents stroke = keystroke(key.makeCode);
            events.insert(events.end(), stroke.begin(), stroke.end());
            break;
        }
    }
    return events;
}

KeyEvents keyEventsOf(const std::vector<std::uint8_t>& scanBytes) {
    KeyEvents events;
    bool extended = false;
    bool altDown = false;
    bool altGrDown = false;
    for (const std::uint8_t byte : scanBytes) {
        if (byte == kbxc::kPrefixE0) {
            extended = true;
            continue;
        }
        if (byte == kbxc::kPrefixE1 || byte == kbxc::kPrefixE2) continue;
        const bool up = kbxc::isBreakCode(byte);
        const auto make = static_cast<std::uint8_t>(byte & ~kbxc::kBreakBit);
        const bool isAlt = make == kAltMakeCode;
        if (isAlt && !up) (extended ? altGrDown : altDown) = true;
        const bool alt = altDown || altGrDown;
        events.push_back(channel::keyData(make, up, extended, alt));
        if (isAlt && up) (extended ? altGrDown : altDown) = false;
        extended = false;
    }
    return events;
}

KeyEvents typeText(std::string_view oemText, KeyboardLanguage language) {
    const kbxc::TypingOptions options{static_cast<int>(language), false};
    std::vector<std::uint8_t> bytes;
    for (const char character : oemText) {
        // Every character from all keys up and back to all keys up, so that
        // no writer has to hold more than one character's bytes.
        kbxc::KeystrokeWriter writer(false, 0);
        kbxc::typeCharacter(writer, static_cast<std::uint8_t>(character), kbxc::Typing::normal, options);
        writer.endCharacterCapsLock();
        writer.restore(kbxc::ModifierState{});
        const auto& typed = writer.output().bytes();
        bytes.insert(bytes.end(), typed.begin(), typed.end());
    }
    return keyEventsOf(bytes);
}

std::string oemFromUtf8(std::string_view text) {
    std::string oem;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = sequenceLength(lead);
        bool valid = length != 0 && i + length <= text.size();
        for (std::size_t k = 1; valid && k < length; ++k) {
            valid = (static_cast<unsigned char>(text[i + k]) & kContinuationMask) == kContinuation;
        }
        if (lead < kContinuation || !valid) {
            oem.push_back(text[i]);
            ++i;
            continue;
        }
        if (lead <= kLastTwoByteLead && lead >= kFirstLead) {
            const auto latin = static_cast<unsigned char>(((lead & kLeadBits) << kContinuationShift) |
                                                         (static_cast<unsigned char>(text[i + 1]) & kContinuationBits));
            oem.push_back(static_cast<char>(kbx::platform::ansiToOem(latin)));
        } else {
            oem.push_back(kNoPlace);
        }
        i += length;
    }
    return oem;
}

}  // namespace kbxsim
