// Writes a copy of a resource archive whose first texture is a picture that takes seconds to decode
// (a JPEG 2000 file of noise, within every bound), for the start-up checks of the real program:
//   slow_picture SOURCE_ARCHIVE DEST_ARCHIVE

#include <zip.h>

#include <cstdio>
#include <filesystem>
#include <random>
#include <vector>

#include "tests/support/ImageWriters.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: slow_picture SOURCE_ARCHIVE DEST_ARCHIVE\n");
        return 2;
    }
    std::error_code error;
    std::filesystem::copy_file(argv[1], argv[2], std::filesystem::copy_options::overwrite_existing, error);
    if (error) {
        std::fprintf(stderr, "slow_picture: can't copy %s: %s\n", argv[1], error.message().c_str());
        return 1;
    }
    constexpr int kSide = 2048;
    std::vector<uint32_t> noise(std::size_t{kSide} * kSide);
    std::mt19937 random(1);
    for (uint32_t& pixel : noise) pixel = random();
    const TestImages::Bytes picture = TestImages::WriteJp2(kSide, kSide, noise, 4);

    int code = 0;
    zip_t* archive = zip_open(argv[2], 0, &code);
    if (!archive) {
        std::fprintf(stderr, "slow_picture: can't open %s (libzip error %d)\n", argv[2], code);
        return 1;
    }
    const zip_int64_t png = zip_name_locate(archive, "Texture/0.png", 0);
    zip_source_t* source = zip_source_buffer(archive, picture.data(), picture.size(), 0);
    const zip_int64_t added = source ? zip_file_add(archive, "Texture/0.jp2", source, ZIP_FL_OVERWRITE) : -1;
    const bool written =
        png >= 0 && zip_delete(archive, static_cast<zip_uint64_t>(png)) == 0 && added >= 0 &&
        zip_set_file_compression(archive, static_cast<zip_uint64_t>(added), ZIP_CM_STORE, 0) == 0;
    if (!written || zip_close(archive) != 0) {
        std::fprintf(stderr, "slow_picture: can't write %s: %s\n", argv[2], zip_strerror(archive));
        if (source && added < 0) zip_source_free(source);
        zip_discard(archive);
        return 1;
    }
    return 0;
}
