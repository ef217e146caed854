#include "platform/text/language.h"

#include <libintl.h>
#include <unistd.h>

#include <algorithm>
#include <clocale>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <mutex>
#include <optional>

#include "platform/text/shift_jis.h"

#ifndef VELKARO_LOCALE_FROM_BIN
#define VELKARO_LOCALE_FROM_BIN "../share/locale"
#endif

namespace platform {
namespace {

constexpr const char* kDomain = "velkaro";
constexpr const char* kHandedOn = "VELKARO_LANGUAGE";
// A locale every glibc has: LANGUAGE then picks the catalog, whatever locales the
// system has generated. Only the messages' category is set, so numbers and dates the
// programs write keep the C locale's form.
constexpr const char* kMessagesLocale = "C.UTF-8";

Language Current = Language::Japanese;
LanguageChoice Chosen = LanguageChoice::Auto;
Language FromEnvironment = Language::Japanese;  // as the user started the program
bool Prepared = false;
std::optional<std::string> UsersLanguageVariable;  // LANGUAGE before the catalog's setting

std::string_view Env(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

bool IsPlainLocale(std::string_view locale) {
  return locale.empty() || locale == "C" || locale == "POSIX" || locale.rfind("C.", 0) == 0;
}

// "ja_JP.UTF-8" -> "ja"; "ja:en" -> "ja".
std::string_view LanguagePart(std::string_view name) { return name.substr(0, name.find_first_of("_.@:")); }

// The catalogs beside the program: share/locale of its install prefix (the build tree
// has the same layout).
std::string CatalogFolder() {
  std::error_code error;
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return {};
  return (program.parent_path() / VELKARO_LOCALE_FROM_BIN).lexically_normal().string();
}

void PrepareCatalog() {
  Prepared = true;
  FromEnvironment = LanguageFromEnvironment();
  if (const char* users = std::getenv("LANGUAGE")) UsersLanguageVariable = users;
  std::setlocale(LC_MESSAGES, kMessagesLocale);
  setenv("LANGUAGE", "en", 1);
  bindtextdomain(kDomain, CatalogFolder().c_str());
  bind_textdomain_codeset(kDomain, "UTF-8");
}

}  // namespace

Language LanguageFromEnvironment() {
  const std::string_view handedOn = Env(kHandedOn);
  if (handedOn == "ja") return Language::Japanese;
  if (handedOn == "en") return Language::English;
  std::string_view locale = Env("LC_ALL");
  if (locale.empty()) locale = Env("LC_MESSAGES");
  if (locale.empty()) locale = Env("LANG");
  if (IsPlainLocale(locale)) return Language::Japanese;
  std::string_view language = LanguagePart(Env("LANGUAGE"));
  if (language.empty()) language = LanguagePart(locale);
  return language == "ja" ? Language::Japanese : Language::English;
}

LanguageChoice ParseLanguageChoice(std::string_view value) {
  if (value == "ja") return LanguageChoice::Japanese;
  if (value == "en") return LanguageChoice::English;
  return LanguageChoice::Auto;
}

const char* LanguageChoiceName(LanguageChoice choice) {
  switch (choice) {
    case LanguageChoice::Japanese: return "ja";
    case LanguageChoice::English: return "en";
    case LanguageChoice::Auto: break;
  }
  return "auto";
}

void UseLanguage(LanguageChoice choice) {
  if (!Prepared) PrepareCatalog();
  Chosen = choice;
  Current = choice == LanguageChoice::Auto      ? FromEnvironment
            : choice == LanguageChoice::English ? Language::English
                                                : Language::Japanese;
}

Language CurrentLanguage() { return Current; }
LanguageChoice CurrentLanguageChoice() { return Chosen; }

std::vector<std::string> EnvironmentForChild() {
  std::vector<std::string> entries;
  for (char** entry = environ; *entry; ++entry) {
    const std::string_view text(*entry);
    const std::string_view name = text.substr(0, text.find('='));
    if (name == kHandedOn || (Prepared && name == "LANGUAGE")) continue;
    entries.emplace_back(text);
  }
  if (Prepared && UsersLanguageVariable) entries.push_back("LANGUAGE=" + *UsersLanguageVariable);
  entries.push_back(std::string(kHandedOn) + "=" + (Current == Language::English ? "en" : "ja"));
  return entries;
}

const char* TranslatedUtf8(const char* utf8) {
  // gettext answers "" with the catalog's header: an empty text stays empty.
  if (Current == Language::Japanese || *utf8 == '\0') return utf8;
  return dgettext(kDomain, utf8);
}

std::string Formatted(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list again;
  va_copy(again, args);
  const int length = std::vsnprintf(nullptr, 0, format, args);
  va_end(args);
  std::string out(length > 0 ? static_cast<size_t>(length) : 0, '\0');
  if (length > 0) std::vsnprintf(out.data(), out.size() + 1, format, again);
  va_end(again);
  return out;
}

std::string FormatTextAndNumber(std::string_view sjisFormat, const std::string& text, int number) {
  return Formatted(Translated(sjisFormat).c_str(), text.c_str(), number);
}

std::string Translated(std::string_view sjis) {
  if (Current == Language::Japanese || sjis.empty()) return std::string(sjis);
  // Each text is converted once; the HUD asks for the same few every frame.
  static std::mutex guard;
  static std::map<std::string, std::string, std::less<>> done;
  const std::lock_guard<std::mutex> lock(guard);
  if (const auto it = done.find(sjis); it != done.end()) return it->second;
  const std::string utf8 = ShiftJisToUtf8(sjis);
  const char* english = dgettext(kDomain, utf8.c_str());
  std::string result = english == utf8.c_str() ? std::string(sjis) : Utf8ToShiftJis(english);
  done.emplace(std::string(sjis), result);
  return result;
}

}  // namespace platform
