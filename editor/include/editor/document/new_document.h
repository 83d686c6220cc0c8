#pragma once

// The new-document flow without its dialog: the country list, the model
// buttons with their templates, the template path and what the confirmed
// dialog leads to.

#include <array>
#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace kbxdoc {

// The dialog and its controls.
inline constexpr int kNewDocumentDialogId = 152;
inline constexpr std::string_view kNewDocumentTitle = "Tastaturtyp";
inline constexpr int kCountryListId = 11051;
inline constexpr int kGlidepointBoxId = 11052;
inline constexpr std::string_view kGlidepointText = "Glidepoint";
inline constexpr int kOposBoxId = 11053;
inline constexpr std::string_view kOposText = "OPOS Einstellungen";
inline constexpr std::string_view kCancelText = "Abbruch";
inline constexpr int kFirstModelButtonId = 11022;
inline constexpr int kModelButtonCount = 20;

std::span<const std::string_view> countryEntries();
// The two-letter language code of a country entry; entry 0 for an index
// outside the list (an empty selection).
std::string_view languageCode(int countryIndex);

struct ModelButton {
    int id;
    std::string_view text;
    std::string_view templateName;
    bool glidepointVariant;  // a template with "g" appended exists for Glidepoint
    int model;               // the model index a document without a template gets
};
std::span<const ModelButton> modelButtons();
// The button at that position (id - kFirstModelButtonId), or null.
const ModelButton* modelButton(int position);
// The model index for a button position; the first button's for any other.
int modelForButton(int position);

// What the dialog shows when it opens and what the user chose.
struct NewDocumentChoice {
    int buttonPosition = 0;
    int countryIndex = 1;  // "US - International"
    bool glidepoint = false;
    bool opos = false;
};

// programFolder + "LAY/" + name + "/" + code + name [+ "g"] + ".kbf"; a
// folder without a closing "/" gets one, an empty folder means the working
// folder.
std::string templatePath(std::string_view programFolder, const NewDocumentChoice& choice);

struct NewDocumentResult {
    bool confirmed = false;
    int buttonPosition = 0;
    int model = 0;  // for the built-in layout when no template was opened
    bool templateOpened = false;
    bool oposRequested = false;
};

// Opens a template as a document of its own (titled "Noname", entered in
// the recent-file list); false when no document came of it.
using TemplateOpener = std::function<bool(const std::string& path)>;

// The dialog was confirmed: opens the template when a file exists at its
// path. A missing template, or one that does not open, leaves the built-in
// layout of the button's model to the caller.
NewDocumentResult confirmNewDocument(std::string_view programFolder, const NewDocumentChoice& choice,
                                     const TemplateOpener& openTemplate);
NewDocumentResult cancelNewDocument();

}  // namespace kbxdoc
