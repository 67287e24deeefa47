#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# tvrtool's bash completion against tvrtool itself: it offers every subcommand, and for each
# subcommand exactly the long options its --help lists, and the right kind of file after -o.
# bash-completion's helpers are stood in for, so the check needs bash alone.
# The fish completion is held to the same lists by reading it.
# Usage: completion_check.sh TVRTOOL BASH_COMPLETION FISH_COMPLETION
set -uo pipefail
tvrtool=$1
fail() { echo "FAIL: $*"; exit 1; }

_init_completion() {
  words=("${COMP_WORDS[@]}") cword=$COMP_CWORD
  cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD - 1]:-}
}
_filedir() { COMPREPLY=("files:${1:-any}"); }
# shellcheck source=/dev/null
source "$2"

complete_line() { # the words of a command line, the last one being completed
  COMP_WORDS=("$@") COMP_CWORD=$(($# - 1)) COMPREPLY=()
  _tvrtool
  printf '%s\n' "${COMPREPLY[@]}" | sort | tr '\n' ' '
}

subcommands=$("$tvrtool" help | awk '/^Subcommands:/ {on = 1; next} on && !NF {exit} on {print $1}' | sort | tr '\n' ' ')
[ "$(complete_line tvrtool '')" = "--help --version $subcommands" ] ||
  fail "subcommands: $(complete_line tvrtool '') instead of --help --version $subcommands"

for sub in $subcommands; do
  [ "$sub" = help ] && continue
  listed=$("$tvrtool" "$sub" --help | grep -oE -- '--[a-z][a-z-]*' | sort -u | tr '\n' ' ')
  offered=$(complete_line tvrtool "$sub" --)
  [ "$offered" = "$listed" ] || fail "$sub: completes \"$offered\", its help lists \"$listed\""
  fish=$(grep -v 'not __fish' "$3" |
    grep -E -- "__fish_seen_subcommand_from ([^\"]*\\b$sub\\b|\\\$subcommands).* -l " |
    sed -E 's/.* -l ([a-z-]+).*/--\1/' | sort -u | tr '\n' ' ')
  [ "$fish" = "$listed" ] || fail "$sub: fish completes \"$fish\", its help lists \"$listed\""
done

[ "$(complete_line tvrtool render a.tvr -o '')" = "files:@(pdf|png) " ] || fail "render -o"
[ "$(complete_line tvrtool import '')" = "files:json " ] || fail "import's JSON"
[ "$(complete_line tvrtool show '')" = "files:@(tvr|qld) " ] || fail "show's layout"
echo PASS
