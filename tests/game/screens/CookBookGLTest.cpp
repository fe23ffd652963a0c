#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "framework/app/GameManager.h"
#include "framework/resources/ResourceCache.h"
#include "framework/scene/IAnimation.h"
#include "game/app/GameData.h"
#include "game/app/LevelsData.h"
#include "game/screens/CheatClass.h"
#include "game/screens/CookBook.h"
#include "tests/support/LevelRun.h"

namespace {

constexpr const char* kBook = "CookingBookScreen";

// A run as a list of steps; each step runs once a frame until it answers true.
struct CSteps {
    std::vector<std::function<bool(CLevelRun&)>> steps;
    std::size_t at = 0;
    int waited = 0;
    bool operator()(CLevelRun& run) {
        if (at >= steps.size()) return false;
        if (steps[at](run)) {
            ++at;
            waited = 0;
        } else {
            ++waited;
        }
        return true;
    }
    void Add(std::function<bool(CLevelRun&)> step) { steps.push_back(std::move(step)); }
    // Nothing for this many frames.
    void Wait(int frames) {
        Add([this, frames](CLevelRun&) { return waited + 1 >= frames; });
    }
};

CCookBook* Book(CLevelRun& run) {
    return run.TopName() == kBook ? dynamic_cast<CCookBook*>(run.Top().Get()) : nullptr;
}

// The main menu, and the book over it as the flow shows one screen over another.
void OpenBook() {
    const auto manager = GF::GetGameManager();
    const GF::THolder<GF::IScreen> menu = manager->GetTopScreen();
    manager->CreateScreen(kBook, "main_menu.CookingBookScreen",
                          menu ? menu->GetScene() : GF::THolder<GF::IScene>(), kBook);
}
void OpenMainMenu() {
    const auto manager = GF::GetGameManager();
    manager->DestroyAllScreens();
    manager->CreateScreen("MainMenuScreen", "main_menu.MainMenuScreen", {}, "");
}

// Presses and lets go of the left button over a control, one frame each.
void Click(CLevelRun& run, const GF::TRect& rect, int& phase) {
    const int x = (rect.left + rect.right) / 2, y = (rect.top + rect.bottom) / 2;
    if (phase == 0) run.MoveMouse(x, y);
    if (phase == 1) run.Button(true, x, y);
    if (phase == 2) run.Button(false, x, y);
    ++phase;
}

struct tagPicture {
    std::vector<uint32_t> pixels;
    int width = 0, height = 0;
    uint32_t At(float x, float y) const {  // game pixels of the 800 x 600 picture
        const int px = static_cast<int>(x * static_cast<float>(width) / 800.0f);
        const int py = static_cast<int>(y * static_cast<float>(height) / 600.0f);
        return CLevelRun::At(pixels, width, px, py);
    }
};

bool IsRed(uint32_t p) {
    return ((p >> 16) & 0xFF) > 180 && ((p >> 8) & 0xFF) < 80 && (p & 0xFF) < 80;
}
bool IsBlue(uint32_t p) {
    return (p & 0xFF) > 180 && ((p >> 16) & 0xFF) < 80 && ((p >> 8) & 0xFF) < 80;
}
bool IsPaper(uint32_t p) {
    return ((p >> 16) & 0xFF) > 240 && ((p >> 8) & 0xFF) > 230 && (p & 0xFF) > 200 && (p & 0xFF) < 230;
}

bool IsInk(uint32_t p) {
    return ((p >> 16) & 0xFF) < 160 && ((p >> 8) & 0xFF) < 130 && (p & 0xFF) < 110;
}

// Every shown page that carries a marker (a rule about (168, 438) of the page) reads red then blue;
// every known shown page prints its number (centred on (168, 470)) in ink dark enough to read on the
// paper; nothing of a page shows left of the book, where a side page drawn on its own would lie.
// Answers how many markers it saw.
int CheckMarkers(CLevelRun& run, const CCookBook& book) {
    tagPicture picture;
    picture.pixels = run.Picture(&picture.width, &picture.height);
    EXPECT_FALSE(picture.pixels.empty());
    if (picture.pixels.empty()) return 0;
    int seen = 0;
    const int spread = book.GetSpread();
    const auto& pages = book.GetPages().GetPages();
    for (const auto& [index, left] : {std::pair{spread + 1, 88.0f}, std::pair{spread + 2, 424.0f}}) {
        if (index < 0 || index >= static_cast<int>(pages.size()) ||
            !pages[static_cast<std::size_t>(index)].known)
            continue;
        int ink = 0;
        for (float y = 37.0f + 462.0f; y < 37.0f + 478.0f; y += 1.0f)
            for (float x = left + 158.0f; x < left + 178.0f; x += 1.0f)
                ink += IsInk(picture.At(x, y)) ? 1 : 0;
        EXPECT_GT(ink, 0) << "page " << index << " shows no dark number";
        const auto& items = pages[static_cast<std::size_t>(index)].items;
        if (std::none_of(items.begin(), items.end(),
                         [](const CCookBookItem& i) { return i.Name == "cookingbook.marker"; }))
            continue;
        ++seen;
        const float x = left + 168.0f, y = 37.0f + 438.0f;
        EXPECT_TRUE(IsRed(picture.At(x - 16, y)))
            << "page " << index << " " << std::hex << picture.At(x - 16, y);
        EXPECT_TRUE(IsBlue(picture.At(x + 16, y)))
            << "page " << index << " " << std::hex << picture.At(x + 16, y);
    }
    int paperOutside = 0;
    for (float y = 0; y < 600; y += 4)
        for (float x = 0; x < 70; x += 4) paperOutside += IsPaper(picture.At(x, y)) ? 1 : 0;
    EXPECT_EQ(paperOutside, 0);
    return seen;
}

void KnowStages(CLevelRun& run, int stages) {
    const char* recipes[] = {"soup",     "steak", "pizza", "tea",    "salad", "omelette",
                             "pancakes", "pasta", "curry", "burger", "stew",  "risotto"};
    run.Player().flags2.clear();
    for (int i = 0; i < 3 * stages; ++i) run.Player().flags2[recipes[i]] = true;
}

}  // namespace

