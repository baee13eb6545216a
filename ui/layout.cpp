#include "ui/layout.h"

#include <array>

namespace obrinex {

namespace {

constexpr int P(Page page) {
    return static_cast<int>(page);
}

constexpr auto Sprache = P(Page::Sprache);
constexpr auto Einleitung = P(Page::Einleitung);
constexpr auto Waehlen = P(Page::Waehlen);
constexpr auto Mehrfach = P(Page::Mehrfachauswahl);
constexpr auto Advanced = P(Page::Advanced);
constexpr auto Fertig = P(Page::Fertig);
constexpr auto Fehler = P(Page::Fehler);
constexpr auto Autoliste = P(Page::Autoliste);

using K = ControlKind;
constexpr auto F1 = FormId::Form1;
constexpr auto F2 = FormId::Form2;
constexpr auto F3 = FormId::Form3;

// Labels size themselves to their caption; the width here is the design width.
constexpr int kLabelHeight = 13;
constexpr int kButtonTop = 312;
constexpr int kBackLeft = 8, kNextLeft = 128, kExitLeft = 248, kButtonWidth = 89, kButtonHeight = 25;

// clang-format off
constexpr std::array kMainWindow = {
    // name           kind            form page        left  top  width height font         caption                                  visible enabled checked group style
    ControlSpec{"Image2",         K::Image,       F1, kNoPage,     0,   0, 164, 314, kDefaultFont, ""},

    ControlSpec{"Label1",         K::Label,       F1, Sprache,     8,  16, 189,  24, kTitleFont,   "Obrinex"},
    ControlSpec{"Label2",         K::Label,       F1, Sprache,     8,  64, 111, kLabelHeight, kDefaultFont, "Choose your language:", true, true, false, 0, StyleAutoSize},
    ControlSpec{"RadioButton1",   K::RadioButton, F1, Sprache,     8,  88, 113,  20, kDefaultFont, "deutsch",  true, true, true,  1},
    ControlSpec{"RadioButton2",   K::RadioButton, F1, Sprache,     8, 112, 113,  17, kDefaultFont, "english",  true, true, false, 1},
    ControlSpec{"RadioButton3",   K::RadioButton, F1, Sprache,     8, 136, 113,  17, kDefaultFont, "cesky",    true, true, false, 1},
    ControlSpec{"RadioButton6",   K::RadioButton, F1, Sprache,     8, 160, 121,  17, kDefaultFont, "français", true, true, false, 1},
    ControlSpec{"Button3",        K::Button,      F1, Sprache,     kBackLeft, kButtonTop, kButtonWidth, kButtonHeight, kDefaultFont, "zurück", true, false},
    ControlSpec{"Button2",        K::Button,      F1, Sprache,     kNextLeft, kButtonTop, kButtonWidth, kButtonHeight, kDefaultFont, "weiter"},
    ControlSpec{"Button1",        K::Button,      F1, Sprache,     kExitLeft, kButtonTop, kButtonWidth, kButtonHeight, kDefaultFont, "Ende"},

    ControlSpec{"Label3",         K::Label,       F1, Einleitung,  8,  16, 189,  24, kTitleFont,   "Obrinex"},
    ControlSpec{"Label4",         K::Label,       F1, Einleitung,  8,  64, 268, kLabelHeight, kDefaultFont, "Dieses Installationsprogramm wird nun folgendes Auto", true, true, false, 0, StyleAutoSize},
    ControlSpec{"Label5",         K::Label,       F1, Einleitung,  8,  80, 167, kLabelHeight, kDefaultFont, "auf Ihrer Festplatte installieren:", true, true, false, 0, StyleAutoSize},
    ControlSpec{"Image1",         K::Image,       F1, Einleitung,  8, 104, 329,  25, kDefaultFont, ""},
    ControlSpec{"Label6",         K::Label,       F1, Einleitung,  8, 112,  65, kLabelHeight, kBoldFont, "[Autoname]", true, true, false, 0, StyleAutoSize},
    ControlSpec{"ComboBox7",      K::ComboBox,    F1, Einleitung,  8, 104, 329,  21, kDefaultFont, "", false},
    ControlSpec{"Label18",        K::Label,       F1, Einleitung,  8, 136,  71, kLabelHeight, kDefaultFont, "gemoddet von:", true, true, false, 0, StyleAutoSize},
    ControlSpec{"Label20",        K::Label,       F1, Einleitung,  8, 152,  35, kLabelHeight, kDefaultFont, "E-Mail:", true, true, false, 0, StyleAutoSize},
    ControlSpec{"Label19",        K::Label,       F1, Einleitung,112, 136,  37, kLabelHeight, kDefaultFont, "[Name]", true, true, false, 0, StyleAutoSize},
    ControlSpec{"Label21",        K::Label,       F1, Einleitung,112, 152,  45, kLabelHeight, kLinkFont, "[E-Mail]", true, true, false, 0, StyleAutoSize | StyleHandCursor},
    ControlSpec{"Label33",        K::Label,       F1, Einleitung,  8, 176,  82, kLabelHeight, kDefaultFont, "konvertiert von:", false, true, false, 0, StyleAutoSize},
    ControlSpec{"Label34",        K::Label,       F1, Einleitung,  8, 192,  35, kLabelHeight, kDefaultFont, "E-Mail:", false, true, false, 0, StyleAutoSize},
    ControlSpec{"Label35",        K::Label,       F1, Einleitung,112, 176,  37, kLabelHeight, kDefaultFont, "[Name]", false, true, false, 0, StyleAutoSize},
    ControlSpec{"Label36",        K::Label,       F1, Einleitung,112, 192,  45, kLabelHeight, kLinkFont, "[E-Mail]", false, true, false, 0, StyleAutoSize | StyleHandCursor},
    ControlSpec{"Memo1",          K::Memo,        F1, Einleitung,  8, 184, 341, 113, kDefaultFont, "", false, true, false, 0, StyleReadOnly | StyleVScroll},
    ControlSpec{"Button4",        K::Button,      F1, Einleitung,  kBackLeft, kButtonTop, kButtonWidth, kButtonHeight, kDefaultFont, "zurück"},
    ControlSpec{"Button5",        K::Button,      F1, Einleitung,  kNextLeft, kButtonTop, kButtonWidth, kButtonHeight, kDefaultFont, "weiter"},
    ControlSpec{"Button6",        K::Button,      F1, Einleitung,  kExitLeft, kButtonTop, kButtonWidth, kButtonHeight, kDefaultFont, "Ende"},

    ControlSpec{"Label8",         K::Label,       F1, Waehlen,     8,  16, 189,  24, kTitleFont,   "Obrinex"},
    ControlSpec{"Label9",         K::Label,       F1, Waehlen,     8,  64, 326, kLabelHeight, kDefaultFont, "Bitte geben Sie den Pfad des Zarvo-Installations-Verzeichnisses an:", true, true, false, 0, StyleAutoSize},
    ControlSpec{"Label17",        K::Label,       F1, Waehlen,     8,  80, 221, kLabelHeight, kDefaultFont, "(Pfad bitte mit einem Backslash abschließen!)", true, true, false, 0, StyleAutoSize},
    ControlSpec{"Edit1",          K::Edit,        F1, Waehlen,     8,  96, 249,  21, kDefaultFont, "C:\\Program Files\\Zarvo\\"},
    ControlSpec{"Button16",       K::Button,      F1, Waehlen,   264,  96,  65,  21, kDefaultFont, "durchsuchen"},
    ControlSpec{"Label10",        K::Label,       F1, Waehlen,     8, 136, 199, kLabelHeight, kDefaultFont, "Bitte wählen Sie das zu ersetzende Auto:", true, true, false, 0, StyleAutoSize},
    ControlSpec{"ComboBox1",      K::ComboBox,    F1, Waehlen,     8, 152, 289,  21, kDefaultFont, "Auswahl", true, true, false, 0, StyleNone, 20},
    ControlSpec{"BitBtn1",        K::BitBtn,      F1, Waehlen,   304, 152,  25,  21, kDefaultFont, "", true, true, false, 0, StyleArrowGlyph},
    ControlSpec{"Label11",        K::Label,       F1, Waehlen,     8, 192, 169, kLabelHeight, kDefaultFont, "Möchten Sie ein Backup erstellen?", true, true, false, 0, StyleAutoSize},
    ControlSpec{"RadioButton4",   K::RadioButton, F1, Waehlen,     8, 208,  41,  17, kDefaultFont, "ja",   true, false, false, 2},
    ControlSpec{"RadioButton5",   K::RadioButton, F1, Waehlen,    56, 208,  89,  17, kDefaultFont, "nein", true, false, true,  2},
    ControlSpec{"Label24",        K::Label,       F1, Waehlen,     8, 240, 214, kLabelHeight, kDefaultFont, "Es stehen verschiedene Farben zur Auswahl:", false, true, false, 0, StyleAutoSize},
    ControlSpec{"ComboBox2",      K::ComboBox,    F1, Waehlen,     8, 256, 321,  21, kDefaultFont, "Standard", false},
    ControlSpec{"Button7",        K::Button,      F1, Waehlen,     kBackLeft, kButtonTop, kButtonWidth, kButtonHeight, kDefaultFont, "zurück"},
    ControlSpec{"Button8",        K::Button,      F1, Waehlen,     kNextLeft, kButtonTop, kButtonWidth, kButtonHeight, kDefaultFont, "Fertigstellen"},
    ControlSpec{"Button9",        K::Button,      F1, Waehlen,     kExitLeft, kButtonTop, kButtonWidth, kButtonHeight, kDefaultFont, "Ende"},

    ControlSpec{"Label31",        K::Label,       F1, Mehrfach,    8,  16, 189,  24, kTitleFont,   "Obrinex"},
    ControlSpec{"Label32",        K::Label,       F1, Mehrfach,    8,  64, 201, kLabelHeight, kDefaultFont, "Auto ersetzen (Mehrfachauswahl möglich)", true, true, false, 0, StyleAutoSize},
    ControlSpec{"ListBox2",       K::ListBox,     F1, Mehrfach,    8,  88, 257, 209, kDefaultFont, "", true, true, false, 0, StyleMultiSelect},
    ControlSpec{"Button20",       K::Button,      F1, Mehrfach,    8, 312, 121,  25, kDefaultFont, "abbrechen und zurück"},
    ControlSpec{"Button21",       K::Button,      F1, Mehrfach,  144, 312, 121,  25, kDefaultFont, "übernehmen"},

    ControlSpec{"Label26",        K::Label,       F1, Advanced,    8,  16, 189,  24, kTitleFont,   "Obrinex"},
    ControlSpec{"Label27",        K::Label,       F1, Advanced,    8,  64, 307, kLabelHeight, kDefaultFont, "Es stehen Sounds zur Verfügung. Möchten Sie diese einbinden?", true, false, false, 0, StyleAutoSize},
    ControlSpec{"CheckBox1",      K::CheckBox,    F1, Advanced,    8,  88, 329,  17, kDefaultFont, "Sounds einbinden", true, false},
    ControlSpec{"CheckBox2",      K::CheckBox,    F1, Advanced,    8, 112, 329,  17, kDefaultFont, "vorhandene Sounds sichern", true, false},
    ControlSpec{"Label29",        K::Label,       F1, Advanced,   24, 128,   0, kLabelHeight, kDefaultFont, "", true, false, false, 0, StyleAutoSize},
    ControlSpec{"Label28",        K::Label,       F1, Advanced,    8, 176, 256, kLabelHeight, kDefaultFont, "Möchten Sie die enthaltene vehicles.bin einbinden?", true, false, false, 0, StyleAutoSize},
    ControlSpec{"CheckBox3",      K::CheckBox,    F1, Advanced,    8, 200, 329,  17, kDefaultFont, "vehicles.bin einbinden", true, false},
    ControlSpec{"CheckBox4",      K::CheckBox,    F1, Advanced,    8, 224, 329,  17, kDefaultFont, "vorhandene vehicles.bin sichern als vehicles.bak", true, false},
    ControlSpec{"Label30",        K::Label,       F1, Advanced,   24, 240,   0, kLabelHeight, kDefaultFont, "", true, false, false, 0, StyleAutoSize},
    ControlSpec{"Button17",       K::Button,      F1, Advanced,    kBackLeft, kButtonTop, kButtonWidth, kButtonHeight, kDefaultFont, "zurück"},
    ControlSpec{"Button18",       K::Button,      F1, Advanced,    kNextLeft, kButtonTop, kButtonWidth, kButtonHeight, kDefaultFont, "Fertigstellen"},
    ControlSpec{"Button19",       K::Button,      F1, Advanced,    kExitLeft, kButtonTop, kButtonWidth, kButtonHeight, kDefaultFont, "Ende"},

    ControlSpec{"Label12",        K::Label,       F1, Fertig,      8,  16, 189,  24, kTitleFont,   "Obrinex"},
    ControlSpec{"Label13",        K::Label,       F1, Fertig,      8,  64, 243, kLabelHeight, kDefaultFont, "Die Installation wurde erfolgreich durchgeführt.", true, true, false, 0, StyleAutoSize},
    ControlSpec{"Label14",        K::Label,       F1, Fertig,      8,  80, 221, kLabelHeight, kDefaultFont, "Sie können das neue Fahrzeug nun verwenden.", true, true, false, 0, StyleAutoSize},
    ControlSpec{"Label7",         K::Label,       F1, Fertig,      8, 160, 300, kLabelHeight, kDefaultFont, "Dieses Programm ist in Zusammenarbeit mit pelvan entstanden.", true, true, false, 0, StyleAutoSize},
    ControlSpec{"Button10",       K::Button,      F1, Fertig,      kBackLeft, kButtonTop, kButtonWidth, kButtonHeight, kDefaultFont, "zurück", true, false},
    ControlSpec{"Button11",       K::Button,      F1, Fertig,      kNextLeft, kButtonTop, kButtonWidth, kButtonHeight, kDefaultFont, "Fertigstellen", true, false},
    ControlSpec{"Button12",       K::Button,      F1, Fertig,      kExitLeft, kButtonTop, kButtonWidth, kButtonHeight, kDefaultFont, "Ende"},

    ControlSpec{"Label15",        K::Label,       F1, Fehler,      8,  16, 189,  24, kTitleFont,   "Obrinex"},
    ControlSpec{"Label16",        K::Label,       F1, Fehler,      8,  64, 270, kLabelHeight, kDefaultFont, "Die Datei setup.ini konnte nicht initialisiert werden!", true, true, false, 0, StyleAutoSize},
    ControlSpec{"Label22",        K::Label,       F1, Fehler,      8,  80, 189, kLabelHeight, kDefaultFont, "The file setup.ini could not be opend.", true, true, false, 0, StyleAutoSize},
    ControlSpec{"Label23",        K::Label,       F1, Fehler,      8,  96, 206, kLabelHeight, kDefaultFont, "Soubor setup.ini nemohl být initializován!", true, true, false, 0, StyleAutoSize},
    ControlSpec{"Label25",        K::Label,       F1, Fehler,      8, 112, 182, kLabelHeight, kDefaultFont, "Le dossier setup.ini a fait un faute!", true, true, false, 0, StyleAutoSize},
    ControlSpec{"Button13",       K::Button,      F1, Fehler,      kBackLeft, kButtonTop, kButtonWidth, kButtonHeight, kDefaultFont, "zurück", true, false},
    ControlSpec{"Button14",       K::Button,      F1, Fehler,      kNextLeft, kButtonTop, kButtonWidth, kButtonHeight, kDefaultFont, "Fertigstellen", true, false},
    ControlSpec{"Button15",       K::Button,      F1, Fehler,      kExitLeft, kButtonTop, kButtonWidth, kButtonHeight, kDefaultFont, "Ende"},

    ControlSpec{"ListView1",      K::ListView,    F1, Autoliste,   8,   8, 329, 177, kDefaultFont, "", true, true, false, 0, StyleReportView},
    ControlSpec{"ListBox3",       K::ListBox,     F1, Autoliste,   8, 192,  81, 97, kDefaultFont, "", false},
    ControlSpec{"ListBox11",      K::ListBox,     F1, Autoliste,  96, 192,  81, 97, kDefaultFont, "", false},
    ControlSpec{"ListBox13",      K::ListBox,     F1, Autoliste, 184, 192,  81, 97, kDefaultFont, "", false},
    ControlSpec{"ListBox14",      K::ListBox,     F1, Autoliste, 272, 192,  65, 97, kDefaultFont, "", false},

    // Work lists below the client area, never visible.
    ControlSpec{"ListBox1",       K::ListBox,     F1, kNoPage,     0, 360, 121,  97, kDefaultFont, "", false},
    ControlSpec{"FileListBox1",   K::ListBox,     F1, kNoPage,   128, 360, 121,  97, kDefaultFont, "", false},
    ControlSpec{"FileListBox2",   K::ListBox,     F1, kNoPage,   256, 360, 121,  97, kDefaultFont, "", false},
    ControlSpec{"ComboBox3",      K::ComboBox,    F1, kNoPage,     0, 464, 121,  21, kDefaultFont, "de",  false},
    ControlSpec{"ComboBox4",      K::ComboBox,    F1, kNoPage,   128, 464, 121,  21, kDefaultFont, "en",  false},
    ControlSpec{"ComboBox5",      K::ComboBox,    F1, kNoPage,   256, 464, 121,  21, kDefaultFont, "cz",  false},
    ControlSpec{"ComboBox6",      K::ComboBox,    F1, kNoPage,   384, 464, 121,  21, kDefaultFont, "frz", false},
};

constexpr std::array kFolderBrowser = {
    ControlSpec{"Edit1",             K::Edit,             F2, kNoPage,  0,   0, 217,  21, kDefaultFont, "C:\\", true, false},
    ControlSpec{"DirectoryListBox1", K::DirectoryListBox, F2, kNoPage,  0,  24, 217, 185, kDefaultFont, ""},
    ControlSpec{"DriveComboBox1",    K::DriveComboBox,    F2, kNoPage,  0, 208, 217,  19, kDefaultFont, ""},
    ControlSpec{"Button1",           K::Button,           F2, kNoPage, 80, 232,  64,  25, kDefaultFont, "OK"},
};

constexpr std::array kVariantDialog = {
    ControlSpec{"Label1",    K::Label,    F3, kNoPage,  0,  8,  73, kLabelHeight, kDefaultFont, "Choose the car", true, true, false, 0, StyleAutoSize},
    ControlSpec{"ComboBox1", K::ComboBox, F3, kNoPage,  0, 24, 193,  21, kDefaultFont, "Standard"},
    ControlSpec{"Button1",   K::Button,   F3, kNoPage, 64, 48,  65,  25, kDefaultFont, "OK"},
};

constexpr std::array kForms = {
    FormSpec{FormId::Form1, "Form1", "Obrinex v1.3a by Kemlo", 275, 185, 514, 340, 164, 0},
    FormSpec{FormId::Form2, "Form2", "Search Folder",          400, 132, 218, 258,   0, 0},
    FormSpec{FormId::Form3, "Form3", "Choose Car",             393, 162, 195,  77,   0, 0},
};
// clang-format on

constexpr std::array<std::string_view, kPageCount> kPageCaptions = {
    "Sprache", "Einleitung", "Waehlen", "Mehrfachauswahl", "Advanced", "Fertig", "Fehler", "Autoliste"};

} // namespace

std::string_view pageCaption(Page page) {
    return kPageCaptions[static_cast<std::size_t>(page)];
}

const FormSpec& formSpec(FormId id) {
    return kForms[static_cast<std::size_t>(id)];
}

std::span<const ControlSpec> formLayout(FormId id) {
    switch (id) {
    case FormId::Form1:
        return kMainWindow;
    case FormId::Form2:
        return kFolderBrowser;
    case FormId::Form3:
        return kVariantDialog;
    }
    return {};
}

} // namespace obrinex
