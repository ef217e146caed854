#pragma once
// What the league's answer to a sent flight means for the flight in the outbox and for
// the player.
#include <string>

#include "platform/net/http_client.h"

namespace league {

enum class ReplyKind {
  Placed,   // stored: its place in the contest's table
  Refused,  // the league will never take it (a rule, the name, an unreadable entry)
  Retry,    // no answer that counts: offline, busy, a server fault, garbage
};

struct LeagueReply {
  ReplyKind Kind = ReplyKind::Retry;
  int Place = 0;
  std::string Contest;
  float Distance = 0;      // m, the league's own, when placed
  std::string StatusSjis;  // what the game's status line says: "リーグ 12位 (open)", the refusal
  long RetryAfterSeconds = -1;
};

LeagueReply ReadLeagueReply(const platform::HttpAnswer& answer);

}  // namespace league
