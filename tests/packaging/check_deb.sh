#!/usr/bin/env bash
# Builds the Debian package with CPack and checks its control data and file list.
# Exits 77 (skipped) where dpkg-deb or dpkg-shlibdeps is missing.
set -u
build=$1 version=$2
for tool in dpkg-deb dpkg-shlibdeps cpack; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is missing (apt-get install dpkg-dev)"; exit 77; }
done
fail() { echo "FAIL: $*"; exit 1; }
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
(cd "$build" && cpack -G DEB -B "$out" > "$out/cpack.log" 2>&1) || { cat "$out/cpack.log"; fail "cpack"; }
deb=$(ls "$out"/tabrino_$version-1_*.deb 2>/dev/null | head -n 1)
[ -n "$deb" ] || fail "no tabrino_$version-1_*.deb was made"
depends=$(dpkg-deb -f "$deb" Depends)
for lib in libqt6core6 libqt6gui6 libqt6widgets6 libqt6webenginewidgets6; do
    echo "$depends" | grep -q "$lib" || fail "Depends lacks $lib: $depends"
done
[ "$(dpkg-deb -f "$deb" Package)" = tabrino ] || fail "package name"
[ "$(dpkg-deb -f "$deb" Version)" = $version-1 ] || fail "version"
files=$(dpkg-deb -c "$deb")
for file in ./usr/bin/tabrino ./usr/bin/tabrino-convert ./usr/share/applications/tabrino.desktop \
    ./usr/share/mime/packages/tabrino.xml ./usr/share/icons/hicolor/scalable/apps/tabrino.svg \
    ./usr/share/icons/hicolor/48x48/apps/tabrino.png ./usr/share/man/man1/tabrino.1 \
    ./usr/share/man/man1/tabrino-convert.1 ./usr/share/tabrino/help/contents.html; do
    echo "$files" | grep -q " $file\$" || fail "$file is not in the package"
done
if [ -n "${TABRINO_DEB_DIR:-}" ]; then
    cp "$deb" "$TABRINO_DEB_DIR/"
fi
echo "PASS: $(basename "$deb") depends on: $depends"
