// Copying one file: found under its own or its compressed name, asked for by its disk,
// expanded by LZ32, and every error turned into a question through one table.
#include <windows.h>

#include "base/handles.h"
#include "base/install_list.h"
#include "base/message_dialog.h"
#include "base/paths.h"
#include "base/session.h"
#include "base/setup_log.h"
#include "base/text.h"
#include "copy/copy.h"
#include "progress/progress.h"
#include "resources/resource_ids.h"

namespace {

// How the user is asked about each error, and what the log says of it.
struct CopyError {
    int32_t code;
    const char* logSuffix;
    UINT message;
    UINT style;
};

constexpr CopyError kCopyErrors[] = {
    {LZERROR_WRITE, " - write error, possible reason: out of disk space.", IDS_CANT_WRITE_DESTINATION,
     MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2},
    {LZERROR_READ, " - read error, possible reason: bad compress format.", IDS_BAD_COMPRESSION,
     MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2},
    {LZERROR_BADOUTHANDLE, " - can not open destination file.", IDS_CANT_OPEN_DESTINATION,
     MB_YESYESTOALLNO | MB_ICONEXCLAMATION},
    {LZERROR_BADINHANDLE, " - can not open source file.", IDS_CANT_OPEN_SOURCE, MB_YESNO | MB_ICONEXCLAMATION},
};
constexpr CopyError kGeneralError = {0, " - generic error, possible reason: out of memory.", IDS_GENERAL_COPY_ERROR,
                                     MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2};

const CopyError& ErrorFor(int32_t code) {
    for (const CopyError& error : kCopyErrors)
        if (error.code == code) return error;
    return kGeneralError;
}

UniqueLzFile OpenLz(const char* path, WORD mode) {
    OFSTRUCT opened;
    ClearBytes(&opened, sizeof opened);
    return UniqueLzFile(LZOpenFileA(const_cast<char*>(path), &opened, mode));
}

// The source under its own name, else under its compressed name, each spelt as the
// directory lists it; a name the directory does not have is not opened. A negative handle
// is the error of the open that counts.
UniqueLzFile OpenSource(const char* sourceDir, const char* name) {
    char spelled[260], path[260];
    if (FindInSource(sourceDir, name, spelled) != SourceName::Absent) {
        JoinPath(path, sourceDir, spelled);
        UniqueLzFile source = OpenLz(path, OF_READ);
        if (source.Get() != LZERROR_BADINHANDLE) return source;
    }
    char compressed[260];
    CompressedFileName(name, compressed);
    if (FindInSource(sourceDir, compressed, spelled) == SourceName::Absent) return UniqueLzFile(LZERROR_BADINHANDLE);
    JoinPath(path, sourceDir, spelled);
    return OpenLz(path, OF_READ);
}

// The destination cannot be created: an existing file stays and counts as copied.
int32_t KeepOrReportDestination(int32_t code, const char* destination) {
    if (FileExists(destination)) {
        LogLine(destination, " - file exist, can not be overwritten.");
        return static_cast<int32_t>(FileSizeOf(destination));
    }
    if (g_session.ignoreAllDestinationErrors) {
        LogLine(destination, " - can not create destination file, skipped.");
        return kCopySkip;
    }
    return ReportCopyError(code == LZERROR_BADINHANDLE ? LZERROR_BADOUTHANDLE : code, destination);
}

// The question of the error about `path`, and its answer logged: kCopySkip or kCopyStop.
int32_t AskAboutCopyError(const CopyError& error, const char* path) {
    int answer = ShowMessage(nullptr, error.style, error.message, path);
    if (answer == kAnswerYes) {
        LogLine("User skipped copying file.");
        return kCopySkip;
    }
    if (answer == kAnswerYesToAll && error.code == LZERROR_BADOUTHANDLE) {
        g_session.ignoreAllDestinationErrors = 1;
        LogLine("Set ignore all errors on creating destination files.");
        return kCopySkip;
    }
    LogLine("Copying stopped by user.");
    return kCopyStop;
}

// A name with a directory or a drive in it would be read and written outside the source and
// destination directories: it is not opened, and the user decides as for a destination that
// cannot be made.
int32_t RefuseNonFileName(const char* destinationDir, const char* name) {
    char destination[260];
    JoinPath(destination, destinationDir, name);
    if (g_session.ignoreAllDestinationErrors) {
        LogLine(destination, " - not a file name, skipped.");
        return kCopySkip;
    }
    LogLine(destination, " - not a file name, can not be copied.");
    return AskAboutCopyError(ErrorFor(LZERROR_BADOUTHANDLE), destination);
}

// The size the source expands to (its header's when it is compressed, else its own), the
// source left at its start; negative when it cannot be told.
LONG ExpandedSize(INT source) {
    LONG size = LZSeek(source, 0, 2);
    return LZSeek(source, 0, 0) == 0 ? size : -1;
}

// LzCopyFile that also tells a file that was copied with 0 bytes from one not found.
int32_t CopyFound(const char* sourceDir, const char* destinationDir, const char* name, bool& found) {
    found = false;
    if (!IsPlainFileName(name)) return RefuseNonFileName(destinationDir, name);
    char source[260], destination[260];
    JoinPath(source, sourceDir, name);
    UniqueLzFile from = OpenSource(sourceDir, name);
    if (from.Get() == LZERROR_BADINHANDLE) {
        LogLine(source, " - can not open source file.");
        return kCopyNotFound;
    }
    if (from.Get() < 0) return ReportCopyError(from.Get(), source);
    found = true;
    // A path cut to fit would name another file: it is a destination that cannot be made.
    bool whole = JoinPath(destination, destinationDir, name);
    // Created as it is named: LZOpenFileA would go on to create the file under its
    // compressed name when the file itself cannot be opened, and OpenFile stops at 128
    // characters.
    UniqueHFile to(whole ? CreateListedFile(destination) : HFILE_ERROR);
    if (!to) {
        from.Reset();
        return KeepOrReportDestination(LZERROR_BADINHANDLE, destination);
    }
    LONG expected = ExpandedSize(from.Get());
    LONG copied = LZCopy(from.Get(), static_cast<INT>(to.Get()));
    from.Reset();
    to.Reset();
    // A compressed file cut short, or damaged, expands without an error to another size
    // than its header gives: it is a source that cannot be read.
    if (copied >= 0 && expected >= 0 && copied != expected) copied = LZERROR_READ;
    return copied >= 0 ? copied : ReportCopyError(copied, destination);
}

void LogCopied(const char* destinationDir, const char* name, int32_t bytes) {
    char line[260];
    CopyText(line, destinationDir);
    AddTrailingBackslash(line);
    AppendText(line, name);
    char count[16];
    wsprintfA(count, " %lu", static_cast<unsigned long>(bytes));
    AppendText(line, count);
    LogLine(line);
}

bool SameDirectory(const char* a, const char* b) { return lstrcmpiA(a, b) == 0; }

}  // namespace

