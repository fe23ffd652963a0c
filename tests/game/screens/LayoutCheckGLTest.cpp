#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "framework/core/DataStreams.h"
#include "framework/core/GameProperties.h"
#include "framework/core/WString.h"
#include "framework/gui/LayoutItem.h"
#include "framework/gui/SplashDrawable.h"
#include "framework/resources/Font.h"
#include "framework/resources/ObjectData.h"
#include "framework/resources/Resource.h"
#include "framework/scene/DrawableAbstract.h"
#include "framework/scene/IAnimation.h"
#include "framework/scene/IObjectAnimation.h"
#include "framework/scene/ISprite.h"
#include "framework/scene/ISubstitutedContainer.h"
#include "framework/scene/ITextSprite.h"
#include "game/app/GameData.h"
#include "game/app/LevelsData.h"
#include "game/app/LibData.h"
#include "game/app/Players.h"
#include "game/app/WindowShadesEffect.h"
#include "game/kitchen/GameFieldBase.h"
#include "game/kitchen/InGameHintStrategy.h"
#include "game/kitchen/Pers.h"
#include "game/kitchen/RivalsPanel.h"
#include "game/kitchen/TextBalloon.h"
#include "game/screens/CookBookPages.h"
#include "game/screens/NewIngridientScreen.h"
#include "game/screens/NewReceptScreen.h"
#include "tests/support/SampleSceneGL.h"

// The layout check: every screen layout of the built sample, at rest ("_idle") on the 800 x 600
// screen, read as a player meets it. Captions fit their faces and texts the pictures they stand on,
// no two texts of a screen overlap, nothing a player reads or clicks lies under the window shades as
// they rest when open, and a screen shown over another has an opaque board under all of its parts.

namespace {

using GF::TRect;

// What a player sees of a layout: a picture or a text, its box on the screen and where it hangs.
struct tagPart {
    std::string path;  // part names from the layout down, "/" between
    TRect box;
    bool text = false;
    GF::WString words;
    int layer = 0;
    bool opaque = false;
    int owner = 0;  // the animation (layout or hosted) the part belongs to
    int order = 0;  // made before the parts of higher order
};

bool Inside(const TRect& inner, const TRect& outer, int margin) {
    return inner.left >= outer.left + margin && inner.right <= outer.right - margin &&
           inner.top >= outer.top && inner.bottom <= outer.bottom;
}
bool Overlap(const TRect& a, const TRect& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}
bool CentreInside(const TRect& inner, const TRect& outer) {
    const int x = (inner.left + inner.right) / 2, y = (inner.top + inner.bottom) / 2;
    return x > outer.left && x < outer.right && y > outer.top && y < outer.bottom;
}
std::string Narrow(const GF::WString& text) {
    return std::string(text.begin(), text.end());
}
std::string Box(const TRect& r) {
    return "(" + std::to_string(r.left) + ", " + std::to_string(r.top) + ")-(" + std::to_string(r.right) +
           ", " + std::to_string(r.bottom) + ")";
}

class LayoutCheckGL : public CSampleSceneGL {
protected:
    // Space a caption keeps from either end of its face.
    static constexpr int kCaptionMargin = 10;
    // The shades ripple about their resting shape by two pixels.
    static constexpr int kRipple = 3;

    LayoutCheckGL() : CSampleSceneGL(800, 600) {}

    // A balloon hint's balloon on the scene with its words, made as the kitchen makes it.
    GF::TAnimationPtr HintBalloon(const CHintInfo& hint, const GF::WString& text) {
        if (hint.text != CInGameHintStrategy::kOwnBalloonText) {
            const GF::TAnimationPtr balloon = scene->CreateAnimation(hint.text);
            if (balloon) balloon->SetText("_text", text);
            return balloon;
        }
        CTextBalloon own;
        own.Assign(CInGameHintStrategy::kOwnBalloon, CInGameHintStrategy::kOwnBalloonText,
                   GF::THolder<GF::IScene>(scene.Get()));
        own.SetMargin(CInGameHintStrategy::kOwnBalloonMargin);
        return own.SetText(text);
    }

    // A kitchen object of a level, shown idle where and as large as the level places it (none when
    // the library has no such animation).
    GF::TAnimationPtr ShowPlaced(const CPlacedObjectInfo& placed) {
        const GF::TAnimationPtr object = scene->CreateAnimation(placed.Name);
        if (!object) return object;
        object->SetPosition(placed.X, placed.Y);
        object->SetScale(placed.ScaleX, placed.ScaleY);
        object->Play("_idle", 0, false);
        scene->Update(0.0f);
        object->ApplyTransform();
        return object;
    }

    void SetUp() override {
        CSampleSceneGL::SetUp();
        const GF::THolder<GF::IDataInputStream> stream = GF::CreateBlobReader();
        ASSERT_TRUE(stream->Open("Binary\\gamedata.bin"));
        ASSERT_TRUE(ReadGameData(stream));
        // The recipe book and the order signs are laid out from the level data.
        const GF::THolder<GF::IDataInputStream> levels = GF::CreateBlobReader();
        ASSERT_TRUE(levels->Open("Binary\\levelsdata.bin"));
        ASSERT_TRUE(ReadLevelsData(levels));
        // The devices' names.
        const GF::THolder<GF::IDataInputStream> library = GF::CreateBlobReader();
        ASSERT_TRUE(library->Open("Binary\\libdata.bin"));
        ASSERT_TRUE(ReadLibData(library));
        // Every layout the flow shows, and whether it is shown over the screen before it; the hint
        // page comes over the kitchen from code.
        for (const CFlowRule& rule : GetGameData().flowRules) {
            if (rule.switchName.empty()) continue;
            layouts[rule.switchName] = layouts[rule.switchName] || rule.switchKind;
        }
        layouts["interfaces.hint_screen"] = true;
        RestingShades();
    }
    void TearDown() override {
        CWindowShadesEffect::DropInstance();
        GetGameData() = CGameData();
        GetLevelsData() = CLevelsData();
        GetLibData() = CLibData();
        CSampleSceneGL::TearDown();
    }

