// kvpack check: setup1.inf against what the setup will do with it, and against the payload.
#pragma once

#include "package.h"
#include "report.h"

// Reports every mistake found in the opened package.
void CheckPackage(Package& package, Report& report);

// The default destination directory the setup offers, by whose length the Program Manager
// commands are measured.
constexpr char kDefaultDestination[] = "C:\\WINDOWS\\KVOX\\";
