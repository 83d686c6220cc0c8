#pragma once

// The controls of the module pages as data: the option switches with the
// byte of the document each one shows, and the header ("Vorspann") and
// trailer ("Abspann") buttons with the pseudo key each one programs.

#include <cstdint>
#include <span>

#include "editor/document/keyboard_data.h"

namespace keyui::dialogs {

// The pages of the module sheet, in the sheet's order.
enum class ModulePageKind { Barcode, FunctionCard, KeyLock, KvkReader, Msr };

struct ModulePageRow {
    ModulePageKind kind;
    const char* title;  // translated in the context of ModulePage
};
std::span<const ModulePageRow> modulePages();

// A check box on one byte of the document, 0 or 1 (any nonzero byte shows
// ticked).
struct ModuleSwitch {
    ModulePageKind page;
    int id;
    const char* text;
    std::uint8_t& (*byte)(kbxdoc::KeyboardData&);
    int trackRow;  // the header/trailer row the box stands in front of, -1 none
};
std::span<const ModuleSwitch> moduleSwitches();

// One row of header and trailer buttons.
struct ProgrammingRow {
    ModulePageKind page;
    const char* label;  // row heading, or null
    int headerId;
    int headerSlot;
    int trailerId;
    int trailerSlot;
};
std::span<const ProgrammingRow> programmingRows();

// The KVK reader page: the card data format in bits 0-1 of module option 1
// of slot 185, one radio button per format.
inline constexpr int kKvkSettingsSlot = 185;
inline constexpr int kKvkFormatField = 0;
struct KvkFormatButton {
    int id;
    const char* text;
};
std::span<const KvkFormatButton> kvkFormatButtons();

// The bad-read string edit of the MSR page.
inline constexpr int kBadReadEditId = 11049;

}  // namespace keyui::dialogs
