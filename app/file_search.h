#pragma once

// Finding files: whether one can be opened, and a depth-limited search of a folder tree for
// a file by name, as the database search uses them.

#include <optional>
#include <set>
#include <string>
#include <string_view>

// True when path names a regular file (or a link to one) that can be opened for reading.
bool FileExists(const std::string& path);

// Searches directory and the folders below it for a file called name, the name compared
// without regard to ASCII letter case. depth counts the levels below directory that are still
// searched: at depth 0 only directory's own files are compared; below 0 nothing is.
// Entries are taken in the order the file system lists them and folders are searched as
// they are met (depth first), so the first match in that order wins. Folders that cannot be
// read are skipped quietly; links to folders are not followed (no loops); the folders of
// pseudo and network file systems are not entered (ExcludedFolders), though directory itself
// is always searched. Each call is a search of its own.
// Returns the match's path (directory + the name as stored), or nothing.
std::optional<std::string> FindFileInTree(const std::string& directory, const std::string& name,
                                          int depth);
// The same with the folders not to enter given, each as an absolute path ending with "/".
std::optional<std::string> FindFileInTree(const std::string& directory, const std::string& name,
                                          int depth, const std::set<std::string>& excluded);

// The folders a tree search does not enter: /proc/, /sys/, /dev/, /run/ and every mount point
// in mountTable (the format of /proc/self/mounts) whose file system is not a local disk.
std::set<std::string> ExcludedFolders(std::string_view mountTable);
// ExcludedFolders over this system's mount table.
std::set<std::string> ExcludedFoldersOfThisSystem();
// True for the file system types of local disks and removable media (ext4, vfat, ...).
bool IsLocalDiskFileSystem(std::string_view type);
