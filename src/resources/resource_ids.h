// Names of every resource of the setup program: string ids, dialog templates,
// control ids grouped by dialog, bitmaps. Shared by the resource script and the code.
#pragma once

// ---- Strings: captions and product names
#define IDS_PRODUCT_NAME                 10   // also the item section [K-VOX] and the group name
#define IDS_SETUP_TITLE                  11
#define IDS_SETUP_TITLE_FALLBACK         12
#define IDS_CAPTION_DRIVEDIR            160
#define IDS_CAPTION_WELCOME             161
#define IDS_CAPTION_FONTS               162
#define IDS_CAPTION_LANGLAYOUT          163
#define IDS_CAPTION_OPTIONS             165

// ---- Strings: messages
#define IDS_CANT_READ_FILE               13
#define IDS_NO_MEMORY                    18
#define IDS_NO_LOCK                      19
#define IDS_NOT_FOUND                    22
#define IDS_CONFIRM_EXIT                 23
#define IDS_NO_LAYOUT_FOR_NATION         26
#define IDS_DRIVE_NOT_VALID              28
#define IDS_DIR_NOT_VALID                29
#define IDS_CANT_WRITE_ENTRY             30
#define IDS_SETUP_INF_NOT_FOUND          38
#define IDS_UNINSTALL_DISABLED           39
#define IDS_CANT_CREATE_LOG              46
#define IDS_CANT_READ_NATION             47
#define IDS_NO_LIST_MEMBER               48
#define IDS_CANT_READ_SECTION            49
#define IDS_CANT_READ_STRING             50
#define IDS_NO_WINDOWS_DIR               53
#define IDS_NO_SYSTEM_DIR                54
#define IDS_ALREADY_INSTALLED            63
#define IDS_NETWORK_SWITCH               67
#define IDS_SWITCH_HELP                  69
#define IDS_SETUP_CANCELLED              72
#define IDS_NO_DOT_MATRIX_PRINTERS      117
#define IDS_SAME_SOURCE_AND_DEST        145
#define IDS_CANT_OPEN_DESTINATION       154
#define IDS_BAD_COMPRESSION             156
#define IDS_CANT_WRITE_DESTINATION      157
#define IDS_GENERAL_COPY_ERROR          158
#define IDS_CANT_OPEN_SOURCE            159
#define IDS_SWITCH_HELP_TEXT            300  // the three help lines put into IDS_SWITCH_HELP

// ---- Strings: message dialog buttons
#define IDS_BUTTON_OK                   118
#define IDS_BUTTON_CANCEL               119
#define IDS_BUTTON_YES                  124
#define IDS_BUTTON_NO                   126
#define IDS_BUTTON_ABORT                127
#define IDS_BUTTON_RETRY                128
#define IDS_BUTTON_IGNORE               129
#define IDS_BUTTON_YES_TO_ALL           155

// ---- Strings: progress, billboard and disk space texts
#define IDS_FILE_COPYING                 58
#define IDS_UPDATE_SYSTEM_INFO           71
#define IDS_TO_FILE                     146
#define IDS_BILLBOARD_PAGE1             271  // pages 1 to 5 are 271 to 275
#define IDS_SPACE_HEADER                280
#define IDS_SPACE_DESTINATION_DIR       282
#define IDS_SPACE_WINDOWS_DRIVE         284
#define IDS_SPACE_DESTINATION_DRIVE     286
#define IDS_SPACE_ADVICE                288
#define IDS_SPACE_PRESS_RETRY           290

// ---- Strings: file names
#define IDS_SETUP_INF_NAME               41
#define IDS_UNINSTALL_RECORD_NAME        42
#define IDS_WIN_INI                      43
#define IDS_SYSTEM_INI                   44
#define IDS_PRODUCT_PROFILE_NAME         45
#define IDS_WINDOWS_SETUP_INF            73
#define IDS_CONTROL_INF                  75
#define IDS_CONTROL_OLD                  76
#define IDS_PACKAGE_FONT_FACE           141
#define IDS_PACKAGE_FONT_FILE           142

