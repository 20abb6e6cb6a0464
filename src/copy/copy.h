// File copying: the free-space check, copying one file with LZ expansion and disk prompts,
// walking the sections of setup1.inf, the uninstall record, and the copy phase.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

// ---- The copy phase

// Copies the package's files for the chosen components; 1 when every required copy
// succeeded, 0 when the user stopped it or a required step failed.
int CopyPackageFiles();

// ---- One file

// Copies `name` from the source directory into `destinationDir`, asking for `disk` while
// the file cannot be found there. `sourceDir` (128 characters) takes a directory the user
// gives. Returns the bytes copied (positive), 1 when the file was skipped, 0 when copying
// must stop. The progress window shows the file before and after.
int32_t CopyOneFile(const char* disk, char* sourceDir, const char* destinationDir, const char* name);

// Asks for the disk `disk` (its label from [disks]) that holds `fileName`. 1 when the user
// confirmed a directory, which is written into `directory` ending with a backslash; 0 when
// the user cancelled.
int PromptForDisk(const char* fileName, const char* disk, char* directory, size_t size);
template <size_t N>
int PromptForDisk(const char* fileName, const char* disk, char (&directory)[N]) {
    return PromptForDisk(fileName, disk, directory, N);
}

// Results of LzCopyFile besides a count of bytes.
constexpr int32_t kCopyNotFound = 0;
constexpr int32_t kCopySkip = -1;
constexpr int32_t kCopyStop = -2;

// Finds the file under its own or its compressed name in `sourceDir` and expands it into
// `destinationDir`: the bytes written (or the size of an existing file that stays),
// kCopyNotFound, kCopySkip or kCopyStop. Errors are asked about on the way.
int32_t LzCopyFile(const char* sourceDir, const char* destinationDir, const char* name);

// The path with its file name in compressed form: the last character of the extension
// replaced by "_", or "._" for an extension of at most one character.
void CompressedFileName(const char* path, char (&compressed)[260]);

// Whether a name is in the source directory, as the directory lists it (read once per
// directory; forgotten when another disk may have been put in).
enum class SourceName { Present, Absent, Unknown };
SourceName FindInSource(const char* directory, const char* name, char (&spelled)[260]);
void ForgetSourceListing();
// Tests stand in for FindNextFileA here to end a listing with an error (null: the system's).
extern BOOL(WINAPI* g_findNextFileForTesting)(HANDLE find, WIN32_FIND_DATAA* entry);

// Logs an LZ32 or file error about `path` and asks whether to go on: kCopySkip or kCopyStop.
int32_t ReportCopyError(int32_t code, const char* path);

// ---- Sections of setup1.inf (1 done or nothing to do, 0 stopped)

// With replaceOldFiles off, a file already in `destinationDir` is not copied again: its
// size counts as done and the result is true.
bool SkipIfPresent(const char* destinationDir, const char* name);

// Every file of a file section: key = file name, value = disk.
int CopySection(unsigned sectionId, const char* destinationDir);

// The file of one item: member n its name, member n+1 its disk. For "sysfonts" and
// "fixedfonts" the section's name is completed with "." and the system fonts' code page.
int CopySectionItem(unsigned sectionId, const char* key, int member, const char* destinationDir);

// The same for a section named by text; writes no log line.
int CopyNamedSectionItem(const char* section, const char* key, int member, const char* destinationDir);

// Every TrueType font of the section, each loaded into the running system once copied.
int CopyTrueTypeSection(unsigned sectionId, int member, const char* destinationDir);

// ---- Free space

// 1 when copying may start (room enough, or the user chose Ignore), 0 when the user chose
// Abort to go back to the options.
int CheckDiskSpace();

// Bytes [volume] gives for the chosen components, by drive, without margins.
int32_t DestinationBytesNeeded();
int32_t WindowsBytesNeeded();
int32_t WindowsOtherBytes();
int32_t LogReserveBytes();

// The copy's total for the progress gauge.
int32_t TotalCopyBytes();

// Free bytes of a drive (by its letter), at most 2 GB - 1; 0 when the drive cannot tell.
int32_t DriveFreeBytes(char drive);

// ---- The uninstall record and the product profile

// Rewrites [Location] of a profile so that its only key is `directory`; always 1.
int WriteLocationRecord(const char* profilePath, const char* directory);

// uninst.inf [Enabled] Enabled=`value` ("Yes" or "No").
void WriteEnabledRecord(const char* value);

// uninst.inf [languages.installed]: the layout and the country key of its language.
void RecordInstalledLanguage(const char* layout, const char* countryKey);
