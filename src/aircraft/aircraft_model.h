#pragma once
// The 3D model of an aircraft: eight part meshes named in "plane.txt" and one strip
// mesh per wing strip, chained outward on each side.
#include <memory>
#include <string_view>
#include <vector>

#include "aircraft/frame.h"
#include "flight/aircraft.h"

namespace aircraft {

// The frames of one aircraft: 0 the hidden root; 1-6 the parts (pilot, boom, a second
// boom never drawn, tail, fin, a second fin never drawn); 7.. one wing half, strip by
// strip; then the mirrored half.
class AircraftFrames : public flight::AircraftModel {
public:
  explicit AircraftFrames(size_t count) : Frames(count) {}
  void SetRotation(int frame, float x, float y, float z) override;
  std::vector<Frame> Frames;
};

// Builds the model of a freshly parsed aircraft from "plane.txt". Nothing (after the
// game's message) when "plane.txt" cannot be read; an aircraft without strips gets no
// wing frames.
std::unique_ptr<AircraftFrames> BuildAircraftModel(const flight::Aircraft& aircraft, platform::GraphicsDevice& device);

// The same from the text of "plane.txt" held in memory; only the prefix the game reads
// of the file (kPlaneFileReadLimit bytes) counts.
std::unique_ptr<AircraftFrames> BuildAircraftModelFromText(const flight::Aircraft& aircraft, std::string_view planeText,
                                                           platform::GraphicsDevice& device);

// Draws the aircraft's model at its shown place and pitch.
void DrawAircraftModel(const flight::Aircraft& aircraft, platform::GraphicsDevice& device);

inline constexpr const char* kPlaneFileName = "plane.txt";
inline constexpr size_t kPlaneFileReadLimit = 4096;  // bytes read of "plane.txt"

}  // namespace aircraft
