#include "framework/app/StandIns.h"

namespace GF {
namespace StandIn {

void LoadResources() {}

void LogTextureList() {}

namespace {

class CNoneEffect : public HGENS::IGfxEffect {
public:
    CNoneEffect() : m_hge(hgeCreate(HGE_VERSION)) {}
    ~CNoneEffect() override { m_hge->Release(); }
    void BeginRender() override { HGENS::BeginScreenFrame(m_hge); }
    void EndRender() override {}
    bool IsFinished() override { return false; }
    void Update(const float&) override {}

private:
    HGE* m_hge;
};

}  // namespace

THolder<HGENS::IGfxEffect> CreateNoneEffect() {
    return THolder<HGENS::IGfxEffect>(new CNoneEffect);
}

}  // namespace StandIn
}  // namespace GF
