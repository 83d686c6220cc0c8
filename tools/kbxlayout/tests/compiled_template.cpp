#include "tools/kbxlayout/tests/compiled_template.h"

#include <stdexcept>
#include <string>

#include "compiler/definition.h"
#include "compiler/driver.h"
#include "compiler/models.h"
#include "tests/support/files.h"
#include "kbxdump/image_reader.h"

namespace kbxlayout::testing {
namespace {

constexpr std::uint8_t kPrefixE0 = 0xE0;
constexpr std::uint8_t kBreakBit = 0x80;
constexpr std::uint8_t kConditionBits = 0x7F;

bool applies(const kbxc::DefinitionBytes& bytes, std::uint8_t conditions) {
    return ((conditions ^ bytes.state) & bytes.mask & kConditionBits) == 0;
}

}  // namespace

void PrintTo(const Keystroke& keystroke, std::ostream* out) {
    *out << "press [" << kbxtest::hex(keystroke.press) << "] release [" << kbxtest::hex(keystroke.release) << "]";
}

Bytes breakCodesOf(const Bytes& makeCodes) {
    Bytes codes;
    for (std::uint8_t code : makeCodes) codes.push_back(code == kPrefixE0 ? code : code | kBreakBit);
    return codes;
}

Keystroke sentBy(const kbxdump::DefinitionRecord& record) {
    const kbxc::DefinitionBytes& bytes = record.bytes;
    if ((bytes.attributes & kbxc::kAttributeMakeBreak) != 0) return {record.program, breakCodesOf(record.program)};
    if ((bytes.mask & kbxc::kTriggerBit) == 0) return {record.program, record.program};
    if ((bytes.state & kbxc::kTriggerBit) != 0) return {{}, record.program};
    return {record.program, {}};
}

CompiledTemplate::CompiledTemplate(const std::filesystem::path& tree, const TemplateFile& file) {
    const kbxtest::TempDir dir;
    const std::string source = (tree / templateRelativePath(file)).string();
    const std::string image = (dir / "template.kbx").string();
    const std::string log = (dir / "template.TXT").string();
    if (kbxcCompileLayout(source.c_str(), image.c_str(), log.c_str(), nullptr) != 0) {
        throw std::runtime_error(source + " does not compile:\n" + kbxtest::readFile(log));
    }
    const kbxdump::ReadResult read = kbxdump::readImage(kbxtest::readBytes(image));
    if (!read.ok()) throw std::runtime_error(source + ": " + read.error.message);
    image_ = *read.image;
}

std::vector<Keystroke> CompiledTemplate::keystrokes(std::string_view identifier, std::uint8_t conditions) const {
    const int column = std::stoi(std::string(identifier.substr(1)));
    const int index = kbxc::matrixKeyIndex(image_.model.value_or(-1), identifier.front(), column);
    if (index < 0) throw std::runtime_error("no key " + std::string(identifier) + " on the image's model");
    std::vector<Keystroke> sent;
    for (const kbxdump::Key& key : image_.keys) {
        if (key.index != index) continue;
        if (key.isShortForm()) throw std::runtime_error(std::string(identifier) + " is in short form");
        for (const kbxdump::DefinitionRecord& record : key.records) {
            if (applies(record.bytes, conditions)) sent.push_back(sentBy(record));
        }
    }
    return sent;
}

}  // namespace kbxlayout::testing
