#pragma once

// Crossing the Qt boundary: the model keeps Windows-1252 texts, Qt UTF-16.

#include <string>
#include <string_view>

#include <QString>

namespace keyui {

QString fromAnsi(std::string_view text);
// Characters without a place in Windows-1252 become "?".
std::string toAnsi(const QString& text);
// File names as the file system spells them.
std::string toFileName(const QString& path);
QString fromFileName(const std::string& path);

}  // namespace keyui
