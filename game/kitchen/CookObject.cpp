#include "game/kitchen/CookObject.h"

#include <cmath>
#include <cstdint>

#include "framework/app/GameSound.h"
#include "framework/scene/DrawableAbstract.h"
#include "framework/scene/FGParticle.h"
#include "game/app/GameLog.h"
#include "game/app/GameSounds.h"
#include "game/app/SoundNames.h"
#include "game/kitchen/GameScene.h"

namespace {

constexpr int kStartSoundKey = 33;
constexpr int kDoneSoundKey = 34;
const char* const kStove = "Devices.electric_stove_4";
const char* const kMicrowave = "Devices.micro_wave";

// The one fire the working electric stoves share: one share per working stove; the last share given
// back puts it out. Kept by shares rather than by counting starts and ends, so that a stove dropped
// while it works (a level cleared mid-work) gives its share back too.
struct CStoveFire {
    GF::THolder<GF::HGENS::CFGParticle> particles;
    int shares = 0;
};

CStoveFire& StoveFire() {
    static CStoveFire fire;
    return fire;
}

bool StartsWithOvenSound(const std::string& name) {
    return name == "Devices.saucepan_2" || name == "Devices.griddle_2" || name == "Devices.saucepan" ||
           name == "Devices.griddle";
}

}  // namespace

GF::THolder<CCookObject> CCookObject::Create(const CPlacedObjectInfo& placement,
                                             const GF::THolder<GF::IScene>& scene) {
    return GF::THolder<CCookObject>(new CCookObject(placement, scene));
}

GF::THolder<CCookObject> CCookObject::CreateHidden(const CPlacedObjectInfo& placement,
                                                   const GF::THolder<GF::IScene>& scene) {
    const GF::THolder<CCookObject> object = Create(placement, scene);
    if (object->m_animation && object->GetInfo().Kind != 0) object->m_animation->Play("_idle", 0, false);
    object->SetShown(false);
    return object;
}

void CCookObject::SetShown(bool shown) {
    m_ready = shown;
    if (!m_animation) return;
    m_animation->SetVisible(shown);
    m_animation->SetActive(shown);
}

CCookObject::CCookObject(const CPlacedObjectInfo& placement, const GF::THolder<GF::IScene>& scene)
    : m_placement(placement) {
    m_info = GetLibData().FindIngridient(placement.Name);
    if (!m_info) {
        GameLog("Kitchen object \"%s\" is not in the library", placement.Name.c_str());
        m_ownInfo.Name = placement.Name;
        m_info = &m_ownInfo;
    }
    if (scene) m_animation = scene->CreateAnimation(placement.Name);
    if (!m_animation) {
        GameLog("Kitchen object \"%s\" has no animation", placement.Name.c_str());
        return;
    }
    m_animation->SetPosition(placement.X, placement.Y);
    m_animation->SetScale(placement.ScaleX, placement.ScaleY);
    m_animation->SetRotation(placement.Rotation);
    m_animation->SetOpacity(placement.Opacity);
    m_animation->SetLayer(placement.Layer);
    m_animation->Update(0.0f);
    m_box = m_animation->GetBoundingBox();
}

CCookObject::~CCookObject() {
    ReturnFireShare();
    if (m_animation) m_animation->Reset();
}

bool CCookObject::IsStove() const {
    return m_placement.Name == kStove;
}

bool CCookObject::HitTest(const GF::TPoint<int>& point, bool refreshBox) {
    if (!m_animation) return false;
    if (refreshBox) m_box = m_animation->GetBoundingBox();
    if (point.x < m_box.left || point.x > m_box.right || point.y < m_box.top || point.y > m_box.bottom)
        return false;
    if (!m_info->PixelHitTest) return true;
    const GF::TPoint<float> local = GF::InverseTransformPoint(
        m_animation->GetTransform(), {static_cast<float>(point.x), static_cast<float>(point.y)});
    return MaskHit(m_info->Mask, local);
}

bool MaskHit(const CCellMaskInfo& mask, const GF::TPoint<float>& local) {
    // Beyond this no mask reaches; it also keeps the truncation below inside the integer's range.
    constexpr double kFar = 1e9;
    if (!std::isfinite(local.x) || !std::isfinite(local.y) || std::fabs(local.x) > kFar ||
        std::fabs(local.y) > kFar)
        return false;
    const int64_t mx = static_cast<int64_t>(local.x) - mask.Value2;
    const int64_t my = static_cast<int64_t>(local.y) - mask.Value3;
    if (mx < 0 || my < 0 || mx >= mask.Value1 || my >= static_cast<int64_t>(mask.Value4) - 1) return false;
    if (mask.Cells.empty()) return true;
    const int64_t index = static_cast<int64_t>(mask.Value1) * my + mx;
    if (index >= static_cast<int64_t>(mask.Cells.size())) return false;
    return mask.Cells[static_cast<std::size_t>(index)] == 0;
}

void CCookObject::Setup() {
    if (!m_animation) return;
    if (StartsWithOvenSound(m_placement.Name))
        PlaySoundByName(kSoundOvenStart);
    else
        PlayGameSound(kStartSoundKey);
    const std::string& working = m_info->Label2;
    GF::HGENS::CGameSound::Instance()->PlaySound(m_placement.Name == kMicrowave ? working + "1" : working,
                                                 0.0f, 0.0f);
    if (IsStove()) TakeFireShare();
    m_animation->Play("_work", 0, false);
}

void CCookObject::SetState() {
    if (!m_animation) return;
    const GF::THolder<GF::HGENS::CGameSound> sounds = GF::HGENS::CGameSound::Instance();
    sounds->StopSound(m_info->Label2);
    sounds->PlaySound(kSoundDeviceDone, 0.0f, 0.0f);
    PlayGameSound(kDoneSoundKey);
    m_animation->Play(IsStove() ? "_closed" : "_idle", 0, false);
    ReturnFireShare();
}

void CCookObject::TakeFireShare() {
    if (m_holdsFireShare) return;
    CStoveFire& fire = StoveFire();
    if (!fire.particles) {
        fire.particles = GF::HGENS::CFGParticle::Create("Particle\\fire_big.fgp", "particles", -1.0f, false);
        fire.particles->layer = 1000;
        fire.particles->MoveTo(300.0f, 400.0f);
        fire.particles->SetScene(GetGameScene());
    }
    ++fire.shares;
    m_holdsFireShare = true;
}

void CCookObject::ReturnFireShare() {
    if (!m_holdsFireShare) return;
    m_holdsFireShare = false;
    CStoveFire& fire = StoveFire();
    if (--fire.shares > 0 || !fire.particles) return;
    fire.particles->Detach();
    fire.particles->SetScene({});
    fire.particles.Reset();
}
