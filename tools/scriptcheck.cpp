// Runs the resource script as the game does, into the resource manager's tables, and refuses an
// animation with a picture or a text whose colour keys can never show: a sprite whose blend key is 0
// (or missing) draws its picture's own colours, and a text at blend 0 resets the font to white, so
// the colour of such a key is lost. Each one is named ("module.animation: object"); the check fails
// when there is any, or when the script does not build or run.
// It also refuses a particle system whose sprite cuts a texture that other sprite infos cut too: the
// particles draw their sprite's whole texture, so on a shared sheet every particle would show the
// whole sheet shrunk to its size.
// Given the picture sheet (texture 0), it refuses a visible sprite that draws a plain rectangle: a
// sprite info the script lacks, or one whose pixels on the sheet are all of one colour, unless the
// sprite is one of the plain blocks named, object by object, in PlainBlocks. Given the object
// library too, it compares the mask of each object hit on its drawn pixels with the opaque pixels of
// its picture at rest, as the kitchen's hit test maps a click into the picture, and refuses a mask with
// a hole in the picture or solid cells over nothing; the refusal prints the mask that fits. It also
// refuses a device's picture drawn in another blend mode than the glow under the mouse lights it in.
// Given the listing texturegen writes of where the sheet's pictures lie, it refuses a sprite info of
// texture 0 that cuts any other rectangle, or that names no picture of the sheet, so that a picture
// moved or resized on the sheet cannot leave the script cutting the wrong pixels.
//
//   scriptcheck <resource script> [--sheet <texture 0 png> [--library <libdata.bin>]] [--places <listing>]

#include <SDL2/SDL.h>
#include <SDL2/SDL_image.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "framework/core/Holder.h"
#include "framework/resources/AnimationData.h"
#include "framework/resources/ObjectData.h"
#include "framework/resources/Resource.h"
#include "framework/scene/ParamTrack.h"
#include "game/app/LibData.h"
#include "tools/ResourceScript.h"

