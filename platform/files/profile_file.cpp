#include "platform/profile_file.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <span>

#include "platform/atomic_file.h"

namespace kbx {
namespace {

constexpr std::string_view kBlanks = " \t";
constexpr std::string_view kForbiddenEverywhere{"\r\n\0", 3};
constexpr char kCommentStart = ';';

std::string_view trim(std::string_view text) {
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    const std::size_t last = text.find_last_not_of(kBlanks);
    return text.substr(first, last - first + 1);
}

char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool sameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return lower(x) == lower(y);
           });
}

// The name of a "[section]" line, or nothing for any other line. A header
// without its closing bracket names the rest of the line.
std::optional<std::string_view> sectionHeader(std::string_view line) {
    const std::string_view trimmed = trim(line);
    if (trimmed.empty() || trimmed.front() != '[') return std::nullopt;
    const std::string_view inside = trimmed.substr(1);
    return trim(inside.substr(0, inside.find(']')));
}

struct KeyLine {
    std::string_view key;
    std::string_view value;
};

std::optional<KeyLine> keyLine(std::string_view line) {
    const std::string_view trimmed = trim(line);
    if (trimmed.empty() || trimmed.front() == kCommentStart) return std::nullopt;
    const std::size_t equals = trimmed.find('=');
    if (equals == std::string_view::npos) return std::nullopt;
    return KeyLine{trim(trimmed.substr(0, equals)), trim(trimmed.substr(equals + 1))};
}

bool hasForbidden(std::string_view text) { return text.find_first_of(kForbiddenEverywhere) != std::string_view::npos; }

std::string makeKeyLine(std::string_view key, std::string_view value) {
    std::string line(key);
    line += '=';
    line += value;
    return line;
}

}  // namespace

ProfileFile ProfileFile::load(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        // A file that is there but cannot be read must not be replaced by
        // what little a write would add to an empty one.
        ProfileFile missing;
        std::error_code error;
        missing.incomplete_ = std::filesystem::exists(path, error) || error;
        return missing;
    }
    std::string text(kMaxProfileFileSize + 1, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<std::size_t>(in.gcount()));
    const bool cut = text.size() > kMaxProfileFileSize;
    if (cut) text.resize(kMaxProfileFileSize);
    ProfileFile file = parse(text);
    file.incomplete_ = cut;
    return file;
}

ProfileFile ProfileFile::parse(std::string_view text) {
    ProfileFile file;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        file.lines_.emplace_back(line);
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    return file;
}

std::optional<std::string> ProfileFile::find(std::string_view section, std::string_view key) const {
    const std::string_view wantedSection = trim(section);
    const std::string_view wantedKey = trim(key);
    bool inSection = false;
    for (const std::string& line : lines_) {
        if (const auto header = sectionHeader(line)) {
            if (inSection) break;  // only the first section of that name counts
            inSection = sameName(*header, wantedSection);
            continue;
        }
        if (!inSection) continue;
        const auto entry = keyLine(line);
        if (entry && sameName(entry->key, wantedKey)) return std::string(entry->value);
    }
    return std::nullopt;
}

std::string ProfileFile::readString(std::string_view section, std::string_view key, std::string_view fallback) const {
    return find(section, key).value_or(std::string(fallback));
}

bool ProfileFile::writeString(std::string_view section, std::string_view key, std::string_view value) {
    const std::string_view sectionName = trim(section);
    const std::string_view keyName = trim(key);
    if (sectionName.empty() || keyName.empty() || hasForbidden(section) || hasForbidden(key) || hasForbidden(value) ||
        sectionName.find(']') != std::string_view::npos || keyName.find('=') != std::string_view::npos ||
        keyName.front() == '[' || keyName.front() == kCommentStart) {
        return false;
    }
    const std::string line = makeKeyLine(keyName, trim(value));
    std::optional<std::size_t> sectionEnd;  // one past the section's last non-blank line
    bool inSection = false;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (const auto header = sectionHeader(lines_[i])) {
            if (sectionEnd) break;  // only the first section of that name counts
            inSection = sameName(*header, sectionName);
            if (inSection) sectionEnd = i + 1;
            continue;
        }
        if (!inSection) continue;
        const auto entry = keyLine(lines_[i]);
        if (entry && sameName(entry->key, keyName)) {
            lines_[i] = line;
            return true;
        }
        if (!trim(lines_[i]).empty()) sectionEnd = i + 1;
    }
    if (sectionEnd) {
        lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(*sectionEnd), line);
        return true;
    }
    lines_.push_back("[" + std::string(sectionName) + "]");
    lines_.push_back(line);
    return true;
}

std::string ProfileFile::text() const {
    std::string text;
    for (const std::string& line : lines_) {
        text += line;
        text += '\n';
    }
    return text;
}

bool ProfileFile::save(const std::string& path) const {
    if (incomplete_) return false;
    const std::string contents = text();
    const auto* bytes = reinterpret_cast<const unsigned char*>(contents.data());
    return writeFileAtomically(path, std::span<const unsigned char>(bytes, contents.size()));
}

std::string readProfileString(const std::string& path, std::string_view section, std::string_view key,
                              std::string_view fallback) {
    return ProfileFile::load(path).readString(section, key, fallback);
}

bool writeProfileString(const std::string& path, std::string_view section, std::string_view key,
                        std::string_view value) {
    ProfileFile file = ProfileFile::load(path);
    return file.writeString(section, key, value) && file.save(path);
}

}  // namespace kbx
