#pragma once
// The whole job for both front ends: what a PC shows now, whether values can be applied, applying them, and the
// logo the window stages. Neither the window nor the command line reaches the subsystems underneath.
#include "core/app_state.h"
#include "core/platform.h"
#include "engine/apply.h"
#include "engine/rules_logic.h"
#include "engine/verify.h"

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace bw {

// What a PC shows now: what the window loads and /export writes.
struct Shown {
    // Absent where the value is missing or unreadable; an empty value is empty.
    std::optional<std::wstring> owner, organization, productId;
    // The registration values that are there but could not be read: each by its profile key, with the registry's
    // error code.
    std::vector<std::pair<std::wstring, long>> unreadable;
    // The OEMInformation key's where it has them, else oeminfo.ini's; absent when neither has one.
    std::optional<std::wstring> maker, model;
    // oeminfo.ini's support lines; absent when it has no support section or cannot be read.
    std::optional<std::vector<std::wstring>> supportLines;
    // The key's support values: text ones whole, an empty one as empty; all absent where the system has no key.
    bool hasOemKey = false;
    SupportKeyValues support;
};

// A logo file as the command line and the logo button take it: the bitmap it installs as, once it passed the
// structure check and, unless it is a BMP, decoded whole.
struct LogoFile {
    enum class Problem { None, Missing, Unreadable, NoPicture } problem = Problem::None;
    std::uint32_t error = 0; // the system's error code for an unreadable file
    std::string bytes;
};

class Engine {
public:
    Engine(AppState& state, Platform& os) : m_state(state), m_os(os) {}

    // Learns the system and temporary folders: nothing on files works before.
    void FindFolders();

    // The system's name for the label; nullopt where the version has no name.
    std::optional<std::wstring> SystemCaption();
    // Everything at once, or each part where the window loads it.
    Shown Read();
    void ReadRegistration(Shown& shown);
    void ReadOemInfo(Shown& shown);
    void ReadSupportLines(Shown& shown);
    void ReadSupportKey(Shown& shown);
    // The picture System shows; nullopt when there is none, an empty picture when the file is no picture.
    std::optional<UniquePicture> ShownLogo();
    // The same file's bytes where it is a BMP, which installs as it is; nullopt when there is none or it is no BMP,
    // and then notBmp tells which.
    std::optional<std::string> ShownBmp(bool& notBmp);
    // The text the support editor shows: every support line of oeminfo.ini, each followed by CR LF.
    std::wstring SupportText();
    // True where the system has the OEMInformation key and shows its support values.
    bool HasOemKey();
    // The support editor's caption: the owner registered in the NT key, whichever family runs.
    std::wstring SupportCaption();

    // Reads a logo file, checks its structure and makes the bitmap it installs as: a BMP byte for byte, any other
    // picture converted. No display is needed, so this runs as SYSTEM before anyone logs on.
    LogoFile CheckLogo(const std::wstring& path);

    // Every value of the set that cannot be applied; nothing is written. A logo file is checked by CheckLogo.
    std::vector<Refusal> Check(const Branding& values) const { return CheckBranding(values); }
    // Saves what is given, leaving what is absent as it is.
    ApplyResult Apply(const Branding& branding) { return ApplyBranding(m_state, m_os, branding); }

    // One line for each item given that this PC does not hold as Apply would store it; empty when all match. It
    // writes nothing.
    std::vector<std::wstring> Verify(const Branding& branding) { return VerifyBranding(m_state, m_os, branding); }

    // Keeps what the support editor committed for the next Apply: the lines, and the key's values where it has them.
    void CommitSupport(const std::vector<std::wstring>& lines, std::optional<SupportKeyValues> key);

    // Writes the bitmap of a checked logo to the staging file for a later Apply; false when it could not be staged.
    bool StageLogo(std::string bitmap);
    // Removes this run's staging files, and only while they hold what it put there.
    void CleanUp();

private:
    AppState& m_state;
    Platform& m_os;
};

} // namespace bw
