// The phase sequencer with scripted results of the phases: order, loops back, failures.
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
    std::string calls;  // the phases' names, in order, separated by blanks
    std::deque<int> locate{1}, welcome{1}, country{1}, defaults{1}, printers{0}, installed{0};
    std::deque<int> options{1}, space{1}, copy{1}, update{1}, progman{1}, exitChoice{0};
    std::vector<std::string> programs;
    std::vector<UINT> shutdowns;
} g_script;

void Call(const std::string& name) { g_script.calls += (g_script.calls.empty() ? "" : " ") + name; }

int Record(const char* name, std::deque<int>& answers) {
    Call(name);
    int answer = answers.front();
    if (answers.size() > 1) answers.pop_front();
    return answer;
}

#define FAKE_PHASE(type, queue) [](auto...) -> type { return static_cast<type>(Record(#queue, g_script.queue)); }

PhaseOperations FakeOperations() {
    PhaseOperations ops{};
    ops.locateSetupInformationFile = FAKE_PHASE(int, locate);
    ops.readInstallFlags = [](const char*) { Call("flags"); };
    ops.welcomeDialog = FAKE_PHASE(uint16_t, welcome);
    ops.countryDialog = FAKE_PHASE(uint16_t, country);
    ops.readCountryDefaults = FAKE_PHASE(int, defaults);
    ops.surveyPrinters = FAKE_PHASE(int32_t, printers);
    ops.loadLayoutTable = [] { return Call("layouts"), 1; };
    ops.isAlreadyInstalled = FAKE_PHASE(int32_t, installed);
    ops.optionsDialog = FAKE_PHASE(uint16_t, options);
    ops.checkDiskSpace = FAKE_PHASE(int, space);
    ops.copyPackageFiles = FAKE_PHASE(int, copy);
    ops.updateSystemInformation = FAKE_PHASE(int, update);
    ops.saveLayoutsToProfile = [] { Call("kvnls"); };
    ops.createProgmanGroups = FAKE_PHASE(int, progman);
    ops.exitDialog = [](int32_t mode) { return Record(mode == 3 ? "exit3" : "exit2", g_script.exitChoice); };
    ops.startProgram = [](const char* command, UINT) -> UINT { return g_script.programs.push_back(command), 33; };
    ops.exitWindows = [](UINT flags) -> BOOL { return g_script.shutdowns.push_back(flags), TRUE; };
    return ops;
}

#undef FAKE_PHASE

class Sequencer : public ::testing::Test {
protected:
    // The main window is a plain window; no progress children exist.
    void SetUp() override {
        window_ = CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        Fresh();
    }
    void TearDown() override {
        g_phaseOperations = DefaultPhaseOperations();
        DestroyWindow(window_);
        for (MSG quit; PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);) {
        }
    }
    // A fresh session, script and phases, installing into `dir` in the scratch directory.
    void Fresh(const std::string& dir = "KVOX\\") {
        ResetTestSession();
        g_script = Script{};
        g_phaseOperations = FakeOperations();
        g_session.mainWindow = window_;
        CopyText(g_session.destinationDir, (scratch_.Path() + dir).c_str());
        messages_.clear();
    }
    // Runs `run`, answering the message dialogs with the given buttons in turn.
    template <typename Run>
    auto Answering(std::vector<int> buttons, Run run) {
        ModalScript script;
        for (int button : buttons) script.OnMessage(messages_, button);
        auto result = run();
        EXPECT_EQ(script.StepsLeft(), 0u) << "messages expected but not shown";
        styles_ = script.Styles();
        return result;
    }
    int Run(std::vector<int> buttons = {}) { return Answering(buttons, [this] { return RunSetupPhases(window_); }); }
    std::string Log() { return ReadTextFile(g_session.logPath); }
    bool Logged(const std::string& text) { return Log().find(text) != std::string::npos; }

    ScratchDir scratch_;
    HWND window_ = nullptr;
    std::vector<std::string> messages_;
    std::vector<UINT> styles_;
};

