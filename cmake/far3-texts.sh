#!/bin/bash
# Makes one of the Far 3 edition's message or help files from the Far 1.x
# edition's file: converted from its OEM code page to UTF-8 with a BOM (Far
# 3's format), with what only Far 3 needs from a UTF-8 file of dist/far3/:
# a .lng gets the extra file's messages appended (numbered on after the
# others); a .hlf gets the extra file's topics appended, and a line linking
# to its first topic after the title line of the topics Contents and Options.
#   far3-texts.sh SOURCE OEM_CODE_PAGE EXTRA|- OUTPUT
set -eu
source=${1:?usage: far3-texts.sh SOURCE OEM_CODE_PAGE EXTRA|- OUTPUT}
codepage=${2:?}
extra=${3:?}
output=${4:?}

text=$(iconv -f "CP$codepage" -t UTF-8 "$source" | tr -d '\r')
if [ "$extra" != - ]; then
    more=$(sed '1s/^\xEF\xBB\xBF//' "$extra" | tr -d '\r')
    case "$output" in
    *.hlf)
        # The link line is the extra file's first line; its topics follow.
        link=$(head -n 1 <<<"$more")
        more=$(tail -n +2 <<<"$more")
        text=$(awk -v link="$link" '
            { print }
            /^@/ { topic = $0 }
            /^\$/ && (topic == "@Contents" || topic == "@Options") && !done[topic]++ { print link; print "" }
        ' <<<"$text")
        ;;
    esac
    text=$text$'\n'$more
fi
tmp=$output.tmp
{ printf '\xEF\xBB\xBF'; printf '%s\n' "$text"; } | sed 's/$/\r/' >"$tmp"
mv "$tmp" "$output"
