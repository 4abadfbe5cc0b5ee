# Sourced by the scripts after scripts/wine-env.sh: 64-bit Wine's WOW64 mode, where a 32-bit program runs with
# the 64-bit registry view and System32 beside its own, as on 64-bit Windows. Wine 8.0 needs its 32-bit PE
# DLLs for that, from libwine:i386, which is only unpacked into the build folder, never installed.
# Run directly (bash scripts/wow64.sh, as root), it does both steps.
WOW64_DIR="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build/wow64"
WOW64_PREFIX="$WOW64_DIR/prefix"
WOW64_DLLPATH="$WOW64_DIR/libwine-i386/usr/lib/i386-linux-gnu/wine"

# Downloads libwine:i386 of the installed Wine's version and unpacks it, once. dpkg knows the i386
# architecture only during the download, also when it fails: apt would otherwise offer i386 packages.
# Runs in a subshell, and checks every step itself: callers may test its status, which turns set -e off.
wow64_fetch_dlls() (
    [ -f "$WOW64_DLLPATH/i386-windows/kernel32.dll" ] && exit 0
    version=$(dpkg-query -W -f='${Version}' libwine:amd64) || exit 1
    mkdir -p "$WOW64_DIR" && work=$(mktemp -d "$WOW64_DIR/download.XXXXXX") || exit 1
    apt_quiet() {
        apt-get -qq -o DPkg::Lock::Timeout=600 "$@" >"$work/apt.log" 2>&1 || { cat "$work/apt.log" >&2; return 1; }
    }
    added=false
    restore() {
        if $added; then
            dpkg --remove-architecture i386 && apt_quiet update || echo "wow64.sh: could not remove the i386 architecture" >&2
        fi
        rm -rf "$work"
    }
    trap restore EXIT
    trap 'exit 130' INT TERM HUP
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        dpkg --add-architecture i386 || exit 1
        added=true
    fi
    echo "Downloading libwine:i386 $version for WOW64"
    apt_quiet update || exit 1
    (cd "$work" && apt_quiet download "libwine:i386=$version") || exit 1
    dpkg-deb -x "$work"/libwine_*_i386.deb "$work/libwine-i386" || exit 1
    [ -f "$work/libwine-i386/usr/lib/i386-linux-gnu/wine/i386-windows/kernel32.dll" ] || exit 1
    rm -rf "$WOW64_DIR/libwine-i386" && mv "$work/libwine-i386" "$WOW64_DIR/libwine-i386"
)

# Makes the WOW64 prefix once, without a display, and waits until its wineserver has gone. The prefix must be
# made with the 32-bit DLLs at hand: wineboot fills SysWOW64 from them.
wow64_prefix_init() (
    export WINEPREFIX="$WOW64_PREFIX" WINEDLLPATH="$WOW64_DLLPATH"
    if [ ! -f "$WOW64_PREFIX/drive_c/windows/syswow64/kernel32.dll" ]; then
        rm -rf "$WOW64_PREFIX" && mkdir -p "$WOW64_PREFIX" || exit 1
        DISPLAY= "$WINE" wineboot --init >/dev/null 2>&1
    fi
    "$WINESERVER" -w
    [ -f "$WOW64_PREFIX/drive_c/windows/syswow64/kernel32.dll" ] || { echo "wow64.sh: no SysWOW64 in $WOW64_PREFIX" >&2; exit 1; }
)

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
    set -euo pipefail
    source "$(dirname "$0")/wine-env.sh"
    wow64_fetch_dlls
    wow64_prefix_init
fi
