// Saving and reading, each against baselines measured in the same process, alternately. Usage: bench_save_read <runs>
// Saving is measured against two baselines: the floor, what a durable save must do at the least, and copying the
// finished files into place.
#include "core/ansi.h"
#include "core/app_state.h"
#include "core/directories.h"
#include "core/unique_handle.h"
#include "engine/apply.h"
#include "oeminfo/logo.h"
#include "oeminfo/oem_key.h"
#include "oeminfo/oem_key_logic.h"
#include "oeminfo/oeminfo.h"
#include "platform/win32_platform.h"
#include "registry/registration.h"
#include "ui/main_window.h"

#include "bench_data.h"
#include "timing.h"

#include <ole2.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace {

using bench::Median;
using bench::Now;

const wchar_t kNtKey[] = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
const wchar_t* const kValueNames[] = {L"RegisteredOwner", L"RegisteredOrganization", L"ProductId"};
const wchar_t* const kValues[] = {L"示例用户", L"示例科技有限公司", L"55274-640-1234567-23456"};
const wchar_t kMaker[] = L"示例科技有限公司", kModel[] = L"示例 PC 2000";

bool WriteWhole(const std::wstring& path, const std::string& bytes) {
    bw::Win32Platform os;
    return os.WriteFile(path, bytes) == 0;
}

bool SetValues(const wchar_t* keyPath, const wchar_t* const* names, const std::wstring* values, int count) {
    bw::UniqueHKey key;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, keyPath, 0, nullptr, 0, KEY_SET_VALUE, nullptr, key.put(), nullptr))
        return false;
    for (int i = 0; i < count; ++i) {
        const DWORD bytes = static_cast<DWORD>((values[i].size() + 1) * sizeof(wchar_t));
        if (RegSetValueExW(key.get(), names[i], 0, REG_SZ, reinterpret_cast<const BYTE*>(values[i].c_str()), bytes))
            return false;
    }
    return true;
}

bool SetRegistration() {
    const std::wstring values[] = {kValues[0], kValues[1], kValues[2]};
    return SetValues(kNtKey, kValueNames, values, 3);
}

// What Apply stores in the OEMInformation key where the system has one: maker, model and the installed logo.
bool SetOemKey(const bw::AppState& state) {
    static const wchar_t* const names[] = {L"Manufacturer", L"Model", L"Logo"};
    const std::wstring values[] = {kMaker, kModel, state.OemLogoSystemName()};
    return SetValues(bw::kOemInformationKey, names, values, 3);
}

// Replaces the target durably at the least cost, as the engine does where the system renames through a handle: the
// bytes written beside it through one handle shared with no one, flushed, read back and compared through it, and
// renamed over the target through it; the platform's own calls, without the engine's checks around them.
bool DurableReplace(const std::wstring& target, const std::string& bytes) {
    bw::Win32Platform os;
    bw::UniqueFile file;
    return os.WriteHeldFile(target + L".new", bytes, file) == 0 &&
           os.ReadHeldFile(file.get(), bytes.size() + 1) == bytes && os.RenameHeldFile(file.get(), target) == 0;
}

struct SaveFiles {
    std::wstring ini, logo; // the finished files, for the copying baseline
    std::string iniBytes, logoBytes;
    bool oemKey = false; // whether the system has the OEMInformation key, where Apply also writes
};

// The save floor: the three registration values, the key's values where the system has one, and both files
// replaced durably.
bool FloorSave(const SaveFiles& f, const bw::AppState& state) {
    return SetRegistration() && (!f.oemKey || SetOemKey(state)) && DurableReplace(state.OemInfoPath(), f.iniBytes) &&
           DurableReplace(state.OemLogoPath(), f.logoBytes);
}

// The copying baseline: the finished files copied into place and the same values set.
bool CopySave(const SaveFiles& f, const bw::AppState& state) {
    return CopyFileW(f.ini.c_str(), state.OemInfoPath().c_str(), FALSE) &&
           CopyFileW(f.logo.c_str(), state.OemLogoPath().c_str(), FALSE) && SetRegistration() &&
           (!f.oemKey || SetOemKey(state));
}

