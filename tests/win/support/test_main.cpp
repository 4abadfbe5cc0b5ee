// Entry of the Windows test programs: OLE for pictures, common controls for the windows.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>
#include <ole2.h>

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    OleInitialize(nullptr);
    InitCommonControls();
    const int result = RUN_ALL_TESTS();
    OleUninitialize();
    return result;
}
