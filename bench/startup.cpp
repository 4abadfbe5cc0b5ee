// Start-up and working set: starts a program and its baselines in turn and times each from process creation until
// it shows a visible top-level window. Usage: bench_startup <runs> <label> <program> (<baseline> <its name>)...
#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "timing.h"

namespace {

using bench::Median;
using bench::Now;

struct Run {
    double ms = 0;
    SIZE_T peakWorkingSet = 0;
};

struct Search {
    DWORD pid;
    HWND found;
};

BOOL CALLBACK FindVisible(HWND hwnd, LPARAM lParam) {
    auto* search = reinterpret_cast<Search*>(lParam);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid == search->pid && IsWindowVisible(hwnd)) {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}


bool StartOnce(const std::wstring& program, Run& run) {
    std::wstring commandLine = L"\"" + program + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    const double start = Now();
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                        &pi))
        return false;
    Search search{pi.dwProcessId, nullptr};
    while (!search.found && Now() - start < 30000) {
        EnumWindows(FindVisible, reinterpret_cast<LPARAM>(&search));
        if (!search.found)
            Sleep(1);
    }
    run.ms = Now() - start;
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    if (GetProcessMemoryInfo(pi.hProcess, &counters, sizeof(counters)))
        run.peakWorkingSet = counters.PeakWorkingSetSize;
    if (search.found)
        PostMessageW(search.found, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(pi.hProcess, 10000) != WAIT_OBJECT_0)
        TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return search.found != nullptr;
}


} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 6 || argc % 2 != 0)
        return 2;
    const int runs = _wtoi(argv[1]);
    const wchar_t* label = argv[2];
    // The program, then each baseline with the name its rows give it.
    std::vector<std::wstring> programs{argv[3]};
    std::vector<const wchar_t*> names;
    for (int a = 4; a + 1 < argc; a += 2)
        programs.push_back(argv[a]), names.push_back(argv[a + 1]);
    const std::size_t n = programs.size();
    // One start of each first, untimed: the first start of a program fills Wine's and the system's caches.
    Run warm;
    for (const std::wstring& program : programs)
        if (!StartOnce(program, warm))
            return 1;
    std::vector<std::vector<double>> times(n), peaks(n), ratios(n);
    for (int i = 0; i < runs; ++i) {
        // Each run starts them in turn from another one, so that none always follows the same one.
        std::vector<Run> run(n);
        for (std::size_t k = 0; k < n; ++k) {
            const std::size_t p = (k + static_cast<std::size_t>(i)) % n;
            if (!StartOnce(programs[p], run[p]))
                return 1;
        }
        for (std::size_t p = 0; p < n; ++p) {
            times[p].push_back(run[p].ms);
            peaks[p].push_back(static_cast<double>(run[p].peakWorkingSet) / 1024);
            ratios[p].push_back(run[0].ms / run[p].ms);
        }
    }
    for (std::size_t p = 1; p < n; ++p)
        std::printf("| Start-up to the visible window, %ls, against %ls (median of %d each) | %.1f ms | %.1f ms | "
                    "**%.2f** |\n",
                    label, names[p - 1], runs, Median(times[0]), Median(times[p]), Median(ratios[p]));
    for (std::size_t p = 1; p < n; ++p)
        std::printf("| Peak working set when the window is visible, %ls, against %ls | %.0f KiB | %.0f KiB | %.2f |\n",
                    label, names[p - 1], Median(peaks[0]), Median(peaks[p]), Median(peaks[0]) / Median(peaks[p]));
    return 0;
}
