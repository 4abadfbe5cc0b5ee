# Sourced by the scripts after scripts/wine-env.sh: 64-bit Wine's WOW64 mode, where a 32-bit program runs with
# the 64-bit registry view and System32 beside its own, as on 64-bit Windows. Wine 8.0 needs its 32-bit PE
# DLLs for that, from libwine:i386, which is only unpacked into the build folder, never installed.
# Run directly (bash scripts/wow64.sh, as root), it asks the machine first and then does both steps.
WOW64_DIR="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build/wow64"
WOW64_PREFIX="$WOW64_DIR/prefix"
WOW64_DLLPATH="$WOW64_DIR/libwine-i386/usr/lib/i386-linux-gnu/wine"
WOW64_PROBE_SOURCE="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/tools/wow64-probe/probe.c"

# Whether this machine can run 32-bit code in a 64-bit process, which Wine's WOW64 mode needs and some kernels do
# not allow: asked of the machine itself by tools/wow64-probe, before anything is downloaded. Returns 0 when it
# can; 1 when it cannot, with the reason in WOW64_CANNOT; 2 when the probe itself does not work, with that in
# WOW64_CANNOT. BRANDWICK_NO_32BIT=1 makes the answer "cannot", to test what the scripts do then.
wow64_machine_can() {
    WOW64_CANNOT=""
    if [ -n "${BRANDWICK_NO_32BIT:-}" ]; then
        WOW64_CANNOT="BRANDWICK_NO_32BIT is set, so 32-bit code is taken to be unable to run here"
        return 1
    fi
    local probe="$WOW64_DIR/probe32"
    if [ ! -x "$probe" ] || [ "$probe" -ot "$WOW64_PROBE_SOURCE" ]; then
        mkdir -p "$WOW64_DIR" && cc -O2 -o "$probe" "$WOW64_PROBE_SOURCE" ||
            { WOW64_CANNOT="the probe $WOW64_PROBE_SOURCE did not build"; return 2; }
    fi
    if ! "$probe" --control; then
        WOW64_CANNOT="the probe's round trip through the 64-bit code segment failed, so it cannot answer"
        return 2
    fi
    "$probe" && return 0
    WOW64_CANNOT="this machine's kernel runs no 32-bit code in a 64-bit process (the probe's far return into the 32-bit code segment faulted), which Wine's WOW64 mode needs"
    return 1
}

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
# made with the 32-bit DLLs at hand: wineboot fills SysWOW64 from them. A prefix that exists without them is
# reported, not made anew: something broke it, and the test command must say so rather than hide it.
wow64_prefix_init() (
    export WINEPREFIX="$WOW64_PREFIX" WINEDLLPATH="$WOW64_DLLPATH"
    if [ ! -f "$WOW64_PREFIX/system.reg" ]; then
        rm -rf "$WOW64_PREFIX" && mkdir -p "$WOW64_PREFIX" || exit 1
        DISPLAY= "$WINE" wineboot --init >/dev/null 2>&1
    fi
    "$WINESERVER" -w
    [ -f "$WOW64_PREFIX/drive_c/windows/syswow64/kernel32.dll" ] || {
        echo "wow64.sh: no SysWOW64 in $WOW64_PREFIX (remove the folder to make it anew)" >&2
        exit 1
    }
)

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
    set -uo pipefail
    source "$(dirname "$0")/wine-env.sh"
    wow64_machine_can || { echo "wow64.sh: no WOW64 on this machine: $WOW64_CANNOT" >&2; exit 1; }
    wow64_fetch_dlls || { echo "wow64.sh: the 32-bit DLLs of libwine:i386 could not be downloaded" >&2; exit 1; }
    wow64_prefix_init || exit 1
fi
