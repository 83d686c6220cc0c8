#pragma once

// One page of the key programming sheet: the programming text and the four
// key-local attributes of one key on one layer, the token list for
// insertion and the capture switch with its simulated modifiers.

#include <array>

#include <QPointer>

#include "editor/document/keyboard_data.h"
#include "editor/ui/dialogs/capture/capture_tokens.h"
#include "editor/ui/dialogs/sheet/property_sheet.h"

class QCheckBox;
class QLineEdit;
class QListWidget;
class QListWidgetItem;

namespace keyui::dialogs {

class CaptureTarget;

// Control ids of the page, used as object names ("edit11005").
inline constexpr int kProgrammingEditId = 11005;
inline constexpr int kTokenListId = 11035;
inline constexpr int kCaptureBoxId = 11025;
inline constexpr int kAttributeGroupId = 11033;
inline constexpr int kSimulateAltId = 11014;
inline constexpr int kSimulateControlId = 11013;
inline constexpr int kSimulateShiftId = 11012;

class ProgrammingPage : public SheetPage {
    Q_OBJECT
public:
    ProgrammingPage(kbxdoc::KeyRecord& key, int layer, CaptureTarget& capture, QWidget* parent = nullptr);
    ~ProgrammingPage() override;

    int layer() const { return layer_; }

    // SheetPage
    void initialise() override;
    void commit() override;
    // The layer entry the page stores on OK: the edited attributes and text.
    kbxdoc::LayerEntry editedEntry() const;
    void cancelled() override;

    // Capture: the token replaces the whole programming text.
    void replaceProgramming(const QString& token);
    capture::SimulatedModifiers simulatedModifiers() const;
    void showCaptureArmed(bool armed);

private:
    void insertToken(const QListWidgetItem* item);
    void buildControls();

    kbxdoc::KeyRecord& key_;
    int layer_;
    // Null once the sheet has dropped its capture (it goes before its pages).
    QPointer<CaptureTarget> capture_;
    QLineEdit* programming_ = nullptr;
    QListWidget* tokens_ = nullptr;
    std::array<QCheckBox*, 4> attributes_{};
    QCheckBox* captureBox_ = nullptr;
    QCheckBox* simulateAlt_ = nullptr;
    QCheckBox* simulateControl_ = nullptr;
    QCheckBox* simulateShift_ = nullptr;
};

// The model's programming text for an edited text: Windows-1252, ending at
// the first NUL, at most 178 characters.
std::string programmingTextOf(const QString& edited);

}  // namespace keyui::dialogs