// The book opened over the main menu on the sample game: it opens at the player's stage chapter; a
// turn lasts the game data's page-turn time and ignores input meanwhile; the arrows and a tab turn
// it; its exit leads back. Opened again with "new_recept", it shows the newest known recipe.
TEST(CookBookRun, TurnsLeavesByButtonsKeysAndTabsAndOpensOnTheNewestRecipe) {
    GetCheatListener() = CCheatClass{};  // as a new program has it: a code typed by an earlier run is gone
    CLevelRun run;
    CSteps steps;
    int spreadBefore = 0, turningFrames = 0, phase = 0, markers = 0;
    steps.Wait(3);
    steps.Add([&](CLevelRun& r) {
        r.Player().stageName = "stage3";
        KnowStages(r, 3);
        OpenMainMenu();
        return true;
    });
    steps.Wait(2);
    steps.Add([&](CLevelRun&) {
        OpenBook();
        return true;
    });
    steps.Wait(60);  // the shades open and "_show" plays
    steps.Add([&](CLevelRun& r) {
        CCookBook* book = Book(r);
        EXPECT_NE(book, nullptr);
        if (!book) return true;
        EXPECT_FALSE(book->IsPaperFailed());
        EXPECT_EQ(book->GetChapterSpreads().size(), 8u);
        EXPECT_EQ(book->GetSpread(), book->GetChapterSpreads()[2]);
        markers += CheckMarkers(r, *book);
        spreadBefore = book->GetSpread();
        return true;
    });
    // "next", with the right arrow pressed while the leaf turns.
    steps.Add([&](CLevelRun& r) {
        Click(r, r.Top()->FindControl("next")->GetHitRect(), phase);
        return phase == 3;
    });
    steps.Add([&](CLevelRun& r) {
        turningFrames = Book(r) && Book(r)->IsTurning() ? 1 : 0;
        return turningFrames == 1 || steps.waited > 10;
    });
    steps.Add([&](CLevelRun& r) {
        CCookBook* book = Book(r);
        if (book && book->IsTurning()) {
            ++turningFrames;
            if (turningFrames == 3) r.Key(SDLK_RIGHT, true);
            if (turningFrames == 4) r.Key(SDLK_RIGHT, false);
            return false;
        }
        // The frame of the click turns too: 600 ms are 15 frames of 40 ms.
        EXPECT_EQ(turningFrames + 1, static_cast<int>(GetGameData().bookPageTime / CLevelRun::kFrameMs));
        EXPECT_EQ(book ? book->GetSpread() : 0, spreadBefore + 2);
        return true;
    });
    steps.Wait(3);
    steps.Add([&](CLevelRun& r) {
        if (CCookBook* book = Book(r)) {
            EXPECT_EQ(book->GetSpread(), spreadBefore + 2);  // the arrow pressed meanwhile did nothing
            markers += CheckMarkers(r, *book);
        }
        r.Key(SDLK_LEFT, true);
        return true;
    });
    steps.Add([&](CLevelRun& r) {
        r.Key(SDLK_LEFT, false);
        return true;
    });
    steps.Wait(20);
    steps.Add([&](CLevelRun& r) {
        CCookBook* book = Book(r);
        EXPECT_EQ(book ? book->GetSpread() : 0, spreadBefore);
        markers += book ? CheckMarkers(r, *book) : 0;
        phase = 0;
        return true;
    });
    // The tab of chapter 5.
    steps.Add([&](CLevelRun& r) {
        CCookBook* book = Book(r);
        if (!book || book->GetTabs().size() < 5 || !book->GetTabs()[4]) return true;
        Click(r, book->GetTabs()[4]->GetHitRect(), phase);
        return phase == 3;
    });
    steps.Wait(25);
    steps.Add([&](CLevelRun& r) {
        CCookBook* book = Book(r);
        if (!book) return true;
        EXPECT_EQ(book->GetSpread(), book->GetChapterSpreads()[4]);
        for (std::size_t tab = 0; tab < book->GetTabs().size(); ++tab)
            EXPECT_EQ(book->GetTabs()[tab]->IsEnabled(), tab != 4) << tab;
        markers += CheckMarkers(r, *book);
        r.Player().stringVars[CCookBook::kReplayVariable] = "kept until the book is left";
        phase = 0;
        return true;
    });
    steps.Add([&](CLevelRun& r) {
        Click(r, r.Top()->FindControl("exit")->GetHitRect(), phase);
        return phase == 3;
    });
    steps.Add([&](CLevelRun& r) { return r.TopName() == "MainMenuScreen" || steps.waited > 100; });
    steps.Add([&](CLevelRun& r) {
        EXPECT_EQ(r.TopName(), "MainMenuScreen");
        EXPECT_EQ(r.Player().stringVars[CCookBook::kReplayVariable], "");
        // Nothing of the book stays on the menu's scene.
        tagPicture picture;
        picture.pixels = r.Picture(&picture.width, &picture.height);
        EXPECT_EQ(std::count_if(picture.pixels.begin(), picture.pixels.end(), &IsPaper), 0);
        // Again, asked to show the newest recipe: the four stages' recipes are known but the last,
        // so the newest is a chapter's second recipe, on a page the old rule's spread misses.
        KnowStages(r, 4);
        r.Player().flags2["risotto"] = false;
        r.Player().stringVars[CCookBook::kReplayVariable] = CCookBook::kNewRecipe;
        OpenBook();
        return true;
    });
    steps.Wait(70);
    steps.Add([&](CLevelRun& r) {
        CCookBook* book = Book(r);
        EXPECT_NE(book, nullptr);
        if (!book) return true;
        // Where the last known recipe starts, and where the book used to open for it: the spread
        // of (the pages before it, rounded down to a multiple of 4) - 1.
        const std::vector<CCookBookEntry>& entries = GetLevelsData().CookBook;
        const auto last = std::find_if(entries.begin(), entries.end(),
                                       [](const CCookBookEntry& e) { return e.Name == "stew"; });
        CCookBookPages before;
        before.SetPageSize(book->GetPages().GetPageWidth(), book->GetPages().GetPageHeight());
        before.Fill(std::vector<CCookBookEntry>(entries.begin(), last), {}, true);
        const int oldSpread = (before.GetPageCount() - 2) / 4 * 4 - 1;
        CCookBookPages all;
        all.SetPageSize(book->GetPages().GetPageWidth(), book->GetPages().GetPageHeight());
        const int page = all.Fill(entries, r.Player().flags2, false).newestRecipePage;
        const int spread = book->GetSpread();
        EXPECT_TRUE(page == spread + 1 || page == spread + 2) << page << " " << spread;
        EXPECT_FALSE(page == oldSpread + 1 || page == oldSpread + 2) << page << " " << oldSpread;
        EXPECT_FALSE(book->IsTurning());
        markers += CheckMarkers(r, *book);
        // The same for each recipe of the sample book as the newest known one: the page its first
        // item is on, the spread the old rule opened ("-" none: the book opens at the stage's
        // chapter) and the one the book opens. Each spread the old rule opens lies before the
        // recipe; the book's spread shows the recipe's first page.
        std::string table;
        std::unordered_map<std::string, bool> known;
        for (auto entry = entries.begin(); entry != entries.end(); ++entry) {
            if (entry->Flag1) continue;
            known[entry->Name] = true;
            CCookBookPages upTo;
            upTo.SetPageSize(book->GetPages().GetPageWidth(), book->GetPages().GetPageHeight());
            upTo.Fill(std::vector<CCookBookEntry>(entries.begin(), entry), {}, true);
            const int m = upTo.GetPageCount() == 0 ? -1 : upTo.GetPageCount() - 2;
            const int oldRule = m >= 4 ? m / 4 * 4 - 1 : -2;
            CCookBookPages whole;
            whole.SetPageSize(book->GetPages().GetPageWidth(), book->GetPages().GetPageHeight());
            const int first = whole.Fill(entries, known, false).newestRecipePage;
            const std::optional<int> opened = CCookBook::NewestRecipeSpread(first);
            const auto spread = [](int s) { return s == -2 ? std::string("-") : std::to_string(s); };
            table += entry->Name + " " + std::to_string(first) + " " + spread(oldRule) + " " +
                     spread(opened.value_or(-2)) + "\n";
            if (opened) {
                EXPECT_TRUE(first == *opened + 1 || first == *opened + 2) << entry->Name;
            }
        }
        EXPECT_EQ(table,
                  "soup 3 - -\n"
                  "steak 4 - 3\n"
                  "pizza 5 3 3\n"
                  "tea 7 3 5\n"
                  "salad 8 3 7\n"
                  "omelette 9 7 7\n"
                  "pancakes 11 7 9\n"
                  "pasta 12 7 11\n"
                  "curry 13 11 11\n"
                  "burger 15 11 13\n"
                  "stew 16 11 15\n"
                  "risotto 17 15 15\n"
                  "sushi 19 15 17\n"
                  "tacos 20 15 19\n"
                  "goulash 21 19 19\n"
                  "paella 23 19 21\n"
                  "ramen 24 19 23\n"
                  "lasagne 25 23 23\n"
                  "pie 27 23 25\n"
                  "pudding 28 23 27\n"
                  "cake 29 27 27\n"
                  "hidden_things 30 27 29\n");
        return true;
    });
    const int code = run.Run([&](CLevelRun& r) { return steps(r); }, 800);
    EXPECT_EQ(code, 0);
    EXPECT_FALSE(run.timedOut);
    EXPECT_EQ(steps.at, steps.steps.size());
    EXPECT_GE(markers, 4);
}

