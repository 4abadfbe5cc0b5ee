#!/usr/bin/env bash
# The test script's question "can this machine run 32-bit code in a 64-bit process?", answered once forced to "no"
# and once as the machine answers, which must agree with the kernel's own word: whether it runs an i386 program.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/scripts/wow64.sh"
unset BRANDWICK_NO_32BIT # the test command's own forced answer is not the machine's
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
fail() { echo "FAILED: $*"; status=1; }

# Forced "no": one line with the reason, exit 1, and nothing downloaded or made.
BRANDWICK_NO_32BIT=1 bash "$root/scripts/wow64.sh" >"$work/out" 2>"$work/err"
rc=$?
[ $rc -eq 1 ] || fail "wow64.sh exited $rc where it cannot run, not 1"
[ ! -s "$work/out" ] || fail "wow64.sh went on where it cannot run: $(cat "$work/out")"
[ "$(wc -l <"$work/err")" -eq 1 ] && grep -q '^wow64.sh: no WOW64 on this machine: BRANDWICK_NO_32BIT is set' "$work/err" ||
    fail "wow64.sh did not say why in one line: $(cat "$work/err")"
BRANDWICK_NO_32BIT=1 wow64_machine_can
rc=$?
[ $rc -eq 1 ] && [ -n "$WOW64_CANNOT" ] || fail "forced: answer $rc, reason '$WOW64_CANNOT'"

# The probe's round trip through the 64-bit code segment works on every x86-64 kernel: a "no" is about 32-bit code.
wow64_machine_can
answer=$?
"$WOW64_DIR/probe32" --control || fail "the probe's control run failed"

# The kernel's own word: an i386 program that exits with 42 runs only where the kernel runs 32-bit code.
printf '.globl _start\n_start:\n movl $1, %%eax\n movl $42, %%ebx\n int $0x80\n' >"$work/exit42.s"
if as --32 -o "$work/exit42.o" "$work/exit42.s" && ld -m elf_i386 -o "$work/exit42" "$work/exit42.o"; then
    "$work/exit42" 2>/dev/null
    [ $? -eq 42 ] && expected=0 || expected=1
    if [ "$answer" -eq "$expected" ]; then
        echo "the probe answers $answer, as the kernel does for an i386 program (0: it runs, 1: it does not)"
    else
        fail "the probe answered $answer ('$WOW64_CANNOT') where an i386 program gives $expected (0 runs, 1 does not)"
    fi
else
    fail "no i386 program could be built to check the probe against"
fi
exit $status