    // For each band between two rows of the cloth's mesh, how far in from either edge the open
    // shades reach.
    void RestingShades() {
        const GF::THolder<CWindowShadesEffect> shades = CWindowShadesEffect::GetInstance();
        GetCurrentPlayer().stringVars[20] = "shade_open";
        shades->SetState(CWindowShadesEffect::kOpen, 1250.0f);
        for (const bool left : {true, false}) {
            const GF::THolder<CWaveEffect>& shade = left ? shades->GetFirstShade() : shades->GetSecondShade();
            ASSERT_TRUE(shade && shade->GetMesh());
            shade->Update(2.0f);
            const TRect rect = shade->GetBoundingBox();
            std::vector<std::pair<float, float>> rows;  // y, the cloth's inner edge
            for (int r = 0; r < CWaveEffect::kRows; ++r) {
                float edge = left ? -1e9f : 1e9f, y = 0.0f;
                for (int k = 0; k < CWaveEffect::kColumns; ++k) {
                    const hgeVertex* v = shade->GetMesh()->GetVertex(k, r);
                    const float x = static_cast<float>(rect.left) + v->x;
                    edge = left ? std::max(edge, x) : std::min(edge, x);
                    y = std::max(y, static_cast<float>(rect.top) + v->y);
                }
                rows.emplace_back(y, edge);
            }
            (left ? leftCloth : rightCloth) = rows;
        }
    }

    // True when the box reaches under either shade.
    bool UnderShades(const TRect& box) const {
        for (const bool left : {true, false}) {
            const std::vector<std::pair<float, float>>& rows = left ? leftCloth : rightCloth;
            for (size_t r = 0; r + 1 < rows.size(); ++r) {
                if (box.bottom <= rows[r].first || box.top >= rows[r + 1].first) continue;
                const float edge = left ? std::max(rows[r].second, rows[r + 1].second)
                                        : std::min(rows[r].second, rows[r + 1].second);
                if (left ? box.left < edge + kRipple : box.right > edge - kRipple) return true;
            }
        }
        return false;
    }

    // The layout at rest in the middle of the screen, as its screen shows it: each menu button
    // captioned by the text table's "item_<name>", the help on its first page.
    std::vector<tagPart> Rest(const std::string& name) {
        scene->Clear();
        layout = scene->CreateAnimation(name);
        EXPECT_TRUE(layout) << name;
        if (!layout) return {};
        layout->SetPosition(400, 300);
        // A comic has no rest: it stays at the end of its last panel.
        if (!layout->Play("_idle", 0, false)) {
            int last = 1;
            while (layout->Play(("_part_" + std::to_string(last + 1)).c_str(), 0, false)) ++last;
            layout->Play(("_part_" + std::to_string(last)).c_str(), 0, false);
            layout->ShowTime(layout->GetEndTime());
        }
        for (int i = 0; i < layout->GetDrawableCount(); ++i) {
            const GF::TObjectAnimationPtr object(layout->GetDrawable(static_cast<unsigned>(i)).Get());
            const GF::TSubstitutedContainerPtr place(layout->GetDrawable(static_cast<unsigned>(i)).Get());
            if (!object || !place) continue;
            const std::string& part = object->GetName();
            if (part == "_help_place") place->Substitute("help_1");
            if (!part.starts_with("_item_")) continue;
            if (const GF::TAnimationPtr button = place->GetSubstituted(0)) {
                const GF::WString* caption = GF::GetResource()->GetText("item_" + part.substr(6));
                if (caption) button->SetText("_text", *caption);
                button->Play("_up", 0, false);
            }
        }
        scene->Update(0.0f);
        layout->ApplyTransform();
        return PartsOf(layout);
    }

    // What a player sees of the animation, its parts in the order they were made.
    std::vector<tagPart> PartsOf(const GF::TAnimationPtr& animation) {
        std::vector<tagPart> parts;
        int owners = 0;
        made = 0;
        Collect(animation, "", parts, owners);
        return parts;
    }

