// The league's submission path on untrusted bytes: the JSON body, the pilot's name,
// base64, and the entry file checked against a contest and flown with the game's code.
// The first byte chooses what the rest is fed to.
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "league/contests.h"
#include "league/pilot_identity.h"
#include "league/submission.h"
#include "league/verification.h"

namespace {

constexpr size_t kProfilePoints = 50;
const auto kDay = std::chrono::sys_days{std::chrono::year{2026} / 12 / 10};

void Verify(std::string_view entry) {
  for (const league::Contest& contest : league::Contests()) {
    const auto verified = league::VerifyEntry(contest, entry, kDay);
    if (std::holds_alternative<league::VerifiedFlight>(verified)) {
      league::FlightProfile(entry, kProfilePoints);
      return;
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
  switch (data[0] % 3) {
    case 0: {
      const auto parsed = league::ParseSubmission(rest);
      if (const auto* s = std::get_if<league::Submission>(&parsed)) {
        league::PilotNameFromUtf8(s->PilotUtf8);
        Verify(s->Entry);
      }
      break;
    }
    case 1:
      Verify(rest);
      break;
    default: {
      league::PilotNameFromUtf8(rest);
      std::string bytes;
      if (league::DecodeBase64(rest, bytes)) {
        std::string again;
        if (!league::DecodeBase64(league::EncodeBase64(bytes), again) || again != bytes) __builtin_trap();
      }
      break;
    }
  }
  return 0;
}
