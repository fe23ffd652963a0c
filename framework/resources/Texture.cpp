#include "framework/resources/Texture.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "engine/PictureBudget.h"
#include "engine/ResourcePacks.h"
#include "platform/J2k.h"

namespace GF::HGENS {

namespace {

// The engine for the length of one call.
struct EngineRef {
    HGE* hge = hgeCreate(HGE_VERSION);
    ~EngineRef() {
        if (hge) hge->Release();
    }
};

// A block of the resource archive, given back to the engine on the way out.
struct ResourceBlock {
    HGE* hge;
    void* data = nullptr;
    DWORD size = 0;
    ResourceBlock(HGE* engine, const std::string& name) : hge(engine) {
        data = hge->Resource_Load(name.c_str(), &size, Engine::kMaxPictureFileBytes);
    }
    ~ResourceBlock() { Free(); }
    void Free() {
        if (data) hge->Resource_Free(data);
        data = nullptr;
    }
    const unsigned char* Bytes() const { return static_cast<const unsigned char*>(data); }
};

// The grey level of every pixel of a GIF's first image, rows from the top.
struct GreyMask {
    int width = 0, height = 0;
    std::vector<unsigned char> grey;
};

struct GifSource {
    const unsigned char* data;
    std::size_t size;
    std::size_t pos = 0;
};

int ReadGif(GifFileType* gif, GifByteType* out, int count) {
    auto* src = static_cast<GifSource*>(gif->UserData);
    if (count <= 0) return 0;
    const std::size_t n = std::min<std::size_t>(static_cast<std::size_t>(count), src->size - src->pos);
    std::memcpy(out, src->data + src->pos, n);
    src->pos += n;
    return static_cast<int>(n);
}

// Reads the image descriptor of the GIF's first image, skipping the extensions before it.
bool FindFirstImage(GifFileType* gif) {
    for (;;) {
        GifRecordType record;
        if (DGifGetRecordType(gif, &record) != GIF_OK) return false;
        if (record == IMAGE_DESC_RECORD_TYPE) return DGifGetImageDesc(gif) == GIF_OK;
        if (record != EXTENSION_RECORD_TYPE) return false;
        int code = 0;
        GifByteType* block = nullptr;
        if (DGifGetExtension(gif, &code, &block) != GIF_OK) return false;
        while (block)
            if (DGifGetExtensionNext(gif, &block) != GIF_OK) return false;
    }
}

// The decoder clears its whole string table at every clear code, some thousand steps each: a mask
// made of nothing else keeps it busy for minutes. An encoder clears when its table fills, at most
// every 254 codes for one that never compresses.
constexpr uint64_t kClearCodesPerPixel = 128;
constexpr uint64_t kClearCodesAlways = 4096;

// Whether the image data at `at` (its code size byte, then its sub-blocks) holds more clear codes
// than a picture of this many pixels needs. Codes are read as the decoder reads them: the code width
// grows with every code past the table's size, up to 12 bits, and a clear code starts it again. Every
// code size the decoder takes is walked: one of 0 makes 1-bit codes, eight clear codes a byte.
bool TooManyClearCodes(const unsigned char* data, std::size_t size, std::size_t at, uint64_t pixels) {
    if (at == 0 || at > size) return false;
    const unsigned minimum = data[at - 1];
    if (minimum > 8) return false;  // the decoder refuses the image
    const unsigned clear = 1u << minimum, end = clear + 1;
    unsigned bits = minimum + 1, running = end + 1, limit = 1u << bits;
    uint64_t clears = 0, codes = 0;
    uint32_t buffer = 0;
    unsigned held = 0;
    while (at < size) {
        const std::size_t count = data[at++];
        if (count == 0 || count > size - at) return false;
        for (std::size_t i = 0; i < count; ++i) {
            buffer |= static_cast<uint32_t>(data[at + i]) << held;
            held += 8;
            while (held >= bits) {
                const unsigned code = buffer & ((1u << bits) - 1);
                buffer >>= bits;
                held -= bits;
                if (running < 4097 && ++running > limit && bits < 12) limit <<= 1, ++bits;
                if (code == end) return false;
                if (code == clear) {
                    if (++clears > pixels / kClearCodesPerPixel + kClearCodesAlways) return true;
                    bits = minimum + 1, running = end + 1, limit = 1u << bits;
                } else if (++codes >= pixels) {
                    return false;  // every code gives a pixel at least: the picture is full
                }
            }
        }
        at += count;
    }
    return false;
}

enum class MaskRead { Invalid, WrongSize, TooCostly, Read };

// Reads a GIF's first image as grey levels, when the GIF is a picture of width x height; mask holds
// the size the GIF claims otherwise. The sizes are compared as soon as the headers tell them, before
// any room is made for the pixels, so a mask claiming a huge picture costs nothing.
MaskRead DecodeGreyMask(const unsigned char* data, std::size_t size, int width, int height, GreyMask& mask) {
    GifSource source{data, size};
    int error = 0;
    GifFileType* gif = DGifOpen(&source, ReadGif, &error);
    if (!gif) return MaskRead::Invalid;
    MaskRead result = MaskRead::Invalid;
    mask.width = gif->SWidth, mask.height = gif->SHeight;
    if (mask.width != width || mask.height != height) {
        result = MaskRead::WrongSize;
    } else if (FindFirstImage(gif)) {
        const GifImageDesc& frame = gif->Image;
        const ColorMapObject* map = frame.ColorMap ? frame.ColorMap : gif->SColorMap;
        if (frame.Width != width || frame.Height != height) {
            mask.width = frame.Width, mask.height = frame.Height;
            result = MaskRead::WrongSize;
        } else if (TooManyClearCodes(data, size, source.pos, static_cast<uint64_t>(width) * height)) {
            // The decoder has read the code size; its data follows.
            result = MaskRead::TooCostly;
        } else if (map && map->Colors) {
            // Indexes past the palette read as white.
            unsigned char levels[256];
            std::fill(std::begin(levels), std::end(levels), 0xFF);
            for (int i = 0; i < std::min(map->ColorCount, 256); ++i) {
                const GifColorType& c = map->Colors[i];
                levels[i] = static_cast<unsigned char>((c.Red * 299 + c.Green * 587 + c.Blue * 114) / 1000);
            }
            // An interlaced image sends every eighth row from the first, every eighth from the
            // fifth, every fourth from the third, then every second from the second.
            static const int kFirst[] = {0, 4, 2, 1}, kStep[] = {8, 8, 4, 2};
            std::vector<GifPixelType> indexes(static_cast<std::size_t>(width) * height);
            bool complete = true;
            for (int pass = frame.Interlace ? 0 : 3; complete && pass < 4; ++pass) {
                const int first = frame.Interlace ? kFirst[pass] : 0,
                          step = frame.Interlace ? kStep[pass] : 1;
                for (int y = first; complete && y < height; y += step)
                    complete = DGifGetLine(gif, indexes.data() + static_cast<std::size_t>(y) * width,
                                           width) == GIF_OK;
            }
            if (complete) {
                mask.grey.resize(indexes.size());
                for (std::size_t i = 0; i < indexes.size(); ++i) mask.grey[i] = levels[indexes[i]];
                result = MaskRead::Read;
            }
        }
    }
    DGifCloseFile(gif, &error);
    return result;
}

}  // namespace

// The decoder's view of one JPEG 2000 image while a texture is made from it.
struct J2KImage {
    int handle = 0;
    int width = 0, height = 0;
    int components = 0, precision = 0, resolutions = 0, tiles = 0;
    const char* error = "";
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    int pitch = 0;

