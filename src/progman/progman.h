// The package's Program Manager group and icons, created over DDE.
#pragma once

#include <windows.h>
#include <ddeml.h>

#include "base/exported.h"

// The phase: the K-VOX group with the chosen components' icons, and the first program's
// icon in the start-up group. 1 when no error was counted, else 0.
int CreateProgmanGroups();

// The icons of every chosen component; 1 when every item section could be read.
int CreateProductIcons();

// The icons of one item section; 0 when it cannot be read (reported) or an item was refused
// (logged).
int AddSectionItems(UINT sectionId);

// The conversation with Program Manager: 1 when connected; disconnecting always gives 1.
int ProgmanConnect();
int ProgmanDisconnect();

// Sends one command; 1 when the transaction was accepted.
int ProgmanExecute(const char* command);

// Tests may see every command sent, in order, through this hook (null: none).
extern void (*g_progmanCommandObserver)(const char* command);
// "[command(argument more)]", cut to 127 characters.
int ProgmanSendCommand(const char* command, const char* argument, const char* more = "");
int ProgmanCreateGroup(const char* name);
void ProgmanAddItem(const char* argument);
void ProgmanReplaceItem(const char* argument);

KVOX_EXPORTED HDDEDATA CALLBACK ProgmanDdeCallback(UINT type, UINT format, HCONV conversation, HSZ topic, HSZ item,
                                                   HDDEDATA data, ULONG_PTR data1, ULONG_PTR data2);
