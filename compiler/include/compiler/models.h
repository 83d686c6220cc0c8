#pragma once

#include <optional>
#include <string>
#include <string_view>

// Keyboard models as the compiler numbers them, and how each numbers its keys.
namespace kbxc {

inline constexpr int kModelCount = 13;
inline constexpr int kFirstPseudoKey = 128;  // M1H
inline constexpr int kPseudoKeyCount = 14;   // M1H ... KLT, indexes 128-141
inline constexpr int kKeyIndexCount = 190;   // 0-189

struct ModelInfo {
    std::string_view name;   // the first TYPE keyword of the model
    int defaultMemory;       // memory size the model brings
    bool wideImage;          // more than 128 matrix keys
};

const ModelInfo& modelInfo(int model);

// The model number whose TYPE keyword the field contains (first in list
// order), or -1.
int modelForTypeField(std::string_view field);

// The key index of key identifier `row` (A-H) and `column` (1-23) on
// `model`, or -1 when the model has no such key.
int matrixKeyIndex(int model, char row, int column);

// The index 128-141 of a module pseudo-key name (M1H ... KLT), or -1.
int pseudoKeyIndex(std::string_view name);

// The identifier of a key index on a model: "A01" style for matrix keys,
// the pseudo-key name for 128-141; nothing when the model has no such key.
std::optional<std::string> keyIdentifier(int model, int keyIndex);

}  // namespace kbxc
