#include "cli/command_line_logic.h"

#include <algorithm>
#include <utility>

namespace bw {

namespace {

std::wstring Lower(std::wstring_view text) {
    std::wstring lower(text);
    for (wchar_t& c : lower) {
        if (c >= L'A' && c <= L'Z')
            c = static_cast<wchar_t>(c - L'A' + L'a');
    }
    return lower;
}

bool IsSwitch(std::wstring_view arg) {
    return arg.size() > 1 && (arg[0] == L'/' || arg[0] == L'-');
}

// The arguments from the one a problem was found at: a /log with its file among them is still understood.
CommandLine Invalid(std::wstring problem, const std::vector<std::wstring>& args, std::size_t from,
                    std::optional<std::wstring> log) {
    CommandLine cl;
    cl.action = CliAction::Invalid;
    cl.problem = std::move(problem);
    for (std::size_t i = from; i + 1 < args.size() && !log; ++i)
        if (IsSwitch(args[i]) && Lower(args[i].substr(1)) == L"log" && !args[i + 1].empty())
            log = args[i + 1];
    cl.log = std::move(log);
    return cl;
}

std::wstring Given(const std::vector<std::wstring>& args) {
    std::wstring text;
    for (const std::wstring& arg : args) {
        const bool quote = arg.empty() || arg.find_first_of(L" \t") != std::wstring::npos;
        text += (text.empty() ? L"" : L" ") + (quote ? L'"' + arg + L'"' : arg);
    }
    return text;
}

void TwoDigits(std::wstring& out, unsigned n) {
    out += static_cast<wchar_t>(L'0' + n / 10 % 10);
    out += static_cast<wchar_t>(L'0' + n % 10);
}

std::size_t NameStart(std::wstring_view path) {
    const std::size_t slash = path.find_last_of(L"\\/:");
    return slash == std::wstring_view::npos ? 0 : slash + 1;
}

} // namespace

std::vector<std::wstring> SplitArguments(std::wstring_view text) {
    std::vector<std::wstring> args;
    std::size_t i = 0;
    while (true) {
        while (i < text.size() && (text[i] == L' ' || text[i] == L'\t'))
            ++i;
        if (i == text.size())
            return args;
        std::wstring arg;
        bool quoted = false;
        for (; i < text.size() && (quoted || (text[i] != L' ' && text[i] != L'\t')); ++i) {
            std::size_t backslashes = 0;
            while (i < text.size() && text[i] == L'\\')
                ++backslashes, ++i;
            if (i < text.size() && text[i] == L'"') {
                arg.append(backslashes / 2, L'\\');
                if (backslashes % 2)
                    arg += L'"';
                else if (quoted && i + 1 < text.size() && text[i + 1] == L'"')
                    arg += L'"', ++i; // "" inside quotes is a quote
                else
                    quoted = !quoted;
                continue;
            }
            arg.append(backslashes, L'\\');
            if (i == text.size() || (!quoted && (text[i] == L' ' || text[i] == L'\t')))
                break;
            arg += text[i];
        }
        args.push_back(std::move(arg));
    }
}

namespace {

CommandLine ParseSwitches(const std::vector<std::wstring>& args) {
    CommandLine cl;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::wstring name = IsSwitch(args[i]) ? Lower(args[i].substr(1)) : std::wstring();
        if (name == L"?" || name == L"h" || name == L"help") {
            cl.action = CliAction::Usage;
            continue;
        }
        const bool takesFile = name == L"apply" || name == L"export" || name == L"verify" || name == L"log";
        if (!takesFile)
            return Invalid(L"无法识别的参数：" + args[i], args, i + 1, cl.log);
        if (i + 1 == args.size() || args[i + 1].empty())
            return Invalid(L"缺少文件名：" + args[i], args, i + 1, cl.log);
        const std::wstring& file = args[++i];
        if (name == L"log") {
            if (cl.log)
                return Invalid(L"参数重复：" + args[i - 1], args, i + 1, cl.log);
            cl.log = file;
            continue;
        }
        if (cl.action == CliAction::Apply || cl.action == CliAction::Export || cl.action == CliAction::Verify)
            return Invalid(L"/apply、/export 和 /verify 只能使用其中一个，且只能一次", args, i + 1, cl.log);
        if (cl.action != CliAction::Usage)
            cl.action = name == L"apply" ? CliAction::Apply : name == L"export" ? CliAction::Export : CliAction::Verify;
        cl.profile = file;
    }
    if (cl.action == CliAction::Window && cl.log)
        return Invalid(L"/log 须与 /apply、/export 或 /verify 一同使用", args, args.size(), cl.log);
    return cl;
}

} // namespace

