#pragma once

// "Tasten-Beschriftungseinstellungen": line spacing, margins, text and key
// colour and the caption font of the keyboard's defaults, of one key or of
// the selected keys, with a live preview. Controls are named by their ids
// ("edit11040", "button11029", "static11031", "button1", "button2").

#include <QDialog>

#include "editor/ui/dialogs/caption/caption_prompts.h"
#include "editor/ui/dialogs/caption/caption_working_copy.h"

class QLineEdit;

namespace keyui {
class KeyDocument;
}

namespace keyui::dialogs {

class CaptionPreview;

class CaptionOptionsDialog : public QDialog {
    Q_OBJECT
public:
    // `slot`: the key of the Key scope; Group starts from the view's highest
    // selected key; Global ignores it. The dialog needs a key for Key and
    // Group (see opensFor).
    CaptionOptionsDialog(QWidget* parent, KeyDocument& document, const kbxdoc::ActiveContext& view,
                         CaptionPrompts& prompts, CaptionScope scope, int slot = -1);

    // Whether the scope has something to edit: Global always, Key a slot
    // 0-200, Group at least one selected key.
    static bool opensFor(const kbxdoc::ActiveContext& view, CaptionScope scope, int slot);

    const CaptionWorkingCopy& workingCopy() const { return copy_; }
    CaptionPreview& preview() const { return *preview_; }

    void accept() override;
    // After either button the current-key copy follows the single selected
    // key, which a font choice changes even when the dialog is cancelled.
    void done(int result) override;

private:
    void buildControls();
    QLineEdit* numberEdit(const QString& id, double& value);
    void chooseColour(std::uint32_t& colour);
    void chooseFont();
    void writeToScope();

    KeyDocument& document_;
    kbxdoc::ActiveContext view_;
    CaptionPrompts& prompts_;
    CaptionScope scope_;
    int slot_ = -1;
    CaptionWorkingCopy copy_;
    CaptionPreview* preview_ = nullptr;
};

}  // namespace keyui::dialogs
