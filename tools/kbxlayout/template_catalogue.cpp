#include "tools/kbxlayout/template_catalogue.h"

#include <array>

#include "compiler/conversion/character_tables.h"
#include "editor/document/new_document.h"

namespace kbxlayout {
namespace {

// German and French keyboards lock Shift, the others lock the capitals.
constexpr std::string_view kCapsLockToken = "{CapsLock}";
constexpr std::string_view kShiftLockToken = "{ShiftLock}";

constexpr std::array<TemplateCountry, 8> kCountries{{
    {"GR", kbxc::kGR, true, kShiftLockToken},
    {"US", kbxc::kUS, false, kCapsLockToken},
    {"IT", kbxc::kIT, false, kCapsLockToken},
    {"FR", kbxc::kFR, true, kShiftLockToken},
    {"SF", kbxc::kSF, false, kCapsLockToken},
    {"SG", kbxc::kSG, false, kCapsLockToken},
    {"UK", kbxc::kUK, false, kCapsLockToken},
    {"SP", kbxc::kSP, false, kCapsLockToken},
}};

constexpr char kFolderSeparator = '/';
constexpr std::string_view kGlidepointSuffix = "g";
constexpr std::string_view kTemplateExtension = ".kbf";

}  // namespace

std::span<const TemplateCountry> templateCountries() { return kCountries; }

std::vector<TemplateFile> templateFiles() {
    std::vector<TemplateFile> files;
    const auto buttons = kbxdoc::modelButtons();
    for (std::size_t position = 0; position < buttons.size(); ++position) {
        const kbxdoc::ModelButton& button = buttons[position];
        const int model = kbxdoc::modelForButton(static_cast<int>(position));
        for (const TemplateCountry& country : kCountries) {
            files.push_back({button.templateName, model, false, &country});
            if (button.glidepointVariant) files.push_back({button.templateName, model, true, &country});
        }
    }
    return files;
}

std::string templateRelativePath(const TemplateFile& file) {
    std::string path(file.name);
    path += kFolderSeparator;
    path += file.country->code;
    path += file.name;
    if (file.glidepoint) path += kGlidepointSuffix;
    path += kTemplateExtension;
    return path;
}

}  // namespace kbxlayout
