// Any bytes as "plane.txt": the model of the default glider built from them, with the
// shipped part meshes in a private working directory, and drawn once, all on the
// recording device.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string_view>

#include "aircraft/aircraft_model.h"
#include "fakes/fake_platform.h"
#include "fakes/temp_dir.h"
#include "fakes/test_aircraft.h"
#include "fakes/recording_device.h"

namespace {

// What every input shares: recorded warnings, a working directory holding the shipped
// "model" folder, and the aircraft the model is built for.
struct Setup {
  fakes::FakePlatform Os;
  fakes::TempWorkingDir Dir;
  std::unique_ptr<flight::Aircraft> Glider = fakes::MakeAircraft();
  Setup() { std::filesystem::copy(VELKARO_DATA_DIR "/model", "model"); }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static Setup setup;
  setup.Os.Dialogs.Warnings.clear();
  platform::RecordingDevice device;
  setup.Glider->Model = aircraft::BuildAircraftModelFromText(
      *setup.Glider, std::string_view(reinterpret_cast<const char*>(data), size), device);
  if (!setup.Glider->Model) __builtin_trap();  // text in memory is always readable
  aircraft::DrawAircraftModel(*setup.Glider, device);
  setup.Glider->Model.reset();
  return 0;
}
