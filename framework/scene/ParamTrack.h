#pragma once
#include <vector>

#include "framework/scene/Param.h"

namespace GF {

// What every player of a key list asks of it: how long the whole track lasts and which key is in
// force at a time. Key i covers [S_i, S_i + d_i), S_i being the sum of the durations before it, so at a
// boundary the later key wins, a zero-length key is only ever selected as the last one, and from the
// end of the track on the last key stays in force. The player of one kind of track builds on this.
template <EParamKind K>
class TParamTrack {
public:
    using Key = TKindParam<K>;
    using KeyList = TParamList<K>;

    // The sum of the key durations in list order, in single precision; 0 for no list or no keys.
    static float Length(const KeyList* keys) {
        float length = 0.0f;
        if (keys)
            for (const Key& key : *keys) length += key.duration;
        return length;
    }

    // The index of the key in force at t (-1 when there is none) on a track of length `length`, with
    // the start and end of that key's span and t itself.
    static int FindSpan(const float& t, const KeyList* keys, const float& length, float& spanStart,
                        float& spanEnd, float& time) {
        spanStart = 0.0f;
        spanEnd = 0.0f;
        time = t;
        const int count = keys ? static_cast<int>(keys->size()) : 0;
        if (t > length) {
            spanStart = spanEnd = length;
            return count - 1;
        }
        float start = 0.0f;
        for (int i = 0; i < count; ++i) {
            const float end = start + (*keys)[i].duration;
            spanEnd = end;
            if (t < end) return i;
            start = end;
            spanStart = start;
        }
        if (count == 0) return -1;
        spanStart = spanEnd = length;
        return count - 1;
    }
};

}  // namespace GF