// Without its page mask no leaf can be built: the same clicks change spreads at once, and the
// pages show their numbers (the left page of spread s is s + 2, the right one s + 3).
TEST(CookBookRun, WithoutTheMaskSpreadsChangeAtOnceWithTheirPagesNumbered) {
    CLevelRun run;
    CSteps steps;
    int phase = 0, spreadBefore = 0;
    steps.Wait(3);
    steps.Add([&](CLevelRun& r) {
        HGE* hge = hgeCreate(HGE_VERSION);
        hge->Texture_Free(GF::HGENS::GetResourceCache()->GetTexture(CCookBook::kMask));
        hge->Release();
        r.Player().stageName = "stage2";
        KnowStages(r, 2);
        OpenMainMenu();
        return true;
    });
    steps.Wait(2);
    steps.Add([&](CLevelRun&) {
        OpenBook();
        return true;
    });
    steps.Wait(60);
    const auto numbers = [](CCookBook& book) {
        const GF::WChar* left = book.GetLeftPage() ? book.GetLeftPage()->GetText("_number") : nullptr;
        const GF::WChar* right = book.GetRightPage() ? book.GetRightPage()->GetText("_number") : nullptr;
        return std::pair(left ? std::u16string(left) : std::u16string(),
                         right ? std::u16string(right) : std::u16string());
    };
    const auto text = [](int n) {
        std::u16string s;
        for (char c : std::to_string(n)) s += static_cast<char16_t>(c);
        return s;
    };
    steps.Add([&](CLevelRun& r) {
        CCookBook* book = Book(r);
        EXPECT_NE(book, nullptr);
        if (!book) return true;
        EXPECT_TRUE(book->IsPaperFailed());
        EXPECT_EQ(book->GetSpread(), book->GetChapterSpreads()[1]);
        spreadBefore = book->GetSpread();
        EXPECT_EQ(numbers(*book), std::pair(text(spreadBefore + 2), text(spreadBefore + 3)));
        return true;
    });
    steps.Add([&](CLevelRun& r) {
        Click(r, r.Top()->FindControl("next")->GetHitRect(), phase);
        return phase == 3;
    });
    steps.Add(
        [&](CLevelRun& r) { return (Book(r) && Book(r)->GetSpread() != spreadBefore) || steps.waited > 10; });
    steps.Add([&](CLevelRun& r) {
        CCookBook* book = Book(r);
        if (!book) return true;
        EXPECT_FALSE(book->IsTurning());
        EXPECT_EQ(book->GetSpread(), spreadBefore + 2);
        EXPECT_EQ(numbers(*book), std::pair(text(spreadBefore + 4), text(spreadBefore + 5)));
        r.Key(SDLK_LEFT, true);
        return true;
    });
    steps.Add([&](CLevelRun& r) {
        r.Key(SDLK_LEFT, false);
        return true;
    });
    steps.Wait(3);
    steps.Add([&](CLevelRun& r) {
        CCookBook* book = Book(r);
        if (!book) return true;
        EXPECT_EQ(book->GetSpread(), spreadBefore);
        EXPECT_EQ(numbers(*book), std::pair(text(spreadBefore + 2), text(spreadBefore + 3)));
        return true;
    });
    run.Run([&](CLevelRun& r) { return steps(r); }, 400);
    EXPECT_FALSE(run.timedOut);
    EXPECT_EQ(steps.at, steps.steps.size());
    EXPECT_NE(run.Log().find("CPaperEffect:[ERR]"), std::string::npos);
}
