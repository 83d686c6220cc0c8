#include "editor/ui/core/texts.h"

#include <QFile>

#include <algorithm>
#include <array>

#include "platform/code_pages.h"

namespace keyui {

QString fromAnsi(std::string_view text) { return QString::fromStdString(kbx::platform::ansiToUtf8(text)); }

namespace {

constexpr int kFirstWindowsOnlyByte = 0x80;  // 0x80-0x9F differ from Latin-1
constexpr int kWindowsOnlyBytes = 0x20;

// The characters of bytes 0x80-0x9F, read once from the code-page conversion.
const std::array<char32_t, kWindowsOnlyBytes>& windowsOnlyCharacters() {
    static const std::array<char32_t, kWindowsOnlyBytes> characters = [] {
        std::array<char32_t, kWindowsOnlyBytes> table{};
        for (int i = 0; i < kWindowsOnlyBytes; ++i) {
            const char single = static_cast<char>(kFirstWindowsOnlyByte + i);
            table[static_cast<std::size_t>(i)] = fromAnsi(std::string_view(&single, 1)).toUcs4().value(0);
        }
        return table;
    }();
    return characters;
}

}  // namespace

std::string toAnsi(const QString& text) {
    const auto& windowsOnly = windowsOnlyCharacters();
    std::string result;
    result.reserve(static_cast<std::size_t>(text.size()));
    for (char32_t code : text.toUcs4()) {
        unsigned char ansi = '?';
        if (code < 0x80 || (code >= 0xA0 && code < 0x100)) {
            ansi = static_cast<unsigned char>(code);
        } else if (const auto found = std::find(windowsOnly.begin(), windowsOnly.end(), code);
                   found != windowsOnly.end()) {
            ansi = static_cast<unsigned char>(kFirstWindowsOnlyByte + (found - windowsOnly.begin()));
        }
        result.push_back(static_cast<char>(ansi));
    }
    return result;
}

std::string toFileName(const QString& path) { return QFile::encodeName(path).toStdString(); }

QString fromFileName(const std::string& path) { return QFile::decodeName(QByteArray::fromStdString(path)); }

}  // namespace keyui
