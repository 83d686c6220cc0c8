#include <gtest/gtest.h>

#include "compiler/driver.h"
#include "editor/document/catalogue.h"
#include "editor/persist/tests/persist_fixture.h"
#include "tests/support/files.h"

namespace kbxdoc::testing {
namespace {

// What the editor saves, the compiler takes without an error.
void expectCompiles(PersistDocument& doc, const std::string& name) {
    kbxtest::TempDir dir;
    const std::string source = (dir / (name + ".kbf")).string();
    ASSERT_TRUE(saveLayout(doc.context, source));
    const std::string image = (dir / (name + ".kbx")).string();
    const std::string log = (dir / "kbxc.out").string();
    const int result = kbxcCompileLayout(source.c_str(), image.c_str(), log.c_str(), nullptr);
    const std::string messages = kbxtest::readFile(log);
    EXPECT_EQ(result, 0) << messages << "\n" << kbxtest::readFile(source);
    EXPECT_EQ(messages.find("ERROR"), std::string::npos) << messages;
}

TEST(CompileWritten, AResetDocumentCompiles) {
    PersistDocument doc;
    expectCompiles(doc, "reset");
}

TEST(CompileWritten, ADocumentWithSettingsLayersAndModulesCompiles) {
    PersistDocument doc;
    KeyboardData& k = *doc.keyboard;
    k.interfaceName = "COM";
    k.baud = 19200;
    k.parity = "E";
    k.dataBits = 7;
    k.handshake = 0;
    k.languageCode = "GR";
    k.shiftLock = 0;
    k.capsLock = 1;
    k.hotkeyMode = 1;
    k.rate = 10;
    k.delay = 250;
    k.slowKeyRate = "SLOW";
    k.keys[193].moduleOption1 = 0;
    k.keys[196].moduleOption1 = 0;
    k.msrLrc = 1;
    k.msrBadRead = "Err";
    doc.key("A01").caption = "Sum";
    doc.key("A01").layers[0].programming = "abc";
    doc.key("A01").layers[1].programming = "{F1}";
    doc.key("A01").layers[4].programming = "{ENTER}";
    doc.key("A02").layers[0].attributes = 0x0001;
    doc.key("A02").layers[0].programming = "{Shift+F2}";
    doc.key("B02").current.width += 19;
    doc.slot(199).layers[4].programming = "{POSMSR1}";
    doc.slot(186).layers[4].programming = "{POSKeylock}";
    doc.layers[6].name = "Kasse";
    doc.layers[6].conditions = 0x8A85;
    doc.layers[6].defaultAttributes = 0x11;
    doc.key("A03").layers[6].programming = "cash";
    expectCompiles(doc, "settings");
}

TEST(CompileWritten, EveryModelWithAKeywordCompiles) {
    for (int model : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 12, 13, 14}) {
        PersistDocument doc;
        setModelAndLayOut(doc.context, model, false);
        expectCompiles(doc, "model" + std::to_string(model));
    }
}

}  // namespace
}  // namespace kbxdoc::testing
