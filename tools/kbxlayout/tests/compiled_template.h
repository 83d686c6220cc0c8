#pragma once

// A committed template compiled by the layout compiler, its image read back
// with the dump's reader, and what its keys send as the keyboard plays
// their definitions.

#include <cstdint>
#include <filesystem>
#include <ostream>
#include <string_view>
#include <vector>

#include "kbxdump/image.h"
#include "tools/kbxlayout/template_catalogue.h"

namespace kbxlayout::testing {

using kbxdump::Bytes;

// What a key sends when it goes down and when it comes up.
struct Keystroke {
    Bytes press;
    Bytes release;
    friend bool operator==(const Keystroke&, const Keystroke&) = default;
};
void PrintTo(const Keystroke& keystroke, std::ostream* out);

// The break codes of a run of make codes: bit 7 set on every byte but an E0
// prefix.
Bytes breakCodesOf(const Bytes& makeCodes);

// What the keyboard sends for one definition: its bytes on its trigger
// (press, release, or both); with make/break its bytes on press and their
// break codes on release.
Keystroke sentBy(const kbxdump::DefinitionRecord& record);

class CompiledTemplate {
public:
    // Compiles the file below `tree` and reads its image; throws with the
    // compiler's log or the reader's error when either fails.
    CompiledTemplate(const std::filesystem::path& tree, const TemplateFile& file);

    // What the key with that identifier ("B01") sends while the conditions
    // (condition bits 0-6 as the definitions test them) hold: one keystroke
    // per definition that applies then, in the image's order.
    std::vector<Keystroke> keystrokes(std::string_view identifier, std::uint8_t conditions) const;

private:
    kbxdump::Image image_;
};

}  // namespace kbxlayout::testing
