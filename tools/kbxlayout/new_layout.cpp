#include "tools/kbxlayout/new_layout.h"

#include <system_error>

#include "editor/document/catalogue.h"
#include "editor/document/key_table.h"
#include "editor/document/opos_defaults.h"
#include "editor/persist/layout_reader.h"
#include "editor/persist/reader_state.h"
#include "tools/kbxlayout/catalogue_names.h"
#include "tools/kbxlayout/program_folder.h"

namespace kbxlayout {
namespace {

constexpr char kUnknownModel[] = "no such model (models: ";
constexpr char kUnknownTemplate[] = "no such template (templates: ";
constexpr char kUnknownCountry[] = "no such country (countries: ";
constexpr char kListEnd[] = ")";
constexpr char kNoFolder[] = "no such folder";

NewLayout failure(Outcome outcome, std::string subject, std::string reason) {
    NewLayout result;
    result.outcome = outcome;
    result.subject = std::move(subject);
    result.reason = std::move(reason);
    return result;
}

bool isFile(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

// The built-in layout: the reset's defaults, the model, no kept lines, the
// keys laid out with the default layer name.
void layOutBuiltIn(ToolDocument& document, int model) {
    kbxdoc::resetKeyboardData(document.context);
    document.keyboard->keptLines.clear();
    kbxdoc::setModelAndLayOut(document.context, model, true);
}

void readOposDefaults(ToolDocument& document) {
    kbxdoc::readOposDefaults(document.context);
}

}  // namespace

std::filesystem::path templateFileIn(const std::filesystem::path& folder, const kbxdoc::NewDocumentChoice& choice) {
    // The catalogue's path below the program folder starts with the name of
    // the template folder; the rest is the same in any folder of templates.
    const std::string belowProgram = kbxdoc::templatePath("", choice);
    const std::size_t separator = belowProgram.find('/');
    return folder / belowProgram.substr(separator == std::string::npos ? 0 : separator + 1);
}

NewLayout makeNewLayout(ToolDocument& document, const NewOptions& options,
                        const std::vector<std::filesystem::path>& templateFolders) {
    kbxdoc::NewDocumentChoice choice;
    choice.glidepoint = options.glidepoint;
    choice.opos = options.opos;
    if (options.country) {
        const std::optional<int> country = countryByCode(*options.country);
        if (!country) return failure(Outcome::unknownName, *options.country, kUnknownCountry + countryCodes() + kListEnd);
        choice.countryIndex = *country;
    }

    NewLayout result;
    if (options.model) {
        const std::optional<int> model = modelByName(*options.model);
        if (!model) return failure(Outcome::unknownName, *options.model, kUnknownModel + modelNames() + kListEnd);
        result.model = *model;
    } else {
        const std::string& name = options.templateName.value_or(std::string());
        const std::optional<int> button = buttonByTemplateName(name);
        if (!button) return failure(Outcome::unknownName, name, kUnknownTemplate + templateNames() + kListEnd);
        choice.buttonPosition = *button;
        result.model = kbxdoc::modelForButton(*button);

        std::optional<std::filesystem::path> folder;
        if (options.templateFolder) {
            folder = firstExistingFolder({*options.templateFolder});
            if (!folder) return failure(Outcome::inputUnreadable, *options.templateFolder, kNoFolder);
        } else {
            folder = firstExistingFolder(templateFolders);
        }
        // As in the dialog: a template that is missing or does not open
        // leaves the built-in layout of the button's model.
        if (folder) {
            const std::filesystem::path file = templateFileIn(*folder, choice);
            if (isFile(file) && kbxdoc::loadLayout(document.context, file.string())) result.templateFile = file;
        }
    }

    if (!result.templateFile) {
        layOutBuiltIn(document, result.model);
        // The dialog's country only picks a template; a layout without one
        // takes the country the user named.
        if (options.country) document.keyboard->languageCode = kbxdoc::languageCode(choice.countryIndex);
    }
    // The editor reads these lines after the template has been read, or
    // after the first save of a built-in layout; the tool reads them before
    // its only save so that the file carries them in both cases.
    if (choice.opos) readOposDefaults(document);
    return result;
}

}  // namespace kbxlayout
