#pragma once
#include <string>
#include <unordered_map>

#include "engine/Hge.h"
#include "framework/core/Holder.h"
#include "framework/core/RefCount.h"
#include "framework/scene/HgeSprite.h"

// Hands out single cells of filter sheets as sprites: a sheet is a picture laid out as a grid of
// equal cells (the greyed item icons of the order signs, filter "gray"), shown by the object of the
// filter's name in the resource module "Devices"; the grid's measures are the filter's frame grid in
// the library data. One texture is kept per filter; sprites are made anew on every request.
class CFilterSpriteManager : public GF::CRefCount {
public:
    // The one manager, made on first use.
    static GF::THolder<CFilterSpriteManager> GetInstance();
    // Lets go of the manager with its textures; the application does so with the resources, so a new
    // start finds no stale handle.
    static void DropInstance();

    // A new sprite of the cell (numbered row by row from 0 at the top left), its hot spot in the
    // cell's middle. Empty without a frame grid or a picture for the filter; empty (logged) when the
    // grid has no whole cell or the cell is not in it.
    GF::THolder<GF::HGENS::CHGESprite> GetSprite(const std::string& filter, int cell);
    // The filter's sheet texture, looked up once and kept; 0 when there is none (looked up again next
    // time).
    HTEXTURE GetFilterTexture(const std::string& filter);

private:
    CFilterSpriteManager() = default;

    std::unordered_map<std::string, HTEXTURE> m_textures;
};
