#!/usr/bin/env bash
# Installs the build into a scratch DESTDIR, checks what went where, validates the
# desktop entry, the AppStream data, the manual pages, the licence and the
# copyright, asks the programs for their usage and version, then starts the
# installed game from another folder with a fresh home and checks it found its
# files and kept the user's own in the user's data folder.
#   install_test.sh BUILD_DIR BIN_DIR SHARE_DIR   (the last two relative to the prefix)
set -euo pipefail
build=$(cd "$1" && pwd)
bin=${2:-games}
share=${3:-share/games/sekiba}
id=org.sekiba.Sekiba
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

DESTDIR=$tmp/stage cmake --install "$build" --prefix /usr >/dev/null
root=$tmp/stage/usr

# Every file lands where a desktop and a packager look for it, and nothing else.
expected=(
  $bin/sekiba $bin/sekiba-tool
  $share/sekiba_title_0.jpg $share/sekiba_tin.txt
  $share/sekiba_html_help_mokuji.htm $share/sekiba_html_help_mokuji_en.htm
  $share/sekiba_wave_pasi.wav $share/sekiba_wave_ron.wav
  $share/sekiba_error.wav
  share/applications/$id.desktop share/metainfo/$id.metainfo.xml
  share/icons/hicolor/scalable/apps/$id.svg
  share/man/man6/sekiba.6.gz share/man/man6/sekiba-tool.6.gz
  share/doc/sekiba/copyright share/licenses/sekiba/LICENSE
  share/locale/en/LC_MESSAGES/sekiba.mo
)
for size in 48 128 256; do expected+=(share/icons/hicolor/${size}x$size/apps/$id.png); done
for f in "${expected[@]}"; do [ -s "$root/$f" ] || fail "not installed: $f"; done
[ -x "$root/$bin/sekiba" ] && [ -x "$root/$bin/sekiba-tool" ] || fail "programs not executable"
unexpected=$(cd "$root" && find . -type f | sed 's#^\./##' |
  grep -Ev '^('"$bin"'/sekiba|'"$bin"'/sekiba-tool|'"$share"'/sekiba_[^/]+|share/applications/'"$id"'\.desktop|share/metainfo/'"$id"'\.metainfo\.xml|share/icons/hicolor/(scalable|48x48|128x128|256x256)/apps/'"$id"'\.(svg|png)|share/man/man6/sekiba(-tool)?\.6\.gz|share/doc/sekiba/copyright|share/licenses/sekiba/LICENSE|share/locale/en/LC_MESSAGES/sekiba\.mo)$' || true)
[ -z "$unexpected" ] || fail "unexpected files: $unexpected"

# A PNG's width and height are the big-endian words at bytes 16 and 20.
for size in 48 128 256; do
  png=$root/share/icons/hicolor/${size}x$size/apps/$id.png
  dims=$(od -An -tu1 -j16 -N8 "$png" | awk '{print $3*256+$4 "x" $7*256+$8}')
  [ "$dims" = "${size}x$size" ] || fail "$png is $dims"
done

desktop=$root/share/applications/$id.desktop
desktop-file-validate "$desktop" || fail "desktop entry"
for line in 'Name=Suirei Paigi' 'Name[ja]=翠嶺牌戯' 'GenericName=Two-Player Mahjong' 'GenericName[ja]=二人麻雀'; do
  grep -qxF "$line" "$desktop" || fail "desktop entry lacks $line"
done
for start in 'Comment=' 'Comment[ja]=' 'Keywords=mahjong;riichi;' 'Keywords[ja]=麻雀;'; do
  grep -qF "$start" "$desktop" || fail "desktop entry lacks $start"
done

# AppStream: not one error or warning even when pedantic (notes of the kinds "I:"
# and "P:" are listed in the README).
metainfo=$root/share/metainfo/$id.metainfo.xml
check=$(appstreamcli validate --pedantic --no-net "$metainfo" 2>&1) || fail "AppStream data: $check"
! grep -q '^[EW]:' <<<"$check" || fail "AppStream data: $check"
for tag in '<project_license>GPL-3.0-or-later</project_license>' '<metadata_license>CC0-1.0' \
           '<developer id=' '<content_rating type="oars-1.1"' '<keyword>mahjong</keyword>' \
           '<keyword>riichi</keyword>' '<keyword xml:lang="ja">麻雀</keyword>' \
           '<name>Suirei Paigi</name>' '<name xml:lang="ja">翠嶺牌戯</name>' '<summary xml:lang="ja">'; do
  grep -qF "$tag" "$metainfo" || fail "AppStream data lacks $tag"
done

# The programs answer --help and --version and end, without a display.
noscreen() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM ASAN_OPTIONS=detect_leaks=0 \
               timeout 20 "$@"; }