void CompressedFileName(const char* path, char (&compressed)[260]) {
    PathParts parts = SplitPath(path);
    size_t length = TextLength(parts.extension);
    if (length > 1) parts.extension[length - 1] = '_';
    else CopyText(parts.extension, "._");
    CopyText(compressed, parts.drive);
    AppendText(compressed, parts.directory);
    AppendText(compressed, parts.name);
    AppendText(compressed, parts.extension);
}

int32_t ReportCopyError(int32_t code, const char* path) {
    const CopyError& error = ErrorFor(code);
    LogLine(path, error.logSuffix);
    return AskAboutCopyError(error, path);
}

int32_t LzCopyFile(const char* sourceDir, const char* destinationDir, const char* name) {
    bool found;
    return CopyFound(sourceDir, destinationDir, name, found);
}

int32_t CopyOneFile(const char* disk, char* sourceDir, const char* destinationDir, const char* name) {
    SetupSession& s = g_session;
    ShowCopyProgress(sourceDir, destinationDir, name);
    char directory[sizeof s.sourceDir];
    CopyText(directory, sourceDir);
    while (SameDirectory(directory, destinationDir)) {
        ShowMessage(nullptr, MB_ICONEXCLAMATION, IDS_SAME_SOURCE_AND_DEST);
        if (!PromptForDisk(name, disk, directory)) return 0;
        CopyText(sourceDir, sizeof s.sourceDir, directory);
    }
    int32_t result;
    for (;;) {
        bool found;
        int32_t copied = CopyFound(directory, destinationDir, name, found);
        if (copied == kCopySkip) {
            result = 1;  // a skipped file counts as one byte done
            break;
        }
        if (copied == kCopyStop) {
            result = 0;
            break;
        }
        if (copied > 0 || found) {
            LogCopied(destinationDir, name, copied);
            result = copied > 0 ? copied : 1;  // an empty file was copied: it must not read as "stop"
            break;
        }
        if (!PromptForDisk(name, disk, directory)) return 0;
        CopyText(sourceDir, sizeof s.sourceDir, directory);
    }
    s.bytesDone += result;
    ShowCopyProgress(sourceDir, destinationDir, name);
    return result;
}
