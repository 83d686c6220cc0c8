#pragma once

// The about box, dialog 100: the program title, the hint in the multi-line
// edit 11062 (English when the English texts are loaded) and the
// "Keyboard &Version" button 1002, whose query comes with the keyboard
// version work; until then it does nothing.

#include <QDialog>

class QPlainTextEdit;
class QPushButton;
class QLabel;

namespace keyui::app {

inline constexpr char kEnglishAboutHint[] =
    "Only press Keyboard Version Button, if drivers are installed and a Vyrn Keyboard is attached!";
inline constexpr char kGermanAboutHint[] =
    "Nur Keyboard Version drücken, wenn die Treiber installiert sind und ein Vyrn Keyboard angeschlossen ist!";

QString aboutHint(bool englishTexts);

class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget* parent = nullptr);

    QPlainTextEdit* hint() const { return hint_; }
    QPushButton* versionButton() const { return version_; }
    // The static text 11058 that receives the keyboard's answer.
    QLabel* result() const { return result_; }

signals:
    void keyboardVersionRequested();

private:
    QPlainTextEdit* hint_ = nullptr;
    QPushButton* version_ = nullptr;
    QLabel* result_ = nullptr;
};

}  // namespace keyui::app
