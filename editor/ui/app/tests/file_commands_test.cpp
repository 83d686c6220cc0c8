// The file commands: opening and its failures, save with the
// three-character rule, save as, a failed save, the question before
// modified documents go, and new documents from templates or the
// built-in layout.

#include <QDir>
#include <QFile>
#include <QTest>

#include <fstream>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "editor/document/catalogue.h"
#include "editor/document/key_table.h"
#include "editor/ui/app/file_commands.h"
#include "editor/ui/app/tests/app_fixture.h"

namespace keyui::app::testing {
namespace {

namespace fs = std::filesystem;

class FileCommandsTest : public AppTest {
protected:
    KeyDocument& openCopyOfExample(std::string_view name) {
        fs::copy_file(kSourceData / "examples/bakery.kbf", dir / name);
        KeyDocument* document = makeWindow().fileCommands().open(path(name));
        EXPECT_NE(document, nullptr);
        return *document;
    }
};

TEST(SaveRule, OnlyAPathWithADotFourthFromTheEndIsSavedInPlace) {
    EXPECT_TRUE(savesInPlace("/a/Till.kbf"));
    EXPECT_TRUE(savesInPlace(".kbf"));
    EXPECT_FALSE(savesInPlace("a.kb"));
    EXPECT_FALSE(savesInPlace("Noname"));
    EXPECT_FALSE(savesInPlace(""));
    EXPECT_FALSE(savesInPlace("/a/Till.kbfx"));
    EXPECT_FALSE(savesInPlace("/a/Till.k"));
}

TEST_F(FileCommandsTest, SaveWritesANamedLayoutInPlaceWithoutAsking) {
    KeyDocument& document = openCopyOfExample("Till.kbf");
    document.keyboard().keys[0].caption = "Changed";
    document.setModified(true);
    const std::string before = kbxtest::readFile(dir / "Till.kbf");
    EXPECT_TRUE(window->fileCommands().save(document));
    EXPECT_TRUE(dialogs.saveRequests.empty());
    EXPECT_FALSE(document.isModified());
    EXPECT_NE(kbxtest::readFile(dir / "Till.kbf"), before);
}

TEST_F(FileCommandsTest, AnUntitledDocumentAlwaysAsksForANameAndTakesIt) {
    MainWindow& main = makeWindow();
    dialogs.newDocumentAnswers.push_back({});
    KeyDocument* document = main.fileCommands().newDocument();
    ASSERT_NE(document, nullptr);
    EXPECT_EQ(document->title(), "Noname");

    EXPECT_FALSE(main.fileCommands().save(*document)) << "cancelled";
    ASSERT_EQ(dialogs.saveRequests.size(), 1u);
    EXPECT_EQ(dialogs.saveRequests[0].filter, "Keyboard (*.kbf)");
    EXPECT_EQ(dialogs.saveRequests[0].defaultSuffix, "kbf");
    EXPECT_EQ(dialogs.saveRequests[0].startFolder, folder());

    dialogs.saveAnswers.push_back(path("Named.kbf"));
    EXPECT_TRUE(main.fileCommands().save(*document));
    EXPECT_EQ(document->title(), "Named.kbf");
    EXPECT_TRUE(fs::exists(dir / "Named.kbf"));
    EXPECT_EQ(main.recentFiles().paths().front(), path("Named.kbf"));
    EXPECT_EQ(main.windowTitle(), "Named.kbf[*]");
}

TEST_F(FileCommandsTest, AFailedSaveSaysSoAndKeepsTheDocumentModified) {
    MainWindow& main = makeWindow();
    ASSERT_NE(main.fileCommands().open(kExampleLayout), nullptr);
    KeyDocument& document = *main.activeDocument();
    document.setModified(true);
    dialogs.saveAnswers.push_back("/proc/cannot/be/written.kbf");
    EXPECT_FALSE(main.fileCommands().saveAs(document));
    ASSERT_EQ(dialogs.errors.size(), 1);
    EXPECT_TRUE(dialogs.errors[0].contains("/proc/cannot/be/written.kbf"));
    EXPECT_TRUE(document.isModified());
    EXPECT_EQ(document.title(), "bakery.kbf");
}

// A folder nobody may write into while the object lives: read-only, and for
// root (who ignores that) also immutable where the file system allows it.
class LockedFolder {
public:
    explicit LockedFolder(const fs::path& folder) : folder_(folder) {
        locked_ = ::chmod(folder.c_str(), 0555) == 0 && (geteuid() != 0 || setImmutable(true));
    }
    ~LockedFolder() {
        if (geteuid() == 0) setImmutable(false);
        ::chmod(folder_.c_str(), 0755);
    }
    bool locked() const { return locked_; }

private:
    bool setImmutable(bool on) const {
        const int descriptor = ::open(folder_.c_str(), O_RDONLY | O_DIRECTORY);
        if (descriptor < 0) return false;
        int flags = 0;
        bool done = ::ioctl(descriptor, FS_IOC_GETFLAGS, &flags) == 0;
        flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
        done = done && ::ioctl(descriptor, FS_IOC_SETFLAGS, &flags) == 0;
        ::close(descriptor);
        return done;
    }

