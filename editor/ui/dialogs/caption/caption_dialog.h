#pragma once

// "Tastenbeschriftung ändern [A01]": the caption text of one key, with a
// line break button, a picture choice and the key's local caption options.
// Controls are named by their ids ("edit11020", "button1004", "button1005",
// "button1003", "button1", "button2").

#include <QDialog>

#include "editor/document/active_context.h"
#include "editor/ui/dialogs/caption/caption_prompts.h"

class QLineEdit;

namespace keyui {
class KeyDocument;
}

namespace keyui::dialogs {

inline constexpr char kLineBreakCode[] = "\\line";
inline constexpr char kPictureCode[] = "\\*picfile:";
// The layout file keeps this many characters of a caption; the edit takes
// no more, so what is stored is what is saved.
inline constexpr int kMaxCaptionCharacters = 511;

// The caption into the key's buffer: the buffer grows to the text's length
// + 1 when it is too small and never shrinks.
void storeCaption(kbxdoc::KeyRecord& key, std::string_view caption);

class CaptionDialog : public QDialog {
    Q_OBJECT
public:
    // `slot` is a key-table slot 0-200.
    CaptionDialog(QWidget* parent, KeyDocument& document, const kbxdoc::ActiveContext& view, CaptionPrompts& prompts,
                  int slot);

    void accept() override;

private:
    void insertLineBreak();
    void choosePicture();
    void openLocalOptions();

    KeyDocument& document_;
    kbxdoc::ActiveContext view_;
    CaptionPrompts& prompts_;
    int slot_;
    QLineEdit* edit_ = nullptr;
};

}  // namespace keyui::dialogs
