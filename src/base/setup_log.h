// The setup log KVSETUP.LOG in the destination directory: one plain line per step.
#pragma once

// Builds logPath in `directory`, creates the file and writes its first line. On failure
// shows IDS_CANT_CREATE_LOG, empties logPath and turns logging off.
void CreateSetupLog(const char* directory);

// Appends the 22 header lines that record the session's choices.
void WriteLogHeader();

// Appends one line (opened, written and closed for this line alone). Returns 1 when the
// whole line was written; 0 with no path, an empty text, or a file that cannot be written.
// Texts longer than 253 characters are cut to 253.
int AppendLogLine(const char* path, const char* text);

// Appends a line to the session's log while logging is on.
void LogLine(const char* text);

// The same for a line made of two parts.
void LogLine(const char* text, const char* more);
