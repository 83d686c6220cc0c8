#include "compiler/conversion/character_table_rows.h"

namespace kbxc::tables {
namespace {

// French keyboard: AZERTY, the digits with Shift under é è ç à and the
// punctuation of the top row, AltGr for the brackets on the top row, and one
// accent key right of P: circumflex, with Shift diaeresis.
constexpr auto kFrRows = std::to_array<CharacterRow>({
    {0xFD, 0x29, kPlain},  // superscript two
    {'&', 0x02, kPlain},  {'1', 0x02, kShift},
    {0x82, 0x03, kPlain},  {'2', 0x03, kShift},  {'~', 0x03, kAltGr},  // e acute
    {'"', 0x04, kPlain},  {'3', 0x04, kShift},  {'#', 0x04, kAltGr},
    {'\'', 0x05, kPlain}, {'4', 0x05, kShift},  {'{', 0x05, kAltGr},
    {'(', 0x06, kPlain},  {'5', 0x06, kShift},  {'[', 0x06, kAltGr},
    {'-', 0x07, kPlain},  {'6', 0x07, kShift},  {'|', 0x07, kAltGr},
    {0x8A, 0x08, kPlain},  {'7', 0x08, kShift},  {'`', 0x08, kAltGr},  // e grave
    {'_', 0x09, kPlain},  {'8', 0x09, kShift},  {'\\', 0x09, kAltGr},
    {0x87, 0x0A, kPlain},  {'9', 0x0A, kShift},  {'^', 0x0A, kAltGr},  // c cedilla
    {0x85, 0x0B, kPlain},  {'0', 0x0B, kShift},  {'@', 0x0B, kAltGr},  // a grave
    {')', 0x0C, kPlain},  {0xF8, 0x0C, kShift},  {']', 0x0C, kAltGr},  // degree sign
    {'=', 0x0D, kPlain},  {'+', 0x0D, kShift},  {'}', 0x0D, kAltGr},
    {'$', 0x1B, kPlain},  {0x9C, 0x1B, kShift},  // pound sign
    {0x97, 0x28, kPlain},  {'%', 0x28, kShift},  // u grave
    {'*', 0x2B, kPlain},  {0xE6, 0x2B, kShift},  // micro sign
    {'<', 0x56, kPlain},  {'>', 0x56, kShift},
    {',', 0x32, kPlain},  {'?', 0x32, kShift},
    {';', 0x33, kPlain},  {'.', 0x33, kShift},
    {':', 0x34, kPlain},  {'/', 0x34, kShift},
    {'!', 0x35, kPlain},

    {0x83, 0x10, kSmall, kCircumflex},  // a circumflex
    {0x88, 0x12, kSmall, kCircumflex},  // e circumflex
    {0x8C, 0x17, kSmall, kCircumflex},  // i circumflex
    {0x93, 0x18, kSmall, kCircumflex},  // o circumflex
    {0x96, 0x16, kSmall, kCircumflex},  // u circumflex
    {0x84, 0x10, kSmall, kDiaeresis},  // a diaeresis
    {0x89, 0x12, kSmall, kDiaeresis},  // e diaeresis
    {0x8B, 0x17, kSmall, kDiaeresis},  // i diaeresis
    {0x94, 0x18, kSmall, kDiaeresis},  // o diaeresis
    {0x81, 0x16, kSmall, kDiaeresis},  // u diaeresis
    {0x98, 0x15, kSmall, kDiaeresis},  // y diaeresis
    {0x8E, 0x10, kCapital, kDiaeresis},  // A diaeresis
    {0x99, 0x18, kCapital, kDiaeresis},  // O diaeresis
    {0x9A, 0x16, kCapital, kDiaeresis},  // U diaeresis
});

constexpr DeadKeyStrings kFrAccents{{
    {},
    {},
    accentKey(kPlain, 0x1A),  // circumflex
    accentKey(kShift, 0x1A),  // diaeresis
}};

}  // namespace

constexpr LanguageTables kFrTables{buildCharacterTable(kAzerty, kFrRows), kFrAccents};
static_assert(isConsistent(kFrTables, kFrRows));

}  // namespace kbxc::tables
