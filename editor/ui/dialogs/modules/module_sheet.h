#pragma once

// The module sheet "Module einstellen": pages Barcode, Funktionskarte,
// Schlüsselschalter, KVK Leser and MSR with the modules' switches, and
// header and trailer buttons that open the programming sheet of the
// module's pseudo keys.

#include <functional>
#include <memory>

#include "editor/document/active_context.h"
#include "editor/ui/core/key_document.h"
#include "editor/ui/dialogs/sheet/property_sheet.h"

namespace keyui::dialogs {

// Opens the programming sheet of a key-table slot; true when it was closed
// with OK.
using ProgrammingOpener = std::function<bool(int slot)>;

class ModuleSheet : public PropertySheet {
    Q_OBJECT
public:
    ModuleSheet(KeyDocument& document, QWidget* parent = nullptr);

    // Writes the visited pages; the document is marked modified when a
    // module value changed.
    void accept() override;

private:
    KeyDocument& document_;
};

std::unique_ptr<ModuleSheet> buildModuleSheet(QWidget* parent, KeyDocument& document,
                                              const ProgrammingOpener& openProgramming);

// Command 32778. A header or trailer closed with OK marks the document
// modified.
void runModuleSheet(QWidget* parent, KeyDocument& document, const kbxdoc::ActiveContext& view,
                    const ProgrammingOpener& openProgramming);

}  // namespace keyui::dialogs
