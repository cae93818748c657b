#!/usr/bin/env bash
# check_layers.sh <source folder>: the folders of src/ are layers, and each file keeps to its own.
# - An include names its header by the path from src/, and the header is of the file's own
#   folder or of a folder below it.
# - A Qt-free file includes neither a Qt header nor a header that is not Qt-free itself.
# - Only a file of one platform (a name ending in _posix or _windows) includes the system's own headers.
# Prints each include that breaks a rule, and fails if there is one.
set -eu
cd "$1/src"

# The folders from the bottom up; main.cpp is above them all.
layers=(base journal controls resources platform about entry mainwindow program)
# Free of Qt: whole folders, and the files of a folder that also holds widgets.
qt_free='^(base/|journal/|controls/propertybag\.|controls/xpb/core/|controls/datetime/core/|entry/entryrules\.|platform/journalplace|program/commandline\.)'
system_headers='^<(unistd|fcntl|dirent|pwd|grp|sys/[a-z_]+|spawn|poll|windows|shlobj|io|locale)\.h>$'

rank() {
    local top=${1%%/*} i
    for i in "${!layers[@]}"; do [ "${layers[$i]}" = "$top" ] && { echo "$i"; return; }; done
    echo "${#layers[@]}"
}

broken=0
complain() { echo "src/$1: $2"; broken=1; }

while IFS= read -r file; do
    own=$(rank "$file")
    free=no; [[ $file =~ $qt_free ]] && free=yes
    while IFS= read -r header; do
        if [[ $header == \"*\" ]]; then
            header=${header//\"/}
            [ -f "$header" ] || { complain "$file" "\"$header\" is not named by its path from src/"; continue; }
            [ "$(rank "$header")" -le "$own" ] || complain "$file" "\"$header\" is of a layer above"
            [ "$free" = no ] || [[ $header =~ $qt_free ]] || complain "$file" "Qt-free, yet includes \"$header\""
        else
            [ "$free" = no ] || ! [[ $header =~ ^\<(Q|qt) ]] || complain "$file" "Qt-free, yet includes $header"
            [[ $file == *_posix.* || $file == *_windows.* ]] || ! [[ $header =~ $system_headers ]] ||
                complain "$file" "$header belongs in a file of one platform"
        fi
    done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*\([<"][^>"]*[>"]\).*/\1/p' "$file")
done < <(find . -name '*.h' -o -name '*.cpp' | sed 's|^\./||' | sort)

[ "$broken" = 0 ] && echo "every include keeps to its layer"
exit "$broken"
