#!/usr/bin/env bash
# Installs the build into a scratch DESTDIR, checks what went where, validates the
# desktop entry and the AppStream data, then starts the installed game from another
# folder with a fresh home and checks it found its files and kept the user's own
# in the user's data folder.
#   install_test.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
id=org.sekiba.Sekiba
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

DESTDIR=$tmp/stage cmake --install "$build" --prefix /usr >/dev/null
root=$tmp/stage/usr

# Every file lands where a desktop and a packager look for it, and nothing else.
expected=(
  bin/sekiba bin/sekiba-tool
  share/sekiba/sekiba_title_0.jpg share/sekiba/sekiba_tin.txt
  share/sekiba/sekiba_html_help_mokuji.htm
  share/sekiba/sekiba_wave_pasi.wav share/sekiba/sekiba_wave_ron.wav
  share/sekiba/sekiba_error.wav
  share/applications/$id.desktop share/metainfo/$id.metainfo.xml
  share/icons/hicolor/scalable/apps/$id.svg
)
for size in 48 128 256; do expected+=(share/icons/hicolor/${size}x$size/apps/$id.png); done
for f in "${expected[@]}"; do [ -s "$root/$f" ] || fail "not installed: $f"; done
[ -x "$root/bin/sekiba" ] && [ -x "$root/bin/sekiba-tool" ] || fail "programs not executable"
unexpected=$(cd "$root" && find . -type f | sed 's#^\./##' |
  grep -Ev '^(bin/sekiba|bin/sekiba-tool|share/sekiba/sekiba_[^/]+|share/applications/'"$id"'\.desktop|share/metainfo/'"$id"'\.metainfo\.xml|share/icons/hicolor/(scalable|48x48|128x128|256x256)/apps/'"$id"'\.(svg|png))$' || true)
[ -z "$unexpected" ] || fail "unexpected files: $unexpected"

# A PNG's width and height are the big-endian words at bytes 16 and 20.
for size in 48 128 256; do
  png=$root/share/icons/hicolor/${size}x$size/apps/$id.png
  dims=$(od -An -tu1 -j16 -N8 "$png" | awk '{print $3*256+$4 "x" $7*256+$8}')
  [ "$dims" = "${size}x$size" ] || fail "$png is $dims"
done

desktop-file-validate "$root/share/applications/$id.desktop" || fail "desktop entry"
appstreamcli validate --no-net "$root/share/metainfo/$id.metainfo.xml" >/dev/null ||
  fail "AppStream data: $(appstreamcli validate --no-net "$root/share/metainfo/$id.metainfo.xml")"

# The installed game, started from elsewhere by a user who never ran it.
mkdir -p "$tmp/home" "$tmp/cwd"
touch "$tmp/installed"
(cd "$tmp/cwd" && HOME=$tmp/home XDG_DATA_HOME=$tmp/data QT_QPA_PLATFORM=offscreen \
   ASAN_OPTIONS=detect_leaks=0 SEKIBA_STARTUP_REPORT=$tmp/report \
   timeout 120 "$root/bin/sekiba") || fail "the installed game did not start and quit cleanly"
[ -f "$tmp/report" ] || fail "no start-up report"
cat "$tmp/report"
report() { sed -n "s/^$1 //p" "$tmp/report"; }
[ "$(report user_folder)" = "$tmp/data/sekiba" ] || fail "user folder is '$(report user_folder)'"
[ "$(report title)" = "$root/share/sekiba/sekiba_title_0.jpg" ] || fail "title picture not found"
[ "$(report sound)" = "$root/share/sekiba/sekiba_wave_pasi.wav" ] || fail "sounds not found"
[ -s "$tmp/data/sekiba/sekiba_set.txt" ] || fail "no settings in the user's data folder"
[ -z "$(ls -A "$tmp/cwd")" ] || fail "files left in the working folder: $(ls -A "$tmp/cwd")"
written=$(find "$root" -newer "$tmp/installed")
[ -z "$written" ] || fail "the game wrote into the installed tree: $written"
echo "install test passed"
