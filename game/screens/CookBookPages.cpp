#include "game/screens/CookBookPages.h"

#include <cmath>

#include "framework/core/Point.h"
#include "framework/scene/IAnimation.h"
#include "framework/scene/IDrawable.h"
#include "framework/scene/ISubstitutedContainer.h"
#include "framework/scene/Scene.h"
#include "game/app/LevelsData.h"
#include "game/screens/GameMenuScreen.h"

namespace {

constexpr int kItemLayer = 50;
constexpr const char* kNumber = "_number";

enum { kCentred = 2, kTop = 3, kBottom = 4 };
enum { kNearEdge = 0, kFarEdge = 1, kCentre = 2 };

// Moves the animation so that its bounding box's top-left corner lies at (x, y).
void MoveBoxTo(const GF::TAnimationPtr& animation, float x, float y) {
    const GF::TRect box = animation->GetBoundingBox();
    const GF::TPoint<float> at = animation->GetPosition();
    animation->SetPosition(at.x + x - static_cast<float>(box.left), at.y + y - static_cast<float>(box.top));
    animation->Update(0.0f);
}

}  // namespace

CCookBookPages::CCookBookPages() = default;

CCookBookPages::~CCookBookPages() {
    Clear();
}

void CCookBookPages::Init(const GF::THolder<GF::IScene>& source) {
    Clear();
    m_source = source;
    m_sides = GF::MakeHolder<GF::HGENS::CScene>();
    m_columns = GetLevelsData().CookBookValues;
    m_pageWidth = 0.0f;
    m_pageHeight = 0.0f;
    const GF::TAnimationPtr page = m_source ? m_source->CreateAnimation(kLeftPage) : GF::TAnimationPtr();
    if (!page) {
        LogMissingPart("CookingBookScreen", kLeftPage);
        return;
    }
    page->Update(0.0f);
    const GF::TRect box = page->GetBoundingBox();
    m_pageWidth = static_cast<float>(box.right - box.left);
    m_pageHeight = static_cast<float>(box.bottom - box.top);
    m_source->RemoveAnimation(page);
    page->Destroy();
}

CCookBookPages::tagOutline CCookBookPages::Fill(const std::vector<CCookBookEntry>& entries,
                                                const std::unordered_map<std::string, bool>& recipes,
                                                bool everyRecipeKnown) {
    tagOutline outline;
    for (const CCookBookEntry& entry : entries) {
        if (entry.Flag2) outline.chapterSpreads.push_back(m_pages.empty() ? -1 : GetPageCount() - 2);
        bool known = true;
        if (!entry.Flag1 && !everyRecipeKnown) {
            const auto found = recipes.find(entry.Name);
            known = found != recipes.end() && found->second;
        }
        const int first = AddEntry(entry, known);
        if (!entry.Flag1 && known && first >= 0) outline.newestRecipePage = first;
    }
    return outline;
}

int CCookBookPages::AddEntry(const CCookBookEntry& entry, bool known) {
    int first = -1;
    for (const CCookBookItem& item : entry.Items) {
        const int page = PlaceItem(item, known);
        if (first < 0) first = page;
    }
    return first;
}

void CCookBookPages::NewPage(bool known) {
    tagPage page;
    page.known = known;
    m_pages.push_back(page);
    m_cursor = m_topMargin;
}

int CCookBookPages::PlaceItem(const CCookBookItem& item, bool known) {
    if (m_pages.empty() || m_pageHeight - m_bottomMargin < m_cursor + item.Value4) NewPage(known);
    const int placed = GetPageCount() - 1;
    tagPage& page = m_pages.back();
    page.items.push_back(item);
    page.known = known;
    if (item.Flag3 && !item.Flag2) m_cursor += item.X + item.Value4;
    if (item.Flag4 || item.Flag1) {
        NewPage(known);
        if (item.Flag1 && m_pages.size() % 2 == 0) NewPage(known);
    }
    return placed;
}

GF::TAnimationPtr CCookBookPages::BuildLeftPage(int index, float direction, bool live) {
    return BuildPage(index, direction, live, kLeftPage, kLeftEmpty);
}

GF::TAnimationPtr CCookBookPages::BuildRightPage(int index, float direction, bool live) {
    return BuildPage(index, direction, live, kRightPage, kRightEmpty);
}

