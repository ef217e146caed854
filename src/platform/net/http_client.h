#pragma once
// HTTP requests for the programs that talk to a league: one blocking request at a
// time per client, bounded in time and in the size of the answer. Only code that runs
// off the game's tick (a sender thread, a command line) calls it.
#include <memory>
#include <string>

namespace platform {

struct HttpRequest {
  std::string Method = "GET";  // "GET" or "POST"
  std::string Url;
  std::string Body;          // POST only
  std::string ContentType;   // POST only
  long TimeoutSeconds = 15;  // the whole request, connecting included
  size_t MaxAnswerBytes = size_t{1} << 20;
};

struct HttpAnswer {
  long Status = 0;  // 0 when no answer came (Error says why)
  std::string Body;
  long RetryAfterSeconds = -1;  // from a Retry-After header in seconds, -1 without one
  std::string Error;            // the transport's failure: refused, timed out, too large ...
};

class HttpClient {
public:
  virtual ~HttpClient() = default;
  virtual HttpAnswer Send(const HttpRequest& request) = 0;
};

// The real client (libcurl). Plain http and https only; no redirects are followed.
std::unique_ptr<HttpClient> MakeHttpClient();

}  // namespace platform
