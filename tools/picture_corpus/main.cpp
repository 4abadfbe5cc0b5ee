// Writes the picture corpus into a folder (made when missing), one file a picture; the name of each malformed one
// starts "bad-".
#include "picture_corpus.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    std::error_code error;
    std::filesystem::create_directories(argv[1], error);
    int written = 0;
    const auto write = [&](const std::string& name, const std::string& bytes, bool bad) {
        const std::string path = std::string(argv[1]) + "/" + (bad ? "bad-" : "") + name;
        std::ofstream out(path, std::ios::binary);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out.flush()) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            return false;
        }
        ++written;
        return true;
    };
    for (const bw::corpus::Picture& p : bw::corpus::PictureCorpus())
        if (!write(p.name, p.bytes, p.expected == bw::PictureFormat::None))
            return 1;
    // The decoders' pictures: "bad-" ones are refused by DecodePicture.
    for (const bw::corpus::Decodable& p : bw::corpus::DecodeCorpus())
        if (!write(p.name, p.bytes, !p.decodes))
            return 1;
    std::printf("%d pictures written to %s\n", written, argv[1]);
    return 0;
}
