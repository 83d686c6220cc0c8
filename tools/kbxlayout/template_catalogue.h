#pragma once

// What the shipped layout templates are: one file per template name of the
// new-document buttons and country, and a Glidepoint file for the templates
// that have one.

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kbxlayout {

// A country of the new-document list with what its templates set: the
// language code, the lock behaviour of the country's keyboards, the
// compiler's character table for it and the token of the lock key.
struct TemplateCountry {
    std::string_view code;
    int characterTable;  // kbxc::Language
    bool shiftLock;      // ShiftLock, else CapsLock
    std::string_view lockKeyToken;
};
std::span<const TemplateCountry> templateCountries();

struct TemplateFile {
    std::string_view name;  // the template name of its button, also the folder
    int model;              // the catalogue's model for the button
    bool glidepoint;        // the Glidepoint variant ("g" before ".kbf")
    const TemplateCountry* country;
};

// Every template file: for each button and country the plain file, then the
// Glidepoint file where the button has one.
std::vector<TemplateFile> templateFiles();

// "<name>/<code><name>[g].kbf", relative to the template folder.
std::string templateRelativePath(const TemplateFile& file);

}  // namespace kbxlayout
