#!/usr/bin/env bash
# Checks a built Debian package: every program of programs.txt with its man page, dependencies
# found by dpkg-shlibdeps, valid desktop entries, AppStream data and file type, and systemd units
# that systemd-analyze accepts.
#   packaging/check_package.sh BUILD_DIR
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build="${1:?usage: check_package.sh BUILD_DIR}"
debs=("$build"/varnel_*.deb)
deb="${debs[0]}"
[ -f "$deb" ] || { echo "no package in $build" >&2; exit 1; }
echo "checking $deb"

fail() { echo "FAIL: $*" >&2; exit 1; }

contents="$(dpkg-deb -c "$deb")"
while read -r program; do
  case "$program" in ''|'#'*) continue ;; esac
  grep -q " \./usr/bin/$program\$" <<<"$contents" || fail "$program is not in the package"
  grep -q " \./usr/share/man/man1/$program\.1\.gz\$" <<<"$contents" || fail "no man page for $program"
done <"$here/programs.txt"

# mailpump's window is a module where the program looks for it; the program itself needs no Qt.
grep -q " \./usr/lib/varnel/mailpump-window\.so\$" <<<"$contents" || fail "no mailpump window module"

depends="$(dpkg-deb -f "$deb" Depends)"
grep -q "libc6" <<<"$depends" || fail "Depends lacks the shared libraries: '$depends'"
echo "Depends: $depends"

stage="$(mktemp -d)"
trap 'rm -rf "$stage"' EXIT
dpkg-deb -x "$deb" "$stage"

needed="$(readelf -d "$stage/usr/bin/mailpump")"
if grep -q 'NEEDED.*libQt' <<<"$needed"; then
  fail "mailpump links Qt; only its window module may"
fi

desktop-file-validate "$stage"/usr/share/applications/*.desktop

# A warning about the component id not being a reverse domain name is not an error.
if appstreamcli validate --no-net "$stage"/usr/share/metainfo/*.xml | grep '^E:'; then
  fail "AppStream data"
fi

cp -r "$stage/usr/share/mime" "$stage/mime"
update-mime-database "$stage/mime" >/dev/null 2>&1
grep -q 'application/x-varnel-workspace:\*\.sdv' "$stage/mime/globs" || fail "no *.sdv file type"

# systemd-analyze checks that ExecStart names an executable: the units are checked as packaged,
# with their /usr/bin pointing into the staging root.
for scope in system user; do
  unit="$stage/check-$scope/mailpump.service"
  mkdir -p "$(dirname "$unit")"
  sed "s|/usr/bin/|$stage/usr/bin/|" "$stage/usr/lib/systemd/$scope/mailpump.service" >"$unit"
  if [ "$scope" = user ]; then
    # A user manager needs a runtime directory, which a CI job may not have.
    mkdir -m 0700 "$stage/runtime"
    XDG_RUNTIME_DIR="$stage/runtime" systemd-analyze verify --user --man=no "$unit"
  else
    systemd-analyze verify --man=no "$unit"
  fi
done
echo "package OK"