    fs::path folder_;
    bool locked_ = false;
};

TEST_F(FileCommandsTest, AFailedSaveInAReadOnlyFolderLeavesTheOlderFileIntact) {
    fs::create_directory(dir / "locked");
    fs::copy_file(kSourceData / "examples/bakery.kbf", dir / "locked/Till.kbf");
    KeyDocument* document = makeWindow().fileCommands().open(path("locked/Till.kbf"));
    ASSERT_NE(document, nullptr);
    const std::string before = kbxtest::readFile(dir / "locked/Till.kbf");
    document->keyboard().keys[0].caption = "Changed";
    document->setModified(true);
    {
        LockedFolder lock(dir / "locked");
        if (!lock.locked()) GTEST_SKIP() << "this file system cannot lock a folder against root";
        EXPECT_FALSE(window->fileCommands().save(*document));
    }
    EXPECT_EQ(dialogs.errors.size(), 1);
    EXPECT_TRUE(document->isModified());
    EXPECT_EQ(document->title(), "Till.kbf");
    EXPECT_EQ(kbxtest::readFile(dir / "locked/Till.kbf"), before);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir / "locked"), fs::directory_iterator{}), 1) << "no leftovers";
}

TEST_F(FileCommandsTest, FilesThatDoNotOpenShowTheirNameAndReasonAndOpenNothing) {
    fs::create_directory(dir / "folder.kbf");
    {
        std::ofstream binary(dir / "binary.kbf", std::ios::binary);
        binary.write(
            "\x7f"
            "ELF\0\0\1",
            7);
    }
    const std::vector<std::pair<std::string, QString>> cases{
        {"missing.kbf", "existiert nicht"},
        {"folder.kbf", "kann nicht gelesen werden"},
        {"binary.kbf", "keine Tastaturbelegung"},
    };
    MainWindow& main = makeWindow();
    for (const auto& [name, reason] : cases) {
        dialogs.errors.clear();
        EXPECT_EQ(main.fileCommands().open(path(name)), nullptr) << name;
        ASSERT_EQ(dialogs.errors.size(), 1) << name;
        EXPECT_TRUE(dialogs.errors[0].contains(path(name))) << dialogs.errors[0].toStdString();
        EXPECT_TRUE(dialogs.errors[0].contains(reason)) << dialogs.errors[0].toStdString();
    }
    EXPECT_TRUE(main.openDocuments().empty());
    EXPECT_TRUE(main.frames().empty());
    EXPECT_TRUE(main.recentFiles().paths().isEmpty());
}

TEST_F(FileCommandsTest, TheOpenDialogAsksForKeyboardFilesInTheCurrentFolder) {
    MainWindow& main = makeWindow();
    dialogs.openAnswers.push_back(kExampleLayout);
    main.action(57601)->trigger();
    ASSERT_EQ(dialogs.openRequests.size(), 1u);
    EXPECT_EQ(dialogs.openRequests[0].title, "Open Keyboard File");
    EXPECT_EQ(dialogs.openRequests[0].filter, "Keyboard (*.kbf)");
    EXPECT_EQ(dialogs.openRequests[0].startFolder, QDir::currentPath());
    EXPECT_EQ(main.openDocuments().size(), 1u);
}

