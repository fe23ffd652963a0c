#pragma once
#include <cstddef>
#include <cstdint>
#include <list>
#include <string>
#include <utility>
#include <vector>

#include "framework/core/Holder.h"
#include "framework/core/Point.h"
#include "framework/core/Random.h"
#include "framework/scene/Rect.h"
#include "game/kitchen/CookObject.h"
#include "game/kitchen/GameFieldBase.h"
#include "game/kitchen/Pers.h"
#include "game/kitchen/ReceptPanel.h"

// The field of an ordinary kitchen level. Customers come in one after another (two at a time in a
// duel) from a queue built from the level's orders, the heroine walks between the devices, the
// ingredient places and the plate as the player clicks, and the level clock runs to closing time;
// when the last customer has gone the result is stored, the result picture plays and the field
// reports the level over. It also gives the player's help: the light hint with its gauge, the fog
// over a plate ready to serve, idle hints, the glow of the device under the mouse and its name in a
// balloon, and devices that vanish when taken from and come back.
class CGameField : public CGameFieldBase {
public:
    using TStep = void (CGameField::*)(const float& dt);

    static GF::THolder<CGameField> Create();
    ~CGameField() override;

    void AddScore(float points) override;
    // The device of the library name's title; with onlyReady only a free and ready one. The first
    // free and ready match wins, else the last match; empty for a name the library lacks.
    GF::THolder<CCookObject> FindObject(const std::string& name, bool onlyReady) override;
    void ClearLevel() override;
    // False for a level the table lacks, and for a level with fewer than four floor corners
    // (logged): that level is not played and the field ends at its first frame with no result.
    bool StartLevel(const std::string& levelName) override;
    void SetLevelLayout(GF::TAnimationPtr layout) override;
    void SetPaused(bool paused) override;
    void Update(const float& dt) override;
    void Init(GF::TAnimationPtr layout, GF::THolder<GF::IScreen> screen) override;
    // The debug keys: digit 1 wins the level, 3 puts on the next dress, 5 brings the level's next
    // bonus, 9 makes the clock and the patience run four times as fast.
    void OnKeyDown(int key) override;
    void UpdatePaused(const float& dt) override;
    void OnLightHint() override;
    void ServeCustomer(const GF::THolder<CZacaz>& customer) override;
    void OnDeliveryButton() override;
    void UpdatePlace() override;
    void FinishLevel() override;
    void ShowLevelIntro() override;
    GF::THolder<CCookObject> GetNextObject(int mode) override;
    void OnTakeObject(GF::THolder<CCookObject> object) override;
    bool OnSpecialCustomer(int kind) override;
    // A duel customer's bonus makes the others drop theirs; the rival's brings the player nothing.
    // Without a customer nothing happens.
    void AddBonus(const CBonusInfo& bonus, GF::TAnimationPtr visual,
                  const GF::THolder<CZacaz>& customer) override;
    std::list<GF::THolder<CCookObject>> GetObjectList() override;
    CReceptPanel* GetReceptPanel() override;
    GF::THolder<CPers> GetPers() override;
    void ResetLevel() override;
    void OnMouseRest(const GF::TPoint<float>& pos) override;
    void OnMouseMoveAfterRest(const GF::TPoint<float>& pos) override;
    virtual void UpdateTakenObjects(const float& dt);
    virtual void UpdateLevelClock(const float& dt);

    // The next customer of the queue comes in, while fewer than customers at once are present; a
    // duel entry brings the first unused entry of its kind and the step goes on. At most one pass
    // over the queue per call; an empty queue brings nobody.
    void BringNextCustomer();
    // The first queue entry of the kind whose customer has not come yet; -1 when none is left.
    int FindQueueEntry(int kind);

    // The runtime's shuffle of items[first..]: position k of the run swaps with a draw below k + 1,
    // the draw built from GF::Rand's 15-bit values while the range is short of k + 1. The queue's
    // random runs and the hidden-object order come out of it, so a seed gives them again.
    template <class T>
    static void ShuffleByRand(std::vector<T>& items, std::size_t first = 0) {
        for (std::size_t k = 1; first + k < items.size(); ++k) {
            uint64_t range = GF::kRandMax;
            uint64_t draw = static_cast<uint64_t>(GF::Rand());
            while (range < k + 1) {
                range = range << 15 | GF::kRandMax;
                draw = draw << 15 | static_cast<uint64_t>(GF::Rand());
            }
            std::swap(items[first + k], items[first + draw % (k + 1)]);
        }
    }

    bool IsPlaying() const { return m_step == &CGameField::UpdatePlay; }
    bool IsClosed() const { return m_closed; }
    int GetCustomersServed() const { return m_customersServed; }
    void SetLightCharge(float ms) { m_lightCharge = ms; }

    // The floor geometry of the clicks: a screen point as a floor cell (fractions kept), the heroine's
    // depth scale there, an integer rectangle with its edges, the first device under a point.
    static GF::TPoint<float> ScreenToFloorCell(const GF::TPoint<float>& p);
    static float DepthScaleAt(const GF::TPoint<float>& p);
    static bool PointInRect(const GF::TPoint<float>& p, const GF::TRect& r);
    GF::THolder<CCookObject> FindDeviceAt(const GF::TPoint<float>& p);

protected:
    CGameField();

    void UpdateIntroWait(const float& dt);
    void UpdatePlay(const float& dt);
    void UpdateEndWait(const float& dt);
    void SetCustomersAtOnce(int32_t count) { m_customersAtOnce = count; }

private:
    struct CTakenObject {
        float elapsed = 0.0f;
        GF::THolder<CCookObject> device;
    };

    void FillCustomerQueue();
    void SetUpRivals();
    void MakePers();
    void StartClosingTime();
    void QueueLastStageTutorial();
    // The tutorial's last page played out: its board leaves the scene, the rivals start, and the
    // manual is asked for.
    void EndLastStageTutorial();
    void UpdateClicks(const float& dt);
    void OnDeviceClick(const GF::THolder<CCookObject>& device);
    void OnWrongClick(bool a, bool b);
    void UpdateFog(const float& dt);
    void UpdateLightCharge(const float& dt);
    void StartHintParticles();
    void UpdateHoverGlow(const float& dt);
    void ShowIdleHint();
    void LightObject(const GF::THolder<CCookObject>& device);
    bool IsRefused() const { return !m_level; }

    TStep m_step = &CGameField::UpdateIntroWait;
    std::list<CTakenObject> m_takenObjects;
    int32_t m_happyCustomers = 0;
    int32_t m_nextQueueIndex = 0;
    float m_arrivalTimer = 0.0f;
    CReceptPanel m_receptPanel;
    GF::THolder<CPers> m_pers;
    std::list<GF::THolder<CCookObject>> m_devices;
    int32_t m_customersServed = 0;
    float m_lightCharge = 0.0f;
    GF::THolder<CCookObject> m_hovered;
    GF::THolder<CCookObject> m_fading;
    bool m_closed = false;
    float m_hoverGlowTime = 0.0f;
    float m_fadingGlowTime = 0.0f;
    int32_t m_moodPoints = 0;
    float m_fogTime = 0.0f;
    int32_t m_customersAtOnce = 0;
    bool m_clockBlink = false;
    float m_idleTime = 0.0f;
    int32_t m_lightHintsUsed = 0;
    int32_t m_servedInTime = 0;
    bool m_paused = false;
    std::vector<bool> m_queueUsed;
    float m_tickCountdown = 0.0f;
    GF::TAnimationPtr m_tutorial;
};
