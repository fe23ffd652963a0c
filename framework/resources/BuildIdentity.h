#pragma once

namespace GF {
namespace HGENS {

// What tells this build of the program from any other: 32 hexadecimal digits of a digest of its
// sources, which the build writes (cmake/BuildIdentity.cmake). Two builds of one commit share it.
extern const char kBuildIdentity[33];

}  // namespace HGENS
}  // namespace GF
