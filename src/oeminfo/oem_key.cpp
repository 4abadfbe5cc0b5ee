#include "oeminfo/oem_key.h"

#include "core/placement.h"
#include "oeminfo/oem_key_logic.h"
#include "registry/regdata_logic.h"
#include "registry/registry_value.h"

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

OemInfo LoadOemKeyInfo(Platform& os) {
    if (!OemKeyApplies(os.GetVersion()))
        return {};
    return {ReadRegText(os, HKEY_LOCAL_MACHINE, kOemInformationKey, L"Manufacturer").text,
            ReadRegText(os, HKEY_LOCAL_MACHINE, kOemInformationKey, L"Model").text};
}

std::wstring OemKeyLogo(Platform& os) {
    if (!OemKeyApplies(os.GetVersion()))
        return {};
    const std::wstring logo = KeyValue(os, L"Logo");
    return logo.empty() ? logo : os.ExpandEnvironment(logo).value_or(L"");
}

SaveResult SaveOemKey(const AppState& state, Platform& os, const OemKeyValues& values) {
    if (!OemKeyApplies(os.GetVersion()))
        return std::nullopt;
    const std::uint32_t view = MachineRegistryView(os);
    SaveResult failed; // the first value that could not be stored
    auto store = [&](const wchar_t* name, const std::optional<std::wstring>& value) {
        const long error = value ? os.RegWriteString(HKEY_LOCAL_MACHINE, kOemInformationKey, name, *value, view) : 0;
        if (error && !failed)
            failed = SaveFailure{PlatformOp::RegWrite, static_cast<std::uint32_t>(error)};
    };
    store(L"Manufacturer", values.maker);
    store(L"Model", values.model);
    // The name the system knows the file by: the Sysnative alias exists only for 32-bit programs.
    if (state.LogoInstalledThisRun)
        store(L"Logo", state.OemLogoSystemName());
    store(L"SupportPhone", values.supportPhone);
    store(L"SupportHours", values.supportHours);
    store(L"SupportURL", values.supportUrl);
    store(L"SupportProvider", values.supportProvider);
    return failed;
}

bool HasOemKey(Platform& os) {
    return OemKeyApplies(os.GetVersion());
}

OemKeyValues LoadOemKeySupport(Platform& os) {
    OemKeyValues values;
    if (!OemKeyApplies(os.GetVersion()))
        return values;
    const std::uint32_t view = MachineRegistryView(os);
    auto load = [&](const wchar_t* name) -> std::optional<std::wstring> {
        RegData data;
        if (os.RegRead(HKEY_LOCAL_MACHINE, kOemInformationKey, name, data, view) != ERROR_SUCCESS ||
            (data.type != kRegSz && data.type != kRegExpandSz))
            return std::nullopt;
        return DecodeRegString(data.type, data.bytes); // an empty value is there: it travels as empty
    };
    values.supportPhone = load(L"SupportPhone");
    values.supportHours = load(L"SupportHours");
    values.supportUrl = load(L"SupportURL");
    values.supportProvider = load(L"SupportProvider");
    return values;
}

} // namespace bw
