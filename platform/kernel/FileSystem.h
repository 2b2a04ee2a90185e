#pragma once
// Files of the device: attributes, folders, moving and deleting, and whole-
// file reading and writing. Paths are device paths (see DevicePath.h); a
// failing call sets the thread's last error (FileSystemTypes.h).
//
// Attributes come from the host: FILE_ATTRIBUTE_DIRECTORY for a folder,
// FILE_ATTRIBUTE_READONLY when no write permission bit is set, and
// FILE_ATTRIBUTE_HIDDEN from the extended attribute "user.zorun.hidden" where
// the host file system keeps extended attributes (elsewhere a file is never
// hidden). A file with none of these reports FILE_ATTRIBUTE_NORMAL.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <vector>

#include "platform/kernel/FileSystemTypes.h"

// INVALID_FILE_ATTRIBUTES when the path does not exist.
[[nodiscard]] DWORD GetFileAttributesW(LPCWSTR path);
// Applies FILE_ATTRIBUTE_READONLY and FILE_ATTRIBUTE_HIDDEN; other bits are
// accepted and ignored. Succeeds without keeping the hidden flag on a host
// file system that has no extended attributes.
BOOL SetFileAttributesW(LPCWSTR path, DWORD attributes);

// Fails with ERROR_ALREADY_EXISTS when the name exists.
BOOL CreateDirectoryW(LPCWSTR path, void* securityAttributes = nullptr);
// Files only; a folder gives ERROR_ACCESS_DENIED, as on the device.
BOOL DeleteFileW(LPCWSTR path);
// Renames or moves a file or folder; fails with ERROR_ALREADY_EXISTS when the
// new name exists (other than as the same entry, so a change of case works).
BOOL MoveFileW(LPCWSTR existingPath, LPCWSTR newPath);

namespace zorun {

// Every file the program reads is read by these, so that no file can block
// or exhaust it: only regular files are read (a FIFO, a device or a socket
// of that name is refused at once, without waiting for a writer) and never
// more than the caller's bound.

// The whole content of a device file, or nullopt when it is missing, is not
// a regular file, cannot be read, or is longer than `maxBytes` (so that no
// caller parses the start of a longer file by mistake).
[[nodiscard]] std::optional<std::vector<std::uint8_t>> ReadDeviceFile(LPCWSTR path,
                                                                      std::size_t maxBytes);

// The first `maxBytes` bytes of a device file (all of a shorter one).
[[nodiscard]] std::optional<std::vector<std::uint8_t>> ReadDeviceFilePrefix(LPCWSTR path,
                                                                            std::size_t maxBytes);

// The same for a host file outside the device (an icon of the host's theme,
// a host program's first line).
[[nodiscard]] std::optional<std::vector<std::uint8_t>>
ReadHostFile(const std::filesystem::path& path, std::size_t maxBytes);
[[nodiscard]] std::optional<std::vector<std::uint8_t>>
ReadHostFilePrefix(const std::filesystem::path& path, std::size_t maxBytes);

// Removes what interrupted replacements of the file at `path` left beside
// it: the temporary files WriteDeviceFileAtomically names "<name>.tmp-" and
// six characters, when they are regular files of this user. (A replacement
// runs within one call, so none of them is still being written.)
void RemoveStaleReplacements(LPCWSTR path);

// Replaces the file's content as one step: the bytes go to a temporary file
// in the same folder, which gets `attributes` (FILE_ATTRIBUTE_HIDDEN,
// FILE_ATTRIBUTE_READONLY), is flushed to disk and renamed over the old
// file; the folder is then flushed too. On failure (the folder is missing
// or not writable, the disk is full, an I/O error, the old file is read-only
// or a folder) it returns false with the last error set, and the old file
// is as it was: a crash at any moment leaves either the old or the new file.
// Temporary files that earlier interrupted replacements left are removed
// first (RemoveStaleReplacements).
[[nodiscard]] bool WriteDeviceFileAtomically(LPCWSTR path, std::span<const std::uint8_t> bytes,
                                             DWORD attributes = 0);

// Writes a new host file that never replaces another: `wanted`, or when
// that name is taken "<stem>-2<ext>", "<stem>-3<ext>", ... The file (mode
// 0600, the user's alone) appears whole or not at all: it is written and
// flushed under a temporary name first. Its folder is made (0700) when
// missing. The path written, or nullopt with errno set.
[[nodiscard]] std::optional<std::filesystem::path>
WriteNewHostFile(const std::filesystem::path& wanted, std::span<const std::uint8_t> bytes);

} // namespace zorun