// ---- Strings: defaults
#define IDS_DEFAULT_COUNTRY_KEY         113
#define IDS_DEFAULT_COUNTRY             114
#define IDS_DEFAULT_HOTKEY              115
#define IDS_DEFAULT_STARTUP_GROUP       116
#define IDS_DEFAULT_LANGUAGE            120
#define IDS_FONT_SIZE_HI1               230
#define IDS_FONT_SIZE_HI2               231
#define IDS_FONT_SIZE_HI4               233

// ---- Strings: sections of the setup information file
#define IDS_SECTION_COMMON_FLAGS         21
#define IDS_SECTION_SETUP_DISK           52
#define IDS_SECTION_DISKS                82
#define IDS_SECTION_COUNTRY              83   // also [country] of k-vox.ini and control.inf
#define IDS_SECTION_COUNTRY_KEY          84
#define IDS_SECTION_DEFAULT_SETUP        85
#define IDS_SECTION_KEYBOARD_LAYOUTS     86
#define IDS_SECTION_LANGUAGE             87
#define IDS_SECTION_CODEPAGE_DESCRIPTION 88
#define IDS_SECTION_CODEPAGE_NUMBER      89
#define IDS_SECTION_HOTKEY               90   // also the system.ini [keyboard] key "hotkey"
#define IDS_SECTION_VOLUME               91
#define IDS_SECTION_OEMANSI              92
#define IDS_SECTION_WINDOWS_SYSTEM       93
#define IDS_SECTION_WINDOWS              95
#define IDS_SECTION_BOOT                 96
#define IDS_SECTION_VGA_GR3              97
#define IDS_SECTION_SYSFONTS             98
#define IDS_SECTION_FIXEDFONTS           99
#define IDS_SECTION_OEMFONTS            100
#define IDS_SECTION_SMALL_1251          101
#define IDS_SECTION_HELV_1251           102
#define IDS_SECTION_COUR_1251           103
#define IDS_SECTION_TMSR_1251           104
#define IDS_SECTION_TTF_1251            105
#define IDS_SECTION_PRINTERS            106
#define IDS_SECTION_PROGFILES_KVOX      107
#define IDS_SECTION_PROGFILES_SYSTEM    108
#define IDS_SECTION_UNINSTALL_KVOX      109
#define IDS_SECTION_PROGFILES_WINDOWS   110
#define IDS_SECTION_OEM_FLAGS           112
#define IDS_SECTION_ITEMS_APL           134
#define IDS_SECTION_ITEMS_KDK           135
#define IDS_SECTION_APPLICATION         136
#define IDS_SECTION_KDK                 137
#define IDS_SECTION_LAYOUTS_KVOX        138
#define IDS_SECTION_ITEMS_PROGFILES     140
#define IDS_SECTION_FONT_SUBSTITUTES    183
#define IDS_SECTION_OEM_CODEPAGE_DESCRIPTION 200
#define IDS_SECTION_APPLICATIONS_SYSTEM 249

// ---- Strings: keys of the setup information file
#define IDS_KEY_DEFAULT_COUNTRY          31
#define IDS_KEY_DEFAULT_HOTKEY           32
#define IDS_KEY_SHOW_WELCOME             33
#define IDS_KEY_ASK_COUNTRY_AND_PATH     34
#define IDS_KEY_PROGMAN_GROUP_OPENED     35
#define IDS_KEY_ASK_SETUP_OPTIONS        65
#define IDS_KEY_ASK_RESTART              70
#define IDS_KEY_KEYBOARD_DRV            153
#define IDS_KEY_PR2                     234
#define IDS_KEY_PR9                     235
#define IDS_KEY_ALL                     236

// ---- Strings: keys of [volume]
#define IDS_VOLUME_UNINSTFILES           37
#define IDS_VOLUME_APPLIC                80
#define IDS_VOLUME_KDK                   81
#define IDS_VOLUME_WINOTHER              94
#define IDS_VOLUME_WINSPACE             111
#define IDS_VOLUME_OEM                  238
#define IDS_VOLUME_TTF                  239
#define IDS_VOLUME_PROGFILES            241

