#pragma once
// JPEG 2000 decoding for textures, over OpenJPEG. An image is opened from memory (the module keeps
// its own copy), queried, decoded once into 32-bit pixels (ARGB words, alpha in the top byte) that
// stay valid until the handle is closed. Handles are small positive numbers; 0 is none.

#include <cstdint>

// Answers of the calls. 0 is success; J2K_WARN_OFFSET is a success too (the image area does not
// start at the canvas origin; the dimensions answered are those of the image area).
enum {
    J2K_OK = 0,
    J2K_ERR_ARGUMENT = 1,     // a null pointer, or options this module does not take
    J2K_ERR_HANDLE = 2,       // not an open handle
    J2K_ERR_FORMAT = 3,       // not a JPEG 2000 file, or its header is damaged
    J2K_ERR_DECODE = 4,       // the code stream could not be decoded
    J2K_ERR_UNSUPPORTED = 5,  // a component layout, colour space or size this module does not convert
    J2K_ERR_TOO_LARGE = 6,    // the header claims more than a texture may hold, or more code blocks or tile
                              // parts than it may cost to decode; nothing was made for it
    J2K_WARN_OFFSET = 10,
};

struct J2K_INFO {
    int width, height;  // of the image area, in pixels
    int components;
    int precision;    // bits of the first component
    int resolutions;  // decomposition levels + 1
    int tiles;
};

// Opens an image held in memory; answers its handle, or 0 (the reason in _J2K_getLastError).
int _J2K_OpenMemory(const unsigned char* data, unsigned long size);
int _J2K_GetInfoEx(int handle, J2K_INFO* info);
// options must be null (the full image).
int _J2K_GetResolutionDimensionsByStr(int handle, const char* options, int* width, int* height);
// Decodes the full image (options must be null). The buffer holds height rows of width pixels,
// rows *pitch bytes apart (a multiple of 16); it belongs to the handle.
int _J2K_Decode(int handle, unsigned char** buffer, unsigned long* size, const char* options, int* pitch);
int _J2K_Close(int handle);
int _J2K_getLastError();
const char* _J2K_getErrorStr(int code);
