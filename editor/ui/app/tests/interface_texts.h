#pragma once

// What the English interface tests read: the German source texts of the
// translation table, every text a widget tree shows, and a check that
// names the texts still German.

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPointer>
#include <QRegularExpression>
#include <QSet>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QXmlStreamReader>
#include <functional>

namespace keyui::app::testing {

inline const QString kEnglishTable = QStringLiteral(KBX_SOURCE_DIR "/editor/ui/translations/key_en.ts");

// One message of the table.
struct TableEntry {
    QString context;
    QString source;
    QString translation;
    QString type;  // "unfinished", "vanished", "obsolete" or empty
};

inline std::vector<TableEntry> readTranslationTable(const QString& path) {
    std::vector<TableEntry> entries;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return entries;
    QXmlStreamReader xml(&file);
    QString context;
    TableEntry entry;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isEndElement() && xml.name() == QLatin1String("message")) entries.push_back(entry);
        if (!xml.isStartElement()) continue;
        const QStringView name = xml.name();
        if (name == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (name == QLatin1String("message")) {
            entry = TableEntry{context, {}, {}, {}};
        } else if (name == QLatin1String("source")) {
            entry.source = xml.readElementText();
        } else if (name == QLatin1String("translation")) {
            entry.type = xml.attributes().value(QLatin1String("type")).toString();
            entry.translation = xml.readElementText();
        }
    }
    return entries;
}

// The German texts an English interface must not show: each source text
// whose translation differs, whole and line by line (a command's prompt is
// shown split into status tip and tool tip), without the blanks that pad
// group box titles.
inline QSet<QString> germanSourceTexts(const std::vector<TableEntry>& table) {
    QSet<QString> german;
    for (const TableEntry& entry : table) {
        if (entry.source == entry.translation) continue;
        german.insert(entry.source);
        german.insert(entry.source.trimmed());
        const QStringList sourceLines = entry.source.split(QLatin1Char('\n'));
        const QStringList translatedLines = entry.translation.split(QLatin1Char('\n'));
        for (qsizetype i = 0; i < sourceLines.size(); ++i)
            if (i >= translatedLines.size() || sourceLines[i] != translatedLines[i])
                german.insert(sourceLines[i].trimmed());
    }
    german.remove(QString());
    return german;
}

inline void addActionTexts(const QAction& action, QStringList& texts);

inline void addMenuTexts(const QMenu& menu, QStringList& texts) {
    texts << menu.title();
    for (const QAction* action : menu.actions()) addActionTexts(*action, texts);
}

inline void addActionTexts(const QAction& action, QStringList& texts) {
    texts << action.text() << action.toolTip() << action.statusTip();
    if (const QMenu* menu = action.menu()) addMenuTexts(*menu, texts);
}

// Every text `root` and its descendants show, hidden pages of tab widgets
// included: titles, tips, labels, buttons, group boxes, tabs, list and
// combo entries, read-only text, menus and actions.
inline QStringList interfaceTexts(const QWidget& root) {
    QList<const QWidget*> widgets{&root};
    for (const QWidget* child : root.findChildren<QWidget*>()) widgets.append(child);
    QStringList texts;
    for (const QWidget* widget : widgets) {
        if (widget->isWindow() || qobject_cast<const QToolBar*>(widget) != nullptr) texts << widget->windowTitle();
        texts << widget->toolTip() << widget->statusTip() << widget->whatsThis();
        for (const QAction* action : widget->actions()) addActionTexts(*action, texts);
        if (const auto* label = qobject_cast<const QLabel*>(widget)) texts << label->text();
        if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) texts << button->text();
        if (const auto* group = qobject_cast<const QGroupBox*>(widget)) texts << group->title();
        if (const auto* menu = qobject_cast<const QMenu*>(widget)) addMenuTexts(*menu, texts);
        if (const auto* tabs = qobject_cast<const QTabWidget*>(widget))
            for (int i = 0; i < tabs->count(); ++i) texts << tabs->tabText(i) << tabs->tabToolTip(i);
        if (const auto* combo = qobject_cast<const QComboBox*>(widget))
            for (int i = 0; i < combo->count(); ++i) texts << combo->itemText(i);
        if (const auto* list = qobject_cast<const QListWidget*>(widget))
            for (int i = 0; i < list->count(); ++i) texts << list->item(i)->text();
        if (const auto* edit = qobject_cast<const QPlainTextEdit*>(widget); edit != nullptr && edit->isReadOnly())
            texts << edit->toPlainText();
    }
    texts.removeAll(QString());
    texts.removeDuplicates();
    return texts;
}

// The texts of `shown` that are still German: a German source text, or any
// text with an umlaut or sharp s (a text the translation tools never saw).
// `data` holds what the layout itself shows (layer names, key captions);
// that is the user's data, not the interface, and may be German.
inline QStringList germanTextsAmong(const QStringList& shown, const QSet<QString>& german, const QSet<QString>& data) {
    static const QRegularExpression kGermanLetters(QStringLiteral("[äöüÄÖÜß]"));
    QStringList found;
    for (const QString& text : shown) {
        if (data.contains(text)) continue;
        if (german.contains(text) || german.contains(text.trimmed()) || text.contains(kGermanLetters)) found << text;
    }
    return found;
}

struct ModalDialogTexts {
    QStringList texts;
    int dialogs = 0;  // how many modal dialogs appeared
};

// Runs `open`, which shows modal dialogs, and collects the texts of each
// modal dialog that appears. `drive`, when given, gets the first dialog
// before it is closed; the dialogs and message boxes it opens are collected
// and closed in turn. Every dialog is closed with reject(). The drive runs
// from a timer of its own, since a timer does not fire again while its own
// handler runs a nested dialog.
inline ModalDialogTexts textsOfModalDialogs(const std::function<void()>& open,
                                            const std::function<void(QDialog&)>& drive = {}) {
    QStringList texts;
    int dialogs = 0;
    QPointer<QDialog> driven;
    bool first = true;
    QTimer poll;
    poll.setInterval(20);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr || dialog == driven) return;
        ++dialogs;
        texts << dialog->windowTitle() << interfaceTexts(*dialog);
        if (first && drive) {
            first = false;
            driven = dialog;
            QTimer::singleShot(0, dialog, [&, dialog] {
                drive(*dialog);
                texts << interfaceTexts(*dialog);
                dialog->reject();
            });
            return;
        }
        first = false;
        dialog->reject();
    });
    poll.start();
    open();
    QCoreApplication::processEvents();
    texts.removeAll(QString());
    texts.removeDuplicates();
    return {texts, dialogs};
}

}  // namespace keyui::app::testing
