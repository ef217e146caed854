#include "ranking/ranking_line.h"

#include <algorithm>
#include "platform/text/text_fields.h"

#include "platform/text/shift_jis.h"

namespace ranking {
namespace {

constexpr const char* kLeaderDot = "\x81\x45";  // in every language: "・"
constexpr int kLeaderDots = 8;
constexpr size_t kNameBytes = 16;  // the leader's width

// Bytes of the name that fit in the leader without splitting a character.
size_t FittingNameBytes(const std::string& name) {
  size_t fit = 0;
  while (fit < name.size()) {
    const size_t length = platform::ShiftJisCharLength(static_cast<unsigned char>(name[fit]));
    if (fit + length > kNameBytes) break;
    fit += length;
  }
  return std::min(fit, name.size());
}

}  // namespace

std::string RankingLine(const RankingEntry& entry) {
  std::string line;
  for (int i = 0; i < kLeaderDots; ++i) line += kLeaderDot;
  const size_t nameBytes = FittingNameBytes(entry.Name);
  line.replace(0, nameBytes, entry.Name, 0, nameBytes);
  // A name ending at an odd byte (also one cut back before a two-byte character at
  // byte 15) would leave half a dot: blank it.
  if (nameBytes < kNameBytes && nameBytes % 2 == 1) line[nameBytes] = ' ';
  return line + platform::TwoDecimalText(entry.Distance) + "m";
}

}  // namespace ranking
