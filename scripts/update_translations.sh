#!/usr/bin/env bash
# Updates the editor's English translation table from the sources:
# update_translations.sh. New texts come in unfinished and need their English
# (the editor's tests fail until they have it); texts gone from the sources go.
# The source root is the include path, so lupdate knows the classes whose
# tr() a .cpp file calls; the table keeps no source locations.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
lupdate="${LUPDATE:-$(command -v lupdate || echo /usr/lib/qt6/bin/lupdate)}"
cd "$root"
"$lupdate" -recursive editor -I . -locations none -no-obsolete -ts editor/ui/translations/key_en.ts
