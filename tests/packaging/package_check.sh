#!/usr/bin/env bash
# Builds the Debian package of a finished build and checks that it holds what its menu entries and
# file types name: every command a .desktop file starts, every icon it shows, every file type it
# opens, and commands that are links to programs inside the package.
# Usage: package_check.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "package_check: $*" >&2; exit 1; }

(cd "$build" && cpack -G DEB -B "$work/out" >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log"; fail "cpack failed"; }
deb=$(ls "$work"/out/zqpanel_*.deb 2>/dev/null | head -n1)
[ -n "$deb" ] || fail "no zqpanel_*.deb was made"
dpkg-deb -x "$deb" "$work/root"
root="$work/root"
depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6core6 libqt6widgets6 qt6-qpa-plugins fonts-wqy-zenhei; do
  grep -q "$needed" <<<"$depends" || fail "Depends lacks $needed: $depends"
done

desktops=("$root"/usr/share/applications/*.desktop)
[ ${#desktops[@]} -ge 2 ] || fail "expected the editor's and the programmer's menu entries"
for entry in "${desktops[@]}"; do
  desktop-file-validate "$entry" || fail "$(basename "$entry") does not validate"
  exec_line=$(sed -n 's/^Exec=//p' "$entry")
  command=${exec_line%% *}
  [ -L "$root/usr/bin/$command" ] || fail "$(basename "$entry") starts $command, not in usr/bin"
  [ -x "$root/usr/bin/$command" ] || fail "usr/bin/$command does not lead to a program in the package"
  icon=$(sed -n 's/^Icon=//p' "$entry")
  [ -f "$root/usr/share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "icon $icon.svg missing"
  [ -f "$root/usr/share/icons/hicolor/48x48/apps/$icon.png" ] || fail "icon 48x48/$icon.png missing"
  for type in $(sed -n 's/^MimeType=//p' "$entry" | tr ';' ' '); do
    grep -q "type=\"$type\"" "$root"/usr/share/mime/packages/*.xml || fail "file type $type is not defined"
  done
done
grep -q 'pattern="\*.ZQE"' "$root"/usr/share/mime/packages/zqpanel.xml || fail "*.ZQE is not a known file type"

for command in "$root"/usr/bin/*; do
  target=$(readlink "$command")
  case "$target" in /*) fail "$(basename "$command") is an absolute link";; esac
  [ -x "$command" ] || fail "$(basename "$command") -> $target leads nowhere"
done
[ -f "$root/usr/lib/zqpanel/.zqpanel-system-install" ] || fail "the install marker is missing"
echo "package_check: $(basename "$deb") holds $(find "$root" -type f | wc -l) files; menu entries, icons, file types and commands agree"
