#pragma once
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/core/WString.h"
#include "framework/gui/BaseControl.h"
#include "framework/scene/IAnimation.h"
#include "game/app/LevelsData.h"
#include "game/kitchen/ISpyBonusGameField.h"
#include "game/kitchen/PlaceInBonusGameField.h"
#include "game/kitchen/ReceptPanel.h"
#include "game/kitchen/Zacaz.h"
#include "tests/game/kitchen/KitchenPlay.h"
#include "tests/support/LevelRun.h"

// A mouse script for the bonus mini-games' runs: steps played one a frame, each done when it
// answers true (a wait keeps answering false until its condition holds). The help that a bonus
// level's intro opens is skipped through its "skip" button before any step plays.
class CBonusScript {
public:
    using TStep = std::function<bool(CLevelRun& run)>;

    void Then(TStep step) { m_steps.push_back(std::move(step)); }
    void Do(std::function<void(CLevelRun& run)> action) {
        Then([action](CLevelRun& r) {
            action(r);
            return true;
        });
    }
    void Until(std::function<bool(CLevelRun& run)> condition) { Then(std::move(condition)); }
    void Wait(int frames) {
        for (int i = 0; i < frames; ++i) Then([](CLevelRun&) { return true; });
    }
    void Move(int x, int y) {
        Do([x, y](CLevelRun& r) { r.MoveMouse(x, y); });
        Wait(1);
    }
    void Press(int x, int y) {
        Do([x, y](CLevelRun& r) {
            r.MoveMouse(x, y);
            r.Button(true, x, y);
        });
        Wait(1);
    }
    void Release(int x, int y) {
        Do([x, y](CLevelRun& r) { r.Button(false, x, y); });
        Wait(1);
    }
    void Click(int x, int y) {
        Press(x, y);
        Release(x, y);
    }

    // One frame of the script; false once every step has played.
    bool Step(CLevelRun& r) {
        if (skipHelp && r.TopName() == "HelpScreen") {
            SkipHelp(r);
            return true;
        }
        if (m_helpPressed) {  // the help went on the press: the button comes up before play
            r.Button(false, 0, 0);
            m_helpPressed = false;
            return true;
        }
        if (m_steps.empty()) return false;
        if (m_steps.front()(r)) m_steps.pop_front();
        return true;
    }

    // Plays the script in the run, `start` beginning the level on the first frame; false when the run
    // failed or ran out of frames.
    bool RunIn(CLevelRun& run, const std::function<void(CLevelRun& r)>& start) {
        const int code = run.Run([&](CLevelRun& r) {
            if (r.FrameNumber() > 0) return Step(r);
            start(r);
            return true;
        });
        return code == 0 && !run.timedOut;
    }

    bool skipHelp = true;  // a script that visits the help on purpose turns this off meanwhile

private:
    void SkipHelp(CLevelRun& r) {
        const GF::THolder<GF::HGENS::CBaseControl> skip = r.Top()->FindControl("skip");
        if (!skip) return;
        const GF::TRect box = skip->GetHitRect();
        const int x = (box.left + box.right) / 2;
        const int y = (box.top + box.bottom) / 2;
        if (!m_helpPressed) r.MoveMouse(x, y);
        r.Button(!m_helpPressed, x, y);
        m_helpPressed = !m_helpPressed;
    }

    std::deque<TStep> m_steps;
    bool m_helpPressed = false;
};

// The place-the-items field of the run's game screen; null on any other field.
inline CPlaceInBonusGameField* PlaceIn(CLevelRun& r) {
    return dynamic_cast<CPlaceInBonusGameField*>(r.Field().Get());
}

inline GF::TPoint<float> PositionOf(const GF::THolder<CCookObject>& object) {
    return object->GetAnimation()->GetPosition();
}

// The first item of that name still in the bar.
inline GF::THolder<CCookObject> BarItem(CLevelRun& r, const std::string& name) {
    for (const GF::THolder<CCookObject>& item : PlaceIn(r)->GetPanel().GetItems())
        if (item->GetName() == name) return item;
    return {};
}

