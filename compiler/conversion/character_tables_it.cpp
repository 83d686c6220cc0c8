#include "compiler/conversion/character_table_rows.h"

namespace kbxc::tables {
namespace {

// Italian keyboard: QWERTY, the accented vowels on keys of their own, AltGr
// for [ ] @ #. It has no keys for { } ~ and `, which are therefore typed as
// Alt codes, and no accent keys.
constexpr auto kItRows = std::to_array<CharacterRow>({
    {'\\', 0x29, kPlain}, {'|', 0x29, kShift},
    {'1', 0x02, kPlain},  {'!', 0x02, kShift},
    {'2', 0x03, kPlain},  {'"', 0x03, kShift},
    {'3', 0x04, kPlain},  {0x9C, 0x04, kShift},  // pound sign
    {'4', 0x05, kPlain},  {'$', 0x05, kShift},
    {'5', 0x06, kPlain},  {'%', 0x06, kShift},
    {'6', 0x07, kPlain},  {'&', 0x07, kShift},
    {'7', 0x08, kPlain},  {'/', 0x08, kShift},
    {'8', 0x09, kPlain},  {'(', 0x09, kShift},
    {'9', 0x0A, kPlain},  {')', 0x0A, kShift},
    {'0', 0x0B, kPlain},  {'=', 0x0B, kShift},
    {'\'', 0x0C, kPlain}, {'?', 0x0C, kShift},
    {0x8D, 0x0D, kPlain},  {'^', 0x0D, kShift},  // i grave
    {0x8A, 0x1A, kPlain},  {0x82, 0x1A, kShift},  {'[', 0x1A, kAltGr},  // e grave, e acute
    {'+', 0x1B, kPlain},  {'*', 0x1B, kShift},  {']', 0x1B, kAltGr},
    {0x95, 0x27, kPlain},  {0x87, 0x27, kShift},  {'@', 0x27, kAltGr},  // o grave, c cedilla
    {0x85, 0x28, kPlain},  {0xF8, 0x28, kShift},  {'#', 0x28, kAltGr},  // a grave, degree sign
    {0x97, 0x2B, kPlain},  // u grave
    {'<', 0x56, kPlain},  {'>', 0x56, kShift},
    {',', 0x33, kPlain},  {';', 0x33, kShift},
    {'.', 0x34, kPlain},  {':', 0x34, kShift},
    {'-', 0x35, kPlain},  {'_', 0x35, kShift},
});

}  // namespace

constexpr LanguageTables kItTables{buildCharacterTable(kQwerty, kItRows), {}};
static_assert(isConsistent(kItTables, kItRows));

}  // namespace kbxc::tables
