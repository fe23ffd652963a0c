// Builds the sample script's textures where its sprite infos cut them out:
// - "sheet" (Texture/0.png): every picture the menus, the kitchen, the mini-games and the result screens
//   draw, packed on one sheet so that a frame draws from it in few calls (see SheetPictures for what is
//   on it). The pictures are drawn with cairo and packed by stb_rect_pack beside and under the item
//   icons, which keep the sheet's top left as cells of the grey sheet's layout. `--script` prints the
//   sprite infos that address the pictures; `--places <listing>` writes where they lie beside the sheet,
//   so that scriptcheck refuses a script whose sprite infos cut the sheet anywhere else;
// - "cloth" (Texture/1.png, 256 x 512): the window shades' curtain, pleated red cloth with a gold
//   fringe along its bottom;
// - "gray" (Texture/2.png, 128 x 64): the grey filter sheet, the item icons greyed in the cells where
//   they lie on the picture sheet;
// - "particles", "particles_2", "particles_3" (32 x 32): the soft dots the particle systems draw as
//   points: warm for the stoves' fire, white for sparkles, gold for rewards;
// - "map_fon" (256 x 256): the progress map's tileable parchment;
// - "page" (334 x 494): the recipe book's page shape as alpha, white paper with its outer corners
//   rounded off (transparent) on the side away from the spine.
//
// A glow is added to the picture it lights, so a picture that glows (the devices, the places, the
// cups, the mini-games' objects) is drawn in its own colours and shown in white, never as a grey the
// script multiplies by a colour.
//
//   texturegen <output png> sheet [--script | --places <listing>]
//   texturegen <output png> cloth | gray | particles | particles_2 | particles_3 | map_fon | page

#include <cstdio>
#include <string>

#include "tools/texturegen/Pictures.h"

namespace {

int Usage() {
    std::fprintf(
        stderr,
        "usage: texturegen <output png> sheet [--script | --places <listing>]\n"
        "       texturegen <output png> cloth | gray | particles | particles_2 | particles_3 | map_fon | "
        "page\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return Usage();
    const std::string out = argv[1], kind = argv[2], option = argc > 3 ? argv[3] : "";
    if (kind == "sheet" &&
        (argc == 3 || (argc == 4 && option == "--script") || (argc == 5 && option == "--places")))
        return WriteSheet(out, argc == 5 ? argv[4] : nullptr, argc == 4);
    const int written = argc == 3 ? WriteTexture(out, kind) : -1;
    return written < 0 ? Usage() : written;
}
