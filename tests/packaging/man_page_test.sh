#!/usr/bin/env bash
# A program's manual page names every option of its --help and its exit
# statuses, and groff formats it without a warning. --help needs no display.
#
#   man_page_test.sh PROGRAM PAGE
set -euo pipefail
program=$1
page=$2

help=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" --help)
# The options as the help lists them: first on a line, after the indent.
options=$(grep -oE -- '^ +-[-a-zA-Z]+(, +-[-a-zA-Z]+)*' <<<"$help" |
    grep -oE -- '--?[a-zA-Z][-a-zA-Z]*' | sort -u)
if [[ -z $options ]]; then
    echo "no options in the help of $program"
    exit 1
fi

# The page's words with roff's escaped dashes and font changes undone.
text=$(sed -e 's/\\-/-/g' -e 's/\\f[BIRP]//g' "$page")
status=0
for option in $options; do
    if ! grep -qE -- "(^|[^-a-zA-Z])$option([^-a-zA-Z]|\$)" <<<"$text"; then
        echo "$(basename "$page") does not name $option"
        status=1
    fi
done
for section in SYNOPSIS OPTIONS "EXIT STATUS" EXAMPLES; do
    if ! grep -qx "\.SH $section" "$page"; then
        echo "$(basename "$page") has no $section section"
        status=1
    fi
done

if command -v groff >/dev/null; then
    warnings=$(groff -man -Tutf8 -ww -z "$page" 2>&1)
    if [[ -n $warnings ]]; then
        echo "groff: $warnings"
        status=1
    fi
fi
exit "$status"
