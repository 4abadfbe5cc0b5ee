#!/bin/sh
# Writes cmake/xp-exports/<dll>.txt, the exports of Windows XP SP3 (32-bit) that the import check allows, from
# ReactOS's export definitions. ReactOS targets NT 5.2 (Server 2003 SP2) and marks what later versions add with
# -version=; this keeps what NT 5.1 has.
#
# Usage: scripts/derive-xp-exports.sh SPECDIR
# SPECDIR holds <dll>.spec for every DLL below, saved from the repository reactos/reactos at the commit named.
#
# The rule, per line of a .spec file:
# - comments (# or ;) and lines whose comment says "missing in XP" are dropped;
# - -version=RANGE (0xA+, 0xA-0xB or 0xA) keeps an entry only if RANGE includes 0x501;
# - -arch=LIST and -i386 keep an entry only if LIST includes i386 (or win32);
# - stubs are kept: ReactOS declares them because Windows exports them;
# - -noname and -ordinal entries, and entries named @, are exported by ordinal alone: written as @ORDINAL
#   (comctl32's -ordinal ones, SetWindowSubclass and the like, have names from version 6 only, which
#   Windows 2000 lacks); other ordinals are not kept (ReactOS numbers them as Server 2003 does);
# - the names in the DLL's exclusion list below are dropped: exports that Server 2003 (or a later common
#   controls version) added and XP SP3 lacks, by Microsoft's documented minimum versions.
set -eu
specdir=${1:?usage: $0 SPECDIR}
out=$(dirname "$0")/../cmake/xp-exports

# dll  path in reactos/reactos  commit  exclusions. comctl32's list is that of version 5.8 (on XP without a
# manifest, and the only one on Windows 2000): it leaves out what versions 6 and 6.10 (Vista) added.
while read -r dll path commit exclude; do
    [ -f "$specdir/$dll.spec" ] || { echo "missing $specdir/$dll.spec" >&2; exit 1; }
    {
        echo "# Exports of $dll.dll on Windows XP SP3 (32-bit): one name a line, @N an export by ordinal alone."
        echo "# Written by scripts/derive-xp-exports.sh from reactos/reactos $path at commit $commit."
        echo "# ReactOS targets Server 2003: dropped are -version ranges without 0x501 (0x600+ is Vista and later),"
        echo "# other architectures, entries noted missing in XP SP3, and: ${exclude:-nothing else}."
        awk -v exclude=",$exclude," '
            # NT 5.1 is 0x501 = 1281 (awk reads no hexadecimal).
            function hex(s,   i, c, v) {
                v = 0; s = tolower(s); sub(/^0x/, "", s)
                for (i = 1; i <= length(s); i++) { c = index("0123456789abcdef", substr(s, i, 1)); v = v * 16 + c - 1 }
                return v
            }
            function has501(r,   lo, hi) {
                if (r ~ /\+$/) { sub(/\+$/, "", r); return hex(r) <= 1281 }
                if (index(r, "-")) { lo = hex(substr(r, 1, index(r, "-") - 1)); hi = hex(substr(r, index(r, "-") + 1)); return lo <= 1281 && 1281 <= hi }
                return hex(r) == 1281
            }
            {
                line = $0
                if (match(line, /[#;]/)) {
                    if (tolower(substr(line, RSTART)) ~ /missing in xp/) next
                    line = substr(line, 1, RSTART - 1)
                }
                n = split(line, f, /[ \t]+/)
                i = (f[1] == "") ? 2 : 1
                if (i + 2 > n) next
                ord = f[i]; i += 2
                byord = 0; keep = 1
                for (; i <= n && f[i] ~ /^-/; i++) {
                    if (f[i] == "-noname" || f[i] == "-ordinal") byord = 1
                    else if (f[i] == "-i386") { }
                    else if (f[i] ~ /^-version=/) { if (!has501(substr(f[i], 10))) keep = 0 }
                    else if (f[i] ~ /^-arch=/) { if (("," substr(f[i], 7) ",") !~ /,(i386|win32),/) keep = 0 }
                }
                if (!keep || i > n) next
                name = f[i]; sub(/\(.*/, "", name)
                if (name == "@") byord = 1
                if (byord) { if (ord !~ /^[0-9]+$/) next; name = "@" ord }
                if (index(exclude, "," name ",")) next
                print name
            }' "$specdir/$dll.spec" | LC_ALL=C sort -u
    } > "$out/$dll.txt"
    echo "$dll: $(grep -vc '^#' "$out/$dll.txt")"
done <<'LIST'
advapi32 dll/win32/advapi32/advapi32.spec 1085d8504384a387a03bf94bff55afa64d840a52 CreateProcessWithTokenW,RegDeleteKeyExA,RegDeleteKeyExW,RegDisableReflectionKey,RegEnableReflectionKey,RegGetValueA,RegGetValueW,RegQueryReflectionKey
comctl32 dll/win32/comctl32/comctl32.spec 0b30f2543ceebe0a9516594e0b3066377a064f1e DPA_GetSize,DSA_Clone,DSA_GetSize,DrawShadowText,HIMAGELIST_QueryInterface,ImageList_CoCreateInstance,ImageList_WriteEx,RegisterClassNameW,@344,@345,@380,@381,@390
comdlg32 dll/win32/comdlg32/comdlg32.spec 9b098f2ef22275ebbabdf2813af46e474342dcb3
gdi32 win32ss/gdi/gdi32/gdi32.spec 2032b5aa2977adc41b4218ee1ae8f43087e67ad3
kernel32 dll/win32/kernel32/kernel32.spec 08629037ea7cfda9fab9e898b38c8e66ef77373a AddVectoredContinueHandler,EnumSystemFirmwareTables,FindFirstStreamW,FindNextStreamW,FlsAlloc,FlsFree,FlsGetValue,FlsSetValue,GetCurrentProcessorNumber,GetLargePageMinimum,GetProcessIdOfThread,GetProcessWorkingSetSizeEx,GetSystemFileCacheSize,GetSystemFirmwareTable,GetThreadId,InterlockedCompareExchange64,ReOpenFile,RemoveVectoredContinueHandler,SetFileCompletionNotificationModes,SetProcessWorkingSetSizeEx,SetSystemFileCacheSize,SetThreadStackGuarantee,Wow64DisableWow64FsRedirection,Wow64EnableWow64FsRedirection,Wow64RevertWow64FsRedirection
msvcrt dll/win32/msvcrt/msvcrt.spec 06ea06400a12323a5eefde39b2ef16f58c0dd098
ole32 dll/win32/ole32/ole32.spec 093930a90a5684a59791961311462004ac3e44cb
oleaut32 dll/win32/oleaut32/oleaut32.spec 5def248b7ceb8d89ebc7c0c39aab2786b82c72b9 RegisterTypeLibForUser,UnRegisterTypeLibForUser
shell32 dll/win32/shell32/shell32.spec 10cc2687e6ca79059c9f4d5455934090c3596738 SHCreateDefaultContextMenu,SHCreateDefaultExtractIcon
user32 win32ss/user/user32/user32.spec 10ddfd286890f07c375b18f3e9751d29b2b7b8ba IsWow64Message,UpdateLayeredWindowIndirect
LIST
