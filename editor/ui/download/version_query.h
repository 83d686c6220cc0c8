#pragma once

// The keyboard version query of the about box (button 1002): binds the
// keyboard interface library by name, chooses USB or the keyboard port,
// tests the link, reads the 8-byte image header of the keyboard memory and
// turns it into the text of the static control 11058, then sends the closing
// command 0xEF 0x10. The calls block while the library waits for the keyboard
// (bounded by the library's own time-outs): the editor runs them on a thread
// of their own (version_query_worker.h).

#include <QString>
#include <array>
#include <optional>
#include <string>

#include "editor/ui/download/version_interface.h"
#include "kbx_sonames.h"

namespace keyui::download {

inline constexpr char kInterfaceLibraryFile[] = KBX_SONAME_KBXI32;

struct VersionQueryOptions {
    // The interface library to bind: a file name searched the normal way, or
    // a path.
    std::string libraryFile = kInterfaceLibraryFile;
    // The English result text instead of the German one.
    bool englishTexts = false;
};

struct VersionQueryResult {
    // The static text 11058; none = leave it unchanged. A header read that
    // gets no answer says so.
    std::optional<QString> text;
    // True when the text shows a header read from the keyboard (the about box
    // then moves the focus to its edit box).
    bool headerShown = false;
};

// Runs the whole query: binds options.libraryFile, asks the USB switch
// (usbChoiceEnabled()), runs runVersionQuery and unloads the library on every
// path.
VersionQueryResult queryKeyboardVersion(const VersionQueryOptions& options);

// The query over entry points already resolved, with the USB choice given:
// steps from the choice of the interface to the closing command.
VersionQueryResult runVersionQuery(const InterfaceEntries& entries, bool usbPresent, bool englishTexts);

// The result text for the 8 header bytes h0-h7 (firmware identification,
// checksum, language and lock byte, serial byte, image length).
QString versionText(const std::array<unsigned char, 8>& header, bool englishTexts);

// The language name of header byte h4 (its upper four bits); the indexes
// without a name (8-15) give the empty name.
const char* languageName(unsigned char languageByte);

}  // namespace keyui::download
