#pragma once

// Writing the document for a compile run without making it a save: the file
// is written as a normal save writes it, but the document keeps its path,
// title, modified flag and key table (the covered-key step of the save
// changes the table only in the written copy), and the recent files are not
// touched.

#include <QString>

namespace keyui {
class KeyDocument;
}

namespace keyui::download {

// False, with the reason in `error`, when the file could not be written.
bool saveWithoutDisturbing(KeyDocument& document, const QString& path, QString* error);

}  // namespace keyui::download
