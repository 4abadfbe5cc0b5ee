#include "brand/apply.h"

#include "oeminfo/logo.h"
#include "oeminfo/oem_key.h"
#include "oeminfo/oeminfo.h"
#include "oeminfo/oeminfo_logic.h"
#include "registry/registration.h"

namespace bw {

namespace {

bool SaveOemInfoFile(AppState& state, Platform& os, const Branding& b) {
    if (!b.maker && !b.model && !b.supportLines)
        return true;
    if (b.supportLines) {
        StoreSupportLines(state, *b.supportLines);
        state.SupportLines[0] = SupportEditedMarker;
    }
    std::wstring maker = b.maker.value_or(L""), model = b.model.value_or(L"");
    if (!b.maker || !b.model) {
        // The file is rewritten whole: what is not set keeps the file's value, so it must be readable.
        const auto current = ReadOemInfo(state, os);
        if (!current)
            return false;
        maker = b.maker.value_or(current->maker.value_or(L""));
        model = b.model.value_or(current->model.value_or(L""));
    }
    return SaveOemInfo(state, os, maker, model);
}

} // namespace

ApplyResult ApplyBranding(AppState& state, Platform& os, const Branding& b) {
    ApplyResult result;
    const RegistrationFailures registration = WriteRegistration(os, {b.owner, b.organization, b.productId});
    result.owner = registration.owner;
    result.organization = registration.organization;
    result.productId = registration.productId;
    result.oemInfo = !SaveOemInfoFile(state, os, b);
    if (b.logo)
        state.StagedLogo = b.logo; // installing stages it first: the staging file does not hold it yet
    result.logo = !InstallLogo(state, os);
    result.oemKey =
        !SaveOemKey(state, os, {b.maker, b.model, b.supportPhone, b.supportHours, b.supportUrl, b.supportProvider});
    return result;
}

std::wstring NotSavedMessage(const ApplyResult& r) {
    std::wstring lost;
    if (r.owner)
        lost += L"\n注册用户名 (RegisteredOwner)";
    if (r.organization)
        lost += L"\n组织名 (RegisteredOrganization)";
    if (r.productId)
        lost += L"\n产品序列号 (ProductId)";
    if (r.oemInfo)
        lost += L"\nOEM 信息文件 oeminfo.ini";
    if (r.logo)
        lost += L"\nOEM Logo 图片 oemlogo.bmp";
    if (r.oemKey)
        lost += L"\nOEM 信息注册表项 (OEMInformation)";
    return lost.empty() ? lost : L"以下内容未能保存：" + lost + L"\n\n其余内容已保存。";
}

} // namespace bw