// ---- Strings: sections of the product profile and the uninstall record
#define IDS_SECTION_LANGUAGES_INSTALLED 132
#define IDS_SECTION_LOCATION            133
#define IDS_SECTION_KVNLS               139
#define IDS_SAVED_INTL                  121
#define IDS_SAVED_FONTS                 122
#define IDS_SAVED_FONT_SUBSTITUTES      123
#define IDS_SAVED_LANG                  125
#define IDS_SAVED_BOOT                  130
#define IDS_SAVED_KEYBOARD              131
#define IDS_SAVED_DISPLAY_FONTS         166
#define IDS_SAVED_SYSTEM_FONTS          173
#define IDS_SAVED_GRAB                  243

// ---- Strings: sections and keys of win.ini, system.ini and the registry
#define IDS_KEY_OEMANSI_BIN              68
#define IDS_KEY_CODEPAGE                 78
#define IDS_SECTION_BOOT_DESCRIPTION    180
#define IDS_SECTION_INTL                181
#define IDS_KEY_LANGUAGE_DLL            184
#define IDS_KEY_KEYBOARD_DLL            185
#define IDS_KEY_SECOND_KEYB_DLL         186
#define IDS_SECTION_KEYBOARD            188
#define IDS_SECTION_DEVICES             189
#define IDS_KEY_FONTS_FON               190
#define IDS_KEY_FIXEDFON_FON            191
#define IDS_KEY_OEMFONTS_FON            192
#define IDS_KEY_WINCODEPAGE             193
#define IDS_KEY_INTL_FIRST              201  // sLanguage; the key of country field n is 201 + n
#define IDS_SECTION_386ENH              242
#define IDS_KEY_WOAFONT                 244
#define IDS_KEY_EGA80WOA                245  // 245 to 248: EGA80, EGA40, CGA80, CGA40 WOA.FON

// ---- Dialog templates (stored in capitals, asked for by these names), window classes,
// icon and cursor
#define IDD_MESSAGE                     "Message"
#define IDD_WELCOME                     "Welcome"
#define IDD_SETUPDIR                    "SetupDir"
#define IDD_DRIVEDIR                    "DriveDir"
#define IDD_SETUPOPTIONS                "SetupOptions"
#define IDD_LANGLAYOUT                  "LangLayout"
#define IDD_FONTS                       "Fonts"
#define IDD_INSERTDISK                  "InsertDisk"
#define IDD_EXITSETUP                   "ExitSetup"
#define IDD_EXITSETUP3                  "ExitSetup3"
#define IDW_SETUP_CLASS                 "SetupClass"
#define IDW_PROGRESS_CLASS              "SetupInfor"
#define IDW_BILLBOARD_CLASS             "SetupAdvert"
#define IDI_SETUP_ICON                  "MYICON"
#define IDC_SETUP_CURSOR                "haircr"

// ---- Dialog MESSAGE
#define IDC_MESSAGE_BUTTON1               1
#define IDC_MESSAGE_BUTTON2               2
#define IDC_MESSAGE_BUTTON3               5

// ---- Bitmaps
#define IDB_CORNER                      "COPW"
#define IDB_LOGO                        "KVOXLOG1"
#define IDB_NATION                      "NATION"
#define IDB_DISK                        "DIRECT"
#define IDB_BILLBOARD1                  "KVOXINF1"
#define IDB_BILLBOARD2                  "KVOXINF2"
#define IDB_BILLBOARD3                  "KVOXINF3"
#define IDB_BILLBOARD4                  "KVOXINF4"
#define IDB_BILLBOARD5                  "KVOXINF5"

// ---- Strings of the two system message boxes
#define IDS_REQUIRES_WINDOWS95          301
#define IDS_NO_FREE_HANDLE              302
#define IDS_NO_FREE_HANDLE_CAPTION      303

// ---- Dialog WELCOME
#define IDC_WELCOME_CONTINUE              1
#define IDC_WELCOME_EXIT                  2
#define IDC_HELP_BUTTON                   4   // hidden in every template

// ---- Dialogs EXITSETUP and EXITSETUP3
#define IDC_EXIT_RETURN                   3
#define IDC_EXIT_REBOOT                1030
#define IDC_EXIT_SHUT_DOWN             1032

// ---- Buttons several dialogs share
#define IDC_OK_BUTTON                     1
#define IDC_CANCEL_BUTTON                 2
#define IDC_BROWSE                     1102

