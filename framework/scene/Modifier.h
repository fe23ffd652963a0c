#pragma once
#include <utility>
#include <vector>

#include "framework/core/Holder.h"
#include "framework/core/RefCount.h"
#include "framework/scene/Param.h"

namespace GF {
namespace HGENS {

// One modulated parameter as the resource script describes it.
struct CParamModifierData {
    int id = 0;               // the parameter number the owner asks for
    int waveform = 0;         // 1 = sine; anything else gives 0.0
    int count = 0;            // summed sine components; 0 or less gives 0.0
    float min = 0.0f;         // bottom of each component's swing
    float max = 0.0f;         // top of each component's swing
    float fPeriodMin = 0.0f;  // seconds
    float fPeriodMax = 0.0f;
};

}  // namespace HGENS

using TParamModifierList = CContainerRef<std::vector<HGENS::CParamModifierData>>;

// A never-repeating wobble added to numbered properties of a live object: each parameter is a sum of
// sines whose periods are drawn at random when the data is set, so copies of one description never
// move in step. Owners update it once a frame with the frame time in seconds and add GetValue(id)
// to the properties they know.
class IParamModifier : public CRefCount {
public:
    virtual bool Update(const float& dt) = 0;
    // The current value of the first parameter with this id; 0.0 when none has it.
    virtual float GetValue(int id) const = 0;
    // Keeps the shared list and draws every component's period (Random_Float of the engine).
    virtual void SetData(const THolder<TParamModifierList>& data) = 0;
};

namespace HGENS {

class CParamModifier : public IParamModifier {
public:
    static THolder<IParamModifier> Create();

    bool Update(const float& dt) override;
    float GetValue(int id) const override;
    void SetData(const THolder<TParamModifierList>& data) override;

private:
    struct TComponent {
        float period;
        float weight;
    };
    struct TState {
        std::vector<TComponent> components;
        float value = 0.0f;
    };

    THolder<TParamModifierList> m_data;
    std::vector<TState> m_states;
    float m_time = 0.0f;
};

}  // namespace HGENS
}  // namespace GF
