// What the setup reads from setup1.inf: the names of its sections and keys, the sizes of the
// buffers it reads them into, and which sections each choice of components makes it copy.
// The string table, the setup, the uninstaller and the package maker's tool take these from
// here, so that a package checked by the tool is read the same way by the setup.
// Plain C++ without windows.h; the resource compiler sees only the text macros.
#pragma once

// ---- Names of files
#define INF_FILE_NAME                   "setup1.inf"
#define INF_PRODUCT_PROFILE             "k-vox.ini"
#define INF_PRODUCT_NAME                "K-VOX"   // also the item section of the uninstaller's icon

// ---- Sections
#define INF_SECTION_COMMON_FLAGS        "CommonInstallFlags"
#define INF_SECTION_OEM_FLAGS           "OemInstallFlags"
#define INF_SECTION_SETUP_DISK          "SetupDisk"
#define INF_SECTION_DISKS               "disks"
#define INF_SECTION_COUNTRY_KEY         "Country Key"
#define INF_SECTION_DEFAULT_SETUP       "default.setup"
#define INF_SECTION_COUNTRY             "country"
#define INF_SECTION_LANGUAGE            "Language"
#define INF_SECTION_KEYBOARD_LAYOUTS    "Keyboard Layouts"
#define INF_SECTION_LAYOUTS_KVOX        "Layouts.K-VOX"
#define INF_SECTION_HOTKEY              "hotkey"
#define INF_SECTION_CODEPAGE_NUMBER     "codepage.number"
#define INF_SECTION_CODEPAGE_DESCRIPTION "codepage.description"
#define INF_SECTION_OEM_CODEPAGE_DESCRIPTION "codepage.oem.description"
#define INF_SECTION_OEMANSI             "oemansi"
#define INF_SECTION_VGA_GR3             "VGA.GR3"
#define INF_SECTION_OEMFONTS            "oemfonts"
#define INF_SECTION_SYSFONTS            "sysfonts"     // followed by "." and the code page
#define INF_SECTION_FIXEDFONTS          "fixedfonts"   // followed by "." and the code page
#define INF_SECTION_SMALL_1251          "small.1251"
#define INF_SECTION_HELV_1251           "helv.1251"
#define INF_SECTION_COUR_1251           "cour.1251"
#define INF_SECTION_TMSR_1251           "tmsr.1251"
#define INF_SECTION_TTF_1251            "TTF.1251"
#define INF_SECTION_FONT_SUBSTITUTES    "FontSubstitutes"
#define INF_SECTION_PRINTERS            "printers"
#define INF_SECTION_BOOT                "boot"
#define INF_SECTION_VOLUME              "volume"
#define INF_SECTION_WINDOWS_SYSTEM      "windows.system"
#define INF_SECTION_WINDOWS             "windows"
#define INF_SECTION_UNINSTALL_KVOX      "uninstall.k-vox"
#define INF_SECTION_PROGFILES_KVOX      "programfiles.k-vox"
#define INF_SECTION_PROGFILES_SYSTEM    "programfiles.system"
#define INF_SECTION_PROGFILES_WINDOWS   "programfiles.windows"
#define INF_SECTION_APPLICATION         "application"
#define INF_SECTION_APPLICATIONS_SYSTEM "applications.system"
#define INF_SECTION_KDK                 "kdk"
#define INF_SECTION_ITEMS_PROGFILES     "K-VOX.programfiles"
#define INF_SECTION_ITEMS_APL           "K-VOX.apl"
#define INF_SECTION_ITEMS_KDK           "K-VOX.kdk"

