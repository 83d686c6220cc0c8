#pragma once

// The names a user types for the catalogue's models, model buttons and
// countries, compared without regard to letter case.

#include <optional>
#include <string>
#include <string_view>

namespace kbxlayout {

bool equalIgnoringCase(std::string_view a, std::string_view b);

// The model index of a model name ("Tarn", "nabe2").
std::optional<int> modelByName(std::string_view name);
// The button position of a template name ("GormA") or button text ("Gorm Alpha").
std::optional<int> buttonByTemplateName(std::string_view name);
// The country-list index of a two-letter language code ("GR").
std::optional<int> countryByCode(std::string_view code);

// The accepted names, comma-separated, for messages and --help.
std::string modelNames();
std::string templateNames();
std::string countryCodes();

}  // namespace kbxlayout
