#pragma once

// The preview area of the caption options: a 13 x 13 mm key drawn from the
// working copy with the one legend drawing of the editor.

#include <QSize>
#include <QWidget>

#include "editor/ui/dialogs/caption/caption_working_copy.h"

namespace keyui::dialogs {

class CaptionPreview : public QWidget {
    Q_OBJECT
public:
    CaptionPreview(const CaptionWorkingCopy& copy, const kbxdoc::KeyboardData& keyboard, QWidget* parent = nullptr);

    QSize sizeHint() const override;
    // The preview as it is painted, for tests and screenshots.
    QImage rendered() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void paintPreview(QPainter& painter) const;

    const CaptionWorkingCopy& copy_;
    const kbxdoc::KeyboardData& keyboard_;
};

}  // namespace keyui::dialogs
