// The keyboard version query: interface choice, link test, header, closing
// command.
#include "editor/ui/download/version_query.h"

#include <algorithm>
#include <cstdio>

#include "format/device_commands.h"
#include "format/keyboard_protocol.h"
#include "platform/usb_switch.h"

namespace keyui::download {
namespace {

constexpr char kNoKeyboard[] = "No Vyrn keyboard detected !";
// The link test passed (or the transport has none) but no header came back.
constexpr char kEnglishNoAnswer[] = "The keyboard did not answer.";
constexpr char kGermanNoAnswer[] = "Die Tastatur hat nicht geantwortet.";

constexpr unsigned char kAutomaticSelection = 0;
constexpr unsigned char kUsbSelection = 4;
constexpr unsigned char kLinkGood = 0;

constexpr char kUsbInterface[] = "USB CHECK";
constexpr char kPortInterface[] = "AT CHECK";
// The keyboard-port string keeps the selection made before, so a USB
// keyboard gets the closing command over USB.
constexpr char kCommandInterface[] = "AT ";
constexpr std::array<unsigned char, 2> kClosingCommand{kbx::protocol::kFramePrefix,
                                                      kbx::protocol::device_command::kClosing};

// The query's text buffer: the interface string going in, the library's
// message coming out.
constexpr std::size_t kTextCapacity = 256;
using TextBuffer = std::array<char, kTextCapacity>;

void putInterface(TextBuffer& buffer, const char* interfaceString) {
    std::snprintf(buffer.data(), buffer.size(), "%s", interfaceString);
}

struct InterfaceChoice {
    const char* interfaceString;
    bool closeUsbAtEnd;
    bool linkGood;
};

InterfaceChoice chooseInterface(const InterfaceEntries& entries, bool usbPresent) {
    if (usbPresent) {
        entries.setInterface(kUsbSelection);
        if (entries.checkInterface() == kLinkGood) return {kUsbInterface, true, true};
        entries.closeUsb();
    }
    entries.setInterface(kAutomaticSelection);
    const bool linkGood = entries.checkInterface() == kLinkGood;
    return {kPortInterface, false, linkGood};
}

void sendClosingCommand(const InterfaceEntries& entries, TextBuffer& buffer) {
    // Room for the reply the library may write back (serial only).
    std::array<unsigned char, KBXI_COMMAND_CAPACITY> bytes{};
    std::copy(kClosingCommand.begin(), kClosingCommand.end(), bytes.begin());
    int length = static_cast<int>(kClosingCommand.size());
    putInterface(buffer, kCommandInterface);
    entries.sendCommand(&length, bytes.data(), buffer.data());
}

}  // namespace

VersionQueryResult runVersionQuery(const InterfaceEntries& entries, bool usbPresent, bool englishTexts) {
    const InterfaceChoice choice = chooseInterface(entries, usbPresent);
    if (!choice.linkGood) return {QString::fromUtf8(kNoKeyboard), false};

    TextBuffer buffer{};
    putInterface(buffer, choice.interfaceString);
    std::array<unsigned char, KBXI_HEADER_SIZE> header{};
    if (entries.readHeader(header.data(), buffer.data()) != 0) {
        // The USB link opened for the query goes with it, so that no open link
        // outlives the unloaded library.
        if (choice.closeUsbAtEnd) entries.closeUsb();
        return {QString::fromUtf8(englishTexts ? kEnglishNoAnswer : kGermanNoAnswer), false};
    }

    VersionQueryResult result{versionText(header, englishTexts), true};
    sendClosingCommand(entries, buffer);
    if (choice.closeUsbAtEnd) entries.closeUsb();
    return result;
}

VersionQueryResult queryKeyboardVersion(const VersionQueryOptions& options) {
    const bool usbPresent = kbx::platform::usbChoiceEnabled();
    const BoundInterfaceLibrary library(options.libraryFile);
    if (!library.bound()) return {library.failure(), false};
    return runVersionQuery(library.entries(), usbPresent, options.englishTexts);
}

}  // namespace keyui::download
