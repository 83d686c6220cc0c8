#include "compiler/conversion/character_table_rows.h"

namespace kbxc::tables {
namespace {

// German keyboard: QWERTZ, the umlauts as letters of their own, AltGr for
// the brackets, and three accent keys (circumflex left of 1, acute and with
// Shift grave left of Backspace). An accent followed by Space types the
// accent itself.
constexpr auto kGrRows = std::to_array<CharacterRow>({
    {'^', 0x39, kPlain, kCircumflex},
    {0xF8, 0x29, kShift},  // degree sign
    {'1', 0x02, kPlain},  {'!', 0x02, kShift},
    {'2', 0x03, kPlain},  {'"', 0x03, kShift},  {0xFD, 0x03, kAltGr},  // superscript two
    {'3', 0x04, kPlain},
    {'4', 0x05, kPlain},  {'$', 0x05, kShift},
    {'5', 0x06, kPlain},  {'%', 0x06, kShift},
    {'6', 0x07, kPlain},  {'&', 0x07, kShift},
    {'7', 0x08, kPlain},  {'/', 0x08, kShift},  {'{', 0x08, kAltGr},
    {'8', 0x09, kPlain},  {'(', 0x09, kShift},  {'[', 0x09, kAltGr},
    {'9', 0x0A, kPlain},  {')', 0x0A, kShift},  {']', 0x0A, kAltGr},
    {'0', 0x0B, kPlain},  {'=', 0x0B, kShift},  {'}', 0x0B, kAltGr},
    {0xE1, 0x0C, kPlain},  {'?', 0x0C, kShift}, {'\\', 0x0C, kAltGr},  // sharp s
    {'`', 0x39, kPlain, kGrave},
    {'@', 0x10, kAltGr},
    {0x81, 0x1A, kSmall},  {0x9A, 0x1A, kCapital},  // u umlaut
    {'+', 0x1B, kPlain},  {'*', 0x1B, kShift},  {'~', 0x1B, kAltGr},
    {0x94, 0x27, kSmall},  {0x99, 0x27, kCapital},  // o umlaut
    {0x84, 0x28, kSmall},  {0x8E, 0x28, kCapital},  // a umlaut
    {'#', 0x2B, kPlain},  {'\'', 0x2B, kShift},
    {'<', 0x56, kPlain},  {'>', 0x56, kShift},  {'|', 0x56, kAltGr},
    {0xE6, 0x32, kAltGr},  // micro sign
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
});

constexpr DeadKeyStrings kGrAccents{{
    accentKey(kShift, 0x0D),  // grave
    accentKey(kPlain, 0x0D),  // acute
    accentKey(kPlain, 0x29),  // circumflex
}};

}  // namespace

constexpr LanguageTables kGrTables{buildCharacterTable(kQwertz, kGrRows), kGrAccents};
static_assert(isConsistent(kGrTables, kGrRows));

}  // namespace kbxc::tables
