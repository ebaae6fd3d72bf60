#!/usr/bin/env bash
# Makes the starting corpora from the resource scripts and template files under tests/ and
# examples/: usage fuzz/make_corpus.sh CORPUS_FOLDER. Each target gets its own subfolder.
set -euo pipefail
cd "$(dirname "$0")/.."
out=$1
mkdir -p "$out/text" "$out/template" "$out/run" "$out/full"

mapfile -t scripts < <(find tests examples -iname '*.rc' -size -64k 2>/dev/null | sort)
mapfile -t templates < <(find tests examples templates -iname '*.tpl' -size -64k 2>/dev/null | sort)

n=0
for f in "${scripts[@]}" "${templates[@]}"; do
  n=$((n + 1))
  { printf '\003\002'; cat "$f"; } >"$out/text/start-$n"
  # Odd first byte: the dialog template kind; even: a control template.
  { printf '\021'; cat "$f"; } >"$out/template/start-$n"
  { printf '\040'; cat "$f"; } >"$out/template/start-$n-control"
done

# A run input: flags, the script, then the set's main template, dialogex.tpl, Button.tpl and
# Edit.tpl of every set found beside a script's tests, then no previous project files.
part() { printf '\n@@\n'; [ -f "$1" ] && cat "$1" || true; }
n=0
for main in $(find tests examples templates -iname '*.tpl' -size -64k 2>/dev/null | sort); do
  set_dir=${main%.*}
  [ -d "$set_dir" ] || continue
  for script in "${scripts[@]}"; do
    for flags in '\000' '\003'; do
      n=$((n + 1))
      {
        printf "$flags"
        cat "$script"
        part "$main"
        part "$set_dir/dialogex.tpl"
        part "$(find "$set_dir" -maxdepth 1 -iname button.tpl | head -1)"
        part "$(find "$set_dir" -maxdepth 1 -iname edit.tpl | head -1)"
        printf '\n@@\nhead\r\n[File]\r\n1=x.bas\r\n[FileInfo]\r\ntail\r\n\n@@\nold main source\r\n'
      } >"$out/run/start-$n"
    done
  done
done
# A whole-language input: flags (the code page), the script, then a.h, b.h and sub/c.rc. Each
# script alone, and again with its defines and first dialog moved into included files.
n=0
for script in "${scripts[@]}"; do  # tests/full_syntax/constructs among them
  n=$((n + 1))
  { printf '\000'; cat "$script"; } >"$out/full/start-$n"
  {
    printf '\001#include "a.h"\r\n#include "sub/c.rc"\r\n'
    grep -v '^#define' "$script" || true
    printf '\n@@\n#pragma once\r\n#include "b.h"\r\n'
    grep '^#define' "$script" || true
    printf '\n@@\n#ifndef B_H\r\n#define B_H\r\n#define ID_B (1+2)\r\n#endif\r\n'
    printf '\n@@\n#include "../a.h"\r\nSUB DIALOG 0,0,10,10\r\nBEGIN\r\nLTEXT "x",ID_B,1,1,8,8\r\nEND\r\n'
  } >"$out/full/start-$n-included"
done
echo "fuzz/make_corpus.sh: $(ls "$out/text" | wc -l) text, $(ls "$out/template" | wc -l) template, $(ls "$out/run" | wc -l) run, $(ls "$out/full" | wc -l) full inputs"
