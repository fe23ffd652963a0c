#pragma once
#include <cstdint>

#include "framework/core/Holder.h"
#include "framework/core/Point.h"
#include "framework/core/RefCount.h"
#include "framework/scene/HgeColor.h"
#include "framework/scene/Param.h"
#include "framework/scene/ParamTrack.h"

namespace GF {

// How a value moves inside the key in force: Calc writes the value of `current` for the time inside
// the key. Built once when a key is entered, called every frame after.
template <class P>
class DoBaseStrategy : public CRefCount {
public:
    virtual void Calc(P& current, float timeInKey) = 0;
};

// The value of the key in force holds (stepped keys).
template <class P>
class DoNothing : public DoBaseStrategy<P> {
public:
    void Calc(P&, float) override {}
};

// A straight line from one key's value to the next key's, reached at the end of the first key's span.
namespace detail {

// Out-of-range results (a negative time inside the first key extrapolates) saturate instead of
// overflowing the conversion.
inline int TruncToInt(float v) {
    if (!(v == v)) return 0;
    if (v >= 2147483648.0f) return INT32_MAX;
    if (v <= -2147483648.0f) return INT32_MIN;
    return static_cast<int>(v);
}

inline float Lerp(float from, float to, float f) {
    return from * (1.0f - f) + to * f;
}
inline int Lerp(int from, int to, float f) {
    return TruncToInt(static_cast<float>(from) * (1.0f - f) + static_cast<float>(to) * f);
}
template <class T>
TPoint<T> Lerp(const TPoint<T>& from, const TPoint<T>& to, float f) {
    return {Lerp(from.x, to.x, f), Lerp(from.y, to.y, f)};
}
inline hgeColor Lerp(const hgeColor& from, const hgeColor& to, float f) {
    const hgeColor a = from * (1.0f - f);
    const hgeColor b = to * f;
    return hgeColor(a.r + b.r, a.g + b.g, a.b + b.b, a.a + b.a);
}
// A substitution command never ramps.
inline CCommandSubst Lerp(const CCommandSubst& from, const CCommandSubst&, float) {
    return from;
}

}  // namespace detail

template <class P>
class DoLine : public DoBaseStrategy<P> {
public:
    DoLine(const P& from, const P& to)
        : m_from(from), m_to(to), m_divisor(from.duration == 0.0f ? 1.0f : from.duration) {}

    void Calc(P& current, float timeInKey) override {
        float f = timeInKey / m_divisor;
        if (m_clamp && f > 1.0f) f = 1.0f;  // no lower bound: a negative time extrapolates
        current.value = detail::Lerp(m_from.value, m_to.value, f);
    }

private:
    P m_from;
    P m_to;
    float m_divisor;
    bool m_clamp = true;
};

template <>
class DoLine<TKindParam<EParamKind::CommandSubstAnimation>>
    : public DoNothing<TKindParam<EParamKind::CommandSubstAnimation>> {
public:
    using Key = TKindParam<EParamKind::CommandSubstAnimation>;
    DoLine(const Key&, const Key&) {}
};

// The value a player of kind K shows before its first key and after a rewind.
template <EParamKind K>
typename TParamKind<K>::Value DefaultParamValue() {
    if constexpr (K == EParamKind::IDResource)
        return -1;
    else if constexpr (K == EParamKind::Opaque)
        return 1.0f;
    else if constexpr (K == EParamKind::Scale)
        return TPoint<float>(1.0f, 1.0f);
    else if constexpr (K == EParamKind::Color)
        return hgeColor(1.0f, 1.0f, 1.0f, 1.0f);
    else
        return typename TParamKind<K>::Value{};
}

// The player of one shared key list of kind K for one live object: which key is in force at the
// owner's time, the value now (ramped inside the key when the key asks for it), and whether the value
// changed in the last update, so that the owner only pushes changes on. A command kind acts on the
// frame its key is entered: the changed flag is set exactly then.
template <EParamKind K>
class TTrackPlayer {
public:
    using Value = typename TParamKind<K>::Value;
    using Key = TKindParam<K>;
    using KeyList = TParamList<K>;
    using Strategy = DoBaseStrategy<Key>;

