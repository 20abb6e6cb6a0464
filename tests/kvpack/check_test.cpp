// kvpack check on one mistake at a time in a small package: the line it names, and that it
// says nothing else. The broken packages under broken/ cover the mistakes the issue names.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "kvpack_test_support.h"

namespace {

struct Expected {
    const char* lineOf;    // the text on the named line; null: the file as a whole
    const char* severity;
    const char* says;
};

struct Mistake {
    const char* name;
    std::vector<std::pair<std::string, std::string>> edits;  // of BaseInf(), in order
    std::vector<std::pair<std::string, std::string>> files;  // written before setup1.inf
    std::vector<Expected> expected;
    bool notes = false;
};

std::string LongName(size_t length) { return std::string(length, 'n'); }

const std::vector<Mistake>& Mistakes() {
    static const std::vector<Mistake> mistakes = {
        {"a line without an equals sign", {{"kvlang.ini=1", "kvlang.ini"}}, {},
         {{"kvlang.ini\r\n", "error", "has no \"=\""}}},
        {"a section twice", {{"[FontSubstitutes]\r\nArial CYR,204=Arial\r\n",
                              "[FontSubstitutes]\r\nArial CYR,204=Arial\r\n[fontsubstitutes]\r\nHelv=X\r\n"}},
         {}, {{"[fontsubstitutes]", "warning", "reads only the first"}}},
        {"a key twice", {{"Left Ctrl=1\r\n", "Left Ctrl=1\r\nleft ctrl=2\r\n"}}, {},
         {{"left ctrl=2", "warning", "reads only the first"}}},
        {"a line before any section", {{"; A small", "stray=1\r\n; A small"}}, {},
         {{"stray=1", "warning", "never reads it"}}},
        {"a blank after an item's file", {{"kbdru.kbd,1", "kbdru.kbd ,1"}}, {},
         {{"kbdru.kbd ,1", "error", "begins or ends with a blank"}}},
        {"an item's file longer than the setup reads", {{"866=xlat866.bin,1", "866=" + LongName(28) + ".bin,1"}}, {},
         {{"866=nnn", "error", "the file member has 32 characters, and the setup reads 31"}}},
        {"a disk number longer than the setup reads", {{"kvlang.ini=1", "kvlang.ini=00000001"}}, {},
         {{"kvlang.ini=", "error", "the disk number is 8 characters long, and the setup reads 7"}}},
        {"an item without its disk", {{"866=xlat866.bin,1", "866=xlat866.bin"}}, {},
         {{"866=xlat866.bin", "note", "kvpack build assigns one"}}, true},
        {"a country key the setup cuts", {{"Russia=RUS", "Russia=RUSS"}, {"RUS=1251", "RUSS=1251"}, {"RUS=Russia", "RUSS=Russia"}},
         {}, {{"Russia=RUSS", "error", "has more than 3 characters"}}},
        {"a country field after blanks", {{"!1!!!r.", "!1! !!r."}}, {},
         {{"RUS=Russia", "warning", "field 12 begins with blanks"}}},
        {"a country line of 22 fields", {{"d MMMM yyyy\r\n", "d MMMM yyyy!x\r\n"}}, {},
         {{"RUS=Russia", "warning", "22 fields"}}},
        {"a country line as long as control.inf takes", {{"d MMMM yyyy\r\n", "d MMMM yyyy " + LongName(47) + "\r\n"}},
         {}, {}},
        {"a country line too long for control.inf",
         {{"d MMMM yyyy\r\n", "d MMMM yyyy " + LongName(48) + "\r\n"}}, {},
         {{"RUS=Russia", "error", "control.inf's key for this country would have 120 characters"}}},
        {"a default layout that is not listed", {{",1,Russian\r\n", ",1,Russian,Tatar\r\n"}}, {},
         {{"RUS=1251", "error", "\"Tatar\" is not in [Keyboard Layouts]"}}},
        {"no default layout", {{",1,Russian\r\n", ",1\r\n"}}, {}, {{"RUS=1251", "error", "no keyboard layout"}}},
        {"a layout without its country", {{"1,RU,RUS", "1,RU"}}, {}, {{"Russian=0000", "error", "no member 5"}}},
        {"a layout value longer than the setup reads", {{"1,RU,RUS", "1,RU,RUS," + LongName(92)}}, {},
         {{"Russian=0000", "error", "and the setup reads 119: it loses the end of the value k-vox.ini records"}}},
        {"a layout's country beyond what the setup reads", {{"1,RU,RUS", "1," + LongName(100) + ",RUS"}}, {},
         {{"Russian=0000", "error", "and the setup reads 119"},
          {"Russian=0000", "error", "member 5 (its language's country) lies beyond"}}},
        {"a layout switch without a number", {{"Left Ctrl=1", "Left Ctrl=one"}}, {},
         {{"Left Ctrl=one", "warning", "hot-key code 0"}}},
        {"a default country that is not offered", {{"DefaultUserCountry=Russia", "DefaultUserCountry=Russland"}}, {},
         {{"DefaultUserCountry", "error", "\"Russland\", which [Country Key] does not list"}}},
        {"a default switch that is not offered", {{"ShowWelcomeDialog=0", "DefaultHotKey=Right Alt"}}, {},
         {{"DefaultHotKey", "error", "\"Right Alt\", which [hotkey] does not list"}}},
        {"a font group line without a registry name", {{"courvcyr.fon,2,Courier (VGA res)", "courvcyr.fon,2"}}, {},
         {{"courvcyr.fon", "warning", "registers nothing"}}},
        {"a font group key the setup never reads", {{"HI4=smal8cyr.fon", "ALL=smal8cyr.fon"}}, {},
         {{"ALL=smal8cyr.fon", "warning", "never reads the key \"ALL\" of [small.1251]"}}},
        {"a registry name longer than the setup registers",
         {{"Helv CYR Plotter", "Helv CYR Plotter " + LongName(111)}}, {},
         {{"helvpcyr.fon", "error", "the registry name has 128 characters"}}},
        {"[oemfonts] naming no section", {{"866=oemfonts.866", "866=oem866"}}, {},
         {{"866=oem866", "error", "names [oem866], which does not exist"},
          {"866=oem866", "warning", "registered as the system's OEM font from [oemfonts.866]"}}},
        {"a system font missing for a screen", {{"HI4=8514sysr.fon,2\r\n", ""}}, {},
         {{"[sysfonts.1251]", "warning", "no line for HI4"}}},
        {"an item without a name", {{"kvedit.exe,K-VOX Editor=", "kvedit.exe="}}, {},
         {{"kvedit.exe=\r\n[K-VOX.kdk]", "warning", "has no comma"}}},
        {"an item whose program is not copied into the K-VOX directory",
         {{"kvedit.exe,K-VOX Editor=", "kvimage.dll,K-VOX Editor="}}, {},
         {{"kvimage.dll,K-VOX Editor", "warning", "\"kvimage.dll\" is not copied into the K-VOX directory"}}},
        {"a ReplaceItem longer than the setup sends", {{"kvedit.exe,K-VOX Editor=", "kvedit.exe," + LongName(113) + "="}}, {},
         {{"kvedit.exe,nnn", "error", "the ReplaceItem command would have 128 characters"},
          {"kvedit.exe,nnn", "error", "the AddItem command would have 151"}}},
        {"an AddItem of 127 characters", {{"kvedit.exe,K-VOX Editor=", "kvedit.exe," + LongName(89) + "="}}, {}, {}},
        {"an AddItem of 128 characters", {{"kvedit.exe,K-VOX Editor=", "kvedit.exe," + LongName(90) + "="}}, {},
         {{"kvedit.exe,nnn", "error", "the AddItem command would have 128 characters"}}},
        {"no uninstaller", {{"uninst.exe=1\r\n", ""}}, {},
         {{"[uninstall.k-vox]", "error", "does not list uninst.exe"},
          {"uninst.exe,Uninstall", "warning", "\"uninst.exe\" is not copied into the K-VOX directory"}}},
        {"setup1.inf on another disk than the first", {{"setup1.inf=1", "setup1.inf=2"}}, {},
         {{"setup1.inf=2", "error", "is on the first disk"}}},
        {"an empty file", {}, {{"kvsample.c", ""}}, {{"kvsample.c=1", "warning", "is empty"}}},
        {"a compressed file the setup cannot expand", {}, {{"kvlang.in_", "K-VOX, not compressed"}},
         {{"kvlang.ini", "error", "is no compressed file the setup can expand"}}},
        {"two different files of one name", {}, {{"payload/old/kvox.exe", "MZ K-VOX old indicator"}},
         {{"kvox.exe=1", "error", "two different files are named \"kvox.exe\""}}},
        {"two files of one compressed name", {{"kvreadme.txt=1", "kvreadme.txt=1\r\nkvreadme.txe=1"}}, {},
         {{"kvreadme.txe", "error", "would have one name on a disk once compressed"}}},
        {"a [volume] size that is too large", {{"WINOTHER=0", "WINOTHER=999999"}}, {},
         {{"WINOTHER=999999", "error", "asks for too much"}}},
        {"a [volume] size that is no number", {{"TTF=0", "TTF=1.5 MB"}}, {}, {{"TTF=1.5", "error", "no whole number"}}},
        {"a disk label longer than the setup reads", {{"Test Disk 2 - Fonts", LongName(130)}}, {},
         {{"2=nnn", "error", "and the setup reads 127"}}},
        {"a disk that has no number", {{"TEST2\r\n", "TEST2\r\nB=Extra Disk\r\n"}}, {},
         {{"B=Extra Disk", "warning", "has no number from 1"}}},
        {"a harmless missing section", {{"[kdk]\r\nkvsample.c=1\r\n", ""}}, {},
         {{nullptr, "note", "no section [kdk]: harmless"},
          {"kvsample.c,K-VOX Sample", "warning", "\"kvsample.c\" is not copied into the K-VOX directory"}},
         true},
        {"a missing section the setup stops on", {{"[TTF.1251]\r\nTest Sans (TrueType)=testsans.ttf,2\r\n", ""}}, {},
         {{nullptr, "error", "no section [TTF.1251]"}}},
        {"a missing family of screen fonts",
         {{"[small.1251]\r\nHI1=smalecyr.fon,2,Small Fonts (EGA res)\r\nHI2=smalvcyr.fon,2,Small Fonts (VGA res)\r\n"
           "HI4=smal8cyr.fon,2,Small Fonts (8514/a res)\r\n",
           ""}},
         {}, {{nullptr, "warning", "no section [small.1251]"}}},
    };
    return mistakes;
}

TEST(Check, SaysNothingOfTheBasePackage) {
    TestPackage package;
    package.WriteInf(BaseInf());
    std::vector<std::string> messages = package.Check(true);
    EXPECT_TRUE(messages.empty()) << messages[0];
}

TEST(Check, NamesTheLineOfEachMistakeAndNothingElse) {
    for (const Mistake& mistake : Mistakes()) {
        SCOPED_TRACE(mistake.name);
        std::string inf = BaseInf();
        for (const auto& [from, to] : mistake.edits) inf = Replaced(inf, from, to);
        TestPackage package;
        for (const auto& [name, bytes] : mistake.files) package.WriteFile(name, bytes);
        package.WriteInf(inf);
        std::vector<std::string> messages = package.Check(mistake.notes);
        std::string all;
        for (const std::string& message : messages) all += "\n  " + message;
        EXPECT_EQ(messages.size(), mistake.expected.size()) << all;
        for (const Expected& expected : mistake.expected) {
            std::string start = std::to_string(expected.lineOf ? LineOf(inf, expected.lineOf) : 0) + " " +
                                expected.severity + ": ";
            bool said = false;
            for (const std::string& message : messages)
                said = said || (message.rfind(start, 0) == 0 && message.find(expected.says) != std::string::npos);
            EXPECT_TRUE(said) << "expected " << start << "..." << expected.says << " in" << all;
        }
    }
}

}  // namespace
