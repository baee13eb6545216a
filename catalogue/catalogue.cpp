#include "catalogue/catalogue.h"

#include "text/cp1252.h"

#include <array>
#include <cstddef>
#include <iterator>
#include <string_view>

namespace obrinex {

namespace {

// The German rows are the master list; the other languages are derived from it, so a row can
// never drift to another index in one language only.
constexpr std::string_view kGermanRows[] = {
    // row 0
    "[--Bolt Ace--]",
    "Bolt Ace Coupe (blau)",
    "Bolt Ace Coupe (dunkelblau)",
    "Bolt Ace Coupe (braun)",
    "Bolt Ace Coupe (grün)",
    "Bolt Ace Coupe (rot)",
    "Bolt Ace Forder (blau)",
    "Bolt Ace Forder (dunkelblau)",
    "Bolt Ace Forder (braun)",
    "Bolt Ace Forder (grün)",
    "Bolt Ace Forder (rot)",
    "Bolt Ace Pickup (blau)",
    "Bolt Ace Pickup (dunkelblau)",
    "Bolt Ace Pickup (braun)",
    "Bolt Ace Pickup (grün)",
    "Bolt Ace Pickup (rot)",
    "Bolt Ace Runabout (blau)",
    "Bolt Ace Runabout (dunkelblau)",
    "Bolt Ace Runabout (braun)",
    "Bolt Ace Runabout (grün)",
    "Bolt Ace Runabout (rot)",
    "Bolt Ace Touring (blau)",
    "Bolt Ace Touring (dunkelblau)",
    "Bolt Ace Touring (braun)",
    "Bolt Ace Touring (grün)",
    "Bolt Ace Touring (rot)",
    "Bolt Ace Tudor (blau)",
    "Bolt Ace Tudor (dunkelblau)",
    "Bolt Ace Tudor (braun)",
    "Bolt Ace Tudor (grün)",
    "Bolt Ace Tudor (rot)",
    "",
    // row 32
    "[--Bolt Model B--]",
    "Bolt Model B Cabriolet (braun)",
    "Bolt Model B Cabriolet (rot)",
    "Bolt Model B Cabriolet (grün)",
    "Bolt Model B Cabriolet (dunkelblau)",
    "Bolt Model B Coupe (braun)",
    "Bolt Model B Coupe (rot)",
    "Bolt Model B Coupe (grün)",
    "Bolt Model B Coupe (dunkelblau)",
    "Bolt Model B Delivery (braun)",
    "Bolt Model B Delivery (rot)",
    "Bolt Model B Delivery (grün)",
    "Bolt Model B Delivery (dunkelblau)",
    "Bolt Model B Forder (braun)",
    "Bolt Model B Forder (rot)",
    "Bolt Model B Forder (grün)",
    "Bolt Model B Forder (dunkelblau)",
    "Bolt Model B Pickup (braun)",
    "Bolt Model B Pickup (rot)",
    "Bolt Model B Pickup (grün)",
    "Bolt Model B Pickup (dunkelblau)",
    "Bolt Model B Roadster (braun)",
    "Bolt Model B Roadster (rot)",
    "Bolt Model B Roadster (grün)",
    "Bolt Model B Roadster (dunkelblau)",
    "Bolt Model B Tudor (braun)",
    "Bolt Model B Tudor (rot)",
    "Bolt Model B Tudor (grün)",
    "Bolt Model B Tudor (dunkelblau)",
    "",
    // row 62
    "[--Bolt V8--]",
    "Bolt V8 Coupe (grün)",
    "Bolt V8 Coupe (rot)",
    "Bolt V8 Coupe (blau)",
    "Bolt V8 Coupe (grau)",
    "Bolt V8 Forder (grün)",
    "Bolt V8 Forder (rot)",
    "Bolt V8 Forder (blau)",
    "Bolt V8 Forder (grau)",
    "Bolt V8 Roadster (grün)",
    "Bolt V8 Roadster (rot)",
    "Bolt V8 Roadster (blau)",
    "Bolt V8 Roadster (grau)",
    "Bolt V8 Touring (grün)",
    "Bolt V8 Touring (rot)",
    "Bolt V8 Touring (blau)",
    "Bolt V8 Touring (grau)",
    "Bolt V8 Tudor (grün)",
    "Bolt V8 Tudor (rot)",
    "Bolt V8 Tudor (blau)",
    "Bolt V8 Tudor (grau)",
    "",
    // row 84
    "[--Brubaker--]",
    "Brubaker 4WD",
    "",
    // row 87
    "[--Kemlo Speedster--]",
    "Kemlo Speedster (silber)",
    "Kemlo Speedster (rot)",
    "Kemlo Speedster (grün)",
    "",
    // row 92
    "[--Caesar--]",
    "Caesar 8C 2300 Racing",
    "Caesar 8C Mostro (rot)",
    "Caesar 8C Mostro (schwarz)",
    "",
    // row 97
    "[--Celeste--]",
    "Celeste Marquee (weiß)",
    "Celeste Marquee (braun)",
    "",
    // row 101
    "[--Corrozella--]",
    "Corrozella C Otto (blau)",
    "Corrozella C Otto (grün)",
    "",
    // row 105
    "[--Crusader--]",
    "Crusader Chromium Forder (blau)",
    "Crusader Chromium Forder (pink)",
    "Crusader Chromium Tudor (grün)",
    "Crusader Chromium Tudor (dunkelblau)",
    "",
    // row 111
    "[--Falconer--]",
    "Falconer (blau)",
    "Falconer (pink)",
    "Falconer Gangster",
    "Falconer Yellowcar",
    "",
    // row 117
    "[--Guardian--]",
    "Guardian Terraplane Coupe (pink)",
    "Guardian Terraplane Coupe (beige)",
    "Guardian Terraplane Coupe (schwarz)",
    "Guardian Terraplane Fordor (pink)",
    "Guardian Terraplane Fordor (beige)",
    "Guardian Terraplane Fordor (schwarz)",
    "Guardian Terraplane Tudor (pink)",
    "Guardian Terraplane Tudor (beige)",
    "Guardian Terraplane Tudor (schwarz)",
    "",
    // row 128
    "[--Lassiter--]",
    "Lassiter V16 Appolyon",
    "Lassiter V16 Charron",
    "Lassiter V16 Fordor",
    "Lassiter V16 Phaeton",
    "Lassiter V16 Police",
    "Lassiter V16 Roadster",
    "",
    // row 136
    "[--Schubert--]",
    "Schubert Extra Six Fordor (grün)",
    "Schubert Extra Six Fordor (weiß)",
    "Schubert Extra Six Fordor (blau)",
    "Schubert Extra Six Fordor Police",
    "Schubert Extra Six Tudor (grün)",
    "Schubert Extra Six Tudor (weiß) ",
    "Schubert Extra Six Tudor (blau)",
    "Schubert Extra Six Tudor Police",
    "Schubert Six (rot)",
    "Schubert Six (weiß)",
    "Schubert Six (schwarz)",
    "Schubert Six Police",
    "",
    // row 150
    "[--Silver Fletcher--]",
    "Silver Fletcher",
    "",
    // row 153
    "[--Thor--]",
    "Thor 810 Phaeton (orange)",
    "Thor 810 Phaeton (schwarz)",
    "Thor 810 Sedan (orange)",
    "Thor 810 Sedan (schwarz)",
    "Thor 812 Cabriolet (orange)",
    "Thor 812 Cabriolet (schwarz)",
    "",
    // row 161
    "[--Trautenberg--]",
    "Trautenberg Model J",
    "Trautenberg Racer",
    "",
    // row 165
    "[--Ulver--]",
    "Ulver Airstream Fordor (grün-gelb)",
    "Ulver Airstream Fordor (dunkelgrün)",
    "Ulver Airstream Tudor (grün-gelb)",
    "Ulver Airstream Tudor (dunkelgrün)",
    "",
    // row 171
    "[--Wright--]",
    "Wright Coupe (blau)",
    "Wright Coupe (rot)",
    "Wright Coupe (grün)",
    "Wright Coupe Gangster",
    "Wright Fordor (blau)",
    "Wright Fordor (rot)",
    "Wright Fordor (grün)",
    "",
    // row 180
    "[--andere Autos--]",
    "Bolt Ambulance",
    "Bolt Firetruck",
    "Bolt Hearse",
    "Bolt Truck",
    "Bolt Truck covered",
    "Bolt Truck Flatbed",
    "",
    // row 188
    "[--Prototypen--]",
    "Flamer",
    "Bob Mylan",
    "Disorder",
    "Speedee",
    "Luciferion",
    "Flame Spear",
    "Demoniac",
    "Masseur",
    "Masseur Taxi",
    "Crazy Horse",
    "HotRod",
    "BlackDragon",
    "Mutagen",
    "BlackMetal",
    "Bolt Thrower",
    "Hill Billy",
    "Flower Power",
    "Manta Prototype",
    "Manta Taxi",
};
static_assert(std::size(kGermanRows) == kCatalogueRowCount);

// A word in German, English, Czech and French, the order of Language.
using Translations = std::array<std::string_view, kLanguages.size()>;

constexpr Translations kColourWords[] = {
    {"blau", "blue", "modré", "bleu"},
    {"dunkelblau", "darkblue", "tmavo modré", "bleu foncé"},
    {"braun", "brown", "hnedé", "brun"},
    {"grün", "green", "zelené", "vert"},
    {"rot", "red", "cervené", "rouge"},
    {"grau", "grey", "sedé", "gris"},
    {"silber", "silver", "stríbrné", "argenté"},
    {"schwarz", "black", "cerné", "noir"},
    {"weiß", "white", "bílé", "blanc"},
    {"pink", "purple", "ruzové", "rosé"},
    {"beige", "beige", "bézové", "beige"},
    {"orange", "orange", "oranzové", "orange"},
    {"grün-gelb", "green-yellow", "tmavozluté", "jaune foncé"},
    {"dunkelgrün", "darkgreen", "tmavozelené", "vert foncé"},
};

struct TranslatedHeader {
    int row;
    Translations text;
};

// The only headers that are not brand names.
constexpr TranslatedHeader kTranslatedHeaders[] = {
    {180, {"[--andere Autos--]", "[--other cars--]", "[--jiná auta--]", "[--autres voitures--]"}},
    {188, {"[--Prototypen--]", "[--prototypes--]", "[--prototypy--]", "[--prototypes--]"}},
};

std::size_t slot(Language language) {
    return static_cast<std::size_t>(language);
}

// A colour variant ends in "(colour)", in one row followed by a blank. Words in parentheses
// that are not in the colour table stay as they are.
std::string translateColour(std::string_view row, Language language) {
    std::size_t end = row.size();
    if (end > 0 && row[end - 1] == ' ') {
        --end;
    }
    if (end == 0 || row[end - 1] != ')') {
        return std::string(row);
    }
    std::size_t open = row.rfind('(', end - 1);
    if (open == std::string_view::npos) {
        return std::string(row);
    }
    std::string_view word = row.substr(open + 1, end - 1 - (open + 1));
    for (const Translations& colour : kColourWords) {
        if (colour[slot(Language::German)] == word) {
            std::string translated(row.substr(0, open + 1));
            translated += colour[slot(language)];
            translated += row.substr(end - 1);
            return translated;
        }
    }
    return std::string(row);
}

std::vector<std::string> buildRows(Language language) {
    std::vector<std::string> rows;
    rows.reserve(kCatalogueRowCount);
    for (std::string_view german : kGermanRows) {
        rows.push_back(cp1252(translateColour(german, language)));
    }
    for (const TranslatedHeader& header : kTranslatedHeaders) {
        rows[static_cast<std::size_t>(header.row)] = cp1252(header.text[slot(language)]);
    }
    return rows;
}

} // namespace

const std::vector<std::string>& catalogueRows(Language language) {
    static const std::array<std::vector<std::string>, kLanguages.size()> lists = [] {
        std::array<std::vector<std::string>, kLanguages.size()> built;
        for (Language each : kLanguages) {
            built[slot(each)] = buildRows(each);
        }
        return built;
    }();
    return lists[slot(language)];
}

} // namespace obrinex
