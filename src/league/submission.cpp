#include "league/submission.h"

#include <openssl/evp.h>

#include <cmath>
#include <nlohmann/json.hpp>

#include "league/pilot_identity.h"

namespace league {
namespace {

using Json = nlohmann::json;

bool GetString(const Json& body, const char* key, std::string& out) {
  const auto it = body.find(key);
  if (it == body.end() || !it->is_string()) return false;
  out = it->get<std::string>();
  return true;
}

}  // namespace

bool DecodeBase64(std::string_view text, std::string& bytes) {
  constexpr size_t kQuantum = 4;  // characters per 3 bytes
  if (text.size() % kQuantum != 0) return false;
  size_t padding = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    const bool inAlphabet = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '+' ||
                            c == '/';
    if (c == '=' && i + 2 >= text.size()) {
      ++padding;
    } else if (!inAlphabet || padding) {
      return false;
    }
  }
  bytes.assign(text.size() / kQuantum * 3, '\0');
  if (text.empty()) return true;
  const int written = EVP_DecodeBlock(reinterpret_cast<unsigned char*>(bytes.data()),
                                      reinterpret_cast<const unsigned char*>(text.data()), static_cast<int>(text.size()));
  if (written < 0) return false;
  bytes.resize(static_cast<size_t>(written) - padding);  // the block decoder writes the padding as zero bytes
  return true;
}

std::string EncodeBase64(std::string_view bytes) {
  std::string text(4 * ((bytes.size() + 2) / 3) + 1, '\0');
  const int written = EVP_EncodeBlock(reinterpret_cast<unsigned char*>(text.data()),
                                      reinterpret_cast<const unsigned char*>(bytes.data()), static_cast<int>(bytes.size()));
  text.resize(static_cast<size_t>(written));
  return text;
}

std::string FormatSubmission(const Submission& s) {
  const Json body = {{"contest", s.Contest},
                     {"pilot", s.PilotUtf8},
                     {"token", s.Token},
                     {"entry", EncodeBase64(s.Entry)},
                     {"claimed", s.Claimed}};
  return body.dump();
}

std::variant<Submission, SubmissionError> ParseSubmission(std::string_view body) {
  const Json json = Json::parse(body, nullptr, /*allow_exceptions=*/false);
  if (json.is_discarded() || !json.is_object()) return SubmissionError{"the body is not a JSON object"};
  Submission s;
  std::string entryBase64;
  if (!GetString(json, "contest", s.Contest)) return SubmissionError{"\"contest\" must be a string"};
  if (!GetString(json, "pilot", s.PilotUtf8)) return SubmissionError{"\"pilot\" must be a string"};
  if (!GetString(json, "token", s.Token) || !IsToken(s.Token))
    return SubmissionError{"\"token\" must be 32 hexadecimal digits"};
  if (!GetString(json, "entry", entryBase64) || !DecodeBase64(entryBase64, s.Entry))
    return SubmissionError{"\"entry\" must be the entry file's bytes in base64"};
  const auto claimed = json.find("claimed");
  if (claimed == json.end() || !claimed->is_number() || !std::isfinite(claimed->get<double>()))
    return SubmissionError{"\"claimed\" must be the distance the game showed, a number of metres"};
  s.Claimed = claimed->get<double>();
  return s;
}

}  // namespace league
