#pragma once

// The about box, dialog 100: the program title, the hint in the multi-line
// edit 11062 (English when the English texts are loaded) and the
// "Keyboard &Version" button 1002, which asks the attached keyboard for the
// header of its image once per opening and shows the answer in the static
// text 11058. The query runs beside the window, which keeps answering.

#include <QDialog>
#include <functional>

#include "editor/ui/download/version_query.h"

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

    // The query the button runs; by default the keyboard version query over
    // the interface library, in the language of the editor's texts.
    using VersionQuery = std::function<download::VersionQueryResult()>;
    void setVersionQuery(VersionQuery query) { query_ = std::move(query); }

signals:
    void keyboardVersionRequested();
    // The query's answer is on show (or the text before it, when the
    // answer had none).
    void keyboardVersionShown();

private:
    void queryKeyboardVersion();
    void showAnswer(const download::VersionQueryResult& answer);

    VersionQuery query_;
    bool queryStarted_ = false;
    QString textBeforeQuery_;
    QPlainTextEdit* hint_ = nullptr;
    QPushButton* version_ = nullptr;
    QLabel* result_ = nullptr;
};

}  // namespace keyui::app