    TTrackPlayer() : TTrackPlayer(DefaultParamValue<K>()) {}
    // A player whose value before its first key is not the kind's usual default.
    explicit TTrackPlayer(const Value& defaultValue) : m_default(defaultValue) {
        m_current.value = m_default;
    }

    // Plays the given shared list (none: an empty one). The key in force and the value stay until the
    // next update selects a key of the new list.
    void Bind(const THolder<KeyList>& keys) {
        m_keys = keys ? keys : CreateParamList<K>();
        if constexpr (K == EParamKind::CommandSubstAnimation) {
            // The drawable builds the command list itself; the track lasts as long as its last key.
            m_length = m_keys->empty() ? 0.0f : m_keys->back().duration;
        } else {
            m_length = TParamTrack<K>::Length(m_keys.Get());
        }
    }

    // Back to no key and the default value, with a new empty list. The changed flag, the time, the
    // length and the strategy stay.
    void Rewind() {
        m_keyIndex = -1;
        m_current = Key{m_default, 0, 0.0f};
        m_keys = CreateParamList<K>();
    }

    THolder<KeyList> GetKeys() const { return m_keys; }

    // Evaluates the track at the owner's time t; answers whether the value (for a command: the key)
    // differs from before. An empty list changes nothing, the flag included.
    bool Update(float t) {
        if (!m_keys || m_keys->empty()) return false;
        const KeyList& keys = *m_keys;
        const int count = static_cast<int>(keys.size());
        float spanStart = 0.0f, spanEnd = 0.0f, time = 0.0f;
        const int index = TParamTrack<K>::FindSpan(t, &keys, m_length, spanStart, spanEnd, time);
        const int next = index < count - 1 ? index + 1 : index;

        // The change test compares with a copy of the value before (for a command, of the key index:
        // its value is never ramped, and copying it would allocate every frame).
        const int previousIndex = m_keyIndex;
        Value previous{};
        if constexpr (K != EParamKind::CommandSubstAnimation) previous = m_current.value;
        m_changed = false;
        if (index != m_keyIndex) {
            m_keyIndex = index;
            m_time = spanStart;
            m_current = index < 0 ? Key{m_default, 0, 0.0f} : keys[static_cast<size_t>(index)];
            m_strategy.Reset();
            if (index >= 0 && m_current.mode == 0) {
                m_strategy = new DoNothing<Key>;
            } else if (index >= 0 && m_current.mode == 1) {
                m_strategy =
                    new DoLine<Key>(keys[static_cast<size_t>(index)], keys[static_cast<size_t>(next)]);
            }
        }
        if (m_strategy) {
            m_strategy->Calc(m_current, t - spanStart);
            m_time = t;
        }
        if constexpr (K == EParamKind::CommandSubstAnimation) {
            m_changed = m_keyIndex != previousIndex;
        } else {
            m_changed = Differs(m_current.value, previous);
        }
        return m_changed;
    }

    // For an owner that is not playing: the value stays, but it no longer counts as changed.
    void ClearChanged() { m_changed = false; }

    bool IsChanged() const { return m_changed; }
    const Value& GetValue() const { return m_current.value; }
    const Key& GetCurrent() const { return m_current; }
    float GetTime() const { return m_time; }

private:
    static bool Differs(int a, int b) { return a != b; }
    static bool Differs(float a, float b) { return a != b; }  // a NaN always counts as a change
    template <class T>
    static bool Differs(const TPoint<T>& a, const TPoint<T>& b) {
        return a.x != b.x || a.y != b.y;
    }
    static bool Differs(const hgeColor& a, const hgeColor& b) {
        return a.r != b.r || a.g != b.g || a.b != b.b || a.a != b.a;
    }

    bool m_changed = false;
    THolder<KeyList> m_keys = CreateParamList<K>();
    int m_keyIndex = -1;
    Key m_current;
    float m_time = 0.0f;
    float m_length = 0.0f;
    THolder<Strategy> m_strategy;
    Value m_default;
};

// Fires a substitution command: when the track entered a new key in its last update and the owning
// animation's time t lies within its played range, the key's animation plays the key's part (its own
// repeat count, not dropped at the end). Answers whether it played.
bool FireCommandSubst(const TTrackPlayer<EParamKind::CommandSubstAnimation>& track, float t, float start,
                      float end);

}  // namespace GF
