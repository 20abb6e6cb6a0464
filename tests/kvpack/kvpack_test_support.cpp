// The tests' package folders.
#include "kvpack_test_support.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "check.h"
#include "names.h"
#include "package.h"
#include "plan.h"
#include "report.h"

namespace fs = std::filesystem;

std::string BaseInf() {
    const char* lines[] = {
        "; A small package for kvpack's tests.",
        "[CommonInstallFlags]",
        "DefaultUserCountry=Russia",
        "[OemInstallFlags]",
        "ShowWelcomeDialog=0",
        "[SetupDisk]",
        "A:\\=",
        "[disks]",
        "1=Test Disk 1 - Setup,TEST1",
        "2=Test Disk 2 - Fonts,TEST2",
        "[Country Key]",
        "Russia=RUS",
        "[default.setup]",
        "RUS=1251,866,1,langrus.dll,1,Russian",
        "[country]",
        "RUS=Russia!7!1!3!2!1!1!0!2!8!1!!!r.!.!,!.!:!;!dd.MM.yy!d MMMM yyyy",
        "[Language]",
        "langrus.dll=Russian",
        "[Keyboard Layouts]",
        "Russian=00000419,kbdru.kbd,1,RU,RUS",
        "[Layouts.K-VOX]",
        "Russian=1",
        "[hotkey]",
        "Left Ctrl=1",
        "[codepage.number]",
        "Cyrillic (Windows 1251)=1251",
        "[codepage.description]",
        "1251=Cyrillic (Windows 1251)",
        "[codepage.oem.description]",
        "866=Cyrillic (866)",
        "[oemansi]",
        "866=xlat866.bin,1",
        "[VGA.GR3]",
        "866=866,2",
        "[oemfonts]",
        "866=oemfonts.866",
        "[oemfonts.866]",
        "HI1=ega866.fon,2",
        "HI2=vga866.fon,2",
        "HI4=8514866.fon,2",
        "[sysfonts.1251]",
        "HI1=egasysr.fon,2",
        "HI2=vgasysr.fon,2",
        "HI4=8514sysr.fon,2",
        "[fixedfonts.1251]",
        "HI1=egafixr.fon,2",
        "HI2=vgafixr.fon,2",
        "HI4=8514fixr.fon,2",
        "[small.1251]",
        "HI1=smalecyr.fon,2,Small Fonts (EGA res)",
        "HI2=smalvcyr.fon,2,Small Fonts (VGA res)",
        "HI4=smal8cyr.fon,2,Small Fonts (8514/a res)",
        "[helv.1251]",
        "HI1=helvecyr.fon,2,MS Sans Serif 8,10,12 (EGA res)",
        "HI2=helvvcyr.fon,2,MS Sans Serif 8,10,12 (VGA res)",
        "HI4=helv8cyr.fon,2,MS Sans Serif 8,10,12 (8514/a res)",
        "ALL=helvpcyr.fon,2,Helv CYR Plotter",
        "PR2=helv2cyr.fon,2,Helv CYR 24-pin",
        "PR9=helv9cyr.fon,2,Helv CYR 9-pin",
        "[cour.1251]",
        "HI1=courecyr.fon,2,Courier (EGA res)",
        "HI2=courvcyr.fon,2,Courier (VGA res)",
        "HI4=cour8cyr.fon,2,Courier (8514/a res)",
        "[tmsr.1251]",
        "HI1=tmsrecyr.fon,2,MS Serif (EGA res)",
        "HI2=tmsrvcyr.fon,2,MS Serif (VGA res)",
        "HI4=tmsr8cyr.fon,2,MS Serif (8514/a res)",
        "[TTF.1251]",
        "Test Sans (TrueType)=testsans.ttf,2",
        "[FontSubstitutes]",
        "Arial CYR,204=Arial",
        "[printers]",
        "Epson LQ-570=PR2,24-pin",
        "[boot]",
        "keyboard.drv=kvkbd.drv",
        "[volume]",
        "WINOTHER=0",
        "WINSPACE=0",
        "HI1=0",
        "HI2=0",
        "HI4=0",
        "OEM=0",
        "UNINSTFILES=0",
        "PROGFILES=0",
        "APPLIC=0",
        "KDK=0",
        "ALL=0",
        "PR2=0",
        "PR9=0",
        "TTF=0",
        "[windows.system]",
        "kvoxnls.dll=1",
        "[windows]",
        "kvreadme.txt=1",
        "[uninstall.k-vox]",
        "uninst.exe=1",
        "setup1.inf=1",
        "[programfiles.k-vox]",
        "kvox.exe=1",
        "[programfiles.system]",
        "kvkbd.drv=1",
        "[programfiles.windows]",
        "kvlang.ini=1",
        "[application]",
        "kvedit.exe=1",
        "[applications.system]",
        "kvimage.dll=1",
        "[kdk]",
        "kvsample.c=1",
        "[K-VOX.programfiles]",
        "kvox.exe,K-VOX Indicator=",
        "[K-VOX]",
        "uninst.exe,Uninstall K-VOX=",
        "[K-VOX.apl]",
        "kvedit.exe,K-VOX Editor=",
        "[K-VOX.kdk]",
        "kvsample.c,K-VOX Sample=",
    };
    std::string text;
    for (const char* line : lines) text += std::string(line) + "\r\n";
    return text;
}

