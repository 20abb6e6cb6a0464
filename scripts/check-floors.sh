#!/bin/sh
# Fails when a source folder includes a folder on a floor above its own, or when two
# folders include each other. Usage: check-floors.sh SRC_DIR
set -eu
src=${1:-$(dirname "$0")/../src}

# Floor of each folder: the ground floor (base) includes only resources; the subsystems
# stand above setupinfo; app alone wires everything together and nothing includes it.
floor_of() {
    case $1 in
    resources) echo 0 ;;
    base) echo 1 ;;
    setupinfo) echo 2 ;;
    progress | dialogs) echo 3 ;;
    copy | sysconfig | progman | uninstall) echo 4 ;;
    app) echo 5 ;;
    *) echo "" ;;
    esac
}

edges=$(mktemp)
trap 'rm -f "$edges"' EXIT
status=0
for dir in "$src"/*/; do
    folder=$(basename "$dir")
    from=$(floor_of "$folder")
    if [ -z "$from" ]; then
        echo "check-floors: folder src/$folder has no floor; add it to scripts/check-floors.sh"
        status=1
        continue
    fi
    for target in $(grep -rhoE '^#include "[a-z_]+/' "$dir" | sed -E 's/#include "([a-z_]+)\//\1/' | sort -u); do
        [ "$target" = "$folder" ] && continue
        to=$(floor_of "$target")
        echo "$folder $target" >> "$edges"
        if [ -z "$to" ]; then
            echo "check-floors: src/$folder includes unknown folder $target/"
            status=1
        elif [ "$to" -gt "$from" ]; then
            echo "check-floors: src/$folder (floor $from) includes $target/ (floor $to), which stands above it:"
            grep -rnE "^#include \"$target/" "$dir" | sed 's/^/    /'
            status=1
        fi
    done
done
loops=$(awk '{e[$1" "$2]=1} END {for (k in e) {split(k, a, " "); if ((a[2]" "a[1]) in e && a[1] < a[2]) print a[1]" <-> "a[2]}}' "$edges")
if [ -n "$loops" ]; then
    echo "check-floors: folders that include each other: $loops"
    status=1
fi
[ $status -eq 0 ] && echo "check-floors: every folder includes only the floors below it"
exit $status