namespace {

using GF::EParamKind;

bool White(const hgeColor& colour) {
    return colour.r == 1.0f && colour.g == 1.0f && colour.b == 1.0f;
}

// Whether a key of the colour track tints while the blend key in force is 0. The colour's alpha is
// never used (the opacity gives it), so only a key other than white counts, or a ramp towards one.
bool ColourLost(const GF::IDrawableObjectData& object) {
    using Blends = GF::TParamTrack<EParamKind::Blend>;
    const GF::THolder<GF::TColorList> colours = object.GetColor();
    const GF::THolder<GF::TBlendList> blends = object.GetBlend();
    const float blendLength = Blends::Length(blends.Get());
    float start = 0.0f;
    for (std::size_t i = 0; i < colours->size(); ++i) {
        const auto& key = (*colours)[i];
        const bool rampsToTint = key.mode == 1 && i + 1 < colours->size() && !White((*colours)[i + 1].value);
        if (!White(key.value) || rampsToTint) {
            float spanStart = 0.0f, spanEnd = 0.0f, time = 0.0f;
            const int in = Blends::FindSpan(start, blends.Get(), blendLength, spanStart, spanEnd, time);
            if (in < 0 || (*blends)[static_cast<std::size_t>(in)].value == 0) return true;
        }
        start += key.duration;
    }
    return false;
}

// Whether a sprite info of a particle system cuts a texture that another sprite info cuts as well.
bool ParticleOnSharedTexture(const GF::HGENS::CResource& tables, const GF::IParticleObjectData& particle,
                             int& sprite) {
    const GF::THolder<GF::TIDResourceList> sprites = particle.GetSpriteIDResource();
    for (std::size_t i = 0; sprites && i < sprites->size(); ++i) {
        sprite = (*sprites)[i].value;
        const GF::THolder<GF::HGENS::CHGESpriteInfo> info = tables.GetSpriteInfo(sprite);
        if (!info) continue;
        for (int other = 0; other < tables.GetSpriteInfoCount(); ++other) {
            const GF::THolder<GF::HGENS::CHGESpriteInfo> cut = tables.GetSpriteInfo(other);
            if (other != sprite && cut && cut->textureNumber == info->textureNumber) return true;
        }
    }
    return false;
}

// The plain blocks the sample draws on purpose, each one object ("module.animation: object"), never a
// whole animation, so that a part added later to an animation with a backdrop still needs a picture:
// fills in a colour the script gives where a rectangle is the shape meant.
std::set<std::string> PlainBlocks() {
    std::set<std::string> blocks = {
        // The screens' backdrops over the whole window, the book's cover and pages, the order list's paper,
        // the score's plate.
        "main_menu.SplashScreen: background",
        "main_menu.MainMenuScreen: background",
        "main_menu.OptionsScreen: background",
        "main_menu.ChangePlayerScreen: background",
        "main_menu.HelpScreen: background",
        "main_menu.CreditsScreen: background",
        "main_menu.HighScoreScreen: background",
        "main_menu.StatisticsScreen: background",
        "main_menu.LoseScreen: background",
        "main_menu.StageStatisticsScreen: background",
        "main_menu.StageStatisticsScreen_2: background",
        "main_menu.loser_screen: background",
        "main_menu.BonusStatisticsScreen: background",
        "main_menu.DuelStatisticsScreen: background",
        "main_menu.DuelLoseScreen: background",
        "main_menu.VelmoRoomScreen: background",
        "main_menu.new_dress_screen: background",
        "main_menu.new_player_screen: background",
        "main_menu.new_recept_screen: background",
        "main_menu.CookingBookScreen: background",
        "main_menu.CookingBookScreen: cover",
        "main_menu.ingredients_screen_1: background",
        "main_menu.ingredients_screen_2: background",
        "main_menu.ingredients_screen_3: background",
        "comics.comics_1: background",
        "comics.comics_2: background",
        "interfaces.placeholder: background",
        "interfaces.zakaz_list: paper",
        "interfaces.score: plate",
        // The shades that dim what is behind, and the hidden-object room's darkness around its hole.
        "interfaces.pause_screen: shade",
        "levels.dark: shade",
        "bonus.hider: above",
        "bonus.hider: below",
        "bonus.hider: left",
        "bonus.hider: right",
        // Bars, gauges, strips, bands, rules and dividers.
        "interfaces.delivery_progres: bar",
        "interfaces.progress_new: bar",
        "interfaces.icon_fon: gauge",
        "interfaces.segment: segment",
        "main_menu.edit_cursor: bar",
        "main_menu.lenta: ribbon",
        "levels.item_bar: strip",
        "levels.bonus_diference_1: divider",
        "levels.bonus_place_in_1: divider",
        "controls.slider: track",
        "controls.slider_up: track",
        "controls.scroll_bar: track",
        "interfaces.zakaz: _header",
        "interfaces.zakaz_2: _header",
        "interfaces.zakaz_3: _header",
        "bonus.zakaz_bonus: _header",
        "cookingbook.chapter: band",
        "cookingbook.marker: red",
        "cookingbook.marker: blue",
        // The frames of the text fields and lists, and the check box's square.
        "main_menu.edit_field: frame",
        "controls.list_box: frame",
        "controls.check_box: box",
    };
    // The recipe book's pages, paper and spine each.
    for (const char* page : {"page_1", "page_2", "page_empty_1", "page_empty_2"})
        for (const char* part : {"paper", "spine"})
            blocks.insert(std::string("cookingbook.") + page + ": " + part);
    // The stages' flags, three stripes each.
    for (int stage = 0; stage <= 8; ++stage)
        for (const char* stripe : {"top", "middle", "bottom"})
            blocks.insert("main_menu.country_" + std::to_string(stage) + ": " + stripe);
    return blocks;
}

// The picture sheet as ARGB pixels.
struct CSheet {
    int width = 0, height = 0;
    std::vector<uint32_t> pixels;
    uint32_t At(int x, int y) const {
        return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                      static_cast<std::size_t>(x)];
    }
    bool Holds(const GF::HGENS::CHGESpriteInfo& info) const {
        return info.textureNumber == 0 && info.x >= 0 && info.y >= 0 && info.width >= 1 && info.height >= 1 &&
               info.x + info.width <= static_cast<float>(width) &&
               info.y + info.height <= static_cast<float>(height);
    }
};

