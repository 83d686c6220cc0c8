// Where the editor looks for its templates, its translation and its
// settings file, in an installed tree (bin/ beside share/kbx/) and in a
// build tree (bin/ with the translation beside the program).

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include <QString>

#include "editor/ui/app/application.h"
#include "editor/ui/app/file_commands.h"
#include "tests/support/files.h"

namespace {

namespace fs = std::filesystem;
using kbxtest::TempDir;

QString folderName(const fs::path& folder) { return QString::fromStdString(folder.string() + "/"); }

// prefix/bin/ and prefix/share/kbx/ with a template and the translation, as
// the install lays them out.
struct InstalledTree {
    TempDir root;
    fs::path bin = root / "usr/bin";
    fs::path data = root / "usr/share/kbx";

    InstalledTree() {
        fs::create_directories(bin);
        fs::create_directories(data / "LAY/Gorm");
        fs::create_directories(data / "translations");
        kbxtest::writeFile(data / "LAY/Gorm/USGorm.kbf", "TYPE GORM\r\n");
        kbxtest::writeFile(data / "translations/key_en.qm", "");
    }
};

// Points XDG_CONFIG_HOME at a folder for one test and restores it after.
class ConfigHome {
public:
    explicit ConfigHome(const fs::path& folder) {
        if (const char* old = std::getenv(kVariable)) saved_ = old, hadValue_ = true;
        setenv(kVariable, folder.c_str(), 1);
    }
    ~ConfigHome() {
        if (hadValue_) setenv(kVariable, saved_.c_str(), 1);
        else unsetenv(kVariable);
    }
    ConfigHome(const ConfigHome&) = delete;
    ConfigHome& operator=(const ConfigHome&) = delete;

private:
    static constexpr char kVariable[] = "XDG_CONFIG_HOME";
    std::string saved_;
    bool hadValue_ = false;
};

TEST(InstalledEditor, FindsTemplatesAndTranslationInTheDataFolderBesideItsBinFolder) {
    InstalledTree tree;
    const QString program = folderName(tree.bin);
    EXPECT_EQ(fs::path(keyui::app::templateFolderOf(program).toStdString()), tree.data / "");
    EXPECT_EQ(fs::path(keyui::app::translationFolderOf(program).toStdString()), tree.data / "translations/");
}

TEST(InstalledEditor, KeepsItsSettingsFileInTheUsersFolderEvenWhenItsBinFolderCanBeWritten) {
    InstalledTree tree;
    const ConfigHome home(tree.root / "config");
    EXPECT_EQ(keyui::app::settingsFileFor(folderName(tree.bin)), tree.root / "config/LayomatV18/Vyrn.Ini");
    EXPECT_FALSE(fs::exists(tree.bin / "Vyrn.Ini"));
}

TEST(BuildTreeEditor, UsesTheTranslationAndSettingsFileBesideTheProgram) {
    TempDir build;
    fs::create_directories(build / "bin");
    kbxtest::writeFile(build / "bin/key_en.qm", "");
    const QString program = folderName(build / "bin");
    const ConfigHome home(build / "config");
    EXPECT_EQ(keyui::app::translationFolderOf(program), program);
    EXPECT_EQ(keyui::app::settingsFileFor(program), build / "bin/Vyrn.Ini");
}

TEST(BuildTreeEditor, TemplatesBesideTheProgramComeBeforeAnInstalledDataFolder) {
    InstalledTree tree;
    fs::create_directories(tree.bin / "LAY");
    const QString program = folderName(tree.bin);
    EXPECT_EQ(keyui::app::templateFolderOf(program), program);
}

}  // namespace
