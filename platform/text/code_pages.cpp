#include "platform/code_pages.h"

#include <array>

#include "platform/text/code_page_tables.h"
#include "platform/text/utf8.h"

namespace kbx::platform {

namespace {

std::string convert(std::string_view text, const std::array<unsigned char, 256>& table) {
    std::string result(text.size(), '\0');
    for (std::size_t i = 0; i < text.size(); ++i) {
        result[i] = static_cast<char>(table[static_cast<unsigned char>(text[i])]);
    }
    return result;
}

}  // namespace

unsigned char ansiToOem(unsigned char c) { return ansiToOemTable()[c]; }
unsigned char oemToAnsi(unsigned char c) { return oemToAnsiTable()[c]; }
std::string ansiToOem(std::string_view text) { return convert(text, ansiToOemTable()); }
std::string oemToAnsi(std::string_view text) { return convert(text, oemToAnsiTable()); }

std::string ansiToUtf8(std::string_view text) {
    std::string result;
    result.reserve(text.size() * 2);
    for (const char c : text) appendUtf8(result, ansiToUnicode(static_cast<unsigned char>(c)));
    return result;
}

}  // namespace kbx::platform
