#include "editor/document/settings_file.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "editor/document/layer_table.h"

namespace kbxdoc {

namespace {

constexpr std::string_view kWindowKey = "Window";
constexpr std::string_view kLayerKeyPrefix = "Layer";
constexpr char kQuote = '"';
constexpr char kNumberSeparator = ',';
// Characters a layer name cannot carry in the file, and what stands for them.
constexpr char kQuoteStandIn = '\'';
constexpr char kLineBreakStandIn = ' ';
// Size of a formatted value: ten 8-digit numbers with blanks, or a name of
// at most 79 characters with quotes and two numbers.
constexpr std::size_t kValueBufferSize = 128;

std::string layerKey(int index) { return std::string(kLayerKeyPrefix) + std::to_string(index); }

// The ten numbers of the Window value, in their order.
using PlacementNumbers = std::array<std::uint32_t, 10>;

PlacementNumbers placementNumbers(const WindowPlacement& p) {
    const auto u = [](std::int32_t v) { return static_cast<std::uint32_t>(v); };
    return {p.flags,         p.showCommand,  u(p.minimisedX), u(p.minimisedY),  u(p.maximisedX),
            u(p.maximisedY), u(p.normalLeft), u(p.normalTop), u(p.normalRight), u(p.normalBottom)};
}

WindowPlacement placementFrom(const PlacementNumbers& n) {
    const auto s = [](std::uint32_t v) { return static_cast<std::int32_t>(v); };
    return {n[0], n[1], s(n[2]), s(n[3]), s(n[4]), s(n[5]), s(n[6]), s(n[7]), s(n[8]), s(n[9])};
}

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// One hexadecimal number as a scan with %x reads it: blanks skipped, an
// optional sign and "0x", then the digits; a number too large for 32 bits
// becomes 0xFFFFFFFF. Nothing is taken when no digit follows.
std::optional<std::uint32_t> scanHex(std::string_view& text) {
    std::size_t at = 0;
    while (at < text.size() && isBlank(text[at])) ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) negative = text[at++] == '-';
    const bool prefixed = at + 2 < text.size() && text[at] == '0' && (text[at + 1] == 'x' || text[at + 1] == 'X') &&
                          hexDigit(text[at + 2]) >= 0;
    if (prefixed) at += 2;
    std::uint64_t value = 0;
    std::size_t digits = 0;
    for (; at < text.size() && hexDigit(text[at]) >= 0; ++at, ++digits) {
        value = std::min<std::uint64_t>(value * 16 + static_cast<std::uint64_t>(hexDigit(text[at])), 0xFFFFFFFFu + 1ull);
    }
    if (digits == 0) return std::nullopt;
    text.remove_prefix(at);
    const auto number = static_cast<std::uint32_t>(std::min<std::uint64_t>(value, 0xFFFFFFFFu));
    return negative ? static_cast<std::uint32_t>(0u - number) : number;
}

std::string cleanLayerName(std::string_view name) {
    std::string clean(name);
    for (char& c : clean) {
        if (c == kQuote) c = kQuoteStandIn;
        if (c == '\r' || c == '\n' || c == '\0') c = kLineBreakStandIn;
    }
    return clean;
}

}  // namespace

std::filesystem::path settingsFilePath(const std::filesystem::path& programFolder) {
    if (programFolder.empty()) return std::filesystem::path(kSettingsFileName);
    return programFolder / kSettingsFileName;
}

std::string formatWindowPlacement(const WindowPlacement& placement) {
    const PlacementNumbers n = placementNumbers(placement);
    std::array<char, kValueBufferSize> buffer{};
    std::snprintf(buffer.data(), buffer.size(), "%x %x %x %x %x %x %x %x %x %x", n[0], n[1], n[2], n[3], n[4], n[5],
                  n[6], n[7], n[8], n[9]);
    return buffer.data();
}

// All ten numbers must be there; a damaged value gives no placement.
std::optional<WindowPlacement> parseWindowPlacement(std::string_view value) {
    PlacementNumbers numbers{};
    for (std::uint32_t& number : numbers) {
        const auto read = scanHex(value);
        if (!read) return std::nullopt;
        number = *read;
    }
    return placementFrom(numbers);
}

