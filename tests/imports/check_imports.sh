#!/usr/bin/env bash
# Reads the import tables of the 32-bit deliverables and checks every
# imported function against what Windows 95 and NT 4 provide: a function on
# the list of those known to be missing there fails, and so does one on
# neither list, until someone checks where it exists and lists it.
# Usage: check_imports.sh OBJDUMP BINDIR PROVIDED_LIST MISSING_LIST
set -u
objdump=$1 bindir=$2 provided=$3 missing=$4
deliverables=(holm.exe holm.dll holm95.dll HolmCfg.exe)

# "dll function" per imported function, the library's name in lower case;
# a function imported by ordinal only is named #ordinal.
imports_of() {
  "$objdump" -p "$1" | awk '
    /^\tDLL Name: / { dll = tolower($3); next }
    dll != "" && /^[ \t]*$/ { dll = ""; next }
    dll != "" && /^\t[0-9a-f]+\t/ {
      name = $NF
      if (name == "<none>") name = "#" $2
      print dll, name
    }'
}

# Reads a list into the named array: "dll function" -> the rest of the line
# (the source of the fact, or the reason the function is missing).
declare -A provided_by missing_because
read_list() {
  local -n into=$1
  local dll fn note
  while read -r dll fn note; do
    [[ -z "$dll" || "$dll" == \#* ]] && continue
    into["${dll,,} $fn"]=$note
  done <"$2"
}
read_list provided_by "$provided"
read_list missing_because "$missing"

failures=0
for entry in "${!provided_by[@]}"; do
  [ -n "${provided_by[$entry]}" ] || { echo "FAIL $provided lists $entry without its source"; failures=$((failures + 1)); }
  [ -z "${missing_because[$entry]+set}" ] || { echo "FAIL $entry is listed both as provided and as missing"; failures=$((failures + 1)); }
done
for entry in "${!missing_because[@]}"; do
  [ -n "${missing_because[$entry]}" ] || { echo "FAIL $missing lists $entry without the reason"; failures=$((failures + 1)); }
done
for file in "${deliverables[@]}"; do
  path="$bindir/$file"
  if [ ! -f "$path" ]; then echo "FAIL $file: not built ($path)"; failures=$((failures + 1)); continue; fi
  if ! list=$(imports_of "$path") || [ -z "$list" ]; then
    echo "FAIL $file: no import table read by $objdump"; failures=$((failures + 1)); continue
  fi
  bad=0
  while read -r dll fn; do
    if [ -n "${missing_because["$dll $fn"]+set}" ]; then
      echo "FAIL $file imports $dll $fn, which Windows 95 or NT 4 lacks: ${missing_because["$dll $fn"]}"
      bad=$((bad + 1))
    elif [ -z "${provided_by["$dll $fn"]+set}" ]; then
      echo "FAIL $file imports $dll $fn, which is not on the list of what Windows 95 and NT 4 provide ($provided)"
      bad=$((bad + 1))
    fi
  done <<<"$list"
  count=$(wc -l <<<"$list")
  if [ "$bad" -eq 0 ]; then echo "PASS $file: $count imported functions, all provided by Windows 95 and NT 4"; fi
  failures=$((failures + bad))
done
exit $((failures > 0))
