#pragma once

// The keyboard models the editor knows: their index, name, the type
// statement a layout file carries, the kind of key layout, and laying out a
// model's keys into the active keyboard data.

#include <optional>
#include <span>
#include <string_view>

#include "editor/document/active_context.h"
#include "editor/document/model_layouts.h"

namespace kbxdoc {

enum class LayoutKind {
    None,          // no key layout, no type statement
    Grid,          // a regular grid of equal caps
    Alphanumeric,  // a typing block with legends, shifted rows and wide keys
};

struct KeyboardModel {
    int index;
    std::string_view name;           // empty for the index without a model
    std::string_view typeStatement;  // the line a layout file carries; empty: none
    LayoutKind layout;
};

inline constexpr int kModelCount = 15;
// The model a layout without a model of its own has.
inline constexpr int kModelWithoutLayout = 11;

std::span<const KeyboardModel> keyboardModels();
// The model of that index, or null for any index outside the enumeration.
const KeyboardModel* findKeyboardModel(int index);
// "TYPE HASK" and so on; empty for model 11 and any unknown index.
std::string_view typeStatement(int model);

// The model named by the keyword of a type statement (the text after
// "TYPE "): the first known keyword that the text begins with, in the order
// that lets NABE2 win over NABE; none when no keyword matches.
std::optional<int> modelForTypeKeyword(std::string_view keyword);

// Fills the key table for the keyboard's model index: every key loses its
// geometry and follows the layers, the model's keys are placed again (keys
// already at a position keep their caption and programming), then the cap
// surround, keyboard size and font height are set and every key's template
// geometry becomes its current geometry. With createDefaultLayerName, an
// unnamed layer 0 is named and made the current layer. A position for which
// no slot is free sounds the observer's warning beep and is skipped.
void layOutKeys(ActiveContext& context, bool createDefaultLayerName);

// Step of every layout: gives each position its key, the one already there
// or a free ordinary slot (the first without a caption buffer, else the last
// with one), with the keyboard's 1x1 cap size and a caption buffer. A
// position without a slot beeps once and is skipped.
void placeKeys(const ActiveContext& context, std::span<const KeyPlacement> placements);

// Stores the model index, lays the keys out and has everything drawn again.
void setModelAndLayOut(ActiveContext& context, int model, bool createDefaultLayerName);

}  // namespace kbxdoc
