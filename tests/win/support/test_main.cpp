// Entry of the Windows test programs: OLE for pictures, common controls for the windows.
#include "test_support.h"

#include <commctrl.h>
#include <gtest/gtest.h>
#include <ole2.h>

#include <memory>

namespace {

// Saving from the main window also stores the OEMInformation key: every test finds it as the prefix had it.
class OemKeyKeeper final : public testing::EmptyTestEventListener {
    void OnTestStart(const testing::TestInfo&) override {
        m_guard = std::make_unique<bw::test::RegistryValueGuard>(
            L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\OEMInformation",
            std::vector<std::wstring>{L"Manufacturer", L"Model", L"Logo"});
    }
    void OnTestEnd(const testing::TestInfo&) override { m_guard.reset(); }
    std::unique_ptr<bw::test::RegistryValueGuard> m_guard;
};

} // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    testing::UnitTest::GetInstance()->listeners().Append(new OemKeyKeeper);
    OleInitialize(nullptr);
    InitCommonControls();
    const int result = RUN_ALL_TESTS();
    OleUninitialize();
    return result;
}
