#pragma once

namespace GF {
namespace HGENS {

// Installs the makers through which descriptions create the live objects of every kind the scene
// layer has: animation objects, sprites, text sprites, clipping rectangles and sounds. A registration
// beside each class would not be linked from a static library, so the application's start (and
// the tests that build live objects) call this once.
void InstallSceneObjectMakers();

}  // namespace HGENS
}  // namespace GF
