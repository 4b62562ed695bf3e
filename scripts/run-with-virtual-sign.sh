#!/usr/bin/env bash
# Starts varnel together with a virtual sign, so that a message typed and sent is seen playing
# without any hardware. The sign listens on 127.0.0.1:5005 (its window opens when there is a
# display; its state and pictures land in DATA_DIR/virtual-sign/).
#
# A data directory without an address book gets one holding a single ready destination, the site
# "Virtual sign" (TCP/IP device on port 5005, TCP/IP group 127.0.0.1). An existing address book is
# never changed unless asked:
#   --add-destination     add the "Virtual sign" device, TCP/IP group and site to an existing book
#   --remove-destination  remove them again (and run nothing)
#   --prepare-only        set up the address book as above, then exit without starting anything
#   --data-dir DIR        the data directory (default: the build's program folder, as varnel's)
#   --build DIR           the build folder (default: build)
# Everything after "--" goes to varnel.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
build="$here/build"
data=""
add=0
remove=0
prepare_only=0
varnel_args=()
while [[ $# -gt 0 ]]; do
  case "$1" in
    --add-destination) add=1 ;;
    --remove-destination) remove=1 ;;
    --prepare-only) prepare_only=1 ;;
    --data-dir) data="$2"; shift ;;
    --build) build="$(cd "$2" && pwd)"; shift ;;
    --) shift; varnel_args=("$@"); break ;;
    *) echo "run-with-virtual-sign: unknown option $1" >&2; exit 2 ;;
  esac
  shift
done
bin="$build/bin"
data="${data:-$bin}"
name="Virtual sign"
cli=("$bin/varnel-cli" --data-dir "$data")

# The book with the destination added (add) or removed (remove), read as JSON on stdin.
edit_book() {
  python3 -c '
import json, sys
name, mode = sys.argv[1], sys.argv[2]
book = json.load(sys.stdin)
for key in ("devices", "sites", "tcpipGroups"):
    book[key] = [r for r in book[key] if r["name"] != name]
book["groups"] = [dict(g, sites=[s for s in g["sites"] if s != name]) for g in book["groups"]]
if book.get("defaultDevice") == name:
    book["defaultDevice"] = ""
if mode == "add":
    book["devices"].append({"name": name, "type": 2, "comPort": 1, "ipPort": 5005,
                            "baudRate": 9600, "modemKind": 0, "dialTimeout": 60,
                            "tcpTimeout": 5, "modemName": "", "mailServer": ""})
    book["tcpipGroups"].append({"name": name, "address": "127.0.0.1"})
    book["sites"].append({"name": name, "device": name, "addresses": "1", "phone": "",
                          "target": name})
    if not book.get("defaultDevice"):
        book["defaultDevice"] = name
json.dump(book, sys.stdout, indent=2)
' "$name" "$1"
}

change_book() {
  mkdir -p "$data"
  local edited
  edited="$(mktemp)"
  "${cli[@]}" book show --json | edit_book "$1" >"$edited"
  "${cli[@]}" book import "$edited"
  rm -f "$edited"
}

if [[ $remove == 1 ]]; then
  change_book remove
  echo "run-with-virtual-sign: \"$name\" removed from the address book in $data"
  exit 0
fi
if [[ ! -e "$data/Z2500SiteManage.dat" || $add == 1 ]]; then
  change_book add
  echo "run-with-virtual-sign: the address book in $data offers the site \"$name\""
else
  echo "run-with-virtual-sign: the address book in $data is left as it is" \
       "(--add-destination adds the site \"$name\")"
fi
[[ $prepare_only == 1 ]] && exit 0

mkdir -p "$data/virtual-sign"
"$bin/virtual-sign" --listen 127.0.0.1:5005 --colour-mode bi-color \
  --state "$data/virtual-sign/state.json" --png "$data/virtual-sign" &
sign=$!
trap 'kill "$sign" 2>/dev/null || true' EXIT
"$bin/varnel" --data-dir "$data" "${varnel_args[@]}"
