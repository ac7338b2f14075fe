#!/bin/bash
# Checks that the translation template holds exactly the program's texts: lupdate, run over
# src/ as `make translations` runs it, must leave translations/tabrino.ts unchanged. A text
# changed, added or removed in the code without the template fails here, so every change of
# a text the user sees shows up for review in the template's diff.
#
# Usage: check-translations.sh <lupdate> <source root>
# Prints the difference and exits 1 when the template is not current.

lupdate=${1:?usage: check-translations.sh <lupdate> <source root>}
root=${2:?usage: check-translations.sh <lupdate> <source root>}
template=$root/translations/tabrino.ts
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cp "$template" "$work/tabrino.ts" || exit 1
find "$root/src" -name '*.cpp' -o -name '*.h' | sort > "$work/sources"
if ! "$lupdate" "@$work/sources" -no-obsolete -locations none -ts "$work/tabrino.ts" \
        > "$work/log" 2>&1; then
    cat "$work/log"
    exit 1
fi
if ! diff -u "$template" "$work/tabrino.ts"; then
    echo "The program's texts differ from translations/tabrino.ts: run 'make translations'" \
         "and review the template's diff."
    exit 1
fi
