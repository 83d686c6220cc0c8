#include "editor/ui/dialogs/caption/caption_number.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

namespace keyui::dialogs {

namespace {

constexpr int kDecimals = 2;  // "%.2lf"

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v'; }

}  // namespace

double captionNumber(const QString& text) {
    // Characters outside ASCII cannot be part of a number; they end it.
    const std::string latin = text.toLatin1().toStdString();
    const char* first = latin.data();
    const char* last = latin.data() + latin.size();
    while (first != last && isBlank(*first)) ++first;
    if (first != last && *first == '+') {  // from_chars takes only a minus sign
        ++first;
        if (first != last && *first == '-') return 0;
    }
    double value = 0;
    const std::from_chars_result result = std::from_chars(first, last, value);
    if (result.ec != std::errc() || !std::isfinite(value)) return 0;
    return std::clamp(value, -kLargestCaptionLength, kLargestCaptionLength);
}

QString captionNumberText(double value) {
    // Not printf: the program runs with the user's locale, which may write a
    // comma that the edit would then read as the end of the number.
    return QString::number(value, 'f', kDecimals);
}

}  // namespace keyui::dialogs
