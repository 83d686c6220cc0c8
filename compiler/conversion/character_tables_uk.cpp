#include "compiler/conversion/character_table_rows.h"

namespace kbxc::tables {
namespace {

// UK keyboard: QWERTY as US, with " and pound sign on 2 and 3, @ beside ;,
// # and ~ left of Enter and \ | left of Z. No accent keys.
constexpr auto kUkRows = std::to_array<CharacterRow>({
    {'`', 0x29, kPlain},  {0xAA, 0x29, kShift},  // not sign
    {'1', 0x02, kPlain},  {'!', 0x02, kShift},
    {'2', 0x03, kPlain},  {'"', 0x03, kShift},
    {'3', 0x04, kPlain},  {0x9C, 0x04, kShift},  // pound sign
    {'4', 0x05, kPlain},  {'$', 0x05, kShift},
    {'5', 0x06, kPlain},  {'%', 0x06, kShift},
    {'6', 0x07, kPlain},  {'^', 0x07, kShift},
    {'7', 0x08, kPlain},  {'&', 0x08, kShift},
    {'8', 0x09, kPlain},  {'*', 0x09, kShift},
    {'9', 0x0A, kPlain},  {'(', 0x0A, kShift},
    {'0', 0x0B, kPlain},  {')', 0x0B, kShift},
    {'-', 0x0C, kPlain},  {'_', 0x0C, kShift},
    {'=', 0x0D, kPlain},  {'+', 0x0D, kShift},
    {'[', 0x1A, kPlain},  {'{', 0x1A, kShift},
    {']', 0x1B, kPlain},  {'}', 0x1B, kShift},
    {';', 0x27, kPlain},  {':', 0x27, kShift},
    {'\'', 0x28, kPlain}, {'@', 0x28, kShift},
    {'#', 0x2B, kPlain},  {'~', 0x2B, kShift},
    {'\\', 0x56, kPlain}, {'|', 0x56, kShift},
    {',', 0x33, kPlain},  {'<', 0x33, kShift},
    {'.', 0x34, kPlain},  {'>', 0x34, kShift},
    {'/', 0x35, kPlain},  {'?', 0x35, kShift},
});

}  // namespace

constexpr LanguageTables kUkTables{buildCharacterTable(kQwerty, kUkRows), {}};
static_assert(isConsistent(kUkTables, kUkRows));

}  // namespace kbxc::tables