    void Collect(const GF::TAnimationPtr& animation, const std::string& path, std::vector<tagPart>& parts,
                 int& owners) {
        const int owner = owners++;
        for (int i = 0; i < animation->GetDrawableCount(); ++i) {
            const GF::TDrawablePtr drawable = animation->GetDrawable(static_cast<unsigned>(i));
            if (!drawable || !drawable->IsVisible()) continue;
            const GF::TObjectAnimationPtr object(drawable.Get());
            const std::string name = path + (object ? object->GetName() : std::to_string(i));
            auto* abstract = dynamic_cast<GF::CDrawableAbstract*>(drawable.Get());
            const float opacity = abstract ? abstract->GetTransform().opacity : 1.0f;
            if (const GF::TSubstitutedContainerPtr place(drawable.Get()); place)
                for (int k = 0; const GF::TAnimationPtr hosted = place->GetSubstituted(k); ++k)
                    Collect(hosted, name + "/", parts, owners);
            tagPart part;
            part.path = name;
            part.box = drawable->GetBoundingBox();
            part.layer = drawable->GetLayer();
            part.owner = owner;
            part.order = made++;
            if (const GF::TTextSpritePtr text(drawable.Get()); text) {
                part.text = true;
                part.words = text->GetText();
                if (part.words.find_first_not_of(u' ') == GF::WString::npos) continue;
                // A text hung from its top reports a box that starts at its first baseline: the
                // letters stand one ascent above it.
                const GF::THolder<GF::ITextDescrition> description = text->GetTextDescription();
                const GF::THolder<GF::IFont> font = text->GetFont();
                const float scale = abstract ? std::fabs(abstract->GetTransform().scaleX) : 1.0f;
                if (description && font && description->GetVerticalAlign() == GF::IFont::kVAlignTop) {
                    const int ascent = static_cast<int>(
                        scale * (font->GetLineHeight() - static_cast<float>(font->GetBaseHeight())));
                    part.box.top -= ascent;
                    part.box.bottom -= ascent;
                }
                // Its width is that of its first line: measured again over the widest.
                if (description && font) {
                    font->SetTracking(description->GetFontTracking());
                    float widest = 0.0f;
                    for (size_t from = 0;;) {
                        const size_t to = part.words.find(u"\\n", from);
                        widest = std::max(widest, font->GetStringWidth(part.words.substr(from, to - from)));
                        if (to == GF::WString::npos) break;
                        from = to + 2;
                    }
                    const int width = static_cast<int>(widest * scale);
                    const int align = description->GetHorizontalAlign();
                    if (align == GF::IFont::kAlignCenter) {
                        const int middle = (part.box.left + part.box.right) / 2;
                        part.box.left = middle - width / 2;
                    } else if (align == GF::IFont::kAlignRight) {
                        part.box.left = part.box.right - width;
                    }
                    part.box.right = part.box.left + width;
                }
            } else if (const GF::TSpritePtr sprite(drawable.Get()); sprite) {
                if (!sprite->GetShownSprite()) continue;
                part.opaque = (sprite->GetColor() >> 24) == 0xFF && opacity >= 1.0f;
            }
            if (part.box.IsEmpty() || opacity <= 0.0f) continue;
            parts.push_back(part);
        }
    }

    // A picture over the whole window: a backdrop, which may lie under the shades.
    static bool WholeWindow(const tagPart& part) {
        return part.box.left <= 0 && part.box.top <= 0 && part.box.right >= 800 && part.box.bottom >= 600;
    }

    std::map<std::string, bool> layouts;  // name: shown over another screen
    std::vector<std::pair<float, float>> leftCloth, rightCloth;
    GF::TAnimationPtr layout;
    int made = 0;
};

}  // namespace

// A button's caption lies on its face, clear of the face's ends; any other text whose middle lies
// on a picture of its own animation (a page's caption on the page) lies wholly on it.
TEST_F(LayoutCheckGL, EveryCaptionFitsItsFaceAndEveryTextItsPicture) {
    for (const auto& [name, over] : layouts) {
        const std::vector<tagPart> parts = Rest(name);
        for (const tagPart& text : parts) {
            if (!text.text) continue;
            const auto face = std::find_if(parts.begin(), parts.end(), [&text](const tagPart& part) {
                return part.owner == text.owner && !part.text && part.path.ends_with("/face");
            });
            for (const tagPart& picture : parts) {
                if (picture.text || picture.owner != text.owner || WholeWindow(picture)) continue;
                if (face != parts.end() ? &picture != &*face : !CentreInside(text.box, picture.box)) continue;
                EXPECT_TRUE(Inside(text.box, picture.box, face != parts.end() ? kCaptionMargin : 0))
                    << name << ": \"" << Narrow(text.words) << "\" " << Box(text.box) << " runs past "
                    << picture.path << " " << Box(picture.box);
            }
        }
    }
}

TEST_F(LayoutCheckGL, NoTwoTextsOfAScreenOverlap) {
    for (const auto& [name, over] : layouts) {
        const std::vector<tagPart> parts = Rest(name);
        for (size_t a = 0; a < parts.size(); ++a)
            for (size_t b = a + 1; b < parts.size(); ++b)
                if (parts[a].text && parts[b].text) {
                    EXPECT_FALSE(Overlap(parts[a].box, parts[b].box))
                        << name << ": \"" << Narrow(parts[a].words) << "\" " << Box(parts[a].box) << " and \""
                        << Narrow(parts[b].words) << "\" " << Box(parts[b].box);
                }
    }
}

// The play screen puts the shades away while the kitchen plays, and the publisher's pictures come
// before them.
TEST_F(LayoutCheckGL, NothingAPlayerReadsOrClicksLiesUnderTheOpenShades) {
    ASSERT_EQ(leftCloth.size(), static_cast<size_t>(CWaveEffect::kRows));
    for (const auto& [name, over] : layouts) {
        if (name == "interfaces.game_screen" || name == "interfaces.publisher") continue;
        for (const tagPart& part : Rest(name))
            if (!WholeWindow(part)) {
                EXPECT_FALSE(UnderShades(part.box))
                    << name << ": " << part.path << " \"" << Narrow(part.words) << "\" " << Box(part.box);
            }
    }
}

// The board is the screen's first part to be drawn: an opaque picture under every other part.
TEST_F(LayoutCheckGL, AScreenShownOverAnotherHasABoardUnderAllItsParts) {
    for (const auto& [name, over] : layouts) {
        if (!over) continue;
        const std::vector<tagPart> parts = Rest(name);
        ASSERT_FALSE(parts.empty()) << name;
        // Drawn by layer, and in the order they were made within one.
        const auto board =
            std::min_element(parts.begin(), parts.end(), [](const tagPart& a, const tagPart& b) {
                return a.layer < b.layer || (a.layer == b.layer && a.order < b.order);
            });
        EXPECT_TRUE(!board->text && board->opaque)
            << name << ": its lowest part " << board->path << " is no board";
        for (const tagPart& part : parts)
            if (&part != &*board) {
                EXPECT_TRUE(Inside(part.box, board->box, 0))
                    << name << ": " << part.path << " " << Box(part.box) << " lies off the board "
                    << board->path << " " << Box(board->box);
            }
    }
}

