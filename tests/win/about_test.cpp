// The About window as a real window: layout, closing keys and the link.
#include "fault_platform.h"
#include "test_support.h"
#include "ui/frmAbout.h"
#include "window_probe.h"

namespace bw::test {
namespace {

const std::wstring kAddress = L"http://www.brandwick.example/";

class About : public testing::Test {
protected:
    HWND Open() {
        EXPECT_TRUE(about.Open());
        Drain();
        return about.hwnd();
    }
    FaultPlatform os;
    frmAbout about{os};
};

TEST_F(About, OpensOnceAsDesignedAndEnterOrEscClosesIt) {
    HWND hwnd = Open();
    EXPECT_EQ(Open(), hwnd);
    // In tab order; the labels take the size of their texts.
    ExpectDialog(hwnd, L"关于 Brandwick", {304, 157},
                 {{L"Button", L"确定", 200, 112, 68, 23},
                  {L"Static",
                   L"Brandwick是一款小巧、方便的用来修改系统\nOEM信息的工具。它完全模仿\u201C系统属性\u201D\n"
                   L"窗口，让您能够非常直观地修改OEM信息。\n(目前仅在Windows XP下测试通过。)",
                   64, 40},
                  {L"Static", L"Brandwick", 64, 8},
                  {L"Static", L"V1.00", 64, 24},
                  {L"Static", L"开发组", 40, 104},
                  {L"Static", L"QQ:000000", 96, 104},
                  {L"Static", L"E-mail:support@bwk.example", 40, 120},
                  {L"Static", kAddress, 40, 136},
                  {L"Static", L"", 16, 8, 41, 41}},
                 {0});
    for (WPARAM key : {VK_RETURN, VK_ESCAPE}) {
        Open();
        PressKey(GetFocus(), key);
        EXPECT_FALSE(about.IsOpen()) << "key " << key;
    }
}

TEST_F(About, EachClickOnTheLinkAndNowhereElseAsksTheShellForTheAddressMaximized) {
    HWND hwnd = Open();
    for (std::size_t label : {7, 1, 7})
        SendMessageW(Child(hwnd, label), WM_LBUTTONDOWN, MK_LBUTTON, 0);
    const std::pair<std::wstring, int> request{kAddress, SW_SHOWMAXIMIZED};
    EXPECT_EQ(os.shellRequests, (std::vector{request, request}));
}

} // namespace
} // namespace bw::test
