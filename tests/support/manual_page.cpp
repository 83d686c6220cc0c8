#include "tests/support/manual_page.h"

namespace kbxtest {

namespace {
constexpr std::string_view kSectionStart = ".SH ";
constexpr std::string_view kEscapedMinus = "\\-";
}  // namespace

std::string manualSection(std::string_view page, std::string_view name) {
    const std::string heading = std::string(kSectionStart) + std::string(name) + "\n";
    const std::size_t start = page.find(heading);
    if (start == std::string_view::npos) return {};
    const std::size_t end = page.find("\n" + std::string(kSectionStart), start);
    const std::string_view section = page.substr(start, end == std::string_view::npos ? end : end + 1 - start);
    std::string text;
    for (std::size_t i = 0; i < section.size(); ++i) {
        if (section.substr(i, kEscapedMinus.size()) == kEscapedMinus) ++i;
        text += section[i];
    }
    return text;
}

std::string manualExitStatus(std::span<const cli::ExitCode> codes) {
    std::string section = std::string(kSectionStart) + "EXIT STATUS\n";
    for (const cli::ExitCode& entry : codes)
        section += ".TP\n.B " + std::to_string(entry.code) + "\n" + std::string(entry.meaning) + "\n";
    return section;
}

}  // namespace kbxtest
