#!/usr/bin/env bash
# Nothing lost, in the real tabrino under Xvfb: a form changed with a key (Delete removes
# its first item) gets a recovery copy; after SIGKILL the next start asks once, Y restores
# it and Ctrl+S writes exactly the changed form. SIGTERM ends the program with status 0,
# removes its preview files and keeps the copy of a changed form; N at the next start
# deletes it, and a start with nothing to recover asks nothing. Exits 77 (skipped) where
# Xvfb or xdotool is missing.
set -u
tabrino=$1
. "$(dirname "$0")/e2e_common.sh"
recovery=$XDG_DATA_HOME/Tabrino/recovery
head=("$work/page.htm" /cgi-bin/mail.pl True multipart/form-data Send Clear)
email=("Text Field" email "me@example.org" "E-mail:" 40 "" 60 "")
notes=("Text Area" notes "" "Notes:" 30 5 "" "")
printf '%s\r\n' "${head[@]}" "${email[@]}" "${notes[@]}" "[EOF]" > "$work/form.wfm"
printf '%s\r\n' "${head[@]}" "${notes[@]}" "[EOF]" > "$work/expected.wfm"
cp "$work/form.wfm" "$work/original.wfm"

{ echo '#!/usr/bin/env bash'; cat <<'DRIVE'; } > "$work/drive.sh"
set -u
tabrino=$1 form=$2 recovery=$3 expected=$4
fail() {
    echo "FAIL: $*"
    for win in $(xdotool search --onlyvisible --name . 2>/dev/null); do
        echo "window: $(xdotool getwindowname "$win") $(xdotool getwindowgeometry "$win")"
    done
    ls -la "$recovery" "$TMPDIR"
    kill -9 $app 2>/dev/null
    exit 1
}
copies() { ls "$recovery"/*.wfm 2>/dev/null | wc -l; }
previews() { ls "$TMPDIR"/WFM* 2>/dev/null | wc -l; }
# Waits up to 15 s for the shell condition $1.
until_true() {
    for _ in $(seq 1 60); do eval "$1" && return 0; sleep 0.25; done
    return 1
}
# The start-up screen stays about three seconds. A question comes before the frame; both
# are titled "Tabrino", the frame is the large one. Prints the window's id (30 s at most).
start() {
    "$tabrino" "$@" &
    app=$!
}
tabrino_window() { # $1: "frame" or "question"
    for _ in $(seq 1 120); do
        for win in $(xdotool search --onlyvisible --name '^Tabrino$' 2>/dev/null); do
            width=$(xdotool getwindowgeometry --shell "$win" | sed -n 's/^WIDTH=//p')
            if { [ "$1" = frame ] && [ "$width" -gt 600 ]; } ||
                { [ "$1" = question ] && [ "$width" -le 600 ]; }; then
                echo "$win"
                return 0
            fi
        done
        sleep 0.25
    done
    return 1
}
press() {
    xdotool windowfocus --sync "$1" 2>/dev/null || true
    xdotool key --window "$1" "$2"
}
# Ends the program with SIGTERM; it must leave with status 0.
terminate() {
    kill -TERM $app
    wait $app
    local status=$?
    [ $status -eq 0 ] || fail "SIGTERM ended the program with status $status"
}

# 1. Change the form and wait for its copy, then kill the program outright.
start "$form"
win=$(tabrino_window frame) || fail "the form did not open"
sleep 1
press "$win" Delete
until_true '[ "$(copies)" = 1 ]' || fail "no recovery copy was written"
kill -KILL $app
wait $app 2>/dev/null
rm -f "$TMPDIR"/WFM* # what a killed program leaves behind

# 2. The next start asks; Y restores the changed form, Ctrl+S saves it over the file.
start
question=$(tabrino_window question) || fail "no question at the start after the kill"
press "$question" y
# Saved without a dialog: the form has its old file name again.
win=$(tabrino_window frame) || fail "the restored form did not open"
press "$win" ctrl+s
until_true 'cmp -s "$form" "$expected"' || fail "the saved form differs from the changed one"
until_true '[ "$(copies)" = 0 ]' || fail "the copy stayed after the save"
terminate
[ "$(previews)" = 0 ] || fail "preview files stayed after SIGTERM"

# 3. Changed again and ended with SIGTERM before the copy was due: the copy is kept.
start "$form"
win=$(tabrino_window frame) || fail "the form did not open again"
sleep 1
press "$win" Delete
sleep 0.5
until_true '[ "$(previews)" -ge 1 ]' || fail "no preview file to remove"
terminate
[ "$(copies)" = 1 ] || fail "SIGTERM did not keep the copy of the changed form"
[ "$(previews)" = 0 ] || fail "preview files stayed after SIGTERM"

# 4. N deletes the copy; 5. then nothing is offered.
start
question=$(tabrino_window question) || fail "the kept copy was not offered"
press "$question" n
win=$(tabrino_window frame) || fail "no frame after the declined offer"
[ "$(copies)" = 0 ] || fail "the declined copy was not deleted"
terminate
start
win=$(tabrino_window frame) || fail "the program did not start, or asked something"
terminate
echo "all runs done"
DRIVE
chmod +x "$work/drive.sh"
xvfb-run -a -s "-screen 0 1280x900x24" "$work/drive.sh" "$tabrino" "$work/form.wfm" \
    "$recovery" "$work/expected.wfm" > "$work/log" 2>&1
if ! grep -q "all runs done" "$work/log"; then
    grep -v '^  \*\|^Init Parameters\|^Using\|^QSG\|^$' "$work/log" | tail -n 60
    exit 1
fi
echo "PASS: a killed form came back byte for byte; SIGTERM kept the copy and removed the previews"