bool LoadSheet(const char* file, CSheet& sheet) {
    SDL_Surface* loaded = IMG_Load(file);
    if (!loaded) return false;
    SDL_Surface* argb = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(loaded);
    if (!argb) return false;
    sheet.width = argb->w;
    sheet.height = argb->h;
    sheet.pixels.resize(static_cast<std::size_t>(argb->w) * static_cast<std::size_t>(argb->h));
    for (int y = 0; y < argb->h; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(static_cast<const unsigned char*>(argb->pixels) +
                                                            y * argb->pitch);
        std::copy(row, row + argb->w, sheet.pixels.begin() + static_cast<std::ptrdiff_t>(y) * argb->w);
    }
    SDL_FreeSurface(argb);
    return true;
}

// Whether every pixel of the sprite info's rectangle has the same colour: it draws a plain rectangle.
bool Flat(const CSheet& sheet, const GF::HGENS::CHGESpriteInfo& info) {
    const int x0 = static_cast<int>(info.x), y0 = static_cast<int>(info.y);
    const int x1 = static_cast<int>(info.x + info.width), y1 = static_cast<int>(info.y + info.height);
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            if (sheet.At(x, y) != sheet.At(x0, y0)) return false;
    return true;
}

// An image sprite (not a text) that some key of its opacity shows.
bool VisibleSprite(const GF::IDrawableObjectData& object) {
    if (!dynamic_cast<const GF::HGENS::CSpriteObjectData*>(&object)) return false;
    const GF::THolder<GF::TOpaqueList> opaque = object.GetOpaque();
    if (!opaque || opaque->empty()) return true;
    for (std::size_t i = 0; i < opaque->size(); ++i)
        if ((*opaque)[i].value > 0.0f) return true;
    return false;
}

// The sprite info the sprite draws that makes it a plain rectangle, or -1 when every one is a picture.
int PlainSprite(const GF::HGENS::CResource& tables, const CSheet& sheet,
                const GF::IDrawableObjectData& object) {
    const GF::THolder<GF::TIDResourceList> ids = object.GetIDResource();
    for (std::size_t i = 0; ids && i < ids->size(); ++i) {
        const int id = (*ids)[i].value;
        const GF::THolder<GF::HGENS::CHGESpriteInfo> info = tables.GetSpriteInfo(id);
        if (!info) return id;
        if (sheet.Holds(*info) && Flat(sheet, *info)) return id;
    }
    return -1;
}

template <class List, class T>
T FirstValue(const GF::THolder<List>& keys, T fallback) {
    return keys && !keys->empty() ? (*keys)[0].value : fallback;
}

