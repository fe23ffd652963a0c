#pragma once
// Where the game's picture lies in a window of another size: scaled by one factor so that the whole
// picture fits, centred, with the area left over on two sides as black bars. The renderer draws
// into that rectangle and the framework maps the mouse back through it, so both use this one rule.

namespace Engine {

struct tagPictureFit {
    int x = 0;  // the picture's top-left corner in the area, in the area's pixels
    int y = 0;
    int width = 0;  // the scaled picture's size, in the area's pixels
    int height = 0;
    float scale = 1.0f;  // area pixels per game pixel
};

// The picture is pictureWidth x pictureHeight game pixels, the area areaWidth x areaHeight. An empty
// picture or area (a minimised window) gives an empty rectangle of scale 1.
tagPictureFit FitPicture(int pictureWidth, int pictureHeight, int areaWidth, int areaHeight);

}  // namespace Engine
