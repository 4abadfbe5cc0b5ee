#pragma once
// The main window created in this process against the prefix's real registry and system directory.
#include "core/app_state.h"
#include "fault_platform.h"
#include "registry/registration.h"
#include "test_support.h"
#include "ui/frmMain.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace bw::test {

// Keeps a string value of the registration key as it was and puts it back afterwards.
class RegValueGuard {
public:
    explicit RegValueGuard(std::wstring name) : m_name(std::move(name)) {
        UniqueHKey key;
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kNtVersionKey, 0, KEY_QUERY_VALUE, key.put()) != ERROR_SUCCESS)
            return;
        DWORD size = 0;
        if (RegQueryValueExW(key.get(), m_name.c_str(), nullptr, &m_type, nullptr, &size) != ERROR_SUCCESS)
            return;
        std::vector<BYTE> data(size);
        if (RegQueryValueExW(key.get(), m_name.c_str(), nullptr, &m_type, data.data(), &size) == ERROR_SUCCESS)
            m_data = std::move(data);
    }
    ~RegValueGuard() {
        UniqueHKey key;
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kNtVersionKey, 0, KEY_SET_VALUE, key.put()) != ERROR_SUCCESS)
            return;
        if (m_data)
            RegSetValueExW(key.get(), m_name.c_str(), 0, m_type, m_data->data(), static_cast<DWORD>(m_data->size()));
        else
            RegDeleteValueW(key.get(), m_name.c_str());
    }
    RegValueGuard(const RegValueGuard&) = delete;
    RegValueGuard& operator=(const RegValueGuard&) = delete;

private:
    std::wstring m_name;
    DWORD m_type = 0;
    std::optional<std::vector<BYTE>> m_data;
};

inline void SetRegistration(const wchar_t* name, const std::wstring& value) {
    UniqueHKey key;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, kNtVersionKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, key.put(),
                              nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExW(key.get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                             static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))),
              ERROR_SUCCESS);
}

inline std::wstring GetRegistration(const wchar_t* name) {
    wchar_t buffer[512]{};
    DWORD size = sizeof(buffer);
    if (RegGetValueW(HKEY_LOCAL_MACHINE, kNtVersionKey, name, RRF_RT_REG_SZ, nullptr, buffer, &size) != ERROR_SUCCESS)
        return L"<missing>";
    return buffer;
}

inline std::wstring WindowText(HWND hwnd) {
    wchar_t buffer[512]{};
    GetWindowTextW(hwnd, buffer, static_cast<int>(std::size(buffer)));
    return buffer;
}

// A BMP file of the given depth: blue everywhere but a red top-left pixel.
std::string MakeBmp(int width, int height, int bitsPerPixel);

// The folder of the committed test pictures, as a Windows path.
std::wstring DataDir();

class MainWindowTest : public testing::Test {
protected:
    static constexpr COLORREF kRed = RGB(255, 0, 0);
    static constexpr COLORREF kBlue = RGB(0, 0, 255);

    void SetUp() override {
        RemoveFile(iniPath);
        RemoveFile(logoPath);
        RemoveFile(stagedIni);
        RemoveFile(stagedLogo);
    }
    void TearDown() override {
        main.reset();
        Drain();
    }

    // Creates and shows the window; messages to the user are collected instead of shown.
    void Open(Platform& platform) {
        main = std::make_unique<frmMain>(state, platform);
        main->SetReporter([this](const std::wstring& text, UINT flags) {
            reports.push_back(text);
            reportFlags.push_back(flags);
        });
        ASSERT_TRUE(main->Create(SW_SHOW));
        Drain();
    }
    void Open() { Open(os); }

    HWND C(MainId id) const { return main->Control(id); }
    // The click runs to its end before this returns; pending messages are left for the test to look at.
    void Click(MainId id) { SendMessageW(C(id), BM_CLICK, 0, 0); }
    void Type(MainId id, const std::wstring& text) { SetWindowTextW(C(id), text.c_str()); }
    std::wstring Text(MainId id) const { return WindowText(C(id)); }
    RECT Rect(MainId id) const { return ChildRectOf(C(id)); }
    static RECT ChildRectOf(HWND child) {
        RECT rc{};
        GetWindowRect(child, &rc);
        MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rc), 2);
        return rc;
    }
    // True when the program asked to end (and consumes that request).
    static bool QuitRequested() {
        MSG msg;
        bool quit = false;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT)
                quit = true;
            else
                DispatchMessageW(&msg);
        }
        return quit;
    }

    const std::wstring iniPath = SystemDir() + L"\\oeminfo.ini";
    const std::wstring logoPath = SystemDir() + L"\\oemlogo.bmp";
    const std::wstring stagedIni = TempDir() + L"oeminfo.tmp";
    const std::wstring stagedLogo = TempDir() + L"oemlogo.tmp";

    RegValueGuard guardOwner{L"RegisteredOwner"};
    RegValueGuard guardOrganization{L"RegisteredOrganization"};
    RegValueGuard guardProductId{L"ProductId"};
    FileGuard guardIni{iniPath};
    FileGuard guardLogo{logoPath};
    FileGuard guardStagedIni{stagedIni};
    FileGuard guardStagedLogo{stagedLogo};

    AppState state;
    FaultPlatform os;
    std::vector<std::wstring> reports;
    std::vector<UINT> reportFlags;
    std::unique_ptr<frmMain> main;
};

} // namespace bw::test
