// Start-up and working set: starts two programs alternately and times each from process creation until
// it shows a visible top-level window. Usage: bench_startup <program> <baseline program> <runs> <label>
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
    if (argc != 5)
        return 2;
    const std::wstring program = argv[1];
    const std::wstring baseline = argv[2];
    const int runs = _wtoi(argv[3]);
    // One start of each first, untimed: the first start of a program fills Wine's and the system's caches.
    Run warm;
    if (!StartOnce(program, warm) || !StartOnce(baseline, warm))
        return 1;
    std::vector<double> ratios, times, baseTimes, peaks, basePeaks;
    for (int i = 0; i < runs; ++i) {
        Run a, b;
        // Alternate which one goes first, so neither always follows the other.
        const bool ok = i % 2 ? StartOnce(baseline, b) && StartOnce(program, a)
                              : StartOnce(program, a) && StartOnce(baseline, b);
        if (!ok)
            return 1;
        times.push_back(a.ms);
        baseTimes.push_back(b.ms);
        ratios.push_back(a.ms / b.ms);
        peaks.push_back(static_cast<double>(a.peakWorkingSet) / 1024);
        basePeaks.push_back(static_cast<double>(b.peakWorkingSet) / 1024);
    }
    std::printf("| Start-up to the visible window, %ls (median of %d each) | %.1f ms | %.1f ms | **%.2f** |\n",
                argv[4], runs, Median(times), Median(baseTimes), Median(ratios));
    std::printf("| Peak working set when the window is visible, %ls | %.0f KiB | %.0f KiB | %.2f |\n", argv[4],
                Median(peaks), Median(basePeaks), Median(peaks) / Median(basePeaks));
    return 0;
}
