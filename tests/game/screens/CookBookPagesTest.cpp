#include <gtest/gtest.h>

#include <string>
#include <unordered_map>
#include <vector>

#include "game/screens/CookBookPages.h"

namespace {

// Items of a hand-written book; by default an item advances the flow by its height.
CCookBookItem Item(float height, const std::string& how = "") {
    CCookBookItem item;
    item.Name = "cookingbook.line";
    item.Value4 = height;
    item.Flag3 = how != "still";
    item.Flag2 = how == "static";
    item.Flag4 = how == "page";
    item.Flag1 = how == "spread";
    return item;
}
CCookBookEntry Entry(const std::string& name, bool always, bool chapter, std::vector<CCookBookItem> items) {
    CCookBookEntry entry;
    entry.Name = name;
    entry.Flag1 = always;
    entry.Flag2 = chapter;
    entry.Items = std::move(items);
    return entry;
}
CCookBookEntry Always(std::vector<CCookBookItem> items) {
    return Entry("", true, false, std::move(items));
}
CCookBookEntry Chapter(std::vector<CCookBookItem> items) {
    return Entry("", true, true, std::move(items));
}
CCookBookEntry Recipe(const std::string& name, std::vector<CCookBookItem> items) {
    return Entry(name, false, false, std::move(items));
}

// Each page as its item count and "+" (shows its content) or "-" (the empty page).
std::string Pages(const CCookBookPages& book) {
    std::string text;
    for (const CCookBookPages::tagPage& page : book.GetPages())
        text += (text.empty() ? "" : " ") + std::to_string(page.items.size()) + (page.known ? "+" : "-");
    return text;
}

}  // namespace

// Pages of 200 pixels (items fit while they end at or above 180, the first starts at 20).
TEST(CookBookPages, ItemsFlowOntoPagesSpreadsAndChaptersWithTheKnownRecipesShown) {
    struct Case {
        const char* what;
        std::vector<CCookBookEntry> entries;
        std::unordered_map<std::string, bool> recipes;
        bool everyKnown;
        const char* pages;
        std::vector<int> chapters;
        int newest;
    };
    const Case cases[] = {
        {"an item that would end below the margin opens a page",
         {Always({Item(50), Item(50), Item(50), Item(50)})},
         {},
         false,
         "3+ 1+",
         {},
         -1},
        {"static and still items leave the cursor",
         {Always({Item(50), Item(50, "static"), Item(50, "still"), Item(50), Item(50)})},
         {},
         false,
         "5+",
         {},
         -1},
        {"new page after", {Always({Item(50, "page"), Item(50)})}, {}, false, "1+ 1+", {}, -1},
        {"new spread from the first page skips the right page",
         {Always({Item(50, "spread"), Item(50)})},
         {},
         false,
         "1+ 0+ 1+",
         {},
         -1},
        {"new spread from a right page",
         {Always({Item(50, "page"), Item(50, "spread"), Item(50)})},
         {},
         false,
         "1+ 1+ 1+",
         {},
         -1},
        {"chapters start at the spread before their left page",
         {Chapter({Item(50, "spread")}), Chapter({Item(50, "page")}), Always({Item(50, "spread")}),
          Chapter({Item(50)})},
         {},
         false,
         "1+ 0+ 1+ 1+ 1+",
         {-1, 1, 3},
         -1},
        {"no recipe known: a page takes its last item's bit",
         {Always({Item(50)}), Recipe("soup", {Item(50), Item(50, "page")}), Recipe("tea", {Item(50)})},
         {{"soup", false}},
         false,
         "3- 1-",
         {},
         -1},
        {"a known recipe",
         {Always({Item(50)}), Recipe("soup", {Item(50), Item(50, "page")}), Recipe("tea", {Item(50)})},
         {{"soup", false}, {"tea", true}},
         false,
         "3- 1+",
         {},
         1},
        {"the code listener's flag knows them all",
         {Always({Item(50)}), Recipe("soup", {Item(50), Item(50, "page")}), Recipe("tea", {Item(50)})},
         {},
         true,
         "3+ 1+",
         {},
         1},
        {"the newest recipe's first item overflowed",
         {Recipe("a", {Item(150)}), Recipe("b", {Item(100)}), Recipe("c", {})},
         {{"a", true}, {"b", true}, {"c", true}},
         false,
         "1+ 1+",
         {},
         1},
        {"an empty book", {}, {}, false, "", {}, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CCookBookPages book;
        book.SetPageSize(300.0f, 200.0f);
        const CCookBookPages::tagOutline outline = book.Fill(c.entries, c.recipes, c.everyKnown);
        EXPECT_EQ(Pages(book), c.pages);
        EXPECT_EQ(outline.chapterSpreads, c.chapters);
        EXPECT_EQ(outline.newestRecipePage, c.newest);
    }
}
