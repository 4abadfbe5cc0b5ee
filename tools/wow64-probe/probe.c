// Can this machine run 32-bit code in a 64-bit process? Wine's WOW64 mode needs exactly that: it switches a
// 64-bit process into the 32-bit user code segment. Some kernels run no 32-bit code at all, and then the far
// return into that segment faults. So this asks the machine directly, the way Wine will: a child process far-returns
// into selector 0x23 to run "mov eax, 42" and far-returns back to 64-bit code, which exits with that value.
//
//   probe            exit 0 when 32-bit code ran, 1 when it could not
//   probe --control  the same round trip through the 64-bit segment (0x33), which every x86-64 kernel runs:
//                    proves that a "cannot" comes from the 32-bit segment, not from the probe itself
#define _GNU_SOURCE
#include <stdint.h>
#include <stdio.h>
#include <string.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

enum { kCode32 = 0x23, kCode64 = 0x33, kAnswer = 42 };

static void Run(int control) {
    // Code and stack below 4 GiB: in 32-bit mode only the low halves of RIP and RSP exist.
    uint8_t* page =
        mmap(NULL, 8192, PROT_READ | PROT_WRITE | PROT_EXEC, MAP_PRIVATE | MAP_ANONYMOUS | MAP_32BIT, -1, 0);
    if (page == MAP_FAILED)
        _exit(3);
    static const uint8_t code32[] = {0xB8, kAnswer, 0, 0, 0, // mov eax, 42
                                     0xCB};                  // retf: pops EIP and CS, 4 bytes each
    static const uint8_t code64[] = {0x89, 0xC7,             // mov edi, eax
                                     0xB8, 0xE7, 0, 0, 0,    // mov eax, SYS_exit_group
                                     0x0F, 0x05};            // syscall
    memcpy(page, code32, sizeof code32);
    memcpy(page + 16, code64, sizeof code64);
    uint64_t* sp = (uint64_t*)(page + 8192 - 64);
    if (control) {
        sp[0] = (uint64_t)(uintptr_t)page + 16; // straight to the 64-bit exit, with eax set here
        sp[1] = kCode64;
        __asm__ volatile("mov %0, %%rsp\n\tmov %1, %%eax\n\tlretq" : : "r"(sp), "i"(kAnswer) : "memory");
    } else {
        sp[0] = (uint64_t)(uintptr_t)page;
        sp[1] = kCode32;
        // What the 32-bit retf pops: the 64-bit exit's address and the 64-bit code segment.
        uint32_t back[2] = {(uint32_t)(uintptr_t)(page + 16), kCode64};
        memcpy(&sp[2], back, sizeof back);
        __asm__ volatile("mov %0, %%rsp\n\tlretq" : : "r"(sp) : "memory");
    }
    _exit(4);
}

int main(int argc, char** argv) {
    const int control = argc > 1 && strcmp(argv[1], "--control") == 0;
    fflush(NULL);
    const pid_t child = fork();
    if (child < 0)
        return 1;
    if (child == 0)
        Run(control);
    int status = 0;
    if (waitpid(child, &status, 0) != child)
        return 1;
    return WIFEXITED(status) && WEXITSTATUS(status) == kAnswer ? 0 : 1;
}
