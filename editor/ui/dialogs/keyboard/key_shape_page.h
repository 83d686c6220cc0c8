#pragma once

// Page "Tastenform": the caption zone of a 1x1 key, 12 or 13 mm. Changing it
// resizes every single-size key.

#include <array>

#include "editor/document/active_context.h"
#include "editor/ui/dialogs/sheet/property_sheet.h"

class QRadioButton;

namespace keyui::dialogs {

inline constexpr int kKeyShapeCount = 2;

class KeyShapePage : public SheetPage {
    Q_OBJECT
public:
    // The context's keyboard is the one edited; its observer redraws the views.
    explicit KeyShapePage(const kbxdoc::ActiveContext& context, QWidget* parent = nullptr);

    void initialise() override;
    void commit() override;

private:
    kbxdoc::ActiveContext context_;
    std::array<QRadioButton*, kKeyShapeCount> shapes_{};
};

}  // namespace keyui::dialogs
