// The 34 language-dependent interface texts and their values in the four languages.
// Data only: writing them into the captions is the language switch of the main window.
#pragma once

#include "i18n/language.h"

#include <string>
#include <string_view>

namespace obrinex {

// Every text, in the order of the text table; X(name) once per text.
#define OBRINEX_UI_TEXTS(X)                                                                                  \
    X(BackText)                                                                                              \
    X(NextText)                                                                                              \
    X(ExitText)                                                                                              \
    X(FolderMissingText)                                                                                     \
    X(ColourChoiceText)                                                                                      \
    X(BrowseText)                                                                                            \
    X(ExitQuestionText)                                                                                      \
    X(FinishText)                                                                                            \
    X(IntroText1)                                                                                            \
    X(IntroText2)                                                                                            \
    X(ModdedByText)                                                                                          \
    X(ConvertedByText)                                                                                       \
    X(EmailText)                                                                                             \
    X(GameFolderText)                                                                                        \
    X(BackslashHintText)                                                                                     \
    X(ReplaceCarText)                                                                                        \
    X(BackupQuestionText)                                                                                    \
    X(ChooseText)                                                                                            \
    X(YesText)                                                                                               \
    X(NoText)                                                                                                \
    X(IncompleteText)                                                                                        \
    X(DoneText1)                                                                                             \
    X(DoneText2)                                                                                             \
    X(CreditText)                                                                                            \
    X(SetupIniErrorText)                                                                                     \
    X(SoundsQuestionText)                                                                                    \
    X(VehiclesBinQuestionText)                                                                               \
    X(IntegrateSoundsText)                                                                                   \
    X(BackupSoundsText)                                                                                      \
    X(IntegrateVehiclesBinText)                                                                              \
    X(BackupVehiclesBinText)                                                                                 \
    X(MultiSelectText)                                                                                       \
    X(CancelBackText)                                                                                        \
    X(ApplyText)

// The current language's texts, Windows-1252 bytes. Empty until the first language switch.
struct UiText {
#define OBRINEX_UI_TEXT_MEMBER(name) std::string name;
    OBRINEX_UI_TEXTS(OBRINEX_UI_TEXT_MEMBER)
#undef OBRINEX_UI_TEXT_MEMBER
};

// All 34 texts of one language, converted once to Windows-1252.
const UiText& uiTextFor(Language language);

// The text named `name` (as "NextText"), matched exactly; nullptr for an unknown name.
const std::string* uiTextByName(const UiText& texts, std::string_view name);

} // namespace obrinex