// The recipe book lays its pages out itself, from the level data: on every page of the sample book,
// every recipe known, each text stands apart from the others (the page's number among them) and
// everything lies on the page.
TEST_F(LayoutCheckGL, EveryPageOfTheRecipeBookKeepsItsTextsApartAndOnThePage) {
    scene->Clear();
    CCookBookPages pages;
    pages.Init(GF::THolder<GF::IScene>(scene.Get()));
    pages.Fill(GetLevelsData().CookBook, {}, true);
    ASSERT_GT(pages.GetPageCount(), 20);
    for (int index = 0; index < pages.GetPageCount(); ++index) {
        const GF::TAnimationPtr page =
            index % 2 == 0 ? pages.BuildLeftPage(index, 1.0f, true) : pages.BuildRightPage(index, 1.0f, true);
        ASSERT_TRUE(page) << index;
        page->ApplyTransform();
        const TRect sheet = page->GetBoundingBox();
        const std::vector<tagPart> parts = PartsOf(page);
        for (size_t a = 0; a < parts.size(); ++a) {
            EXPECT_TRUE(Inside(parts[a].box, sheet, 0))
                << "page " << index + 1 << ": " << parts[a].path << " \"" << Narrow(parts[a].words) << "\" "
                << Box(parts[a].box) << " lies off the page " << Box(sheet);
            for (size_t b = a + 1; b < parts.size(); ++b)
                if (parts[a].text && parts[b].text) {
                    EXPECT_FALSE(Overlap(parts[a].box, parts[b].box))
                        << "page " << index + 1 << ": \"" << Narrow(parts[a].words) << "\" "
                        << Box(parts[a].box) << " and \"" << Narrow(parts[b].words) << "\" "
                        << Box(parts[b].box);
                }
        }
        scene->RemoveAnimation(page);
        page->Destroy();
    }
}

// A customer's order sign as the kitchen shows it, for every recipe of the sample: the recipe's name
// lies whole on the sign's header, and nothing else on the sign lies on another of its parts.
TEST_F(LayoutCheckGL, AnOrderSignKeepsEveryRecipeNameOnItsHeaderAndItsPartsApart) {
    ASSERT_FALSE(GetLevelsData().Recepts.empty());
    for (const auto& [key, recipe] : GetLevelsData().Recepts) {
        scene->Clear();
        const GF::TAnimationPtr sign = scene->CreateAnimation("interfaces.zakaz");
        ASSERT_TRUE(sign);
        sign->SetPosition(400, 300);
        sign->Play("_idle", 0, false);
        sign->SetText("_recept", recipe.Title);
        sign->SetText("_points", u"99.9");
        scene->Update(0.0f);
        sign->ApplyTransform();
        const std::vector<tagPart> parts = PartsOf(sign);
        const auto part = [&parts](const std::string& path) {
            return std::find_if(parts.begin(), parts.end(),
                                [&path](const tagPart& p) { return p.path == path; });
        };
        const auto name = part("_recept"), header = part("_header");
        ASSERT_NE(name, parts.end());
        ASSERT_NE(header, parts.end());
        EXPECT_TRUE(Inside(name->box, header->box, 2))
            << key << ": \"" << Narrow(name->words) << "\" " << Box(name->box) << " runs past the header "
            << Box(header->box);
        for (size_t a = 0; a < parts.size(); ++a)
            for (size_t b = a + 1; b < parts.size(); ++b) {
                const tagPart &one = parts[a], &two = parts[b];
                if (one.path == "back" || two.path == "back") continue;
                if ((&one == &*name && &two == &*header) || (&two == &*name && &one == &*header)) continue;
                EXPECT_FALSE(Overlap(one.box, two.box)) << key << ": " << one.path << " " << Box(one.box)
                                                        << " lies on " << two.path << " " << Box(two.box);
            }
    }
}

// The order signs stand in a column at the kitchen's right edge, as many as may wait at once, any
// one of them open: the devices and ingredient places of every kitchen level lie clear of them, so
// that a player sees every crate whoever waits.
TEST_F(LayoutCheckGL, TheOrderSignsLeaveEveryDeviceAndPlaceOfAKitchenInSight) {
    const CZacazParams& params = GetGameData().zacazParams;
    ASSERT_GT(params.customersAtOnce, 0);
    scene->Clear();
    std::vector<TRect> signs;
    for (int open = 0; open < params.customersAtOnce; ++open) {
        float y = params.firstRowY;
        for (int row = 0; row < params.customersAtOnce; ++row) {
            const GF::TAnimationPtr sign = scene->CreateAnimation("interfaces.zakaz");
            ASSERT_TRUE(sign);
            sign->SetPosition(params.columnX, y);
            if (row == open) {
                sign->Play("_show", 0, false);
                sign->ShowTime(sign->GetEndTime());
                sign->SetChildVisible("_list", true);
            } else {
                sign->Play("_idle", 0, false);
            }
            scene->Update(0.0f);
            sign->ApplyTransform();
            for (const tagPart& part : PartsOf(sign)) signs.push_back(part.box);
            y += params.rowStep + (row == open ? params.openStep : 0.0f);
        }
    }
    std::set<std::string> seen;  // most levels share the base kitchen's objects
    for (const auto& [name, level] : GetLevelsData().Levels) {
        if (level.Orders.empty()) continue;
        for (const CPlacedObjectInfo& placed : level.Objects) {
            if (!placed.Name.starts_with("Devices.") && !placed.Name.starts_with("Places.")) continue;
            if (!seen.insert(placed.Name + " " + std::to_string(placed.X) + " " + std::to_string(placed.Y))
                     .second)
                continue;
            const GF::TAnimationPtr object = ShowPlaced(placed);
            ASSERT_TRUE(object) << name << ": " << placed.Name;
            const TRect box = object->GetBoundingBox();
            for (const TRect& sign : signs)
                EXPECT_FALSE(Overlap(box, sign)) << name << ": " << placed.Name << " " << Box(box)
                                                 << " lies under an order sign " << Box(sign);
        }
    }
    EXPECT_GT(seen.size(), 8u);
}

