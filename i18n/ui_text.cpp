#include "i18n/ui_text.h"

#include "text/cp1252.h"

#include <array>
#include <cstddef>

namespace obrinex {

namespace {

struct UiTextRow {
    std::string UiText::*member;
    // Indexed by Language: German, English, Czech, French.
    std::array<std::string_view, 4> texts;
};

// UTF-8 here for readability; converted to Windows-1252 once, on first use.
constexpr std::array<UiTextRow, 34> kRows = {{
    {&UiText::BackText, {"zurück", "back", "zpet", "Précédent"}},
    {&UiText::NextText, {"weiter", "next", "dále", "Suivant"}},
    {&UiText::ExitText, {"Ende", "exit", "konec", "Annuler"}},
    {&UiText::FolderMissingText,
     {"Der angegebene Ordner existiert nicht! Soll er erstellt werden?",
      "This directory does not exist! Do you wish to create?", "Udaný adresár neexistuje! Udelat?",
      "Ce répertoire n´existe pas ! Voulez-vous le creer ?"}},
    {&UiText::ColourChoiceText,
     {"Es stehen verschiedene Farben zur Auswahl:", "There are a few colors you can choose:",
      "Vyberte prosím barvu auta:", "Vous pouvez choisir entre différentes couleurs :"}},
    {&UiText::BrowseText, {"durchsuchen", "browse", "vyhledat", "Parcourir..."}},
    {&UiText::ExitQuestionText,
     {"Die Installation wurde noch nicht durchgeführt! Möchten Sie trotzdem beenden?",
      "The installation is incomplete! Do you wish to close this application?",
      "Instalace jeste nebyla provedená! Chcete presto zakoncit?",
      "L´installation n´est pas terminée. Voulez-vous vraiment fermer cette application ?"}},
    {&UiText::FinishText, {"Fertigstellen", "finish", "dokoncit", "Terminer"}},
    {&UiText::IntroText1,
     {"Dieses Installationsprogramm wird nun folgendes Auto", "This setup will install the following car",
      "Tento program ted nainstaluje tento model", "Le programme va installer cette voiture"}},
    {&UiText::IntroText2,
     {"auf Ihrer Festplatte installieren:", "on your hard disk:", "na vas harddisk:",
      "sur votre disque dur :"}},
    {&UiText::ModdedByText, {"gemoddet von:", "modded by:", "autor modelu:", "Crée par :"}},
    {&UiText::ConvertedByText,
     {"konvertiert von:", "converted by:", "autor 4ds modifikace:", "Converti par:"}},
    {&UiText::EmailText, {"E-Mail:", "E-Mail:", "e-mail:", "E-Mail :"}},
    {&UiText::GameFolderText,
     {"Bitte geben Sie den Pfad des Zarvo-Installations-Verzeichnisses an:",
      "Please tell the program the path of your Zarvo-directory:", "Prosím udejte cestu adresáre Zarve:",
      "Entrez le chemin de votre répertoire Zarvo :"}},
    {&UiText::BackslashHintText,
     {"(Pfad bitte mit einem Backslash abschließen!)", "(End the path with a backslash!)",
      "(cestu prosím s backslashem \"\\\" zakoncit!)", "(Mettez un backslash à la fin du chemin)"}},
    {&UiText::ReplaceCarText,
     {"Bitte wählen Sie das zu ersetzende Auto:", "Choose the car you want to replace:",
      "Prosím vyberte auto k nahrazení:", "Choisissez la voiture que vous voulez remplacer :"}},
    {&UiText::BackupQuestionText,
     {"Möchten Sie ein Backup erstellen?", "Create Backup?", "Chcete udelat backup?",
      "Creer une sauvegarde ?"}},
    {&UiText::ChooseText, {"Auswahl", "Choose", "výber", "Choisissez dans la liste"}},
    {&UiText::YesText, {"ja", "yes", "ano", "Oui"}},
    {&UiText::NoText, {"nein", "no", "ne", "Non"}},
    {&UiText::IncompleteText,
     {"Es sind noch nicht alle Informationen vollständig!", "Some information are missing!",
      "Jeste nejsou vsechny informace doplnené!", "Il manque certaines informations !"}},
    {&UiText::DoneText1,
     {"Die Installation wurde erfolgreich durchgeführt.", "Setup has successfully finished.",
      "Instalace byla uspesne provedená.", "L´installation est terminée."}},
    {&UiText::DoneText2,
     {"Sie können das neue Fahrzeug nun verwenden.", "Now you can use the new car.",
      "Nyní muzete pouzivat to nové vozidlo.", "Vous pouvez utiliser cette nouvelle voiture."}},
    {&UiText::CreditText,
     {"Dieses Programm ist in Zusammenarbeit mit pelvan entstanden.",
      "Note: \"pelvan\" helped me with the develpment of this program.",
      "Tento program byl vytvoren v spolupráci s Pelvanem.",
      "Note: \"pelvan\" m´a aidé à developper ce programme."}},
    {&UiText::SetupIniErrorText,
     {"Die Datei setup.ini konnte nicht initialisiert werden!", "The file setup.ini could not be opened.",
      "Soubor setup.ini nemohl být initializován!", "Le fichier setup.ini ne peut pas être ouvert."}},
    {&UiText::SoundsQuestionText,
     {"Es stehen Sounds zur Verfügung. Möchten Sie diese einbinden?",
      "This package contains sound-files. Do you wish to integrate them?",
      "Zvukove soubory jsou k dispozici. Chcete je nainstalovat?",
      "Cette archive contient des fichiers sons. Voulez-vous les intégrer ?"}},
    {&UiText::VehiclesBinQuestionText,
     {"Möchten Sie die enthaltene vehicles.bin einbinden?",
      "There is a new vehicles.bin. Do you want to integrate this file?", "Chcete instalovat vehicles.bin?",
      "C´est un nouveau fichier vehicle.bin. Voulez-vous intégrer ce fichier ?"}},
    {&UiText::IntegrateSoundsText,
     {"Sounds einbinden", "integrate sounds", "Nainstalovat zvukove soubory", "Intégrer les sons"}},
    {&UiText::BackupSoundsText,
     {"vorhandene Sounds sichern", "backup real sounds", "zajistit originalni zvuky.",
      "Sauvegarder les sons originaux"}},
    {&UiText::IntegrateVehiclesBinText,
     {"vehicles.bin einbinden", "integrate new vehicles.bin", "instalovat vehicles.bin",
      "Intégrer le nouveau vehicles.bin"}},
    {&UiText::BackupVehiclesBinText,
     {"vorhandene vehicles.bin sichern als vehicles.bak", "save the real vehicles.bin as vehicles.bak",
      "zajistit originalni vehicles.bin jako vehicles.bak",
      "Sauvegarder l´original vehicles.bin en vehicles.bak"}},
    {&UiText::MultiSelectText,
     {"Auto ersetzen (Mehrfachauswahl möglich)", "replace car (multiple choice possible)",
      "nahradit auto (mnohonasobni vyber mozny)", "Voiture(s) remplacée(s) (choix multiple)"}},
    {&UiText::CancelBackText, {"abbrechen und zurück", "cancel and back", "zrusit a zpet", "Annuler"}},
    {&UiText::ApplyText, {"übernehmen", "apply", "prevzit", "Ok"}},
}};

#define OBRINEX_UI_TEXT_POINTER(name) &UiText::name,
constexpr std::array kMembers = {OBRINEX_UI_TEXTS(OBRINEX_UI_TEXT_POINTER)};
#undef OBRINEX_UI_TEXT_POINTER

// Every member exactly once, in the order of the member list, so no text can be left empty or set twice.
constexpr bool rowsMatchMembers() {
    if (kRows.size() != kMembers.size()) {
        return false;
    }
    for (std::size_t i = 0; i < kRows.size(); ++i) {
        if (kRows[i].member != kMembers[i]) {
            return false;
        }
    }
    return true;
}
static_assert(rowsMatchMembers());

UiText buildTexts(Language language) {
    UiText texts;
    for (const auto& row : kRows) {
        texts.*row.member = cp1252(row.texts[static_cast<std::size_t>(language)]);
    }
    return texts;
}

} // namespace

const UiText& uiTextFor(Language language) {
    static const std::array<UiText, 4> all = {buildTexts(Language::German), buildTexts(Language::English),
                                              buildTexts(Language::Czech), buildTexts(Language::French)};
    return all[static_cast<std::size_t>(language)];
}

const std::string* uiTextByName(const UiText& texts, std::string_view name) {
#define OBRINEX_UI_TEXT_LOOKUP(member)                                                                       \
    if (name == #member) {                                                                                   \
        return &texts.member;                                                                                \
    }
    OBRINEX_UI_TEXTS(OBRINEX_UI_TEXT_LOOKUP)
#undef OBRINEX_UI_TEXT_LOOKUP
    return nullptr;
}

} // namespace obrinex
