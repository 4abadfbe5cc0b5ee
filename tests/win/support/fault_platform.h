#pragma once
// The real platform with a switch per operation: any single call can be made to fail. Every call is logged,
// and shell requests are recorded instead of starting a browser. With wow64 set it plays a 32-bit process on
// 64-bit Windows: a redirector state of its own, and Sysnative (when there is one) reaching system32. Unset, the
// system answers: a 32-bit build under a real WOW64 runs on the real redirector and Sysnative.
#include "platform/win32_platform.h"

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace bw::test {

class FaultPlatform final : public Platform {
    using S = std::wstring;
    using O = PlatformOp;

public:
    // Makes the nth call of op from now on fail (1 = the next one); 0 makes every call fail.
    void FailOn(O op, int nth = 1) { m_failAt[I(op)] = nth == 0 ? -1 : m_calls[I(op)] + nth; }
    void Heal() { m_failAt.fill(0); }
    int Calls(O op) const { return m_calls[I(op)]; }
    void ResetCalls() { m_calls.fill(0), log.clear(), paths.clear(); }

    std::vector<std::pair<S, int>> shellRequests;
    std::uint32_t failWith = ERROR_ACCESS_DENIED; // the error a failing write, move or attribute change gives
    std::optional<OsVersion> version;             // reported instead of the system's when set
    // Each call as "Operation name": the file (for moves the target) or value it is about.
    std::vector<S> log;
    std::function<void()> onCall; // runs at every call
    std::vector<S> paths;         // each path a call is about, with " [off]" while the redirector is off
    std::optional<bool> wow64;
    bool sysnative = true, redirectionOff = false;
    bool renameByName = false;  // plays a system without the rename through a handle
    bool heldReadsHalf = false; // a held file reads back as its first half, without an error, as a failing disk may
    int picturesWhileOff = 0;

    std::optional<S> SystemDirectory() override {
        return Fails(O::SystemDirectory) ? std::nullopt : m_real.SystemDirectory();
    }
    std::optional<S> TempPath() override { return Fails(O::TempPath) ? std::nullopt : m_real.TempPath(); }
    std::optional<std::uint32_t> FileAttributes(const S& p) override {
        return Fails(O::FileAttributes, p) ? kUnknownAttributes
               : Reachable(p)              ? m_real.FileAttributes(N(p))
                                           : std::nullopt;
    }
    std::optional<std::string> ReadFile(const S& p, std::uint32_t* error = nullptr) override {
        if (!Fails(O::ReadFile, p))
            return m_real.ReadFile(N(p), error);
        if (error)
            *error = ERROR_ACCESS_DENIED;
        return std::nullopt;
    }
    // A failing write may leave a partial file behind: model the worst case.
    std::uint32_t WriteFile(const S& p, std::string_view bytes, bool flush = true) override {
        const bool fails = Fails(O::WriteFile, p);
        const std::uint32_t error = m_real.WriteFile(N(p), fails ? bytes.substr(0, bytes.size() / 2) : bytes, flush);
        return fails ? failWith : error;
    }
    std::uint32_t MoveFileOver(const S& from, const S& to) override {
        return Fails(O::MoveFileOver, to) ? failWith : m_real.MoveFileOver(N(from), N(to));
    }
    std::uint32_t WriteHeldFile(const S& p, std::string_view bytes, UniqueFile& held) override {
        const bool fails = Fails(O::WriteFile, m_held = p);
        const std::uint32_t error = m_real.WriteHeldFile(N(p), fails ? bytes.substr(0, bytes.size() / 2) : bytes, held);
        return fails ? (held.reset(), failWith) : error;
    }
    std::optional<std::string> ReadHeldFile(HANDLE held, std::size_t limit, std::uint32_t* error = nullptr) override {
        if (Fails(O::ReadFile, m_held)) {
            if (error)
                *error = ERROR_ACCESS_DENIED;
            return std::nullopt;
        }
        auto bytes = m_real.ReadHeldFile(held, limit, error);
        if (bytes && heldReadsHalf)
            bytes->resize(bytes->size() / 2);
        return bytes;
    }
    std::uint32_t RenameHeldFile(HANDLE held, const S& to) override {
        return Fails(O::MoveFileOver, to) ? failWith
               : renameByName             ? ERROR_CALL_NOT_IMPLEMENTED
                                          : m_real.RenameHeldFile(held, N(to));
    }
    std::uint32_t SetAttributes(const S& p, std::uint32_t a) override {
        return Fails(O::SetAttributes, p) ? failWith : m_real.SetAttributes(N(p), a);
    }
    bool DeletePath(const S& p) override { return !Fails(O::DeletePath, p) && m_real.DeletePath(N(p)); }
    bool DisableFsRedirection(void*& previous) override {
        if (!wow64)
            return !Fails(O::DisableFsRedirection) && (redirectionOff = m_real.DisableFsRedirection(previous));
        return !Fails(O::DisableFsRedirection) && (previous = redirectionOff ? this : nullptr, redirectionOff = true);
    }
    bool RevertFsRedirection(void* previous) override {
        if (!wow64)
            return !Fails(O::RevertFsRedirection) && m_real.RevertFsRedirection(previous) && !(redirectionOff = false);
        return redirectionOff = previous, !Fails(O::RevertFsRedirection);
    }
    long RegRead(HKEY root, const S& key, const S& name, RegData& out, std::uint32_t view) override {
        return Fails(O::RegRead, name + View(view)) ? ERROR_ACCESS_DENIED : m_real.RegRead(root, key, name, out, view);
    }
    long RegWriteString(HKEY root, const S& key, const S& name, const S& value, std::uint32_t view) override {
        return Fails(O::RegWrite, name + View(view)) ? ERROR_ACCESS_DENIED
                                                     : m_real.RegWriteString(root, key, name, value, view);
    }
    OsVersion GetVersion() override {
        return Fails(O::GetVersion) ? OsVersion{} : version.value_or(m_real.GetVersion());
    }
    bool RunsUnderWow64() override { return !Fails(O::RunsUnderWow64) && wow64.value_or(m_real.RunsUnderWow64()); }
    std::optional<S> ExpandEnvironment(const S& t) override {
        return Fails(O::ExpandEnvironment, t) ? std::nullopt : m_real.ExpandEnvironment(t);
    }
    void ShellOpen(const S& target, int show) override {
        Fails(O::ShellOpen), shellRequests.emplace_back(target, show);
    }
    UniquePicture LoadPictureFile(const S& p) override {
        picturesWhileOff += redirectionOff;
        return Fails(O::LoadPictureFile, p) ? UniquePicture{} : m_real.LoadPictureFile(N(p));
    }
    UniquePicture LoadPicture(std::string_view bytes) override {
        picturesWhileOff += redirectionOff;
        return Fails(O::LoadPicture, L"bytes") ? UniquePicture{} : m_real.LoadPicture(bytes);
    }
    UniqueBitmap LoadResourceBitmap(int id) override {
        return Fails(O::LoadResourceBitmap, std::to_wstring(id)) ? UniqueBitmap{} : m_real.LoadResourceBitmap(id);
    }
    UniqueCursor LoadResourceCursor(int id) override {
        return Fails(O::LoadResourceCursor, std::to_wstring(id)) ? UniqueCursor{} : m_real.LoadResourceCursor(id);
    }

private:
    static constexpr std::size_t I(O op) { return static_cast<std::size_t>(op); }
    static S View(std::uint32_t view) { return view ? L" " + std::to_wstring(view) : L""; }
    static S Lower(S s) { return CharLowerW(s.data()), s; }
    bool Reachable(const S& p) const { return sysnative || Lower(p).find(L"\\sysnative") == S::npos; }
    S N(const S& p) const { // what the Sysnative alias names, where the system has none to offer
        const auto at = Lower(p).find(L"\\sysnative");
        return at == S::npos || !wow64 ? p : p.substr(0, at) + L"\\system32" + p.substr(at + 10);
    }
    // Counts and logs the call and tells whether it is the one to fail.
    bool Fails(O op, const S& about = L"") {
        static constexpr const wchar_t* kNames[] = {
            L"SystemDirectory", L"TempPath",       L"Attributes", L"Read",      L"Write",      L"Move",
            L"SetAttributes",   L"Delete",         L"RegRead",    L"RegWrite",  L"GetVersion", L"Wow64",
            L"Redirection off", L"Redirection on", L"Expand",     L"ShellOpen", L"Picture",    L"Picture",
            L"Bitmap",          L"Cursor"};
        static_assert(std::size(kNames) == I(O::Count));
        log.push_back(kNames[I(op)] + (about.empty() ? L"" : L" " + about.substr(about.find_last_of(L'\\') + 1)));
        if (about.find(L'\\') != S::npos)
            paths.push_back(Lower(about) + (redirectionOff ? L" [off]" : L""));
        if (onCall)
            onCall();
        const int call = ++m_calls[I(op)], at = m_failAt[I(op)];
        return at == -1 || (at > 0 && call == at);
    }

    std::array<int, static_cast<std::size_t>(O::Count)> m_calls{}, m_failAt{}; // m_failAt: -1 every call; 0 none
    S m_held; // the path of the file held last, which its reads are about
    Win32Platform m_real;
};

} // namespace bw::test