// The tournament's ribbons in the kitchen, for every level with rivals, looked at on every frame as
// the rivals score up to the most a rival reaches there and the player then passes them all, the
// portraits gliding to their new places: each ribbon's place and points lie on its plate, and no
// portrait, at rest or on its way, lies on a text.
TEST_F(LayoutCheckGL, EveryRivalsRibbonKeepsItsTextsOnItsPlateAndClearOfThePortraits) {
    const float glide = GetGameData().rivalParams.stepInterval;
    const float frame = glide / 8.0f;
    int levels = 0;
    for (const auto& [name, level] : GetLevelsData().Levels) {
        if (level.ProgressValues.empty()) continue;
        ++levels;
        scene->Clear();
        CRivalsPanel panel;
        panel.Init(GF::THolder<GF::IScene>(scene.Get()));
        const auto look = [&](const std::string& when) {
            std::vector<tagPart> texts;
            for (const GF::TAnimationPtr& ribbon : panel.GetRibbons()) {
                ASSERT_TRUE(ribbon) << name;
                ribbon->ApplyTransform();
                const std::vector<tagPart> parts = PartsOf(ribbon);
                const auto plate =
                    std::find_if(parts.begin(), parts.end(), [](const tagPart& p) { return !p.text; });
                ASSERT_NE(plate, parts.end()) << name;
                for (const tagPart& part : parts) {
                    if (!part.text) continue;
                    EXPECT_TRUE(Inside(part.box, plate->box, 0))
                        << name << ", " << when << ": \"" << Narrow(part.words) << "\" " << Box(part.box)
                        << " runs off its ribbon " << Box(plate->box);
                    texts.push_back(part);
                }
            }
            for (const auto& entry : panel.GetEntries()) {
                ASSERT_TRUE(entry.portrait) << name;
                entry.portrait->ApplyTransform();
                const TRect portrait = entry.portrait->GetBoundingBox();
                for (const tagPart& text : texts)
                    EXPECT_FALSE(Overlap(portrait, text.box))
                        << name << ", " << when << ": the portrait of " << entry.participant << " "
                        << Box(portrait) << " lies on \"" << Narrow(text.words) << "\" " << Box(text.box);
            }
        };
        // Every glide frame by frame, until the first one a player would see wrong.
        const auto score = [&](int participant, float points) {
            panel.SetScore(participant, points);
            for (int step = 0; step < 10 && !HasFailure(); ++step) {
                panel.Step(frame);
                look("participant " + std::to_string(participant) + " at " + std::to_string(points) +
                     ", frame " + std::to_string(step));
            }
        };
        panel.ShowRivalPortraits(CRivalsPanel::kPlayer, 0.0f);
        for (const CLevelValuePair& rival : level.ProgressValues) panel.ShowRivalPortraits(rival.Slot, 0.0f);
        panel.Step(frame);
        look("the start");
        // A rival's last step lands it up to 19 points past its aim.
        float best = 0.0f;
        for (const CLevelValuePair& rival : level.ProgressValues) {
            score(rival.Slot, static_cast<float>(rival.Value + 19));
            best = std::max(best, static_cast<float>(rival.Value + 19));
        }
        score(CRivalsPanel::kPlayer, best + 1.0f);
        panel.Clear();
    }
    EXPECT_GT(levels, 0);
}

// The announcements of new ingredients and new recipes show every picture of the sample large enough
// to be made out, each apart from its name.
TEST_F(LayoutCheckGL, TheAnnouncementsShowEveryNewIngredientAndRecipeLargeBesideItsName) {
    static constexpr int kLeast = 40;  // pixels of a picture's height
    scene->Clear();
    // No level to announce: the screen only makes the elements it is asked for, in this scene.
    GetCurrentPlayer().stringVars[29] = "no_such_level";
    const GF::THolder<GF::IScreen> screen = CNewIngridientScreen::Create();
    auto* ingredients = dynamic_cast<CNewIngridientScreen*>(screen.Get());
    ASSERT_TRUE(ingredients);
    ingredients->Initialize("", GF::THolder<GF::IScene>(scene.Get()), nullptr);
    std::set<std::string> keys;
    for (const auto& [name, level] : GetLevelsData().Levels)
        keys.insert(level.NewIngridients.begin(), level.NewIngridients.end());
    ASSERT_FALSE(keys.empty());
    const auto check = [](const std::string& what, const std::vector<tagPart>& parts) {
        int pictures = 0;
        for (const tagPart& picture : parts) {
            if (picture.text) continue;
            ++pictures;
            EXPECT_GE(picture.box.bottom - picture.box.top, kLeast)
                << what << ": " << picture.path << " " << Box(picture.box) << " is too small to make out";
            for (const tagPart& text : parts)
                if (text.text) {
                    EXPECT_FALSE(Overlap(picture.box, text.box))
                        << what << ": " << picture.path << " " << Box(picture.box) << " lies on \""
                        << Narrow(text.words) << "\" " << Box(text.box);
                }
        }
        EXPECT_GT(pictures, 0) << what;
    };
    for (const std::string& key : keys) {
        const GF::TAnimationPtr element = ingredients->CreateIngredientElement(key);
        ASSERT_TRUE(element) << key;
        element->SetPosition(400, 300);
        element->Play("_show", 0, false);
        element->ShowTime(element->GetEndTime());
        scene->Update(0.0f);
        element->ApplyTransform();
        check(key, PartsOf(element));
        scene->RemoveAnimation(element);
    }
    screen->OnDestroy();

    // The recipes: the frame for as many as the sample's levels teach at once, each recipe's picture
    // held by its place, its title beside it.
    std::vector<std::string> recipes;
    for (const auto& [key, recipe] : GetLevelsData().Recepts) recipes.push_back(key);
    std::sort(recipes.begin(), recipes.end());
    for (std::size_t first = 0; first < recipes.size(); first += 3) {
        const std::size_t count = std::min<std::size_t>(3, recipes.size() - first);
        scene->Clear();
        const GF::TAnimationPtr frame =
            scene->CreateAnimation(CNewReceptScreen::kFramePrefix + std::to_string(count));
        ASSERT_TRUE(frame) << count;
        frame->SetPosition(400, 280);
        frame->Play("all", 1, false);
        frame->ShowTime(frame->GetEndTime());
        std::string what;
        std::vector<GF::TAnimationPtr> pictures;
        for (std::size_t i = 0; i < count; ++i) {
            const std::string& name = recipes[first + i];
            what += name + " ";
            const GF::TSubstitutedContainerPtr holder(frame->GetDrawable(static_cast<unsigned>(2 * i)).Get());
            const GF::TAnimationPtr picture = scene->CreateAnimation(name);
            ASSERT_TRUE(holder && picture) << name;
            picture->SetContainer(holder, true);
            pictures.push_back(picture);
            const GF::TTextSpritePtr title(frame->GetDrawable(static_cast<unsigned>(2 * i + 1)).Get());
            ASSERT_TRUE(title) << name;
            title->SetText(GetLevelsData().Recepts.at(name).Title);
        }
        scene->Update(0.0f);
        frame->ApplyTransform();
        std::vector<tagPart> parts = PartsOf(frame);
        for (const GF::TAnimationPtr& picture : pictures) {
            picture->ApplyTransform();
            for (const tagPart& part : PartsOf(picture)) parts.push_back(part);
        }
        check(what, parts);
    }
}

