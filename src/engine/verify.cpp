#include "engine/verify.h"

#include "core/ansi.h"
#include "core/text_logic.h"
#include "engine/verify_logic.h"
#include "oeminfo/logo.h"
#include "oeminfo/oem_key.h"
#include "oeminfo/oeminfo.h"
#include "registry/registration.h"

#include <algorithm>

namespace bw {

std::vector<std::wstring> VerifyBranding(const AppState& state, Platform& os, const Branding& b) {
    static constexpr CodePage kAnsi{ToAnsi, FromAnsi};
    std::vector<std::wstring> differences;
    const auto compare = [&](std::wstring_view item, StoredIn place, const std::optional<std::wstring>& held,
                             const std::optional<std::wstring>& wanted) {
        if (wanted && !SameAsStored(place, held, *wanted, kAnsi))
            differences.push_back(DifferenceLine(item, DescribeValue(held), DescribeValue(wanted)));
    };

    if (b.owner || b.organization || b.productId) {
        const RegistrationReading registration = ReadRegistration(os);
        compare(L"注册用户名 (RegisteredOwner)", StoredIn::Registration, registration.owner.text, b.owner);
        compare(L"组织名 (RegisteredOrganization)", StoredIn::Registration, registration.organization.text,
                b.organization);
        compare(L"产品序列号 (ProductId)", StoredIn::Registration, registration.productId.text, b.productId);
    }

    if (b.maker || b.model || b.supportLines) {
        // A file that cannot be read holds nothing that could match.
        const std::optional<OemInfo> file = ReadOemInfo(state, os);
        compare(L"制造商 (oeminfo.ini 的 Manufacturer)", StoredIn::File, file ? file->maker : std::nullopt, b.maker);
        compare(L"型号 (oeminfo.ini 的 Model)", StoredIn::File, file ? file->model : std::nullopt, b.model);
        if (b.supportLines) {
            const auto held = file ? LoadSupportValues(state, os) : std::nullopt;
            const std::vector<std::wstring>& wanted = *b.supportLines;
            // A file without the section shows no lines either, but /apply would add it.
            if (!held && wanted.empty())
                differences.push_back(
                    DifferenceLine(L"支持信息 (oeminfo.ini 的 [Support Information] 节)", L"（无）", L"（空）"));
            const std::size_t heldCount = held ? held->size() : 0;
            for (std::size_t i = 0; i < std::max(heldCount, wanted.size()); ++i) {
                const std::wstring n = DecimalText(i + 1);
                const auto line = i < heldCount ? std::optional((*held)[i]) : std::nullopt;
                const auto want = i < wanted.size() ? std::optional(wanted[i]) : std::nullopt;
                if (!want || !SameAsStored(StoredIn::File, line, *want, kAnsi))
                    differences.push_back(DifferenceLine(L"支持信息第 " + n + L" 行 (oeminfo.ini 的 Line" + n + L")",
                                                         DescribeValue(line), DescribeValue(want)));
            }
        }
    }

    if (b.logo) {
        // The picture the system shows: where the key names another file, that one.
        const std::optional<std::string> held = ReadShownLogo(state, os);
        if (held != b.logo)
            differences.push_back(DifferenceLine(L"OEM Logo 图片", DescribePicture(held), DescribePicture(b.logo)));
    }

    if (HasOemKey(os) &&
        (b.maker || b.model || b.supportPhone || b.supportHours || b.supportUrl || b.supportProvider)) {
        const OemInfo key = LoadOemKeyInfo(os);
        compare(L"制造商 (OEMInformation 的 Manufacturer)", StoredIn::Key, key.maker, b.maker);
        compare(L"型号 (OEMInformation 的 Model)", StoredIn::Key, key.model, b.model);
        const OemKeyValues support = LoadOemKeySupport(os);
        compare(L"支持电话 (SupportPhone)", StoredIn::Key, support.supportPhone, b.supportPhone);
        compare(L"支持时间 (SupportHours)", StoredIn::Key, support.supportHours, b.supportHours);
        compare(L"支持网址 (SupportURL)", StoredIn::Key, support.supportUrl, b.supportUrl);
        compare(L"支持提供者 (SupportProvider)", StoredIn::Key, support.supportProvider, b.supportProvider);
    }
    return differences;
}

} // namespace bw
