#!/bin/sh
# Usage: compare-man-options.sh PROGRAM MANPAGE
# The option names (--name) the program's --help mentions and those its manual page
# mentions must be the same, --help itself aside (it prints the list, which need not name
# it).
set -eu
program=$1 page=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
names() { grep -o -- '--[a-z][a-z-]*[a-z]' | grep -vx -- --help | sort -u; }
"$program" --help | names > "$tmp/help"
sed 's/\\-/-/g' "$page" | names > "$tmp/page"
status=0
only_help=$(comm -23 "$tmp/help" "$tmp/page")
only_page=$(comm -23 "$tmp/page" "$tmp/help")
[ -z "$only_help" ] || { echo "in --help, not in $page:" $only_help; status=1; }
[ -z "$only_page" ] || { echo "in $page, not in --help:" $only_page; status=1; }
exit $status
