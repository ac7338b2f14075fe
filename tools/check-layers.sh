#!/bin/bash
# Checks that the source folders stay layers: each file under src/ includes only headers of
# its own folder and of the folders below it,
#     core <- ui <- editor, output <- document <- wizard <- app
# with editor and output side by side (neither includes the other), and that core/ uses
# QtCore alone. A quoted include is looked up as the compiler does: "folder/X.h" under src/,
# a bare "X.h" in the including file's folder first, then in core/. Headers found in neither
# (uic and moc output) are not checked.
#
# Usage: check-layers.sh <source root> [QtCore include folder]
# Prints one line per offending include and exits 1 when there is any.

root=${1:?usage: check-layers.sh <source root> [QtCore include folder]}
qtcore=$2
src=$root/src

declare -A ranks=([core]=0 [ui]=1 [editor]=2 [output]=2 [document]=3 [wizard]=4 [app]=5)

# Sets `target` to the folder under src/ that holds the header `name` as included from
# `folder`, or to nothing.
resolve() {
    local folder=$1 name=$2
    target=
    if [[ $name == */* ]]; then
        [[ -e $src/$name ]] && target=${name%%/*}
    elif [[ -e $src/$folder/$name ]]; then
        target=$folder
    elif [[ -e $src/core/$name ]]; then
        target=core
    fi
}

faults=0
report() {
    echo "$1"
    faults=$((faults + 1))
}

while IFS= read -r -d '' file; do
    relative=${file#"$src"/}
    folder=${relative%%/*}
    own=${ranks[$folder]:--1}
    if ((own < 0)); then
        report "$file: folder '$folder' is not a known layer"
        continue
    fi
    while IFS= read -r line; do
        if [[ $line =~ ^[[:space:]]*#[[:space:]]*include[[:space:]]*\"([^\"]+)\" ]]; then
            header=${BASH_REMATCH[1]}
            resolve "$folder" "$header"
            [[ -z $target || $target == "$folder" ]] && continue
            rank=${ranks[$target]:--1}
            if ((rank < 0)); then
                report "$file: includes \"$header\" from $target/, which is not a layer"
            elif ((rank > own)); then
                report "$file: includes \"$header\" from $target/, a layer above $folder/"
            elif ((rank == own)); then
                report "$file: includes \"$header\" from $target/, a sibling of $folder/"
            fi
        elif [[ $folder == core && $line =~ ^[[:space:]]*#[[:space:]]*include[[:space:]]*\<(Q[^\>]*)\> ]]; then
            header=${BASH_REMATCH[1]}
            if [[ $header == */* ]]; then
                [[ $header == QtCore/* ]] ||
                    report "$file: includes <$header>; core/ uses QtCore only"
            elif [[ -n $qtcore && ! -e $qtcore/$header ]]; then
                report "$file: includes <$header>, which is not a QtCore header; core/ uses QtCore only"
            fi
        fi
    done <"$file"
done < <(find "$src" -mindepth 2 \( -name '*.h' -o -name '*.cpp' \) -print0 | sort -z)

if ((faults > 0)); then
    echo "$faults include(s) break the layer order"
    exit 1
fi
echo "layers in order"
