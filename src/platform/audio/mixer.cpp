#include "platform/audio/mixer.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace platform::audio {
namespace {

constexpr float kTwoPi = 6.2831853f;
constexpr float kFullScale = 32767.0f;

// Each eased value covers about 63 % of a change in this time: shorter than a tick
// (20 ms), long enough to smooth the step.
constexpr float kEaseSeconds = 0.012f;
const float kEasePerSample = 1.0f - std::exp(-1.0f / (kEaseSeconds * kSampleRate));

constexpr float kAmbienceGain = 0.3f;

// The wind: its gain grows with the square of the airspeed (the rush is pressure
// noise), its low-pass corner moves up with it (faster air sounds brighter).
constexpr float kWindGainAtReference = 0.7f;
constexpr float kWindReferenceMs = 9.0f;
constexpr float kWindGainLimit = 1.6f;
constexpr float kWindCornerBaseHz = 250.0f;
constexpr float kWindCornerPerMs = 110.0f;  // Hz per m/s
constexpr float kWindCornerLimitHz = 4000.0f;

// The run: the footsteps' loop plays at the run's pace and grows louder with it.
constexpr float kRunReferenceMs = 6.0f;
constexpr float kRunGain = 0.8f;
constexpr float kRunRateMin = 0.5f, kRunRateMax = 1.6f;

// The spar creaks once the wing carries this many times the weight, at most every so
// many ticks, louder the higher the load.
constexpr float kCreakLoad = 1.3f;
constexpr float kCreakFullLoad = 2.0f;
constexpr int kCreakEveryTicks = 40;

// The splash is louder and deeper the faster the aircraft sinks into the water.
constexpr float kSplashQuietGain = 0.6f;
constexpr float kSplashGainPerMs = 0.25f;  // per m/s of sink
constexpr float kSplashRateFast = 1.15f, kSplashRateSlow = 0.8f;
constexpr float kSplashRatePerMs = 0.1f;

constexpr float kChimeGain = 0.7f;
constexpr float kClickGain = 0.4f;

// The variometer beeps while the aircraft climbs: higher and faster the stronger the
// climb; silent while it sinks.
constexpr float kVarioClimbMs = 0.1f;
constexpr float kVarioBaseHz = 600.0f, kVarioHzPerMs = 180.0f;
constexpr float kVarioBeepBaseHz = 2.0f, kVarioBeepPerMs = 2.0f;
constexpr float kVarioGain = 0.15f;

float CornerCoefficient(float cornerHz) { return 1.0f - std::exp(-kTwoPi * cornerHz / kSampleRate); }

}  // namespace

float Mixer::Eased::Next() {
  Now += (Target - Now) * kEasePerSample;
  return Now;
}

float Mixer::Loop::Sample(const SoundClip& clip, float rate) {
  if (clip.empty()) return 0;
  const size_t size = clip.size();
  const size_t index = static_cast<size_t>(Position);
  const float frac = static_cast<float>(Position - static_cast<double>(index));
  const float value = clip[index] + (clip[(index + 1) % size] - clip[index]) * frac;
  Position += rate;
  while (Position >= static_cast<double>(size)) Position -= static_cast<double>(size);
  return value;
}

Mixer::Mixer(SoundBank bank) : Bank_(std::move(bank)) {
  WindCutoff_ = {CornerCoefficient(kWindCornerBaseHz), CornerCoefficient(kWindCornerBaseHz)};
  RunRate_ = {1, 1};
}

void Mixer::SetFlight(const FlightSound& f) {
  const float wind = std::min(
      kWindGainAtReference * (f.AirspeedMs / kWindReferenceMs) * (f.AirspeedMs / kWindReferenceMs), kWindGainLimit);
  WindGain_.Target = wind;
  WindCutoff_.Target =
      CornerCoefficient(std::min(kWindCornerBaseHz + kWindCornerPerMs * f.AirspeedMs, kWindCornerLimitHz));

  const float pace = f.RunSpeedMs / kRunReferenceMs;
  RunGain_.Target = kRunGain * std::min(pace, 1.0f);
  RunRate_.Target = std::clamp(pace, kRunRateMin, kRunRateMax);

  ++TicksSinceCreak_;
  if (f.AirspeedMs > 0 && f.LoadFactor > kCreakLoad && TicksSinceCreak_ >= kCreakEveryTicks) {
    TicksSinceCreak_ = 0;
    Start(Bank_.Creak, std::min((f.LoadFactor - kCreakLoad) / (kCreakFullLoad - kCreakLoad), 1.0f));
  }

  const bool climbing = Variometer_ && f.AirspeedMs > 0 && f.ClimbRateMs > kVarioClimbMs;
  VarioGain_.Target = climbing ? kVarioGain : 0;
  if (climbing) {
    VarioPitchHz_ = kVarioBaseHz + kVarioHzPerMs * f.ClimbRateMs;
    VarioBeepHz_ = kVarioBeepBaseHz + kVarioBeepPerMs * f.ClimbRateMs;
  }
}

