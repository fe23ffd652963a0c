#include "platform/J2k.h"

#include <openjpeg.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <vector>

namespace {

// Larger images are refused before anything is allocated for them.
constexpr int kMaxSide = 16384;

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
    if (im.x1 <= im.x0 || im.y1 <= im.y0 || im.x1 - im.x0 > static_cast<OPJ_UINT32>(kMaxSide) ||
        im.y1 - im.y0 > static_cast<OPJ_UINT32>(kMaxSide) || im.numcomps < 1) {
        Fail(J2K_ERR_UNSUPPORTED);
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
        case J2K_WARN_OFFSET:
            return "image area offset from the canvas origin";
        default:
            return "unknown error";
    }
}
