#include "framework/app/StandIns.h"

#include <cstdio>

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

int RunCompileMode(const std::string& source, const std::string& destination) {
    std::fprintf(stderr, "The script compile mode is not built yet: %s -> %s not compiled\n", source.c_str(),
                 destination.c_str());
    return 1;
}

}  // namespace StandIn
}  // namespace GF
