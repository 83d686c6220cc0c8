#include "editor/ui/download/quiet_save.h"

#include "editor/ui/core/key_document.h"

namespace keyui::download {

bool saveWithoutDisturbing(KeyDocument& document, const QString& path, QString* error) {
    const bool modified = document.isModified();
    const auto keys = document.keyboard().keys;
    const bool saved = document.saveTo(path, error);
    document.keyboard().keys = keys;
    document.setModified(modified);
    document.redrawAll();
    return saved;
}

}  // namespace keyui::download
