#include "editor/ui/dialogs/modules/module_sheet.h"

#include <QCoreApplication>
#include <QTabWidget>

#include "editor/ui/core/action_names.h"
#include "editor/ui/dialogs/modules/module_controls.h"
#include "editor/ui/dialogs/modules/module_page.h"

namespace keyui::dialogs {

namespace {

constexpr char kSheetTitle[] = QT_TRANSLATE_NOOP("keyui::dialogs::ModuleSheet", "Module einstellen");

// Everything the module pages write into the document.
struct ModuleValues {
    std::array<std::pair<std::uint8_t, std::uint8_t>, kbxdoc::kLastModuleSlot - kbxdoc::kFirstModuleSlot + 1>
        options{};
    std::uint8_t threeTrack = 0;
    std::uint8_t lrc = 0;
    std::string badRead;
    friend bool operator==(const ModuleValues&, const ModuleValues&) = default;
};

ModuleValues moduleValuesOf(const kbxdoc::KeyboardData& keyboard) {
    ModuleValues values;
    for (std::size_t i = 0; i < values.options.size(); ++i) {
        const kbxdoc::KeyRecord& key = keyboard.keys[kbxdoc::kFirstModuleSlot + i];
        values.options[i] = {key.moduleOption1, key.moduleOption2};
    }
    values.threeTrack = keyboard.msrThreeTrack;
    values.lrc = keyboard.msrLrc;
    values.badRead = keyboard.msrBadRead.str();
    return values;
}

}  // namespace

ModuleSheet::ModuleSheet(KeyDocument& document, QWidget* parent)
    : PropertySheet(tr(kSheetTitle), parent), document_(document) {}

void ModuleSheet::accept() {
    const ModuleValues before = moduleValuesOf(document_.keyboard());
    PropertySheet::accept();
    // The layout file carries these values, so a change must not be lost
    // without the question whether to save.
    if (!(moduleValuesOf(document_.keyboard()) == before)) document_.recordChange(action::named(action::kModules));
}

std::unique_ptr<ModuleSheet> buildModuleSheet(QWidget* parent, KeyDocument& document,
                                              const ProgrammingOpener& openProgramming) {
    auto sheet = std::make_unique<ModuleSheet>(document, parent);
    for (const ModulePageRow& described : modulePages())
        sheet->addPage(new ModulePage(described.kind, document, openProgramming), ModulePage::tr(described.title));
    // All five page titles in view at once.
    sheet->tabs()->setUsesScrollButtons(false);
    return sheet;
}

void runModuleSheet(QWidget* parent, KeyDocument& document, const kbxdoc::ActiveContext& view,
                    const ProgrammingOpener& openProgramming) {
    (void)view;  // the module values are the document's own
    std::unique_ptr<ModuleSheet> sheet = buildModuleSheet(parent, document, openProgramming);
    sheet->exec();
}

}  // namespace keyui::dialogs
