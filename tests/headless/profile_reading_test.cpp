// Our reading of oeminfo.ini against the system's own profile functions (GetPrivateProfileStringW), on files as
// makers' tools write them: maker, model and the support lines the system finds, Line1, Line2 ... in that order.
#include "core/directories.h"
#include "fault_platform.h"
#include "oeminfo/oeminfo.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace bw::test {
namespace {

std::wstring SystemReads(const std::wstring& path, const wchar_t* section, const std::wstring& key) {
    wchar_t buffer[512];
    const DWORD n = GetPrivateProfileStringW(section, key.c_str(), L"<none>", buffer, 512, path.c_str());
    return std::wstring(buffer, n);
}

class ProfileReading : public testing::Test, protected SystemPlaces {
protected:
    AppState state;
    FaultPlatform os;
};

TEST_F(ProfileReading, FindsWhatTheSystemFinds) {
    ComputeSystemDirectory(state, os);
    const struct {
        std::wstring file, read; // maker|model|the support text
    } rows[] = {
        {L"; 出厂映像写入\r\n[Version]\r\nSignature=$CHICAGO$\r\n\r\n  [general]  \r\nmodel = \"快修 K510 Pro\" "
         L"\r\n\r\n"
         L"; 制造商\r\nMANUFACTURER\t=\t快修电脑\r\nSKU=K510-01\r\n[support information]\r\nLine3=  周一至周五 \r\n"
         L"Line1=服务热线 400-000-0000\r\nline2=网址 https://support.brandwick.example/\r\nLine5=after a gap\r\n"
         L"Line0=never shown\r\nLine02=not a number\r\nLine1=a duplicate\r\n[OEMSpecific]\r\nSubModel=K510-B\r\n",
         L"快修电脑|快修 K510 Pro|服务热线 400-000-0000\r\n网址 https://support.brandwick.example/\r\n周一至周五\r\n"
         L"after a gap\r\n"},
        {L"[General]\r\nManufacturer=快修电脑\r\nModel=K510\r\n[Support "
         L"Information]\r\nLine1=a\r\nLine2=\r\nLine3=x=y\r\n",
         L"快修电脑|K510|a\r\n\r\nx=y\r\n"},
        {L"Manufacturer=before any section\n\t[ General ] x\nManufacturer\nManufacturer=hidden\nModel='单引号'\r"
         L"[General]\nModel=second\n[Support Information]\nLine1=\"\"\nLine2=\"a\"b\"\nLine4",
         L"<none>|单引号|\r\na\"b\r\n"},
        {L"[General]\rManufacturer=A\rModel=B", L"A|B|"},
    };
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        SCOPED_TRACE(i);
        // A name of its own for each: the system may keep a file it read before.
        const std::wstring copy = TempDir() + L"brandwick_profile" + std::to_wstring(i) + L".ini";
        FileGuard guard{copy};
        WriteBytes(ini, Ansi(rows[i].file));
        WriteBytes(copy, Ansi(rows[i].file));
        const OemInfo ours = LoadOemInfo(state, os);
        EXPECT_EQ(ours.maker.value_or(L"<none>") + L"|" + ours.model.value_or(L"<none>") + L"|" +
                      LoadSupportText(state, os),
                  rows[i].read);
        std::wstring system =
            SystemReads(copy, L"General", L"Manufacturer") + L"|" + SystemReads(copy, L"General", L"Model") + L"|";
        for (int n = 1; n <= 9; ++n) {
            const std::wstring line = SystemReads(copy, L"Support Information", L"Line" + std::to_wstring(n));
            if (line != L"<none>")
                system += line + L"\r\n";
        }
        EXPECT_EQ(system, rows[i].read);
    }
}

} // namespace
} // namespace bw::test
