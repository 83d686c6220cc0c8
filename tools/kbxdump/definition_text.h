#pragma once

#include <cstdint>
#include <string>

#include "compiler/definition.h"

// Definition bytes in the letters of the layout source language.
namespace kbxdump {

// Condition bits 0-6 tested by the mask, in bit order: "+S-C+NL"; bits of
// the state that the mask does not test and bit 7 are left out.
std::string conditionLetters(std::uint8_t state, std::uint8_t mask);

// "+K" when mask bit 7 is clear (press and release), "-K" when state bit 7
// is set (release), both when both hold, nothing for a press.
std::string triggerLetters(std::uint8_t state, std::uint8_t mask);

// Attribute bits 0-6 in bit order: "/K/A/P/M/R/L/C". Each bit has its own
// letter; `/S` is never shown, because the standard set 0x1B is the same
// byte as `/K/A/M/R` and `/S` also changes the trigger bits.
std::string attributeLetters(std::uint8_t attributes);

// Conditions, trigger and attributes together: "+S-C+NL+K/A/P".
std::string definitionLetters(const kbxc::DefinitionBytes& bytes);

}  // namespace kbxdump
