// The keyboard layout table: the chosen layouts, their country defaults, and their record
// in the product profile. The table is a movable global memory block of the session
// ("hLang"); readers take layoutCount records from its start.
#pragma once

#include <windows.h>

#include <cstddef>

#include "resources/inf_schema.h"

struct LayoutRecord {
    char countryKey[setupinf::kCountryKeySize];  // country key of the layout's language
    char name[setupinf::kLayoutNameSize];        // key of [Keyboard Layouts]
};

// Fills the layout table with the country's default layouts and sets the country's
// defaults of code pages, fonts, layout switch and font size. Nonzero on success.
int LoadLayoutTable();

// The country's defaults of the screen, plotter, system and printer fonts, as
// LoadLayoutTable sets them; an unreadable default list is not reported again.
void SetCountryFontDefaults();

// Records the chosen layouts in k-vox.ini [KVNLS].
void SaveLayoutsToProfile();

// Gives the table room for exactly `records` records (new ones zero-filled), and for one
// when `records` is 0; on failure reports IDS_NO_MEMORY naming `reallocName` and keeps the
// table as it was.
bool ResizeLayoutTable(size_t records, const char* reallocName);

// Reports IDS_NO_LOCK for the table; returns false.
bool ReportLayoutTableNotLocked();
