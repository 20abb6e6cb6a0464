// The package's libraries and drivers as the sample ships them: a loadable library that
// does nothing. The disk layout copies it under each library's name.
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }

extern "C" __declspec(dllexport) int KVoxLibraryVersion() { return 0x0200; }

extern "C" __declspec(dllexport) const char* KVoxLibraryName() { return "K-VOX 2.0 library"; }
