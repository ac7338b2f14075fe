# Set-up shared by the end-to-end scripts that run the real program under Xvfb: skips
# (exit 77) where Xvfb or xdotool is missing, and gives the run its own home, settings and
# temporary folder under $work, which is removed on exit. Source it; it sets $work.
for tool in xvfb-run xdotool; do
    if ! command -v "$tool" >/dev/null; then
        echo "SKIP: $tool is not installed (apt-get install xvfb xauth xdotool)"
        exit 77
    fi
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_DATA_HOME=$work/home/.local/share
export TMPDIR=$work/tmp
export QTWEBENGINE_DISABLE_SANDBOX=${QTWEBENGINE_DISABLE_SANDBOX:-1}
mkdir -p "$XDG_CONFIG_HOME/Tabrino" "$XDG_DATA_HOME" "$TMPDIR"
printf '[Settings]\nDisplay%%20Wizard=False\n' > "$XDG_CONFIG_HOME/Tabrino/Tabrino.ini"

# Prints the id of the visible window named exactly $1 once it shows (30 s at most).
wait_for_window() {
    local win=""
    for _ in $(seq 1 60); do
        win=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1)
        [ -n "$win" ] && { echo "$win"; return 0; }
        sleep 0.5
    done
    return 1
}
