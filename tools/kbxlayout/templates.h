#pragma once

// The layout templates the new-document dialog opens, made with the
// editor's own document code and saved as its writer saves any layout.

#include <string>

#include "editor/document/active_context.h"
#include "tools/kbxlayout/template_catalogue.h"

namespace kbxlayout {

// Fills the context's keyboard data with one template: the reset keyboard,
// the model laid out with the default layer name, the country's language
// and lock, legends, and the typing block programmed on the normal and the
// shift layer. The context's layer table must be the default one.
void buildTemplate(kbxdoc::ActiveContext& context, const TemplateFile& file);

// Writes every template file below `folder` ("<folder>/<name>/<code><name>
// [g].kbf"), creating the folders it needs. Empty on success, else what went
// wrong.
std::string generateTemplates(const std::string& folder);

}  // namespace kbxlayout
