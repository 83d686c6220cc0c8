#include "tools/kbx32/help.h"

#include <cstdio>

#include "cli/exit_status.h"
#include "tools/kbx32/block_errors.h"
#include "tools/kbx32/command_line.h"
#include "tools/kbx32/messages.h"
#include "tools/kbx32/outcomes.h"

namespace kbx32 {

namespace {

constexpr char kUsage[] =
    "Usage: kbx32 SOURCE COMP\n"
    "       kbx32 [OPTION]... SOURCE INTERFACE\n"
    "       kbx32 [OPTION]... --if-changed SOURCE INTERFACE\n"
    "       kbx32 [OPTION]... --upload=IMAGE INTERFACE\n"
    "       kbx32 [OPTION]... --header=INTERFACE\n"
    "       kbx32 --list-ports\n"
    "       kbx32 --help | --version\n";

constexpr char kPurpose[] =
    "\n"
    "Compiles the layout source SOURCE (.kbf added when it has no extension) with\n"
    "the compiler library kbxc32 into the keyboard image beside it (SOURCE with\n"
    "the extension .kbx). The compiler's log goes beside it too: SOURCE with the\n"
    "extension .TXT for COMP, .LOG for a download. With COMP the run ends after\n"
    "compiling; any other second operand is the interface to download the image\n"
    "over with the interface library kbxi32 (AT, USB, COMn,\n"
    "COMn:baud,parity,bits[,rts], optionally with CHECK); the library's message\n"
    "(\" N bytes sent\" or the reason) is added to the .LOG file; when it cannot\n"
    "be, the run ends with exit status 3 (a download that failed before keeps its\n"
    "own) and names the log and the system's reason.\n"
    "\n"
    "--if-changed compiles SOURCE, reads the keyboard's header and downloads only\n"
    "when the keyboard holds another image (language, serial byte, length or\n"
    "checksum differ): exit 0 when it held this one already, 13 when it was\n"
    "downloaded, for deploying to many tills from configuration management.\n"
    "\n"
    "--upload reads the keyboard memory into the image file IMAGE; --header prints\n"
    "the first 8 bytes of the keyboard memory (identification, checksum, image\n"
    "length, language byte) as one line \"header XX XX XX XX XX XX XX XX\".\n"
    "A serial port COMn is the device given with --port for this run, else the\n"
    "device in the environment variable KBX_COMn when it is set, else\n"
    "/dev/ttyS(n-1); a USB-serial adapter is /dev/ttyUSBn or /dev/ttyACMn.\n"
    "--list-ports lists the serial ports present, each with the stable names of\n"
    "/dev/serial/by-id. A port that cannot be used is named on standard error\n"
    "with the device and the system's reason.\n"
    "\n"
    "Options (a value follows as --opt=value or as the next argument; \"--\" ends\n"
    "the options, so that an operand may start with a dash):\n";

constexpr char kCommonOptions[] =
    "  -h, --help            show this help and exit\n"
    "  --version             show the version and exit\n";

constexpr char kOutput[] =
    "\n"
    "When standard output is a terminal, a run shows one line per phase with its\n"
    "percentage and a bar, redrawn in place, and ends with one line that says\n"
    "what happened (\"layout.kbf: compiled, downloaded to COM1 (log layout.LOG)\")\n"
    "or the text of the failure. Otherwise, and with --messages, standard output\n"
    "carries only messages for the progress dialog (--header: its line), one line\n"
    "per message, written at once:\n"
    "\n"
    "  kbx_message KIND VALUE\n"
    "\n";

constexpr char kSequences[] =
    "\n"
    "A compile-only run that succeeds sends 2, its percentages (0), 1, then 3 and 1,\n"
    "so that the dialog ends as finished. A download sends 2, the compile\n"
    "percentages and 1, then 3, the download percentages and 1. An upload sends 3,\n"
    "its percentages and 1. A failure sends its kind 4 or 5 message last.\n"
    "Texts for people go to standard error, in UTF-8 (the libraries' own texts\n"
    "are converted from Windows-1252).\n"
    "\n";

constexpr std::size_t kRowCapacity = 160;

std::string messageRows() {
    std::string text = "  KIND  VALUE   MEANING\n";
    char row[kRowCapacity];
    for (const MessageRow& message : kMessages) {
        char value[16];
        if (message.value) std::snprintf(value, sizeof value, "%d", *message.value);
        else std::snprintf(value, sizeof value, "0-100");
        std::string_view meaning = message.dialogText.empty() ? message.description : message.dialogText;
        std::snprintf(row, sizeof row, "  %-5d %-7s %.*s\n", message.kind, value, int(meaning.size()), meaning.data());
        text += row;
    }
    return text;
}

std::string optionRows() {
    std::string text;
    char row[kRowCapacity];
    for (const OptionRow& option : kOptionRows) {
        std::snprintf(row, sizeof row, "  %-21.*s %.*s\n", int(option.shown.size()), option.shown.data(),
                      int(option.description.size()), option.description.data());
        text += row;
    }
    return text + kCommonOptions;
}

std::string blockErrorRows() {
    std::string text = "When --upload or --header cannot read the keyboard memory, the failure names\n"
                       "the block error of the last read:\n";
    char row[kRowCapacity];
    for (const BlockErrorRow& error : kBlockErrors) {
        std::snprintf(row, sizeof row, "  0x%02X  %.*s\n", unsigned(error.error), int(error.meaning.size()),
                      error.meaning.data());
        text += row;
    }
    std::snprintf(row, sizeof row,
                  "  0x%02X  added over the keyboard port; any other value is the send result\n"
                  "        of a read frame the keyboard did not take\n\n",
                  unsigned(kOverKeyboardPort));
    return text + row;
}

std::string exitRows() {
    return cli::exitStatusText(cli::exitCodesOf(kOutcomes, &OutcomeRow::exitCode, &OutcomeRow::description));
}

}  // namespace

std::string helpText() {
    return std::string(kUsage) + kPurpose + optionRows() + kOutput + messageRows() + kSequences + blockErrorRows() +
           exitRows();
}

std::string usageProblem(std::string_view problem) {
    std::string text = std::string(problem) + '\n' + kUsage;
    text.pop_back();
    return text;
}

}  // namespace kbx32
