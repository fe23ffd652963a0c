#pragma once
#include <string>

#include "framework/core/Holder.h"
#include "framework/core/WString.h"
#include "framework/scene/FGParticle.h"
#include "framework/scene/SceneFwd.h"
#include "game/app/ScreenMaker.h"
#include "game/screens/GameMenuScreen.h"

// The figures of the level just played, shared by the level result and the lose screen. The profile
// is looked up at each use: a settings load or a restart replaces the player store under a screen.

// The place of the last level: float variable 5, truncated, modulo 100 (1 best, 0 none).
int GetLevelPlace();
// The number in decimal, as the layouts' texts take it.
GF::WString DecimalText(int number);
// The text with its first `token` replaced; unchanged when the token does not occur.
GF::WString ReplaceFirst(const GF::WString& text, const std::u16string& token, const GF::WString& with);
// Shows the named object in the host's placeholder child `part`; empty (nothing shown) when either
// is missing.
GF::TAnimationPtr ShowInPart(const GF::TAnimationPtr& host, const std::string& part,
                             const std::string& object);
// The stage's country in "place_country" and the texts "_points" (float variable 4), "_place",
// "_dish" (6), "_round" (its first "_round" becomes the level's number) and "_place_index" (the
// text "index_<place>").
void ShowLevelFigures(const GF::TAnimationPtr& layout);

// The result of a won kitchen level ("StatisticsScreen"): points, dishes, place and level number
// with the place's ribbon, the stage's country and a burst of sparks once idle. It improves the
// level's stored best place in memory (a place of 0 improves nothing) and ends with "replay", which
// names the level just played as the one to play next, or "next" (its button "continue").
class CStatisticsScreen : public TGameMenuScreen, public CScreenMaker<CStatisticsScreen> {
public:
    static constexpr int kShowSound = 17;
    static constexpr const char* kParticleFile = "Particle\\win_place.fgp";
    static constexpr const char* kParticlePart = "_part_place";

    ~CStatisticsScreen() override;

    void OnInitialize() override;
    void Show() override;
    void Idle() override;
    void Hide() override;
    void OnCommand(const std::string& command) override;

    // The sparks of the last Idle; empty before it.
    const GF::THolder<GF::HGENS::CFGParticle>& GetParticle() const { return m_particle; }

private:
    friend CScreenMaker<CStatisticsScreen>;
    CStatisticsScreen() = default;

    GF::THolder<GF::HGENS::CFGParticle> m_particle;
};
