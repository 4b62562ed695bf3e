#!/usr/bin/env bash
# A double click on a workspace file opens varnel: the build installed into a staging root, the
# desktop's data directories pointed there, and the desktop's own tools asked what a workspace file
# (made by varnel-cli, named *.SDV and *.sdv) is and which program opens it.
#   packaging/check_file_type.sh BUILD_DIR INSTALL_PREFIX
# Skips (exit 77) where the desktop tools are missing: xdg-utils, shared-mime-info,
# desktop-file-utils and gio (libglib2.0-bin), which answers for GNOME, Debian's default desktop.
set -euo pipefail
build="${1:?usage: check_file_type.sh BUILD_DIR INSTALL_PREFIX}"
prefix="${2:?usage: check_file_type.sh BUILD_DIR INSTALL_PREFIX}"

for tool in xdg-mime gio update-mime-database update-desktop-database; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIP: $tool is not installed (xdg-utils, libglib2.0-bin, shared-mime-info," \
      "desktop-file-utils)"
    exit 77
  fi
done

fail() { echo "FAIL: $*" >&2; exit 1; }

stage="$(mktemp -d)"
trap 'rm -rf "$stage"' EXIT
DESTDIR="$stage/root" cmake --install "$build" >/dev/null
share="$stage/root$prefix/share"
update-mime-database "$share/mime" >/dev/null 2>&1
update-desktop-database "$share/applications" >/dev/null 2>&1

# Only the staged data directories: what the system has installed plays no part.
export XDG_DATA_DIRS="$share" XDG_DATA_HOME="$stage/data" XDG_CONFIG_HOME="$stage/config"
export XDG_CURRENT_DESKTOP=GNOME
mkdir -p "$XDG_DATA_HOME" "$XDG_CONFIG_HOME" "$stage/files"

cli="$stage/root$prefix/bin/varnel-cli"
printf '{"width": 80, "colorMode": 1, "lines": []}' >"$stage/files/w.json"
"$cli" import "$stage/files/w.json" -o "$stage/files/x.SDV" >/dev/null
cp "$stage/files/x.SDV" "$stage/files/y.sdv"

for file in x.SDV y.sdv; do
  type="$(xdg-mime query filetype "$stage/files/$file")"
  [ "$type" = application/x-varnel-workspace ] || fail "$file is taken for '$type'"
done
default="$(xdg-mime query default application/x-varnel-workspace)"
[ "$default" = varnel.desktop ] || fail "a workspace file opens with '$default', not varnel"
grep -q '^Exec=varnel %f$' "$share/applications/varnel.desktop" ||
  fail "varnel.desktop does not pass the file to varnel"
echo "x.SDV and y.sdv are application/x-varnel-workspace and open with varnel.desktop"
