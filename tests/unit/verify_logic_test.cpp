// What "the same" means for /verify: each place by the rule /apply stores it with, and how a difference reads.
#include "engine/verify_logic.h"

#include <gtest/gtest.h>

namespace bw {
namespace {

// A code page that holds ASCII only, as the ANSI code page replaces what it cannot hold.
std::string ToAscii(std::wstring_view text) {
    std::string out;
    for (const wchar_t c : text)
        out += c < 0x80 ? static_cast<char>(c) : '?';
    return out;
}
const CodePage kAscii{ToAscii, [](std::string_view bytes) { return std::wstring(bytes.begin(), bytes.end()); }};

TEST(VerifyLogic, EachPlaceComparesByTheRuleApplyStoresItWith) {
    const std::optional<std::wstring> none;
    const struct {
        StoredIn place;
        std::optional<std::wstring> held;
        const wchar_t* wanted;
        bool same;
    } rows[] = {
        {StoredIn::Registration, L" ", L"", true},
        {StoredIn::Registration, L"", L"", false},
        {StoredIn::Registration, none, L"", false},
        {StoredIn::Registration, L"张三", L"张三", true},
        {StoredIn::Key, L"", L"", true},
        {StoredIn::Key, none, L"", false},
        {StoredIn::Key, L" ", L"", false},
        {StoredIn::Key, L"Caf?", L"Café", false},
        {StoredIn::File, L"Caf?", L"Café", true},
        {StoredIn::File, L"Café", L"Café", false},
        {StoredIn::File, L"x", L" x ", true},   // written, and read without its blanks
        {StoredIn::File, L" x ", L" x ", true}, // a line that already read so was kept
        {StoredIn::File, L"x", L"\"x\"", true}, // read without its quotes
        {StoredIn::File, L"a b", L"a\r\nb", false},
        {StoredIn::File, L"a  b", L"a\r\nb", true}, // each line end byte a space
        {StoredIn::File, none, L"", false},
        {StoredIn::File, L"K510", L"K520", false},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(testing::Message() << static_cast<int>(r.place) << " " << testing::PrintToString(r.wanted));
        EXPECT_EQ(SameAsStored(r.place, r.held, r.wanted, kAscii), r.same);
    }
}

TEST(VerifyLogic, ADifferenceIsOneShortLine) {
    const struct {
        std::optional<std::wstring> value;
        const wchar_t* shown;
    } rows[] = {
        {std::nullopt, L"（无）"},
        {L"", L"“”"},
        {L"快修电脑", L"“快修电脑”"},
        {L"a\tb\r\n", L"“a\\x09b\\x0D\\x0A”"},
        {std::wstring(40, L'x'), L"“xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx”"},
        {std::wstring(41, L'x'), L"“xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx…”（共 41 个字符）"},
        // U+1F600 at the cut goes as a whole.
        {std::wstring(39, L'y') + L"\xD83D\xDE00z", L"“yyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyy…”（共 42 个字符）"},
    };
    for (const auto& r : rows)
        EXPECT_EQ(DescribeValue(r.value), r.shown);
    EXPECT_EQ(DescribePicture(std::nullopt), L"（无）");
}

// The digests of FIPS 180-2's examples: no padding block of its own, and one.
TEST(VerifyLogic, Sha256AsCertutilShowsIt) {
    const std::pair<std::string, const char*> rows[] = {
        {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
         "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
    };
    for (const auto& [bytes, digest] : rows)
        EXPECT_EQ(Sha256Hex(bytes), digest) << bytes.size();
}

} // namespace
} // namespace bw