// What the heroine and the devices say in the kitchen: every balloon hint's words lie on its balloon,
// and every device of every kitchen level, rested on by the mouse, names itself in a balloon that
// holds the name and lies clear of the Serve button and the play screen's buttons.
TEST_F(LayoutCheckGL, EveryHintAndEveryDevicesNameLiesInItsBalloonClearOfTheKitchensControls) {
    const auto wordsOn = [this](const std::string& what, const GF::TAnimationPtr& balloon) {
        ASSERT_TRUE(balloon) << what;
        balloon->SetPosition(400, 300);
        scene->Update(0.0f);
        balloon->ShowTime(300.0f);  // shown, before it fades away
        balloon->ApplyTransform();
        const std::vector<tagPart> parts = PartsOf(balloon);
        const auto picture =
            std::find_if(parts.begin(), parts.end(), [](const tagPart& p) { return !p.text; });
        const auto words = std::find_if(parts.begin(), parts.end(), [](const tagPart& p) { return p.text; });
        ASSERT_NE(picture, parts.end()) << what;
        ASSERT_NE(words, parts.end()) << what;
        EXPECT_TRUE(Inside(words->box, picture->box, 0))
            << what << ": \"" << Narrow(words->words) << "\" " << Box(words->box) << " runs past its balloon "
            << Box(picture->box);
    };
    int hints = 0;
    for (const CHintInfo& hint : GetGameData().hints) {
        if (hint.flag2) continue;
        const GF::WString* text = GF::GetResource()->GetText(hint.name);
        ASSERT_TRUE(text) << hint.name;
        scene->Clear();
        const GF::TAnimationPtr balloon = HintBalloon(hint, *text);
        if (balloon) balloon->Play("_show", 0, false);
        wordsOn(hint.name, balloon);
        ++hints;
    }
    EXPECT_GT(hints, 10);

    // The play screen's buttons, and the Serve button over the plate of the level's own layout.
    scene->Clear();
    std::vector<tagPart> controls;
    for (const tagPart& part : Rest("interfaces.game_screen"))
        if (part.path.starts_with("_item_")) controls.push_back(part);
    ASSERT_GE(controls.size(), 3u);
    std::set<std::string> seen;
    for (const auto& [name, level] : GetLevelsData().Levels) {
        if (level.Orders.empty()) continue;
        scene->Clear();
        const GF::TAnimationPtr kitchen = scene->CreateAnimation(level.LayoutName);
        ASSERT_TRUE(kitchen) << name << ": " << level.LayoutName;
        kitchen->SetPosition(400, 300);
        kitchen->Play("_idle", 0, false);
        scene->Update(0.0f);
        kitchen->ApplyTransform();
        const GF::TAnimationPtr plate = GF::HGENS::HostedAnimation(kitchen, "_plate");
        std::vector<tagPart> near = controls;
        if (plate) {
            const GF::TAnimationPtr serve = scene->CreateAnimation("interfaces.item_delivery");
            ASSERT_TRUE(serve);
            serve->SetPosition(plate->GetPosition());
            serve->Play("_idle", 0, false);
            scene->Update(0.0f);
            serve->ApplyTransform();
            for (tagPart part : PartsOf(serve)) {
                part.path = "the Serve button";
                near.push_back(part);
            }
        }
        for (const CPlacedObjectInfo& placed : level.Objects) {
            if (!placed.Name.starts_with("Devices.")) continue;
            const CIngridientInfo* device = GetLibData().FindIngridient(placed.Name);
            ASSERT_TRUE(device) << name << ": " << placed.Name;
            if (!seen.insert(name + " " + placed.Name + " " + std::to_string(placed.X)).second) continue;
            const GF::TAnimationPtr object = ShowPlaced(placed);
            ASSERT_TRUE(object) << name << ": " << placed.Name;
            const TRect box = object->GetBoundingBox();
            const GF::TPoint<float> rest{static_cast<float>(box.left + box.right) / 2.0f,
                                         static_cast<float>(box.top + box.bottom) / 2.0f};
            const GF::TAnimationPtr balloon =
                CGameFieldBase::CreateBalloon(GF::THolder<GF::IScene>(scene.Get()), device->Title, rest);
            const std::string what = name + ": " + placed.Name + " at " + std::to_string(placed.X) + ", " +
                                     std::to_string(placed.Y);
            ASSERT_TRUE(balloon) << what;
            scene->Update(0.0f);
            balloon->ShowTime(300.0f);
            balloon->ApplyTransform();
            const TRect said = balloon->GetBoundingBox();
            for (const tagPart& control : near)
                EXPECT_FALSE(Overlap(said, control.box))
                    << what << ": its name balloon " << Box(said) << " lies under " << control.path << " "
                    << Box(control.box);
            wordsOn(what, balloon);
            scene->RemoveAnimation(balloon);
            scene->RemoveAnimation(object);
        }
    }
    EXPECT_GT(seen.size(), 8u);
}

