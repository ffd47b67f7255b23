#!/usr/bin/env bash
# Builds the Debian package and checks it as Debian's own tools do, then installs it on this
# machine, starts the installed program under a private Xvfb, purges the package and checks that
# nothing of it is left. Installing needs root or password-less sudo; without them, and when a
# zarvick package is installed already (it stays untouched), the test stops after the checks
# and exits 77, the code for a skipped test.
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/../.." && pwd)

deb=$("$source_dir/scripts/package.sh" | tail -n1)
# lib.sh gives the Xvfb helpers, fail() and a temporary folder that it removes on exit.
source "$source_dir/tests/e2e/lib.sh" /usr/games/zarvick
unpacked=$E2E_DIR/unpacked
dpkg-deb -x "$deb" "$unpacked"

# Lintian: no error, and no warning that the shipped overrides do not explain; an override that
# no longer matches anything is stale and must go.
lintian --fail-on error,warning -I "$deb" >"$E2E_DIR/lintian" 2>&1 ||
    { cat "$E2E_DIR/lintian" >&2; fail "lintian reports errors or warnings"; }
! grep -q 'unused-override\|mismatched-override' "$E2E_DIR/lintian" || fail "a stale lintian override"

metainfo=$unpacked/usr/share/metainfo/org.example.zarvick.metainfo.xml
desktop=$unpacked/usr/share/applications/org.example.zarvick.desktop
appstreamcli validate --no-net "$metainfo" >"$E2E_DIR/appstream" 2>&1 ||
    { cat "$E2E_DIR/appstream" >&2; fail "the metainfo file does not validate"; }
desktop-file-validate "$desktop" || fail "the desktop entry does not validate"
grep -qx 'Categories=Game;LogicGame;' "$desktop" || fail "the desktop entry is not a logic game"
# The whole tree as a software centre reads it: the metainfo with the entry it launches.
appstreamcli validate-tree --no-net "$unpacked" >"$E2E_DIR/appstream" 2>&1 ||
    { cat "$E2E_DIR/appstream" >&2; fail "the installed tree does not validate"; }

# The screenshot's address names a picture of the whole main window kept in assets/.
shot=$(sed -n 's:.*<image>https\://zarvick.example.org/screenshots/\(.*\)</image>.*:\1:p' "$metainfo")
[ -n "$shot" ] && [ -f "$source_dir/assets/$shot" ] || fail "screenshot '$shot' is not in assets/"
size=$(identify -format '%m %wx%h' "$source_dir/assets/$shot")
[ "$size" = "PNG 876x722" ] || fail "screenshot have $size, want PNG 876x722"

manual=$unpacked/usr/share/man/man6/zarvick.6.gz
[ -f "$manual" ] || fail "no manual page zarvick.6.gz"
warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 \
    man --warnings -E UTF-8 -l -Tutf8 -Z "$manual" 2>&1 >/dev/null)
[ -z "$warnings" ] || fail "the manual page renders with warnings: $warnings"

depends=$(dpkg-deb -f "$deb" Depends)
for package in fonts-liberation fonts-dejavu-core libqt6widgets6 libjpeg62-turbo \
    libopencv-dnn406 libopencv-imgproc406; do
    [[ ", $depends," == *", $package"[\ ,]* ]] || fail "Depends lacks $package: $depends"
done

sudo=
if [ "$(id -u)" -ne 0 ]; then
    sudo -n true 2>/dev/null || { echo "package: checks passed; install skipped: needs root or sudo"; exit 77; }
    sudo="sudo -n"
fi
if dpkg-query -W -f='${Status}' zarvick 2>/dev/null | grep -q 'installed'; then
    echo "package: checks passed; install skipped: a zarvick package is installed already"
    exit 77
fi

apt_get() {
    $sudo env DEBIAN_FRONTEND=noninteractive apt-get -y -q -o DPkg::Lock::Timeout=600 "$@" \
        >>"$E2E_DIR/apt.log" 2>&1 || { cat "$E2E_DIR/apt.log" >&2; fail "apt-get $* failed"; }
}
installed=
cleanup() {
    [ -n "$installed" ] && $sudo env DEBIAN_FRONTEND=noninteractive apt-get purge -y -q zarvick \
        >/dev/null 2>&1
    e2e_cleanup
}
trap cleanup EXIT

apt_get install "$deb"
installed=yes
dpkg-query -L zarvick >"$E2E_DIR/files"
grep -qx /usr/games/zarvick "$E2E_DIR/files" || fail "the package installed no /usr/games/zarvick"

# The desktop entry starts the program by name, so a user's search path must find it.
user_path=$(sed -n 's/^ENV_PATH[[:space:]]*PATH=//p' /etc/login.defs)
exec_name=$(sed -n 's/^Exec=//p' /usr/share/applications/org.example.zarvick.desktop)
found=$(PATH=$user_path command -v "$exec_name") || fail "Exec=$exec_name is not on $user_path"
[ "$found" = /usr/games/zarvick ] || fail "Exec=$exec_name have $found, want /usr/games/zarvick"

# The installed picture reader reads the program's own screenshot, whose board holds Easy.
reader=/usr/libexec/zarvick/zarvick-read-picture
grep -qx "$reader" "$E2E_DIR/files" || fail "the package installed no $reader"
easy='5.68.............6...6..132.8.3..2.5...9.1...7.1..8.6.679..3...2.............94.8'
read_cells=$("$reader" <"$source_dir/assets/screenshot-easy.png" | sed -n 's/^cells //p')
[ "$read_cells" = "$easy" ] || fail "the installed reader read $read_cells, want $easy"

start_xvfb
start_app
kill "$E2E_APP_PID"
wait "$E2E_APP_PID" 2>/dev/null || true
E2E_APP_PID=

apt_get purge zarvick
installed=
status=$(dpkg-query -W -f='${Status}' zarvick 2>/dev/null || true)
[ -z "$status" ] || [ "$status" = "unknown ok not-installed" ] || fail "after the purge: $status"
# A folder may stay when another package owns it or other files live in it; nothing else may.
while read -r path; do
    [ -e "$path" ] || continue
    [ -d "$path" ] || fail "$path is left after the purge"
    dpkg-query -S "$path" >/dev/null 2>&1 || [ -n "$(ls -A "$path")" ] ||
        fail "empty folder $path is left after the purge"
done <"$E2E_DIR/files"
echo "package: ok"
