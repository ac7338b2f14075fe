#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks the installed program: the
# converter runs, the program finds its help pages, the desktop entry and the MIME data
# are valid and declare .wfm files. Exits 77 (skipped) where a needed tool is missing.
set -u
build=$1
missing=""
for tool in desktop-file-validate update-mime-database xdg-mime mimetype xvfb-run xdotool; do
    command -v "$tool" >/dev/null || missing="$missing $tool"
done
if [ -n "$missing" ]; then
    echo "SKIP: missing$missing (apt-get install desktop-file-utils shared-mime-info xdg-utils libfile-mimeinfo-perl xvfb xdotool)"
    exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
fail() { echo "FAIL: $*"; exit 1; }

cmake --install "$build" --prefix "$prefix" > "$work/install.log" 2>&1 \
    || { cat "$work/install.log"; fail "cmake --install"; }
for file in bin/tabrino bin/tabrino-convert share/tabrino/help/contents.html \
    share/tabrino/help/topic20.html share/tabrino/help/topic30.html \
    share/tabrino/help/topic40.html share/tabrino/help/topic50.html \
    share/applications/tabrino.desktop share/mime/packages/tabrino.xml \
    share/icons/hicolor/scalable/apps/tabrino.svg share/icons/hicolor/16x16/apps/tabrino.png \
    share/icons/hicolor/32x32/apps/tabrino.png share/icons/hicolor/48x48/apps/tabrino.png \
    share/icons/hicolor/128x128/apps/tabrino.png share/man/man1/tabrino.1 \
    share/man/man1/tabrino-convert.1; do
    [ -e "$prefix/$file" ] || fail "$file was not installed"
done
file "$prefix/share/icons/hicolor/48x48/apps/tabrino.png" | grep -q '48 x 48' \
    || fail "the 48 pixel icon is not 48 x 48"

# The installed converter.
printf '%s\r\n' "" "" False application/x-www-form-urlencoded Submit Reset \
    Label "" "" "Installed" "" "" "" "" "[EOF]" > "$work/my form.wfm"
(cd "$work" && "$prefix/bin/tabrino-convert" "my form.wfm" page.htm) > "$work/out" \
    || fail "the installed tabrino-convert failed"
grep -q '<BR><B>Installed</B><BR>' "$work/page.htm" || fail "the page lacks the form"
grep -q 'Form successfully written to file \[page.htm\].' "$work/out" || fail "no success message"

# Desktop entry and MIME type.
desktop-file-validate "$prefix/share/applications/tabrino.desktop" || fail "desktop entry"
update-mime-database "$prefix/share/mime" || fail "update-mime-database"
type=$(XDG_DATA_DIRS=$prefix/share:/usr/share XDG_DATA_HOME=$work/none \
    xdg-mime query filetype "$work/my form.wfm")
[ "$type" = "application/x-tabrino-webform" ] || fail "xdg-mime says '$type' for a .wfm file"

# The installed program finds its help: Help, Contents opens the help window.
export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config TMPDIR=$work/tmp
mkdir -p "$XDG_CONFIG_HOME/Tabrino" "$TMPDIR"
printf '[Settings]\nDisplay%%20Wizard=False\n' > "$XDG_CONFIG_HOME/Tabrino/Tabrino.ini"
cat > "$work/drive.sh" <<'DRIVE'
#!/usr/bin/env bash
"$1" "$2" &
app=$!
for _ in $(seq 1 60); do
    win=$(xdotool search --onlyvisible --name '^Tabrino$' 2>/dev/null | head -n 1)
    [ -n "$win" ] && break
    sleep 0.5
done
sleep 1
xdotool windowfocus --sync "$win" 2>/dev/null
xdotool key --window "$win" alt+h
sleep 0.5
xdotool key --window "$win" c
found=1
for _ in $(seq 1 20); do
    if xdotool search --onlyvisible --name '^Tabrino Help$' >/dev/null 2>&1; then
        found=0; break
    fi
    sleep 0.25
done
kill $app 2>/dev/null
wait $app 2>/dev/null
exit $found
DRIVE
chmod +x "$work/drive.sh"
QTWEBENGINE_DISABLE_SANDBOX=${QTWEBENGINE_DISABLE_SANDBOX:-1} \
    xvfb-run -a -s "-screen 0 1280x900x24" "$work/drive.sh" "$prefix/bin/tabrino" \
    "$work/my form.wfm" > "$work/gui.log" 2>&1 \
    || fail "the installed program did not open its help window"
echo "PASS: installed layout, converter, help, desktop entry and MIME type"