// The kitchen's top row, its signs and the heroine's words, for every kitchen level: the play
// screen's buttons lie clear of the order signs, in their column and on their way in, and of the
// rivals' ribbons and portraits at the widest the level has them; a sign on its way into its row
// passes over none of the signs standing above it, the open one's list included; and every balloon
// hint, placed over the heroine wherever the level lets her stand, lies over all of them.
TEST_F(LayoutCheckGL, TheKitchensButtonsRibbonsSignsAndBalloonsLieClearOfEachOther) {
    const CGameData& data = GetGameData();
    const CZacazParams& params = data.zacazParams;
    std::vector<tagPart> controls;
    for (tagPart part : Rest("interfaces.game_screen"))
        if (part.path.starts_with("_item_")) controls.push_back(part);
    ASSERT_GE(controls.size(), 3u);

    // Every sign of the column, open or not, and the way a newcomer slides from its start into the
    // row below the last one standing (the panel puts every guest of a kitchen level last).
    scene->Clear();
    std::vector<tagPart> signs, sliding;
    const auto sign = [&](float x, float y, bool open, const std::string& what) {
        std::vector<tagPart> parts;
        const GF::TAnimationPtr shown = scene->CreateAnimation("interfaces.zakaz");
        EXPECT_TRUE(shown);
        if (!shown) return parts;
        shown->SetPosition(x, y);
        shown->SetLayer(data.overlayLayer + 100);  // where the kitchen puts its signs
        shown->Play(open ? "_show" : "_idle", 0, false);
        if (open) shown->ShowTime(shown->GetEndTime());
        shown->SetChildVisible("_list", open);
        scene->Update(0.0f);
        shown->ApplyTransform();
        for (tagPart part : PartsOf(shown)) {
            part.path = what + " " + part.path;
            parts.push_back(part);
        }
        return parts;
    };
    for (int open = 0; open < params.customersAtOnce; ++open) {
        std::vector<tagPart> standing;
        float y = params.firstRowY;
        for (int row = 0; row < params.customersAtOnce; ++row) {
            const std::string into = "a sign sliding into row " + std::to_string(row + 1);
            for (float k = 0.0f; k <= 1.0f; k += 0.0625f)
                for (const tagPart& part : sign(params.signX + k * (params.columnX - params.signX),
                                                params.signY + k * (y - params.signY), false, into)) {
                    sliding.push_back(part);
                    for (const tagPart& other : standing)
                        EXPECT_FALSE(Overlap(part.box, other.box))
                            << part.path << " " << Box(part.box) << " lies on " << other.path << " "
                            << Box(other.box);
                }
            const std::vector<tagPart> rest =
                sign(params.columnX, y, row == open, "a sign in row " + std::to_string(row + 1));
            standing.insert(standing.end(), rest.begin(), rest.end());
            signs.insert(signs.end(), rest.begin(), rest.end());
            y += params.rowStep + (row == open ? params.openStep : 0.0f);
        }
    }
    sliding.insert(sliding.end(), signs.begin(), signs.end());
    for (const tagPart& control : controls)
        for (const tagPart& part : sliding)
            EXPECT_FALSE(Overlap(control.box, part.box)) << control.path << " " << Box(control.box)
                                                         << " lies on " << part.path << " " << Box(part.box);

    // The balloon hints, each about its own position as its hint shows it, on the kitchen's layer for
    // them, with the lowest layer any of its parts is drawn on.
    struct tagBalloon {
        std::string name;
        TRect box;
        int lowest = 0;
    };
    std::vector<tagBalloon> balloons;
    for (const CHintInfo& hint : data.hints) {
        if (hint.flag2) continue;
        const GF::WString* text = GF::GetResource()->GetText(hint.name);
        ASSERT_TRUE(text) << hint.name;
        scene->Clear();
        const GF::TAnimationPtr balloon = HintBalloon(hint, *text);
        ASSERT_TRUE(balloon) << hint.name;
        balloon->Play(hint.flag3 ? "all" : "_show", 0, false);
        balloon->SetLayer(data.overlayLayer);
        scene->Update(0.0f);
        balloon->ShowTime(300.0f);
        balloon->ApplyTransform();
        int lowest = INT_MAX;
        for (const tagPart& part : PartsOf(balloon)) lowest = std::min(lowest, part.layer);
        balloons.push_back({hint.name, balloon->GetBoundingBox(), lowest});
    }
    ASSERT_GT(balloons.size(), 10u);

    std::set<std::string> floors;  // most levels share the base kitchen's floor and rivals
    for (const auto& [name, level] : GetLevelsData().Levels) {
        if (level.Orders.empty()) continue;
        scene->Clear();
        // The ribbons with every participant, each at the most it reaches there, at rest.
        std::vector<tagPart> top = controls;
        top.insert(top.end(), signs.begin(), signs.end());
        CRivalsPanel panel;
        panel.Init(GF::THolder<GF::IScene>(scene.Get()));
        if (!level.ProgressValues.empty()) {
            panel.ShowRivalPortraits(CRivalsPanel::kPlayer, 1.0f);
            for (const CLevelValuePair& rival : level.ProgressValues)
                panel.ShowRivalPortraits(rival.Slot, static_cast<float>(rival.Value + 19));
            for (int step = 0; step < 20; ++step) panel.Step(data.rivalParams.stepInterval / 4.0f);
            std::vector<tagPart> ribbons;
            for (const GF::TAnimationPtr& ribbon : panel.GetRibbons()) {
                ribbon->ApplyTransform();
                for (tagPart part : PartsOf(ribbon)) {
                    part.path = "a ribbon's " + part.path;
                    ribbons.push_back(part);
                }
            }
            for (const auto& entry : panel.GetEntries()) {
                entry.portrait->ApplyTransform();
                tagPart part;
                part.path = "the portrait of " + std::to_string(entry.participant);
                part.box = entry.portrait->GetBoundingBox();
                ribbons.push_back(part);
            }
            for (const tagPart& ribbon : ribbons)
                for (const tagPart& other : top)
                    EXPECT_FALSE(Overlap(ribbon.box, other.box))
                        << name << ": " << ribbon.path << " " << Box(ribbon.box) << " lies under "
                        << other.path << " " << Box(other.box);
            top.insert(top.end(), ribbons.begin(), ribbons.end());
        }

        // The heroine on every free cell of the level's floor, and each balloon over her.
        if (!floors.insert(std::to_string(level.ProgressValues.size()) + " " + level.LayoutName).second) {
            panel.Clear();
            continue;
        }
        SetFloorQuad(level.FloorQuad);
        const GF::THolder<CPers> heroine = CPers::Create(0, level.WalkGrid.begin(), level.WalkGrid.end(),
                                                         GF::THolder<GF::IScene>(scene.Get()));
        ASSERT_TRUE(heroine && heroine->GetAnimation()) << name;
        std::vector<std::pair<std::string, TRect>> stands;  // the cell, her box there
        for (int x = 0; x < CPers::kGridSize; ++x)
            for (int y = 0; y < CPers::kGridSize; ++y) {
                const std::size_t k = static_cast<std::size_t>(x * CPers::kGridSize + y);
                if (k < level.WalkGrid.size() && level.WalkGrid[k]) continue;
                heroine->SetPosition(static_cast<float>(x), static_cast<float>(y));
                heroine->GetAnimation()->ApplyTransform();
                stands.emplace_back("(" + std::to_string(x) + ", " + std::to_string(y) + ")",
                                    heroine->GetAnimation()->GetBoundingBox());
            }
        EXPECT_GT(stands.size(), 50u) << name;
        // Each balloon, centred 5 pixels above her head: the first place a player would find it
        // under something.
        for (const tagBalloon& balloon : balloons) {
            std::string found;
            for (std::size_t i = 0; i < stands.size() && found.empty(); ++i) {
                const TRect& head = stands[i].second;
                const int dx = (head.left + head.right) / 2, dy = head.top - balloon.box.bottom - 5;
                const TRect said{balloon.box.left + dx, balloon.box.top + dy, balloon.box.right + dx,
                                 balloon.box.bottom + dy};
                const std::string where =
                    Box(said) + " over the heroine on cell " + stands[i].first + " " + Box(head);
                for (const tagPart& other : top)
                    if (found.empty() && Overlap(said, other.box) && other.layer >= balloon.lowest)
                        found = where + " lies under " + other.path + " " + Box(other.box);
            }
            EXPECT_TRUE(found.empty()) << name << ": \"" << balloon.name << "\" " << found;
        }
        panel.Clear();
    }
    EXPECT_FALSE(floors.empty());
}

