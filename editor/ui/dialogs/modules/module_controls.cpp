#include "editor/ui/dialogs/modules/module_controls.h"

#include <array>

#include <QtGlobal>

namespace keyui::dialogs {

namespace {

using kbxdoc::KeyboardData;

template <int Slot>
std::uint8_t& moduleOption1(KeyboardData& keyboard) {
    return keyboard.keys[Slot].moduleOption1;
}
template <int Slot>
std::uint8_t& moduleOption2(KeyboardData& keyboard) {
    return keyboard.keys[Slot].moduleOption2;
}
std::uint8_t& msrThreeTrack(KeyboardData& keyboard) { return keyboard.msrThreeTrack; }
std::uint8_t& msrLrc(KeyboardData& keyboard) { return keyboard.msrLrc; }

// Pseudo-key slots.
constexpr int kKLT = 186, kKLH = 187, kFRT = 188, kFRH = 189, kFIT = 190, kFIH = 191, kBCT = 192, kBCH = 193;
constexpr int kM3T = 194, kM3H = 195, kM2T = 196, kM2H = 197, kM1T = 198, kM1H = 199;


const std::array kPages{
    ModulePageRow{ModulePageKind::Barcode, QT_TRANSLATE_NOOP("keyui::dialogs::ModulePage", "Barcode")},
    ModulePageRow{ModulePageKind::FunctionCard, QT_TRANSLATE_NOOP("keyui::dialogs::ModulePage", "Funktionskarte")},
    ModulePageRow{ModulePageKind::KeyLock, QT_TRANSLATE_NOOP("keyui::dialogs::ModulePage", "Schlüsselschalter")},
    ModulePageRow{ModulePageKind::KvkReader, QT_TRANSLATE_NOOP("keyui::dialogs::ModulePage", "KVK Leser")},
    ModulePageRow{ModulePageKind::Msr, QT_TRANSLATE_NOOP("keyui::dialogs::ModulePage", "MSR")},
};

const std::array kSwitches{
    ModuleSwitch{ModulePageKind::Barcode, 11027, QT_TRANSLATE_NOOP("keyui::dialogs::ModulePage", "Autoinput"), moduleOption1<kBCH>, -1},
    ModuleSwitch{ModulePageKind::FunctionCard, 11027, QT_TRANSLATE_NOOP("keyui::dialogs::ModulePage", "Autoinput"), moduleOption1<kFIH>, -1},
    ModuleSwitch{ModulePageKind::KeyLock, 11027, QT_TRANSLATE_NOOP("keyui::dialogs::ModulePage", "Autoinput"), moduleOption1<kKLH>, -1},
    ModuleSwitch{ModulePageKind::Msr, 11027, QT_TRANSLATE_NOOP("keyui::dialogs::ModulePage", "Autoinput"), moduleOption1<kM1H>, -1},
    ModuleSwitch{ModulePageKind::Msr, 11031, QT_TRANSLATE_NOOP("keyui::dialogs::ModulePage", "Sentinels (Rahmendaten senden)"), moduleOption2<kM1H>, -1},
    ModuleSwitch{ModulePageKind::Msr, 11028, QT_TRANSLATE_NOOP("keyui::dialogs::ModulePage", "Spur 1"), moduleOption1<kM1T>, 0},
    ModuleSwitch{ModulePageKind::Msr, 11029, QT_TRANSLATE_NOOP("keyui::dialogs::ModulePage", "Spur 2"), moduleOption1<kM2T>, 1},
    ModuleSwitch{ModulePageKind::Msr, 11030, QT_TRANSLATE_NOOP("keyui::dialogs::ModulePage", "Spur 3"), moduleOption1<kM3T>, 2},
    ModuleSwitch{ModulePageKind::Msr, 11038, QT_TRANSLATE_NOOP("keyui::dialogs::ModulePage", "3-Spur-Leser"), msrThreeTrack, -1},
    ModuleSwitch{ModulePageKind::Msr, 11039, QT_TRANSLATE_NOOP("keyui::dialogs::ModulePage", "LRC ausgeben"), msrLrc, -1},
};

const std::array kRows{
    ProgrammingRow{ModulePageKind::Barcode, nullptr, 11032, kBCH, 11035, kBCT},
    ProgrammingRow{ModulePageKind::FunctionCard, QT_TRANSLATE_NOOP("keyui::dialogs::ModulePage", "Einsetzen"), 11032, kFIH, 11035, kFIT},
    ProgrammingRow{ModulePageKind::FunctionCard, QT_TRANSLATE_NOOP("keyui::dialogs::ModulePage", "Herausnehmen"), 11033, kFRH, 11036, kFRT},
    ProgrammingRow{ModulePageKind::KeyLock, nullptr, 11032, kKLH, 11035, kKLT},
    ProgrammingRow{ModulePageKind::Msr, nullptr, 11032, kM1H, 11035, kM1T},
    ProgrammingRow{ModulePageKind::Msr, nullptr, 11033, kM2H, 11036, kM2T},
    ProgrammingRow{ModulePageKind::Msr, nullptr, 11034, kM3H, 11037, kM3T},
};

const std::array kKvkFormats{
    KvkFormatButton{11036, QT_TRANSLATE_NOOP("keyui::dialogs::ModulePage", "BA0 / Festformat")},
    KvkFormatButton{11037, QT_TRANSLATE_NOOP("keyui::dialogs::ModulePage", "BA1 / ASN.1")},
    KvkFormatButton{11038, QT_TRANSLATE_NOOP("keyui::dialogs::ModulePage", "BA2")},
};

}  // namespace

std::span<const ModulePageRow> modulePages() { return kPages; }
std::span<const ModuleSwitch> moduleSwitches() { return kSwitches; }
std::span<const ProgrammingRow> programmingRows() { return kRows; }
std::span<const KvkFormatButton> kvkFormatButtons() { return kKvkFormats; }

}  // namespace keyui::dialogs
