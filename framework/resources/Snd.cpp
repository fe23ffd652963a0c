#include "framework/resources/Snd.h"

namespace GF {
namespace HGENS {

CSnd::~CSnd() {
    if (!m_handle) return;
    HGE* hge = hgeCreate(HGE_VERSION);
    hge->Stream_Free(m_handle);
    hge->Release();
}

}  // namespace HGENS
}  // namespace GF