// ---- Keys
#define INF_KEY_DEFAULT_COUNTRY         "DefaultUserCountry"
#define INF_KEY_DEFAULT_HOTKEY          "DefaultHotKey"
#define INF_KEY_SHOW_WELCOME            "ShowWelcomeDialog"
#define INF_KEY_ASK_COUNTRY_AND_PATH    "AskCountryAndPath"
#define INF_KEY_ASK_SETUP_OPTIONS       "AskSetupOptions"
#define INF_KEY_ASK_RESTART             "AskRestartOrReturn"
#define INF_KEY_PROGMAN_GROUP_OPENED    "CreatedProgmanGroupOpened"
#define INF_KEY_KEYBOARD_DRV            "keyboard.drv"
#define INF_KEY_HI1                     "HI1"
#define INF_KEY_HI2                     "HI2"
#define INF_KEY_HI4                     "HI4"
#define INF_KEY_ALL                     "ALL"
#define INF_KEY_PR2                     "PR2"
#define INF_KEY_PR9                     "PR9"
// The DOS-window fonts: the first five characters, the code of [VGA.GR3] and ".fon".
#define INF_DOS_FONT_EGA80              "EGA80WOA.FON"
#define INF_DOS_FONT_EGA40              "EGA40WOA.FON"
#define INF_DOS_FONT_CGA80              "CGA80WOA.FON"
#define INF_DOS_FONT_CGA40              "CGA40WOA.FON"

// ---- What the setup takes when the install flags name no country or layout switch
#define INF_DEFAULT_COUNTRY             "Russia"
#define INF_DEFAULT_COUNTRY_KEY         "RUS"
#define INF_DEFAULT_HOTKEY              "Left Ctrl"

// ---- Keys of [volume]
#define INF_VOLUME_WINOTHER             "WINOTHER"
#define INF_VOLUME_WINSPACE             "WINSPACE"
#define INF_VOLUME_OEM                  "OEM"
#define INF_VOLUME_UNINSTFILES          "UNINSTFILES"
#define INF_VOLUME_PROGFILES            "PROGFILES"
#define INF_VOLUME_APPLIC               "APPLIC"
#define INF_VOLUME_KDK                  "KDK"
#define INF_VOLUME_TTF                  "TTF"

#ifndef RC_INVOKED

#include <cstddef>
#include <cstdint>

#include "resource_ids.h"

