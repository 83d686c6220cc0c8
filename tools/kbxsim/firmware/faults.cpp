#include "kbxsim/faults.h"

#include <algorithm>
#include <array>
#include <charconv>

#include "kbxsim/hex_text.h"

namespace kbxsim {
namespace {

constexpr std::size_t kChecksumDigits = 2;
constexpr char kNotHexDigit = 'G';
constexpr char kExtraDigit = '0';
constexpr char kNumberSeparator = ':';

struct DamageName {
    std::string_view name;
    ReplyDamage damage;
};

constexpr std::array kDamageNames{
    DamageName{"data", ReplyDamage::wrongDataDigit},
    DamageName{"checksum-high", ReplyDamage::wrongChecksumHigh},
    DamageName{"checksum-low", ReplyDamage::wrongChecksumLow},
    DamageName{"nul", ReplyDamage::nul},
    DamageName{"non-hex", ReplyDamage::notHexDigit},
    DamageName{"short", ReplyDamage::tooFew},
    DamageName{"long", ReplyDamage::tooMany},
};

// Another digit in place of the one at `position`.
void changeDigit(std::string& text, std::size_t position) {
    const auto value = hexDigitValue(static_cast<std::uint8_t>(text[position])).value_or(0);
    text[position] = hexDigit(value + 1u);
}

std::size_t clampedPosition(const std::string& text, std::size_t position) {
    return std::min(position, text.size() - 1);
}

}  // namespace

bool ByteWindow::covers(std::uint64_t byteNumber) const {
    if (first == 0 || byteNumber < first) return false;
    return count == kForever || byteNumber - first < count;
}

std::string corruptReply(std::string text, const ReplyCorruption& corruption) {
    if (text.size() < kChecksumDigits) return text;
    const std::size_t dataDigits = text.size() - kChecksumDigits;
    const std::size_t amount = std::max<std::size_t>(corruption.at, 1);
    switch (corruption.damage) {
        case ReplyDamage::wrongDataDigit:
            // A reply without data has only its checksum to spoil.
            changeDigit(text, dataDigits == 0 ? 0 : std::min(corruption.at, dataDigits - 1));
            break;
        case ReplyDamage::wrongChecksumHigh:
            changeDigit(text, dataDigits);
            break;
        case ReplyDamage::wrongChecksumLow:
            changeDigit(text, dataDigits + 1);
            break;
        case ReplyDamage::nul:
            text[clampedPosition(text, corruption.at)] = '\0';
            break;
        case ReplyDamage::notHexDigit:
            text[clampedPosition(text, corruption.at)] = kNotHexDigit;
            break;
        case ReplyDamage::tooFew:
            text.resize(text.size() - std::min(amount, text.size()));
            break;
        case ReplyDamage::tooMany:
            text.append(amount, kExtraDigit);
            break;
    }
    return text;
}

std::optional<ReplyCorruption> parseReplyCorruption(std::string_view text) {
    const std::size_t separator = text.find(kNumberSeparator);
    const std::string_view name = text.substr(0, separator);
    const auto entry = std::find_if(kDamageNames.begin(), kDamageNames.end(),
                                    [&](const DamageName& candidate) { return candidate.name == name; });
    if (entry == kDamageNames.end()) return std::nullopt;
    ReplyCorruption corruption{entry->damage, 0};
    if (separator == std::string_view::npos) return corruption;

    const std::string_view number = text.substr(separator + 1);
    const char* end = number.data() + number.size();
    const auto [stop, error] = std::from_chars(number.data(), end, corruption.at);
    if (number.empty() || error != std::errc{} || stop != end) return std::nullopt;
    return corruption;
}

std::string replyDamageNames() {
    std::string names;
    for (const DamageName& entry : kDamageNames) {
        if (!names.empty()) names += ", ";
        names += entry.name;
    }
    return names;
}

}  // namespace kbxsim
