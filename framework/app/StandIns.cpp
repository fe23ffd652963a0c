#include "framework/app/StandIns.h"

namespace GF {
namespace StandIn {

void LoadResources() {}

void LogTextureList() {}

}  // namespace StandIn
}  // namespace GF
