#!/usr/bin/env bash
# The Debian package, checked two ways (exit 77: skipped, the reason on stdout):
#   package_test.sh metadata SOURCE_DIR   the desktop entries, the AppStream entry and the
#                                         man pages pass their validators
#   package_test.sh install BUILD_DIR     (root and QUILLON_PACKAGE_TEST=1 only) build the
#       package with cpack, install it with apt-get, make a database and draw the calendar
#       from the installed programs, purge it and find nothing of it left in /usr or /etc
set -euo pipefail

fail() { echo "FAIL: $*" >&2; exit 1; }
skip() { echo "skipped: $*"; exit 77; }

# validate DESKTOP_FILES... -- METAINFO MAN_PAGES...
validate() {
  local desktop=() man=() metainfo=""
  for f in "$@"; do
    case "$f" in
      --) ;;
      *.desktop) desktop+=("$f") ;;
      *.metainfo.xml) metainfo="$f" ;;
      *) man+=("$f") ;;
    esac
  done
  for f in "${desktop[@]}"; do
    out=$(desktop-file-validate "$f" 2>&1) || fail "desktop-file-validate $f: $out"
    [ -z "$out" ] || fail "desktop-file-validate $f: $out"
  done
  appstreamcli validate --no-net "$metainfo" >/dev/null 2>&1 ||
    fail "appstreamcli validate $metainfo: $(appstreamcli validate --no-net "$metainfo" 2>&1)"
  for f in "${man[@]}"; do
    out=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$f" 2>&1 >/dev/null) || fail "man $f: $out"
    [ -z "$out" ] || fail "man $f: $out"
  done
  echo "valid: ${#desktop[@]} desktop entries, $(basename "$metainfo"), ${#man[@]} man pages"
}

need_tools() {
  for tool in "$@"; do
    command -v "$tool" >/dev/null || skip "$tool is not installed"
  done
}