std::string formatLayerDefinition(const LayerDefinition& definition) {
    std::array<char, kValueBufferSize> buffer{};
    std::snprintf(buffer.data(), buffer.size(), "\"%s\",%X,%X", cleanLayerName(definition.name.view()).c_str(),
                  definition.conditions, definition.defaultAttributes);
    return buffer.data();
}

// The name runs from the second character to the next quote (or to the end
// when none follows); the two numbers start two characters after that quote.
LayerDefinition parseLayerDefinition(std::string_view value) {
    LayerDefinition definition;
    if (value.empty()) return definition;
    const std::string_view rest = value.substr(1);
    const std::size_t quote = rest.find(kQuote);
    definition.name = rest.substr(0, quote);
    if (quote == std::string_view::npos || quote + 2 > rest.size()) return definition;
    std::string_view numbers = rest.substr(quote + 2);
    const auto conditions = scanHex(numbers);
    if (!conditions) return definition;
    definition.conditions = *conditions;
    if (numbers.empty() || numbers.front() != kNumberSeparator) return definition;
    numbers.remove_prefix(1);
    if (const auto attributes = scanHex(numbers)) definition.defaultAttributes = *attributes;
    return definition;
}

std::optional<WindowPlacement> readWindowPlacement(const kbx::ProfileFile& file) {
    const auto value = file.find(kSettingsSection, kWindowKey);
    if (!value) return std::nullopt;
    return parseWindowPlacement(*value);
}

bool writeWindowPlacement(kbx::ProfileFile& file, const WindowPlacement& placement) {
    return file.writeString(kSettingsSection, kWindowKey, formatWindowPlacement(placement));
}

bool readLayerTable(const kbx::ProfileFile& file, LayerTable& layers) {
    bool found = false;
    for (int index = 0; index < kLayerCount; ++index) {
        const auto value = file.find(kSettingsSection, layerKey(index));
        const bool present = value && !value->empty();
        layers[static_cast<std::size_t>(index)] = present ? parseLayerDefinition(*value) : LayerDefinition{};
        found = found || present;
    }
    return found;
}

bool writeLayerTable(kbx::ProfileFile& file, const LayerTable& layers) {
    bool written = true;
    for (int index = 0; index < kLayerCount; ++index) {
        const std::string value = formatLayerDefinition(layers[static_cast<std::size_t>(index)]);
        written = file.writeString(kSettingsSection, layerKey(index), value) && written;
    }
    return written;
}

bool accessSettingsFile(const std::filesystem::path& file, unsigned flags, WindowPlacement& placement,
                        LayerTable& layers) {
    kbx::ProfileFile settings = kbx::ProfileFile::load(file.string());
    bool succeeded = true;
    bool changed = false;
    if ((flags & kReadWindowPlacement) != 0) {
        const auto read = readWindowPlacement(settings);
        if (read) placement = *read;
        succeeded = succeeded && read.has_value();
    }
    if ((flags & kWriteWindowPlacement) != 0) {
        succeeded = writeWindowPlacement(settings, placement) && succeeded;
        changed = true;
    }
    if ((flags & kReadLayerTable) != 0) succeeded = readLayerTable(settings, layers) && succeeded;
    if ((flags & kWriteLayerTable) != 0) {
        succeeded = writeLayerTable(settings, layers) && succeeded;
        changed = true;
    }
    if (changed) succeeded = settings.save(file.string()) && succeeded;
    return succeeded;
}

StartupLayers loadStartupLayerTable(const std::filesystem::path& file) {
    StartupLayers result;
    WindowPlacement unused;
    if (accessSettingsFile(file, kReadLayerTable, unused, result.table)) return result;
    result.table = defaultLayerTable();
    result.defaultsBuilt = true;
    accessSettingsFile(file, kWriteLayerTable, unused, result.table);
    return result;
}

}  // namespace kbxdoc