// The mask cells (column, row, as the kitchen's hit test counts them) where the animation's sprites
// draw at time 0: `drawn` where a pixel is at least half opaque, `touched` where any pixel shows.
void DrawnCells(const GF::HGENS::CResource& tables, const CSheet& sheet, const GF::IAnimationData& animation,
                const CCellMaskInfo& mask, std::set<std::pair<int, int>>& drawn,
                std::set<std::pair<int, int>>& touched) {
    for (int i = 0; i < animation.GetObjectDataCount(); ++i) {
        const GF::THolder<GF::IObjectData> data = animation.GetObjectData(i);
        const auto* object = dynamic_cast<const GF::IDrawableObjectData*>(data.Get());
        if (!object || !VisibleSprite(*object)) continue;
        const GF::THolder<GF::HGENS::CHGESpriteInfo> info =
            tables.GetSpriteInfo(FirstValue(object->GetIDResource(), -1));
        if (!info || !sheet.Holds(*info)) continue;
        const GF::TPoint<float> hot = FirstValue(object->GetHotspot(), GF::TPoint<float>(0.0f, 0.0f));
        const GF::TPoint<float> scale = FirstValue(object->GetScale(), GF::TPoint<float>(1.0f, 1.0f));
        const GF::TPoint<float> offset = FirstValue(object->GetOffset(), GF::TPoint<float>(0.0f, 0.0f));
        const float opacity = FirstValue(object->GetOpaque(), 1.0f);
        const float hotX = hot.x * info->width / 10000.0f, hotY = hot.y * info->height / 10000.0f;
        for (int py = 0; py < static_cast<int>(info->height); ++py)
            for (int px = 0; px < static_cast<int>(info->width); ++px) {
                const uint32_t argb =
                    sheet.At(static_cast<int>(info->x) + px, static_cast<int>(info->y) + py);
                const float alpha = static_cast<float>(argb >> 24) / 255.0f * opacity;
                if (alpha <= 0.0f) continue;
                // The pixel's centre in the animation's own frame, truncated as the hit test does.
                const int lx = static_cast<int>(offset.x + (static_cast<float>(px) + 0.5f - hotX) * scale.x);
                const int ly = static_cast<int>(offset.y + (static_cast<float>(py) + 0.5f - hotY) * scale.y);
                const std::pair<int, int> cell{lx - mask.Value2, ly - mask.Value3};
                touched.insert(cell);
                if (alpha >= 0.5f) drawn.insert(cell);
            }
    }
}

// Whether the kitchen's hit test takes a click in the mask cell.
bool Solid(const CCellMaskInfo& mask, int mx, int my) {
    if (mx < 0 || my < 0 || mx >= mask.Value1 || my >= mask.Value4 - 1) return false;
    if (mask.Cells.empty()) return true;
    const std::size_t at =
        static_cast<std::size_t>(mask.Value1) * static_cast<std::size_t>(my) + static_cast<std::size_t>(mx);
    return at < mask.Cells.size() && mask.Cells[at] == 0;
}

// The animation the library object draws ("module.animation"), or empty when the script lacks it.
GF::THolder<GF::IAnimationData> LibraryAnimation(GF::HGENS::CResource& tables, const std::string& name) {
    const std::size_t dot = name.find('.');
    return dot == std::string::npos ? GF::THolder<GF::IAnimationData>()
                                    : tables.GetAnimationData(name.substr(0, dot), name.substr(dot + 1));
}

// Refuses, by name, each pixel-hit object whose mask leaves drawn cells open or is solid over nothing.
int CheckMasks(GF::HGENS::CResource& tables, const CSheet& sheet, const CLibData& library) {
    int refused = 0;
    for (const auto& [name, record] : library.Ingridients) {
        if (!record.PixelHitTest) continue;
        const GF::THolder<GF::IAnimationData> animation = LibraryAnimation(tables, name);
        if (!animation) {
            std::fprintf(stderr,
                         "scriptcheck: %s: hit on its drawn pixels, but the script has no such animation\n",
                         name.c_str());
            ++refused;
            continue;
        }
        const CCellMaskInfo& mask = record.Mask;
        std::set<std::pair<int, int>> drawn, touched;
        DrawnCells(tables, sheet, *animation, mask, drawn, touched);
        int open = 0, overNothing = 0;
        for (const auto& [mx, my] : drawn)
            if (!Solid(mask, mx, my)) ++open;
        for (int my = 0; my < mask.Value4; ++my)
            for (int mx = 0; mx < mask.Value1; ++mx)
                if (Solid(mask, mx, my) && !touched.count({mx, my})) ++overNothing;
        const bool sized = mask.Cells.empty() ||
                           mask.Cells.size() ==
                               static_cast<std::size_t>(mask.Value1) * static_cast<std::size_t>(mask.Value4);
        if (open == 0 && overNothing == 0 && sized) continue;
        std::fprintf(
            stderr,
            "scriptcheck: %s: its library mask (%d x %d cells) lets clicks through %d cells its picture "
            "draws and takes them on %d cells where nothing is drawn%s; the mask of its picture "
            "(0 solid):\n",
            name.c_str(), mask.Value1, mask.Value4, open, overNothing,
            sized ? "" : ", and its cells do not fill its width and height");
        for (int my = 0; my < mask.Value4; ++my) {
            std::fprintf(stderr, "   ");
            for (int mx = 0; mx < mask.Value1; ++mx)
                std::fprintf(stderr, " %3d,", drawn.count({mx, my}) ? 0 : 255);
            std::fprintf(stderr, "\n");
        }
        ++refused;
    }
    return refused;
}

