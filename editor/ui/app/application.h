#pragma once

// The editor's start-up and the pieces of it that tests call one by one.

#include <QString>
#include <QStringList>
#include <filesystem>

#include "editor/ui/app/command_line.h"

class QApplication;
class QTranslator;

namespace keyui::app {

class MainWindow;

inline constexpr char kOrganisationName[] = "LayomatV18";
inline constexpr char kTranslationBaseName[] = "key_en";
inline constexpr char kTranslationSuffix[] = ".qm";
inline constexpr char kLanguageVariable[] = "KEY_LANG";           // "de" or "en"

// The folder of the program, ending in "/".
QString programFolderOf(const QString& programPath);
// "Vyrn.Ini" beside the program when that folder can be written, else in
// $XDG_CONFIG_HOME/LayomatV18/ (default ~/.config/LayomatV18/).
std::filesystem::path settingsFileFor(const QString& programFolder);

// Whether the English texts are wanted: KEY_LANG decides when set, else
// every locale but German.
bool wantsEnglish(const QString& localeName, const QString& languageVariable);
// Loads key_en.qm from the folder into the translator and installs it.
bool installEnglishTexts(QApplication& application, QTranslator& translator, const QString& folder);

// The folder of the English texts: beside the program in a build tree, the
// installed data folder's translations otherwise.
QString translationFolderOf(const QString& programFolder);

// The layer table from the settings file, the default table written when
// it has none (layer 0 then becomes the current layer).
void loadLayerTable();

// Opens the named files; with none the editor starts without a document.
void openStartupFiles(MainWindow& window, const QStringList& files);

int runApplication(int argc, char** argv);

}  // namespace keyui::app
