#include "editor/ui/core/key_document.h"

#include <QSignalSpy>

#include <filesystem>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include "editor/document/catalogue.h"
#include "editor/document/key_table.h"
#include "editor/document/layer_table.h"
#include "editor/ui/core/editor_state.h"
#include "editor/ui/core/texts.h"
#include "tests/support/files.h"

namespace keyui {
namespace {

namespace fs = std::filesystem;

const fs::path kExample = fs::path(KBX_SOURCE_DIR) / "data/examples/bakery.kbf";

class KeyDocumentTest : public ::testing::Test {
protected:
    void SetUp() override {
        resetEditorStateForTests();
        editorState().layers = kbxdoc::defaultLayerTable();
    }
    QString path(std::string_view name) const { return QString::fromStdString((dir / name).string()); }
    kbxtest::TempDir dir;
};

TEST_F(KeyDocumentTest, AnUntitledDocumentIsCalledNonameUntilItHasAPath) {
    KeyDocument document;
    EXPECT_EQ(document.title(), "Noname");
    QSignalSpy titles(&document, &KeyDocument::titleChanged);
    document.setPath("/some/folder/Till.kbf");
    EXPECT_EQ(document.title(), "Till.kbf");
    EXPECT_EQ(titles.count(), 1);
}

TEST_F(KeyDocumentTest, OpeningTheExampleReadsItsKeysAndClearsTheModifiedFlag) {
    KeyDocument document;
    document.setModified(true);
    QSignalSpy redraws(&document, &KeyDocument::allChanged);
    ASSERT_EQ(document.open(QString::fromStdString(kExample.string())), OpenFailure::None);
    EXPECT_FALSE(document.isModified());
    EXPECT_EQ(document.title(), "bakery.kbf");
    EXPECT_GT(document.keyboard().width, 0);
    EXPECT_EQ(redraws.count(), 1);
}

TEST_F(KeyDocumentTest, FilesThatAreNoLayoutOpenNothingAndLeaveTheDocumentAsItWas) {
    KeyDocument document;
    kbxdoc::ActiveContext context = document.documentContext();
    kbxdoc::resetKeyboardData(context);
    document.keyboard().keys[3].caption = "kept";
    document.setPath("/earlier.kbf");
    const kbxdoc::KeyboardData before = document.keyboard();

    kbxtest::writeFile(dir / "binary.kbf", std::string("TYPE TARN\r\n\0\1\2", 14));
    kbxtest::writeFile(dir / "prose.kbf", "Dear customer,\nthank you for your order.\n");
    fs::create_directory(dir / "folder.kbf");
    EXPECT_EQ(document.open(path("missing.kbf")), OpenFailure::Missing);
    EXPECT_EQ(document.open(path("binary.kbf")), OpenFailure::NotALayout);
    EXPECT_EQ(document.open(path("prose.kbf")), OpenFailure::NotALayout);
    EXPECT_EQ(document.open(path("folder.kbf")), OpenFailure::Unreadable);
    ASSERT_EQ(::mkfifo((dir / "fifo.kbf").c_str(), 0600), 0);
    EXPECT_EQ(document.open(path("fifo.kbf")), OpenFailure::Unreadable);  // once waited for a writer
    kbxtest::writeFile(dir / "huge.kbf", "TYPE TARN\r\n");
    fs::resize_file(dir / "huge.kbf", 16 * 1024 * 1024 + 1);
    EXPECT_EQ(document.open(path("huge.kbf")), OpenFailure::TooLarge);
    if (geteuid() != 0) {  // root reads every file
        kbxtest::writeFile(dir / "locked.kbf", "TYPE TARN\r\n");
        fs::permissions(dir / "locked.kbf", fs::perms::none);
        EXPECT_EQ(document.open(path("locked.kbf")), OpenFailure::Unreadable);
    }
    EXPECT_EQ(document.keyboard(), before);
    EXPECT_EQ(document.path(), "/earlier.kbf");
}

TEST_F(KeyDocumentTest, ALayerNameTheFileBringsReachesTheLayerTableOnlyWhenTheOpenSucceeds) {
    KeyDocument document;
    kbxtest::writeFile(dir / "layers.kbf", "TYPE TARN\r\n!@KEYLAYER:Kasse\r\nA01+S+C+A-L/P: \"x\"\r\n");
    QSignalSpy names(&document, &KeyDocument::layerNamesChanged);
    ASSERT_EQ(document.open(path("layers.kbf")), OpenFailure::None);
    bool found = false;
    for (const kbxdoc::LayerDefinition& layer : editorState().layers) found |= layer.name.view() == "Kasse";
    EXPECT_TRUE(found);
    EXPECT_EQ(names.count(), 1);
}

TEST_F(KeyDocumentTest, ASaveIntoAFolderThatCannotExistSaysWhy) {
    KeyDocument document;
    kbxdoc::ActiveContext context = document.documentContext();
    kbxdoc::resetKeyboardData(context);
    kbxtest::writeFile(dir / "plain", "a file, not a folder");
    QString error;
    EXPECT_FALSE(document.saveTo(path("plain/layout.kbf"), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(kbxtest::readFile(dir / "plain"), "a file, not a folder");
}

TEST_F(KeyDocumentTest, ASaveThatCannotBeWrittenSaysSoAndLeavesTheOlderFile) {
    if (geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
    KeyDocument document;
    kbxdoc::ActiveContext context = document.documentContext();
    kbxdoc::resetKeyboardData(context);
    fs::create_directory(dir / "shut");
    kbxtest::writeFile(dir / "shut/old.kbf", "older");
    fs::permissions(dir / "shut", fs::perms::owner_read | fs::perms::owner_exec);
    QString error;
    EXPECT_FALSE(document.saveTo(path("shut/old.kbf"), &error));
    EXPECT_FALSE(error.isEmpty());
    fs::permissions(dir / "shut", fs::perms::owner_all);
    EXPECT_EQ(kbxtest::readFile(dir / "shut/old.kbf"), "older");
}

TEST_F(KeyDocumentTest, ASavedDocumentOpensAgainAndSavesTheSameBytes) {
    KeyDocument document;
    kbxdoc::ActiveContext context = document.documentContext();
    kbxdoc::resetKeyboardData(context);
    kbxdoc::setModelAndLayOut(context, 14, true);
    document.keyboard().keys[5].caption = "K\xE4se";
    ASSERT_TRUE(document.saveTo(path("saved.kbf")));
    KeyDocument reopened;
    ASSERT_EQ(reopened.open(path("saved.kbf")), OpenFailure::None);
    ASSERT_TRUE(reopened.saveTo(path("again.kbf")));
    EXPECT_EQ(kbxtest::readFile(dir / "again.kbf"), kbxtest::readFile(dir / "saved.kbf"));
    EXPECT_NE(kbxtest::readFile(dir / "saved.kbf").find("K\xE4se"), std::string::npos);
}

TEST(Texts, WindowsTextsCrossTheQtBoundaryBothWays) {
    const std::string ansi = "K\xE4se \x80 5";
    EXPECT_EQ(fromAnsi(ansi), QString::fromUtf8("Käse € 5"));
    EXPECT_EQ(toAnsi(fromAnsi(ansi)), ansi);
    EXPECT_EQ(toAnsi(QString::fromUtf8("日本")), "??");
}

}  // namespace
}  // namespace keyui
