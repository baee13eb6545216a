#include "i18n/ui_text.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace obrinex {
namespace {

struct ByteCase {
    Language language;
    std::string_view name;
    std::string_view bytes;
};

// Expected values spelled as Windows-1252 bytes, not as UTF-8 source text.
const ByteCase kByteCases[] = {
    {Language::German, "BackText",
     "zur\xFC"
     "ck"},
    {Language::German, "ApplyText",
     "\xFC"
     "bernehmen"},
    {Language::German, "BackslashHintText",
     "(Pfad bitte mit einem Backslash abschlie\xDF"
     "en!)"},
    {Language::German, "EmailText", "E-Mail:"},
    {Language::English, "EmailText", "E-Mail:"},
    {Language::English, "NextText", "next"},
    {Language::English, "CreditText", "Note: \x22pelvan\x22 helped me with the develpment of this program."},
    {Language::Czech, "NextText", "d\xE1le"},
    {Language::Czech, "FolderMissingText", "Udan\xFD adres\xE1r neexistuje! Udelat?"},
    {Language::Czech, "ExitQuestionText", "Instalace jeste nebyla proveden\xE1! Chcete presto zakoncit?"},
    {Language::Czech, "BackslashHintText", "(cestu pros\xEDm s backslashem \x22\x5C\x22 zakoncit!)"},
    {Language::French, "BackText",
     "Pr\xE9"
     "c\xE9"
     "dent"},
    {Language::French, "DoneText1",
     "L\xB4installation est termin\xE9"
     "e."},
    {Language::French, "FolderMissingText",
     "Ce r\xE9pertoire n\xB4"
     "existe pas ! Voulez-vous le creer ?"},
    {Language::French, "CreditText",
     "Note: \x22pelvan\x22 m\xB4"
     "a aid\xE9 \xE0 developper ce programme."},
    {Language::French, "ExitText", "Annuler"},
    {Language::French, "CancelBackText", "Annuler"},
    {Language::French, "ApplyText", "Ok"},
    {Language::French, "EmailText", "E-Mail :"},
    {Language::French, "VehiclesBinQuestionText",
     "C\xB4"
     "est un nouveau fichier vehicle.bin. Voulez-vous int\xE9grer ce fichier ?"},
};

TEST(UiTextTest, TextsAreTheExpectedBytes) {
    for (const auto& c : kByteCases) {
        SCOPED_TRACE(std::string(c.name) + " in " + std::string(languageKey(c.language)));
        const std::string* text = uiTextByName(uiTextFor(c.language), c.name);
        ASSERT_NE(text, nullptr);
        EXPECT_EQ(*text, c.bytes);
    }
}

TEST(UiTextTest, EveryTextIsFilledAndFoundUnderItsOwnName) {
    for (Language language : kLanguages) {
        const UiText& texts = uiTextFor(language);
#define OBRINEX_CHECK_TEXT(member)                                                                           \
    EXPECT_FALSE(texts.member.empty()) << #member << " in " << languageKey(language);                        \
    EXPECT_EQ(uiTextByName(texts, #member), &texts.member) << #member;
        OBRINEX_UI_TEXTS(OBRINEX_CHECK_TEXT)
#undef OBRINEX_CHECK_TEXT
    }
}

TEST(UiTextTest, UnknownNamesFindNothing) {
    const UiText& texts = uiTextFor(Language::German);
    for (std::string_view name : {"", "nexttext", "NextText ", "Next", "LanguageName"}) {
        EXPECT_EQ(uiTextByName(texts, name), nullptr) << '"' << name << '"';
    }
}

} // namespace
} // namespace obrinex
