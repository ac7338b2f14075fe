#!/usr/bin/env bash
# Starts the real tabrino under Xvfb with a form on its command line and, with xdotool,
# deletes its item (Delete): the recovery copy written a few seconds later lacks it. Ctrl+Z
# takes the deletion back (the copy goes: nothing is unsaved) and Ctrl+E converts: the page
# is the whole form. Exits 77 (skipped)
# where Xvfb or xdotool is missing.
set -u
tabrino=$1
. "$(dirname "$0")/e2e_common.sh"
printf '%s\r\n' "$work/page.htm" /cgi-bin/mail.pl False application/x-www-form-urlencoded \
    Send Clear "Text Field" email "" "E-mail:" 40 "" 60 "" "[EOF]" > "$work/form.wfm"

{ echo '#!/usr/bin/env bash'; declare -f wait_for_window; cat <<'DRIVE'; } > "$work/drive.sh"
set -u
"$1" "$2" &
app=$!
# The start-up screen stays about three seconds; then the frame shows.
win=$(wait_for_window Tabrino) || { echo "FAIL: the main window did not appear"; kill $app; exit 1; }
sleep 1
xdotool windowfocus --sync "$win" 2>/dev/null || true
# Converts; waits until the page $2 exists and differs from $1, then closes the message.
convert() {
    xdotool key --window "$win" ctrl+e
    for _ in $(seq 1 40); do
        [ -s "$2" ] && ! cmp -s "$2" "$1" && break
        sleep 0.25
    done
    # The success message is a second window named Tabrino: Return closes it once it shows.
    windows() { xdotool search --onlyvisible --name '^Tabrino$' 2>/dev/null | wc -l; }
    for _ in $(seq 1 40); do [ "$(windows)" -ge 2 ] && break; sleep 0.25; done
    xdotool key Return
    for _ in $(seq 1 40); do [ "$(windows)" -le 1 ] && break; sleep 0.25; done
    # Without a window manager nobody gives the focus back to the frame.
    xdotool windowfocus --sync "$win" 2>/dev/null || true
}
xdotool key --window "$win" Delete
# A few seconds after the change the recovery copy is written, without the item.
copies=$XDG_DATA_HOME/Tabrino/recovery
for _ in $(seq 1 40); do ls "$copies"/*.wfm >/dev/null 2>&1 && break; sleep 0.25; done
cat "$copies"/*.wfm > "$3.deleted" 2>/dev/null
xdotool key --window "$win" ctrl+z
# Back to the form as it was opened: nothing unsaved, so no recovery copy.
for _ in $(seq 1 40); do ls "$copies"/*.wfm >/dev/null 2>&1 || break; sleep 0.25; done
if ls "$copies"/*.wfm >/dev/null 2>&1; then
    echo "FAIL: Ctrl+Z left the form changed"; kill $app; exit 1
fi
convert /dev/null "$3"
sleep 0.5
kill $app 2>/dev/null
wait $app 2>/dev/null
exit 0
DRIVE
chmod +x "$work/drive.sh"
xvfb-run -a -s "-screen 0 1280x900x24" "$work/drive.sh" "$tabrino" "$work/form.wfm" \
    "$work/page.htm" > "$work/log" 2>&1
status=$?
if [ $status -ne 0 ]; then
    grep -E 'FAIL' "$work/log"
    exit 1
fi
if [ ! -s "$work/page.htm.deleted" ] || grep -q 'email' "$work/page.htm.deleted"; then
    echo "FAIL: Delete did not take the item off the form"
    exit 1
fi
expected=$(printf '%s\r\n' '<HTML>' '<HEAD>' '<TITLE>Form created with Tabrino</TITLE>' \
    '</HEAD>' '<BODY>' '<!-- FORM_START_CMD: Do NOT edit or remove this line. -->' \
    '<FORM ACTION="/cgi-bin/mail.pl" METHOD="POST">' 'E-mail:' \
    '<INPUT Type="text" Name="email" Size="40" Maxlength="60" Value=""><BR>' \
    '<BR><INPUT Type="Submit" Value="Send">' '<INPUT Type="Reset" Value="Clear">' '</FORM>' \
    '<!-- FORM_END_CMD: Do NOT edit or remove this line. -->' '</BODY>' '</HTML>' | od -c)
actual=$(od -c < "$work/page.htm" 2>/dev/null)
if [ "$expected" != "$actual" ]; then
    echo "FAIL: the page written by Ctrl+E after Ctrl+Z differs from the expected page"
    cat "$work/page.htm" 2>/dev/null || echo "(no page was written)"
    exit 1
fi
echo "PASS: Ctrl+E wrote the page, Ctrl+Z brought the deleted item back"
