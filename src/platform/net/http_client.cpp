#include "platform/net/http_client.h"

#include <curl/curl.h>

#include <cstdlib>
#include <mutex>

namespace platform {
namespace {

constexpr long kConnectTimeoutSeconds = 5;
constexpr const char* kUserAgent = "velkaro";

struct Received {
  std::string* Body;
  size_t Limit;
  bool TooLarge = false;
};

size_t TakeBody(char* data, size_t size, size_t count, void* user) {
  auto* received = static_cast<Received*>(user);
  const size_t bytes = size * count;
  if (received->Body->size() + bytes > received->Limit) {
    received->TooLarge = true;
    return 0;  // ends the transfer
  }
  received->Body->append(data, bytes);
  return bytes;
}

void InitCurlOnce() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

class CurlClient final : public HttpClient {
public:
  CurlClient() {
    InitCurlOnce();
    Curl_ = curl_easy_init();
  }
  ~CurlClient() override { curl_easy_cleanup(Curl_); }

  HttpAnswer Send(const HttpRequest& request) override {
    HttpAnswer answer;
    if (!Curl_) {
      answer.Error = "the HTTP library could not start";
      return answer;
    }
    curl_easy_reset(Curl_);  // keeps the connection cache, forgets the last request's options
    Received received{&answer.Body, request.MaxAnswerBytes};
    curl_slist* headers = nullptr;
    curl_easy_setopt(Curl_, CURLOPT_URL, request.Url.c_str());
    curl_easy_setopt(Curl_, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(Curl_, CURLOPT_FOLLOWLOCATION, 0L);
    curl_easy_setopt(Curl_, CURLOPT_NOSIGNAL, 1L);  // timeouts without signals, safe in threads
    curl_easy_setopt(Curl_, CURLOPT_TIMEOUT, request.TimeoutSeconds);
    curl_easy_setopt(Curl_, CURLOPT_CONNECTTIMEOUT, kConnectTimeoutSeconds);
    curl_easy_setopt(Curl_, CURLOPT_USERAGENT, kUserAgent);
    curl_easy_setopt(Curl_, CURLOPT_WRITEFUNCTION, TakeBody);
    curl_easy_setopt(Curl_, CURLOPT_WRITEDATA, &received);
    if (request.Method == "POST") {
      headers = curl_slist_append(headers, ("Content-Type: " + request.ContentType).c_str());
      curl_easy_setopt(Curl_, CURLOPT_HTTPHEADER, headers);
      curl_easy_setopt(Curl_, CURLOPT_POSTFIELDS, request.Body.data());
      curl_easy_setopt(Curl_, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(request.Body.size()));
    }
    const CURLcode result = curl_easy_perform(Curl_);
    curl_slist_free_all(headers);
    if (received.TooLarge) {
      answer.Body.clear();
      answer.Error = "the answer is larger than expected";
      return answer;
    }
    if (result != CURLE_OK) {
      answer.Body.clear();
      answer.Error = curl_easy_strerror(result);
      return answer;
    }
    curl_easy_getinfo(Curl_, CURLINFO_RESPONSE_CODE, &answer.Status);
    curl_off_t retryAfter = -1;
    if (curl_easy_getinfo(Curl_, CURLINFO_RETRY_AFTER, &retryAfter) == CURLE_OK && retryAfter > 0)
      answer.RetryAfterSeconds = static_cast<long>(retryAfter);
    return answer;
  }

private:
  CURL* Curl_ = nullptr;
};

}  // namespace

std::unique_ptr<HttpClient> MakeHttpClient() { return std::make_unique<CurlClient>(); }

}  // namespace platform
