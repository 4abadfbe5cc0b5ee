#include "platform/win32_platform.h"

#include "core/lazy_dll.h"
#include "picture/decode_logic.h"
#include "picture/dib_picture.h"

#include <shellapi.h>
#include <winternl.h>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <iterator>
#include <vector>

namespace bw {

namespace {

// Key access for writing: query, set, create subkey, enumerate, notify, create link, read control.
constexpr REGSAM kWriteAccess = 0x2003F;

std::optional<std::wstring> DirectoryFrom(UINT (*query)(wchar_t*, UINT)) {
    std::wstring buffer(MAX_PATH + 1, L'\0');
    for (;;) {
        const UINT n = query(buffer.data(), static_cast<UINT>(buffer.size()));
        if (n == 0)
            return std::nullopt;
        if (n < buffer.size()) {
            buffer.resize(n);
            return buffer;
        }
        buffer.assign(n + 1, L'\0'); // too small: n is the size needed
    }
}

// A function of kernel32 that not every system the program starts on has (2000 lacks IsWow64Process, 32-bit XP
// the redirector's pair), so it is looked up instead of imported. nullptr when absent.
template <typename F> F* Kernel32Function(const char* name) {
    return LoadedFunction<F>(L"kernel32.dll", name);
}

UINT QuerySystemDirectory(wchar_t* buffer, UINT size) {
    return GetSystemDirectoryW(buffer, size);
}
UINT QueryTempPath(wchar_t* buffer, UINT size) {
    return GetTempPathW(size, buffer);
}

// The system's error code, ERROR_SUCCESS once bytes holds the whole file.
DWORD ReadWholeFile(const std::wstring& path, std::string& bytes) {
    UniqueFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file || !GetFileSizeEx(file.get(), &size))
        return GetLastError();
    if (size.QuadPart > 0x7FFFFFFF)
        return ERROR_FILE_TOO_LARGE;
    bytes.assign(static_cast<std::size_t>(size.QuadPart), '\0');
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD got = 0;
        if (!::ReadFile(file.get(), bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &got, nullptr))
            return GetLastError();
        if (got == 0)
            break; // the file shrank meanwhile
        done += got;
    }
    bytes.resize(done);
    return ERROR_SUCCESS;
}

} // namespace

std::optional<std::wstring> Win32Platform::SystemDirectory() {
    return DirectoryFrom(QuerySystemDirectory);
}

std::optional<std::wstring> Win32Platform::TempPath() {
    return DirectoryFrom(QueryTempPath);
}

std::optional<std::uint32_t> Win32Platform::FileAttributes(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES)
        return attributes;
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
        return std::nullopt;
    return kUnknownAttributes;
}

std::optional<std::string> Win32Platform::ReadFile(const std::wstring& path, std::uint32_t* error) {
    std::string bytes;
    DWORD code = ReadWholeFile(path, bytes);
    if (code == ERROR_SUCCESS)
        return bytes;
    if (error)
        *error = code;
    return std::nullopt;
}

namespace {

// The calling thread's last error; never 0, since the call that set it failed.
std::uint32_t LastError() {
    const DWORD error = GetLastError();
    return error ? error : ERROR_GEN_FAILURE;
}

// The system's error code, 0 once every byte is written.
std::uint32_t WriteAll(HANDLE file, std::string_view bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD written = 0;
        if (!::WriteFile(file, bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &written, nullptr))
            return LastError();
        if (written == 0)
            return ERROR_WRITE_FAULT;
        done += written;
    }
    return 0;
}

// The NT name of a file's full path, as the native API takes it: "\??\C:\dir\file", "\??\UNC\server\share\file".
std::wstring NtPath(const std::wstring& path) {
    // Made full and canonical first, as the system does with a name given to MoveFileExW: separators, "." and "..".
    std::wstring full(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
        if (n == 0) {
            full = path;
            break;
        }
        if (n < full.size()) {
            full.resize(n);
            break;
        }
        full.assign(n, L'\0'); // too small: n counts the terminating NUL
    }
    if (full.starts_with(L"\\\\?\\") || full.starts_with(L"\\\\.\\"))
        return L"\\??\\" + full.substr(4);
    if (full.starts_with(L"\\\\"))
        return L"\\??\\UNC\\" + full.substr(2);
    return L"\\??\\" + full;
}

} // namespace

std::uint32_t Win32Platform::WriteFile(const std::wstring& path, std::string_view bytes, bool flush) {
    // An unflushed file is not emptied first: Linux file systems put a file that was emptied and written again on the
    // disk as it is closed (ext4 guards programs that replace a file so), which under Wine made writing the 20 KB
    // staging copy of oeminfo.ini 0.2 ms slower, the very wait that leaving it unflushed is to spare.
    UniqueFile file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, flush ? CREATE_ALWAYS : OPEN_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return LastError();
    if (const std::uint32_t error = WriteAll(file.get(), bytes))
        return error;
    if (!flush && !SetEndOfFile(file.get()))
        return LastError(); // the old content's rest
    if (flush && !FlushFileBuffers(file.get()))
        return LastError();
    return CloseHandle(file.release()) ? 0 : LastError();
}

