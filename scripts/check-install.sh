#!/usr/bin/env bash
# Installation checks on a finished build folder (scripts/test.sh runs them on its plain
# build): installs into a staging prefix and checks every file and the desktop files'
# validity, builds the Debian package and checks its contents and lintian's verdict.
#   scripts/check-install.sh BUILD_DIR
set -euo pipefail
build="$(cd "$1" && pwd)"
id="io.github.velmora.Velmora"
work="$(mktemp -d /tmp/velmora-install-check.XXXXXX)"
trap 'rm -rf "$work"' EXIT
fail() { echo "check-install: $*" >&2; exit 1; }

# --- Staging install: every file, nothing missing. --------------------------------------
stage="$work/stage"
cmake --install "$build" --prefix "$stage" > "$work/install.log"
expected=(
  bin/velmora
  bin/velmora-cli
  share/doc/velmora/readme.txt
  share/doc/velmora/LICENSE
  share/doc/velmora/copyright
  share/doc/velmora/changelog.gz
  share/man/man1/velmora.1.gz
  share/man/man1/velmora-cli.1.gz
  "share/applications/$id.desktop"
  "share/metainfo/$id.metainfo.xml"
  "share/mime/packages/$id.xml"
  "share/icons/hicolor/48x48/apps/$id.png"
  "share/icons/hicolor/128x128/apps/$id.png"
  "share/icons/hicolor/256x256/apps/$id.png"
  "share/icons/hicolor/scalable/apps/$id.svg"
  share/bash-completion/completions/velmora-cli
)
# One compiled translation per translations/velmora_LANG.ts.
for ts in "$(dirname "$0")"/../translations/velmora_*.ts; do
  expected+=("share/velmora/translations/$(basename "${ts%.ts}").qm")
done
if [ -e "$build/bin/velmora-archive-worker" ]; then
  expected+=(libexec/velmora/velmora-archive-worker)
fi
expected+=(libexec/velmora/velmora-picture-qt.so)
for f in "${expected[@]}"; do
  [ -f "$stage/$f" ] || fail "missing from the install: $f"
done
for f in bin/velmora bin/velmora-cli; do
  [ -x "$stage/$f" ] || fail "not executable: $f"
done
installed="$(cd "$stage" && find . -type f | sed 's|^\./||' | sort)"
[ "$installed" = "$(printf '%s\n' "${expected[@]}" | sort)" ] ||
  fail "the install holds other files than expected:
$(diff <(printf '%s\n' "${expected[@]}" | sort) <(echo "$installed") || true)"
for size in 48 128 256; do
  file "$stage/share/icons/hicolor/${size}x${size}/apps/$id.png" | grep -q "PNG image data, $size x $size" ||
    fail "the ${size}px icon is not a ${size}x${size} PNG"
done
for page in velmora velmora-cli; do
  zcat "$stage/share/man/man1/$page.1.gz" | grep -q '^\.TH' || fail "$page.1 is not a manual page"
done
bash -n "$stage/share/bash-completion/completions/velmora-cli"

desktop-file-validate "$stage/share/applications/$id.desktop"
appstreamcli validate --no-net "$stage/share/metainfo/$id.metainfo.xml"
# (How the file types resolve is checked by tests/data/MimeTypesTest.cpp.)
echo "check-install: staging install complete and valid"

# --- Debian package. --------------------------------------------------------------------
rm -f "$build"/velmora_*.deb
(cd "$build" && cpack -G DEB > "$work/cpack.log" 2>&1) || { cat "$work/cpack.log"; fail "cpack failed"; }
version="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")"
deb="$build/velmora_${version}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || fail "no package $deb"
packaged="$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $NF}' | sed 's|^\./usr/||' | sort)"
[ "$packaged" = "$installed" ] ||
  fail "the package holds other files than the install:
$(diff <(echo "$installed") <(echo "$packaged") || true)"
dpkg-deb -f "$deb" Depends | grep -q 'libqt6widgets6' || fail "dependencies were not computed"
lintian --fail-on error --tag-display-limit 0 "$deb" > "$work/lintian.log" 2>&1 ||
  { cat "$work/lintian.log"; fail "lintian reports errors"; }
grep -v 'running with root privileges' "$work/lintian.log" || true
echo "check-install: $(basename "$deb") built, contents and lintian checked"

# --- The installed programs, run by an ordinary user. ------------------------------------
if [ -z "${VELMORA_MAPS:-}" ]; then
  echo "check-install: VELMORA_MAPS is not set; the installed programs were not run"
  exit 0
fi
if [ "$(id -u)" -ne 0 ]; then
  echo "check-install: not root, so the installed programs were not run as another user"
  exit 0
fi
user=velmora-check
if ! id "$user" > /dev/null 2>&1; then
  useradd --system --no-create-home --shell /usr/sbin/nologin "$user"
  # The user exists only for this check: it goes again with the staging folder.
  trap 'userdel "$user" > /dev/null 2>&1 || true; rm -rf "$work"' EXIT