version=$(noscreen "$root/$bin/sekiba" --version) || fail "sekiba --version failed"
ver=$(head -1 <<<"$version")
ver=${ver#sekiba }
grep -qx '[0-9]*\.[0-9]*\.[0-9]*' <<<"$ver" || fail "version: $version"
grep -q 'GPL-3.0-or-later' <<<"$version" || fail "no licence in: $version"
noscreen "$root/$bin/sekiba" --help | grep -q '^Usage: sekiba' || fail "sekiba --help"
noscreen "$root/$bin/sekiba-tool" --help | grep -q 'sekiba-tool sim' || fail "sekiba-tool --help"
[ "$(noscreen "$root/$bin/sekiba-tool" --version)" = "sekiba-tool $ver" ] || fail "sekiba-tool --version"
grep -qF "<release version=\"$ver\"" "$metainfo" || fail "the AppStream release is not version $ver"

# The manual pages read with man, without a warning, and hold what a user looks for.
for page in sekiba sekiba-tool; do
  text=$(MANWIDTH=80 LC_ALL=C.UTF-8 man --warnings -P cat -l "$root/share/man/man6/$page.6.gz" \
           2>"$tmp/man.err" | col -b) || fail "man -l $page"
  [ ! -s "$tmp/man.err" ] || fail "man $page: $(cat "$tmp/man.err")"
  for section in NAME SYNOPSIS DESCRIPTION OPTIONS COPYRIGHT; do
    grep -q "^$section" <<<"$text" || fail "man page $page has no $section"
  done
  [ $page = sekiba ] && for want in '^KEYS' '^FILES' 'sekiba_set.txt' 'sekiba_cos.bin' 'F12' \
                                     "/usr/$share" 'XDG_DATA_HOME'; do
    grep -q "$want" <<<"$text" || fail "man page sekiba lacks $want"
  done
  [ $page = sekiba-tool ] && for want in '^OPERATIONS' 'analyze' '--games N' '--rss-at' \
                                          'sekiba-tool analyze$' 'sekiba-tool sim --games 10'; do
    grep -q -- "$want" <<<"$text" || fail "man page sekiba-tool lacks $want"
  done
done

# The licence and the copyright.
licence=$root/share/licenses/sekiba/LICENSE
grep -q 'GNU GENERAL PUBLIC LICENSE' "$licence" && grep -q 'Version 3, 29 June 2007' "$licence" &&
  grep -q 'END OF TERMS AND CONDITIONS' "$licence" || fail "not the whole GPL 3 in $licence"
copyright=$root/share/doc/sekiba/copyright
head -1 "$copyright" | grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ||
  fail "copyright is not in the machine-readable format"
for want in '^Files: \*$' '^License: GPL-3+$' 'common-licenses/GPL-3' 'GPL-2.0-or-later' 'LGPL-3.0' 'OFL-1.1'; do
  grep -q -- "$want" "$copyright" || fail "copyright lacks $want"
done

# The installed game, started from elsewhere by a user who never ran it.
mkdir -p "$tmp/home" "$tmp/cwd"
touch "$tmp/installed"
(cd "$tmp/cwd" && HOME=$tmp/home XDG_DATA_HOME=$tmp/data QT_QPA_PLATFORM=offscreen \
   ASAN_OPTIONS=detect_leaks=0 SEKIBA_STARTUP_REPORT=$tmp/report \
   timeout 120 "$root/$bin/sekiba") || fail "the installed game did not start and quit cleanly"
[ -f "$tmp/report" ] || fail "no start-up report"
cat "$tmp/report"
report() { sed -n "s/^$1 //p" "$tmp/report"; }
[ "$(report user_folder)" = "$tmp/data/sekiba" ] || fail "user folder is '$(report user_folder)'"
[ "$(report title)" = "$root/$share/sekiba_title_0.jpg" ] || fail "title picture not found"
[ "$(report sound)" = "$root/$share/sekiba_wave_pasi.wav" ] || fail "sounds not found"
[ -s "$tmp/data/sekiba/sekiba_set.txt" ] || fail "no settings in the user's data folder"

# An English desktop: the installed game finds its English catalogue; a choice
# saved in the settings wins over the desktop.
for case in "C - ja" "en_GB.UTF-8 - en" "de_DE.UTF-8 - en" "ja_JP.UTF-8 - ja" "en_GB.UTF-8 ja ja"; do
  read -r locale saved want <<<"$case"
  rm -rf "$tmp/config"
  if [ "$saved" != - ]; then mkdir -p "$tmp/config/sekiba" && echo "$saved" >"$tmp/config/sekiba/language"; fi
  (cd "$tmp/cwd" && env -u LANGUAGE -u LC_MESSAGES LC_ALL="$locale" HOME=$tmp/home \
     XDG_DATA_HOME=$tmp/data XDG_CONFIG_HOME=$tmp/config QT_QPA_PLATFORM=offscreen \
     ASAN_OPTIONS=detect_leaks=0 SEKIBA_STARTUP_REPORT=$tmp/report \
     timeout 120 "$root/$bin/sekiba") || fail "the game did not start under $locale"
  [ "$(report language)" = "$want" ] || fail "$locale (saved: $saved) gave '$(report language)', not $want"
done
[ -z "$(ls -A "$tmp/cwd")" ] || fail "files left in the working folder: $(ls -A "$tmp/cwd")"
written=$(find "$root" -newer "$tmp/installed")
[ -z "$written" ] || fail "the game wrote into the installed tree: $written"
echo "install test passed"
