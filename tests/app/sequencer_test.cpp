// The phase sequencer with scripted results of the phases: order, loops back, failures.
#include <deque>
#include <string>
#include <vector>

#include "app/phases.h"
#include "base/paths.h"
#include "base/setup_log.h"
#include "base/text.h"
#include "progress/progress.h"
#include "test_support.h"

namespace {

// What the fake phases were asked and what they answer; each answer queue gives its
// front, and its last answer again once it is down to one.
struct Script {
    std::vector<std::string> calls;
    std::deque<int> locate{1}, welcome{1}, country{1}, defaults{1}, printers{0}, installed{0};
    std::deque<int> options{1}, space{1}, copy{1}, update{1}, progman{1}, exitChoice{0};
    std::vector<std::string> programs;
    std::vector<UINT> shutdowns;
} g_script;

int Next(std::deque<int>& answers) {
    int answer = answers.front();
    if (answers.size() > 1) answers.pop_front();
    return answer;
}

int Record(const char* name, std::deque<int>& answers) {
    g_script.calls.push_back(name);
    return Next(answers);
}

PhaseOperations FakeOperations() {
    PhaseOperations ops{};
    ops.locateSetupInformationFile = [](HWND) { return Record("locate", g_script.locate); };
    ops.readInstallFlags = [](const char*) { g_script.calls.push_back("flags"); };
    ops.welcomeDialog = []() -> uint16_t { return static_cast<uint16_t>(Record("welcome", g_script.welcome)); };
    ops.countryDialog = []() -> uint16_t { return static_cast<uint16_t>(Record("country", g_script.country)); };
    ops.readCountryDefaults = [](const char*) { return Record("defaults", g_script.defaults); };
    ops.surveyPrinters = []() -> int32_t { return Record("printers", g_script.printers); };
    ops.loadLayoutTable = []() {
        g_script.calls.push_back("layouts");
        return 1;
    };
    ops.isAlreadyInstalled = []() -> int32_t { return Record("installed", g_script.installed); };
    ops.optionsDialog = []() -> uint16_t { return static_cast<uint16_t>(Record("options", g_script.options)); };
    ops.checkDiskSpace = []() { return Record("space", g_script.space); };
    ops.copyPackageFiles = []() { return Record("copy", g_script.copy); };
    ops.updateSystemInformation = []() { return Record("update", g_script.update); };
    ops.saveLayoutsToProfile = []() { g_script.calls.push_back("kvnls"); };
    ops.createProgmanGroups = []() { return Record("progman", g_script.progman); };
    ops.exitDialog = [](int32_t mode) { return Record(mode == 3 ? "exit3" : "exit2", g_script.exitChoice); };
    ops.startProgram = [](const char* command, UINT) -> UINT {
        g_script.programs.push_back(command);
        return 33;
    };
    ops.exitWindows = [](UINT flags) -> BOOL {
        g_script.shutdowns.push_back(flags);
        return TRUE;
    };
    return ops;
}

std::string Joined(const std::vector<std::string>& calls) {
    std::string joined;
    for (const std::string& call : calls) joined += (joined.empty() ? "" : " ") + call;
    return joined;
}

class Sequencer : public SessionTest {
protected:
    void SetUp() override {
        SessionTest::SetUp();
        g_script = Script{};
        g_phaseOperations = FakeOperations();
        // The main window of these tests: a plain window; progress children do not exist.
        window_ = CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        g_session.mainWindow = window_;
        CopyText(g_session.destinationDir, scratch_.Path().c_str());
        AppendText(g_session.destinationDir, "KVOX\\");
    }
    void TearDown() override {
        g_phaseOperations = DefaultPhaseOperations();
        DestroyWindow(window_);
        MSG quit;
        while (PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
    }
    // Runs the phases, answering the message dialogs with the given buttons in turn.
    int Run(std::vector<int> buttons = {}) {
        ModalScript script;
        for (int button : buttons) script.OnMessage(messages_, button);
        int result = RunSetupPhases(window_);
        EXPECT_EQ(script.StepsLeft(), 0u) << "messages expected but not shown";
        styles_.insert(styles_.end(), script.Styles().begin(), script.Styles().end());
        return result;
    }
    std::string Log() { return ReadTextFile(g_session.logPath); }

    ScratchDir scratch_;
    HWND window_ = nullptr;
    std::vector<std::string> messages_;
    std::vector<UINT> styles_;
};

constexpr int kYes = 1;  // the controls of Yes and No in the message dialog
constexpr int kNo = 2;

TEST_F(Sequencer, RunsEveryPhaseInOrder) {
    // Copying has shown the progress and billboard windows; the end of the phases hides them.
    for (int id : {kProgressWindowId, kBillboardWindowId})
        CreateWindowA("STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, window_,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    EXPECT_EQ(Run(), 1);
    EXPECT_EQ(Joined(g_script.calls),
              "locate flags welcome country printers layouts installed options space copy update kvnls progman");
    EXPECT_EQ(GetWindowLongA(ProgressWindow(), GWL_STYLE) & WS_VISIBLE, 0);
    EXPECT_EQ(GetWindowLongA(BillboardWindow(), GWL_STYLE) & WS_VISIBLE, 0);
    EXPECT_EQ(g_session.uninstallEnabled, 1);
    EXPECT_EQ(std::string(g_session.uninstallRecordPath), std::string(g_session.destinationDir) + "uninst.inf");
    std::string log = Log();
    EXPECT_EQ(log.rfind("Log file created.\r\nInstalling components and flags:\r\n", 0), 0u);
    EXPECT_NE(log.find(" Replace Old Files=1\r\nBegin copying...\r\nCopying complete.\r\n"
                       "Updating system information complete.\r\nEditing K-VOX.INI...\r\n"
                       "Editing K-VOX.INI complete.\r\n"),
              std::string::npos);
}

TEST_F(Sequencer, ExpressSkipsWelcomeAndOptionsButNotTheCountry) {
    g_session.expressSetup = 1;
    EXPECT_EQ(Run(), 1);
    EXPECT_EQ(Joined(g_script.calls),
              "locate flags country printers layouts installed space copy update kvnls progman");
}

TEST_F(Sequencer, WithoutTheCountryQuestionTheDefaultsAreTakenSilently) {
    g_phaseOperations.readInstallFlags = [](const char*) { g_session.askCountryAndPath = 0; };
    EXPECT_EQ(Run(), 1);
    EXPECT_EQ(g_script.calls[1], "welcome");
    EXPECT_EQ(g_script.calls[2], "defaults");
}

TEST_F(Sequencer, BackReturnsToTheCountryDialogEvenWhenItWasOff) {
    g_phaseOperations.readInstallFlags = [](const char*) { g_session.askCountryAndPath = 0; };
    g_script.options = {2, 1};
    g_script.printers = {9, 24};
    EXPECT_EQ(Run(), 1);
    EXPECT_EQ(Joined(g_script.calls),
              "locate welcome defaults printers layouts installed options "
              "country printers layouts installed options space copy update kvnls progman");
    // Printer flags found in one pass stay set in the next.
    EXPECT_EQ(g_session.ninePinPrintersPresent, 1);
    EXPECT_EQ(g_session.twentyFourPinPrintersPresent, 1);
}

TEST_F(Sequencer, ThePrinterSurveySetsTheFlagsOfTheKindsFound) {
    struct Case {
        int survey;
        int32_t ninePin, twentyFourPin;
    } cases[] = {{0, 0, 0}, {9, 1, 0}, {24, 0, 1}, {33, 1, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.survey);
        g_script = Script{};
        g_script.printers = {c.survey};
        g_session.ninePinPrintersPresent = g_session.twentyFourPinPrintersPresent = 0;
        EXPECT_EQ(Run(), 1);
        EXPECT_EQ(g_session.ninePinPrintersPresent, c.ninePin);
        EXPECT_EQ(g_session.twentyFourPinPrintersPresent, c.twentyFourPin);
    }
}

TEST_F(Sequencer, RefusingToLoseUninstallRepeatsTheQuestionUntilYes) {
    g_session.fonts = 0;
    g_session.askSetupOptions = 0;
    g_phaseOperations.readInstallFlags = [](const char*) { g_session.askSetupOptions = 0; };
    EXPECT_EQ(Run({kNo, kNo, kYes}), 1);
    ASSERT_EQ(messages_.size(), 3u);
    EXPECT_EQ(messages_[0],
              "To have the ability to Uninstall K-VOX you must select at least three installing components: "
              "Program Files, Layouts and Fonts.\rOtherwise Uninstall will be disabled. Continue?");
    EXPECT_EQ(Joined(g_script.calls), "locate welcome country printers layouts installed space copy update kvnls progman");
    EXPECT_EQ(g_session.uninstallEnabled, 0);
    EXPECT_EQ(styles_, std::vector<UINT>(3, 0x144));  // No is the default
}

TEST_F(Sequencer, RefusingToLoseUninstallReopensTheOptionsWhenTheyAreAsked) {
    // Any one of the three components left out turns uninstall off.
    for (int32_t SetupSession::*left : {&SetupSession::programFiles, &SetupSession::layouts, &SetupSession::fonts}) {
        g_script = Script{};
        g_session.programFiles = g_session.layouts = g_session.fonts = 1;
        g_session.*left = 0;
        EXPECT_EQ(Run({kNo, kYes}), 1);
        EXPECT_EQ(Joined(g_script.calls), "locate flags welcome country printers layouts installed options options "
                                          "space copy update kvnls progman");
    }
}

TEST_F(Sequencer, AbortInTheSpaceCheckReopensTheOptionsEvenInExpressSetup) {
    g_session.expressSetup = 1;
    g_script.space = {0, 1};
    EXPECT_EQ(Run(), 1);
    EXPECT_EQ(Joined(g_script.calls),
              "locate flags country printers layouts installed space options space copy update kvnls progman");
    EXPECT_EQ(g_session.askSetupOptions, 1);
}

TEST_F(Sequencer, AnEarlierInstallationAsksWhetherToReplaceItsFiles) {
    g_session.fonts = 0;  // no uninstall question for a reinstallation
    g_script.installed = {1};
    EXPECT_EQ(Run({kNo}), 1);
    EXPECT_EQ(messages_[0], "K-VOX already installed. Replace old files and K-VOX information?");
    EXPECT_EQ(styles_[0], 0x24u);
    EXPECT_EQ(g_session.replaceOldFiles, 0);
    EXPECT_EQ(g_session.uninstallEnabled, 0);
    // The header records the value from before the answer.
    EXPECT_NE(Log().find(" K-VOX Already Installed=1\r\n Uninstall Enabled=0\r\n Replace Old Files=1\r\n"),
              std::string::npos);

    g_script.calls.clear();
    messages_.clear();
    EXPECT_EQ(Run({kYes}), 1);
    EXPECT_EQ(g_session.replaceOldFiles, 1);
}

TEST_F(Sequencer, EachFailingPhaseEndsTheSetup) {
    struct Case {
        const char* name;
        std::deque<int> Script::*answers;
        const char* lastCall;
    } cases[] = {
        {"locate", &Script::locate, "locate"},    {"welcome", &Script::welcome, "welcome"},
        {"country", &Script::country, "country"}, {"options", &Script::options, "options"},
        {"copy", &Script::copy, "copy"},          {"update", &Script::update, "update"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ResetTestSession();
        CopyText(g_session.destinationDir, (scratch_.Path() + c.name + "\\").c_str());
        g_session.mainWindow = window_;
        g_script = Script{};
        g_script.*c.answers = {0};
        EXPECT_EQ(Run(), 0);
        EXPECT_EQ(g_script.calls.back(), c.lastCall);
    }
    EXPECT_NE(Log().find("Updating system information not complete.\r\n"), std::string::npos);
    CopyText(g_session.logPath, (scratch_.Path() + "copy\\KVSETUP.LOG").c_str());
    EXPECT_NE(Log().find("Begin copying...\r\nCopying not complete.\r\n"), std::string::npos);
}

TEST_F(Sequencer, AsksTheResidentProgramsToClose) {
    struct Case {
        const char* className;
        const char* title;
    } cases[] = {{"KVoxTestOther", "K-VOX"}, {"K-VOX", ""}, {"K-VOXIndicatorClass", ""}, {"KVKeybClass", ""}};
    std::vector<HWND> programs;
    for (const Case& c : cases) {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = c.className;
        RegisterClassA(&windowClass);
        programs.push_back(CreateWindowA(c.className, c.title, WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                         windowClass.hInstance, nullptr));
    }
    EXPECT_EQ(Run(), 1);
    for (size_t i = 0; i < programs.size(); ++i) {
        SCOPED_TRACE(cases[i].className);
        MSG close;
        EXPECT_TRUE(PeekMessageA(&close, programs[i], WM_CLOSE, WM_CLOSE, PM_REMOVE));
        DestroyWindow(programs[i]);
    }
}

TEST_F(Sequencer, AFailingProgramManagerIsLoggedAndTheSetupSucceeds) {
    g_script.progman = {0};
    EXPECT_EQ(Run(), 1);
    EXPECT_NE(Log().find("Editing K-VOX.INI complete.\r\nCreating Progman group not complete.\r\n"),
              std::string::npos);
}

TEST_F(Sequencer, TheWholeDestinationPathIsCreated) {
    CopyText(g_session.destinationDir, (scratch_.Path() + "APPS\\CYRILLIC\\KVOX\\").c_str());
    EXPECT_EQ(Run(), 1);
    EXPECT_TRUE(FileExists((scratch_.Path() + "APPS\\CYRILLIC\\KVOX\\KVSETUP.LOG").c_str()));
}

TEST(ExitMode, RestartIsOfferedOnlyWhenSomethingNeedsIt) {
    struct Case {
        int32_t screenFonts, printerFonts, programFiles, layouts, replaceOldFiles;
        const char* dosCodePage;
        int32_t runningCodePage;
        int32_t mode;
    } cases[] = {
        {0, 0, 0, 0, 1, "866", 866, 3}, {1, 0, 0, 0, 1, "866", 866, 2}, {0, 1, 0, 0, 1, "866", 866, 2},
        {0, 0, 1, 0, 1, "866", 866, 2}, {0, 0, 0, 1, 1, "866", 866, 2}, {0, 0, 0, 1, 0, "866", 866, 3},
        {0, 0, 0, 2, 0, "866", 866, 3}, {0, 0, 0, 0, 1, "866", 437, 2}, {0, 0, 0, 0, 1, "", 0, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.screenFonts << c.printerFonts << c.programFiles << c.layouts
                                        << c.replaceOldFiles << " " << c.dosCodePage << "/" << c.runningCodePage);
        ResetTestSession();
        g_session.screenFonts = c.screenFonts;
        g_session.printerFonts = c.printerFonts;
        g_session.programFiles = c.programFiles;
        g_session.layouts = c.layouts;
        g_session.replaceOldFiles = c.replaceOldFiles;
        CopyText(g_session.dosCodePage, c.dosCodePage);
        g_session.currentDosCodePage = c.runningCodePage;
        EXPECT_EQ(DecideExitMode(), c.mode);
    }
    ResetTestSession();
    g_session.programFiles = g_session.layouts = g_session.screenFonts = 0;
    CopyText(g_session.dosCodePage, "437");
    g_session.printerDriversToUpdate = 1;
    EXPECT_EQ(DecideExitMode(), 2);
}

class ExitStep : public Sequencer {
protected:
    void Exit(bool succeeded, std::vector<int> buttons = {}) {
        ModalScript script;
        for (int button : buttons) script.OnMessage(messages_, button);
        RunExitStep(window_, succeeded);
        EXPECT_EQ(script.StepsLeft(), 0u);
        styles_ = script.Styles();
        MSG quit;
        EXPECT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
        EXPECT_EQ(quit.wParam, 0u);
    }
};

TEST_F(ExitStep, LeavesAsChosenAndNeverRestartsAfterAFailure) {
    CopyText(g_session.destinationDir, "C:\\KVOX\\");
    const UINT none = 0;
    struct Case {
        bool succeeded;
        int32_t askRestart, uninstaller, exitMode;
        int choice;
        const char* dialog;
        UINT shutdown;
        const char* program;
    } cases[] = {
        {true, 1, 0, 3, 1, "exit3", EWX_SHUTDOWN, nullptr},
        {true, 1, 0, 2, 2, "exit2", EWX_REBOOT, nullptr},
        {true, 1, 0, 3, 0, "exit3", none, nullptr},
        {true, 0, 0, 2, 0, "", EWX_REBOOT, nullptr},  // no question: Windows restarts
        {false, 0, 0, 2, 2, "", none, nullptr},
        {true, 1, 1, 2, 1, "exit2", none, "C:\\KVOX\\uninst.exe /d"},
        {true, 0, 1, 2, 0, "", none, "C:\\KVOX\\uninst.exe /r"},
        {true, 1, 1, 3, 0, "exit3", none, "C:\\KVOX\\uninst.exe /w"},
        {false, 1, 1, 3, 1, "", none, "C:\\KVOX\\uninst.exe /w"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "case " << (&c - cases));
        g_script = Script{};
        g_script.exitChoice = {c.choice};
        g_session.askRestartOrReturn = c.askRestart;
        g_session.runUninstallerAtExit = c.uninstaller;
        g_session.exitMode = c.exitMode;
        messages_.clear();
        Exit(c.succeeded, c.succeeded ? std::vector<int>{} : std::vector<int>{IDOK});
        EXPECT_EQ(Joined(g_script.calls), c.dialog);
        EXPECT_EQ(g_script.shutdowns, c.shutdown ? std::vector<UINT>{c.shutdown} : std::vector<UINT>{});
        EXPECT_EQ(g_script.programs, c.program ? std::vector<std::string>{c.program} : std::vector<std::string>{});
        if (!c.succeeded) {
            EXPECT_EQ(messages_, std::vector<std::string>{"Setup cancelled. K-VOX may not properly installed now. "
                                                          "You may run setup program again at later time to "
                                                          "complete the installation of K-VOX."});
            EXPECT_EQ(styles_, std::vector<UINT>{0x30});
        }
    }
    CopyText(g_session.destinationDir, "C:\\MY APPS\\KVOX\\");
    char command[300];
    UninstallerCommand(2, command);
    EXPECT_STREQ(command, "\"C:\\MY APPS\\KVOX\\uninst.exe\" /r");
}

TEST_F(ExitStep, ReleasesTheLayoutTableAndLogsTheEnd) {
    CreateDirectoryA(g_session.destinationDir, nullptr);
    CreateSetupLog(g_session.destinationDir);
    g_session.layoutTable = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 64);
    GlobalLock(g_session.layoutTable);
    GlobalLock(g_session.layoutTable);
    g_session.greyBrush = CreateSolidBrush(RGB(192, 192, 192));
    Exit(false, {IDOK});
    EXPECT_EQ(g_session.layoutTable, nullptr);
    EXPECT_EQ(g_session.greyBrush, nullptr);
    EXPECT_EQ(Log(), "Log file created.\r\nSetup failed.\r\nReleasing allocated memory...\r\nExiting Setup...\r\n");
}

}  // namespace
