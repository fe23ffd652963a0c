#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "engine/PictureBudget.h"
#include "engine/PictureFile.h"
#include "tests/support/ImageWriters.h"
#include "tests/support/MemoryWatch.h"

using TestImages::Bytes;

namespace {

// Pixels whose every row and column differ, smoothly enough for a JPEG to keep them, so a picture
// read wrongly shows.
std::vector<uint32_t> Picture(int w, int h) {
    std::vector<uint32_t> p(static_cast<std::size_t>(w) * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            p[static_cast<std::size_t>(y) * w + x] = 0xFF000000u | (x * 8) << 16 | (y * 8);
    return p;
}

void PutBig16(Bytes& file, std::size_t at, uint32_t v) {
    file[at] = static_cast<unsigned char>(v >> 8);
    file[at + 1] = static_cast<unsigned char>(v);
}

void PutLittle32(Bytes& file, std::size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) file[at + i] = static_cast<unsigned char>(v >> (8 * i));
}

// A real JPEG whose frame header claims other sides.
Bytes JpegClaiming(uint32_t width, uint32_t height) {
    Bytes file = TestImages::WriteJpeg(16, 16, Picture(16, 16));
    for (std::size_t at = 2; at + 9 < file.size(); ++at) {
        if (file[at] == 0xFF && file[at + 1] == 0xC0) {
            PutBig16(file, at + 5, height);
            PutBig16(file, at + 7, width);
            return file;
        }
    }
    ADD_FAILURE() << "no frame header";
    return file;
}

Bytes PngClaiming(uint32_t width, uint32_t height) {
    Bytes file = TestImages::WritePng(4, 4, Picture(4, 4));
    TestImages::ClaimPngSize(file, width, height);
    return file;
}

Bytes BmpClaiming(uint32_t width, int32_t height) {
    Bytes file = TestImages::WriteBmp(8, 8, Picture(8, 8));
    PutLittle32(file, 18, width);
    PutLittle32(file, 22, static_cast<uint32_t>(height));
    return file;
}

class PictureFile : public ::testing::Test {
protected:
    void SetUp() override { log.SetFile(logPath); }
    void TearDown() override {
        log.Close();
        std::filesystem::remove(logPath);
    }
    std::string LogText() {
        std::ifstream in(logPath);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    std::string logPath =
        (std::filesystem::temp_directory_path() / ("picture-file-" + std::to_string(::getpid()) + ".txt"))
            .string();
    Engine::CLog log;
};

}  // namespace

// Compressed text chunks are skipped unread: forty of nearly 8 MB each (a few hundred kilobytes in
// all) cost the decoder their inflating and the text kept. A picture that would take the decoded
// pictures past their budget, beside what the game holds, is refused by name before it is decoded.
TEST_F(PictureFile, TextIsSkippedAndAllPicturesShareOneBudget) {
    const Bytes texts = TestImages::WritePngWithTexts(4, 4, Picture(4, 4), 40, 7900000);
    CMemoryWatch watch;
    SDL_Surface* image = Engine::DecodePicture(log, "Texture\\1.png", texts.data(), texts.size());
    watch.Stop();
    ASSERT_NE(image, nullptr) << LogText();
    EXPECT_EQ(static_cast<const uint32_t*>(image->pixels)[5], Picture(4, 4)[5]);
    SDL_FreeSurface(image);
    EXPECT_LT(watch.AddedPeakMegabytes(), 50);

    const Bytes sheet = TestImages::WritePng(2048, 2048, std::vector<uint32_t>(2048 * 2048, 0xFF336699));
    Engine::CPictureBudget::Hold(Engine::CPictureBudget::kBytes - (24u << 20));
    EXPECT_EQ(Engine::DecodePicture(log, "Texture\\2.png", sheet.data(), sheet.size()), nullptr);
    Engine::CPictureBudget::Release(Engine::CPictureBudget::kBytes - (24u << 20));
    image = Engine::DecodePicture(log, "Texture\\2.png", sheet.data(), sheet.size());
    EXPECT_NE(image, nullptr);
    SDL_FreeSurface(image);
    EXPECT_NE(LogText().find("Can't decode image Texture\\2.png: a PNG picture of 2048x2048 would take the "
                             "decoded pictures past 256 MB"),
              std::string::npos)
        << LogText();
}

TEST_F(PictureFile, EachFormatDecodesTopRowFirst) {
    const int w = 16, h = 16;
    const auto picture = Picture(w, h);
    const std::pair<const char*, Bytes> files[] = {
        {"Texture\\1.png", TestImages::WritePng(w, h, picture)},
        {"Texture\\2.png", TestImages::WriteJpeg(w, h, picture)},
        {"Texture\\3.png", TestImages::WriteBmp(w, h, picture)},
        {"Texture\\4.png", TestImages::WriteTga(w, h, picture)},
    };
    for (const auto& [name, bytes] : files) {
        SDL_Surface* image = Engine::DecodePicture(log, name, bytes.data(), bytes.size());
        ASSERT_NE(image, nullptr) << name << ": " << LogText();
        EXPECT_EQ(image->w, w);
        EXPECT_EQ(image->h, h);
        for (auto [x, y] : {std::pair{0, 0}, std::pair{15, 0}, std::pair{0, 15}, std::pair{9, 5}}) {
            const uint32_t got = *reinterpret_cast<const uint32_t*>(
                static_cast<const unsigned char*>(image->pixels) + y * image->pitch + x * 4);
            const uint32_t want = picture[static_cast<std::size_t>(y) * w + x];
            // The JPEG is lossy: each channel within a few levels.
            for (int shift = 0; shift < 32; shift += 8)
                EXPECT_NEAR(static_cast<int>(got >> shift & 0xFF), static_cast<int>(want >> shift & 0xFF), 12)
                    << name << " at " << x << "," << y;
        }
        SDL_FreeSurface(image);
    }
}

// Files of a few hundred bytes whose headers claim pictures beyond the bound, by its sides or by its
// total, are refused by name before any room is made for them.
TEST_F(PictureFile, PicturesBeyondTheBoundAreRefusedByNameAtOnce) {
    Bytes targa = {0, 0, 10, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x28, 0x23, 0x28, 0x23, 32, 0};  // 9000 x 9000
    targa.resize(600, 0x09);
    const std::pair<const char*, Bytes> files[] = {
        {"Texture\\1.png", JpegClaiming(30000, 30000)},  // sides
        {"Texture\\2.png", JpegClaiming(6000, 6000)},    // total
        {"Texture\\3.png", PngClaiming(100000, 100000)},
        {"Texture\\4.png", PngClaiming(6000, 6000)},
        {"Texture\\5.png", BmpClaiming(9000, 4)},
        {"Texture\\6.png", BmpClaiming(6000, -6000)},
        {"Texture\\7.png", targa},
        {"Texture\\8.png", Bytes(600, 0)},
    };
    for (const auto& [name, bytes] : files) {
        EXPECT_LT(bytes.size(), 1000u) << name;
        CMemoryWatch watch;
        SDL_Surface* image = Engine::DecodePicture(log, name, bytes.data(), bytes.size());
        watch.Stop();
        EXPECT_EQ(image, nullptr) << name;
        if (image) SDL_FreeSurface(image);
        EXPECT_NE(LogText().find(std::string("Can't decode image ") + name + ":"), std::string::npos) << name;
        EXPECT_LT(watch.Seconds(), 10.0) << name;
        EXPECT_LT(watch.AddedPeakMegabytes(), 300) << name;
        EXPECT_LT(watch.LargestBlock(), std::size_t{16} << 20) << name;
    }
    EXPECT_NE(LogText().find("JPG picture of 30000x30000"), std::string::npos) << LogText();
    EXPECT_NE(LogText().find("Texture\\8.png: not a PNG, JPEG, BMP or Targa picture"), std::string::npos)
        << LogText();
}

// Files within the bound that would keep a decoder busy for minutes: progressive JPEGs of 4096 x 4096
// made of thousands of empty scans (tens of kilobytes, a few in the archive), a PNG whose image
// data inflates to 20 GB (20 MB, a few kilobytes in the archive) and one whose text chunk claims 2 GB
// the file does not have. Each is refused by name at once; a progression of a few scans still decodes.
TEST_F(PictureFile, PicturesThatWouldCostEndlessWorkAreRefusedByName) {
    Bytes claiming = TestImages::WritePng(64, 64, std::vector<uint32_t>(64 * 64, 0xFF336699));
    const unsigned char claim[] = {0x7F, 0xFF, 0xFF, 0xF0, 't', 'E', 'X', 't'};
    claiming.insert(claiming.begin() + 33, std::begin(claim), std::end(claim));
    const struct {
        const char* name;
        Bytes file;
        const char* logged;
    } files[] = {
        {"Texture\\1.png", TestImages::WriteJpegOfScans(4096, 4096, 3000), "a JPEG picture of more than"},
        {"Texture\\2.png", TestImages::WriteJpegOfScans(4096, 4096, 30000), "a JPEG picture of more than"},
        {"Texture\\3.png", TestImages::WritePngInflatingTo(4096, 4096, uint64_t{20} << 30),
         "a PNG picture of 4096x4096 whose image data inflates past its pixels"},
        {"Texture\\5.png", claiming, "a PNG picture of 64x64 whose chunk runs past the file's end"},
        {"Texture\\4.png", TestImages::WriteJpegOfScans(64, 64, 10), nullptr},
    };
    for (const auto& f : files) {
        CMemoryWatch watch;
        SDL_Surface* image = Engine::DecodePicture(log, f.name, f.file.data(), f.file.size());
        watch.Stop();
        EXPECT_EQ(image == nullptr, f.logged != nullptr) << f.name << ": " << LogText();
        if (image) SDL_FreeSurface(image);
        if (f.logged) {
            EXPECT_NE(LogText().find(std::string("Can't decode image ") + f.name + ": " + f.logged),
                      std::string::npos)
                << f.name << ": " << LogText();
        }
        EXPECT_LT(watch.Seconds(), 10.0) << f.name;
        EXPECT_LT(watch.AddedPeakMegabytes(), 300) << f.name;
        std::printf("%s: %.2f s, %ld MB more at the peak\n", f.name, watch.Seconds(),
                    watch.AddedPeakMegabytes());
    }
}
