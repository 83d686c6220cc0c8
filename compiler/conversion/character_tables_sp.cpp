#include "compiler/conversion/character_table_rows.h"

namespace kbxc::tables {
namespace {

// Spanish keyboard: QWERTY with ñ and ç as letters of their own, AltGr for
// | @ # ~ and the brackets, and two accent keys: right of P grave (with
// Shift circumflex), right of ñ acute (with Shift diaeresis). An accent
// followed by Space types the accent itself.
constexpr auto kSpRows = std::to_array<CharacterRow>({
    {0xA7, 0x29, kPlain},  {0xA6, 0x29, kShift},  {'\\', 0x29, kAltGr},  // ordinal signs
    {'1', 0x02, kPlain},  {'!', 0x02, kShift},  {'|', 0x02, kAltGr},
    {'2', 0x03, kPlain},  {'"', 0x03, kShift},  {'@', 0x03, kAltGr},
    {'3', 0x04, kPlain},  {0xFA, 0x04, kShift},  {'#', 0x04, kAltGr},  // middle dot
    {'4', 0x05, kPlain},  {'$', 0x05, kShift},  {'~', 0x05, kAltGr},
    {'5', 0x06, kPlain},  {'%', 0x06, kShift},
    {'6', 0x07, kPlain},  {'&', 0x07, kShift},  {0xAA, 0x07, kAltGr},  // not sign
    {'7', 0x08, kPlain},  {'/', 0x08, kShift},
    {'8', 0x09, kPlain},  {'(', 0x09, kShift},
    {'9', 0x0A, kPlain},  {')', 0x0A, kShift},
    {'0', 0x0B, kPlain},  {'=', 0x0B, kShift},
    {'\'', 0x0C, kPlain}, {'?', 0x0C, kShift},
    {0xAD, 0x0D, kPlain},  {0xA8, 0x0D, kShift},  // inverted exclamation and question marks
    {'`', 0x39, kPlain, kGrave},  {'^', 0x39, kPlain, kCircumflex},  {'[', 0x1A, kAltGr},
    {'+', 0x1B, kPlain},  {'*', 0x1B, kShift},  {']', 0x1B, kAltGr},
    {0xA4, 0x27, kSmall},  {0xA5, 0x27, kCapital},  // n tilde
    {'{', 0x28, kAltGr},
    {0x87, 0x2B, kSmall},  {0x80, 0x2B, kCapital},  {'}', 0x2B, kAltGr},  // c cedilla
    {'<', 0x56, kPlain},  {'>', 0x56, kShift},
    {',', 0x33, kPlain},  {';', 0x33, kShift},
    {'.', 0x34, kPlain},  {':', 0x34, kShift},
    {'-', 0x35, kPlain},  {'_', 0x35, kShift},

    {0x85, 0x1E, kSmall, kGrave},  // a grave
    {0x8A, 0x12, kSmall, kGrave},  // e grave
    {0x8D, 0x17, kSmall, kGrave},  // i grave
    {0x95, 0x18, kSmall, kGrave},  // o grave
    {0x97, 0x16, kSmall, kGrave},  // u grave
    {0xA0, 0x1E, kSmall, kAcute},  // a acute
    {0x82, 0x12, kSmall, kAcute},  // e acute
    {0xA1, 0x17, kSmall, kAcute},  // i acute
    {0xA2, 0x18, kSmall, kAcute},  // o acute
    {0xA3, 0x16, kSmall, kAcute},  // u acute
    {0x90, 0x12, kCapital, kAcute},  // E acute
    {0x83, 0x1E, kSmall, kCircumflex},  // a circumflex
    {0x88, 0x12, kSmall, kCircumflex},  // e circumflex
    {0x8C, 0x17, kSmall, kCircumflex},  // i circumflex
    {0x93, 0x18, kSmall, kCircumflex},  // o circumflex
    {0x96, 0x16, kSmall, kCircumflex},  // u circumflex
    {0x84, 0x1E, kSmall, kDiaeresis},  // a diaeresis
    {0x89, 0x12, kSmall, kDiaeresis},  // e diaeresis
    {0x8B, 0x17, kSmall, kDiaeresis},  // i diaeresis
    {0x94, 0x18, kSmall, kDiaeresis},  // o diaeresis
    {0x81, 0x16, kSmall, kDiaeresis},  // u diaeresis
    {0x98, 0x15, kSmall, kDiaeresis},  // y diaeresis
    {0x8E, 0x1E, kCapital, kDiaeresis},  // A diaeresis
    {0x99, 0x18, kCapital, kDiaeresis},  // O diaeresis
    {0x9A, 0x16, kCapital, kDiaeresis},  // U diaeresis
});

constexpr DeadKeyStrings kSpAccents{{
    accentKey(kPlain, 0x1A),  // grave
    accentKey(kPlain, 0x28),  // acute
    accentKey(kShift, 0x1A),  // circumflex
    accentKey(kShift, 0x28),  // diaeresis
}};

}  // namespace

constexpr LanguageTables kSpTables{buildCharacterTable(kQwerty, kSpRows), kSpAccents};
static_assert(isConsistent(kSpTables, kSpRows));

}  // namespace kbxc::tables
