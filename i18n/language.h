// The four interface languages, in the order the language page tests its option buttons.
#pragma once

#include <array>
#include <string_view>

namespace obrinex {

enum class Language { German, English, Czech, French };

inline constexpr std::array<Language, 4> kLanguages = {Language::German, Language::English, Language::Czech,
                                                       Language::French};

// The key of a language ("deutsch", "english", "cesky", "francais"): LanguageName and the
// readme's section name.
constexpr std::string_view languageKey(Language language) {
    switch (language) {
    case Language::German:
        return "deutsch";
    case Language::English:
        return "english";
    case Language::Czech:
        return "cesky";
    case Language::French:
        return "francais";
    }
    return "deutsch";
}

} // namespace obrinex