metadata() {
  local source=$1
  need_tools desktop-file-validate appstreamcli man
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  for entry in "$source"/data/desktop/*.desktop.in; do
    sed 's|@QUILLON_FOLDER@|/usr/lib/quillon|g' "$entry" > "$work/$(basename "$entry" .in)"
  done
  validate "$work"/*.desktop -- "$source"/packaging/*.metainfo.xml "$source"/packaging/man/*.1
}

install_and_purge() {
  local build started=$SECONDS
  build=$(cd "$1" && pwd)
  [ "$(id -u)" -eq 0 ] || skip "installs a package: run as root"
  [ "${QUILLON_PACKAGE_TEST:-}" = 1 ] || skip "installs a package on this machine: set QUILLON_PACKAGE_TEST=1"
  need_tools cpack apt-get dpkg-shlibdeps desktop-file-validate appstreamcli man runuser
  if dpkg-query -W -f='${Status}' quillon 2>/dev/null | grep -q 'installed'; then
    fail "a package quillon is already installed here; it is left alone"
  fi

  work=$(mktemp -d)
  chmod 755 "$work"
  installed=""
  trap 'if [ -n "$installed" ]; then DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq quillon >/dev/null 2>&1 || true; fi; rm -rf "$work"' EXIT

  cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/pkg" >"$work/cpack.log" 2>&1 ||
    fail "cpack: $(cat "$work/cpack.log")"
  local debs=("$work"/pkg/quillon_*.deb)
  [ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "cpack made no single quillon_*.deb: ${debs[*]}"
  local deb=${debs[0]}
  echo "built $(basename "$deb") in $((SECONDS - started)) s"

  # dpkg-shlibdeps found the libraries; the plugins Qt loads are named by hand.
  local depends
  depends=$(dpkg-deb -f "$deb" Depends)
  for dep in libc6 libqt6core6 libqt6widgets6 libqt6dbus6 libical3 libqt6sql6-sqlite libqt6svg6 qt6-wayland; do
    [[ ", $depends," == *", $dep"[\ ,]* ]] || fail "Depends lacks $dep: $depends"
  done
  dpkg-deb -I "$deb" conffiles | grep -qx /etc/xdg/autostart/quillon.desktop ||
    fail "the autostart entry is not a conffile"

  dpkg-deb -c "$deb" | awk '{ print $6 }' | sed 's|^\./|/|; s|/$||' > "$work/contents"
  grep -v -E '^/(usr|etc)(/|$)|^/?$' "$work/contents" && fail "files outside /usr and /etc (above)"
  for path in /usr/lib/quillon/{quillon,calendar,scheduler,options,quillon-db,dbcalndr.sqlite,help/index.html,help/{de,fr}/index.html} \
              /usr/lib/quillon/translations/quillon_{de,fr}.qm \
              /usr/bin/quillon /usr/bin/quillon-db \
              /usr/share/man/man1/{quillon,quillon-db,quillon-calendar,quillon-scheduler,quillon-options}.1.gz \
              /usr/share/metainfo/org.velmora.quillon.metainfo.xml \
              /usr/share/applications/{quillon,quillon-scheduler,quillon-options}.desktop \
              /usr/share/icons/hicolor/scalable/apps/quillon.svg /etc/xdg/autostart/quillon.desktop; do
    grep -qx "$path" "$work/contents" || fail "the package lacks $path"
  done

  # The entries as packed: the installed paths, valid.
  dpkg-deb -x "$deb" "$work/root"
  grep -h '^Exec=' "$work"/root/usr/share/applications/*.desktop "$work/root/etc/xdg/autostart/quillon.desktop" |
    grep -v '^Exec="/usr/lib/quillon/[a-z]*"$' && fail "Exec lines that do not name /usr/lib/quillon (above)"
  gunzip -k "$work"/root/usr/share/man/man1/*.gz
  validate "$work"/root/usr/share/applications/*.desktop "$work/root/etc/xdg/autostart/quillon.desktop" -- \
    "$work"/root/usr/share/metainfo/*.xml "$work"/root/usr/share/man/man1/*.1

  # What stood before the install stays; everything else the package brought must go.
  while read -r path; do
    if [ -e "$path" ] || [ -L "$path" ]; then echo "$path"; fi
  done < "$work/contents" > "$work/before"

  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$deb" >"$work/apt.log" 2>&1 ||
    fail "apt-get install: $(cat "$work/apt.log")"
  installed=1
  dpkg -L quillon > "$work/files"
  [ "$(command -v quillon-db)" = /usr/bin/quillon-db ] || fail "quillon-db is not /usr/bin/quillon-db"

  # A database made by the installed tool, and the calendar drawn into its folder by the
  # launcher through its /usr/bin link: it must find its sibling calendar in /usr/lib/quillon.
  mkdir -p "$work/data" "$work/home" "$work/config/Velmora Software"
  mkdir -m 700 "$work/run"
  printf '[Options]\nDisplayCalendarOnDesktop=1\n' > "$work/config/Velmora Software/Quillon Desktop Calendar.conf"
  quillon-db create "$work/data/dbcalndr.sqlite" || fail "quillon-db create"
  quillon-db check "$work/data/dbcalndr.sqlite" || fail "quillon-db check of a new database"
  local out
  out=$(env -i PATH=/usr/bin:/bin HOME="$work/home" XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/run" \
        XDG_CACHE_HOME="$work/home/cache" QUILLON_DATA_DIR="$work/data" QT_QPA_PLATFORM=offscreen \
        QUILLON_NONINTERACTIVE=1 quillon 2>&1) || fail "quillon: $out"
  echo "$out"
  [[ "$out" == *"drawn once into $work/data/wallpaper.bmp"* ]] || fail "quillon did not name $work/data/wallpaper.bmp"
  [ "$(head -c 2 "$work/data/wallpaper.bmp")" = BM ] || fail "wallpaper.bmp is not a bitmap"

  # A user without a data folder of its own: seeded from the shipped database, and the
  # read-only program folder left alone.
  local user="$work/user" userdata
  mkdir -p "$user/config/Velmora Software"
  cp "$work/config/Velmora Software/Quillon Desktop Calendar.conf" "$user/config/Velmora Software/"
  chown -R nobody "$user"
  out=$(runuser -u nobody -- env -i PATH=/usr/bin:/bin HOME="$user" XDG_CONFIG_HOME="$user/config" \
        XDG_DATA_HOME="$user/data" XDG_CACHE_HOME="$user/cache" QT_QPA_PLATFORM=offscreen \
        QUILLON_NONINTERACTIVE=1 /usr/lib/quillon/calendar 2>&1) || fail "calendar as nobody: $out"
  userdata="$user/data/Velmora Software/Quillon Desktop Calendar"
  [ -f "$userdata/dbcalndr.sqlite" ] || fail "the user's database was not seeded: $out"
  [ -f "$userdata/wallpaper.bmp" ] || fail "no wallpaper.bmp in the user's data folder: $out"

  # Root could write into the program folder, but a packaged copy's data goes to root's
  # own data folder all the same.
  out=$(env -i PATH=/usr/bin:/bin HOME="$work/home" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/rootdata" \
        XDG_CACHE_HOME="$work/home/cache" QT_QPA_PLATFORM=offscreen QUILLON_NONINTERACTIVE=1 \
        /usr/lib/quillon/calendar 2>&1) || fail "calendar as root: $out"
  [ -f "$work/rootdata/Velmora Software/Quillon Desktop Calendar/wallpaper.bmp" ] || fail "root's data went elsewhere: $out"
  [ ! -e /usr/lib/quillon/wallpaper.bmp ] || fail "root wrote into /usr/lib/quillon"

  # The installed programs speak the user's language: a second options in German says
  # in German that the first one is open.
  if locale -a | grep -qix de_DE.utf8; then
    local german=(env -i PATH=/usr/bin:/bin HOME="$work/home" XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/run"
                  QUILLON_DATA_DIR="$work/data" QT_QPA_PLATFORM=offscreen QUILLON_NONINTERACTIVE=1 LC_ALL=de_DE.UTF-8)
    "${german[@]}" /usr/lib/quillon/options >/dev/null 2>&1 &
    local first=$!
    for _ in $(seq 50); do [ -e "$work/run/quillon-options.lock" ] && break; sleep 0.1; done
    out=$("${german[@]}" /usr/lib/quillon/options 2>&1) || true
    kill "$first" 2>/dev/null; wait "$first" 2>/dev/null || true
    [[ "$out" == *"Das Fenster »Einstellungen« ist bereits geöffnet."* ]] || fail "options in German: $out"
  fi

  DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq quillon >"$work/apt.log" 2>&1 ||
    fail "apt-get purge: $(cat "$work/apt.log")"
  installed=""
  local left=()
  while read -r path; do
    case "$path" in /usr/*|/etc/*) ;; *) continue ;; esac
    if { [ -e "$path" ] || [ -L "$path" ]; } && ! grep -qxF "$path" "$work/before"; then left+=("$path"); fi
  done < "$work/files"
  [ ${#left[@]} -eq 0 ] || fail "left after purge: ${left[*]}"
  [ ! -e /usr/lib/quillon ] || fail "/usr/lib/quillon is left after purge: $(ls -A /usr/lib/quillon)"
  echo "installed, ran and purged $(wc -l < "$work/files") paths cleanly in $((SECONDS - started)) s"
}

case "${1:-}" in
  metadata) metadata "$2" ;;
  install) install_and_purge "$2" ;;
  *) echo "usage: $0 metadata SOURCE_DIR | install BUILD_DIR" >&2; exit 64 ;;
esac
