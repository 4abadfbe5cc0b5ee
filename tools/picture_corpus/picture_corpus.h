#pragma once
// Well-formed and malformed pictures in every format the logo paths meet, each with the verdict the picture
// check must reach. Built in memory, so the tests need no files from the repository.
#include "picture/picture_check_logic.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace bw::corpus {

struct Picture {
    std::string name; // a file name, with the format's extension
    std::string bytes;
    PictureFormat expected; // None: to be treated as no picture at all
};

std::vector<Picture> PictureCorpus();

// Pictures for the decoders, each with whether DecodePicture must decode it. Names start with the format.
struct Decodable {
    std::string name;
    std::string bytes;
    bool decodes;
};
std::vector<Decodable> DecodeCorpus();

// PNG files built from their parts, for the tests too: a chunk with its length and CRC-32, a zlib stream of
// stored blocks, and a file of IHDR, the chunks given, one IDAT of the filtered rows and IEND.
std::string PngChunk(std::string_view type, std::string_view data);
std::string ZlibStored(std::string_view data);
std::string Png(std::uint32_t width, std::uint32_t height, int depth, int colour, std::string_view filtered,
                std::string_view chunks = {}, int interlace = 0);

} // namespace bw::corpus
