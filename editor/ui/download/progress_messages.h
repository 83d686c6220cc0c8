#pragma once

// The messages kbx32 sends to the progress dialog, one line
// "kbx_message KIND VALUE" each on its standard output, and the failure
// texts of kinds 4 (compile) and 5 (download).

#include <optional>

#include <QByteArray>
#include <QString>

namespace keyui::download {

enum class MessageKind : int {
    progress = 0,       // 0-100: the bar of the current phase
    phaseFinished = 1,  // the current phase is complete
    compilePhase = 2,
    downloadPhase = 3,
    compileFailure = 4,   // negative: the reason; the log is shown
    downloadFailure = 5,  // negative: the reason
};

struct ProgressMessage {
    MessageKind kind;
    int value;
};

// The message of one complete line (without its line end), or nothing for
// any other line and for kinds outside 0-5.
std::optional<ProgressMessage> parseMessageLine(const QByteArray& line);

// The text for a failure message (kind 4 or 5, value -1, -2, ...), already
// translated; empty for a value without a text.
QString failureText(MessageKind kind, int value);

}  // namespace keyui::download