std::string Replaced(const std::string& text, const std::string& from, const std::string& to) {
    size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << "\"" << from << "\" is not in the text";
    EXPECT_EQ(text.find(from, at + 1), std::string::npos) << "\"" << from << "\" stands twice";
    if (at == std::string::npos) return text;
    return text.substr(0, at) + to + text.substr(at + from.size());
}

uint32_t LineOf(const std::string& text, const std::string& fragment) {
    size_t at = text.find(fragment);
    EXPECT_NE(at, std::string::npos) << fragment;
    return static_cast<uint32_t>(std::count(text.begin(), text.begin() + static_cast<long>(at), '\n') + 1);
}

TestPackage::TestPackage() {
    char pattern[] = "/tmp/kvpack-test-XXXXXX";
    dir_ = mkdtemp(pattern);
}

TestPackage::~TestPackage() { fs::remove_all(dir_); }

void TestPackage::WriteFile(const std::string& name, const std::string& bytes) {
    fs::create_directories(fs::path(Path(name)).parent_path());
    std::ofstream(Path(name), std::ios::binary) << bytes;
}

std::string TestPackage::ReadFile(const std::string& name) const {
    std::ifstream file(Path(name), std::ios::binary);
    std::stringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

void TestPackage::WriteInf(const std::string& text) {
    WriteFile("setup1.inf", text);
    Arena arena;
    Inf inf(arena, AsBytes(text));
    CopyPlan plan(arena);
    WalkCopyPlan(arena, inf, plan);
    for (const FileRef& file : plan.files) {
        std::string name(file.name);
        bool stored = fs::exists(Path(name)) || fs::exists(Path(std::string(CompressedName(arena, file.name))));
        if (name.empty() || stored || name == "setup1.inf") continue;
        WriteFile(name, "K-VOX test file " + name + "\r\n");
    }
    if (!fs::exists(Path("setup.exe"))) WriteFile("setup.exe", "MZ K-VOX test setup program\r\n");
}

namespace {

std::string Shown(const Diagnostic& diagnostic) {
    static const char* kSeverity[] = {"note", "warning", "error"};
    return std::to_string(diagnostic.line) + " " + kSeverity[static_cast<int>(diagnostic.severity)] + ": " +
           std::string(diagnostic.message);
}

std::vector<std::string> Messages(const Report& report, bool withNotes) {
    std::vector<std::string> messages;
    for (const Diagnostic& diagnostic : report.diagnostics())
        if (withNotes || diagnostic.severity != Severity::Note) messages.push_back(Shown(diagnostic));
    return messages;
}

}  // namespace

std::vector<std::string> TestPackage::Check(bool withNotes) {
    Arena arena;
    const char* path = nullptr;
    Bytes bytes;
    EXPECT_TRUE(ReadSetupInf(arena, dir_.c_str(), path, bytes));
    Package package(arena, dir_.c_str(), path, bytes);
    Report report(arena, "setup1.inf");
    OpenPackage(package, {}, report);
    CheckPackage(package, report);
    return Messages(report, withNotes);
}

int TestPackage::Build(BuildOptions options, std::vector<std::string>* messages) {
    Arena arena;
    const char* path = nullptr;
    Bytes bytes;
    EXPECT_TRUE(ReadSetupInf(arena, dir_.c_str(), path, bytes));
    Package package(arena, dir_.c_str(), path, bytes);
    Report report(arena, "setup1.inf");
    OpenPackage(package, {}, report);
    std::string out = Path("OUT");
    options.out = out.c_str();
    int result = BuildPackage(package, options, report);
    if (messages) *messages = Messages(report, true);
    return result;
}
