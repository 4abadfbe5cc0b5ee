#pragma once
// Well-formed and malformed pictures in every format the logo paths meet, each with the verdict the picture
// check must reach. Built in memory, so the tests need no files from the repository.
#include "picture/picture_check_logic.h"

#include <string>
#include <vector>

namespace bw::corpus {

struct Picture {
    std::string name; // a file name, with the format's extension
    std::string bytes;
    PictureFormat expected; // None: to be treated as no picture at all
};

std::vector<Picture> PictureCorpus();

} // namespace bw::corpus
