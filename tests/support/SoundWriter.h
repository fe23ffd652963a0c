#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

// Writes sound files from mono samples in -1..1: a 16-bit PCM wav, and an Ogg Vorbis stream
// (through libvorbisenc, with a fixed stream serial so the same samples give the same bytes). Used by
// the tests and by the content tool. An empty answer means the encoder refused.
std::vector<unsigned char> WriteWav(const std::vector<float>& samples, int rate);
std::vector<unsigned char> WriteOgg(const std::vector<float>& samples, int rate);
// The same for `length` samples that `fill` writes a slice at a time (out, first, count), so that a
// long sound is encoded without being held.
std::vector<unsigned char> WriteOggOf(std::size_t length, int rate,
                                      const std::function<void(float*, std::size_t, std::size_t)>& fill);
// Hostile sounds of little weight: an Ogg of `seconds` of silence, and a WAV of 8-bit mono silence
// holding `bytes` of sound at `rate` (one byte over and over, which an archive packs to almost nothing).
std::vector<unsigned char> WriteSilentOgg(int seconds, int rate);
std::vector<unsigned char> WriteSilentWav8(std::size_t bytes, int rate);
// The Ogg page's checksum, over the page with its checksum field zeroed.
uint32_t OggCrc(const unsigned char* page, std::size_t size);
// An Ogg chained `links` times, each copy a link of its own stream serial.
std::vector<unsigned char> WriteChainedOgg(const std::vector<unsigned char>& ogg, int links);
