#!/usr/bin/env bash
# tabrino --help and --version; then the first start of the real tabrino under Xvfb, with
# an empty settings folder: the Quick Start Wizard opens by itself, Alt+N and Alt+F finish
# it with its answers as they stand, Return dismisses the success message, and the
# wizard's .wfm and .htm files are checked.
# The program runs as a copy in a temporary folder, with its help pages beside it as in an
# installation, so the wizard's files (written beside the program) never land in the build
# tree. Exits 77 (skipped) where Xvfb or xdotool is missing.
set -u
tabrino=$1 version=$2
# First, --help and --version: answered on standard output with status 0, with no display
# to open a window on (so a window would make the program fail).
for run in "--help|Usage: tabrino [FORM.wfm]" "--version|tabrino $version"; do
    option=${run%%|*} expected=${run#*|}
    out=$(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb "$tabrino" "$option" 2>&1)
    status=$?
    if [ $status -ne 0 ] || [ "$(head -n 1 <<<"$out")" != "$expected" ]; then
        echo "FAIL: tabrino $option ended with status $status and printed: $out"
        exit 1
    fi
done
echo "PASS: --help and --version answer on standard output without a display"
for tool in xvfb-run xdotool; do
    if ! command -v "$tool" >/dev/null; then
        echo "SKIP: $tool is not installed (apt-get install xvfb xauth xdotool)"
        exit 77
    fi
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config
export XDG_DATA_HOME=$work/home/.local/share TMPDIR=$work/tmp
mkdir -p "$XDG_CONFIG_HOME" "$TMPDIR" "$work/app/bin" "$work/app/share/tabrino"
cp "$tabrino" "$work/app/bin/tabrino"
help=$(dirname "$tabrino")/../share/tabrino/help
if [ -d "$help" ]; then
    cp -r "$help" "$work/app/share/tabrino/help"
fi
build_bin=$(dirname "$tabrino")
before=$(ls "$build_bin"/tb_wizqs.* 2>/dev/null)

cat > "$work/drive.sh" <<'DRIVE'
#!/usr/bin/env bash
set -u
program=$1 folder=$2
fail() { echo "FAIL: $*"; kill $app 2>/dev/null; wait $app 2>/dev/null; exit 1; }
visible() { xdotool search --onlyvisible --name "$1" 2>/dev/null; }
"$program" &
app=$!
# The start-up screen stays about three seconds; then the wizard opens by itself.
wizard=""
for _ in $(seq 1 60); do
    wizard=$(visible 'Quick Start Wizard' | head -n 1)
    [ -n "$wizard" ] && break
    sleep 0.5
done
[ -n "$wizard" ] || fail "the wizard did not open at the first start"
echo "wizard: $(xdotool getwindowname "$wizard")"
sleep 1
xdotool windowfocus --sync "$wizard" 2>/dev/null || true
# Finish is disabled on the first page: Alt+N first.
xdotool key --window "$wizard" alt+n
for _ in $(seq 1 20); do
    xdotool getwindowname "$wizard" | grep -q 'step 2 of 4' && break
    sleep 0.25
done
xdotool getwindowname "$wizard" | grep -q 'step 2 of 4' || fail "Alt+N did not show page 2"
xdotool key --window "$wizard" alt+f
# The page is written before the success message comes up.
message=""
for _ in $(seq 1 80); do
    message=$(visible '^Tabrino$' | head -n 1)
    [ -n "$message" ] && [ -s "$folder/tb_wizqs.htm" ] && break
    sleep 0.25
done
[ -s "$folder/tb_wizqs.htm" ] || fail "Finish wrote no page"
[ -n "$message" ] || fail "no message after Finish"
sleep 0.5
xdotool windowfocus --sync "$message" 2>/dev/null || true
xdotool key --window "$message" Return
for _ in $(seq 1 40); do
    visible '^Tabrino$' | grep -qx "$message" || break
    sleep 0.25
done
visible '^Tabrino$' | grep -qx "$message" && fail "Return did not dismiss the message"
echo "PASS: the message was dismissed"
sleep 0.5
kill $app 2>/dev/null
wait $app 2>/dev/null
exit 0
DRIVE
chmod +x "$work/drive.sh"
QTWEBENGINE_DISABLE_SANDBOX=${QTWEBENGINE_DISABLE_SANDBOX:-1} \
    xvfb-run -a -s "-screen 0 1280x900x24" "$work/drive.sh" "$work/app/bin/tabrino" \
    "$work/app/bin" > "$work/log" 2>&1
status=$?
grep -E '^(wizard|PASS|FAIL)' "$work/log"
[ $status -eq 0 ] || exit 1

folder=$work/app/bin
status=0
if ! grep -q $'^\[EOF\]\r$' "$folder/tb_wizqs.wfm" 2>/dev/null; then
    echo "FAIL: no complete Web Form File at $folder/tb_wizqs.wfm"
    status=1
fi
for needle in 'Name="recipient"' 'Name="required" Value="realname,email"' \
    '<FORM ACTION="/cgi-bin/FormMail.pl" METHOD="POST">' 'FORM_END_CMD'; do
    if ! grep -qF "$needle" "$folder/tb_wizqs.htm" 2>/dev/null; then
        echo "FAIL: the page lacks $needle"
        status=1
    fi
done
if [ "$(ls "$build_bin"/tb_wizqs.* 2>/dev/null)" != "$before" ]; then
    echo "FAIL: the wizard wrote into the build tree ($build_bin)"
    status=1
fi
[ $status -eq 0 ] && echo "PASS: the wizard wrote tb_wizqs.wfm and tb_wizqs.htm"
exit $status