// The blend key of the glow under the mouse (colour added, alpha blended). A device drawn in another
// until it is lit draws its lit body and its steady copy in two modes, which splits the kitchen's
// draw batches; the crates and the scenery come in through the colour sweep, which leaves them in it.
constexpr int kGlowBlendKey = 1;

// Refuses, by name, each visible picture of a device (Kind 1) that some key draws in another mode.
int CheckGlowModes(GF::HGENS::CResource& tables, const CLibData& library) {
    int refused = 0;
    for (const auto& [name, record] : library.Ingridients) {
        if (record.Kind != 1) continue;
        const GF::THolder<GF::IAnimationData> animation = LibraryAnimation(tables, name);
        for (int i = 0; animation && i < animation->GetObjectDataCount(); ++i) {
            const GF::THolder<GF::IObjectData> data = animation->GetObjectData(i);
            const auto* object = dynamic_cast<const GF::IDrawableObjectData*>(data.Get());
            if (!object || !VisibleSprite(*object)) continue;
            const GF::THolder<GF::TBlendList> blends = object->GetBlend();
            bool glowMode = blends && !blends->empty();
            for (std::size_t k = 0; glowMode && k < blends->size(); ++k)
                glowMode = (*blends)[k].value == kGlowBlendKey;
            if (glowMode) continue;
            std::fprintf(stderr,
                         "scriptcheck: %s: %s: drawn in another mode than the glow's (blend key %d)\n",
                         name.c_str(), object->GetName().c_str(), kGlowBlendKey);
            ++refused;
        }
    }
    return refused;
}

}  // namespace

// The sprite infos of texture 0 against the listing of where the sheet's pictures lie.
int CheckPlaces(const GF::HGENS::CResource& tables, const char* listing) {
    struct TPlace {
        float x, y, w, h;
    };
    std::map<std::string, TPlace> places;
    std::ifstream in(listing);
    std::string name;
    TPlace at{};
    while (in >> name >> at.x >> at.y >> at.w >> at.h) places[name] = at;
    if (places.empty()) {
        std::fprintf(stderr, "scriptcheck: %s: no places of the sheet's pictures to read\n", listing);
        return 1;
    }
    int refused = 0;
    for (int n = 0; n < tables.GetSpriteInfoCount(); ++n) {
        const GF::THolder<GF::HGENS::CHGESpriteInfo> info = tables.GetSpriteInfo(n);
        if (!info || info->textureNumber != 0) continue;
        const auto it = places.find(info->name);
        if (it == places.end()) {
            std::fprintf(stderr,
                         "scriptcheck: sprite info \"%s\" cuts texture 0, which has no such picture\n",
                         info->name.c_str());
            ++refused;
            continue;
        }
        const TPlace& p = it->second;
        if (p.x == info->x && p.y == info->y && p.w == info->width && p.h == info->height) continue;
        std::fprintf(
            stderr,
            "scriptcheck: sprite info \"%s\" is (%g, %g, %g, %g); its picture lies at (%g, %g, %g, %g)\n",
            info->name.c_str(), info->x, info->y, info->width, info->height, p.x, p.y, p.w, p.h);
        ++refused;
    }
    if (refused)
        std::fprintf(stderr, "scriptcheck: `texturegen <png> sheet --script` prints the sprite infos\n");
    return refused;
}

