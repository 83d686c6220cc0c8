#pragma once

#include <optional>
#include <string>

// How the dump names a key: its identifier on the image's model ("A01",
// pseudo keys by name) when there is one.
namespace kbxdump {

// The identifier of `keyIndex` on `model`, or nothing when the image names
// no model or the model has no such key.
std::optional<std::string> keyName(std::optional<int> model, int keyIndex);

// "key A01 (index 0)", or "key index 150" without an identifier; for messages.
std::string describeKey(std::optional<int> model, int keyIndex);

}  // namespace kbxdump
