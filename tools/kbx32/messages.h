#pragma once

#include <array>
#include <cstddef>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

// The messages kbx32 sends to the editor's "Compile & Download" dialog, and
// how they travel: one line "kbx_message KIND VALUE" on standard output per
// message, flushed at once.
namespace kbx32 {

// In the order of the rows of kMessages.
enum class Message {
    compilePhase,       // the compile phase begins
    progress,           // percentage of the current phase
    phaseFinished,      // the current phase is complete
    downloadPhase,      // the download phase begins
    compileError,       // compile failures (kind 4)
    sourceNotFound,
    outputNotOpened,
    noFileName,         // download failures (kind 5)
    portNotOpened,
    wrongInterface,
    portNotClosed,
    downloadNotPossible,
    imageInvalid,
    imageNotFound,
};

struct MessageRow {
    Message message;
    int kind;
    std::optional<int> value;      // the fixed value; none: the sender gives it
    std::string_view dialogText;   // what the dialog shows for it, empty for kinds 0-3
    std::string_view description;  // for --help
};

// Kinds, values and texts as the dialog understands them; one row each.
inline constexpr std::array kMessages{
    MessageRow{Message::compilePhase, 2, 0, "", "compile phase begins"},
    MessageRow{Message::progress, 0, std::nullopt, "", "percentage of the current phase"},
    MessageRow{Message::phaseFinished, 1, 0, "", "current phase finished"},
    MessageRow{Message::downloadPhase, 3, 0, "", "download phase begins"},
    MessageRow{Message::compileError, 4, -1, "Ein Compilierfehler ist aufgetreten", "compile errors, listed in the log"},
    MessageRow{Message::sourceNotFound, 4, -2, "KBF - Datei wurde nicht gefunden", "the source cannot be read"},
    MessageRow{Message::outputNotOpened, 4, -3, "Ausgabedatei konnte nicht geöffnet werden",
               "the log cannot be written"},
    MessageRow{Message::noFileName, 5, -1, "Kein Dateiname angegeben", "no image file name"},
    MessageRow{Message::portNotOpened, 5, -2, "COM - Port konnte nicht geöffnet werden", "the port cannot be opened"},
    MessageRow{Message::wrongInterface, 5, -3, "Falsche Schnittstelle angegeben", "unknown interface"},
    MessageRow{Message::portNotClosed, 5, -4, "COM - Port konnte nicht geschlossen werden",
               "the port cannot be closed"},
    MessageRow{Message::downloadNotPossible, 5, -5, "Download nicht möglich", "the image cannot be downloaded"},
    MessageRow{Message::imageInvalid, 5, -6, "KBX - Datei ist ungültig", "the image is not valid"},
    MessageRow{Message::imageNotFound, 5, -7, "KBX - Datei wurde nicht gefunden", "the image cannot be read"},
};

constexpr bool rowsFollowTheMessages() {
    for (std::size_t i = 0; i < kMessages.size(); ++i)
        if (kMessages[i].message != Message(i)) return false;
    return true;
}
static_assert(rowsFollowTheMessages(), "one row per Message, in enum order");

inline const MessageRow& messageRow(Message message) { return kMessages[std::size_t(message)]; }

// The line for a message: "kbx_message 4 -1". `value` counts only for
// messages without a fixed value.
std::string messageLine(Message message, int value = 0);

struct RunSummary;

// Where the steps send their messages: the line protocol for the dialog or
// the progress bar at a terminal (message_output.h chooses). The steps do
// not know which one listens.
class MessageChannel {
public:
    virtual ~MessageChannel() = default;
    virtual void send(Message message, int value = 0) = 0;
    // The end of the run, told once after the last message.
    virtual void finish(const RunSummary& summary) = 0;
};

// Sends message lines to one stream (standard output in the program), each
// flushed at once. A failed write does not stop the run: the compilation
// goes on when nobody listens, and the program reports the lost output at
// its end. The summary adds nothing: the dialog knows the end by the last
// message.
class MessageLines final : public MessageChannel {
public:
    explicit MessageLines(std::FILE* stream) : stream_(stream) {}
    void send(Message message, int value = 0) override;
    void finish(const RunSummary& /*summary*/) override {}

private:
    std::FILE* stream_;
};

}  // namespace kbx32
