#pragma once
// A 32-bit process on 64-bit Windows, played over another platform: it reports WOW64, keeps a redirector state
// of its own, reaches Sysnative (when it has one) as system32, and records what reaches it: each registry call
// with its view, each file path with "[off]" while the redirector is off.
#include "core/platform.h"

#include <algorithm>
#include <cwctype>
#include <string>
#include <vector>

namespace bw::test {

class Wow64Platform final : public Platform {
public:
    using S = std::wstring;
    Wow64Platform(Platform& inner, bool wow64, bool sysnative) : m(inner), m_wow64(wow64), m_sysnative(sysnative) {}

    std::vector<S> trail;
    bool redirectionOff = false;
    int picturesWhileOff = 0;

    std::optional<S> SystemDirectory() override { return m.SystemDirectory(); }
    std::optional<S> TempPath() override { return m.TempPath(); }
    std::optional<std::uint32_t> FileAttributes(const S& p) override {
        Note(L"Attr", p);
        return Reachable(p) ? m.FileAttributes(Native(p)) : std::nullopt;
    }
    std::optional<std::string> ReadFile(const S& p) override { return Note(L"Read", p), m.ReadFile(Native(p)); }
    bool WriteFile(const S& p, std::string_view b) override { return Note(L"Write", p), m.WriteFile(Native(p), b); }
    bool CopyFileOver(const S& f, const S& t) override {
        return Note(L"Copy", t), m.CopyFileOver(Native(f), Native(t));
    }
    bool MoveFileOver(const S& f, const S& t) override {
        return Note(L"Move", t), m.MoveFileOver(Native(f), Native(t));
    }
    bool SetAttributes(const S& p, std::uint32_t a) override {
        return Note(L"SetAttr", p), m.SetAttributes(Native(p), a);
    }
    bool DeletePath(const S& p) override { return Note(L"Delete", p), m.DeletePath(Native(p)); }
    bool DisableFsRedirection(void*& previous) override {
        previous = redirectionOff ? this : nullptr;
        redirectionOff = true;
        return true;
    }
    bool RevertFsRedirection(void* previous) override {
        redirectionOff = previous != nullptr;
        return true;
    }
    long RegRead(HKEY r, const S& k, const S& n, RegData& o, std::uint32_t v) override {
        return Note(L"RegRead " + std::to_wstring(v), n), m.RegRead(r, k, n, o, v);
    }
    long RegWriteString(HKEY r, const S& k, const S& n, const S& value, std::uint32_t v) override {
        return Note(L"RegWrite " + std::to_wstring(v), n), m.RegWriteString(r, k, n, value, v);
    }
    OsVersion GetVersion() override { return m.GetVersion(); }
    bool RunsUnderWow64() override { return m_wow64; }
    std::optional<S> ExpandEnvironment(const S& t) override { return m.ExpandEnvironment(t); }
    void ShellOpen(const S& t, int show) override { m.ShellOpen(t, show); }
    UniquePicture LoadPictureFile(const S& p) override {
        return Note(L"Pic", p), picturesWhileOff += redirectionOff, m.LoadPictureFile(Native(p));
    }
    UniquePicture LoadPicture(std::string_view b) override {
        return Note(L"Picture", L""), picturesWhileOff += redirectionOff, m.LoadPicture(b);
    }
    UniqueBitmap LoadResourceBitmap(int id) override { return m.LoadResourceBitmap(id); }
    UniqueCursor LoadResourceCursor(int id) override { return m.LoadResourceCursor(id); }

private:
    static S Lower(S s) {
        std::transform(s.begin(), s.end(), s.begin(), [](wchar_t c) { return static_cast<wchar_t>(std::towlower(c)); });
        return s;
    }
    bool Reachable(const S& p) const { return m_sysnative || Lower(p).find(L"\\sysnative") == S::npos; }
    S Native(const S& p) const { // what the alias names
        S lower = Lower(p);
        const auto at = lower.find(L"\\sysnative");
        return at == S::npos ? p : p.substr(0, at) + L"\\system32" + p.substr(at + 10);
    }
    void Note(const S& what, const S& path) {
        trail.push_back(what + L" " + path + (redirectionOff ? L" [off]" : L""));
    }

    Platform& m;
    bool m_wow64;
    bool m_sysnative;
};

} // namespace bw::test
