#include "editor/ui/dialogs/layers/layer_sheet.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QTabWidget>

#include "editor/ui/dialogs/layers/layer_page.h"
#include "editor/document/settings_file.h"
#include "editor/ui/core/editor_state.h"
#include "editor/ui/core/texts.h"
#include "editor/ui/core/action_names.h"

namespace keyui::dialogs {

// The sheet is a plain property sheet; its texts are translated in this
// context.
struct LayerSheet {
    Q_DECLARE_TR_FUNCTIONS(keyui::dialogs::LayerSheet)
};

namespace {

constexpr char kSheetTitle[] = QT_TRANSLATE_NOOP("keyui::dialogs::LayerSheet", "Layer definieren");
constexpr char kNewLayerTitle[] = QT_TRANSLATE_NOOP("keyui::dialogs::LayerSheet", "Neuer Layer");
constexpr char kSaveFailed[] = QT_TRANSLATE_NOOP(
    "keyui::dialogs::LayerSheet",
    "Die Layerdefinitionen konnten nicht in die Datei %1 geschrieben werden.\n"
    "Die Änderungen gelten nur bis zum Programmende.");

void saveLayerTable(QWidget* parent, kbxdoc::LayerTable& layers, const std::filesystem::path& settingsFile,
                    const FailureNotifier& notify) {
    kbxdoc::WindowPlacement unused;
    if (kbxdoc::accessSettingsFile(settingsFile, kbxdoc::kWriteLayerTable, unused, layers)) return;
    if (notify) notify(parent, LayerSheet::tr(kSaveFailed).arg(fromFileName(settingsFile.string())));
}

}  // namespace

FailureNotifier messageBoxNotifier() {
    return [](QWidget* parent, const QString& message) {
        QMessageBox::warning(parent, QCoreApplication::applicationName(), message);
    };
}

std::unique_ptr<PropertySheet> buildLayerSheet(QWidget* parent, kbxdoc::LayerTable& layers,
                                               std::filesystem::path settingsFile, FailureNotifier notify) {
    auto sheet = std::make_unique<PropertySheet>(LayerSheet::tr(kSheetTitle), parent);
    PropertySheet* sheetPointer = sheet.get();
    bool newLayerPageAdded = false;
    for (int index = 0; index < kbxdoc::kLayerCount; ++index) {
        kbxdoc::LayerDefinition& definition = layers[static_cast<std::size_t>(index)];
        const bool isFree = definition.name.empty();
        if (isFree && newLayerPageAdded) continue;
        auto page = std::make_unique<LayerPage>(definition, index, isFree);
        LayerPage* pagePointer = page.get();
        if (isFree) {
            newLayerPageAdded = true;
            page->setRetitle([sheetPointer, pagePointer](const QString& name) {
                sheetPointer->setPageTitle(sheetPointer->tabs()->indexOf(pagePointer), name);
            });
        }
        sheet->addPage(page.release(), isFree ? LayerSheet::tr(kNewLayerTitle) : fromAnsi(definition.name.view()));
    }
    // The pages have written their values by the time the sheet reports OK.
    QObject::connect(sheetPointer, &QDialog::accepted, sheetPointer,
                     [sheetPointer, &layers, file = std::move(settingsFile), notify = std::move(notify)] {
                         saveLayerTable(sheetPointer, layers, file, notify);
                     });
    return sheet;
}

void runLayerSheet(QWidget* parent, KeyDocument& document, const kbxdoc::ActiveContext& view) {
    EditorState& state = editorState();
    kbxdoc::LayerTable& layers = view.layers != nullptr ? *view.layers : state.layers;
    auto sheet = buildLayerSheet(parent, layers, state.settingsFile, messageBoxNotifier());
    const bool confirmed = sheet->exec() == QDialog::Accepted;
    if (confirmed) document.layerListChanged();
    document.recordChange(action::named(action::kLayers));
}

}  // namespace keyui::dialogs