CommandLine ParseCommandLine(const std::vector<std::wstring>& args) {
    CommandLine cl = ParseSwitches(args);
    cl.given = Given(args);
    return cl;
}

std::wstring UsageText() {
    return L"用法：\n"
           L"  Brandwick.exe\n"
           L"      打开主窗口。\n"
           L"  Brandwick.exe /apply 配置文件 [/log 日志文件]\n"
           L"      按配置文件设置本机的 OEM 信息和注册信息，不打开窗口。\n"
           L"  Brandwick.exe /export 配置文件 [/log 日志文件]\n"
           L"      将本机当前的 OEM 信息和注册信息导出为配置文件，Logo 图片复制在它旁边。\n"
           L"  Brandwick.exe /verify 配置文件 [/log 日志文件]\n"
           L"      检查本机是否已如配置文件所设，不做任何更改。\n"
           L"  Brandwick.exe /?\n"
           L"      显示本说明。\n"
           L"退出代码：0 全部完成（/verify：本机与配置文件一致）；\n"
           L"          1 部分内容未能保存，其余已保存（/verify：有不一致之处）；不同的内容逐项列出；\n"
           L"          2 配置文件或命令行无法使用，未做任何更改。";
}

std::wstring LogPrefix(const LocalTime& t, std::wstring_view computer) {
    std::wstring out = DecimalText(t.year);
    for (const auto& [separator, n] : {std::pair(L'-', t.month), std::pair(L'-', t.day), std::pair(L'T', t.hour),
                                       std::pair(L':', t.minute), std::pair(L':', t.second)}) {
        out += separator;
        TwoDigits(out, n);
    }
    return out + L" " + std::wstring(computer) + L" ";
}

std::wstring LogLines(std::wstring_view text, std::wstring_view prefix) {
    std::wstring out;
    for (std::size_t start = 0;;) {
        const std::size_t end = std::min(text.find(L'\n', start), text.size());
        out.append(prefix).append(text.substr(start, end - start)).append(L"\r\n");
        if (end == text.size())
            return out;
        start = end + 1;
    }
}

std::wstring ResultLine(CliAction action, int exitCode) {
    const bool verify = action == CliAction::Verify;
    const wchar_t* result = exitCode == 0   ? (verify ? L"与配置文件一致" : L"全部完成")
                            : exitCode == 1 ? (verify ? L"与配置文件不一致" : L"部分内容未能保存")
                                            : L"未做任何更改";
    return L"结果：" + std::wstring(result) + L"，退出代码 " + DecimalText(static_cast<std::size_t>(exitCode));
}

std::wstring ResolveBesideProfile(std::wstring_view profile, std::wstring_view path) {
    const bool absolute = path.starts_with(L'\\') || path.starts_with(L'/') || (path.size() > 1 && path[1] == L':');
    if (absolute)
        return std::wstring(path);
    return std::wstring(profile.substr(0, NameStart(profile))) + std::wstring(path);
}

std::wstring ExportedLogoName(std::wstring_view profile) {
    std::wstring name(profile.substr(NameStart(profile)));
    const std::size_t dot = name.rfind(L'.');
    // A profile that is itself named .bmp keeps its whole name, so that the logo cannot overwrite it.
    if (dot != std::wstring::npos && dot > 0 && Lower(name.substr(dot)) != L".bmp")
        name.resize(dot);
    return name + L".bmp";
}

} // namespace bw
