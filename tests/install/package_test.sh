#!/usr/bin/env bash
# The Debian package of the build: the maintainer as Debian's tools take it from
# the environment, the control fields, the files where Debian policy puts a game,
# the changelog, and lintian (when installed) with no error and no warning.
#   package_test.sh SOURCE_DIR BUILD_DIR BIN_DIR SHARE_DIR
set -euo pipefail
src=$(cd "$1" && pwd)
build=$(cd "$2" && pwd)
bin=${3:-games}
share=${4:-share/games/sekiba}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# The maintainer, from a clean environment each time.
maintainer() {
  printf 'set(CPACK_GENERATOR DEB)\ninclude("%s/cmake/deb_maintainer.cmake")\nmessage(NOTICE "=${CPACK_DEBIAN_PACKAGE_MAINTAINER}")\n' \
    "$src" >"$tmp/m.cmake"
  env -u DEBFULLNAME -u NAME -u DEBEMAIL -u EMAIL "$@" cmake -P "$tmp/m.cmake" 2>&1
}
m() { maintainer "$@" | sed -n 's/^=//p'; }
[ "$(m DEBFULLNAME='Ann Packer' DEBEMAIL=ann@example.org)" = "Ann Packer <ann@example.org>" ] ||
  fail "DEBFULLNAME, DEBEMAIL: $(maintainer DEBFULLNAME='Ann Packer' DEBEMAIL=ann@example.org)"
[ "$(m DEBEMAIL='Bo Li <bo@example.org>')" = "Bo Li <bo@example.org>" ] || fail "DEBEMAIL with a name"
[ "$(m DEBFULLNAME='Ann Packer' DEBEMAIL='Bo Li <bo@example.org>')" = "Ann Packer <bo@example.org>" ] ||
  fail "DEBFULLNAME wins over the name in DEBEMAIL"
[ "$(m NAME='Cy Dee' EMAIL=cy@example.org)" = "Cy Dee <cy@example.org>" ] || fail "NAME, EMAIL"
[ "$(m DEBFULLNAME='Ann Packer' NAME='Cy Dee' DEBEMAIL=ann@example.org EMAIL=cy@example.org)" = \
  "Ann Packer <ann@example.org>" ] || fail "DEBFULLNAME and DEBEMAIL come first"
none=$(maintainer)
grep -q 'DEBFULLNAME' <<<"$none" && grep -q 'DEBEMAIL' <<<"$none" || fail "no word of what to set: $none"
[ -n "$(m)" ] || fail "no maintainer at all without the variables"

# The package itself.
(cd "$tmp" && env -u DEBFULLNAME -u NAME DEBEMAIL='Test Packager <packager@example.org>' \
   cpack -G DEB -B "$tmp/out" --config "$build/CPackConfig.cmake" >"$tmp/cpack.log" 2>&1) ||
  fail "cpack: $(tail -20 "$tmp/cpack.log")"
deb=$(ls "$tmp"/out/sekiba_*.deb)
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Maintainer)" = "Test Packager <packager@example.org>" ] || fail "Maintainer: $(field Maintainer)"
[ "$(field Section)" = games ] || fail "Section: $(field Section)"
for want in xdg-utils pulseaudio qt6-translations-l10n; do
  grep -q "$want" <<<"$(field Recommends)" || fail "Recommends lacks $want: $(field Recommends)"
done
for want in kdegames-mahjongg-data-kf5 fonts-noto-cjk libqt6widgets6; do
  grep -q "$want" <<<"$(field Depends)" || fail "Depends lacks $want: $(field Depends)"
done
files=$(dpkg-deb -c "$deb" | awk '{print $6}')
for f in usr/$bin/sekiba usr/$bin/sekiba-tool usr/$share/sekiba_title_0.jpg \
         usr/share/doc/sekiba/copyright usr/share/doc/sekiba/changelog.gz \
         usr/share/man/man6/sekiba.6.gz usr/share/man/man6/sekiba-tool.6.gz \
         usr/share/metainfo/org.sekiba.Sekiba.metainfo.xml; do
  grep -qx "\./$f" <<<"$files" || fail "not in the package: $f"
done
! grep -q 'usr/share/licenses' <<<"$files" || fail "the GPL's text belongs to common-licenses"
dpkg-deb -x "$deb" "$tmp/x"
changelog=$(gzip -dc "$tmp/x/usr/share/doc/sekiba/changelog.gz")
head -1 <<<"$changelog" | grep -q "^sekiba ($(field Version)) " || fail "changelog: $(head -1 <<<"$changelog")"
grep -q '^ -- Test Packager <packager@example.org>  ' <<<"$changelog" || fail "changelog not signed"

if command -v lintian >/dev/null; then
  tags=$(lintian --no-cfg --info "$deb" 2>&1) || true
  echo "$tags"
  ! grep -q '^[EW]: ' <<<"$tags" || fail "lintian: $(grep '^[EW]: ' <<<"$tags")"
else
  echo "lintian is not installed: its check is skipped"
fi
echo "package test passed"