TEST_F(FileCommandsTest, ExitAsksForEveryModifiedDocumentAndCancelKeepsEverything) {
    MainWindow& main = makeWindow();
    main.show();
    ASSERT_NE(main.fileCommands().open(kExampleLayout), nullptr);
    main.activeDocument()->setModified(true);
    dialogs.newDocumentAnswers.push_back({});
    ASSERT_NE(main.fileCommands().newDocument(), nullptr);
    main.activeDocument()->setModified(true);
    ASSERT_NE(main.fileCommands().open(kExampleLayout), nullptr);  // unmodified: no question

    dialogs.saveQuestionAnswers = {SaveAnswer::Discard, SaveAnswer::Cancel};
    EXPECT_FALSE(main.close());
    EXPECT_EQ(dialogs.saveQuestions, (QStringList{"bakery.kbf", "Noname"}));
    EXPECT_EQ(main.frames().size(), 3u);

    dialogs.saveQuestions.clear();
    dialogs.saveQuestionAnswers = {SaveAnswer::Discard, SaveAnswer::Discard};
    EXPECT_TRUE(main.close());
    EXPECT_EQ(dialogs.saveQuestions.size(), 2);
    settle();
    EXPECT_TRUE(main.frames().empty());
}

TEST_F(FileCommandsTest, ClosingTheLastWindowOfAModifiedDocumentAsksOnce) {
    MainWindow& main = makeWindow();
    ASSERT_NE(main.fileCommands().open(kExampleLayout), nullptr);
    main.activeDocument()->setModified(true);
    ChildFrame* second = main.newWindow();
    second->close();
    settle();
    EXPECT_TRUE(dialogs.saveQuestions.isEmpty()) << "another window still shows it";
    dialogs.saveQuestionAnswers = {SaveAnswer::Discard};
    main.activeFrame()->close();
    settle();
    EXPECT_EQ(dialogs.saveQuestions.size(), 1);
    EXPECT_TRUE(main.openDocuments().empty());
}

TEST_F(FileCommandsTest, ANewDocumentOpensTheTemplateUntitledWithTheOposLines) {
    editorState().programFolder = QString::fromStdString(kSourceData.string()) + "/";
    MainWindow& main = makeWindow();
    kbxdoc::NewDocumentChoice choice;
    choice.buttonPosition = 2;  // Gorm
    choice.countryIndex = 0;    // GR
    choice.opos = true;
    ASSERT_TRUE(fs::exists(kSourceData / "LAY/Gorm/GRGorm.kbf"));
    dialogs.newDocumentAnswers.push_back(choice);
    KeyDocument* document = main.fileCommands().newDocument();
    ASSERT_NE(document, nullptr);
    EXPECT_EQ(document->title(), "Noname");
    EXPECT_FALSE(document->isModified());
    EXPECT_EQ(document->keyboard().model, 6);                             // Gorm
    const kbxdoc::KeyRecord& msrPrefix = document->keyboard().keys[199];  // M1H
    bool hasToken = false;
    for (const auto& entry : msrPrefix.layers)
        hasToken |= entry.programming.view().find("{POSMSR1}") != std::string_view::npos;
    EXPECT_TRUE(hasToken);
    EXPECT_EQ(main.frames().size(), 1u);
}

TEST_F(FileCommandsTest, WithoutItsTemplateANewDocumentGetsTheModelsBuiltInLayout) {
    fs::create_directory(dir / "LAY");  // the program's templates, but not this one
    MainWindow& main = makeWindow();
    kbxdoc::NewDocumentChoice choice;
    choice.buttonPosition = 4;  // Hask W/X
    dialogs.newDocumentAnswers.push_back(choice);
    KeyDocument* document = main.fileCommands().newDocument();
    ASSERT_NE(document, nullptr);
    EXPECT_EQ(document->title(), "Noname");
    EXPECT_EQ(document->keyboard().model, kbxdoc::modelForButton(4));
    EXPECT_EQ(document->keyboard().width, 288);
    int keys = 0;
    for (int slot = 0; slot < 185; ++slot) keys += document->keyboard().keys[slot].templateGeometry.width > 0;
    EXPECT_EQ(keys, 12 * 7);
}

TEST_F(FileCommandsTest, ACancelledNewDocumentOpensNothing) {
    MainWindow& main = makeWindow();
    EXPECT_EQ(main.fileCommands().newDocument(), nullptr);
    EXPECT_EQ(dialogs.newDocumentDialogs, 1);
    EXPECT_TRUE(main.frames().empty());
}

}  // namespace
}  // namespace keyui::app::testing
