#include "editor/ui/download/interface_choice.h"

namespace keyui::download {

namespace {
constexpr char kSerialPrefix[] = "COM";
}

QString interfaceString(const InterfaceChoice& choice) {
    if (!choice.name.startsWith(QLatin1String(kSerialPrefix), Qt::CaseInsensitive)) return choice.name;
    return QStringLiteral("%1:%2,%3,%4,%5")
        .arg(choice.name)
        .arg(choice.baud)
        .arg(choice.parity)
        .arg(choice.dataBits)
        .arg(choice.rtsCts);
}

}  // namespace keyui::download
