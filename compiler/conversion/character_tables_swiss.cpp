#include "compiler/conversion/character_table_rows.h"

namespace kbxc::tables {
namespace {

// The Swiss German and Swiss French keyboards share every key: QWERTZ, Shift
// for the punctuation of the top row, AltGr for | @ # and the brackets, and
// four accent keys (circumflex, with Shift grave, with AltGr tilde left of
// Backspace; acute with AltGr on the key before it; diaeresis right of P).
// An accent followed by Space types the accent itself.
constexpr auto kSwissRows = std::to_array<CharacterRow>({
    {0xF8, 0x29, kShift},  // degree sign
    {'1', 0x02, kPlain},  {'+', 0x02, kShift},  {'|', 0x02, kAltGr},
    {'2', 0x03, kPlain},  {'"', 0x03, kShift},  {'@', 0x03, kAltGr},
    {'3', 0x04, kPlain},  {'*', 0x04, kShift},  {'#', 0x04, kAltGr},
    {'4', 0x05, kPlain},  {0x87, 0x05, kShift},  // c cedilla
    {'5', 0x06, kPlain},  {'%', 0x06, kShift},
    {'6', 0x07, kPlain},  {'&', 0x07, kShift},  {0xAA, 0x07, kAltGr},  // not sign
    {'7', 0x08, kPlain},  {'/', 0x08, kShift},
    {'8', 0x09, kPlain},  {'(', 0x09, kShift},  {0x9B, 0x09, kAltGr},  // cent sign
    {'9', 0x0A, kPlain},  {')', 0x0A, kShift},
    {'0', 0x0B, kPlain},  {'=', 0x0B, kShift},
    {'\'', 0x0C, kPlain}, {'?', 0x0C, kShift},
    {'^', 0x39, kPlain, kCircumflex},  {'`', 0x39, kPlain, kGrave},  {'~', 0x39, kPlain, kTilde},
    {'[', 0x1A, kAltGr},
    {'!', 0x1B, kShift},  {']', 0x1B, kAltGr},
    {'{', 0x28, kAltGr},
    {'$', 0x2B, kPlain},  {0x9C, 0x2B, kShift},  {'}', 0x2B, kAltGr},  // pound sign
    {'<', 0x56, kPlain},  {'>', 0x56, kShift},  {'\\', 0x56, kAltGr},
    {',', 0x33, kPlain},  {';', 0x33, kShift},
    {'.', 0x34, kPlain},  {':', 0x34, kShift},
    {'-', 0x35, kPlain},  {'_', 0x35, kShift},

    {0x8D, 0x17, kSmall, kGrave},  // i grave
    {0x95, 0x18, kSmall, kGrave},  // o grave
    {0x97, 0x16, kSmall, kGrave},  // u grave
    {0xA0, 0x1E, kSmall, kAcute},  // a acute
    {0xA1, 0x17, kSmall, kAcute},  // i acute
    {0xA2, 0x18, kSmall, kAcute},  // o acute
    {0xA3, 0x16, kSmall, kAcute},  // u acute
    {0x83, 0x1E, kSmall, kCircumflex},  // a circumflex
    {0x88, 0x12, kSmall, kCircumflex},  // e circumflex
    {0x8C, 0x17, kSmall, kCircumflex},  // i circumflex
    {0x93, 0x18, kSmall, kCircumflex},  // o circumflex
    {0x96, 0x16, kSmall, kCircumflex},  // u circumflex
    {0x89, 0x12, kSmall, kDiaeresis},  // e diaeresis
    {0x8B, 0x17, kSmall, kDiaeresis},  // i diaeresis
    {0x98, 0x2C, kSmall, kDiaeresis},  // y diaeresis
    {0xA4, 0x31, kSmall, kTilde},  // n tilde
    {0xA5, 0x31, kCapital, kTilde},  // N tilde
});

// The three keys right of P and L carry two accented letters each, one
// plain and one with Shift; CapsLock gives the capital of the plain letter
// and with Shift the capital of the other. Swiss German has ü ö ä plain and
// è é à with Shift, Swiss French the other way round. Code page 437 has no
// capital A and E grave; they keep their places of code page 850, 0xB7 and
// 0xD4, which in 437 hold box-drawing characters that no key types.
constexpr auto kSwissGermanLetters = std::to_array<CharacterRow>({
    {0x81, 0x1A, kPlain},  {0x8A, 0x1A, kShift},  // u umlaut, e grave
    {0x9A, 0x1A, kCapsLock},  {0xD4, 0x1A, kCapsLockShift},  // U umlaut, E grave
    {0x94, 0x27, kPlain},  {0x82, 0x27, kShift},  // o umlaut, e acute
    {0x99, 0x27, kCapsLock},  {0x90, 0x27, kCapsLockShift},  // O umlaut, E acute
    {0x84, 0x28, kPlain},  {0x85, 0x28, kShift},  // a umlaut, a grave
    {0x8E, 0x28, kCapsLock},  {0xB7, 0x28, kCapsLockShift},  // A umlaut, A grave
});
constexpr auto kSwissFrenchLetters = std::to_array<CharacterRow>({
    {0x8A, 0x1A, kPlain},  {0x81, 0x1A, kShift},  // e grave, u umlaut
    {0xD4, 0x1A, kCapsLock},  {0x9A, 0x1A, kCapsLockShift},  // E grave, U umlaut
    {0x82, 0x27, kPlain},  {0x94, 0x27, kShift},  // e acute, o umlaut
    {0x90, 0x27, kCapsLock},  {0x99, 0x27, kCapsLockShift},  // E acute, O umlaut
    {0x85, 0x28, kPlain},  {0x84, 0x28, kShift},  // a grave, a umlaut
    {0xB7, 0x28, kCapsLock},  {0x8E, 0x28, kCapsLockShift},  // A grave, A umlaut
});

constexpr DeadKeyStrings kSwissAccents{{
    accentKey(kShift, 0x0D),  // grave
    accentKey(kAltGr, 0x0C),  // acute
    accentKey(kPlain, 0x0D),  // circumflex
    accentKey(kPlain, 0x1B),  // diaeresis
    accentKey(kAltGr, 0x0D),  // tilde
}};

}  // namespace

constexpr LanguageTables kSgTables{
    buildCharacterTable(kQwertz, kSwissRows, kSwissGermanLetters), kSwissAccents};
static_assert(isConsistent(kSgTables, kSwissRows, kSwissGermanLetters));

constexpr LanguageTables kSfTables{
    buildCharacterTable(kQwertz, kSwissRows, kSwissFrenchLetters), kSwissAccents};
static_assert(isConsistent(kSfTables, kSwissRows, kSwissFrenchLetters));

}  // namespace kbxc::tables
