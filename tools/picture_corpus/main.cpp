// Writes the picture corpus into a folder (made when missing), one file a picture; the name of each malformed one starts "bad-".
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
    for (const bw::corpus::Picture& p : bw::corpus::PictureCorpus()) {
        const std::string path =
            std::string(argv[1]) + "/" + (p.expected == bw::PictureFormat::None ? "bad-" : "") + p.name;
        std::ofstream out(path, std::ios::binary);
        out.write(p.bytes.data(), static_cast<std::streamsize>(p.bytes.size()));
        if (!out.flush()) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            return 1;
        }
        ++written;
    }
    std::printf("%d pictures written to %s\n", written, argv[1]);
    return 0;
}