// The logo as the logo button leaves it, staged in the temporary folder; then what the previous measure left
// unwritten is put on the disk, so that no measure pays for another's writing.
bool StageLogo(bw::AppState& state, bw::Win32Platform& os, const SaveFiles& f) {
    if (!bw::StageLogo(state, os, f.logoBytes))
        return false;
    for (const std::wstring& path : {state.OemInfoPath(), state.OemLogoPath(), state.StagedOemInfoPath()}) {
        bw::UniqueFile file(
            CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
        if (file)
            FlushFileBuffers(file.get());
    }
    return true;
}

// Runs each measure once a round, the round starting from another measure each time; the first round is not
// counted. Returns the times of each; empty when one failed.
std::vector<std::vector<double>> Alternately(int runs, const std::function<bool()>& prepare,
                                             const std::vector<std::function<bool()>>& measures) {
    const std::size_t n = measures.size();
    std::vector<std::vector<double>> times(n);
    for (int i = -1; i < runs; ++i) {
        for (std::size_t k = 0; k < n; ++k) {
            const std::size_t m = (k + static_cast<std::size_t>(i + 1)) % n;
            if (!prepare())
                return {};
            const double start = Now();
            const bool ok = measures[m]();
            const double t = Now() - start;
            if (!ok)
                return {};
            if (i >= 0)
                times[m].push_back(t);
        }
    }
    return times;
}

double MedianRatio(const std::vector<double>& a, const std::vector<double>& b) {
    std::vector<double> r;
    for (std::size_t i = 0; i < a.size(); ++i)
        r.push_back(a[i] / b[i]);
    return Median(r);
}

// Each saving step of Apply against its share of the floor.
int SaveSteps(int runs, bw::AppState& state, bw::Win32Platform& os, const SaveFiles& f) {
    const bw::RegistrationUpdate values{kValues[0], kValues[1], kValues[2]};
    bw::OemKeyValues key;
    key.maker = kMaker, key.model = kModel;
    struct Step {
        const char* name;
        std::function<bool()> program, floor;
    };
    const Step steps[] = {
        {"registration values (`WriteRegistration`; floor: `RegSetValueExW` ×3 in one open key)",
         [&] {
             const bw::RegistrationFailures r = bw::WriteRegistration(os, values);
             return !r.owner && !r.organization && !r.productId;
         },
         SetRegistration},
        {"oeminfo.ini (`SaveOemInfo`; floor: written beside it, flushed, read back and renamed through one handle)",
         [&] { return !bw::SaveOemInfo(state, os, kMaker, kModel); },
         [&] { return DurableReplace(state.OemInfoPath(), f.iniBytes); }},
        {"logo (`InstallLogo`; floor: the same for its bytes)", [&] { return !bw::InstallLogo(state, os); },
         [&] { return DurableReplace(state.OemLogoPath(), f.logoBytes); }},
        {"OEMInformation key (`SaveOemKey`; floor: `RegSetValueExW` ×3 in one open key)",
         [&] { return !bw::SaveOemKey(state, os, key); }, [&] { return SetOemKey(state); }},
    };
    for (const Step& step : steps) {
        if (&step == &steps[3] && !f.oemKey)
            break;
        const auto t = Alternately(runs, [&] { return StageLogo(state, os, f); }, {step.program, step.floor});
        if (t.empty())
            return std::fprintf(stderr, "a save step failed: %s\n", step.name), 1;
        std::printf("| … of which the %s | %.2f ms | %.2f ms | %.2f |\n", step.name, Median(t[0]), Median(t[1]),
                    MedianRatio(t[0], t[1]));
    }
    return 0;
}

int SaveBench(int runs, bw::AppState& state, bw::Win32Platform& os) {
    SaveFiles f;
    f.ini = state.TempDirectory + L"bench-oeminfo.ini";
    f.logo = state.TempDirectory + L"bench-logo.bmp";
    f.iniBytes = bench::OemInfoText(255, 0);
    f.logoBytes = bench::LogoBytes();
    f.oemKey = bw::OemKeyApplies(os.GetVersion());
    if (!WriteWhole(f.ini, f.iniBytes) || !WriteWhole(f.logo, f.logoBytes) || !CopySave(f, state))
        return std::fprintf(stderr, "cannot prepare the save\n"), 1;

    // The engine as Apply and /apply call it, with the values the window's boxes hold.
    const auto engine = [&] {
        bw::Branding b;
        b.owner = kValues[0], b.organization = kValues[1], b.productId = kValues[2], b.maker = kMaker, b.model = kModel;
        return bw::ApplyBranding(state, os, b).AllSaved();
    };
    bw::MainWindow main(state, os);
    bool reported = false;
    main.SetReporter([&](const std::wstring&, UINT) { reported = true; });
    if (!main.Create(SW_HIDE))
        return std::fprintf(stderr, "cannot create the main window\n"), 1;
    HWND apply = main.Control(bw::MainId::cmdApply);
    const auto button = [&] {
        const WPARAM click = MAKEWPARAM(GetDlgCtrlID(apply), BN_CLICKED);
        SendMessageW(main.hwnd(), WM_COMMAND, click, reinterpret_cast<LPARAM>(apply));
        return !reported;
    };
    // Both must write exactly what the floor writes.
    for (const auto& save : {std::function<bool()>(engine), std::function<bool()>(button)}) {
        if (!StageLogo(state, os, f) || !save() || os.ReadFile(state.OemInfoPath()) != f.iniBytes ||
            os.ReadFile(state.OemLogoPath()) != f.logoBytes)
            return std::fprintf(stderr, "Apply did not write what the floor writes\n"), 1;
    }
    const auto t =
        Alternately(runs, [&] { return StageLogo(state, os, f); },
                    {engine, button, [&] { return FloorSave(f, state); }, [&] { return CopySave(f, state); }});
    if (t.empty())
        return std::fprintf(stderr, "a save failed\n"), 1;
    const char* what = f.oemKey ? "registration values and 3 of the OEMInformation key" : "registration values";
    std::printf("| Save: Apply (`ApplyBranding`, which the Apply button and `/apply` call), 255-line oeminfo.ini, "
                "a %zu KB logo, 3 %s (median of %d each), against the floor: each file written beside it, flushed, "
                "read back and renamed through one handle, the values set | %.2f ms | %.2f ms | **%.2f** |\n",
                f.logoBytes.size() / 1000, what, runs, Median(t[0]), Median(t[2]), MedianRatio(t[0], t[2]));
    std::printf("| Save: the same, against copying the finished files into place and setting the values | %.2f ms | "
                "%.2f ms | **%.2f** |\n",
                Median(t[0]), Median(t[3]), MedianRatio(t[0], t[3]));
    std::printf("| Save: the Apply button (`ApplyChanges`: the five boxes read, then `ApplyBranding`), against the "
                "floor | %.2f ms | %.2f ms | **%.2f** |\n",
                Median(t[1]), Median(t[2]), MedianRatio(t[1], t[2]));
    return SaveSteps(runs, state, os, f);
}

// The baseline of reading: the whole file into memory, its lines found with memchr.
std::size_t BaselineRead(const std::wstring& path) {
    bw::UniqueFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file || !GetFileSizeEx(file.get(), &size))
        return 0;
    std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
    DWORD got = 0;
    if (!ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr))
        return 0;
    std::vector<std::string_view> lines;
    const char* p = bytes.data();
    const char* end = p + got;
    while (p < end) {
        const char* nl = static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p)));
        const char* stop = nl ? nl : end;
        lines.emplace_back(p, static_cast<std::size_t>(stop - p - (stop > p && stop[-1] == '\r')));
        p = nl ? nl + 1 : end;
    }
    return lines.size();
}

