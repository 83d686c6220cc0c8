#include "editor/ui/dialogs/sheet/control_names.h"

namespace keyui::dialogs {

QString controlName(const char* kind, int id) { return QString::fromLatin1(kind) + QString::number(id); }

}  // namespace keyui::dialogs
