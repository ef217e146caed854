#pragma once
// The language the programs speak: Japanese, the texts as written in the code, or
// English from the "velkaro" message catalog (po/en.po, compiled and installed under
// share/locale). The catalog is keyed by the Japanese texts in UTF-8, so a text the
// catalog lacks simply stays Japanese. Files are never translated: only what a person
// reads on the screen or in a terminal goes through here.
#include <string>
#include <string_view>
#include <vector>

// Marks a text for the catalog where it is written; it is translated where it is shown.
#define N_(text) text

namespace platform {

enum class Language { Japanese, English };

// What the player chose; Auto follows the environment.
enum class LanguageChoice { Auto, Japanese, English };

// The language the environment asks for. VELKARO_LANGUAGE ("ja" or "en"), which the
// game hands to the programs it starts, decides first. Otherwise gettext's rules: the
// locale is the first set of LC_ALL, LC_MESSAGES and LANG; with none, or C or POSIX,
// Japanese (LANGUAGE is then ignored, as gettext ignores it). Otherwise the first entry
// of LANGUAGE, or else the locale, names the language: Japanese for "ja", English for
// any other.
Language LanguageFromEnvironment();

// The settings file's value of the choice ("auto", "ja", "en"); Auto for anything else.
LanguageChoice ParseLanguageChoice(std::string_view value);
const char* LanguageChoiceName(LanguageChoice choice);

// Speaks `choice` from now on (Auto: the environment's language). The first call sets
// up the catalog (the process's message locale and environment), so it must come
// before any other thread starts; later calls only switch.
void UseLanguage(LanguageChoice choice);
Language CurrentLanguage();
LanguageChoice CurrentLanguageChoice();

// The environment ("NAME=value" entries) for a program this one starts: this one's as
// the user gave it, with the language in use handed on in VELKARO_LANGUAGE.
std::vector<std::string> EnvironmentForChild();

// A Shift-JIS text in the current language (Shift-JIS, so it goes where the original
// went). Unchanged in Japanese and for texts the catalog lacks.
std::string Translated(std::string_view sjis);

// A UTF-8 text in the current language; the result lives as long as the program.
const char* TranslatedUtf8(const char* utf8);

// printf into a string, for a translated format (UTF-8 or Shift-JIS).
std::string Formatted(const char* format, ...) __attribute__((format(printf, 1, 2)));

// A translated format with a text and a number in it ("%s %d位"), whatever their order
// in the translation ("%1$s, #%2$d" keeps it).
std::string FormatTextAndNumber(std::string_view sjisFormat, const std::string& text, int number);

}  // namespace platform
