#!/usr/bin/env bash
# Checks the files under debian/ and packaging/ against the build:
#   - each built library lies in a package named after its soname, the way
#     Debian policy 8.1 ("Run-time shared libraries") names them: the soname's
#     name and version joined, with a hyphen when the name ends in a digit
#     (libkbxplatform.so.1 -> libkbxplatform1, libkbxi32.so.1 -> libkbxi32-1);
#   - every program a package installs comes with its manual page;
#   - the changelog's version is the project's and its maintainer the control
#     file's (a native package: no Debian revision, deb-version(7));
#   - the desktop entry passes desktop-file-validate and names the layout type
#     that packaging/kbx-layout.xml defines for *.kbf.
#
#   tests/install/debian_files_test.sh BUILD-FOLDER
set -euo pipefail
source_root="$(cd "$(dirname "$0")/../.." && pwd)"
build="$(cd "$1" && pwd)"
debian="$source_root/debian"

failures=0
fail() {
  echo "FAILED: $*" >&2
  failures=$((failures + 1))
}

# The stanza of one binary package in debian/control.
stanza_of() { awk -v name="$1" '/^Package:/ { in_it = ($2 == name) } in_it' "$debian/control"; }

libraries=0
for library in "$build"/lib/libkbx*.so.*.*.*; do
  soname="$(readelf -d "$library" | sed -n 's/.*(SONAME).*\[\(.*\)\]/\1/p')"
  [ -n "$soname" ] || { fail "$(basename "$library") has no soname"; continue; }
  libraries=$((libraries + 1))
  name="${soname%%.so.*}"
  version="${soname#*.so.}"
  case "$name" in *[0-9]) package="$name-$version" ;; *) package="$name$version" ;; esac
  stanza="$(stanza_of "$package")"
  [ -n "$stanza" ] || { fail "$soname: no package $package in debian/control"; continue; }
  grep -q '^Section: libs$' <<<"$stanza" || fail "$package is not in the section libs"
  grep -qi 'qt' <<<"$(grep -A3 '^Depends:' <<<"$stanza")" && fail "$package depends on Qt"
  grep -qx "usr/lib/\${DEB_HOST_MULTIARCH}/$name.so.\*" "$debian/$package.install" 2>/dev/null ||
    fail "debian/$package.install does not take $name.so.*"
  # The programs load the library by its soname: the programs' packages name it.
  for user in kbx-tools key libkbx-dev; do
    grep -qE "(^Depends: | )$package \(= \\\$\{binary:Version\}\)" <<<"$(stanza_of "$user")" || fail "$user does not depend on $package"
  done
done
[ "$libraries" -eq 5 ] || fail "$libraries libraries with a soname in $build/lib, 5 expected"

for install in "$debian"/*.install; do
  while read -r program; do
    page="usr/share/man/man1/$(basename "$program").1"
    grep -qx "$page" "$install" || fail "$(basename "$install") installs $program without $page"
    [ -f "$source_root/doc/man/$(basename "$program").1" ] || fail "no doc/man/$(basename "$program").1"
  done < <(grep '^usr/bin/' "$install")
done

project_version="$(sed -n 's/^project(kbx VERSION \([0-9.]*\).*/\1/p' "$source_root/CMakeLists.txt")"
changelog_version="$(dpkg-parsechangelog -l "$debian/changelog" -S Version)"
[ "$changelog_version" = "$project_version" ] ||
  fail "debian/changelog has version $changelog_version, the project $project_version"
[ "$(cat "$debian/source/format")" = "3.0 (native)" ] || fail "debian/source/format is not 3.0 (native)"
changelog_maintainer="$(dpkg-parsechangelog -l "$debian/changelog" -S Maintainer)"
grep -qxF "Maintainer: $changelog_maintainer" "$debian/control" ||
  fail "the changelog's maintainer $changelog_maintainer is not the control file's"

desktop="$source_root/packaging/key.desktop"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$desktop" >"$build/desktop-file-validate.log" 2>&1 ||
    { cat "$build/desktop-file-validate.log" >&2; fail "desktop-file-validate key.desktop"; }
fi
mime_type="$(sed -n 's/.*<mime-type type="\([^"]*\)".*/\1/p' "$source_root/packaging/kbx-layout.xml")"
[ "$mime_type" = "application/x-kbx-layout" ] || fail "kbx-layout.xml defines '$mime_type'"
grep -qx "MimeType=$mime_type;" "$desktop" || fail "key.desktop does not open $mime_type"
grep -q '<glob pattern="\*\.kbf"/>' "$source_root/packaging/kbx-layout.xml" || fail "kbx-layout.xml has no glob *.kbf"
exec_program="$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")"
grep -qx "usr/bin/$exec_program" "$debian/key.install" || fail "key.desktop runs $exec_program, which key does not install"

if ((failures)); then
  echo "$failures check(s) failed" >&2
  exit 1
fi
echo "debian/ and packaging/ agree with the build"
