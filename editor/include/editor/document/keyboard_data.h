#pragma once

// The layout document's data: one keyboard's model, keyboard-wide settings
// and key table, and the application-wide layer table. Lengths are
// millimetres, colours are RGB values 0x00BBGGRR. Text fields keep the
// lengths the layout files and the compiler rely on.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "editor/document/bounded_text.h"

namespace kbxdoc {

// Key table slots.
inline constexpr int kKeySlotCount = 201;
inline constexpr int kOrdinaryKeyCount = 185;  // slots 0-184
inline constexpr int kFirstModuleSlot = 185;   // module pseudo keys 185-199
inline constexpr int kLastModuleSlot = 199;
inline constexpr int kCurrentKeySlot = 200;    // working copy of the selected key
inline constexpr int kLayerCount = 16;

// Text limits (field sizes, terminator included).
inline constexpr std::size_t kProgrammingField = 180;  // the editors keep at most 178 characters
inline constexpr std::size_t kMaxEditedProgramming = 178;
inline constexpr std::size_t kSettingTextField = 255;  // memory, version, MSR bad-read texts
inline constexpr std::size_t kShortField = 4;          // parity, interface name, language code
inline constexpr std::size_t kNameField = 80;          // layer names, slow-key rate name
inline constexpr std::size_t kFaceNameField = 32;
// A kept line is at most kKeptLineField - 1 characters: the longest line the
// compiler reads whole, so a kept line compiles as it did.
inline constexpr std::size_t kKeptLineField = 4096;
inline constexpr int kKeptLineCount = 1000;

struct Rect {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
    friend bool operator==(const Rect&, const Rect&) = default;
};

// A logical font record.
struct LogicalFont {
    std::int32_t height = 0;
    std::int32_t width = 0;
    std::int32_t escapement = 0;
    std::int32_t orientation = 0;
    std::int32_t weight = 0;
    std::uint8_t italic = 0;
    std::uint8_t underline = 0;
    std::uint8_t strikeOut = 0;
    std::uint8_t charSet = 0;
    std::uint8_t outPrecision = 0;
    std::uint8_t clipPrecision = 0;
    std::uint8_t quality = 0;
    std::uint8_t pitchAndFamily = 0;
    BoundedText<kFaceNameField> faceName;
    friend bool operator==(const LogicalFont&, const LogicalFont&) = default;
};

// How a legend is laid on its cap: per key (local settings) or the keyboard's
// defaults.
struct CaptionSettings {
    double leftMargin = 0;
    double topMargin = 0;
    double lineSpacing = 0;  // 0: one font height
    double fontHeight = 0;   // the caption font's height in mm
    std::uint32_t keyColour = 0;
    std::uint32_t textColour = 0;
    LogicalFont font;
    friend bool operator==(const CaptionSettings&, const CaptionSettings&) = default;
};

// What a key sends on one layer: the attribute word (six 2-bit fields: 0
// off, 1 on, 2 follow the layer) and the programming text.
struct LayerEntry {
    std::uint32_t attributes = 0;
    BoundedText<kProgrammingField> programming;
    friend bool operator==(const LayerEntry&, const LayerEntry&) = default;
};

// Attribute word fields, bits of their low bit.
enum AttributeField : int {
    kFieldKeyClick = 0,
    kFieldAutoRepeat = 2,
    kFieldProtected = 4,
    kFieldSlowOutput = 6,
    kFieldMakeBreak = 8,
    kFieldNoRestore = 10,
};
inline constexpr std::uint32_t kAttributeFieldsMask = 0x0FFF;
inline constexpr std::uint32_t kAllFollowLayer = 0x0AAA;

struct KeyRecord {
    std::uint8_t column = 0;  // 0-based column of the model grid
    std::uint8_t row = 0;     // 0-based row, 0 the bottom row
    Rect templateGeometry;    // as the model layout set it; width 0: a free slot
    Rect current;             // as edited
    std::uint8_t moduleOption1 = 0;
    std::uint8_t moduleOption2 = 0;
    // The legend. A key "has a caption buffer" when captionSize is not 0;
    // the text never holds more than captionSize - 1 characters.
    std::uint32_t captionSize = 0;
    std::string caption;
    CaptionSettings captionSettings;
    std::array<LayerEntry, kLayerCount> layers;
    friend bool operator==(const KeyRecord&, const KeyRecord&) = default;
};

struct KeyboardData {
    int model = 0;  // model index of the catalogue
    // A type statement of a file that names a model the catalogue does not
    // have; written in place of the model's own while no model is chosen.
    BoundedText<kSettingTextField> foreignTypeLine;
    std::array<KeyRecord, kKeySlotCount> keys;
    int originX = 0;  // pixel offset of every key when drawing
    int originY = 0;
    double width = 0;  // keyboard outline in mm
    double height = 0;
    double capSurroundX = 0;
    double capSurroundY = 0;
    double capWidth = 0;  // size of a 1x1 cap
    double capHeight = 0;
    double pitchX = 0;
    double pitchY = 0;
    double scaleX = 0;  // pixels per mm of the active view
    double scaleY = 0;
    CaptionSettings captionDefaults;
    int clickVolume = 0;
    int clickDuration = 0;
    int alarmVolume = 0;
    int alarmDuration = 0;
    int baud = 0;
    int dataBits = 0;
    int handshake = 0;
    BoundedText<kShortField> parity;
    BoundedText<kShortField> interfaceName;
    BoundedText<kShortField> languageCode;
    std::uint8_t msrThreeTrack = 0;
    std::uint8_t msrLrc = 0;
    int shiftLock = 0;
    int capsLock = 0;
    int rate = 0;
    int delay = 0;
    BoundedText<kNameField> slowKeyRate;
    int hotkeyMode = 0;
    int chainedKeyboardInit = 0;
    // MODE switches of a file the document has no setting for, as "+GCA-T1".
    BoundedText<kSettingTextField> otherModeSwitches;
    BoundedText<kSettingTextField> memoryText;
    BoundedText<kSettingTextField> versionText;
    BoundedText<kSettingTextField> msrBadRead;
    // Source lines kept unchanged and written back at the end of the file;
    // at most kKeptLineCount, each at most kKeptLineField - 1 characters.
    std::vector<std::string> keptLines;
    // The keyboard-wide statements a file read had none of, as the writer
    // would have written them then: left out while they stay so, the
    // compiler's defaults still hold.
    std::vector<std::string> absentStatementLines;
    friend bool operator==(const KeyboardData&, const KeyboardData&) = default;
};

// The application-wide layer definitions.
struct LayerDefinition {
    std::uint32_t conditions = 0;         // eight 2-bit fields, low 16 bits
    std::uint32_t defaultAttributes = 0;  // attribute word of values 0 or 1
    BoundedText<kNameField> name;         // empty: a free definition
    friend bool operator==(const LayerDefinition&, const LayerDefinition&) = default;
};
using LayerTable = std::array<LayerDefinition, kLayerCount>;

// Condition word fields, bits of their low bit: 0 off, 1 on, 2 any; the
// trigger field 0 release, 1 press and release, 2 press.
enum ConditionField : int {
    kConditionShift = 0,
    kConditionControl = 2,
    kConditionAlt = 4,
    kConditionScroll = 6,
    kConditionNumLock = 8,
    kConditionCapsLock = 10,
    kConditionLayerKey = 12,
    kConditionTrigger = 14,
};

inline constexpr unsigned fieldValue(std::uint32_t word, int field) { return (word >> field) & 3u; }

// One selection flag per key-table slot, nonzero = selected; each view has
// its own.
using SelectionFlags = std::array<std::uint8_t, kKeySlotCount>;

}  // namespace kbxdoc
