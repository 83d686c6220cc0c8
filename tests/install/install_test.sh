#!/usr/bin/env bash
# Installs the build tree into a temporary DESTDIR with the prefix /usr and
# runs every installed program once, with a bare environment: PATH only the
# system's folders, no LD_LIBRARY_PATH, HOME and the XDG folders in the
# temporary folder. The programs must find their libraries, each other and
# their data from where they were installed.
set -euo pipefail

build="$(cd "$1" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

root="$work/root"
prefix="$root/usr"
home="$work/home"
mkdir -p "$home"

failures=0
fail() {
  echo "FAILED: $*" >&2
  failures=$((failures + 1))
}

# The environment of an installed program started from a desktop or a shell.
run_installed() {
  env -i PATH=/usr/bin:/bin HOME="$home" XDG_CONFIG_HOME="$home/.config" \
    XDG_DATA_HOME="$home/.local/share" LANG=C.UTF-8 "$@"
}

DESTDIR="$root" cmake --install "$build" --prefix /usr >"$work/install.log" 2>&1 ||
  { cat "$work/install.log" >&2; fail "cmake --install"; exit 1; }

libdir="$(dirname "$(find "$prefix" -name 'libkbxplatform.so.1' -print -quit)")"
[ -d "$libdir" ] || { fail "no libkbxplatform.so.1 installed"; exit 1; }

# Every library with its soname link and the unversioned name the programs load.
for library in kbxc32 kbxi32 kbxfunc kbxplatform kbxusb; do
  for name in "lib$library.so" "lib$library.so.1" "lib$library.so.1.0.0"; do
    [ -e "$libdir/$name" ] || fail "$name not in $libdir"
  done
  [ -f "$libdir/pkgconfig/$library.pc" ] || fail "$library.pc not installed"
done
for header in kbxc32.h kbxi32.h kbxfunc.h kbxplatform.h; do
  [ -f "$prefix/include/kbx/$header" ] || fail "include/kbx/$header not installed"
done

