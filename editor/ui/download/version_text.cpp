// The result text of the keyboard version query, built from the header.
#include <array>
#include <cstdio>

#include "editor/ui/download/version_query.h"

namespace keyui::download {
namespace {

// The keyboard language by the upper four bits of h4. Only nine indexes
// have an entry; the others (9-15) show the empty name like index 8.
constexpr std::array<const char*, 9> kLanguageNames{"US", "GR", "FR", "UK", "SG", "SF", "IT", "SP", ""};
constexpr const char* kUnnamedLanguage = "";
constexpr unsigned kLanguageShift = 4;
constexpr unsigned char kShiftLockBit = 0x08;

constexpr char kShiftLock[] = " SHIFT LOCK";
constexpr char kCapsLock[] = " CAPS LOCK";

// Identification, checksum, length, language name, lock behaviour.
constexpr char kEnglishForm[] = "Firmware ID: %04X  Checksum: %04X\nLenght: %04X  Language: %s%s";
constexpr char kGermanForm[] =
    "Firmware ID: %04X  Prüfsumme: %04X\nLänge der Tastaturbelegung: %04X Bytes\n Tastatursprache: %s%s";

// The size of the query's text buffer.
constexpr std::size_t kTextCapacity = 256;

unsigned word(unsigned char high, unsigned char low) { return static_cast<unsigned>(high) << 8 | low; }

}  // namespace

const char* languageName(unsigned char languageByte) {
    const unsigned index = static_cast<unsigned>(languageByte) >> kLanguageShift;
    return index < kLanguageNames.size() ? kLanguageNames[index] : kUnnamedLanguage;
}

QString versionText(const std::array<unsigned char, 8>& header, bool englishTexts) {
    const unsigned identification = word(header[0], header[1]);
    const unsigned checksum = word(header[2], header[3]);
    const unsigned length = word(header[6], header[7]);
    const char* lock = (header[4] & kShiftLockBit) != 0 ? kShiftLock : kCapsLock;
    std::array<char, kTextCapacity> text{};
    if (englishTexts) {
        std::snprintf(text.data(), text.size(), kEnglishForm, identification, checksum, length,
                      languageName(header[4]), lock);
    } else {
        std::snprintf(text.data(), text.size(), kGermanForm, identification, checksum, length,
                      languageName(header[4]), lock);
    }
    return QString::fromUtf8(text.data());
}

}  // namespace keyui::download