    ~J2KImage() { Close(); }

    int ReadInfo() {
        if (!handle) {
            const int code = _J2K_getLastError();
            error = _J2K_getErrorStr(code);
            return code ? code : J2K_ERR_HANDLE;
        }
        J2K_INFO info{};
        if (const int code = _J2K_GetInfoEx(handle, &info)) {
            Close();
            error = _J2K_getErrorStr(code);
            return code;
        }
        width = info.width, height = info.height;
        components = info.components, precision = info.precision;
        resolutions = info.resolutions, tiles = info.tiles;
        return J2K_OK;
    }

    int Decode() {
        int code = _J2K_GetResolutionDimensionsByStr(handle, nullptr, &width, &height);
        if (code == J2K_OK || code == J2K_WARN_OFFSET)
            code = _J2K_Decode(handle, &buffer, &size, nullptr, &pitch);
        if (code != J2K_OK) {
            Close();
            error = _J2K_getErrorStr(code);
        }
        return code;
    }

    void Close() {
        if (handle) _J2K_Close(handle);
        handle = width = height = components = precision = resolutions = tiles = pitch = 0;
        error = "";
        buffer = nullptr;
        size = 0;
    }
};

CTexture::~CTexture() {
    Unload();
}

void CTexture::Unload() {
    if (!m_handle) return;
    EngineRef engine;
    if (engine.hge) engine.hge->Texture_Free(m_handle);
    m_handle = 0;
}

void CTexture::Load() {
    if (m_handle) return;  // loaded already: a second handle would leak the first
    EngineRef engine;
    HGE* hge = engine.hge;
    if (!hge) return;

    m_handle = hge->Texture_Load((m_fileName + ".png").c_str(), 0);
    if (m_handle) return;

    const std::string j2kName = m_fileName + ".jp2";
    const std::size_t slash = m_fileName.rfind('\\');
    const std::string maskName = slash == std::string::npos ? "m_" + m_fileName + ".gif"
                                                            : m_fileName.substr(0, slash + 1) + "m_" +
                                                                  m_fileName.substr(slash + 1) + ".gif";

    J2KImage image;
    {
        ResourceBlock file(hge, j2kName);
        if (!file.data) return;
        image.handle = _J2K_OpenMemory(file.Bytes(), file.size);
        int code = image.ReadInfo();
        // The decoder keeps a 32-bit plane for every component, then the picture and its texture.
        const uint64_t bytes = Engine::kDecodedPixelBytes * static_cast<uint64_t>(image.width) *
                               static_cast<uint64_t>(image.height) *
                               (static_cast<uint64_t>(std::max(image.components, 0)) + 2);
        if (code == J2K_OK && !Engine::CPictureBudget::Fits(bytes)) {
            hge->System_Log(
                "Can't load %s: a %dx%d picture of %d components would take the decoded "
                "pictures past %d MB",
                j2kName.c_str(), image.width, image.height, image.components,
                static_cast<int>(Engine::CPictureBudget::kBytes >> 20));
            return;
        }
        if (code == J2K_OK) code = image.Decode();
        if (code != J2K_OK) {
            hge->System_Log("Can't load %s: %s", j2kName.c_str(), image.error);
            return;
        }
    }

    const int width = image.width, height = image.height;
    const std::size_t rowBytes = static_cast<std::size_t>(width) * 4;
    // The decoded rows must lie inside the buffer the codec answered.
    if (width <= 0 || height <= 0 || static_cast<std::size_t>(image.pitch) < rowBytes ||
        image.size < static_cast<std::size_t>(image.pitch) * (height - 1) + rowBytes) {
        hge->System_Log("Can't load %s", j2kName.c_str());
        return;
    }

    {
        ResourceBlock maskFile(hge, maskName);
        GreyMask mask;
        const MaskRead read = maskFile.data
                                  ? DecodeGreyMask(maskFile.Bytes(), maskFile.size, width, height, mask)
                                  : MaskRead::Invalid;
        if (read == MaskRead::TooCostly) {
            hge->System_Log(
                "Alpha mask %s holds more clear codes than a %dx%d picture needs; the picture "
                "keeps its own alpha",
                maskName.c_str(), width, height);
        } else if (read == MaskRead::WrongSize) {
            hge->System_Log("Alpha mask %s is %dx%d, not the %dx%d of %s; the picture keeps its own alpha",
                            maskName.c_str(), mask.width, mask.height, width, height, j2kName.c_str());
        } else if (read == MaskRead::Read) {
            for (int y = 0; y < height; ++y) {
                unsigned char* row = image.buffer + static_cast<std::size_t>(y) * image.pitch;
                for (int x = 0; x < width; ++x)
                    row[x * 4 + 3] = mask.grey[static_cast<std::size_t>(y) * width + x];
            }
        }
    }

    m_handle = hge->Texture_Create(width, height);
    if (!m_handle) {
        hge->System_Log("Can't load %s", j2kName.c_str());
        return;
    }
    // The device texture may be larger than the image; copy no more than both hold.
    const int texWidth = hge->Texture_GetWidth(m_handle, false);
    const int texHeight = hge->Texture_GetHeight(m_handle, false);
    DWORD* pixels = hge->Texture_Lock(m_handle, false, 0, 0, width, height);
    if (!pixels || texWidth <= 0 || texHeight <= 0) {
        if (pixels) hge->Texture_Unlock(m_handle);
        hge->System_Log("Can't load %s", j2kName.c_str());
        hge->Texture_Free(m_handle);
        m_handle = 0;
        return;
    }
    const std::size_t texRowBytes = static_cast<std::size_t>(texWidth) * 4;
    const std::size_t copyBytes = std::min(rowBytes, texRowBytes);
    const int rows = std::min(height, texHeight);
    auto* dest = reinterpret_cast<unsigned char*>(pixels);
    for (int y = 0; y < rows; ++y) {
        std::memcpy(dest + static_cast<std::size_t>(y) * texRowBytes,
                    image.buffer + static_cast<std::size_t>(y) * image.pitch, copyBytes);
    }
    hge->Texture_Unlock(m_handle);
}

}  // namespace GF::HGENS
