#pragma once
// velkaro-sim ENTRY --submit URL: an entry file sent to a league, and its answer.
#include <string>

struct SubmitOptions {
  std::string Url;        // the league's address
  std::string Contest;    // "open" when not given
  std::string PilotUtf8;  // the name the league lists
};

// Flies the entry (its distance is the claim), sends it and prints the league's
// answer. The token comes from the settings file in the working directory, made there
// on first use. Returns the program's exit code: 0 when the league took the flight.
int SubmitFlight(const std::string& entryText, const SubmitOptions& options);
