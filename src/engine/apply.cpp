#include "engine/apply.h"

#include "core/system_error.h"
#include "oeminfo/logo.h"
#include "oeminfo/oem_key.h"
#include "oeminfo/oeminfo.h"
#include "oeminfo/oeminfo_logic.h"
#include "registry/registration.h"

#include <utility>

namespace bw {

namespace {

SaveResult SaveOemInfoFile(AppState& state, Platform& os, const Branding& b) {
    if (!b.maker && !b.model && !b.supportLines)
        return std::nullopt;
    if (b.supportLines) {
        StoreSupportLines(state, *b.supportLines);
        state.SupportLines[0] = SupportEditedMarker;
    }
    std::wstring maker = b.maker.value_or(L""), model = b.model.value_or(L"");
    if (!b.maker || !b.model) {
        // The file is rewritten whole: what is not set keeps the file's value, so it must be readable.
        SaveFailure why;
        const auto current = ReadOemInfo(state, os, &why);
        if (!current)
            return why;
        maker = b.maker.value_or(current->maker.value_or(L""));
        model = b.model.value_or(current->model.value_or(L""));
    }
    return SaveOemInfo(state, os, maker, model);
}

} // namespace

std::wstring FailureText(const SaveFailure& failure) {
    if (failure.error)
        return SystemErrorText(failure.error);
    // Where the system named no error, what went wrong.
    switch (failure.op) {
    case PlatformOp::SystemDirectory:
        return L"无法确定系统目录";
    case PlatformOp::DisableFsRedirection:
    case PlatformOp::RevertFsRedirection:
        return L"无法访问本机的系统目录（文件系统重定向未能关闭）";
    case PlatformOp::FileAttributes:
        return L"无法确定文件的属性";
    case PlatformOp::ReadFile:
        return L"写入后读回的内容与写入的不同，可能有另一个程序同时在写入";
    default:
        return L"系统未说明原因";
    }
}

ApplyResult ApplyBranding(AppState& state, Platform& os, const Branding& b) {
    ApplyResult result;
    const RegistrationFailures registration = WriteRegistration(os, {b.owner, b.organization, b.productId});
    result.owner = registration.owner;
    result.organization = registration.organization;
    result.productId = registration.productId;
    result.oemInfo = SaveOemInfoFile(state, os, b);
    if (b.logo)
        state.StagedLogo = b.logo; // installing stages it first: the staging file does not hold it yet
    result.logo = InstallLogo(state, os);
    result.oemKey =
        SaveOemKey(state, os, {b.maker, b.model, b.supportPhone, b.supportHours, b.supportUrl, b.supportProvider});
    return result;
}

std::wstring NotSavedMessage(const ApplyResult& r) {
    const std::pair<const SaveResult&, const wchar_t*> items[] = {
        {r.owner, L"注册用户名 (RegisteredOwner)"}, {r.organization, L"组织名 (RegisteredOrganization)"},
        {r.productId, L"产品序列号 (ProductId)"},   {r.oemInfo, L"OEM 信息文件 oeminfo.ini"},
        {r.logo, L"OEM Logo 图片 oemlogo.bmp"},     {r.oemKey, L"OEM 信息注册表项 (OEMInformation)"},
    };
    std::wstring lost;
    for (const auto& [failed, item] : items) {
        if (failed)
            lost += std::wstring(L"\n") + item + L"：" + FailureText(*failed);
    }
    return lost.empty() ? lost : L"以下内容未能保存：" + lost + L"\n\n其余内容已保存。";
}

} // namespace bw
