#!/usr/bin/env bash
# The bash completion of formwright in a real bash with bash-completion loaded, through its
# completion function, for options, template set names and scripts.
#
# Usage: completion_test.sh FORMWRIGHT COMPLETION_FILE
# FORMWRIGHT is the program completed (its default template root is the one it finds itself).
set -uo pipefail

prog=$(realpath "$1")
completion=$(realpath "$2")
loader=/usr/share/bash-completion/bash_completion
[ -r "$loader" ] || { echo "completion_test: $loader missing (package bash-completion)" >&2; exit 1; }

tmp=$(mktemp -d /tmp/fw-completion-XXXXXX)
trap 'rm -rf "$tmp"' EXIT
mkdir -p "$tmp/root/beta" "$tmp/my root" "$tmp/work/sub"
touch "$tmp/root/beta.tpl" "$tmp/root/Alpha.tpl" "$tmp/root/notes.txt" "$tmp/my root/gamma.tpl"
touch "$tmp/work/a.rc" "$tmp/work/B.RC" "$tmp/work/c.Rc" "$tmp/work/d.txt" "$tmp/work/-dash.rc"

# The options the program's --help names: the completion must offer exactly these.
help_options=$("$prog" --help | grep -oE '^  --[a-z-]+' | tr -d ' ' | sort | paste -sd' ')

# Runs the completion for a command line (the cursor at its end) in a fresh bash, and prints
# the candidates sorted on one line. Words are split as bash splits them for completion: at
# spaces outside quotes and escapes, "=" being a word of its own.
cat >"$tmp/harness.bash" <<'EOF_HARNESS'
source "$1" && source "$2" || exit 1
line=$3
plain=() w="" quote=""
for ((k = 0; k < ${#line}; k++)); do
  c=${line:k:1}
  if [[ -z $quote && $c == "\\" ]]; then
    w+=${line:k:2}
    k=$((k + 1))
  elif [[ -z $quote && $c == " " ]]; then
    [[ $w ]] && plain+=("$w")
    w=""
  else
    w+=$c
    if [[ $c == "'" || $c == '"' ]]; then
      if [[ -z $quote ]]; then quote=$c; elif [[ $quote == "$c" ]]; then quote=""; fi
    fi
  fi
done
plain+=("$w")
COMP_WORDS=()
for w in "${plain[@]}"; do
  while [[ $w == *=* ]]; do COMP_WORDS+=("${w%%=*}" "="); w=${w#*=}; done
  COMP_WORDS+=("$w")
done
COMP_WORDS[0]=$4
COMP_LINE="$4 ${line#* }"
COMP_POINT=${#COMP_LINE}
COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
COMPREPLY=()
_formwright formwright "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD-1]}"
printf '%s\n' "${COMPREPLY[@]}" | sed '/^$/d' | sort | paste -sd' '
EOF_HARNESS
complete_line() {
  (cd "$tmp/work" && bash --norc --noprofile "$tmp/harness.bash" "$loader" "$completion" "$1" \
    "$prog")
}

failures=0
expect() {
  local line=$1 want=$2 got
  got=$(complete_line "$line")
  if [ "$got" = "$want" ]; then
    echo "completion_test: ok: \"$line\" -> $got"
  else
    echo "completion_test: FAILED: \"$line\" gives \"$got\", expected \"$want\"" >&2
    failures=$((failures + 1))
  fi
}

# Options: every option of --help, and only those; a prefix narrows them.
expect "formwright --" "$help_options"
expect "formwright --multi --te" "--template --template-root"
expect "formwright --list" "--list-templates"

# Template sets: the program's own root, a root given on the line in either spelling (one with
# a space in its name too), and a prefix.
default_sets=$("$prog" --list-templates | sort | paste -sd' ')
[ -n "$default_sets" ] || { echo "completion_test: the program lists no set" >&2; exit 1; }
expect "formwright --template " "$default_sets"
expect "formwright --template-root $tmp/root --template " "Alpha beta"
expect "formwright --template-root=$tmp/root --template=b" "beta"
expect "formwright --template-root $tmp/my\\ root --template " "gamma"
expect "formwright --template-root '$tmp/my root' --template g" "gamma"
expect "formwright --template-root $tmp/none --template " ""

# Values that are not completed, and folders for the root.
expect "formwright --base-units " ""
expect "formwright --metrics=" ""
expect "formwright --template-root $tmp/ro" "$tmp/root"

# Scripts: .rc in any letter case and folders, after options and after "--".
expect "formwright --multi " "-dash.rc B.RC a.rc c.Rc sub"
expect "formwright a" "a.rc"
expect "formwright -- -d" "-dash.rc"

[ "$failures" -eq 0 ] || { echo "completion_test: $failures failed" >&2; exit 1; }
echo "completion_test: passed"
