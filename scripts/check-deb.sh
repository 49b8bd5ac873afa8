#!/usr/bin/env bash
# Installs the Debian package that `make deb` built, with apt as a user would, and checks it: the
# command line's worked example, the program started offscreen until its status reads "Solved...",
# its help page and location database beside the program the link in /usr/bin starts, a manual page
# for each program in /usr/bin, and the program as the desktop's default for project files. Then purges
# it and checks that none of its files is left and that the desktop's caches no longer know it.
set -euo pipefail
cd "$(dirname "$0")/.."
fail() {
  echo "check-deb: $*" >&2
  exit 1
}
deb=$(ls "$PWD"/quorvane_*_amd64.deb 2>/dev/null | tail -1)
[ -n "$deb" ] || fail "no quorvane_*_amd64.deb here; run make deb"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
apt_get() { $sudo env DEBIAN_FRONTEND=noninteractive apt-get "$@"; }

# A user of one's own, so nothing a developer set for themselves decides what the checks see.
user=$(mktemp -d)
trap 'rm -rf "$user"' EXIT
mkdir -p "$user/Documents" "$user/config" "$user/data" "$user/runtime"
chmod 700 "$user/runtime"
as_user() { env HOME="$user" XDG_CONFIG_HOME="$user/config" XDG_DATA_HOME="$user/data" \
                XDG_RUNTIME_DIR="$user/runtime" "$@"; }

apt_get install -y -q "$deb" >/dev/null
mapfile -t files < <(dpkg-query -L quorvane)

# The worked example: the noon row of the Solar page (direct normal, direct, diffuse, reflected, total).
as_user quorvane-cli --table solar | tr -d '\r' | grep -qx ' 12,834,635,120,65,820' ||
  fail "quorvane-cli does not give the worked example's noon row"

stamps=$(as_user env QT_QPA_PLATFORM=offscreen QUORVANE_STARTUP_STAMP=1 timeout 60 quorvane 2>&1 || true)
grep -qx solved <<<"$stamps" || fail "the installed program did not reach \"Solved...\": $stamps"

program=$(readlink -f "$(command -v quorvane)")
[ -f "$(dirname "$program")/Help/Quorvane.htm" ] || fail "no help page beside $program"
[ -f "$(dirname "$(dirname "$program")")/Common Files/Regions.idx" ] || fail "no location database for $program"
for program in $(printf '%s\n' "${files[@]}" | grep '^/usr/bin/'); do
  page=$(basename "$program")
  zcat "/usr/share/man/man1/$page.1.gz" 2>/dev/null | grep -q "^\.TH ${page^^} 1 \"[0-9-]*\" \"Quorvane [0-9]" ||
    fail "no manual page for $page"
done

default=$(as_user xdg-mime query default application/x-quorvane-project)
[ "$default" = com.varnholt.quorvane.desktop ] || fail "the default for project files is \"$default\""
echo "check-deb: installed $(basename "$deb"): worked example, Solved..., help page, database, manual pages, default for *.qvx"

apt_get purge -y -q quorvane >/dev/null
for f in "${files[@]}"; do
  # Folders the package shares with others (/usr/share/icons, ...) stay.
  if [ -e "$f" ] && { [ ! -d "$f" ] || [[ "$f" == *quorvane* ]] || [[ "$f" == *Varnholt* ]]; }; then
    fail "left after purge: $f"
  fi
done
for cache in /usr/share/applications/mimeinfo.cache /usr/share/mime/globs2; do
  if grep -qs quorvane "$cache"; then fail "$cache still names the program"; fi
done
[ -z "$(as_user xdg-mime query default application/x-quorvane-project)" ] || fail "still the default for *.qvx"
echo "check-deb: purged: no file and no cache entry left"
