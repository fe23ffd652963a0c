#pragma once
#include <cstdint>
#include <vector>

// Writes sound files from mono samples in -1..1: a 16-bit PCM wav, and an Ogg Vorbis stream
// (through libvorbisenc, with a fixed stream serial so the same samples give the same bytes). Used by
// the tests and by the content tool. An empty answer means the encoder refused.
std::vector<unsigned char> WriteWav(const std::vector<float>& samples, int rate);
std::vector<unsigned char> WriteOgg(const std::vector<float>& samples, int rate);
