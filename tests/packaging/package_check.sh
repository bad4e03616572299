#!/usr/bin/env bash
# Builds the Debian package of a finished build and checks that it holds what its menu entries and
# file types name: every command a .desktop file starts, every icon it shows, every file type it
# opens, and commands that are links to programs inside the package; that every command has its
# manual page, the two graphical programs their AppStream metainfo (appstreamcli validate), and
# that lintian finds no error, no warning and no missing hardening in the package (lintian and
# appstreamcli come from scripts/setup.sh; without them those checks are skipped with a message).
# Usage: package_check.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
source=$(sed -n 's/^CMAKE_HOME_DIRECTORY:INTERNAL=//p' "$build/CMakeCache.txt")
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
grep -q '^MimeType=.*application/x-zqpanel-image;.*text/x-ihex;' "$root"/usr/share/applications/zqflasher.desktop ||
  fail "the programmer does not open download images and HEX files"
grep -q 'qt6-wayland' <<<"$(dpkg-deb -f "$deb" Recommends)" || fail "Recommends lacks qt6-wayland"
grep -q 'qt6-translations-l10n' <<<"$(dpkg-deb -f "$deb" Recommends)" || fail "Recommends lacks qt6-translations-l10n"
[ -z "$(dpkg-deb -I "$deb" | grep -E '^ +[0-9]+ bytes, +[0-9]+ lines +\* +post(inst|rm) ')" ] ||
  fail "maintainer scripts left in the package: $(dpkg-deb -I "$deb" | grep -E 'post(inst|rm)')"

for command in "$root"/usr/bin/*; do
  target=$(readlink "$command")
  case "$target" in /*) fail "$(basename "$command") is an absolute link";; esac
  [ -x "$command" ] || fail "$(basename "$command") -> $target leads nowhere"
done
[ -f "$root/usr/lib/zqpanel/.zqpanel-system-install" ] || fail "the install marker is missing"
# The file types by content, as a file manager sees a file without its usual name.
if command -v gio >/dev/null && command -v update-mime-database >/dev/null; then
  mime="$work/mime-home"
  mkdir -p "$mime/mime/packages"
  cp "$root"/usr/share/mime/packages/zqpanel.xml /usr/share/mime/packages/freedesktop.org.xml "$mime/mime/packages/"
  update-mime-database "$mime/mime" >/dev/null 2>&1 || fail "update-mime-database refuses zqpanel.xml"
  printf ':10000000000102030405060708090A0B0C0D0E0F78\r\n:00000001FF\r\n' >"$work/sniff-hex"
  printf '\x0e\x1fOS Korvane Ver 1.00\0\0\0' >"$work/sniff-image"
  printf 'hello\n' >"$work/sniff-text"
  for pair in sniff-hex:text/x-ihex sniff-image:application/x-zqpanel-image sniff-text:text/plain; do
    type=$(XDG_DATA_HOME="$mime" XDG_DATA_DIRS="$mime" gio info -a standard::content-type "$work/${pair%%:*}" |
           sed -n 's/^ *standard::content-type: //p')
    [ "$type" = "${pair#*:}" ] || fail "${pair%%:*} is seen as $type, not ${pair#*:}"
  done
else
  echo "package_check: gio or update-mime-database is missing: file types by content not checked"
fi
for command in "$root"/usr/bin/*; do
  name=$(basename "$command")
  page="$root/usr/share/man/man1/$name.1.gz"
  [ -f "$page" ] || fail "no manual page for $name"
  gzip -dc "$page" | grep -q "^\.SH NAME" || fail "$name.1.gz is not a manual page"
  gzip -dc "$page" | grep -q "Exit status" || fail "$name.1.gz does not document its exit statuses"
done
for doc in copyright changelog.gz; do
  [ -f "$root/usr/share/doc/zqpanel/$doc" ] || fail "usr/share/doc/zqpanel/$doc is missing"
done
# Every document a manual page points to is installed.
for pointed in $(gzip -dc "$root"/usr/share/man/man1/*.gz | sed 's/\\-/-/g' | grep -o '/usr/share/doc/zqpanel/[A-Za-z0-9_.-]*' | sed 's/[.]$//' | sort -u); do
  [ -f "$root$pointed" ] || fail "a manual page points to $pointed, which is not installed"
done
metainfo=("$root"/usr/share/metainfo/*.metainfo.xml)
[ ${#metainfo[@]} -eq 2 ] || fail "expected the editor's and the programmer's metainfo, found ${#metainfo[@]}"
if command -v appstreamcli >/dev/null; then
  for file in "${metainfo[@]}"; do
    appstreamcli validate --no-net --explain "$file" >"$work/appstream.log" 2>&1 ||
      { cat "$work/appstream.log"; fail "$(basename "$file") does not validate"; }
    # The home page's docs/ holds the screenshots: each is a picture of the source's docs/.
    home=$(sed -n 's:.*<url type="homepage">\(.*\)</url>.*:\1:p' "$file")
    for image in $(sed -n 's:.*<image>\(.*\)</image>.*:\1:p' "$file"); do
      [[ $image == "${home}docs/"* && -f "$source/docs/${image#"${home}docs/"}" ]] ||
        fail "$(basename "$file") shows $image, not a picture of docs/ below $home"
    done
    desktop=$(sed -n 's:.*<launchable type="desktop-id">\(.*\)</launchable>.*:\1:p' "$file")
    [ -f "$root/usr/share/applications/$desktop" ] || fail "$(basename "$file") launches $desktop, not in the package"
  done
else
  echo "package_check: appstreamcli is not installed (scripts/setup.sh installs appstream): metainfo not validated"
fi
if command -v lintian >/dev/null; then
  # Errors and warnings, and the hardening tags lintian only reports as information.
  lintian --info --tag-display-limit 0 "$deb" >"$work/lintian.log" 2>&1 || true
  if grep -E '^(E|W): |hardening-' "$work/lintian.log"; then
    fail "lintian complains about $(basename "$deb")"
  fi
else
  echo "package_check: lintian is not installed (scripts/setup.sh installs it): the package's rules not checked"
fi
echo "package_check: $(basename "$deb") holds $(find "$root" -type f | wc -l) files; menu entries, icons, file types and commands agree"
