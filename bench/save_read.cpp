// Saving and reading, each against a baseline that does only the file and registry work itself, in the same
// process and alternately. Usage: bench_save_read <runs>
#include "core/app_state.h"
#include "core/directories.h"
#include "core/unique_handle.h"
#include "core/win32_platform.h"
#include "oeminfo/logo.h"
#include "oeminfo/oeminfo.h"
#include "registry/registration.h"
#include "ui/frmMain.h"

#include "timing.h"

#include <ole2.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace {

using bench::Median;
using bench::Now;

const wchar_t kNtKey[] = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
const wchar_t* const kValueNames[] = {L"RegisteredOwner", L"RegisteredOrganization", L"ProductId"};
const wchar_t* const kValues[] = {L"示例用户", L"示例科技有限公司", L"55274-640-1234567-23456"};



bool WriteWhole(const std::wstring& path, const std::string& bytes) {
    bw::Win32Platform os;
    return os.WriteFile(path, bytes);
}

// An oeminfo.ini of the program's own layout: the four header lines, then support lines to the given size.
std::string OemInfoText(std::size_t lines, std::size_t minBytes) {
    std::string text = "[General]\r\nManufacturer=示例科技有限公司\r\nModel=示例 PC 2000\r\n[Support Information]\r\n";
    for (std::size_t k = 1; (lines && k + 4 <= lines) || (!lines && text.size() < minBytes); ++k)
        text += "Line" + std::to_string(k) + "=技术支持热线：400-000-0000，网址 https://support.example/\r\n";
    return text;
}

// A 24-bit bottom-up bitmap of about 100 KB.
std::string LogoBytes() {
    const int width = 190, height = 176, row = (width * 3 + 3) & ~3;
    const DWORD pixels = static_cast<DWORD>(row * height);
    BITMAPFILEHEADER file{0x4D42, static_cast<DWORD>(14 + 40 + pixels), 0, 0, 14 + 40};
    BITMAPINFOHEADER info{40, width, height, 1, 24, BI_RGB, pixels, 2835, 2835, 0, 0};
    std::string bytes(reinterpret_cast<const char*>(&file), 14);
    bytes.append(reinterpret_cast<const char*>(&info), 40);
    for (DWORD i = 0; i < pixels; ++i)
        bytes += static_cast<char>(i * 7 % 251);
    return bytes;
}

// The baseline of saving: copies the finished files into place and sets the three values.
bool BaselineSave(const std::wstring& ini, const std::wstring& logo, const bw::AppState& state) {
    if (!CopyFileW(ini.c_str(), state.OemInfoPath().c_str(), FALSE) ||
        !CopyFileW(logo.c_str(), state.OemLogoPath().c_str(), FALSE))
        return false;
    bw::UniqueHKey key;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, kNtKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, key.put(), nullptr))
        return false;
    for (int i = 0; i < 3; ++i) {
        const DWORD bytes = static_cast<DWORD>((wcslen(kValues[i]) + 1) * sizeof(wchar_t));
        if (RegSetValueExW(key.get(), kValueNames[i], 0, REG_SZ, reinterpret_cast<const BYTE*>(kValues[i]), bytes))
            return false;
    }
    return true;
}

