#include "framework/scene/Modifier.h"

#include <algorithm>
#include <cmath>

#include "engine/Hge.h"

namespace GF {
namespace HGENS {

namespace {

constexpr float kPi = 3.1415927f;

}  // namespace

THolder<IParamModifier> CParamModifier::Create() {
    return THolder<IParamModifier>(new CParamModifier);
}

void CParamModifier::SetData(const THolder<TParamModifierList>& data) {
    m_data = data;
    m_states.clear();
    m_time = 0.0f;
    if (!m_data) return;
    HGE* hge = hgeCreate(HGE_VERSION);
    for (const CParamModifierData& entry : *m_data) {
        TState state;
        float weight = 1.0f;
        for (int i = 0; i < entry.count; ++i) {
            const float period = hge ? hge->Random_Float(entry.fPeriodMin, entry.fPeriodMax) : 0.0f;
            state.components.push_back({period, weight});
            weight /= 1.5f;
        }
        m_states.push_back(std::move(state));
    }
    if (hge) hge->Release();
}

bool CParamModifier::Update(const float& dt) {
    if (m_data && dt != 0.0f) {
        const std::size_t count = std::min(m_states.size(), m_data->size());
        for (std::size_t i = 0; i < count; ++i) {
            const CParamModifierData& entry = (*m_data)[i];
            TState& state = m_states[i];
            state.value = 0.0f;
            for (const TComponent& component : state.components) {
                float v = 0.0f;
                if (entry.waveform == 1) {
                    // A period of 0 (both bounds 0 in the data) has no phase: the component rests in
                    // the middle of its swing instead of dividing by zero.
                    const float wave = std::fabs(component.period) > 0.0f
                                           ? std::sin(2.0f * kPi * m_time / component.period)
                                           : 0.0f;
                    v = (entry.max - entry.min) * (0.5f + 0.5f * wave) + entry.min;
                }
                state.value += (v / static_cast<float>(entry.count)) * component.weight;
            }
        }
    }
    m_time += dt;
    return true;
}

float CParamModifier::GetValue(int id) const {
    if (!m_data) return 0.0f;
    const std::size_t count = std::min(m_states.size(), m_data->size());
    for (std::size_t i = 0; i < count; ++i)
        if ((*m_data)[i].id == id) return m_states[i].value;
    return 0.0f;
}

}  // namespace HGENS
}  // namespace GF
