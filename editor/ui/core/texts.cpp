#include "editor/ui/core/texts.h"

#include <QFile>

#include "platform/code_pages.h"

namespace keyui {

QString fromAnsi(std::string_view text) { return QString::fromStdString(kbx::platform::ansiToUtf8(text)); }

std::string toAnsi(const QString& text) {
    std::string result;
    result.reserve(static_cast<std::size_t>(text.size()));
    for (char32_t code : text.toUcs4()) {
        unsigned char ansi = '?';
        if (code < 0x80 || (code >= 0xA0 && code < 0x100)) {
            ansi = static_cast<unsigned char>(code);
        } else {
            for (int byte = 0x80; byte < 0xA0; ++byte) {
                const char single = static_cast<char>(byte);
                if (fromAnsi(std::string_view(&single, 1)).toUcs4().value(0) == code) {
                    ansi = static_cast<unsigned char>(byte);
                    break;
                }
            }
        }
        result.push_back(static_cast<char>(ansi));
    }
    return result;
}

std::string toFileName(const QString& path) { return QFile::encodeName(path).toStdString(); }

QString fromFileName(const std::string& path) { return QFile::decodeName(QByteArray::fromStdString(path)); }

}  // namespace keyui