// Where an item of that name is dropped: 400 pixels right of its first place.
inline GF::TPoint<int> DropPoint(CLevelRun& r, const std::string& name) {
    for (const GF::THolder<CCookObject>& place : PlaceIn(r)->GetPlaces())
        if (place->GetName() == name) {
            const GF::TPoint<float> at = PositionOf(place);
            return {static_cast<int>(at.x) + 400, static_cast<int>(at.y)};
        }
    return {-1000, -1000};
}

// Drags the bar's first item of that name to the point: press on it, move, release.
inline void Drag(CBonusScript& s, const std::string& name, std::function<GF::TPoint<int>(CLevelRun&)> to) {
    auto from = std::make_shared<GF::TPoint<int>>();
    auto target = std::make_shared<GF::TPoint<int>>();
    s.Do([=](CLevelRun& r) {
        const GF::TPoint<float> at = PositionOf(BarItem(r, name));
        *from = {static_cast<int>(at.x), static_cast<int>(at.y)};
        *target = to(r);
        r.MoveMouse(from->x, from->y);
        r.Button(true, from->x, from->y);
    });
    s.Wait(1);
    s.Do([=](CLevelRun& r) { r.MoveMouse(target->x, target->y); });
    s.Wait(1);
    s.Do([=](CLevelRun& r) { r.Button(false, target->x, target->y); });
    s.Wait(1);
}

// The hidden-object field of the run's game screen; null on any other field.
inline CISpyBonusGameField* ISpy(CLevelRun& r) {
    return dynamic_cast<CISpyBonusGameField*>(r.Field().Get());
}

// The things the hidden-object levels' list names, in the order they are asked for now.
inline std::vector<std::string> HiddenList() {
    std::vector<std::string> names;
    for (const CReceptItemInfo& item : GetLevelsData().FindRecept("hidden_things")->Items)
        names.push_back(item.Name);
    return names;
}

// A click on the thing the list names at `item`, then the wait until it has reached the order.
inline void FindHidden(CBonusScript& s, int item) {
    auto at = std::make_shared<GF::TPoint<int>>();
    s.Do([=](CLevelRun& r) {
        for (const GF::THolder<CCookObject>& object : ISpy(r)->GetObjectList())
            if (object->GetName() == HiddenList()[static_cast<std::size_t>(item)]) {
                const GF::TPoint<float> p = object->GetAnimation()->GetPosition();
                *at = {static_cast<int>(p.x), static_cast<int>(p.y)};
            }
        r.MoveMouse(at->x, at->y);
        r.Button(true, at->x, at->y);
    });
    s.Wait(1);
    s.Do([=](CLevelRun& r) { r.Button(false, at->x, at->y); });
    s.Until([item](CLevelRun& r) {
        return KitchenPlay::StruckItems(*ISpy(r)->GetReceptPanel()->GetCurrentCustomer()) > item;
    });
}

inline std::string TextOf(const GF::TAnimationPtr& animation, const char* part) {
    const GF::WChar* text = animation ? animation->GetText(part) : nullptr;
    return text ? GF::Utf16ToUtf8(text) : std::string();
}

// The picture's pixel at a point of the game's 800 x 600, whatever the window's size.
inline uint32_t PixelAt(CLevelRun& r, int x, int y) {
    int width = 0;
    int height = 0;
    const std::vector<uint32_t> picture = r.Picture(&width, &height);
    if (picture.empty()) return 0;
    return CLevelRun::At(picture, width, x * width / 800, y * height / 600);
}

inline int Red(uint32_t color) {
    return static_cast<int>(color >> 16 & 0xFF);
}
inline int Green(uint32_t color) {
    return static_cast<int>(color >> 8 & 0xFF);
}
inline int Blue(uint32_t color) {
    return static_cast<int>(color & 0xFF);
}
