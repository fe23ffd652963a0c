#include "platform/J2k.h"

#include <openjpeg.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <vector>

#include "engine/PictureBounds.h"

namespace {

using Engine::Big16;
using Engine::Big32;

// The decoder keeps a record for every component of every tile, made as it reads the main header,
// before any pixel: a few hundred bytes claiming thousands of one-pixel tiles of many components
// would cost gigabytes there. A picture is seldom cut into more than a few dozen tiles.
constexpr uint64_t kMaxTileComponents = 16384;
// The decoder keeps a record of a kilobyte or more for every code block and precinct of every band,
// made as it starts a tile: a header asking for code blocks of a few pixels costs gigabytes on a
// picture within the bound. A picture at the bound in code blocks of 32 x 32 has about 90,000.
constexpr uint64_t kMaxCodeBlocks = 131072;
// Each tile part has its header and its record; a tile is seldom sent in more than a few.
constexpr uint64_t kMaxTileParts = 16384;

struct MemoryStream {
    std::vector<unsigned char> bytes;
    std::size_t pos = 0;
};

OPJ_SIZE_T ReadMemory(void* out, OPJ_SIZE_T count, void* user) {
    auto* s = static_cast<MemoryStream*>(user);
    if (s->pos >= s->bytes.size()) return static_cast<OPJ_SIZE_T>(-1);
    const std::size_t n = std::min<std::size_t>(count, s->bytes.size() - s->pos);
    std::memcpy(out, s->bytes.data() + s->pos, n);
    s->pos += n;
    return n;
}

OPJ_OFF_T SkipMemory(OPJ_OFF_T count, void* user) {
    auto* s = static_cast<MemoryStream*>(user);
    if (count < 0) {
        const std::size_t back = std::min<std::size_t>(static_cast<std::size_t>(-count), s->pos);
        s->pos -= back;
        return -static_cast<OPJ_OFF_T>(back);
    }
    const std::size_t left = s->bytes.size() - std::min(s->pos, s->bytes.size());
    const std::size_t n = std::min<std::size_t>(static_cast<std::size_t>(count), left);
    s->pos += n;
    return static_cast<OPJ_OFF_T>(n);
}

OPJ_BOOL SeekMemory(OPJ_OFF_T to, void* user) {
    auto* s = static_cast<MemoryStream*>(user);
    if (to < 0 || static_cast<std::size_t>(to) > s->bytes.size()) return OPJ_FALSE;
    s->pos = static_cast<std::size_t>(to);
    return OPJ_TRUE;
}

void Quiet(const char*, void*) {}

struct Image {
    MemoryStream memory;
    opj_stream_t* stream = nullptr;
    opj_codec_t* codec = nullptr;
    opj_image_t* image = nullptr;
    J2K_INFO info{};
    bool offset = false;
    bool decoded = false;
    std::vector<unsigned char> pixels;
    int pitch = 0;

