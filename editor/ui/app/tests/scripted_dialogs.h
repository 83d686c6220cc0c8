#pragma once

// Answers the editor's dialogs from a script and records what was asked,
// so tests never wait on a modal dialog.

#include <deque>
#include <optional>

#include <QString>
#include <QStringList>

#include "editor/ui/app/user_dialogs.h"

namespace keyui::app::testing {

class ScriptedDialogs : public UserDialogs {
public:
    // Answers, used front first; an empty queue answers "cancel".
    std::deque<QString> openAnswers;
    std::deque<QString> saveAnswers;
    std::deque<SaveAnswer> saveQuestionAnswers;
    std::deque<kbxdoc::NewDocumentChoice> newDocumentAnswers;

    // What was asked.
    std::vector<FileDialogRequest> openRequests;
    std::vector<FileDialogRequest> saveRequests;
    QStringList errors;
    QStringList saveQuestions;  // document titles
    int newDocumentDialogs = 0;
    int aboutBoxes = 0;

    QString openFileName(QWidget*, const FileDialogRequest& request) override {
        openRequests.push_back(request);
        return take(openAnswers, QString());
    }
    QString saveFileName(QWidget*, const FileDialogRequest& request) override {
        saveRequests.push_back(request);
        return take(saveAnswers, QString());
    }
    void showError(QWidget*, const QString& text) override { errors.append(text); }
    SaveAnswer askToSave(QWidget*, const QString& title) override {
        saveQuestions.append(title);
        return take(saveQuestionAnswers, SaveAnswer::Cancel);
    }
    std::optional<kbxdoc::NewDocumentChoice> chooseNewDocument(QWidget*) override {
        ++newDocumentDialogs;
        if (newDocumentAnswers.empty()) return std::nullopt;
        return take(newDocumentAnswers, kbxdoc::NewDocumentChoice{});
    }
    void showAbout(QWidget*) override { ++aboutBoxes; }

private:
    template <typename T>
    static T take(std::deque<T>& queue, T otherwise) {
        if (queue.empty()) return otherwise;
        T answer = std::move(queue.front());
        queue.pop_front();
        return answer;
    }
};

}  // namespace keyui::app::testing
