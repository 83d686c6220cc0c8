#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

#include "tools/kbx32/messages.h"

// How a run of kbx32 ends: its exit status and the message that tells the
// dialog about a failure.
namespace kbx32 {

// In the order of the rows of kOutcomes.
enum class Outcome {
    success,
    compileError,
    sourceNotFound,
    logNotOpened,
    compilerUnavailable,
    noImageName,
    portNotOpened,
    wrongInterface,
    transferFailed,
    imageInvalid,
    imageNotFound,
    interfaceUnavailable,
    noKeyboardFound,
    imageReplaced,
    outputNotWritten,
    uploadFailed,
    headerFailed,
    usage,
};

struct OutcomeRow {
    Outcome outcome;
    int exitCode;
    std::optional<Message> failure;  // sent to the dialog when the run fails
    std::string_view description;    // for --help
    std::string_view ownText = {};   // told to the person instead of the dialog's text, when given
};

inline constexpr std::array kOutcomes{
    OutcomeRow{Outcome::success, 0, std::nullopt,
               "the layout was compiled (and downloaded), the upload or header query worked, or with --if-changed "
               "the keyboard already held the image"},
    OutcomeRow{Outcome::compileError, 1, Message::compileError,
               "the compiler reported errors or could not write the image; see the log"},
    OutcomeRow{Outcome::sourceNotFound, 2, Message::sourceNotFound, "the source file cannot be read"},
    OutcomeRow{Outcome::logNotOpened, 3, Message::outputNotOpened, "the log file cannot be written"},
    OutcomeRow{Outcome::compilerUnavailable, 4, Message::compileError,
               "the compiler library (kbxc32) or its entry kbxc cannot be loaded"},
    OutcomeRow{Outcome::noImageName, 5, Message::noFileName, "no image file name was given"},
    OutcomeRow{Outcome::portNotOpened, 6, Message::portNotOpened, "the serial port cannot be opened or set up"},
    OutcomeRow{Outcome::wrongInterface, 7, Message::wrongInterface, "the interface string is not known"},
    OutcomeRow{Outcome::transferFailed, 8, Message::downloadNotPossible,
               "the keyboard did not take the image, or the USB library (kbxusb) cannot be loaded"},
    OutcomeRow{Outcome::imageInvalid, 9, Message::imageInvalid, "the image file is not a keyboard image"},
    OutcomeRow{Outcome::imageNotFound, 10, Message::imageNotFound, "the image file cannot be read"},
    OutcomeRow{Outcome::interfaceUnavailable, 11, Message::downloadNotPossible,
               "the interface library (kbxi32) or one of its entries cannot be loaded"},
    OutcomeRow{Outcome::noKeyboardFound, 12, Message::portNotOpened,
               "the serial port opened, but no keyboard answered at any of the searched line settings",
               "no keyboard answered"},
    OutcomeRow{Outcome::imageReplaced, 13, std::nullopt,
               "with --if-changed: the keyboard held another image and now holds this one"},
    OutcomeRow{Outcome::outputNotWritten, 14, std::nullopt,
               "standard output cannot be written (a full disk, a closed pipe)"},
    OutcomeRow{Outcome::uploadFailed, 15, Message::downloadNotPossible,
               "--upload: the keyboard memory could not be read (the block error is named) or the image file "
               "not written",
               "upload failed"},
    OutcomeRow{Outcome::headerFailed, 16, Message::downloadNotPossible,
               "--header, --if-changed: the keyboard's header could not be read (the block error is named)",
               "header query failed"},
    OutcomeRow{Outcome::usage, 64, std::nullopt, "wrong arguments; nothing was done"},
};

constexpr bool rowsFollowTheOutcomes() {
    for (std::size_t i = 0; i < kOutcomes.size(); ++i)
        if (kOutcomes[i].outcome != Outcome(i)) return false;
    return true;
}
static_assert(rowsFollowTheOutcomes(), "one row per Outcome, in enum order");

inline const OutcomeRow& outcomeRow(Outcome outcome) { return kOutcomes[std::size_t(outcome)]; }

}  // namespace kbx32