constexpr int kYes = 1, kNo = 2;  // the controls of Yes and No in the message dialog
const std::string kAllPhases =
    "locate flags welcome country printers layouts installed options space copy update kvnls progman";

void NoCountryQuestion() {
    g_phaseOperations.readInstallFlags = [](const char*) { g_session.askCountryAndPath = 0; };
}

TEST_F(Sequencer, RunsEveryPhaseInOrderIntoTheWholeDestinationPath) {
    Fresh("APPS\\CYRILLIC\\KVOX\\");
    // Copying has shown the progress and billboard windows; the end of the phases hides them.
    for (int id : {kProgressWindowId, kBillboardWindowId})
        CreateWindowA("STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, window_,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    EXPECT_EQ(Run(), 1);
    EXPECT_EQ(g_script.calls, kAllPhases);
    EXPECT_FALSE(IsWindowVisible(ProgressWindow()));
    EXPECT_FALSE(IsWindowVisible(BillboardWindow()));
    EXPECT_EQ(g_session.uninstallEnabled, 1);
    EXPECT_EQ(std::string(g_session.uninstallRecordPath), scratch_.Path() + "APPS\\CYRILLIC\\KVOX\\uninst.inf");
    EXPECT_TRUE(FileExists((scratch_.Path() + "APPS\\CYRILLIC\\KVOX\\KVSETUP.LOG").c_str()));
    EXPECT_TRUE(Logged(" Replace Old Files=1\r\nBegin copying...\r\nCopying complete.\r\nUpdating system "
                       "information complete.\r\nEditing K-VOX.INI...\r\nEditing K-VOX.INI complete.\r\n"));
}

TEST_F(Sequencer, ThePhasesFollowTheFlagsAndTheAnswers) {
    const std::string reopenedOptions =
        "locate flags welcome country printers layouts installed options options space copy update kvnls progman";
    auto printersFound = [](int32_t nine, int32_t twentyFour) {
        return [=] { EXPECT_EQ(std::pair(g_session.ninePinPrintersPresent, g_session.twentyFourPinPrintersPresent),
                               std::pair(nine, twentyFour)); };
    };
    struct Case {
        const char* name;
        std::function<void()> arrange;
        std::vector<int> buttons;  // answers to the message dialogs
        int result;
        std::string calls;
        std::function<void()> check;
    } cases[] = {
        {"without the country question its defaults are taken silently", NoCountryQuestion, {}, 1,
         "locate welcome defaults printers layouts installed options space copy update kvnls progman"},
        {"back returns to the country dialog even when it was off",
         [] { NoCountryQuestion(), g_script.options = {2, 1}, g_script.printers = {9, 24}; }, {}, 1,
         "locate welcome defaults printers layouts installed options "
         "country printers layouts installed options space copy update kvnls progman",
         printersFound(1, 1)},  // printer flags found in one pass stay set in the next
        {"an abort in the space check reopens the options even in express setup",
         [] { g_session.expressSetup = 1, g_script.space = {0, 1}; }, {}, 1,
         "locate flags country printers layouts installed space options space copy update kvnls progman",
         [] { EXPECT_EQ(g_session.askSetupOptions, 1); }},
        {"9-pin printers", [] { g_script.printers = {9}; }, {}, 1, kAllPhases, printersFound(1, 0)},
        {"24-pin printers", [] { g_script.printers = {24}; }, {}, 1, kAllPhases, printersFound(0, 1)},
        {"both kinds of printers", [] { g_script.printers = {33}; }, {}, 1, kAllPhases, printersFound(1, 1)},
        // Any one of the three components left out turns uninstall off; No to losing it
        // reopens the options when they are asked, else repeats the question until Yes.
        {"no program files", [] { g_session.programFiles = 0; }, {kNo, kYes}, 1, reopenedOptions},
        {"no layouts", [] { g_session.layouts = 0; }, {kNo, kYes}, 1, reopenedOptions},
        {"no fonts", [] { g_session.fonts = 0; }, {kNo, kYes}, 1, reopenedOptions},
        {"no fonts and no options asked",
         [] {
             g_session.fonts = 0;
             g_phaseOperations.readInstallFlags = [](const char*) { g_session.askSetupOptions = 0; };
         },
         {kNo, kNo, kYes}, 1, "locate welcome country printers layouts installed space copy update kvnls progman",
         [this] {
             ASSERT_EQ(messages_.size(), 3u);
             EXPECT_EQ(messages_[0], "To have the ability to Uninstall K-VOX you must select at least three "
                                     "installing components: Program Files, Layouts and Fonts.\rOtherwise "
                                     "Uninstall will be disabled. Continue?");
             EXPECT_EQ(g_session.uninstallEnabled, 0);
             EXPECT_EQ(styles_, std::vector<UINT>(3, 0x144));  // No is the default
         }},
        // A failing Program Manager is only logged; any other failing phase ends the setup (the
        // end-to-end scenarios fail the search, the options and the copy).
        {"progman fails", [] { g_script.progman = {0}; }, {}, 1, kAllPhases,
         [this] { EXPECT_TRUE(Logged("Editing K-VOX.INI complete.\r\nCreating Progman group not complete.\r\n")); }},
        {"welcome fails", [] { g_script.welcome = {0}; }, {}, 0, "locate flags welcome"},
        {"country fails", [] { g_script.country = {0}; }, {}, 0, "locate flags welcome country"},
        {"update fails", [] { g_script.update = {0}; }, {}, 0,
         "locate flags welcome country printers layouts installed options space copy update",
         [this] { EXPECT_TRUE(Logged("Updating system information not complete.\r\n")); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Fresh();
        c.arrange();
        EXPECT_EQ(Run(c.buttons), c.result);
        EXPECT_EQ(g_script.calls, c.calls);
        if (c.check) c.check();
    }
}

TEST_F(Sequencer, AnEarlierInstallationAsksWhetherToReplaceItsFiles) {
    g_session.fonts = 0;  // no uninstall question for a reinstallation
    g_script.installed = {1};
    EXPECT_EQ(Run({kNo}), 1);
    EXPECT_EQ(messages_, std::vector<std::string>{"K-VOX already installed. Replace old files and K-VOX information?"});
    EXPECT_EQ(styles_, std::vector<UINT>{0x24});
    EXPECT_EQ(g_session.replaceOldFiles, 0);
    EXPECT_EQ(g_session.uninstallEnabled, 0);
    // The header records the value from before the answer.
    EXPECT_TRUE(Logged(" K-VOX Already Installed=1\r\n Uninstall Enabled=0\r\n Replace Old Files=1\r\n"));
}

// Found by title alone, or by any of the three classes.
TEST_F(Sequencer, AsksTheResidentProgramsToClose) {
    std::vector<HWND> programs;
    for (auto [className, title] : {std::pair{"KVoxTestOther", "K-VOX"}, std::pair{"K-VOX", ""},
                                    std::pair{"K-VOXIndicatorClass", ""}, std::pair{"KVKeybClass", ""}}) {
        WNDCLASSA windowClass{0, DefWindowProcA, 0, 0, GetModuleHandleA(nullptr)};
        windowClass.lpszClassName = className;
        RegisterClassA(&windowClass);
        programs.push_back(
            CreateWindowA(className, title, WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, windowClass.hInstance, nullptr));
    }
    EXPECT_EQ(Run(), 1);
    for (MSG close; HWND program : programs) {
        EXPECT_TRUE(PeekMessageA(&close, program, WM_CLOSE, WM_CLOSE, PM_REMOVE)) << "program " << program;
        DestroyWindow(program);
    }
}

TEST(ExitMode, RestartIsOfferedOnlyWhenSomethingNeedsIt) {
    struct Case {
        int32_t screenFonts, printerFonts, programFiles, layouts, replaceOldFiles;
        const char* dosCodePage;
        int32_t runningCodePage, printerDrivers, mode;
    } cases[] = {
        {0, 0, 0, 0, 1, "866", 866, 0, 3}, {1, 0, 0, 0, 1, "866", 866, 0, 2}, {0, 1, 0, 0, 1, "866", 866, 0, 2},
        {0, 0, 1, 0, 1, "866", 866, 0, 2}, {0, 0, 0, 1, 1, "866", 866, 0, 2}, {0, 0, 0, 1, 0, "866", 866, 0, 3},
        {0, 0, 0, 0, 1, "866", 437, 0, 2}, {0, 0, 0, 0, 1, "", 0, 0, 3},      {0, 0, 0, 0, 1, "437", 437, 1, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "case " << (&c - cases));
        ResetTestSession();
        SetupSession& s = g_session;
        std::tie(s.screenFonts, s.printerFonts, s.programFiles, s.layouts, s.replaceOldFiles) =
            std::tuple(c.screenFonts, c.printerFonts, c.programFiles, c.layouts, c.replaceOldFiles);
        CopyText(s.dosCodePage, c.dosCodePage);
        std::tie(s.currentDosCodePage, s.printerDriversToUpdate) = std::tuple(c.runningCodePage, c.printerDrivers);
        EXPECT_EQ(DecideExitMode(), c.mode);
    }
}

class ExitStep : public Sequencer {
protected:
    void Exit(bool succeeded, std::vector<int> buttons = {}) {
        Answering(buttons, [&] { return RunExitStep(window_, succeeded), 0; });
        MSG quit;
        EXPECT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
        EXPECT_EQ(quit.wParam, 0u);
    }
};

// Restarting as chosen or unasked, and no restart after a failure, are end-to-end scenarios.
TEST_F(ExitStep, LeavesAsChosenAndNeverRestartsAfterAFailure) {
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
        {true, 1, 0, 3, 0, "exit3", none, nullptr},
        {true, 1, 1, 2, 1, "exit2", none, "C:\\KVOX\\uninst.exe /d"},
        {true, 0, 1, 2, 0, "", none, "C:\\KVOX\\uninst.exe /r"},
        {true, 1, 1, 3, 0, "exit3", none, "C:\\KVOX\\uninst.exe /w"},
        {false, 1, 1, 3, 1, "", none, "C:\\KVOX\\uninst.exe /w"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "case " << (&c - cases));
        Fresh();
        CopyText(g_session.destinationDir, "C:\\KVOX\\");
        g_script.exitChoice = {c.choice};
        g_session.askRestartOrReturn = c.askRestart;
        g_session.runUninstallerAtExit = c.uninstaller;
        g_session.exitMode = c.exitMode;
        Exit(c.succeeded, c.succeeded ? std::vector<int>{} : std::vector<int>{IDOK});
        EXPECT_EQ(g_script.calls, c.dialog);
        EXPECT_EQ(g_script.shutdowns, c.shutdown ? std::vector<UINT>{c.shutdown} : std::vector<UINT>{});
        EXPECT_EQ(g_script.programs, c.program ? std::vector<std::string>{c.program} : std::vector<std::string>{});
        if (c.succeeded) continue;
        EXPECT_EQ(messages_, std::vector<std::string>{"Setup cancelled. K-VOX may not properly installed now. You may "
                                                      "run setup program again at later time to complete the "
                                                      "installation of K-VOX."});
        EXPECT_EQ(styles_, std::vector<UINT>{0x30});
    }
    // A path with blanks is quoted.
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
    Exit(false, {IDOK});
    EXPECT_EQ(g_session.layoutTable, nullptr);
    EXPECT_EQ(Log(), "Log file created.\r\nSetup failed.\r\nReleasing allocated memory...\r\nExiting Setup...\r\n");
}

}  // namespace
