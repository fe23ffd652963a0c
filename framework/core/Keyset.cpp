#include "framework/core/Keyset.h"

namespace GF {

void CKeyset::SetDown(int key, bool down) {
    if (key >= 0 && key < kKeyCount) m_down[key] = down ? 1 : 0;
}

THolder<CKeyset> GetKeyset() {
    static THolder<CKeyset> instance;
    if (!instance) instance = new CKeyset;
    return instance;
}

}  // namespace GF
