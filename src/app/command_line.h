// The command-line switches of setup.exe.
#pragma once

#include "base/session.h"

enum class StartAction {
    Run,            // go on with the setup
    ShowHelp,       // "?": IDS_SWITCH_HELP, then end
    RefuseNetwork,  // "a" or "n": IDS_NETWORK_SWITCH, then end
};

struct SwitchResult {
    StartAction action = StartAction::Run;
    char refusedSwitch[3] = "";  // "/a" or "/n" for RefuseNetwork
};

// Handles the tokens of the command line left to right, setting the session's switches;
// stops at the first token that ends the program.
SwitchResult ParseCommandLine(const char* commandLine, SetupSession& session);