int main(int argc, char** argv) {
    const char* sheetFile = nullptr;
    const char* libraryFile = nullptr;
    const char* placesFile = nullptr;
    bool usage = argc < 2;
    for (int i = 2; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        const char** value = option == "--sheet"     ? &sheetFile
                             : option == "--library" ? &libraryFile
                             : option == "--places"  ? &placesFile
                                                     : nullptr;
        if (!value)
            usage = true;
        else
            *value = argv[i + 1];
    }
    if (usage || argc % 2 != 0 || (libraryFile && !sheetFile)) {
        std::fprintf(
            stderr,
            "usage: scriptcheck <resource script> [--sheet <texture 0 png> [--library <libdata.bin>]] "
            "[--places <listing>]\n");
        return 2;
    }
    const bool withSheet = sheetFile != nullptr, withLibrary = libraryFile != nullptr;
    CSheet sheet;
    if (withSheet && !LoadSheet(sheetFile, sheet)) {
        std::fprintf(stderr, "scriptcheck: %s: cannot read the picture sheet: %s\n", sheetFile,
                     IMG_GetError());
        return 1;
    }
    CLibData library;
    std::string why;
    if (withLibrary && !ReadLibDataFile(libraryFile, library, why)) {
        std::fprintf(stderr, "scriptcheck: %s\n", why.c_str());
        return 1;
    }
    const GF::THolder<GF::HGENS::CResource> tables = RunResourceScript(argv[1], why);
    if (!tables) {
        std::fprintf(stderr, "scriptcheck: %s\n", why.c_str());
        return 1;
    }

    const std::set<std::string> plainBlocks = PlainBlocks();
    int refused = 0;
    for (const std::string& module : tables->GetModuleNames()) {
        for (const std::string& name : tables->GetAnimationDataNames(module)) {
            const GF::THolder<GF::IAnimationData> animation = tables->GetAnimationData(module, name);
            for (int i = 0; animation && i < animation->GetObjectDataCount(); ++i) {
                const GF::THolder<GF::IObjectData> object = animation->GetObjectData(i);
                int sprite = -1;
                const auto* particle = dynamic_cast<const GF::IParticleObjectData*>(object.Get());
                if (particle && ParticleOnSharedTexture(*tables, *particle, sprite)) {
                    // A particle system keeps no name of its own: the animation names it.
                    std::fprintf(stderr,
                                 "scriptcheck: %s.%s: a particle system draws sprite info %d, whose texture "
                                 "other sprite infos share\n",
                                 module.c_str(), name.c_str(), sprite);
                    ++refused;
                }
                const auto* drawable = dynamic_cast<const GF::IDrawableObjectData*>(object.Get());
                if (!drawable) continue;
                const std::string named = module + "." + name + ": " + drawable->GetName();
                if (withSheet && VisibleSprite(*drawable) && !plainBlocks.count(named) &&
                    (sprite = PlainSprite(*tables, sheet, *drawable)) >= 0) {
                    const GF::THolder<GF::HGENS::CHGESpriteInfo> info = tables->GetSpriteInfo(sprite);
                    if (info)
                        std::fprintf(stderr,
                                     "scriptcheck: %s: draws sprite info %d (\"%s\"), a plain rectangle\n",
                                     named.c_str(), sprite, info->name.c_str());
                    else
                        std::fprintf(stderr,
                                     "scriptcheck: %s: draws sprite info %d, which the script lacks\n",
                                     named.c_str(), sprite);
                    ++refused;
                }
                if (!ColourLost(*drawable)) continue;
                std::fprintf(
                    stderr,
                    "scriptcheck: %s.%s: the colour keys of \"%s\" take no effect without a blend key\n",
                    module.c_str(), name.c_str(), drawable->GetName().c_str());
                ++refused;
            }
        }
    }
    if (withLibrary) refused += CheckMasks(*tables, sheet, library) + CheckGlowModes(*tables, library);
    if (placesFile) refused += CheckPlaces(*tables, placesFile);
    return refused == 0 ? 0 : 1;
}
