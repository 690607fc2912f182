#!/usr/bin/env bash
# Checks that static libraries, listed bottom up, call only down: no symbol a library leaves
# undefined may be defined by a library listed after it. Prints each upward call and fails when
# there is one.
#   check_link_layers.sh LIB.a ...
set -euo pipefail
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Symbols a library defines for others (weak and vague-linkage definitions are left out: every
# user of an inline function or template has its own copy).
defined() { nm -g --defined-only "$1" 2>/dev/null | awk 'NF == 3 && $2 ~ /^[TDBR]$/ { print $3 }' | sort -u; }
undefined() { nm -g --undefined-only "$1" 2>/dev/null | awk '$1 == "U" { print $2 }' | sort -u; }

libs=("$@")
for i in "${!libs[@]}"; do
  defined "${libs[$i]}" > "$work/def.$i"
  undefined "${libs[$i]}" > "$work/undef.$i"
done

found=0
for i in "${!libs[@]}"; do
  for ((j = i + 1; j < ${#libs[@]}; j++)); do
    while read -r symbol; do
      [ -n "$symbol" ] || continue
      echo "layers: $(basename "${libs[$i]}") calls up into $(basename "${libs[$j]}"): $(c++filt "$symbol")"
      found=1
    done < <(comm -12 "$work/undef.$i" "$work/def.$j")
  done
done
exit "$found"
