#pragma once
#include <cstdint>
#include <list>
#include <vector>

#include "framework/core/Holder.h"
#include "framework/scene/IAnimation.h"
#include "framework/scene/IScene.h"

// The tournament's row of ribbons: one ribbon per participant with its points and place, the most
// points on the right, and each participant's portrait gliding to the ribbon of its current place
// whenever the places change. The player is participant 6; its ribbon is shown selected.
class CRivalsPanel {
public:
    using TStep = void (CRivalsPanel::*)(const float& dt);
    static constexpr int kPlayer = 6;

    struct tagEntry {
        int32_t participant = 0;
        float points = 0.0f;
        GF::TAnimationPtr portrait;
    };

    CRivalsPanel() = default;
    ~CRivalsPanel();
    CRivalsPanel(const CRivalsPanel&) = delete;
    CRivalsPanel& operator=(const CRivalsPanel&) = delete;

    // Keeps the scene the panel creates its portraits and ribbons in.
    void Init(const GF::THolder<GF::IScene>& scene);
    // A new participant: its portrait "interfaces.pers_<participant>", one more ribbon and its place
    // among the others (after those with as many points). One whose portrait the script lacks stands
    // in the row without one.
    void ShowRivalPortraits(int participant, float points);
    // One more ribbon, "interfaces.ribbon_1" to "_4" by count (every one after the fourth is "_4"),
    // showing the points.
    void ShowRivalRibbons(float points);
    // New points for a participant: it moves among the others (after those with as many points), the
    // ribbons are renumbered and the portraits glide to their places.
    void SetScore(int participant, float points);
    // 0 for a participant the panel does not hold.
    float GetScore(int participant) const;
    // The player's place counted from 1 for the most points; the number of participants when the
    // player is not among them (0 for an empty panel).
    int GetPlayerPlace() const;
    // Takes every portrait and ribbon off the scene and empties the row.
    void Reset();
    // Reset, then lets the scene go.
    void Clear();

    // The current step handler, called by the field every frame: the glide while portraits move,
    // otherwise nothing.
    void Step(const float& dt) { (this->*m_step)(dt); }
    void GlideStep(const float& dt);

    // In the order they were added; the ribbon at index m - 1 - i belongs to entry i.
    const std::vector<GF::TAnimationPtr>& GetRibbons() const { return m_ribbons; }
    // In ascending order of points.
    const std::list<tagEntry>& GetEntries() const { return m_entries; }

private:
    void Rest(const float& dt);
    // The ribbon of list position i; empty when the position has none.
    GF::TAnimationPtr RibbonOf(int position) const;
    // The list position of the participant; -1 when the panel does not hold it.
    int PositionOf(int participant) const;
    // Ribbons to their places in the row; each portrait covers the share k of its way to its ribbon.
    void LayOut(float k);
    void Renumber();

    std::vector<GF::TAnimationPtr> m_ribbons;
    TStep m_step = &CRivalsPanel::Rest;
    std::list<tagEntry> m_entries;
    GF::THolder<GF::IScene> m_scene;
    int32_t m_movingEntry = -1;
    int32_t m_playerEntry = 0;
    float m_glideTimer = 0.0f;
};