namespace setupinf {

// ---- Sizes of the buffers the setup reads setup1.inf into. A longer text is cut without a
// word, so the package maker's tool holds every list and value to these.
constexpr size_t kFileSectionNamesSize = 700;  // the key list of one file section, with its zeros
constexpr size_t kKeyListSize = 1024;          // the key list of any other section
constexpr size_t kListValueSize = 1024;        // a list value: items, country lines, defaults
constexpr size_t kShortValueSize = 120;        // a value shown to the user or copied on
constexpr size_t kDiskNumberSize = 8;          // the value of a file section's key
constexpr size_t kItemFileSize = 32;           // the file member of an item
constexpr size_t kItemDiskSize = 4;            // the disk member of an item
constexpr size_t kDiskLabelSize = 128;         // a value of [disks]
constexpr size_t kDdeCommandSize = 128;        // a Program Manager command, with its zero
constexpr size_t kLayoutNameSize = 30;         // a key of [Keyboard Layouts]
constexpr size_t kCountryKeySize = 4;          // a three-letter country key
constexpr size_t kCodePageSize = 8;            // the Windows code page of a country
constexpr size_t kDosCodePageSize = 4;         // the DOS code page of a country
constexpr size_t kHotKeyNameSize = 36;         // a key of [hotkey]
constexpr size_t kFontFileSize = 16;           // the file of a font group line
constexpr size_t kFontValueNameSize = 128;     // the registry name of a font group line
constexpr size_t kControlInfKeySize = 120;     // the control.inf key made of a country line
constexpr size_t kSectionNameSize = 32;        // a section name the setup forms
constexpr size_t kNamedSectionSize = 30;       // a section named by a value of [oemfonts]
constexpr size_t kDosFontEntrySize = 256;      // a value of [VGA.GR3]
constexpr int kCountryFields = 21;             // the "!" fields of a [country] line
constexpr char kProductProfileDisk[] = "1";    // k-vox.ini always comes from the first disk

// ---- The copy plan: every section the setup copies files from, in its order.

// Where a copied file goes.
enum class InstallDir : uint8_t { Windows, System, Fonts, Destination };

// The choice that makes the setup copy a step. The font choices count only with Fonts.
enum class Choice : uint8_t {
    Always,
    UninstallEnabled,
    ProgramFiles,
    Applications,
    DevelopersKitSample,
    Layouts,
    Fonts,
    SystemFonts,
    ScreenFonts,
    PlotterFonts,
    TrueTypeFonts,
    TwentyFourPinFonts,
    NinePinFonts,
};

// How a section names its files.
enum class Shape : uint8_t {
    ProductProfile,  // k-vox.ini, no section: from kProductProfileDisk
    FileSection,     // every key a file name, its value the disk
    Item,            // member `member` of one key's value the file, the next member its disk
    EveryItem,       // Item, for every key of the section in turn
    DosFonts,        // [VGA.GR3]: member 1 a code, member 2 the disk; four fonts named by the code
    AppFont,         // [VGA.GR3]: the font "app" + code + ".fon"
    NamedSection,    // [oemfonts]: the value names an item section keyed by the font size code
};

// Which keys of an item section a run reads.
enum class Keys : uint8_t {
    All,              // every key (file sections, TrueType fonts)
    OneChosen,        // the one the user's choice names: a country, a DOS code page
    EveryChosen,      // any number of them: keyboard layouts
    FontSize,         // "HI1", "HI2" or "HI4", by the screen
    Plotter,          // "ALL"
    TwentyFourPin,    // "PR2"
    NinePin,          // "PR9"
};

struct CopyStep {
    unsigned sectionId;      // string id of the section's name (0: none)
    const char* section;     // the same name
    bool withCodePage;       // the name is completed with "." and the country's Windows code page
    Shape shape;
    int member;              // the file's member in an item's value
    Keys keys;
    InstallDir dir;
    Choice choice;
    bool stopsOnFailure;     // false: a failed copy is passed over
    const char* volumeKey;   // the [volume] key its size counts under; null: the font size code
};

constexpr CopyStep kCopyPlan[] = {
    {0, INF_PRODUCT_PROFILE, false, Shape::ProductProfile, 0, Keys::All, InstallDir::Windows, Choice::Always,
     true, INF_VOLUME_WINOTHER},
    {IDS_SECTION_WINDOWS_SYSTEM, INF_SECTION_WINDOWS_SYSTEM, false, Shape::FileSection, 0, Keys::All,
     InstallDir::System, Choice::Always, true, INF_VOLUME_WINOTHER},
    {IDS_SECTION_WINDOWS, INF_SECTION_WINDOWS, false, Shape::FileSection, 0, Keys::All, InstallDir::Windows,
     Choice::Always, true, INF_VOLUME_WINOTHER},
    {IDS_SECTION_UNINSTALL_KVOX, INF_SECTION_UNINSTALL_KVOX, false, Shape::FileSection, 0, Keys::All,
     InstallDir::Destination, Choice::UninstallEnabled, true, INF_VOLUME_UNINSTFILES},
    {IDS_SECTION_PROGFILES_KVOX, INF_SECTION_PROGFILES_KVOX, false, Shape::FileSection, 0, Keys::All,
     InstallDir::Destination, Choice::ProgramFiles, true, INF_VOLUME_PROGFILES},
    {IDS_SECTION_PROGFILES_SYSTEM, INF_SECTION_PROGFILES_SYSTEM, false, Shape::FileSection, 0, Keys::All,
     InstallDir::System, Choice::ProgramFiles, true, INF_VOLUME_WINSPACE},
    {IDS_SECTION_PROGFILES_WINDOWS, INF_SECTION_PROGFILES_WINDOWS, false, Shape::FileSection, 0, Keys::All,
     InstallDir::Windows, Choice::ProgramFiles, true, INF_VOLUME_WINSPACE},
    {IDS_SECTION_OEMANSI, INF_SECTION_OEMANSI, false, Shape::Item, 1, Keys::OneChosen, InstallDir::System,
     Choice::ProgramFiles, true, INF_VOLUME_WINSPACE},
    {IDS_SECTION_DEFAULT_SETUP, INF_SECTION_DEFAULT_SETUP, false, Shape::Item, 4, Keys::OneChosen,
     InstallDir::System, Choice::ProgramFiles, true, INF_VOLUME_WINSPACE},
    {IDS_SECTION_APPLICATION, INF_SECTION_APPLICATION, false, Shape::FileSection, 0, Keys::All,
     InstallDir::Destination, Choice::Applications, true, INF_VOLUME_APPLIC},
    {IDS_SECTION_APPLICATIONS_SYSTEM, INF_SECTION_APPLICATIONS_SYSTEM, false, Shape::FileSection, 0, Keys::All,
     InstallDir::System, Choice::Applications, true, INF_VOLUME_APPLIC},
    {IDS_SECTION_KDK, INF_SECTION_KDK, false, Shape::FileSection, 0, Keys::All, InstallDir::Destination,
     Choice::DevelopersKitSample, true, INF_VOLUME_KDK},
    {IDS_SECTION_KEYBOARD_LAYOUTS, INF_SECTION_KEYBOARD_LAYOUTS, false, Shape::Item, 2, Keys::EveryChosen,
     InstallDir::System, Choice::Layouts, true, INF_VOLUME_WINOTHER},
    {IDS_SECTION_VGA_GR3, INF_SECTION_VGA_GR3, false, Shape::DosFonts, 1, Keys::OneChosen, InstallDir::System,
     Choice::Fonts, true, INF_VOLUME_OEM},
    {IDS_SECTION_VGA_GR3, INF_SECTION_VGA_GR3, false, Shape::AppFont, 1, Keys::OneChosen, InstallDir::Destination,
     Choice::Fonts, true, INF_VOLUME_OEM},
    {IDS_SECTION_OEMFONTS, INF_SECTION_OEMFONTS, false, Shape::NamedSection, 1, Keys::FontSize, InstallDir::Fonts,
     Choice::Fonts, true, nullptr},
    {IDS_SECTION_SYSFONTS, INF_SECTION_SYSFONTS, true, Shape::Item, 1, Keys::FontSize, InstallDir::Fonts,
     Choice::SystemFonts, true, nullptr},
    {IDS_SECTION_FIXEDFONTS, INF_SECTION_FIXEDFONTS, true, Shape::Item, 1, Keys::FontSize, InstallDir::Fonts,
     Choice::SystemFonts, true, nullptr},
    {IDS_SECTION_HELV_1251, INF_SECTION_HELV_1251, false, Shape::Item, 1, Keys::FontSize, InstallDir::Fonts,
     Choice::ScreenFonts, false, nullptr},
    {IDS_SECTION_TMSR_1251, INF_SECTION_TMSR_1251, false, Shape::Item, 1, Keys::FontSize, InstallDir::Fonts,
     Choice::ScreenFonts, false, nullptr},
    {IDS_SECTION_SMALL_1251, INF_SECTION_SMALL_1251, false, Shape::Item, 1, Keys::FontSize, InstallDir::Fonts,
     Choice::ScreenFonts, false, nullptr},
    {IDS_SECTION_COUR_1251, INF_SECTION_COUR_1251, false, Shape::Item, 1, Keys::FontSize, InstallDir::Fonts,
     Choice::ScreenFonts, false, nullptr},
    {IDS_SECTION_HELV_1251, INF_SECTION_HELV_1251, false, Shape::Item, 1, Keys::Plotter, InstallDir::Destination,
     Choice::PlotterFonts, false, INF_KEY_ALL},
    {IDS_SECTION_COUR_1251, INF_SECTION_COUR_1251, false, Shape::Item, 1, Keys::Plotter, InstallDir::Destination,
     Choice::PlotterFonts, false, INF_KEY_ALL},
    {IDS_SECTION_TMSR_1251, INF_SECTION_TMSR_1251, false, Shape::Item, 1, Keys::Plotter, InstallDir::Destination,
     Choice::PlotterFonts, false, INF_KEY_ALL},
    {IDS_SECTION_TTF_1251, INF_SECTION_TTF_1251, false, Shape::EveryItem, 1, Keys::All, InstallDir::Destination,
     Choice::TrueTypeFonts, true, INF_VOLUME_TTF},
    {IDS_SECTION_HELV_1251, INF_SECTION_HELV_1251, false, Shape::Item, 1, Keys::TwentyFourPin,
     InstallDir::Destination, Choice::TwentyFourPinFonts, false, INF_KEY_PR2},
    {IDS_SECTION_COUR_1251, INF_SECTION_COUR_1251, false, Shape::Item, 1, Keys::TwentyFourPin,
     InstallDir::Destination, Choice::TwentyFourPinFonts, false, INF_KEY_PR2},
    {IDS_SECTION_TMSR_1251, INF_SECTION_TMSR_1251, false, Shape::Item, 1, Keys::TwentyFourPin,
     InstallDir::Destination, Choice::TwentyFourPinFonts, false, INF_KEY_PR2},
    {IDS_SECTION_HELV_1251, INF_SECTION_HELV_1251, false, Shape::Item, 1, Keys::NinePin, InstallDir::Destination,
     Choice::NinePinFonts, false, INF_KEY_PR9},
    {IDS_SECTION_COUR_1251, INF_SECTION_COUR_1251, false, Shape::Item, 1, Keys::NinePin, InstallDir::Destination,
     Choice::NinePinFonts, false, INF_KEY_PR9},
    {IDS_SECTION_TMSR_1251, INF_SECTION_TMSR_1251, false, Shape::Item, 1, Keys::NinePin, InstallDir::Destination,
     Choice::NinePinFonts, false, INF_KEY_PR9},
};

// The font size codes, in the order of the screens they serve.
constexpr const char* kFontSizeCodes[] = {INF_KEY_HI1, INF_KEY_HI2, INF_KEY_HI4};

// The DOS-window fonts' names before their code ("EGA80" of "EGA80WOA.FON"), in the order
// they are copied; the "app" font follows them.
constexpr size_t kDosFontPrefixLength = 5;
constexpr const char* kDosFontNames[] = {INF_DOS_FONT_EGA80, INF_DOS_FONT_EGA40, INF_DOS_FONT_CGA80,
                                         INF_DOS_FONT_CGA40};
constexpr char kAppFontPrefix[] = "app";
constexpr char kFontExtension[] = ".fon";

// The Program Manager item sections and the choice that makes the setup read each.
struct ItemSection {
    unsigned sectionId;
    const char* section;
    Choice choice;
};

constexpr ItemSection kProgmanItemSections[] = {
    {IDS_SECTION_ITEMS_PROGFILES, INF_SECTION_ITEMS_PROGFILES, Choice::ProgramFiles},
    {IDS_PRODUCT_NAME, INF_PRODUCT_NAME, Choice::UninstallEnabled},
    {IDS_SECTION_ITEMS_APL, INF_SECTION_ITEMS_APL, Choice::Applications},
    {IDS_SECTION_ITEMS_KDK, INF_SECTION_ITEMS_KDK, Choice::DevelopersKitSample},
};

// What the uninstaller needs beside the record: its program, and the setup information file
// from which it learns the package's files.
constexpr char kUninstallerProgram[] = "uninst.exe";

}  // namespace setupinf

#endif  // RC_INVOKED
