// Window, dialog and DDE procedures are exported from the program under their own names.
#pragma once

#define KVOX_EXPORTED extern "C" __declspec(dllexport)
