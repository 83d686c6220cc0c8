#pragma once

// Names and letters shared by the layout writer and reader: the module
// pseudo keys, the condition and attribute letters of key lines, and the
// tags of the editor's metadata lines.

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "editor/document/keyboard_data.h"

namespace kbxdoc::persist {

struct PseudoKey {
    int slot;
    std::string_view name;
};

// The module pseudo keys, in the order a key line is matched against them.
inline constexpr std::array kPseudoKeys{
    PseudoKey{199, "M1H"}, PseudoKey{198, "M1T"}, PseudoKey{197, "M2H"}, PseudoKey{196, "M2T"},
    PseudoKey{195, "M3H"}, PseudoKey{194, "M3T"}, PseudoKey{193, "BCH"}, PseudoKey{192, "BCT"},
    PseudoKey{191, "FIH"}, PseudoKey{190, "FIT"}, PseudoKey{189, "FRH"}, PseudoKey{188, "FRT"},
    PseudoKey{187, "KLH"}, PseudoKey{186, "KLT"},
};
inline constexpr int kFirstNamedPseudoSlot = 186;

// The pseudo-key name of slots 186-199; empty for any other slot.
std::string_view pseudoKeyName(int slot);
// The slot of a pseudo-key name, compared with the first three characters.
std::optional<int> pseudoKeySlot(std::string_view text);

struct ConditionLetters {
    std::string_view letters;
    int field;  // ConditionField
};

// Condition letters in the order the writer puts them; the two-letter names
// come first, so a reader matching in this order prefers them.
inline constexpr std::array kConditionLetters{
    ConditionLetters{"SL", kConditionScroll},   ConditionLetters{"NL", kConditionNumLock},
    ConditionLetters{"CL", kConditionCapsLock}, ConditionLetters{"C", kConditionControl},
    ConditionLetters{"S", kConditionShift},     ConditionLetters{"A", kConditionAlt},
    ConditionLetters{"L", kConditionLayerKey},  ConditionLetters{"K", kConditionTrigger},
};

struct AttributeLetter {
    char letter;
    int field;  // AttributeField
    bool fromLayerOnly;  // the writer takes it from the layer's defaults alone
};

// Attribute letters in the order the writer puts them.
inline constexpr std::array kAttributeLetters{
    AttributeLetter{'K', kFieldKeyClick, false},  AttributeLetter{'A', kFieldAutoRepeat, false},
    AttributeLetter{'P', kFieldProtected, false}, AttributeLetter{'M', kFieldMakeBreak, true},
    AttributeLetter{'R', kFieldNoRestore, true},  AttributeLetter{'L', kFieldSlowOutput, false},
};

// A condition word with every field "does not matter".
inline constexpr std::uint32_t kAnyConditions = 0xAAAA;
inline constexpr unsigned kFieldOff = 0;
inline constexpr unsigned kFieldOn = 1;
inline constexpr unsigned kFieldFollow = 2;

// A field of an attribute word that follows the layer takes the layer's value.
constexpr unsigned resolvedField(std::uint32_t word, std::uint32_t layerDefaults, int field) {
    const unsigned own = fieldValue(word, field);
    return own == kFieldFollow ? fieldValue(layerDefaults, field) : own;
}

// The attributes a key line is written with: the key's own fields resolved
// against the layer's, make/break and no restore from the layer alone; a
// word of fields 1 (on) and 0.
constexpr std::uint32_t writtenAttributes(std::uint32_t attributes, std::uint32_t layerDefaults) {
    std::uint32_t word = 0;
    for (const AttributeLetter& attribute : kAttributeLetters) {
        const unsigned value = attribute.fromLayerOnly ? fieldValue(layerDefaults, attribute.field)
                                                       : resolvedField(attributes, layerDefaults, attribute.field);
        if (value == kFieldOn) word |= kFieldOn << attribute.field;
    }
    return word;
}

// A text naming one of the navigation macros ("{KEY-LEFT}") is replaced by
// the compiler's built-in definitions, made from the DEF defaults and the
// line's key click alone.
inline constexpr std::string_view kNavigationMacroPrefix = "KEY-";

struct CompilerLanguage {
    std::string_view code;
    bool shiftLock;  // the lock behaviour of a statement that names none
};
// The compiler's languages, in its order of lookup and of its table numbers.
inline constexpr std::array kCompilerLanguages{
    CompilerLanguage{"US", false}, CompilerLanguage{"GR", true},  CompilerLanguage{"FR", true},
    CompilerLanguage{"UK", false}, CompilerLanguage{"SG", false}, CompilerLanguage{"SF", false},
    CompilerLanguage{"IT", false}, CompilerLanguage{"SP", false},
};

// Metadata line tags.
inline constexpr std::string_view kLayerTag = "!@KEYLAYER:";
inline constexpr std::string_view kKeyPrintTag = "!@KEYPRINT:";
inline constexpr std::string_view kKeyAttributesTag = "!@KEYATTRIB:";
inline constexpr std::string_view kGlobalPrintTag = "!@KEYGLOBALPRINT:";
inline constexpr std::string_view kKeyboardSizeTag = "!@KEYBOARDSIZE:";
inline constexpr std::string_view kKeySizeTag = "!@KEYSIZE:";

// Module switches of the MODE statement: "-" and the word when module option 1
// of the slot is 0.
struct ModuleWord {
    std::string_view word;
    int slot;
};
inline constexpr std::array kModuleSwitchWords{
    ModuleWord{"MSR", 199},
    ModuleWord{"BCR", 193},
    ModuleWord{"FCR", 191},
    ModuleWord{"KL", 187},
};
inline constexpr int kCardReaderSlot = 185;     // module option 1: card-reader mode
inline constexpr std::string_view kCardReaderModeWord = "BA";  // "+BA0" to "+BA2"
inline constexpr unsigned kCardReaderModeMask = 3;
inline constexpr std::string_view kCardReaderOffWord = "KVK";  // "-KVK" mode 1, "+KVK" mode 0
inline constexpr std::string_view kChainedKeyboardOffWord = "IEK";

// Words of the MSR statement: a track that is off, sentinels off, the
// three-track reader and the LRC output.
inline constexpr std::array kTrackOffWords{
    ModuleWord{"N1", 198},
    ModuleWord{"N2", 196},
    ModuleWord{"N3", 194},
};
inline constexpr int kMsrSlot = 199;  // module option 2: the reader sends sentinels
inline constexpr std::string_view kSentinelsOffWord = "NSE";
inline constexpr std::string_view kThreeTrackWord = "M3";
inline constexpr std::string_view kLrcWord = "LRC";

// The serial interface and the letter of its handshake.
inline constexpr std::string_view kSerialInterface = "COM";
inline constexpr char kHandshakeLetter = 'H';

// The longest caption a key print line carries.
inline constexpr std::size_t kMaxCaptionLength = 511;

}  // namespace kbxdoc::persist
