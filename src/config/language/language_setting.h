#pragma once
// The configurator's language: the same "language" setting the game's options keep in
// velkaro-settings.txt ("auto", "ja", "en"), so a choice made in either program holds in
// both. Auto follows the environment, where the game hands on the language it speaks.
#include "platform/text/language.h"

namespace config {

// Speaks the language the settings file keeps (Auto when it has none).
void UseSavedLanguage();

// Speaks `choice` from now on and keeps it in the settings file beside the other
// programs' settings. False when the file cannot be written (the choice holds anyway
// until the configurator ends).
bool ChooseLanguage(platform::LanguageChoice choice);

}  // namespace config