// ---- Dialog SETUPDIR
#define IDC_COUNTRY_LIST               1104
#define IDC_NATION_FRAME               1025
#define IDC_DESTINATION_EDIT           1101
#define IDC_SETUPDIR_EXIT                 2

// ---- Dialog DRIVEDIR
#define IDC_DRIVEDIR_PATH              1101
#define IDC_DRIVEDIR_DIRECTORIES       1131
#define IDC_DRIVEDIR_DRIVES            1130

// ---- Dialog SETUPOPTIONS and its icons
#define IDC_OPTION_PROGRAM_FILES       1120
#define IDC_OPTION_LAYOUTS             1110
#define IDC_OPTION_LAYOUTS_BUTTON      1117
#define IDC_OPTION_FONTS               1111
#define IDC_OPTION_FONTS_BUTTON        1118
#define IDC_OPTION_APPLICATIONS        1112
#define IDC_OPTION_DOS_CODE_PAGE       1115
#define IDC_OPTION_LAYOUT_SWITCH       1116
#define IDC_OPTION_KDK_SAMPLE          1113
#define IDC_OPTION_CONTINUE               1
#define IDC_OPTION_BACK                1119
#define IDC_OPTION_EXIT                   2
#define IDI_OPTION_APPLICATIONS         129
#define IDI_OPTION_KDK_SAMPLE           130
#define IDI_OPTION_LAYOUTS              131
#define IDI_OPTION_PROGRAM_FILES        133
#define IDI_OPTION_LAYOUT_SWITCH        134
#define IDI_OPTION_FONTS                136
#define IDI_OPTION_DOS_CODE_PAGE        137

// ---- Dialog LANGLAYOUT
#define IDC_LAYOUTS_SUPPORTED          1120
#define IDC_LAYOUTS_ADD                1123
#define IDC_LAYOUTS_ADD_ALL            1124
#define IDC_LAYOUTS_REMOVE             1125
#define IDC_LAYOUTS_REMOVE_ALL         1128
#define IDC_LAYOUTS_SELECTED           1122
#define IDC_LAYOUTS_FIRST              1126
#define IDC_LAYOUTS_SECOND             1127
#define IDC_LAYOUTS_GROUP_LAYOUTS      1150  // the two group boxes, drawn grey
#define IDC_LAYOUTS_GROUP_CURRENT      1151
#define IDC_WIZARD_EXIT                   5   // the asking "E&xit" of LANGLAYOUT and FONTS

// ---- Dialog FONTS
#define IDC_FONTS_CODE_PAGE            1111
#define IDC_FONTS_SYSTEM               1144
#define IDC_FONTS_SCREEN               1141
#define IDC_FONTS_SMALL                1029
#define IDC_FONTS_LARGE                1030
#define IDC_FONTS_TRUETYPE             1140
#define IDC_FONTS_PLOTTER              1145
#define IDC_FONTS_PRINTER              1114

// ---- Dialog INSERTDISK
#define IDC_DISK_LABEL                 1131
#define IDC_DISK_PATH                  1101
#define IDC_DISK_FRAME                 1024

// ---- The uninstaller uninst.exe: its strings, progress dialog and exit dialogs (its own
// EXITSETUP and EXITSETUP3 templates, with the same controls as the setup's)
#define IDS_UNINSTALL_TITLE             401
#define IDS_UNINSTALL_QUESTION          402
#define IDS_UNINSTALL_NO_RECORD         403
#define IDS_UNINSTALL_DAMAGED           404
#define IDS_UNINSTALL_DAMAGED_ENABLED   405
#define IDS_UNINSTALL_DAMAGED_LOCATION  406
#define IDS_UNINSTALL_NOT_ENABLED       407
#define IDS_UNINSTALL_INCOMPLETE        408
#define IDS_UNINSTALL_REQUIRES_WINDOWS95 409
#define IDS_UNINSTALL_LOG_NAME          410
#define IDS_UNINSTALL_DAMAGED_ELSEWHERE 411
#define IDS_UNINSTALL_REFUSED           412
#define IDD_UNINSTALL_PROGRESS          "UninstProgress"
#define IDC_UNINSTALL_STEP             1201
#define IDC_UNINSTALL_GAUGE            1202
