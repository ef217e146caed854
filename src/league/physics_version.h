#pragma once
#include <string>

namespace league {

// Names the flight code a distance was flown with: a hash of the exact bits of a few
// reference flights (the default design with its strip-model wing, and the same as a
// whole wing on a fixed tail setting). Any change of the physics changes it, so the
// league never ranks distances of two physics together.
const std::string& PhysicsVersion();

}  // namespace league
