#pragma once
#include <string>
#include <unordered_map>
#include <vector>

#include "framework/core/Holder.h"
#include "framework/core/Point.h"
#include "framework/scene/IScene.h"
#include "framework/scene/SceneFwd.h"
#include "game/app/LevelRecords.h"

// The recipe book flowed onto pages: the items of the level data's cook book entries placed one
// under another from the top margin down, a new page when the next item's height no longer fits
// above the bottom margin or an item asks for one. Each page remembers whether the recipe that put
// it there is known; an unknown page is drawn from the empty template.
//
// Pages are drawn from the templates "cookingbook.page_1" (left-hand) and "cookingbook.page_2"
// (right-hand), or "cookingbook.page_empty_1" and "_2"; the template's first child is the
// placeholder that hosts the items, "_number" shows the page's number (its index + 1).
class CCookBookPages {
public:
    static constexpr float kTopMargin = 20.0f;
    static constexpr float kBottomMargin = 20.0f;
    static constexpr const char* kLeftPage = "cookingbook.page_1";
    static constexpr const char* kRightPage = "cookingbook.page_2";
    static constexpr const char* kLeftEmpty = "cookingbook.page_empty_1";
    static constexpr const char* kRightEmpty = "cookingbook.page_empty_2";

    struct tagPage {
        std::vector<CCookBookItem> items;
        bool known = false;
    };

    // What the flow learnt about the book's structure.
    struct tagOutline {
        // For each chapter, in book order: the spread s (left page s + 1) its pages start at.
        std::vector<int> chapterSpreads;
        // The page the last known recipe's first item went on; -1 with no known recipe.
        int newestRecipePage = -1;
    };

    CCookBookPages();
    ~CCookBookPages();
    CCookBookPages(const CCookBookPages&) = delete;
    CCookBookPages& operator=(const CCookBookPages&) = delete;

    // Live pages are made on `source`; the page size is measured from "cookingbook.page_1" there
    // (0 x 0 without it), the column table read from the level data, and the flow reset.
    void Init(const GF::THolder<GF::IScene>& source);
    // Flows the entries in order. A recipe entry (not always shown) is known when its key is in
    // `recipes` with the value true, or when `everyRecipeKnown`.
    tagOutline Fill(const std::vector<CCookBookEntry>& entries,
                    const std::unordered_map<std::string, bool>& recipes, bool everyRecipeKnown);
    // Each answers the page its (first) item went on; -1 for an entry without items.
    int AddEntry(const CCookBookEntry& entry, bool known);
    void NewPage(bool known);
    int PlaceItem(const CCookBookItem& item, bool known);
    // A page drawn with its items, or its empty template; `direction` -1.0 mirrors the whole page
    // (a side seen turned over), live pages never are. Live pages are made on the source scene,
    // others on the book's own scene, which is never drawn. Empty when the template is missing.
    GF::TAnimationPtr BuildLeftPage(int index, float direction, bool live);
    GF::TAnimationPtr BuildRightPage(int index, float direction, bool live);
    // Drops the pages and every animation made on the book's own scene.
    void Clear();
    // Drops the animations made on the book's own scene (the sides of a built leaf).
    void ClearSides();

    int GetPageCount() const { return static_cast<int>(m_pages.size()); }
    const std::vector<tagPage>& GetPages() const { return m_pages; }
    float GetPageWidth() const { return m_pageWidth; }
    float GetPageHeight() const { return m_pageHeight; }
    void SetPageSize(float width, float height) {
        m_pageWidth = width;
        m_pageHeight = height;
    }

private:
    GF::TAnimationPtr BuildPage(int index, float direction, bool live, const char* full, const char* empty);
    void FillPage(const GF::TAnimationPtr& page, const tagPage& content);
    void PlaceAnimation(const GF::TAnimationPtr& animation, const CCookBookItem& item,
                        const GF::TPoint<float>& corner, float y);

    GF::THolder<GF::IScene> m_source;
    GF::THolder<GF::IScene> m_sides;
    std::vector<tagPage> m_pages;
    float m_cursor = 0.0f;
    float m_topMargin = kTopMargin;
    float m_bottomMargin = kBottomMargin;
    float m_pageHeight = 0.0f;
    float m_pageWidth = 0.0f;
    std::vector<float> m_columns;
};