// The publisher's pictures at full light with the game's title the publisher screen writes over them:
// under the title the picture is a dark ground, so that the light letters read whole on it.
TEST_F(LayoutCheckGL, ThePublishersTitleReadsOnEveryStartUpPicture) {
    const std::vector<tagPart> parts = Rest("interfaces.publisher");
    const auto title =
        std::find_if(parts.begin(), parts.end(), [](const tagPart& part) { return part.text; });
    ASSERT_NE(title, parts.end());
    const GF::THolder<GF::HGENS::CSpalshDrawable> splash = GF::MakeHolder<GF::HGENS::CSpalshDrawable>();
    splash->Init();
    int pictures = 0;
    for (; !splash->IsFinished() && pictures < 9; ++pictures) {
        splash->Update(1100.0f);  // faded in
        const CEngineFixture::Pixels pixels = Draw([&splash] { splash->Render(); });
        int light = 0;
        for (int y = std::max(0, title->box.top); y < std::min(pixels.height, title->box.bottom); ++y)
            for (int x = std::max(0, title->box.left); x < std::min(pixels.width, title->box.right); ++x) {
                const DWORD c = pixels.At(x, y);
                const int luma = (30 * ((c >> 16) & 0xFF) + 59 * ((c >> 8) & 0xFF) + 11 * (c & 0xFF)) / 100;
                if (luma > 128) ++light;
            }
        EXPECT_EQ(light, 0) << splash->GetCurrentName() << ": light pixels under the title \""
                            << Narrow(title->words) << "\" " << Box(title->box);
        splash->Update(1100.0f);  // held
        splash->Update(1100.0f);  // faded out, the next one loaded
    }
    EXPECT_EQ(pictures, 2);
}
