#pragma once
// The test pictures, read from the folders beside this header (BRANDWICK_PICTURES names them at build time):
// check/ holds every format the logo paths meet, each a picture of its extension's format or, named "bad-...",
// to be treated as no picture at all; decode/ holds pictures for the decoders, those named "bad-..." refused.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

namespace bw::test {

struct PictureFile {
    std::string name; // without "bad-"
    std::string bytes;
    bool bad;
};

// Every picture of a folder ("check" or "decode"), in the order of their names.
inline std::vector<PictureFile> PictureFiles(std::string_view folder) {
    std::vector<PictureFile> files;
    std::error_code error;
    const std::filesystem::path dir = std::filesystem::path(BRANDWICK_PICTURES) / folder;
    for (std::filesystem::directory_iterator it(dir, error), end; !error && it != end; it.increment(error)) {
        std::string name = it->path().filename().string();
        std::ifstream in(it->path(), std::ios::binary);
        const bool bad = name.starts_with("bad-");
        files.push_back({bad ? name.substr(4) : name, std::string(std::istreambuf_iterator<char>(in), {}), bad});
    }
    std::ranges::sort(files, {}, &PictureFile::name);
    return files;
}

// The bytes of one test picture by its name (without "bad-"), from whichever folder holds it (no name is in both);
// a test failure, and no bytes, where neither does.
inline std::string Picture(std::string_view name) {
    for (const char* folder : {"check", "decode"})
        for (const char* prefix : {"", "bad-"}) {
            std::ifstream in(std::filesystem::path(BRANDWICK_PICTURES) / folder / (prefix + std::string(name)),
                             std::ios::binary);
            if (in)
                return std::string(std::istreambuf_iterator<char>(in), {});
        }
    ADD_FAILURE() << "no test picture " << name;
    return {};
}

} // namespace bw::test
