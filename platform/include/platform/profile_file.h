#pragma once

// Settings files of sections and keys ("[section]", "key=value" lines), read
// and written like private profile strings: section and key names are
// compared without regard to letter case, blanks around names and values are
// not part of them, a value reads back as it was written (no quotes or
// escapes are interpreted), and lines the file holds besides are kept. A
// missing or unreadable file reads as an empty one; the file is written
// through a temporary file and a rename, so an older file survives any
// failure.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kbx {

// Larger files are read only this far and are never written back.
inline constexpr std::size_t kMaxProfileFileSize = 1 << 20;

class ProfileFile {
public:
    static ProfileFile load(const std::string& path);
    static ProfileFile parse(std::string_view text);

    // The first value of the key in the first section of that name.
    std::optional<std::string> find(std::string_view section, std::string_view key) const;
    std::string readString(std::string_view section, std::string_view key, std::string_view fallback) const;

    // Replaces the key's value, or adds the key (and the section) when
    // missing. False, and nothing changed, for an empty or blank name, a
    // section name with "]", a key name with "=", or any line break or NUL.
    bool writeString(std::string_view section, std::string_view key, std::string_view value);

    // False when the file was not read whole (too large, or there but not
    // readable) or cannot be written.
    bool save(const std::string& path) const;
    std::string text() const;
    bool incomplete() const { return incomplete_; }

private:
    std::vector<std::string> lines_;
    bool incomplete_ = false;
};

// One read or one write of a file, as the private profile calls do.
std::string readProfileString(const std::string& path, std::string_view section, std::string_view key,
                              std::string_view fallback);
bool writeProfileString(const std::string& path, std::string_view section, std::string_view key,
                        std::string_view value);

}  // namespace kbx
