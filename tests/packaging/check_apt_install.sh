#!/usr/bin/env bash
# Installs the Debian package on this machine with apt, starts the installed program, and
# removes the package again, checking that nothing of it is left. It changes the system,
# so it runs only when asked (CI runs it; see .ci/run). Needs root or sudo.
set -u
build=$1
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
fail() { echo "FAIL: $*"; exit 1; }
sudo=""
[ "$(id -u)" = 0 ] || sudo=sudo
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
chmod 755 "$out"
(cd "$build" && cpack -G DEB -B "$out" > "$out/cpack.log" 2>&1) || { cat "$out/cpack.log"; fail "cpack"; }
deb=$(ls "$out"/tabrino_"$version"-1_*.deb | head -n 1)
$sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -q "$deb" > "$out/apt.log" 2>&1 \
    || { tail -20 "$out/apt.log"; fail "apt-get install"; }
[ -x /usr/bin/tabrino ] && [ -x /usr/bin/tabrino-convert ] || fail "the programs are not in /usr/bin"
/usr/bin/tabrino-convert --help | grep -q 'Usage: tabrino-convert' || fail "tabrino-convert --help"

# The installed program starts and shows its main window.
export HOME=$out/home XDG_CONFIG_HOME=$out/home/.config
mkdir -p "$XDG_CONFIG_HOME/Tabrino"
printf '[Settings]\nDisplay%%20Wizard=False\n' > "$XDG_CONFIG_HOME/Tabrino/Tabrino.ini"
cat > "$out/start.sh" <<'START'
#!/usr/bin/env bash
/usr/bin/tabrino &
app=$!
for _ in $(seq 1 60); do
    if xdotool search --onlyvisible --name '^Tabrino$' >/dev/null 2>&1; then
        kill $app; wait $app 2>/dev/null; exit 0
    fi
    sleep 0.5
done
kill $app; exit 1
START
chmod +x "$out/start.sh"
QTWEBENGINE_DISABLE_SANDBOX=1 xvfb-run -a "$out/start.sh" > "$out/start.log" 2>&1 \
    || { $sudo apt-get remove -y -q tabrino >/dev/null 2>&1; fail "the installed program did not start"; }

$sudo env DEBIAN_FRONTEND=noninteractive apt-get remove --purge -y -q tabrino > "$out/remove.log" 2>&1 \
    || fail "apt-get remove"
for path in /usr/bin/tabrino /usr/bin/tabrino-convert /usr/share/tabrino \
    /usr/share/applications/tabrino.desktop /usr/share/mime/packages/tabrino.xml; do
    [ -e "$path" ] && fail "$path is left after removal"
done
dpkg -s tabrino >/dev/null 2>&1 && fail "dpkg still knows the package"
echo "PASS: installed with apt, started, removed cleanly"
