#pragma once

// A page of the module sheet: the module's switches, its header and
// trailer buttons and, on the KVK and MSR pages, the card format and the
// bad-read string.

#include <vector>

#include "editor/ui/dialogs/modules/module_controls.h"
#include "editor/ui/dialogs/modules/module_sheet.h"

class QButtonGroup;
class QCheckBox;
class QGridLayout;
class QLineEdit;

namespace keyui::dialogs {

class ModulePage : public SheetPage {
    Q_OBJECT
public:
    ModulePage(ModulePageKind kind, KeyDocument& document, ProgrammingOpener openProgramming,
               QWidget* parent = nullptr);

    ModulePageKind kind() const { return kind_; }

    void initialise() override;
    void commit() override;

private:
    struct SwitchBox {
        const ModuleSwitch* described;
        QCheckBox* box;
    };
    void addProgrammingButtons(QGridLayout& grid);
    void openProgramming(int slot);

    ModulePageKind kind_;
    KeyDocument& document_;
    ProgrammingOpener openProgramming_;
    std::vector<SwitchBox> switches_;
    QButtonGroup* kvkFormats_ = nullptr;  // KVK page only
    QLineEdit* badRead_ = nullptr;        // MSR page only
};

}  // namespace keyui::dialogs
