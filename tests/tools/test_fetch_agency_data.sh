#!/usr/bin/env bash
# tools/fetch-agency-data against a server on 127.0.0.1 serving fixture archives.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
fetch="$here/../../tools/fetch-agency-data"
tmp="$(mktemp -d)"
server=""
cleanup() {
  [ -n "$server" ] && kill "$server" 2>/dev/null || true
  rm -rf "$tmp"
}
trap cleanup EXIT
check() {
  if ! eval "$1"; then
    echo "FAIL: $2" >&2
    exit 1
  fi
}

mkdir -p "$tmp/site/nhtsa/inv" "$tmp/site/nhtsa/cmpl" "$tmp/site/epa"
python3 - "$here/agency" "$tmp/site" <<'PY'
import sys, zipfile
src, site = sys.argv[1], sys.argv[2]
for archive, member in [("nhtsa/inv/FLAT_INV.zip", "FLAT_INV.txt"), ("nhtsa/cmpl/FLAT_CMPL.zip", "FLAT_CMPL.txt"),
                        ("epa/vehicles.csv.zip", "vehicles.csv")]:
    with zipfile.ZipFile(f"{site}/{archive}", "w", zipfile.ZIP_DEFLATED) as z:
        z.write(f"{src}/{member}", member)
open(f"{site}/nhtsa/cmpl/NOT_A_ZIP.zip", "w").write("<html>moved</html>")
PY
python3 -u -m http.server 0 --bind 127.0.0.1 --directory "$tmp/site" >"$tmp/server.log" 2>&1 &
server=$!
for _ in $(seq 50); do
  port="$(sed -n 's/.* port \([0-9]*\).*/\1/p' "$tmp/server.log" | head -1)"
  [ -n "$port" ] && break
  sleep 0.1
done
check '[ -n "$port" ]' "the local server started"
export FV_AGENCY_NHTSA="http://127.0.0.1:$port/nhtsa" FV_AGENCY_EPA="http://127.0.0.1:$port/epa" FV_AGENCY_CACHE="$tmp/cache"

export FV_AGENCY_FILES="nhtsa/inv/FLAT_INV.zip nhtsa/cmpl/FLAT_CMPL.zip epa/vehicles.csv.zip"
out="$("$fetch")"
check '[ "$out" = "$tmp/cache" ]' "prints the cache folder"
for f in FLAT_INV.txt FLAT_CMPL.txt vehicles.csv; do
  check 'cmp -s "$tmp/cache/$f" "$here/agency/$f"' "$f unpacked unchanged"
  sum="$(sha256sum "$here/agency/$f" | cut -d' ' -f1)"
  check 'grep -qP "^$f\thttp://127\.0\.0\.1:$port/\S+/[^/]+\.zip\t\d{4}-\d{2}-\d{2}\t$sum\$" "$tmp/cache/sources.tsv"' "$f recorded with its address, date and SHA-256"
done
check '[ "$(wc -l <"$tmp/cache/sources.tsv")" = 3 ]' "one line per file"
check '[ -z "$(ls -d "$tmp"/cache/fetch.* 2>/dev/null)" ]' "no work folder left"

# A missing or broken archive fails the run and leaves the cache as it was.
before="$(cat "$tmp/cache/sources.tsv")"
for files in "nhtsa/inv/FLAT_INV.zip nhtsa/rcl/FLAT_RCL_POST_2010.zip" "nhtsa/cmpl/NOT_A_ZIP.zip"; do
  if FV_AGENCY_FILES="$files" "$fetch" >/dev/null 2>"$tmp/err"; then
    echo "FAIL: $files should fail" >&2
    exit 1
  fi
  check '[ "$(cat "$tmp/cache/sources.tsv")" = "$before" ]' "a failed run ($files) leaves sources.tsv"
done
check 'grep -q "could not download .*FLAT_RCL_POST_2010.zip\|not a zip archive" "$tmp/err"' "the failure names the archive"
echo "fetch-agency-data: 1 passed, 0 failed"
