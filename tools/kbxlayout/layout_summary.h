#pragma once

// The readable summary that `kbxlayout show` prints:
//
//   Model: 14 Tarn (TYPE TARN)
//   Keys placed: 147
//   Settings:
//     Interface: AT, 9600 baud, parity O, 8 data bits, handshake 0
//     ...
//   Layers:
//     0 Normal-Layer: conditions -C-S-A-L, defaults /K/A
//   Keys:
//     A01 "Sum"
//       Normal-Layer: "abc" /P
//       Shift-Layer: "{F1}" /K/P
//     M1H
//       StdKey-Layer: "{POSMSR1}" /A/P/M/R
//   Kept lines: 0
//
// Keys are listed when they have a caption or programming, ordinary keys by
// identifier, then the module pseudo keys. Conditions and attributes use the
// letters of key lines; a programmed layer shows the attributes the key
// sends with there, its own or the layer's. Texts are printed as UTF-8.

#include <cstdint>
#include <string>

#include "editor/document/active_context.h"

namespace kbxlayout {

std::string layoutSummary(const kbxdoc::ActiveContext& context);

// The condition letters of a condition word ("-C-S-A-L+K") and the attribute
// letters of a layer's default attributes ("/K/A").
std::string conditionLetters(std::uint32_t conditions);
std::string attributeLetters(std::uint32_t attributes);

}  // namespace kbxlayout