void Mixer::Play(SoundCue cue, float strength) {
  switch (cue) {
    case SoundCue::Splash: {
      const float sink = std::max(strength, 0.0f);
      Start(Bank_.Splash, std::min(kSplashQuietGain + kSplashGainPerMs * sink, 1.0f),
            std::clamp(kSplashRateFast - kSplashRatePerMs * sink, kSplashRateSlow, kSplashRateFast));
      break;
    }
    case SoundCue::Ranked: Start(Bank_.Ranked, kChimeGain); break;
    case SoundCue::NewBest: Start(Bank_.NewBest, kChimeGain); break;
    case SoundCue::Click: Start(Bank_.Click, kClickGain); break;
  }
}

void Mixer::SetMix(const SoundMix& mix) {
  Volume_.Target = std::clamp(mix.Volume, 0.0f, 1.0f);
  Variometer_ = mix.Variometer;
  if (!Variometer_) VarioGain_.Target = 0;
}

// A free voice, or else the one furthest through its clip.
void Mixer::Start(const SoundClip& clip, float gain, float rate) {
  if (clip.empty() || gain <= 0) return;
  Voice* chosen = &Voices_[0];
  for (Voice& v : Voices_) {
    if (!v.Clip) {
      chosen = &v;
      break;
    }
    if (v.Position / v.Clip->size() > chosen->Position / chosen->Clip->size()) chosen = &v;
  }
  *chosen = {&clip, 0, rate, gain};
}

float Mixer::VariometerSample() {
  const float gain = VarioGain_.Next();
  if (gain <= 0) return 0;
  VarioPhase_ += VarioPitchHz_ / kSampleRate;
  VarioBeepPhase_ += VarioBeepHz_ / kSampleRate;
  VarioPhase_ -= std::floor(VarioPhase_);
  VarioBeepPhase_ -= std::floor(VarioBeepPhase_);
  const bool beepOn = VarioBeepPhase_ < 0.5;
  return beepOn ? gain * std::sin(kTwoPi * static_cast<float>(VarioPhase_)) : 0;
}

float Mixer::MixSample() {
  float sum = kAmbienceGain * AmbienceLoop_.Sample(Bank_.Ambience, 1);

  const float corner = WindCutoff_.Next();
  const float noise = WindLoop_.Sample(Bank_.Wind, 1);
  WindLow1_ += (noise - WindLow1_) * corner;
  WindLow2_ += (WindLow1_ - WindLow2_) * corner;
  sum += WindGain_.Next() * WindLow2_;

  const float runGain = RunGain_.Next();
  const float runRate = RunRate_.Next();
  if (runGain > 0) sum += runGain * RunLoop_.Sample(Bank_.Run, runRate);

  for (Voice& v : Voices_) {
    if (!v.Clip) continue;
    const size_t index = static_cast<size_t>(v.Position);
    if (index + 1 >= v.Clip->size()) {
      v.Clip = nullptr;
      continue;
    }
    const float frac = static_cast<float>(v.Position - static_cast<double>(index));
    const SoundClip& c = *v.Clip;
    sum += v.Gain * (c[index] + (c[index + 1] - c[index]) * frac);
    v.Position += v.Rate;
  }
  sum += VariometerSample();
  return sum * Volume_.Next();
}

void Mixer::Render(int16_t* out, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    out[i] = static_cast<int16_t>(std::lround(std::clamp(MixSample(), -1.0f, 1.0f) * kFullScale));
  }
}

}  // namespace platform::audio
