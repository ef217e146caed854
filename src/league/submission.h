#pragma once
// A flight as a player's game sends it: the body of POST /api/v1/flights.
#include <string>
#include <string_view>
#include <variant>

namespace league {

struct Submission {
  std::string Contest;
  std::string PilotUtf8;
  std::string Token;  // 32 hex digits
  std::string Entry;  // the ranking entry file's bytes
  double Claimed = 0; // m, the distance the player's game showed
};

struct SubmissionError {
  std::string Reason;
};

// Reads the JSON body {"contest", "pilot", "token", "entry" (base64), "claimed"}.
// Unknown keys are ignored.
std::variant<Submission, SubmissionError> ParseSubmission(std::string_view body);

// The JSON body of a submission (the entry in base64), as ParseSubmission reads it.
std::string FormatSubmission(const Submission& submission);

// Standard base64 (with padding); nothing for any other text.
bool DecodeBase64(std::string_view text, std::string& bytes);
std::string EncodeBase64(std::string_view bytes);

}  // namespace league