// The baseline of reading: the whole file into memory, its lines found with memchr.
std::size_t BaselineRead(const std::wstring& path) {
    bw::UniqueFile file(
        CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
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

// The three steps of ApplyChanges one by one, each against its share of the baseline.
int SaveSteps(int runs, bw::AppState& state, bw::Win32Platform& os, const std::wstring& ini, const std::wstring& logo) {
    const bw::Registration values{kValues[0], kValues[1], kValues[2]};
    const bw::OemInfo info = bw::LoadOemInfo(state, os);
    if (!info.maker || !info.model)
        return std::fprintf(stderr, "cannot read the saved oeminfo.ini\n"), 1;
    std::vector<double> t[3], b[3];
    for (int i = -1; i < runs; ++i) {
        if (!CopyFileW(logo.c_str(), state.StagedLogoPath().c_str(), FALSE))
            return 1;
        state.StagedLogo = os.ReadFile(state.StagedLogoPath()); // as the logo button leaves it
        double start = Now();
        const bw::RegistrationFailures failures = bw::WriteRegistration(os, values);
        const double registry = Now() - start;
        start = Now();
        const bool saved = bw::SaveOemInfo(state, os, *info.maker, *info.model);
        const double oemInfo = Now() - start;
        start = Now();
        const bool installed = bw::InstallLogo(state, os);
        const double logoTime = Now() - start;
        if (failures.owner || failures.organization || failures.productId || !saved || !installed)
            return std::fprintf(stderr, "a save step failed\n"), 1;

        start = Now();
        bw::UniqueHKey key;
        RegCreateKeyExW(HKEY_LOCAL_MACHINE, kNtKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, key.put(), nullptr);
        for (int v = 0; v < 3; ++v)
            RegSetValueExW(key.get(), kValueNames[v], 0, REG_SZ, reinterpret_cast<const BYTE*>(kValues[v]),
                           static_cast<DWORD>((wcslen(kValues[v]) + 1) * sizeof(wchar_t)));
        const double baseRegistry = Now() - start;
        start = Now();
        CopyFileW(ini.c_str(), state.OemInfoPath().c_str(), FALSE);
        const double baseOemInfo = Now() - start;
        start = Now();
        CopyFileW(logo.c_str(), state.OemLogoPath().c_str(), FALSE);
        const double baseLogo = Now() - start;
        if (i < 0)
            continue;
        t[0].push_back(registry), t[1].push_back(oemInfo), t[2].push_back(logoTime);
        b[0].push_back(baseRegistry), b[1].push_back(baseOemInfo), b[2].push_back(baseLogo);
    }
    const char* names[] = {"registry values (`WriteRegistration`; baseline: `RegSetValueExW` ×3)",
                           "oeminfo.ini (`SaveOemInfo`; baseline: `CopyFileW`)",
                           "logo (`InstallLogo`; baseline: `CopyFileW`)"};
    for (int s = 0; s < 3; ++s)
        std::printf("| … of which the %s | %.2f ms | %.2f ms | %.2f |\n", names[s], Median(t[s]), Median(b[s]),
                    Median(t[s]) / Median(b[s]));
    return 0;
}

int SaveBench(int runs, bw::AppState& state, bw::Win32Platform& os, const std::wstring& work) {
    const std::wstring ini = work + L"bench-oeminfo.ini";
    const std::wstring logo = work + L"bench-logo.bmp";
    const std::string logoBytes = LogoBytes();
    if (!WriteWhole(ini, OemInfoText(255, 0)) || !WriteWhole(logo, logoBytes) ||
        !CopyFileW(ini.c_str(), state.OemInfoPath().c_str(), FALSE) || !BaselineSave(ini, logo, state))
        return std::fprintf(stderr, "cannot prepare the save\n"), 1;

    bw::frmMain main(state, os);
    bool reported = false;
    main.SetReporter([&](const std::wstring&, UINT) { reported = true; });
    if (!main.Create(SW_HIDE))
        return std::fprintf(stderr, "cannot create the main window\n"), 1;
    HWND apply = main.Control(bw::MainId::cmdApply);
    const WPARAM click = MAKEWPARAM(GetDlgCtrlID(apply), BN_CLICKED);

    std::vector<double> times, baseTimes, ratios;
    for (int i = -1; i < runs; ++i) { // run -1 warms the caches
        // The logo as the logo button leaves it: staged in the temporary folder.
        if (!CopyFileW(logo.c_str(), state.StagedLogoPath().c_str(), FALSE))
            return std::fprintf(stderr, "cannot stage the logo\n"), 1;
        state.StagedLogo = os.ReadFile(state.StagedLogoPath()); // as the logo button leaves it
        double a = 0, b = 0;
        for (int order = 0; order < 2; ++order) {
            if ((order == 0) == (i % 2 == 0)) {
                const double start = Now();
                SendMessageW(main.hwnd(), WM_COMMAND, click, reinterpret_cast<LPARAM>(apply));
                a = Now() - start;
            } else {
                const double start = Now();
                const bool ok = BaselineSave(ini, logo, state);
                b = Now() - start;
                if (!ok)
                    return std::fprintf(stderr, "the baseline could not save\n"), 1;
            }
        }
        if (reported)
            return std::fprintf(stderr, "Brandwick could not save\n"), 1;
        if (i >= 0) {
            times.push_back(a);
            baseTimes.push_back(b);
            ratios.push_back(a / b);
        }
    }
    std::printf("| Save: `ApplyChanges`, 255-line oeminfo.ini and a %zu KB logo (median of %d each) | %.2f ms | "
                "%.2f ms | **%.2f** |\n",
                logoBytes.size() / 1000, runs, Median(times), Median(baseTimes), Median(ratios));
    return SaveSteps(runs, state, os, ini, logo);
}

int ReadBench(int runs, bw::AppState& state, bw::Win32Platform& os) {
    std::printf("\nReading oeminfo.ini, median of %d each:\n\n| oeminfo.ini | `LoadOemInfo` | `LoadSupportText` | baseline (read + memchr) | `LoadOemInfo` ÷ "
                "baseline | `LoadSupportText` ÷ baseline | `LoadOemInfo` per MB | `LoadSupportText` per MB |\n"
                "|---|---|---|---|---|---|---|---|\n",
                runs);
    for (std::size_t mb : {1, 10, 50}) {
        const std::string text = OemInfoText(0, mb << 20);
        if (!WriteWhole(state.OemInfoPath(), text))
            return std::fprintf(stderr, "cannot write oeminfo.ini\n"), 1;
        std::vector<double> info, support, base;
        for (int i = -1; i < runs; ++i) {
            double start = Now();
            const bw::OemInfo values = bw::LoadOemInfo(state, os);
            const double a = Now() - start;
            start = Now();
            const std::wstring supportText = bw::LoadSupportText(state, os);
            const double b = Now() - start;
            start = Now();
            const std::size_t lines = BaselineRead(state.OemInfoPath());
            const double c = Now() - start;
            if (!values.model || supportText.empty() || lines < 5)
                return std::fprintf(stderr, "reading failed\n"), 1;
            if (i >= 0) {
                info.push_back(a);
                support.push_back(b);
                base.push_back(c);
            }
        }
        const double mib = static_cast<double>(text.size()) / (1 << 20);
        std::printf("| %.0f MB | %.1f ms | %.1f ms | %.1f ms | %.2f | %.2f | %.1f ms | %.1f ms |\n", mib, Median(info),
                    Median(support), Median(base), Median(info) / Median(base), Median(support) / Median(base),
                    Median(info) / mib, Median(support) / mib);
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
    bw::UniqueHKey key;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, kNtKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, key.put(), nullptr))
        return 1;
    int rc = SaveBench(runs, state, os, state.TempDirectory);
    if (rc == 0)
        rc = ReadBench(std::max(3, runs / 4), state, os);
    // What the next start-up measurement finds: the saved 255-line file and the logo.
    if (!WriteWhole(state.OemInfoPath(), OemInfoText(255, 0)))
        rc = 1;
    OleUninitialize();
    return rc;
}