int ReadBench(int runs, bw::AppState& state, bw::Win32Platform& os) {
    std::printf("\nReading oeminfo.ini, median of %d each; the last ratio is converting the whole file in memory "
                "from the ANSI code page in one call (what the conversion alone costs):\n\n"
                "| oeminfo.ini | `LoadOemInfo` | `LoadSupportText` | baseline (read + memchr) | `LoadOemInfo` ÷ "
                "baseline | `LoadSupportText` ÷ baseline | `LoadOemInfo` per MB | `LoadSupportText` per MB | one "
                "conversion ÷ baseline |\n|---|---|---|---|---|---|---|---|---|\n",
                runs);
    for (std::size_t mb : {1, 10, 50}) {
        const std::string text = bench::OemInfoText(0, mb << 20);
        if (!WriteWhole(state.OemInfoPath(), text))
            return std::fprintf(stderr, "cannot write oeminfo.ini\n"), 1;
        const auto t = Alternately(runs, [] { return true; },
                                   {[&] { return bw::LoadOemInfo(state, os).model.has_value(); },
                                    [&] { return !bw::LoadSupportText(state, os).empty(); },
                                    [&] { return BaselineRead(state.OemInfoPath()) > 4; },
                                    [&] { return !bw::FromAnsi(text).empty(); }});
        if (t.empty())
            return std::fprintf(stderr, "reading failed\n"), 1;
        const double mib = static_cast<double>(text.size()) / (1 << 20);
        std::printf("| %.0f MB | %.1f ms | %.1f ms | %.1f ms | %.2f | **%.2f** | %.1f ms | %.1f ms | %.2f |\n", mib,
                    Median(t[0]), Median(t[1]), Median(t[2]), MedianRatio(t[0], t[2]), MedianRatio(t[1], t[2]),
                    Median(t[0]) / mib, Median(t[1]) / mib, MedianRatio(t[3], t[2]));
    }
    return 0;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    const int runs = argc > 1 ? _wtoi(argv[1]) : 20;
    OleInitialize(nullptr);
    bw::AppState state;
    bw::Win32Platform os;
    bw::ComputeSystemDirectory(state, os);
    bw::ComputeTempDirectory(state, os);
    int rc = SaveBench(runs, state, os);
    if (rc == 0)
        rc = ReadBench(std::max(3, runs / 4), state, os);
    // What the next start-up measurement finds: the saved 255-line file and the logo.
    if (!WriteWhole(state.OemInfoPath(), bench::OemInfoText(255, 0)))
        rc = 1;
    OleUninitialize();
    return rc;
}