// Built upright with its box's top-left corner at the origin and filled there; a mirrored side is
// then turned over as a whole (its placeholder passes the scale on to the items) and moved back.
GF::TAnimationPtr CCookBookPages::BuildPage(int index, float direction, bool live, const char* full,
                                            const char* empty) {
    const GF::THolder<GF::IScene>& scene = live ? m_source : m_sides;
    if (!scene) return {};
    const bool filled =
        index >= 0 && index < GetPageCount() && m_pages[static_cast<std::size_t>(index)].known;
    const char* name = filled ? full : empty;
    const GF::TAnimationPtr page = scene->CreateAnimation(name);
    if (!page) {
        LogMissingPart("CookingBookScreen", name);
        return {};
    }
    page->SetScale(1.0f, 1.0f);
    if (page->Play("_show", 0, false)) page->ShowTime(page->GetEndTime());
    page->Update(0.0f);
    MoveBoxTo(page, 0.0f, 0.0f);
    if (index >= 0) page->SetTextNumber(kNumber, index + 1);
    if (filled) FillPage(page, m_pages[static_cast<std::size_t>(index)]);
    if (!live && direction < 0.0f) {
        page->SetScale(-1.0f, 1.0f);
        page->Update(0.0f);
        MoveBoxTo(page, 0.0f, 0.0f);
    }
    return page;
}

void CCookBookPages::FillPage(const GF::TAnimationPtr& page, const tagPage& content) {
    const GF::TSubstitutedContainerPtr place(page->GetDrawable(0).Get());
    if (!place) {
        LogMissingPart(page->GetName() ? page->GetName() : "", "the placeholder of the items");
        return;
    }
    const GF::TPoint<float> corner{place->GetTransform().x, place->GetTransform().y};
    float y = corner.y + m_topMargin;
    for (const CCookBookItem& item : content.items) {
        if (!item.Name.empty()) {
            if (const GF::TAnimationPtr animation = place->Substitute(item.Name)) {
                animation->SetScale(1.0f, 1.0f);
                animation->SetText("_text", item.Text);
                animation->Update(0.0f);
                animation->SetLayer(kItemLayer);
                animation->Play("_idle", 0, false);
                animation->Update(0.0f);
                PlaceAnimation(animation, item, corner, y);
            } else {
                LogMissingPart(page->GetName() ? page->GetName() : "", item.Name);
            }
        }
        if (item.Flag3 && !item.Flag2) y += item.X + item.Value4;
    }
}

// Item fields: X the spacing, Y the horizontal offset, Value1 the vertical mode, Value3 the
// alignment, ValueIndex the column, Value2 the maximum width, Value4 the height, Flag5 fit.
// An item that does not advance stands at (X, Y) from the page's corner; the others follow the flow.
void CCookBookPages::PlaceAnimation(const GF::TAnimationPtr& animation, const CCookBookItem& item,
                                    const GF::TPoint<float>& corner, float y) {
    const float x = corner.x;
    GF::TRect box = animation->GetBoundingBox();
    if (item.Flag5) {
        const float boxWidth = static_cast<float>(box.right - box.left);
        const float boxHeight = static_cast<float>(box.bottom - box.top);
        float scale = 1.0f;
        if (boxHeight != 0.0f) scale = item.Value4 / boxHeight;
        if (item.Value2 > 0.0f && item.Value2 < boxWidth * scale) scale = item.Value2 / boxWidth;
        animation->SetScale(scale, scale);
        animation->Update(0.0f);
        box = animation->GetBoundingBox();
    }
    const GF::TPoint<float> at = animation->GetPosition();
    if (!item.Flag3) {
        animation->SetPosition(corner.x + item.X, corner.y + item.Y);
        animation->Update(0.0f);
        return;
    }
    const float left = static_cast<float>(box.left);
    const float top = static_cast<float>(box.top);
    const float width = static_cast<float>(box.right - box.left);
    const float height = static_cast<float>(box.bottom - box.top);
    const float shiftedX = x + item.Y;
    const float shiftedY = y + item.X;
    float newY = at.y;
    switch (item.Value1) {
        case kTop:
            newY = at.y + shiftedY - top;
            break;
        case kCentred:
            newY = at.y + std::floor(shiftedY + (item.Value4 - height) * 0.5f - top);
            break;
        case kBottom:
            newY = at.y + shiftedY + item.Value4 - (top + height);
            break;
        default:
            break;
    }
    float newX = at.x;
    const int column = item.ValueIndex;
    if (column >= 1 && column <= static_cast<int>(m_columns.size())) {
        newX = x + m_columns[static_cast<std::size_t>(column - 1)] + item.Y;
    } else {
        switch (item.Value3) {
            case kNearEdge:
                newX = at.x + shiftedX - left;
                break;
            case kFarEdge:
                newX = at.x + shiftedX + m_pageWidth - (left + width);
                break;
            case kCentre:
                newX = at.x + shiftedX + (m_pageWidth - width) * 0.5f - left;
                break;
            default:
                break;
        }
    }
    animation->SetPosition(newX, newY);
    animation->Update(0.0f);
}

void CCookBookPages::ClearSides() {
    if (m_sides) m_sides->Clear();
}

void CCookBookPages::Clear() {
    ClearSides();
    m_pages.clear();
    m_cursor = 0.0f;
}
