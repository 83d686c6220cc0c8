#pragma once

// What the download-interface dialog returns, and the interface string the
// interface library is given for it: "AT", "USB" or "COMn:baud,parity,bits,rts".

#include <QString>

namespace keyui::download {

struct InterfaceChoice {
    QString name = QStringLiteral("AT");  // "AT", "USB" or "COM1" to "COM4"
    QString parity = QStringLiteral("N");  // "E", "O" or "N"
    int baud = 9600;
    int dataBits = 8;
    int rtsCts = 0;  // 0 or 1
};

// The name alone, or for a name beginning with "COM" (any case) the name
// followed by ":baud,parity,bits,rts".
QString interfaceString(const InterfaceChoice& choice);

}  // namespace keyui::download
