#!/usr/bin/env bash
# Checks the distribution image's files of the package: each is in the image under its shipped
# name; the template shortcut is a shell link; the help file is a WinHelp file whose contents file names every topic of the markup; the
# pages and pictures are byte copies of their sources, the pictures are GIFs, and every file a page
# links to or shows is one that Setup installs.
# Usage: check-package.sh <package source folder> <disk folder>
set -uo pipefail

src=$1
disk=$2
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

# Installed name -> shipped name, as Setup's file list has them.
declare -A shipped=(
    [Ondrel.hlp]=Ondrel.hl_ [Ondrel.cnt]=Ondrel.cn_
    ["More Info.html"]="More Info.htm_" [Title.html]=Title.htm_ [Intro.html]=Intro.htm_
    [Order.html]=Order.htm_ [Ondrel.gif]=Ondrel.gi_ [bg2.gif]=bg2.gi_ [icon.gif]=icon.gi_
)
for installed in "${!shipped[@]}"; do
    [ -s "$disk/${shipped[$installed]}" ] || fail "$disk/${shipped[$installed]} is missing or empty"
done

# WinHelp files begin with the magic number 0x00035F3F, little-endian.
magic=$(head -c 4 "$disk/Ondrel.hl_" 2>/dev/null | od -An -tx1 | tr -d ' \n')
[ "$magic" = 3f5f0300 ] || fail "Ondrel.hl_ does not begin with the WinHelp signature (got '$magic')"

# A shell link begins with its header size, 0x4C, and the shell link class identifier.
link=$(head -c 20 "$disk/Ondrel v1.3.ln_" 2>/dev/null | od -An -tx1 | tr -d ' \n')
[ "$link" = 4c0000000114020000000000c000000000000046 ] ||
    fail "Ondrel v1.3.ln_ does not begin with a shell link header (got '$link')"

# Every chapter and section heading of the markup is a topic of the contents file.
cnt=$disk/Ondrel.cn_
# Its topic lines read "2 Section 1.1 Your first call=t00000001".
cnt_topics=$(sed -nE 's/^[0-9]+ (Chapter|Section) [0-9.]+ (.*)=[^=]*$/\2/p' "$cnt" 2>/dev/null)
topics=0
while IFS= read -r title; do
    topics=$((topics + 1))
    grep -qxF "$title" <<<"$cnt_topics" || fail "Ondrel.cn_ has no topic \"$title\""
done < <(sed -nE 's/^\\(C|H|S[0-9]*)\{[^}]*\} (.*)$/\2/p' "$src/help/ondrel.but")
[ "$topics" -ge 10 ] || fail "only $topics headings found in ondrel.but"
head -n 1 "$cnt" 2>/dev/null | grep -q '^:Title Ondrel' || fail "Ondrel.cn_ does not begin with its title"

# Pages and pictures are shipped unchanged.
for installed in "${!shipped[@]}"; do
    [ -e "$src/pages/$installed" ] || continue
    cmp -s "$src/pages/$installed" "$disk/${shipped[$installed]}" ||
        fail "${shipped[$installed]} differs from pages/$installed"
done
for picture in Ondrel.gif bg2.gif icon.gif; do
    head -c 6 "$src/pages/$picture" | grep -qE '^GIF8[79]a$' || fail "pages/$picture is not a GIF"
done

# Links and pictures of the pages name installed files (a "#" part and %20 for a space allowed).
for page in "More Info.html" Title.html Intro.html Order.html; do
    while IFS= read -r target; do
        target=${target%%#*}
        target=${target//%20/ }
        case $target in '' | mailto:* | http:* | https:*) continue ;; esac
        [ -n "${shipped[$target]+set}" ] || fail "$page refers to \"$target\", which is not installed"
    done < <(grep -oiE '(href|src|background)="[^"]*"' "$src/pages/$page" | sed -E 's/^[^"]*"//; s/"$//')
done

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed"
    exit 1
fi
echo "package: $((${#shipped[@]} + 1)) files, $topics help topics checked"