std::uint32_t Win32Platform::MoveFileOver(const std::wstring& from, const std::wstring& to) {
    return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) ? 0 : LastError();
}

std::uint32_t Win32Platform::WriteHeldFile(const std::wstring& path, std::string_view bytes, UniqueFile& held) {
    // DELETE access lets the file be renamed through this handle; written through, the rename is on the disk when it
    // returns, as MOVEFILE_WRITE_THROUGH makes the rename by name.
    UniqueFile file(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE | DELETE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL | FILE_FLAG_WRITE_THROUGH, nullptr));
    if (!file)
        return LastError();
    if (const std::uint32_t error = WriteAll(file.get(), bytes))
        return error;
    if (!FlushFileBuffers(file.get()))
        return LastError();
    held = std::move(file);
    return 0;
}

std::optional<std::string> Win32Platform::ReadHeldFile(HANDLE held, std::size_t limit, std::uint32_t* error) {
    std::string bytes(limit, '\0');
    std::size_t done = 0;
    while (done < limit) {
        // At an offset of its own, from the start, wherever the writing left the file pointer.
        OVERLAPPED at{};
        at.Offset = static_cast<DWORD>(done);
        at.OffsetHigh = static_cast<DWORD>(static_cast<std::uint64_t>(done) >> 32);
        DWORD got = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(limit - done, 0x40000000));
        if (!::ReadFile(held, bytes.data() + done, chunk, &got, &at)) {
            if (GetLastError() == ERROR_HANDLE_EOF)
                break;
            if (error)
                *error = LastError();
            return std::nullopt;
        }
        done += got;
        if (got < chunk)
            break; // a file on a disk reads short only at its end
    }
    bytes.resize(done);
    return bytes;
}

std::uint32_t Win32Platform::RenameHeldFile(HANDLE held, const std::wstring& to) {
    // Looked up, not imported: ntdll has them on every NT system; a system without them renames only by name.
    using SetInformationFile = LONG NTAPI(HANDLE, IO_STATUS_BLOCK*, void*, ULONG, FILE_INFORMATION_CLASS);
    auto* setInformation = LoadedFunction<SetInformationFile>(L"ntdll.dll", "NtSetInformationFile");
    auto* toError = LoadedFunction<ULONG NTAPI(LONG)>(L"ntdll.dll", "RtlNtStatusToDosError");
    if (!setInformation || !toError)
        return ERROR_CALL_NOT_IMPLEMENTED;
    // Under WOW64 the name goes through the file-system redirector as MoveFileExW's target does (MoveFileExW renames
    // through this same call): with the redirector off, or by the Sysnative alias, it names the native directory.
    const std::wstring name = NtPath(to);
    const std::size_t nameBytes = name.size() * sizeof(wchar_t);
    const std::size_t size = offsetof(FILE_RENAME_INFORMATION, FileName) + nameBytes;
    std::vector<ULONG_PTR> buffer(size / sizeof(ULONG_PTR) + 1); // aligned as the structure's handle
    auto* rename = reinterpret_cast<FILE_RENAME_INFORMATION*>(buffer.data());
    rename->ReplaceIfExists = TRUE;
    rename->RootDirectory = nullptr;
    rename->FileNameLength = static_cast<ULONG>(nameBytes);
    std::memcpy(rename->FileName, name.data(), nameBytes);
    IO_STATUS_BLOCK io{};
    const LONG status = setInformation(held, &io, rename, static_cast<ULONG>(size), FileRenameInformation);
    return status >= 0 ? 0 : toError(status);
}

std::uint32_t Win32Platform::SetAttributes(const std::wstring& path, std::uint32_t attributes) {
    return SetFileAttributesW(path.c_str(), attributes) ? 0 : LastError();
}

bool Win32Platform::DeletePath(const std::wstring& path) {
    return DeleteFileW(path.c_str()) != FALSE;
}

bool Win32Platform::DisableFsRedirection(void*& previous) {
    auto* disable = Kernel32Function<BOOL WINAPI(PVOID*)>("Wow64DisableWow64FsRedirection");
    return disable && disable(&previous);
}

bool Win32Platform::RevertFsRedirection(void* previous) {
    auto* revert = Kernel32Function<BOOL WINAPI(PVOID)>("Wow64RevertWow64FsRedirection");
    return revert && revert(previous);
}

