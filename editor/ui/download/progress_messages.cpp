#include "editor/ui/download/progress_messages.h"

#include <QCoreApplication>
#include <QList>

#include "editor/ui/download/progress_dialog.h"

namespace keyui::download {

namespace {

constexpr char kMessageWord[] = "kbx_message";
constexpr int kFieldCount = 3;
constexpr int kLastKind = int(MessageKind::downloadFailure);

struct FailureText {
    MessageKind kind;
    int value;
    const char* text;
};

// Strings 11006-11008 (compile) and 11021-11027 (download).
constexpr FailureText kFailureTexts[] = {
    {MessageKind::compileFailure, -1, QT_TRANSLATE_NOOP("keyui::download::ProgressDialog", "Ein Compilierfehler ist aufgetreten")},
    {MessageKind::compileFailure, -2, QT_TRANSLATE_NOOP("keyui::download::ProgressDialog", "KBF - Datei wurde nicht gefunden")},
    {MessageKind::compileFailure, -3, QT_TRANSLATE_NOOP("keyui::download::ProgressDialog", "Ausgabedatei konnte nicht geöffnet werden")},
    {MessageKind::downloadFailure, -1, QT_TRANSLATE_NOOP("keyui::download::ProgressDialog", "Kein Dateiname angegeben")},
    {MessageKind::downloadFailure, -2, QT_TRANSLATE_NOOP("keyui::download::ProgressDialog", "COM - Port konnte nicht geöffnet werden")},
    {MessageKind::downloadFailure, -3, QT_TRANSLATE_NOOP("keyui::download::ProgressDialog", "Falsche Schnittstelle angegeben")},
    {MessageKind::downloadFailure, -4, QT_TRANSLATE_NOOP("keyui::download::ProgressDialog", "COM - Port konnte nicht geschlossen werden")},
    {MessageKind::downloadFailure, -5, QT_TRANSLATE_NOOP("keyui::download::ProgressDialog", "Download nicht möglich")},
    {MessageKind::downloadFailure, -6, QT_TRANSLATE_NOOP("keyui::download::ProgressDialog", "KBX - Datei ist ungültig")},
    {MessageKind::downloadFailure, -7, QT_TRANSLATE_NOOP("keyui::download::ProgressDialog", "KBX - Datei wurde nicht gefunden")},
};

}  // namespace

std::optional<ProgressMessage> parseMessageLine(const QByteArray& line) {
    const QList<QByteArray> fields = line.simplified().split(' ');
    if (fields.size() != kFieldCount || fields[0] != kMessageWord) return std::nullopt;
    bool kindIsNumber = false;
    bool valueIsNumber = false;
    const int kind = fields[1].toInt(&kindIsNumber);
    const int value = fields[2].toInt(&valueIsNumber);
    if (!kindIsNumber || !valueIsNumber || kind < 0 || kind > kLastKind) return std::nullopt;
    return ProgressMessage{MessageKind(kind), value};
}

QString failureText(MessageKind kind, int value) {
    for (const FailureText& row : kFailureTexts)
        if (row.kind == kind && row.value == value) return ProgressDialog::tr(row.text);
    return {};
}

}  // namespace keyui::download
