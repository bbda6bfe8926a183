#!/usr/bin/env bash
# Fails when a text a person reads has no translation in one of the languages: runs
# lupdate over the sources into copies of the .ts files and lists every message left
# unfinished. Arguments: lupdate, cmake, Qt's script that writes the lupdate project, the
# project's base name (its .cmake written when the build is configured), the .ts files.
set -euo pipefail
lupdate=$1 cmake=$2 script=$3 project=$4
shift 4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$cmake" "-DIN_FILE=$project.cmake" "-DOUT_FILE=$work/project.json" -P "$script"
copies=()
for ts in "$@"; do
  cp "$ts" "$work/"
  copies+=("$work/$(basename "$ts")")
done
"$lupdate" -project "$work/project.json" -locations none -no-obsolete -ts "${copies[@]}" >/dev/null 2>&1
status=0
for ts in "${copies[@]}"; do
  missing=$(python3 - "$ts" <<'PY'
import re, sys, html
text = open(sys.argv[1], encoding='utf-8').read()
for message in re.findall(r'<message[^>]*>.*?</message>', text, re.S):
    translation = re.search(r'<translation([^>]*)>(.*?)</translation>', message, re.S)
    if 'unfinished' in translation.group(1) or not re.sub(r'<[^>]+>', '', translation.group(2)).strip():
        print('  ' + html.unescape(re.search(r'<source>(.*?)</source>', message, re.S).group(1)))
PY
)
  if [ -n "$missing" ]; then
    echo "$(basename "$ts"): texts without a translation (build update_translations, then translate them):"
    echo "$missing"
    status=1
  fi
done
exit $status
