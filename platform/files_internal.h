// The file-system calls the folder helpers and the streams are built on, one
// implementation per operating system (files_posix.cpp, files_windows.cpp).
// Every path is UTF-8; '/' separates folders on every system.
#pragma once
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

enum class OsPathKind { None, File, Folder, Other };
// What the path names; a link counts as what it points to when followLinks.
OsPathKind OsKindOfPath(const std::string& path, bool followLinks);
// True when this process may create files in the folder.
bool OsFolderIsWritable(const std::string& path);
// True when the folder was made or already exists.
bool OsMakeOneFolder(const std::string& path);
// The names in a folder, without "." and "..".
std::vector<std::string> OsListFolder(const std::string& folder);
bool OsRemoveFile(const std::string& path);
// Creates a new file named target + ".tmp" + six characters, open for binary
// writing, with the mode a new file at target would get; null when the
// folder cannot be written.
FILE* OsCreateTempFile(const std::string& target, std::string& tempPath);
// Flushes the file's buffers and forces its bytes onto the disk.
bool OsFlushToDisk(FILE* file);
// Puts temp in target's place in one step (a reader sees the old file or the
// new one, never a mixture) and makes the change itself durable.
bool OsReplaceFile(const std::string& temp, const std::string& target);
// The whole content of a regular file; false when it cannot be read.
bool OsReadFile(const std::string& path, std::vector<uint8_t>& bytes);
bool OsChangeWorkingFolder(const std::string& path);
// Called after a save has replaced its target: where the save folder is not
// the disk itself (the browser's storage), the save is stored there.
void OsSaveStored(const std::string& path);
