#include "aircraft/aircraft_model.h"

#include "platform/io/files.h"
#include "platform/services.h"
#include "platform/text/language.h"
#include "platform/text/text_fields.h"

namespace aircraft {
namespace {

constexpr int kPartLines = 8;                          // mesh names in plane.txt
constexpr size_t kMaxNameLength = 99;                  // characters read of a line
constexpr int kFirstStrip = flight::kFirstStripFrame;  // frame 7
// Where the parts sit: the pilot ahead and below the wing, the tail parts at the tail arm.
constexpr platform::Vec3 kPilotOffset{0.2f, -0.2f, 0};
constexpr float kTailHeight = 0.1f;      // m above the boom
constexpr float kFinBehindTail = 0.35f;  // m
constexpr float kFinHeight = -0.1f;      // m

// "キャラクタデータのオープン失敗"
constexpr const char* kPlaneFileFailed = N_(
    "\x83\x4c\x83\x83\x83\x89\x83\x4e\x83\x5e\x83\x66\x81\x5b\x83\x5e\x82\xcc\x83\x49\x81\x5b\x83\x76\x83\x93\x8e\xb8"
    "\x94\x73");

// Places a wing strip's frame: scaled to the strip's chord and width, tapered, turned by
// its dihedral and sweep (negated on the mirrored side).
void ShapeStrip(Frame& frame, const flight::WingStrip& strip, float side) {
  const float chord = static_cast<float>(strip.Chord);
  ScaleFrame(frame, chord, chord, static_cast<float>(strip.Width));
  TaperScale(frame, static_cast<float>(strip.TaperSlope));
  frame.Rotation = {side * static_cast<float>(strip.Dihedral), side * static_cast<float>(strip.Sweep), 0};
}

}  // namespace

void AircraftFrames::SetRotation(int frame, float x, float y, float z) {
  if (frame < 0 || frame >= static_cast<int>(Frames.size())) return;
  Frames[frame].Rotation = {x, y, z};
}

std::unique_ptr<AircraftFrames> BuildAircraftModel(const flight::Aircraft& a, platform::GraphicsDevice& device) {
  const auto text = platform::ReadFilePrefix(kPlaneFileName, kPlaneFileReadLimit);
  if (!text) {
    platform::ShowWarning(kPlaneFileFailed);
    return nullptr;
  }
  return BuildAircraftModelFromText(a, *text, device);
}

std::unique_ptr<AircraftFrames> BuildAircraftModelFromText(const flight::Aircraft& a, std::string_view planeText,
                                                           platform::GraphicsDevice& device) {
  std::vector<std::string> names =
      platform::SplitLines(planeText.substr(0, kPlaneFileReadLimit), kPartLines, kMaxNameLength);
  names.resize(kPartLines);
  for (std::string& name : names) name += ".x";

  const int n = a.StripCount;
  const bool hasWing = n >= 1;
  auto model = std::make_unique<AircraftFrames>(hasWing ? 2 * n + kFirstStrip : kFirstStrip);
  std::vector<Frame>& f = model->Frames;
  f[0].Hidden = true;
  const int mirrorRoot = n + kFirstStrip;
  for (int j = 1; j <= kPartLines; ++j) {
    if (j >= kFirstStrip && !hasWing) break;
    Frame& part = f[j == kPartLines ? mirrorRoot : j];
    LoadFrameMesh(part, device, names[j - 1]);
    f[0].AddChild(&part);
  }
  for (int s = 1; s < n; ++s) {
    const float previousWidth = static_cast<float>(a.Strips[s - 1].Width);
    Frame& right = f[kFirstStrip + s];
    LoadFrameMesh(right, device, names[kFirstStrip - 1]);
    f[kFirstStrip + s - 1].AddChild(&right);
    right.Offset = {0, 0, -previousWidth};
    ShapeStrip(right, a.Strips[s], 1);
    Frame& left = f[mirrorRoot + s];
    LoadFrameMesh(left, device, names[kPartLines - 1]);
    f[mirrorRoot + s - 1].AddChild(&left);
    left.Offset = {0, 0, previousWidth};
    ShapeStrip(left, a.Strips[s], -1);
  }
  const float arm = static_cast<float>(a.TailArm);
  f[1].Offset = kPilotOffset;
  for (int boom : {2, 3}) {
    f[boom].Offset = {0, 0, 0};
    ScaleFrame(f[boom], 1 - arm, 1, 1);
  }
  f[3].Hidden = true;
  f[4].Offset = {arm, kTailHeight, 0};
  f[5].Offset = {arm - kFinBehindTail, kFinHeight, 0};
  f[6].Offset = f[5].Offset;
  f[6].Hidden = true;
  if (hasWing) {
    f[kFirstStrip].Offset = {0, 0, 0};
    ShapeStrip(f[kFirstStrip], a.Strips[0], 1);
    f[mirrorRoot].Offset = {0, 0, 0};
    ShapeStrip(f[mirrorRoot], a.Strips[0], -1);
  }
  return model;
}

void DrawAircraftModel(const flight::Aircraft& a, platform::GraphicsDevice& device) {
  const auto* model = dynamic_cast<const AircraftFrames*>(a.Model.get());
  if (!model || model->Frames.empty()) return;
  using namespace platform;
  const Matrix4 world = Multiply(Multiply(Multiply(RotationZ(a.DisplayPitch), RotationX(0)), RotationY(0)),
                                 Translation(a.DisplayX, a.DisplayHeight, 0));
  DrawFrame(model->Frames[0], world, device);
}

}  // namespace aircraft
