#pragma once

// The `new` subcommand's document: a template of the catalogue read through
// the layout reader, or the built-in layout of a model, as the editor's
// new-document flow makes them.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "editor/document/new_document.h"
#include "tools/kbxlayout/command_line.h"
#include "tools/kbxlayout/outcomes.h"
#include "tools/kbxlayout/tool_document.h"

namespace kbxlayout {

// The template file of a choice inside a folder of templates (a folder laid
// out as the program's "LAY" folder: one folder per template name).
std::filesystem::path templateFileIn(const std::filesystem::path& folder, const kbxdoc::NewDocumentChoice& choice);

struct NewLayout {
    Outcome outcome = Outcome::success;
    std::string subject;  // the name or file a failure is about
    std::string reason;   // what went wrong
    std::optional<std::filesystem::path> templateFile;  // the template that was read
    int model = 0;  // the model of the built-in layout when no template was read
};

// Fills `document` as the options ask. `templateFolders` are tried in order
// when the options name none.
NewLayout makeNewLayout(ToolDocument& document, const NewOptions& options,
                        const std::vector<std::filesystem::path>& templateFolders);

}  // namespace kbxlayout