    ~Image() {
        if (image) opj_image_destroy(image);
        if (codec) opj_destroy_codec(codec);
        if (stream) opj_stream_destroy(stream);
    }
};

std::map<int, std::unique_ptr<Image>> g_images;
int g_nextHandle = 1;
int g_lastError = J2K_OK;

int Fail(int code) {
    g_lastError = code;
    return code;
}

Image* Find(int handle) {
    auto it = g_images.find(handle);
    return it == g_images.end() ? nullptr : it->second.get();
}

// The JP2 file format starts with its signature box; a bare code stream with SOC and SIZ markers.
bool IsJp2File(const unsigned char* data, unsigned long size) {
    static const unsigned char kSignature[] = {0, 0, 0, 0x0C, 'j', 'P', ' ', ' ', 0x0D, 0x0A, 0x87, 0x0A};
    return size >= sizeof kSignature && std::memcmp(data, kSignature, sizeof kSignature) == 0;
}

bool IsCodeStream(const unsigned char* data, unsigned long size) {
    return size >= 4 && data[0] == 0xFF && data[1] == 0x4F && data[2] == 0xFF && data[3] == 0x51;
}

// Where the code stream starts: at once in a bare one; in a JP2 file, in its first contiguous code
// stream box, which the decoder finds by the same walk over the top-level boxes. Null when none.
const unsigned char* FindCodeStream(const unsigned char* data, unsigned long size, bool jp2) {
    if (!jp2) return data;
    uint64_t at = 0;
    while (size - at >= 8) {
        uint64_t length = Big32(data + at);
        uint64_t header = 8;
        if (length == 1) {
            if (size - at < 16) return nullptr;
            length = uint64_t{Big32(data + at + 8)} << 32 | Big32(data + at + 12);
            header = 16;
        } else if (length == 0) {
            length = size - at;  // the last box runs to the end of the file
        }
        if (std::memcmp(data + at + 4, "jp2c", 4) == 0) return data + at + header;
        if (length < header || length > size - at) return nullptr;
        at += length;
    }
    return nullptr;
}

// How one coding style cuts a tile's component: its transform levels, the code blocks' and the
// precincts' sides (exponents of two; a precinct exponent for each resolution).
struct CodingStyle {
    unsigned levels = 0;
    unsigned blockWidth = 6, blockHeight = 6;
    unsigned precinctWidth[33], precinctHeight[33];
    CodingStyle() {
        std::fill(std::begin(precinctWidth), std::end(precinctWidth), 15u);
        std::fill(std::begin(precinctHeight), std::end(precinctHeight), 15u);
    }
};

// Reads the style part of a coding style marker (COD from its SPcod, COC from its SPcoc): levels,
// code-block sides, style, transform, then with user precincts one byte a resolution.
bool ReadCodingStyle(const unsigned char* p, std::size_t length, bool precincts, CodingStyle& style) {
    if (length < 5 || p[0] > 32 || p[1] > 8 || p[2] > 8) return false;
    style.levels = p[0];
    style.blockWidth = p[1] + 2u, style.blockHeight = p[2] + 2u;
    if (!precincts) return true;
    if (length < 5 + style.levels + 1u) return false;
    for (unsigned r = 0; r <= style.levels; ++r)
        style.precinctWidth[r] = p[5 + r] & 0x0Fu, style.precinctHeight[r] = p[5 + r] >> 4;
    return true;
}

uint64_t Cells(uint64_t length, unsigned exponent) {
    return std::max<uint64_t>(1, (length + (uint64_t{1} << exponent) - 1) >> exponent);
}

// The records the decoder makes for one component of one tile of width x height in this style: for
// each resolution its precincts and the code blocks of its bands, whose sides a precinct bounds.
uint64_t CodeBlocks(uint64_t width, uint64_t height, const CodingStyle& style) {
    uint64_t count = 0;
    for (unsigned r = 0; r <= style.levels; ++r) {
        const unsigned shift = style.levels - r;
        const uint64_t w = shift >= 32 ? 1 : Cells(width, shift), h = shift >= 32 ? 1 : Cells(height, shift);
        const unsigned pw = style.precinctWidth[r], ph = style.precinctHeight[r];
        const unsigned bw = std::min(style.blockWidth, r ? pw - std::min(pw, 1u) : pw);
        const unsigned bh = std::min(style.blockHeight, r ? ph - std::min(ph, 1u) : ph);
        count += Cells(w, pw) * Cells(h, ph);
        count += r ? 3 * Cells((w + 1) / 2, bw) * Cells((h + 1) / 2, bh) : Cells(w, bw) * Cells(h, bh);
    }
    return count;
}

// Reads the coding styles of one header's markers (the main header, or a tile part's), from at up to
// the marker that ends it (a tile part's start in the main header, the start of data in a tile
// part's); answers where that marker is, or 0 when the header is damaged. Every style met makes its
// records; the costliest count is kept.
std::size_t ReadHeaderStyles(const unsigned char* s, std::size_t size, std::size_t at, unsigned end,
                             uint64_t components, uint64_t tileWidth, uint64_t tileHeight, uint64_t& blocks) {
    while (size - at >= 4 && s[at] == 0xFF) {
        const unsigned marker = Big16(s + at);
        if (marker == end) return at;
        const std::size_t length = Big16(s + at + 2);
        if (length < 2 || length > size - at - 2) return 0;
        const unsigned char* body = s + at + 4;
        CodingStyle style;
        bool styled = false;
        if (marker == 0xFF52 && length >= 2 + 5 + 5) {
            styled = ReadCodingStyle(body + 5, length - 2 - 5, body[0] & 1, style);
            if (!styled) return 0;
        } else if (marker == 0xFF53) {
            const std::size_t index = components < 257 ? 1 : 2;
            if (length < 2 + index + 1 + 5 ||
                !ReadCodingStyle(body + index + 1, length - 2 - index - 1, body[index] & 1, style))
                return 0;
            styled = true;
        }
        // A style for one component counts as one for all: the bound is on the costliest.
        if (styled) blocks = std::max(blocks, CodeBlocks(tileWidth, tileHeight, style) * components);
        at += 2 + length;
    }
    return 0;
}

// The work a code stream asks of the decoder beyond its picture's size: the code blocks and precincts
// of its coding styles (the main header's and every tile part's), and the tile parts themselves,
// walked by their lengths. J2K_OK when within the bounds, else why not.
int CheckClaimedWork(const unsigned char* s, std::size_t size, uint64_t tiles, uint64_t components,
                     uint64_t tileWidth, uint64_t tileHeight) {
    // The start marker, then the size marker and its length.
    const std::size_t mainHeader = 4 + Big16(s + 4);
    uint64_t blocks = CodeBlocks(tileWidth, tileHeight, CodingStyle()) * components;
    std::size_t at = mainHeader < size ? ReadHeaderStyles(s, size, mainHeader, 0xFF90, components, tileWidth,
                                                          tileHeight, blocks)
                                       : 0;
    uint64_t parts = 0;
    while (at && size - at >= 14 && Big16(s + at) == 0xFF90) {
        if (++parts > kMaxTileParts) return J2K_ERR_TOO_LARGE;
        const uint64_t length = Big32(s + at + 6);  // from the tile part's start; 0 runs to the end
        if (!ReadHeaderStyles(s, size, at + 12, 0xFF93, components, tileWidth, tileHeight, blocks)) break;
        if (length == 0 || length > size - at) break;
        at += static_cast<std::size_t>(length);
    }
    // The decoder keeps the records of one tile at a time, and makes them anew for every tile: a
    // tile's count bounds the memory, all tiles' the time (edge tiles counted whole).
    return blocks * tiles <= 2 * kMaxCodeBlocks ? J2K_OK : J2K_ERR_TOO_LARGE;
}

// The picture a code stream's size marker claims, which follows its start marker: the image area,
// the tiles and the components. J2K_OK when it is within the texture bound, else why not; read
// before the decoder sees the file, since it makes its records from these figures.
int CheckClaimedSize(const unsigned char* data, unsigned long size, bool jp2) {
    const unsigned char* stream = FindCodeStream(data, size, jp2);
    // Start and size markers, then Lsiz, Rsiz, Xsiz, Ysiz, XOsiz, YOsiz, XTsiz, YTsiz, XTOsiz, YTOsiz, Csiz.
    constexpr std::size_t kSizeMarker = 4 + 2 + 2 + 8 * 4 + 2;
    if (!stream || static_cast<std::size_t>(data + size - stream) < kSizeMarker ||
        Big32(stream) != 0xFF4FFF51u)
        return J2K_ERR_FORMAT;
    const unsigned char* siz = stream + 8;
    const uint64_t right = Big32(siz), bottom = Big32(siz + 4), left = Big32(siz + 8), top = Big32(siz + 12);
    const uint64_t tileWidth = Big32(siz + 16), tileHeight = Big32(siz + 20);
    const uint64_t tileLeft = Big32(siz + 24), tileTop = Big32(siz + 28);
    const uint64_t components = Big16(siz + 32);
    // The first tile must hold the image area's first pixel, as the decoder requires.
    if (right <= left || bottom <= top || tileWidth == 0 || tileHeight == 0 || tileLeft > left ||
        tileTop > top || tileLeft + tileWidth <= left || tileTop + tileHeight <= top)
        return J2K_ERR_FORMAT;
    if (!Engine::PictureWithinBounds(right - left, bottom - top, components)) return J2K_ERR_TOO_LARGE;
    const uint64_t tiles =
        ((right - tileLeft + tileWidth - 1) / tileWidth) * ((bottom - tileTop + tileHeight - 1) / tileHeight);
    if (tiles * components > kMaxTileComponents) return J2K_ERR_TOO_LARGE;
    return CheckClaimedWork(stream, static_cast<std::size_t>(data + size - stream), tiles, components,
                            std::min(tileWidth, right - left), std::min(tileHeight, bottom - top));
}

// A component sample scaled to 8 bits.
inline uint32_t Sample(const opj_image_comp_t& c, std::size_t index) {
    int64_t v = c.data[index];
    if (c.sgnd) v += int64_t{1} << (c.prec - 1);
    const int64_t max = (int64_t{1} << c.prec) - 1;
    v = std::clamp<int64_t>(v, 0, max);
    if (c.prec > 8) return static_cast<uint32_t>(v >> (c.prec - 8));
    if (c.prec < 8) return static_cast<uint32_t>(v * 255 / max);
    return static_cast<uint32_t>(v);
}

int Convert(Image& img) {
    const opj_image_t& im = *img.image;
    const int width = img.info.width, height = img.info.height;
    const int count = static_cast<int>(im.numcomps);
    if (count < 1) return J2K_ERR_UNSUPPORTED;
    if (im.color_space == OPJ_CLRSPC_SYCC || im.color_space == OPJ_CLRSPC_EYCC ||
        im.color_space == OPJ_CLRSPC_CMYK)
        return J2K_ERR_UNSUPPORTED;
    const int used = std::min(count, 4);
    for (int i = 0; i < used; ++i) {
        const opj_image_comp_t& c = im.comps[i];
        if (!c.data || c.w != static_cast<OPJ_UINT32>(width) || c.h != static_cast<OPJ_UINT32>(height) ||
            c.prec < 1 || c.prec > 31)
            return J2K_ERR_UNSUPPORTED;
    }
    img.pitch = (width * 4 + 15) & ~15;
    img.pixels.assign(static_cast<std::size_t>(img.pitch) * height, 0);
    const bool colour = used >= 3;
    const bool alpha = used == 2 || used == 4;
    for (int y = 0; y < height; ++y) {
        unsigned char* row = img.pixels.data() + static_cast<std::size_t>(y) * img.pitch;
        for (int x = 0; x < width; ++x) {
            const std::size_t at = static_cast<std::size_t>(y) * width + x;
            const uint32_t r = Sample(im.comps[0], at);
            const uint32_t g = colour ? Sample(im.comps[1], at) : r;
            const uint32_t b = colour ? Sample(im.comps[2], at) : r;
            const uint32_t a = alpha ? Sample(im.comps[used - 1], at) : 0xFF;
            const uint32_t argb = (a << 24) | (r << 16) | (g << 8) | b;
            std::memcpy(row + x * 4, &argb, 4);
        }
    }
    return J2K_OK;
}

}  // namespace