long Win32Platform::RegRead(HKEY root, const std::wstring& keyPath, const std::wstring& name, RegData& out,
                            std::uint32_t view) {
    UniqueHKey key;
    LSTATUS status = RegOpenKeyExW(root, keyPath.c_str(), 0, KEY_QUERY_VALUE | view, key.put());
    if (status != ERROR_SUCCESS)
        return status;
    // Ask for the size first; the value may change between the calls, so try again while it grows.
    for (int attempt = 0; attempt < 8; ++attempt) {
        DWORD type = 0;
        DWORD size = 0;
        status = RegQueryValueExW(key.get(), name.c_str(), nullptr, &type, nullptr, &size);
        if (status != ERROR_SUCCESS)
            return status;
        out.bytes.assign(size, 0);
        status = RegQueryValueExW(key.get(), name.c_str(), nullptr, &type, out.bytes.data(), &size);
        if (status == ERROR_MORE_DATA)
            continue;
        if (status != ERROR_SUCCESS)
            return status;
        out.bytes.resize(size);
        out.type = type;
        return ERROR_SUCCESS;
    }
    return ERROR_MORE_DATA;
}

long Win32Platform::RegWriteString(HKEY root, const std::wstring& keyPath, const std::wstring& name,
                                   const std::wstring& value, std::uint32_t view) {
    const DWORD bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)); // with the terminating NUL
    LSTATUS status = ERROR_KEY_DELETED;
    // A key deleted since it was opened is created again, once.
    for (int attempt = 0; attempt < 2 && status == ERROR_KEY_DELETED; ++attempt) {
        if (!m_writeKey || attempt > 0 || root != m_writeRoot || view != m_writeView || keyPath != m_writePath) {
            m_writeKey.reset();
            SECURITY_ATTRIBUTES security{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
            wchar_t keyClass[] = L"1";
            DWORD disposition = 0;
            status = RegCreateKeyExW(root, keyPath.c_str(), 0, keyClass, REG_OPTION_NON_VOLATILE, kWriteAccess | view,
                                     &security, m_writeKey.put(), &disposition);
            if (status != ERROR_SUCCESS)
                return status;
            m_writeRoot = root, m_writePath = keyPath, m_writeView = view;
        }
        status = RegSetValueExW(m_writeKey.get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                bytes);
    }
    return status;
}

OsVersion Win32Platform::GetVersion() {
    // The extended record carries the product type; systems before NT 4.0 SP6 and the 95 family refuse its
    // size, so ask again with the plain one.
    OSVERSIONINFOEXW info{};
    info.dwOSVersionInfoSize = sizeof(info);
    if (!GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&info))) {
        info = OSVERSIONINFOEXW{};
        info.dwOSVersionInfoSize = sizeof(OSVERSIONINFOW);
        if (!GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&info)))
            return {};
    }
    OsVersion v;
    v.platformId = info.dwPlatformId;
    v.major = info.dwMajorVersion;
    v.minor = info.dwMinorVersion;
    v.build = info.dwBuildNumber;
    info.szCSDVersion[std::size(info.szCSDVersion) - 1] = L'\0';
    v.servicePack = info.szCSDVersion;
    if (info.dwOSVersionInfoSize == sizeof(OSVERSIONINFOEXW))
        v.productType = info.wProductType;
    return v;
}

bool Win32Platform::RunsUnderWow64() {
    // A process never changes sides: ask once.
    static const bool wow64 = [] {
        std::optional<bool> answer;
        if (auto* isWow64Process = Kernel32Function<BOOL WINAPI(HANDLE, PBOOL)>("IsWow64Process")) {
            BOOL result = FALSE;
            if (isWow64Process(GetCurrentProcess(), &result))
                answer = result != FALSE;
        }
        return ProcessUnderWow64(sizeof(void*) * 8, answer);
    }();
    return wow64;
}

std::optional<std::wstring> Win32Platform::ExpandEnvironment(const std::wstring& text) {
    std::wstring buffer(text.size() + MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = ExpandEnvironmentStringsW(text.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0)
            return std::nullopt;
        if (n <= buffer.size()) {
            buffer.resize(n - 1); // n counts the terminating NUL
            return buffer;
        }
        buffer.assign(n, L'\0');
    }
}

void Win32Platform::ShellOpen(const std::wstring& target, int showCommand) {
    if (auto shellExecute = SystemFunction<decltype(ShellExecuteW)>(SystemDll::shell32, "ShellExecuteW"))
        shellExecute(nullptr, L"open", target.c_str(), nullptr, nullptr, showCommand);
}

UniquePicture Win32Platform::LoadPictureFile(const std::wstring& path) {
    const auto bytes = ReadFile(path);
    return bytes ? LoadPicture(*bytes) : UniquePicture{};
}

UniquePicture Win32Platform::LoadPicture(std::string_view bytes) {
    // Drawn by GDI from the bitmap that would be installed: a checked BMP as it is, any other picture decoded by the
    // program's own decoders. The system's picture loader would need OLE, and XP's reads no PNG.
    auto bitmap = LogoBitmap(bytes);
    return bitmap ? MakeDibPicture(std::move(*bitmap)) : UniquePicture{};
}

UniqueBitmap Win32Platform::LoadResourceBitmap(int id) {
    return UniqueBitmap(static_cast<HBITMAP>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
}

UniqueCursor Win32Platform::LoadResourceCursor(int id) {
    return UniqueCursor(static_cast<HCURSOR>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_CURSOR, 0, 0, LR_DEFAULTCOLOR)));
}

} // namespace bw
