#pragma once

// The editor's settings file "Vyrn.Ini" beside the program: the main
// window's placement and the application-wide layer table, in the section
// "VyrnKey".

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "editor/document/keyboard_data.h"
#include "platform/profile_file.h"

namespace kbxdoc {

inline constexpr std::string_view kSettingsFileName = "Vyrn.Ini";
inline constexpr std::string_view kSettingsSection = "VyrnKey";

// The settings file in the program's folder; with no folder known, the file
// of that name in the current folder.
std::filesystem::path settingsFilePath(const std::filesystem::path& programFolder);

// The main window's placement as the window system keeps it.
struct WindowPlacement {
    std::uint32_t flags = 0;
    std::uint32_t showCommand = 0;
    std::int32_t minimisedX = 0;
    std::int32_t minimisedY = 0;
    std::int32_t maximisedX = 0;
    std::int32_t maximisedY = 0;
    std::int32_t normalLeft = 0;
    std::int32_t normalTop = 0;
    std::int32_t normalRight = 0;
    std::int32_t normalBottom = 0;
    friend bool operator==(const WindowPlacement&, const WindowPlacement&) = default;
};

// What one access to the settings file does; the flags combine and act in
// this order.
enum SettingsAccess : unsigned {
    kReadWindowPlacement = 0x1,   // true when the Window key holds a placement
    kWriteWindowPlacement = 0x2,
    kReadLayerTable = 0x4,        // true when at least one layer key is there
    kWriteLayerTable = 0x8,       // all 16 keys, empty definitions included
};
// True when every requested read found its keys and every requested write
// reached the file. A read that finds nothing leaves the placement alone;
// reading the layers always replaces the whole table.
bool accessSettingsFile(const std::filesystem::path& file, unsigned flags, WindowPlacement& placement,
                        LayerTable& layers);

// The layer table at start-up: the file's, or, when it has no layer keys,
// the default table, which is then written to the file.
struct StartupLayers {
    LayerTable table;
    bool defaultsBuilt = false;  // the caller then makes layer 0 the current layer
};
StartupLayers loadStartupLayerTable(const std::filesystem::path& file);

// The values of the keys, for the file and for tests.
std::string formatWindowPlacement(const WindowPlacement& placement);
std::optional<WindowPlacement> parseWindowPlacement(std::string_view value);
std::string formatLayerDefinition(const LayerDefinition& definition);
LayerDefinition parseLayerDefinition(std::string_view value);

std::optional<WindowPlacement> readWindowPlacement(const kbx::ProfileFile& file);
bool writeWindowPlacement(kbx::ProfileFile& file, const WindowPlacement& placement);
bool readLayerTable(const kbx::ProfileFile& file, LayerTable& layers);
bool writeLayerTable(kbx::ProfileFile& file, const LayerTable& layers);

}  // namespace kbxdoc
