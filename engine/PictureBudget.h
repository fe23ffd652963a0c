#pragma once
#include <cstdint>

namespace Engine {

// The pixels of the decoded pictures the whole game holds, four bytes a pixel: the textures made from
// them, and the picture being decoded with what its decoder keeps beside it. Each picture fits on its
// own within the bound of PictureBounds.h, but many of them (a font of many pages, a screen of large
// sheets) would take gigabytes; the game's own pictures take some tens of megabytes. A picture whose
// decoding would take the whole past the budget is refused by name before it is decoded.
class CPictureBudget {
public:
    static constexpr uint64_t kBytes = uint64_t{256} << 20;

    // Whether decoding a picture that takes `bytes` while it is decoded fits beside what is held.
    static bool Fits(uint64_t bytes);
    // The textures made and freed.
    static void Hold(uint64_t bytes);
    static void Release(uint64_t bytes);
    static uint64_t Held();
};

}  // namespace Engine
