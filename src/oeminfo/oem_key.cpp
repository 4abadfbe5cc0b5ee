#include "oeminfo/oem_key.h"

#include "core/placement.h"
#include "oeminfo/oem_key_logic.h"
#include "registry/mReg.h"

namespace bw {

namespace {

std::wstring KeyValue(Platform& os, const wchar_t* name) {
    return GetRegString(os, HKEY_LOCAL_MACHINE, kOemInformationKey, name);
}

} // namespace

OemInfo LoadShownOemInfo(const AppState& state, Platform& os) {
    std::wstring maker, model;
    if (OemKeyApplies(os.GetVersion())) {
        maker = KeyValue(os, L"Manufacturer");
        model = KeyValue(os, L"Model");
    }
    const OemInfo file = LoadOemInfo(state, os);
    return {ShownValue(maker, file.maker), ShownValue(model, file.model)};
}

std::wstring OemKeyLogo(Platform& os) {
    if (!OemKeyApplies(os.GetVersion()))
        return {};
    const std::wstring logo = KeyValue(os, L"Logo");
    return logo.empty() ? logo : os.ExpandEnvironment(logo).value_or(L"");
}

bool SaveOemKey(const AppState& state, Platform& os, const std::wstring& maker, const std::wstring& model) {
    if (!OemKeyApplies(os.GetVersion()))
        return true;
    const std::uint32_t view = MachineRegistryView(os);
    auto store = [&](const wchar_t* name, const std::wstring& value) {
        return os.RegWriteString(HKEY_LOCAL_MACHINE, kOemInformationKey, name, value, view) == ERROR_SUCCESS;
    };
    bool saved = store(L"Manufacturer", maker);
    saved = store(L"Model", model) && saved;
    // The name the system knows the file by: the Sysnative alias exists only for 32-bit programs.
    if (state.LogoInstalledThisRun)
        saved = store(L"Logo", state.OemLogoSystemName()) && saved;
    return saved;
}

} // namespace bw