int _J2K_OpenMemory(const unsigned char* data, unsigned long size) {
    if (!data || size == 0) {
        Fail(J2K_ERR_ARGUMENT);
        return 0;
    }
    const bool jp2 = IsJp2File(data, size);
    if (!jp2 && !IsCodeStream(data, size)) {
        Fail(J2K_ERR_FORMAT);
        return 0;
    }
    if (const int code = CheckClaimedSize(data, size, jp2)) {
        Fail(code);
        return 0;
    }
    auto img = std::make_unique<Image>();
    img->memory.bytes.assign(data, data + size);

    img->stream = opj_stream_create(OPJ_J2K_STREAM_CHUNK_SIZE, OPJ_TRUE);
    img->codec = opj_create_decompress(jp2 ? OPJ_CODEC_JP2 : OPJ_CODEC_J2K);
    if (!img->stream || !img->codec) {
        Fail(J2K_ERR_DECODE);
        return 0;
    }
    opj_stream_set_user_data(img->stream, &img->memory, nullptr);
    opj_stream_set_user_data_length(img->stream, img->memory.bytes.size());
    opj_stream_set_read_function(img->stream, ReadMemory);
    opj_stream_set_skip_function(img->stream, SkipMemory);
    opj_stream_set_seek_function(img->stream, SeekMemory);
    opj_set_info_handler(img->codec, Quiet, nullptr);
    opj_set_warning_handler(img->codec, Quiet, nullptr);
    opj_set_error_handler(img->codec, Quiet, nullptr);

    opj_dparameters_t params;
    opj_set_default_decoder_parameters(&params);
    if (!opj_setup_decoder(img->codec, &params) || !opj_read_header(img->stream, img->codec, &img->image) ||
        !img->image) {
        Fail(J2K_ERR_FORMAT);
        return 0;
    }

    const opj_image_t& im = *img->image;
    if (im.x1 <= im.x0 || im.y1 <= im.y0 || im.numcomps < 1) {
        Fail(J2K_ERR_UNSUPPORTED);
        return 0;
    }
    if (!Engine::PictureWithinBounds(im.x1 - im.x0, im.y1 - im.y0, im.numcomps)) {
        Fail(J2K_ERR_TOO_LARGE);
        return 0;
    }
    img->info.width = static_cast<int>(im.x1 - im.x0);
    img->info.height = static_cast<int>(im.y1 - im.y0);
    img->info.components = static_cast<int>(im.numcomps);
    img->info.precision = static_cast<int>(im.comps[0].prec);
    img->offset = im.x0 != 0 || im.y0 != 0;
    if (opj_codestream_info_v2_t* cs = opj_get_cstr_info(img->codec)) {
        img->info.tiles = static_cast<int>(cs->tw * cs->th);
        if (cs->m_default_tile_info.tccp_info)
            img->info.resolutions = static_cast<int>(cs->m_default_tile_info.tccp_info[0].numresolutions);
        opj_destroy_cstr_info(&cs);
    }

    const int handle = g_nextHandle++;
    g_images[handle] = std::move(img);
    g_lastError = J2K_OK;
    return handle;
}

