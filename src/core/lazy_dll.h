#pragma once
// System DLLs that start-up does not need (common dialogs, shell, OLE), loaded at their first use so that a
// start without a logo maps none of them; and functions of later Windows, which an import would keep the
// program from starting on XP.
#include <windows.h>

namespace bw {

enum class SystemDll { comdlg32, shell32, ole32, user32 };

// The function `name` of the DLL, loaded once from the system directory and kept to the end of the process;
// null when either cannot be found.
FARPROC SystemFunctionAddress(SystemDll dll, const char* name);

template <typename Function>
Function* SystemFunction(SystemDll dll, const char* name) {
    return reinterpret_cast<Function*>(reinterpret_cast<void (*)()>(SystemFunctionAddress(dll, name)));
}

// Initialises OLE on this thread at the first call; later calls only say whether that worked. Call it on the
// user-interface thread before anything that needs OLE (the open-file dialog).
bool EnsureOle();

// Ends OLE at the end of the scope if EnsureOle started it meanwhile. One, in the entry function.
class OleOnDemand {
public:
    OleOnDemand() = default;
    OleOnDemand(const OleOnDemand&) = delete;
    OleOnDemand& operator=(const OleOnDemand&) = delete;
    ~OleOnDemand();
};

} // namespace bw