# Nothing installed may look into the build tree for its libraries.
for file in "$prefix"/bin/* "$libdir"/lib*.so.1.0.0; do
  if readelf -d "$file" | grep -E 'R(UN)?PATH' | grep -qF "$build"; then
    fail "$(basename "$file") has the build tree in its run path"
  fi
done

# A pkg-config file names the installed folders.
if command -v pkg-config >/dev/null; then
  cflags="$(PKG_CONFIG_PATH="$libdir/pkgconfig" PKG_CONFIG_LIBDIR=/nonexistent pkg-config --cflags kbxi32)"
  cflags="${cflags%% }"
  [ "$cflags" = "-I/usr/include/kbx" ] || fail "kbxi32.pc gives the flags '$cflags'"

  # A C program built with only the installed headers, pkg-config files and
  # libraries (the prefix moved into DESTDIR) compiles the installed example.
  if command -v cc >/dev/null; then
    # shellcheck disable=SC2046
    cc -o "$work/user" "$(dirname "$0")/installed_libraries_user.c" "$(dirname "$0")/installed_pos_user.c" \
      $(PKG_CONFIG_PATH="$libdir/pkgconfig" PKG_CONFIG_LIBDIR=/nonexistent \
        pkg-config --define-variable=prefix="$prefix" --cflags --libs kbxc32 kbxi32 kbxfunc) \
      >"$work/user.out" 2>&1 || { cat "$work/user.out" >&2; fail "a program against the installed libraries"; }
    [ ! -x "$work/user" ] || (cd "$work" && run_installed LD_LIBRARY_PATH="$libdir" ./user \
      "$prefix/share/kbx/examples/bakery.kbf" user.kbx user.log) >>"$work/user.out" 2>&1 ||
      { cat "$work/user.out" >&2; fail "the program against the installed libraries"; }
    [ -s "$work/user.kbx" ] || fail "the program against the installed libraries wrote no image"
  fi
fi

for program in kbx32 kbxsim kbxdump kbxlayout kbxpos; do
  run_installed "$prefix/bin/$program" --help >"$work/$program.help" 2>&1 || fail "$program --help"
  [ -s "$work/$program.help" ] || fail "$program --help printed nothing"
  [ -f "$prefix/share/man/man1/$program.1" ] || fail "man page of $program not installed"
done

# Compiling the installed example with the installed kbx32 loads the
# compiler library from the installed library folder.
cp "$prefix/share/kbx/examples/bakery.kbf" "$work/"
run_installed "$prefix/bin/kbx32" "$work/bakery.kbf" COMP >"$work/comp.out" 2>&1 ||
  { cat "$work/comp.out" >&2; fail "kbx32 COMP of the installed example"; }
[ -s "$work/bakery.kbx" ] || fail "kbx32 COMP wrote no image"
run_installed "$prefix/bin/kbxdump" "$work/bakery.kbx" >"$work/dump.out" 2>&1 || fail "kbxdump of the compiled example"
grep -q '"Vyrn"' "$work/dump.out" || fail "kbxdump printed no header"

template="$prefix/share/kbx/LAY/Gorm/USGorm.kbf"
run_installed "$prefix/bin/kbxlayout" show "$template" >"$work/show.out" 2>&1 || fail "kbxlayout show on an installed template"
grep -q '^Model:' "$work/show.out" || fail "kbxlayout show printed no model"
# A new layout from a template, found in the installed data folder.
run_installed "$prefix/bin/kbxlayout" new --template Gorm "$work/new.kbf" >"$work/new.out" 2>&1 ||
  fail "kbxlayout new --template with the installed templates"
grep -qF "from the template $template" "$work/new.out" ||
  fail "kbxlayout new did not read the installed template: $(cat "$work/new.out")"

# The editor, when built: its pictures of itself under the offscreen
# platform. The download picture runs the installed kbx32 beside the editor
# against the installed simulated keyboard. Installed, the editor keeps its
# settings file and work files in the user's folders, never beside itself,
# and its English texts come from the installed translation: the English
# pictures differ from the German ones.
keyboard_pid=""
stop_keyboard() {
  if [ -n "$keyboard_pid" ]; then
    kill "$keyboard_pid" 2>/dev/null || true
    wait "$keyboard_pid" 2>/dev/null || true
    keyboard_pid=""
  fi
}
trap 'stop_keyboard; [ -n "${KEEP:-}" ] || rm -rf "$work"' EXIT

if [ -x "$prefix/bin/key" ]; then
  [ -f "$prefix/share/kbx/translations/key_en.qm" ] || fail "key_en.qm not installed"
  [ -f "$prefix/share/applications/key.desktop" ] || fail "key.desktop not installed"
  [ -f "$prefix/share/mime/packages/kbx-layout.xml" ] || fail "the layout type kbx-layout.xml not installed"
  [ -f "$prefix/share/man/man1/key.1" ] || fail "man page of key not installed"
  [ -f "$prefix/share/icons/hicolor/scalable/apps/key.svg" ] || fail "key's icon not installed"

  socket="$work/keyboard.sock"
  # Started without the shell function, so that $! is the simulator itself.
  env -i PATH=/usr/bin:/bin HOME="$home" "$prefix/bin/kbxsim" serial --channel "$socket" >"$work/keyboard.out" 2>&1 &
  keyboard_pid=$!
  for _ in $(seq 50); do [ -S "$socket" ] && break; sleep 0.1; done
  [ -S "$socket" ] || fail "the installed kbxsim opened no channel"

  # The picture's download works in the current folder.
  mkdir -p "$work/run"
  for language in en de; do
    (cd "$work/run" && run_installed QT_QPA_PLATFORM=offscreen KEY_LANG="$language" KBX_KEYBOARD="sim:$socket" \
      "$prefix/bin/key" --screenshots "$work/shots-$language" "$work/bakery.kbf") >"$work/key-$language.out" 2>&1 ||
      { cat "$work/key-$language.out" >&2; fail "key --screenshots (KEY_LANG=$language)"; }
  done
  stop_keyboard
  [ -f "$work/shots-en/main_window.png" ] || fail "key wrote no main window picture"
  if cmp -s "$work/shots-en/main_window.png" "$work/shots-de/main_window.png"; then
    fail "the English main window looks like the German one: key_en.qm was not found"
  fi
  [ -f "$home/.config/LayomatV18/Vyrn.Ini" ] || fail "key kept no Vyrn.Ini in \$XDG_CONFIG_HOME/LayomatV18"
  [ -d "$home/.local/share/LayomatV18" ] || fail "key chose no work folder in \$XDG_DATA_HOME/LayomatV18"
  grep -q "bytes sent" "$work/run/TMP0815.LOG" 2>/dev/null ||
    fail "the installed kbx32 beside key did not download the picture's layout"
  for file in Vyrn.Ini TMP0815.KBF TMP0815.LOG; do
    [ ! -e "$prefix/bin/$file" ] || fail "key wrote $file into the installed program folder"
  done
fi

if ((failures)); then
  echo "$failures check(s) failed" >&2
  exit 1
fi
echo "installed tree works"
