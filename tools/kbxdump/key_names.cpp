#include "tools/kbxdump/key_names.h"

#include "compiler/models.h"

namespace kbxdump {

std::optional<std::string> keyName(std::optional<int> model, int keyIndex) {
    // Pseudo keys have the same names on every model.
    return kbxc::keyIdentifier(model.value_or(-1), keyIndex);
}

std::string describeKey(std::optional<int> model, int keyIndex) {
    const std::optional<std::string> name = keyName(model, keyIndex);
    if (!name) return "key index " + std::to_string(keyIndex);
    return "key " + *name + " (index " + std::to_string(keyIndex) + ")";
}

}  // namespace kbxdump
