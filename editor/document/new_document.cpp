#include "editor/document/new_document.h"

#include <filesystem>
#include <system_error>

namespace kbxdoc {
namespace {

// Windows-1252, as every text of the document.
constexpr std::array<std::string_view, 8> kCountries{
    "GR - Deutschland",
    "US - International",
    "IT - Italien (142)",
    "FR - Frankreich (189)",
    "SF - Schweiz franz\xF6sisch",
    "SG - Schweiz deutsch",
    "UK - Gro\xDF" "britannien (166)",
    "SP - Spanien",
};
constexpr std::size_t kLanguageCodeLength = 2;

// The model each button's template is made for. Templates of variants
// without a model of their own are laid out as the nearest model:
// Gorm Alpha as Pell (the alphanumeric model with Gorm's 16 columns), Nabe3
// as Nabe2, Quin V0 as Velk (its V1 is a Velk variant), Quin V1 (VelkA) and
// Tarn Alpha as Orsk (the wide alphanumeric model with a numeric block,
// like Velk and Tarn, and like them offered with Glidepoint), and Rill as
// Lumo, the model of a fresh keyboard reset.
constexpr std::array<ModelButton, kModelButtonCount> kButtons{{
    {11022, "Dalo", "dalo", false, 9},
    {11023, "Fenk", "Fenk", false, 10},
    {11024, "Gorm", "Gorm", false, 6},
    {11025, "Gorm Alpha", "GormA", false, 5},
    {11026, "Hask W/X", "Hask", false, 0},
    {11027, "Jalm W/X", "Jalm", false, 1},
    {11028, "Kesp W/X", "Kesp", false, 2},
    {11029, "Lumo W/X", "Lumo", false, 3},
    {11030, "Mirk", "Mirk", false, 7},
    {11031, "Nabe", "Nabe", false, 8},
    {11032, "Nabe2", "Nabe2", false, 12},
    {11033, "Nabe3", "Nabe3", false, 12},
    {11034, "Orsk", "Orsk", true, 4},
    {11035, "Pell", "Pell", false, 5},
    {11036, "Quin V0", "Quin", false, 13},
    {11037, "Velk", "Velk", false, 13},
    {11038, "Quin V1", "VelkA", true, 4},
    {11039, "Tarn", "Tarn", false, 14},
    {11040, "Tarn Alpha", "TarnA", true, 4},
    {11041, "Rill", "Rill", false, 3},
}};

constexpr char kFolderSeparator = '/';
constexpr std::string_view kTemplateFolder = "LAY/";
constexpr std::string_view kGlidepointSuffix = "g";
constexpr std::string_view kTemplateExtension = ".kbf";

bool fileExists(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

}  // namespace

std::span<const std::string_view> countryEntries() { return kCountries; }

std::string_view languageCode(int countryIndex) {
    const bool inList = countryIndex >= 0 && countryIndex < static_cast<int>(kCountries.size());
    return kCountries[inList ? static_cast<std::size_t>(countryIndex) : 0].substr(0, kLanguageCodeLength);
}

std::span<const ModelButton> modelButtons() { return kButtons; }

const ModelButton* modelButton(int position) {
    if (position < 0 || position >= kModelButtonCount) return nullptr;
    return &kButtons[static_cast<std::size_t>(position)];
}

int modelForButton(int position) {
    const ModelButton* button = modelButton(position);
    return (button != nullptr ? *button : kButtons[0]).model;
}

std::string templatePath(std::string_view programFolder, const NewDocumentChoice& choice) {
    const ModelButton* found = modelButton(choice.buttonPosition);
    const ModelButton& button = found != nullptr ? *found : kButtons[0];
    std::string path{programFolder};
    if (!path.empty() && path.back() != kFolderSeparator) path += kFolderSeparator;
    path += kTemplateFolder;
    path += button.templateName;
    path += kFolderSeparator;
    path += languageCode(choice.countryIndex);
    path += button.templateName;
    if (choice.glidepoint && button.glidepointVariant) path += kGlidepointSuffix;
    path += kTemplateExtension;
    return path;
}

NewDocumentResult confirmNewDocument(std::string_view programFolder, const NewDocumentChoice& choice,
                                     const TemplateOpener& openTemplate) {
    NewDocumentResult result;
    result.confirmed = true;
    result.buttonPosition = modelButton(choice.buttonPosition) != nullptr ? choice.buttonPosition : 0;
    result.model = modelForButton(result.buttonPosition);
    result.oposRequested = choice.opos;
    const std::string path = templatePath(programFolder, choice);
    if (fileExists(path) && openTemplate) result.templateOpened = openTemplate(path);
    return result;
}

NewDocumentResult cancelNewDocument() { return NewDocumentResult{}; }

}  // namespace kbxdoc
