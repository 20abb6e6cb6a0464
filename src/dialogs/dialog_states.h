// What each wizard dialog remembers while it is open. The launcher hands it to the dialog
// as its creation parameter; the dialog reaches it through its user data.
#pragma once

// SETUPDIR.
struct SetupDirState {
    int rememberedCountry = -1;  // the entry OK takes; -1: the entry shown
};

// DRIVEDIR.
struct DriveDirState {
    char workingPath[200] = "";
    int listedDrive = -1;  // entry of the drives list that the current pick has listed; -1: none
};

// SETUPOPTIONS.
struct OptionsState {
    int rememberedCountry = -1;  // entry of "DOS Code Page"; -1: the entry shown
    int rememberedHotKey = -1;   // entry of "Layout Switch"; -1: the entry shown
};

// LANGLAYOUT.
struct LayoutsState {
    int remembered[2] = {-1, -1};  // the entry remembered in "Layout 1:" and "Layout 2:"; -1: none
};

// FONTS.
struct FontsState {
    int rememberedCodePage = -1;  // -1: the entry shown
};
