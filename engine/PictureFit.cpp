#include "engine/PictureFit.h"

#include <algorithm>
#include <cmath>

namespace Engine {

tagPictureFit FitPicture(int pictureWidth, int pictureHeight, int areaWidth, int areaHeight) {
    tagPictureFit fit;
    if (pictureWidth <= 0 || pictureHeight <= 0 || areaWidth <= 0 || areaHeight <= 0) return fit;
    const double scaleX = static_cast<double>(areaWidth) / pictureWidth;
    const double scaleY = static_cast<double>(areaHeight) / pictureHeight;
    const double scale = std::min(scaleX, scaleY);
    // The side that decided the scale is filled exactly, whatever the rounding of the other.
    fit.width = scaleX <= scaleY ? areaWidth
                                 : std::min(areaWidth, static_cast<int>(std::lround(pictureWidth * scale)));
    fit.height = scaleY <= scaleX
                     ? areaHeight
                     : std::min(areaHeight, static_cast<int>(std::lround(pictureHeight * scale)));
    fit.x = (areaWidth - fit.width) / 2;
    fit.y = (areaHeight - fit.height) / 2;
    fit.scale = static_cast<float>(scale);
    return fit;
}

}  // namespace Engine
