#include "editor/ui/download/download_paths.h"

namespace keyui::download {

namespace {

// Index of the dot that starts the file name's extension, or -1.
qsizetype extensionStart(const QString& path) {
    const qsizetype nameStart = path.lastIndexOf(QLatin1Char('/')) + 1;
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    return dot >= nameStart ? dot : -1;
}

}  // namespace

QString withExtension(const QString& path, const QString& extension) {
    const qsizetype dot = extensionStart(path);
    return (dot < 0 ? path : path.left(dot)) + extension;
}

QString testSourcePath(const QString& documentPath) {
    const QString extension = QString::fromLatin1(kSourceExtension);
    const qsizetype dot = extensionStart(documentPath);
    if (dot < 0) return documentPath + extension;
    if (documentPath.mid(dot, extension.size()) == extension) return documentPath;
    return documentPath.left(dot) + extension;
}

}  // namespace keyui::download
