#pragma once

// The key programming sheet: one programming page per named layer for one
// key-table slot, titled with the key in brackets.

#include <memory>

#include <QString>

#include "editor/document/active_context.h"
#include "editor/ui/core/key_document.h"
#include "editor/ui/dialogs/programming/capture_target.h"
#include "editor/ui/dialogs/sheet/property_sheet.h"

class QWidget;

namespace keyui::dialogs {

class ProgrammingPage;

class ProgrammingSheet : public PropertySheet {
    Q_OBJECT
public:
    ProgrammingSheet(const kbxdoc::ActiveContext& view, const QString& caption, QWidget* parent = nullptr);

    ProgrammingPage* programmingPage(int index) const;
    CaptureTarget& capture() { return capture_; }

    // Refuses a text the keyboard cannot take; otherwise writes every
    // visited page and refreshes the current-key copy when
    // exactly one key is selected; capture is off afterwards.
    void accept() override;
    void reject() override;

private:
    // A visited page whose text the compiler would refuse is shown with a
    // message, and the sheet stays open.
    bool refusesAProgramming();

    kbxdoc::ActiveContext view_;
    CaptureTarget capture_;
};

// "[A01]": the key identifier of an ordinary key, the pseudo-key name of
// slots 186-199, in brackets.
QString programmingSheetCaption(const kbxdoc::KeyRecord& key, int slot);
// The layer name, with "*" when the key has programming on that layer.
QString programmingPageTitle(const kbxdoc::KeyRecord& key, const kbxdoc::LayerTable& layers, int layer);

// The sheet for `slot` with one page per named layer, in layer order; null
// when the slot has no key record or no layer has a name. Opened on the
// first page.
std::unique_ptr<ProgrammingSheet> buildProgrammingSheet(QWidget* parent, KeyDocument& document,
                                                        const kbxdoc::ActiveContext& view, int slot);

// Command 121: the sheet for the highest-numbered selected key of `view`
// (nothing when none is selected, or when no layer has a name), opened on
// the page of view.currentLayer; afterwards the key is redrawn (exactly one
// key selected) and the document marked modified, whichever button closed
// it.
void runKeyProgramming(QWidget* parent, KeyDocument& document, const kbxdoc::ActiveContext& view);

// The sheet for one slot (module pseudo keys 186-199 get "[KLT]".."[M1H]"
// captions, other slots the key identifier), opened on its first page;
// true when closed with OK.
bool runSlotProgramming(QWidget* parent, KeyDocument& document, const kbxdoc::ActiveContext& view, int slot);

}  // namespace keyui::dialogs
