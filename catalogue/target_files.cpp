#include "catalogue/target_files.h"

#include "catalogue/catalogue.h"

#include <array>
#include <cstddef>
#include <string_view>

namespace obrinex {

namespace {

// The model names of a line: one name, or the names of its first and last row, between
// which the two-digit number before the extension rises by one per row.
struct NameRange {
    std::string_view first;
    std::string_view last = {};
};

struct ModelLine {
    int firstRow;
    int lastRow;
    NameRange model1;
    NameRange model2;
    std::string_view model3;
};

// Rows that no line lists are the catalogue's header and blank rows.
constexpr ModelLine kModelLines[] = {
    {1, 5, {"fordtco00.4ds", "fordtco04.4ds"}, {"fordtco10.4ds", "fordtco14.4ds"}, "fordTrun.4ds"},
    {6, 10, {"fordtFor00.4ds", "fordtFor04.4ds"}, {"fordtFor10.4ds", "fordtFor14.4ds"}, "fordor.4ds"},
    {11, 15, {"fordtpi00.4ds", "fordtpi04.4ds"}, {"fordtpi10.4ds", "fordtpi14.4ds"}, "pickup.4ds"},
    {16, 20, {"fordtru00.4ds", "fordtru04.4ds"}, {"fordtru10.4ds", "fordtru14.4ds"}, "fordTrun.4ds"},
    {21, 25, {"fordtto00.4ds", "fordtto04.4ds"}, {"fordtto10.4ds", "fordtto14.4ds"}, "fordTrun.4ds"},
    {26, 30, {"fordtTud00.4ds", "fordtTud04.4ds"}, {"fordtTud10.4ds", "fordtTud14.4ds"}, "fordTrun.4ds"},
    // The game numbers the second Cabriolet models one higher, the last one wrapping to 10.
    {33, 35, {"ForAca00.4ds", "ForAca02.4ds"}, {"ForAca11.4ds", "ForAca13.4ds"}, "coupe.4ds"},
    {36, 36, {"ForAca03.4ds"}, {"ForAca10.4ds"}, "coupe.4ds"},
    {37, 40, {"ForAcou00.4ds", "ForAcou03.4ds"}, {"ForAcou10.4ds", "ForAcou13.4ds"}, "fordAtud.4ds"},
    {41, 44, {"ForAde00.4ds", "ForAde03.4ds"}, {"ForAde10.4ds", "ForAde13.4ds"}, "delivery.4ds"},
    {45, 48, {"ForAfo00.4ds", "ForAfo03.4ds"}, {"ForAfo10.4ds", "ForAfo13.4ds"}, "fordor.4ds"},
    {49, 52, {"ForApic00.4ds", "ForApic03.4ds"}, {"ForApic10.4ds", "ForApic13.4ds"}, "fordApickD.4ds"},
    {53, 56, {"ForAro00.4ds", "ForAro03.4ds"}, {"ForAro10.4ds", "ForAro13.4ds"}, "fordAtud.4ds"},
    {57, 60, {"ForAtu00.4ds", "ForAtu03.4ds"}, {"ForAtu10.4ds", "ForAtu13.4ds"}, "fordAtud.4ds"},
    {63, 66, {"forVco00.4ds", "forVco03.4ds"}, {"forVco10.4ds", "forVco13.4ds"}, "coupe.4ds"},
    {67, 70, {"forVfor00.4ds", "forVfor03.4ds"}, {"forVfor10.4ds", "forVfor13.4ds"}, "fordor.4ds"},
    {71, 74, {"forVRo00.4ds", "forVRo03.4ds"}, {"forVRo10.4ds", "forVRo13.4ds"}, "fordV8road.4ds"},
    {75, 78, {"forVto00.4ds", "forVto03.4ds"}, {"forVto10.4ds", "forVto13.4ds"}, "phaeton.4ds"},
    {79, 82, {"forVtud00.4ds", "forVtud03.4ds"}, {"forVtud10.4ds", "forVtud13.4ds"}, "fordV8tud.4ds"},
    {85, 85, {"miller00.4ds"}, {"miller10.4ds"}, "millerRacing.4ds"},
    {88, 90, {"speedster00.4ds", "speedster02.4ds"}, {"speedster10.4ds", "speedster12.4ds"}, "speedster.4ds"},
    {93, 93, {"alfa00.4ds"}, {"alfa10.4ds"}, "alfaMonza.4ds"},
    {94, 95, {"alfa8C00.4ds", "alfa8C01.4ds"}, {"alfa8C10.4ds", "alfa8C11.4ds"}, "alfaRacing.4ds"},
    {98,
     99,
     {"merced500K00.4ds", "merced500K01.4ds"},
     {"merced500K10.4ds", "merced500K11.4ds"},
     "MERCEDES.4ds"},
    {102, 103, {"bugatti00.4ds", "bugatti01.4ds"}, {"bugatti10.4ds", "bugatti11.4ds"}, "bugattiRacing.4ds"},
    {106, 107, {"pontFor00.4ds", "pontFor01.4ds"}, {"pontFor10.4ds", "pontFor11.4ds"}, "pont_ford.4ds"},
    {108, 109, {"pontTud00.4ds", "pontTud01.4ds"}, {"pontTud10.4ds", "pontTud11.4ds"}, "pont_ford.4ds"},
    {112, 113, {"blackha00.4ds", "blackha01.4ds"}, {"blackha10.4ds", "blackha11.4ds"}, "fordor.4ds"},
    {114, 114, {"black00.4ds"}, {"black10.4ds"}, "fordor.4ds"},
    {115, 115, {"taxi00.4ds"}, {"taxi10.4ds"}, "fordor.4ds"},
    {118, 120, {"hudcou00.4ds", "hudcou02.4ds"}, {"hudcou10.4ds", "hudcou12.4ds"}, "pont_coup.4ds"},
    {121, 123, {"hudfor00.4ds", "hudfor02.4ds"}, {"hudfor10.4ds", "hudfor12.4ds"}, "pont_ford.4ds"},
    {124, 126, {"hudtu00.4ds", "hudtu02.4ds"}, {"hudtu10.4ds", "hudtu12.4ds"}, "pont_ford.4ds"},
    {129, 129, {"hartmann00.4ds"}, {"hartmann10.4ds"}, "hartmann.4ds"},
    {130, 130, {"hearseCa00.4ds"}, {"hearseCa10.4ds"}, "hearse_Ca.4ds"},
    {131, 131, {"cad_ford00.4ds"}, {"cad_ford10.4ds"}, "cad4.4ds"},
    {132, 132, {"cad_phaeton00.4ds"}, {"cad_phaeton10.4ds"}, "cadPh.4ds"},
    {133, 133, {"polCad00.4ds"}, {"polCad10.4ds"}, "cad4.4ds"},
    {134, 134, {"cad_road00.4ds"}, {"cad_road10.4ds"}, "cadR.4ds"},
    {137, 139, {"chemaFor00.4ds", "chemaFor02.4ds"}, {"chemaFor10.4ds", "chemaFor12.4ds"}, "chema6for.4ds"},
    {140, 140, {"polimFor00.4ds"}, {"polimFor10.4ds"}, "chema6for.4ds"},
    {141, 143, {"chematud00.4ds", "chematud02.4ds"}, {"chematud10.4ds", "chematud12.4ds"}, "chema6tud.4ds"},
    {144, 144, {"polimTud00.4ds"}, {"polimTud10.4ds"}, "chema6tud.4ds"},
    // The game gives these Six colours one file for both models.
    {145, 147, {"chev00.4ds", "chev02.4ds"}, {"chev00.4ds", "chev02.4ds"}, "fordor.4ds"},
    {148, 148, {"poli00.4ds"}, {"poli10.4ds"}, "fordor.4ds"},
    {151, 151, {"arrow00.4ds"}, {"arrow10.4ds"}, "pierce.4ds"},
    {154, 155, {"cordPh00.4ds", "cordPh01.4ds"}, {"cordPh10.4ds", "cordPh11.4ds"}, "cord_ph.4ds"},
    {156, 157, {"cordSe00.4ds", "cordSe01.4ds"}, {"cordSe10.4ds", "cordSe11.4ds"}, "cord_se.4ds"},
    {158, 159, {"cordCa00.4ds", "cordCa01.4ds"}, {"cordCa10.4ds", "cordCa11.4ds"}, "cord_cab.4ds"},
    {162, 162, {"deuseJco00.4ds"}, {"deuseJco10.4ds"}, "speedster.4ds"},
    {163, 163, {"duesenberg00.4ds"}, {"duesenberg10.4ds"}, "dueseRacing.4ds"},
    {166, 167, {"airflFor00.4ds", "airflFor01.4ds"}, {"airflFor10.4ds", "airflFor11.4ds"}, "airflow.4ds"},
    {168, 169, {"airflTud00.4ds", "airflTud01.4ds"}, {"airflTud10.4ds", "airflTud11.4ds"}, "airflow.4ds"},
    {172, 174, {"buiCou00.4ds", "buiCou02.4ds"}, {"buiCou10.4ds", "buiCou12.4ds"}, "pont_coup.4ds"},
    {175, 175, {"buigang00.4ds"}, {"buigang10.4ds"}, "pont_coup.4ds"},
    {176, 178, {"buikFor00.4ds", "buikFor02.4ds"}, {"buikFor10.4ds", "buikFor12.4ds"}, "pont_ford.4ds"},
    {181, 181, {"Ambulance00.4ds"}, {"Ambulance10.4ds"}, "delivery.4ds"},
    {182, 182, {"fire00.4ds"}, {"fire10.4ds"}, "fire.4ds"},
    {183, 183, {"hearseA00.4ds"}, {"hearseA10.4ds"}, "hearse_A.4ds"},
    {184, 184, {"truckBx00.4ds"}, {"truckBx10.4ds"}, "truck.4ds"},
    {185, 185, {"truckB00.4ds"}, {"truckB10.4ds"}, "truck.4ds"},
    {186, 186, {"truckA00.4ds"}, {"truckA10.4ds"}, "truck.4ds"},
    {189, 189, {"Flamer00.4ds"}, {"Flamer10.4ds"}, "FlamerCRASH.4ds"},
    {190, 190, {"hotrodp200.4ds"}, {"hotrodp210.4ds"}, "hotrodp2CRASH.4ds"},
    {191, 191, {"hotrodp300.4ds"}, {"hotrodp310.4ds"}, "hotrodp3CRASH.4ds"},
    {192, 192, {"hotrodp400.4ds"}, {"hotrodp410.4ds"}, "hotrodp4CRASH.4ds"},
    {193, 193, {"hotrodp500.4ds"}, {"hotrodp510.4ds"}, "hotrodp5CRASH.4ds"},
    {194, 194, {"hotrodp600.4ds"}, {"hotrodp610.4ds"}, "hotrodp6CRASH.4ds"},
    {195, 195, {"fordTH00.4ds"}, {"fordTH10.4ds"}, "fordTHD.4ds"},
    {196, 196, {"fordApick00.4ds"}, {"fordApick10.4ds"}, "fordApickD.4ds"},
    {197, 197, {"fordApickTaxi00.4ds"}, {"fordApickTaxi10.4ds"}, "fordApickD.4ds"},
    {198, 198, {"FThot00.4ds"}, {"FThot10.4ds"}, "fordTrun.4ds"},
    {199, 199, {"FordHOT00.4ds"}, {"FordHOT10.4ds"}, "fv8crash.4ds"},
    {200, 200, {"blackdragon00.4ds"}, {"blackdragon10.4ds"}, "fordV8road.4ds"},
    {201, 201, {"cord_sedanH00.4ds"}, {"cord_sedanH10.4ds"}, "cord_sedanHD.4ds"},
    {202, 202, {"chevroletm6H00.4ds"}, {"chevroletm6H10.4ds"}, "chevroletm6HD.4ds"},
    {203, 203, {"Thunderbird00.4ds"}, {"Thunderbird10.4ds"}, "thunderD.4ds"},
    {204, 204, {"Tbirdold00.4ds"}, {"Tbirdold10.4ds"}, "thunderD.4ds"},
    {205, 205, {"fordAdelH00.4ds"}, {"fordAdelH10.4ds"}, "delivery.4ds"},
    {206, 206, {"phantom00.4ds"}, {"phantom10.4ds"}, "phantom.4ds"},
    {207, 207, {"phantomtaxi00.4ds"}, {"phantomtaxi10.4ds"}, "phantom.4ds"},
};

struct SoundLine {
    std::string_view rows; // "33-60, 181, 183"
    std::string_view on;
    std::string_view off;
    std::string_view running0;
    std::string_view running1;
    std::string_view horn;
};

// The odd spellings ("alfa8C_of.wav", "ele0.wav", "bug_2.wav") are the game's own names.
constexpr SoundLine kSoundLines[] = {
    {"1-30", "fordT_on.wav", "fordT_off.wav", "fordT_0.wav", "fordT_1.wav", "horn11.wav"},
    {"33-60, 181, 183", "fordA_on.wav", "fordA_off.wav", "fordA_0.wav", "fordA_1.wav", "horn1.wav"},
    {"63-82", "fordV8_on.wav", "fordV8_off.wav", "fordV8_0.wav", "fordV8_1.wav", "horn5.wav"},
    {"85", "bug_on.wav", "bug_off.wav", "miller_0.wav", "miller_1.wav", ""},
    {"88-90", "aubur_on.wav", "aubur_off.wav", "aubur_0.wav", "aubur_1.wav", "horn9.wav"},
    {"93", "alfa8C_on.wav", "alfa8C_of.wav", "alfa8C_0.wav", "alfa_1.wav", ""},
    {"94-95", "alfa8C_on.wav", "alfa8C_of.wav", "alfa8C_0.wav", "alfa8C_1.wav", "horn13.wav"},
    {"98-99", "merc_on.wav", "merc_off.wav", "merc_0.wav", "merc_1.wav", "horn13.wav"},
    {"102-103", "bug_on.wav", "bug_off.wav", "bug_0.wav", "bug_2.wav", ""},
    {"106-109", "pontiac_on.wav", "pontiac_off.wav", "pontiac_0.wav", "pontiac_1.wav", "horn3.wav"},
    {"112-115", "black_on.wav", "black_off.wav", "black_0.wav", "black_1.wav", "horn5.wav"},
    {"118-126", "hudson_on.wav", "hudson_off.wav", "hudson_0.wav", "pontiac_1.wav", "horn7.wav"},
    {"129", "cad_on.wav", "cad_off.wav", "cad_0.wav", "cad_1.wav", "horn13.wav"},
    {"130-134", "cad_on.wav", "cad_off.wav", "cad_0.wav", "cad_1.wav", "horn12.wav"},
    {"137-144", "cheve_on.wav", "cheve_of.wav", "cheve_0.wav", "cheve_1.wav", "horn3.wav"},
    {"145-148", "chev6_on.wav", "chev6_off.wav", "chev6_0.wav", "chev6_1.wav", "horn10.wav"},
    {"151", "arrow_on.wav", "arrow_off.wav", "arrow_0.wav", "arrow_1.wav", "horn14.wav"},
    {"154-157", "cord_on.wav", "cord_off.wav", "cord_0.wav", "cord10_1.wav", "horn9.wav"},
    {"158-159", "cord_on.wav", "cord_off.wav", "cord_0.wav", "cord_1.wav", "horn9.wav"},
    {"162", "dues_on.wav", "dues_off.wav", "dues_0.wav", "dues_1.wav", "horn14.wav"},
    {"163", "bug_on.wav", "bug_off.wav", "deu_0.wav", "deu_1.wav", ""},
    {"166-169", "airflow_on.wav", "airflow_of.wav", "airflow_0.wav", "airflow_1.wav", "horn4.wav"},
    {"172-178", "buick_on.wav", "buick_off.wav", "buick_0.wav", "buick_1.wav", "horn6.wav"},
    {"182, 184-186", "truck_on.wav", "truck_of.wav", "truck_0.wav", "truck_1.wav", "horn8.wav"},
    {"189, 191-192, 200", "", "", "", "", "horn13.wav"},
    {"190, 193, 199", "", "", "", "", "horn5.wav"},
    {"194", "jet_on.wav", "jet_off.wav", "jet_0.wav", "jet_1.wav", ""},
    {"195, 198", "", "", "", "", "horn2.wav"},
    {"196-197, 205", "", "", "", "", "horn1.wav"},
    {"201", "ele_on.wav", "ele_off.wav", "ele0.wav", "ele1.wav", "horn9.wav"},
    {"202", "m6H_on.wav", "m6H_off.wav", "m6H_0.wav", "m6H_1.wav", ""},
    {"203-204", "", "", "", "", "horn12.wav"},
    {"206-207", "phant_on.wav", "phant_off.wav", "phant_0.wav", "phant_1.wav", "horn14.wav"},
};

constexpr std::string_view kModelExtension = ".4ds";

constexpr bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// A numbered model name is a stem, two digits and the extension.
constexpr bool isNumbered(std::string_view name) {
    return name.size() > 2 + kModelExtension.size() && name.ends_with(kModelExtension) &&
           isDigit(name[name.size() - kModelExtension.size() - 2]) &&
           isDigit(name[name.size() - kModelExtension.size() - 1]);
}

constexpr std::string_view stemOf(std::string_view name) {
    return name.substr(0, name.size() - kModelExtension.size() - 2);
}

constexpr int numberOf(std::string_view name) {
    std::size_t digits = name.size() - kModelExtension.size() - 2;
    return (name[digits] - '0') * 10 + (name[digits + 1] - '0');
}

constexpr bool rangeFits(const NameRange& range, int rowCount) {
    if (rowCount == 1) {
        return !range.first.empty() && range.last.empty();
    }
    return isNumbered(range.first) && isNumbered(range.last) && stemOf(range.first) == stemOf(range.last) &&
           numberOf(range.last) == numberOf(range.first) + rowCount - 1 && numberOf(range.last) <= 99;
}

constexpr bool isRow(int row) {
    return row >= 0 && row < kCatalogueRowCount;
}

// Calls visit(row) for every row of a list such as "189, 191-192, 200"; false when the
// list does not parse or names a row outside the catalogue.
template <typename Visit> constexpr bool forEachListedRow(std::string_view list, Visit visit) {
    std::size_t pos = 0;
    auto number = [&](int& value) {
        if (pos >= list.size() || !isDigit(list[pos])) {
            return false;
        }
        value = 0;
        while (pos < list.size() && isDigit(list[pos])) {
            value = value * 10 + (list[pos++] - '0');
        }
        return true;
    };
    while (true) {
        int first = 0;
        if (!number(first)) {
            return false;
        }
        int last = first;
        if (pos < list.size() && list[pos] == '-') {
            ++pos;
            if (!number(last)) {
                return false;
            }
        }
        if (!isRow(first) || !isRow(last) || last < first) {
            return false;
        }
        for (int row = first; row <= last; ++row) {
            visit(row);
        }
        if (pos == list.size()) {
            return true;
        }
        if (list.substr(pos, 2) != ", ") {
            return false;
        }
        pos += 2;
    }
}

// Typing slips in the tables above stop the build: every range must rise as its line says,
// and the sound lines must cover exactly the rows that have models, each once.
constexpr bool tablesAreConsistent() {
    std::array<int, kCatalogueRowCount> modelLines{};
    for (const ModelLine& line : kModelLines) {
        if (!isRow(line.firstRow) || !isRow(line.lastRow) || line.lastRow < line.firstRow) {
            return false;
        }
        int rowCount = line.lastRow - line.firstRow + 1;
        if (!rangeFits(line.model1, rowCount) || !rangeFits(line.model2, rowCount) || line.model3.empty()) {
            return false;
        }
        for (int row = line.firstRow; row <= line.lastRow; ++row) {
            ++modelLines[static_cast<std::size_t>(row)];
        }
    }
    std::array<int, kCatalogueRowCount> soundLines{};
    for (const SoundLine& line : kSoundLines) {
        if (!forEachListedRow(line.rows, [&](int row) { ++soundLines[static_cast<std::size_t>(row)]; })) {
            return false;
        }
    }
    for (std::size_t row = 0; row < modelLines.size(); ++row) {
        if (modelLines[row] > 1 || soundLines[row] != modelLines[row]) {
            return false;
        }
    }
    return true;
}
static_assert(tablesAreConsistent());

std::string nameAt(const NameRange& range, int offset) {
    if (offset == 0) {
        return std::string(range.first);
    }
    int number = numberOf(range.first) + offset;
    std::string name(stemOf(range.first));
    name += static_cast<char>('0' + number / 10);
    name += static_cast<char>('0' + number % 10);
    name += kModelExtension;
    return name;
}

const std::array<TargetFileSet, kCatalogueRowCount>& targetFileTable() {
    static const std::array<TargetFileSet, kCatalogueRowCount> table = [] {
        std::array<TargetFileSet, kCatalogueRowCount> built{};
        for (const ModelLine& line : kModelLines) {
            for (int row = line.firstRow; row <= line.lastRow; ++row) {
                TargetFileSet& entry = built[static_cast<std::size_t>(row)];
                entry.TargetModel1 = nameAt(line.model1, row - line.firstRow);
                entry.TargetModel2 = nameAt(line.model2, row - line.firstRow);
                entry.TargetModel3 = std::string(line.model3);
            }
        }
        for (const SoundLine& line : kSoundLines) {
            forEachListedRow(line.rows, [&](int row) {
                TargetFileSet& entry = built[static_cast<std::size_t>(row)];
                entry.TargetSoundOn = std::string(line.on);
                entry.TargetSoundOff = std::string(line.off);
                entry.TargetSound0 = std::string(line.running0);
                entry.TargetSound1 = std::string(line.running1);
                entry.TargetHorn = std::string(line.horn);
            });
        }
        return built;
    }();
    return table;
}

} // namespace

void lookupTargetFiles(int catalogueIndex, TargetFileSet& set) {
    if (!isRow(catalogueIndex)) {
        return;
    }
    set = targetFileTable()[static_cast<std::size_t>(catalogueIndex)];
}

bool isCarRow(int catalogueIndex) {
    return isRow(catalogueIndex) &&
           !targetFileTable()[static_cast<std::size_t>(catalogueIndex)].TargetModel1.empty();
}

} // namespace obrinex