int _J2K_GetInfoEx(int handle, J2K_INFO* info) {
    Image* img = Find(handle);
    if (!img) return Fail(J2K_ERR_HANDLE);
    if (!info) return Fail(J2K_ERR_ARGUMENT);
    *info = img->info;
    return J2K_OK;
}

int _J2K_GetResolutionDimensionsByStr(int handle, const char* options, int* width, int* height) {
    Image* img = Find(handle);
    if (!img) return Fail(J2K_ERR_HANDLE);
    if (options || !width || !height) return Fail(J2K_ERR_ARGUMENT);
    *width = img->info.width;
    *height = img->info.height;
    return img->offset ? J2K_WARN_OFFSET : J2K_OK;
}

int _J2K_Decode(int handle, unsigned char** buffer, unsigned long* size, const char* options, int* pitch) {
    Image* img = Find(handle);
    if (!img) return Fail(J2K_ERR_HANDLE);
    if (options || !buffer || !size || !pitch) return Fail(J2K_ERR_ARGUMENT);
    if (!img->decoded) {
        if (!opj_decode(img->codec, img->stream, img->image) || !opj_end_decompress(img->codec, img->stream))
            return Fail(J2K_ERR_DECODE);
        if (const int code = Convert(*img); code != J2K_OK) return Fail(code);
        img->decoded = true;
        // The pixels are all that is needed from here on.
        opj_image_destroy(img->image);
        img->image = nullptr;
        opj_destroy_codec(img->codec);
        img->codec = nullptr;
        opj_stream_destroy(img->stream);
        img->stream = nullptr;
        img->memory.bytes = {};
    }
    *buffer = img->pixels.data();
    *size = static_cast<unsigned long>(img->pixels.size());
    *pitch = img->pitch;
    return J2K_OK;
}

int _J2K_Close(int handle) {
    if (g_images.erase(handle) == 0) return Fail(J2K_ERR_HANDLE);
    return J2K_OK;
}

int _J2K_getLastError() {
    return g_lastError;
}

const char* _J2K_getErrorStr(int code) {
    switch (code) {
        case J2K_OK:
            return "";
        case J2K_ERR_ARGUMENT:
            return "invalid argument";
        case J2K_ERR_HANDLE:
            return "invalid handle";
        case J2K_ERR_FORMAT:
            return "not a JPEG 2000 image";
        case J2K_ERR_DECODE:
            return "decoding failed";
        case J2K_ERR_UNSUPPORTED:
            return "unsupported image layout";
        case J2K_ERR_TOO_LARGE:
            return "more than a texture may hold or cost to decode";
        case J2K_WARN_OFFSET:
            return "image area offset from the canvas origin";
        default:
            return "unknown error";
    }
}