fi
chmod 755 "$work"
prefix="$work/prefix"
cmake --install "$build" --prefix "$prefix" > /dev/null
chmod -R a-w "$prefix"
home="$work/home"
mkdir -p "$home"
map="$(find "$VELMORA_MAPS" -maxdepth 1 -name '*.sc[mx]' | sort | head -n 1)"
[ -n "$map" ] || fail "no map in $VELMORA_MAPS"
cp "$map" "$home/map.${map##*.}"
map="$home/map.${map##*.}"
chmod 644 "$map"
# A 64 x 64 picture in two colours (BMP, 24 bits).
{
  printf 'BM\x36\x30\x00\x00\x00\x00\x00\x00\x36\x00\x00\x00'
  printf '\x28\x00\x00\x00\x40\x00\x00\x00\x40\x00\x00\x00\x01\x00\x18\x00'
  printf '\x00\x00\x00\x00\x00\x30\x00\x00\x13\x0b\x00\x00\x13\x0b\x00\x00'
  printf '\x00\x00\x00\x00\x00\x00\x00\x00'
  for row in $(seq 64); do
    printf '\xc8\x5a\x1e%.0s' $(seq 32)
    printf '\x3a\x6e\x34%.0s' $(seq 32)
  done
} > "$home/picture.bmp"
# The same picture as a run-length BMP (8 bits, two palette colours), which velmora-cli
# reads through velmora-picture-qt, loaded only for such a picture.
{
  printf 'BM\xc0\x01\x00\x00\x00\x00\x00\x00\x3e\x00\x00\x00'
  printf '\x28\x00\x00\x00\x40\x00\x00\x00\x40\x00\x00\x00\x01\x00\x08\x00'
  printf '\x01\x00\x00\x00\x82\x01\x00\x00\x13\x0b\x00\x00\x13\x0b\x00\x00'
  printf '\x02\x00\x00\x00\x00\x00\x00\x00\xc8\x5a\x1e\x00\x3a\x6e\x34\x00'
  for row in $(seq 64); do
    printf '\x20\x00\x20\x01\x00\x00'
  done
  printf '\x00\x01'
} > "$home/picture-rle.bmp"
chown -R "$user:" "$home"
snapshot() { (cd "$prefix" && find . -printf '%p %s %T@ %m\n' | sort); }
before="$(snapshot)"

as_user() {
  setpriv --reuid="$user" --regid="$user" --clear-groups -- \
    env -i HOME="$home" PATH="$prefix/bin:/usr/bin:/bin" QT_QPA_PLATFORM=offscreen \
    XDG_RUNTIME_DIR="$home/run" "$@"
}

as_user velmora --version | grep -qx "velmora $version" || fail "velmora --version"
# The installed programs find their translations: a missing picture, in Korean, is still 7.
status=0
as_user env LANG=ko_KR.UTF-8 velmora-cli colors "$map" "$home/missing.bmp" 2> "$work/ko.log" || status=$?
[ "$status" -eq 7 ] || fail "velmora-cli under ko_KR.UTF-8 ended with $status, not 7"
grep -q '그런 파일이 없습니다' "$work/ko.log" || fail "velmora-cli under ko_KR.UTF-8 did not speak Korean: $(cat "$work/ko.log")"
as_user velmora-cli colors "$map" "$home/picture.bmp" --template > "$work/colors.txt"
[[ "$(readelf -d "$prefix/bin/velmora-cli")" != *libQt6Gui* ]] || fail "velmora-cli links Qt's graphics library"
rle="$(as_user velmora-cli colors "$map" "$home/picture-rle.bmp")" ||
  fail "velmora-cli cannot read a run-length BMP (velmora-picture-qt)"
[ "$rle" = "$(as_user velmora-cli colors "$map" "$home/picture.bmp")" ] ||
  fail "velmora-cli reads the run-length BMP with other colours than the plain one"
chown "$user:" "$work/colors.txt"
as_user velmora-cli convert "$map" "$home/picture.bmp" --colors "$work/colors.txt" \
  -o "$home/converted.${map##*.}" > /dev/null || fail "velmora-cli convert failed"
as_user velmora-cli info "$home/converted.${map##*.}" > /dev/null || fail "the converted map does not read"

# The windows: the map given on the command line is loaded, converted and saved, and the
# preferences land in the user's configuration folder.
cp "$map" "$work/original"
as_user velmora --self-check "$home/picture.bmp" "$map" 2> "$work/windows.log" ||
  { cat "$work/windows.log"; fail "the windows did not load, convert and save the map"; }
cmp -s "$map" "$work/original" && fail "the windows saved nothing into the map"
[ -f "$home/.config/velmora/config.ini" ] || fail "no settings in the user's configuration folder"
[ -z "$(ls -A "$home/.cache/velmora/work" 2> /dev/null)" ] || fail "the working copy outlived the program"

# A lock left by an ended process (and one nobody can read) does not block a start.
ended="$(as_user sh -c 'echo $$')"
printf '%s\nvelmora\n%s\n' "$ended" "$(hostname)" > "$home/run/velmora.lock"
chown "$user:" "$home/run/velmora.lock"
as_user velmora --self-check "$home/picture.bmp" "$map" 2> "$work/windows.log" ||
  { cat "$work/windows.log"; fail "a lock of an ended process blocked the start"; }
as_user sh -c ': > "$HOME/run/velmora.lock"'
as_user velmora --self-check "$home/picture.bmp" "$map" 2> "$work/windows.log" ||
  { cat "$work/windows.log"; fail "an empty lock file blocked the start"; }

[ "$(snapshot)" = "$before" ] || fail "something was written under the installation prefix"
chmod -R u+w "$prefix"
echo "check-install: installed programs work from a read-only prefix for an ordinary user"
