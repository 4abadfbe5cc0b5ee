#include "engine/engine.h"

#include "core/directories.h"
#include "core/file_replace.h"
#include "oeminfo/logo.h"
#include "oeminfo/oem_key.h"
#include "oeminfo/oeminfo.h"
#include "oeminfo/oeminfo_logic.h"
#include "picture/decode_logic.h"
#include "picture/picture_check_logic.h"
#include "registry/registration.h"
#include "registry/registry_value.h"
#include "sysinfo/version_logic.h"

#include <tuple>

namespace bw {

void Engine::FindFolders() {
    ComputeSystemDirectory(m_state, m_os);
    ComputeTempDirectory(m_state, m_os);
}

std::optional<std::wstring> Engine::SystemCaption() {
    return SystemVersionCaption(m_os.GetVersion());
}

Shown Engine::Read() {
    Shown shown;
    ReadRegistration(shown);
    ReadOemInfo(shown);
    ReadSupportLines(shown);
    ReadSupportKey(shown);
    return shown;
}

void Engine::ReadRegistration(Shown& shown) {
    RegistrationReading read = bw::ReadRegistration(m_os);
    const std::tuple<const wchar_t*, RegText&, std::optional<std::wstring>&> values[] = {
        {L"Owner", read.owner, shown.owner},
        {L"Organization", read.organization, shown.organization},
        {L"ProductId", read.productId, shown.productId}};
    for (auto& [key, value, into] : values) {
        into = std::move(value.text);
        if (!into && value.error != ERROR_FILE_NOT_FOUND)
            shown.unreadable.emplace_back(key, value.error);
    }
}

void Engine::ReadOemInfo(Shown& shown) {
    const OemInfo oem = LoadShownOemInfo(m_state, m_os);
    shown.maker = oem.maker;
    shown.model = oem.model;
}

void Engine::ReadSupportLines(Shown& shown) {
    shown.supportLines = LoadSupportValues(m_state, m_os);
}

void Engine::ReadSupportKey(Shown& shown) {
    shown.hasOemKey = HasOemKey();
    if (!shown.hasOemKey)
        return;
    const OemKeyValues key = LoadOemKeySupport(m_os);
    shown.support = {key.supportPhone, key.supportHours, key.supportUrl, key.supportProvider};
}

std::optional<UniquePicture> Engine::ShownLogo() {
    return LoadShownLogo(m_state, m_os);
}

std::optional<std::string> Engine::ShownBmp(bool& notBmp) {
    auto logo = ReadShownLogo(m_state, m_os);
    notBmp = logo && CheckPicture(*logo) != PictureFormat::Bmp;
    return notBmp ? std::nullopt : logo;
}

std::wstring Engine::SupportText() {
    return LoadSupportText(m_state, m_os);
}

bool Engine::HasOemKey() {
    return bw::HasOemKey(m_os);
}

std::wstring Engine::SupportCaption() {
    return GetRegString(m_os, HKEY_LOCAL_MACHINE, kNtVersionKey, L"RegisteredOwner");
}

LogoFile Engine::CheckLogo(const std::wstring& path) {
    LogoFile logo;
    if (FilePresence(m_os, path) == Presence::Absent) {
        logo.problem = LogoFile::Problem::Missing;
        return logo;
    }
    auto bytes = m_os.ReadFile(path, &logo.error);
    if (!bytes)
        logo.problem = LogoFile::Problem::Unreadable;
    else if (auto bitmap = LogoBitmap(*bytes))
        logo.bytes = std::move(*bitmap);
    else
        logo.problem = LogoFile::Problem::NoPicture;
    return logo;
}

void Engine::CommitSupport(const std::vector<std::wstring>& lines, std::optional<SupportKeyValues> key) {
    StoreSupportLines(m_state, lines);
    m_state.SupportLines[0] = SupportEditedMarker;
    if (key)
        m_state.SupportKey = std::move(*key);
}

bool Engine::StageLogo(std::string bitmap) {
    return bw::StageLogo(m_state, m_os, std::move(bitmap));
}

void Engine::CleanUp() {
    // A temporary folder we could not learn would turn the staging names into files of the current folder.
    if (m_state.TempDirectory.empty())
        return;
    DeleteIfOurs(m_os, m_state.StagedOemInfoPath(), m_state.StagedOemInfo);
    DeleteIfOurs(m_os, m_state.StagedLogoPath(), m_state.StagedLogo);
}

} // namespace bw
