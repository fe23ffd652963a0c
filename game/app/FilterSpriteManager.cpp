#include "game/app/FilterSpriteManager.h"

#include "framework/resources/AnimationData.h"
#include "framework/resources/Resource.h"
#include "framework/resources/ResourceCache.h"
#include "game/app/GameLog.h"
#include "game/app/LibData.h"

using GF::THolder;
using GF::HGENS::CHGESprite;

namespace {

THolder<CFilterSpriteManager>& Instance() {
    static THolder<CFilterSpriteManager> instance;
    return instance;
}

}  // namespace

THolder<CFilterSpriteManager> CFilterSpriteManager::GetInstance() {
    THolder<CFilterSpriteManager>& instance = Instance();
    if (!instance) instance = THolder<CFilterSpriteManager>(new CFilterSpriteManager);
    return instance;
}

void CFilterSpriteManager::DropInstance() {
    Instance().Reset();
}

THolder<CHGESprite> CFilterSpriteManager::GetSprite(const std::string& filter, int cell) {
    const CFrameGridInfo* grid = GetLibData().FindFrameGrid(filter);
    if (!grid) return {};
    const int columns = grid->Columns(), rows = grid->Rows();
    if (columns <= 0 || rows <= 0) {
        GameLog("Filter \"%s\": no whole cell of %d x %d in a sheet of %d x %d", filter.c_str(),
                grid->CellWidth, grid->CellHeight, grid->Width, grid->Height);
        return {};
    }
    if (cell < 0 || cell >= columns * rows) {
        GameLog("Filter \"%s\": no cell %d in its %d x %d cells", filter.c_str(), cell, columns, rows);
        return {};
    }
    const HTEXTURE texture = GetFilterTexture(filter);
    if (!texture) return {};
    const int row = cell / columns, column = cell - row * columns;
    const auto width = static_cast<float>(grid->CellWidth), height = static_cast<float>(grid->CellHeight);
    THolder<CHGESprite> sprite = GF::MakeHolder<CHGESprite>(texture, width * static_cast<float>(column),
                                                            height * static_cast<float>(row), width, height);
    sprite->SetHotSpot(width * 0.5f, height * 0.5f);
    return sprite;
}

HTEXTURE CFilterSpriteManager::GetFilterTexture(const std::string& filter) {
    if (const auto it = m_textures.find(filter); it != m_textures.end()) return it->second;
    const THolder<GF::HGENS::CResource> resource = GF::GetResource();
    const THolder<GF::IAnimationData> data = resource->GetAnimationData("Devices", filter);
    if (!data || data->GetObjectDataCount() == 0) return 0;
    const THolder<GF::IObjectData> part = data->GetObjectData(0);
    const auto ids = part ? part->GetIDResource() : THolder<GF::TIDResourceList>();
    if (!ids || ids->empty()) return 0;
    const THolder<GF::HGENS::CHGESpriteInfo> info = resource->GetSpriteInfo(ids->front().value);
    if (!info) return 0;
    const HTEXTURE texture = GF::HGENS::GetResourceCache()->AcquireTexture(info->textureNumber);
    if (texture) m_textures[filter] = texture;
    return texture;
}
