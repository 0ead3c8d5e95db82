#pragma once

// CWordList: an ordered list of unique, non-empty 8-bit strings, compared without regard to
// ASCII letter case, optionally tied to a text file. It holds the user lists (Favorites,
// Study List, Recents, Searched) and the renderer's working lists and notes.
//
// File format: 8-bit text, one item per line, each line ended by CR LF, no header, items in
// list order; a CR or LF inside an item is written as a space. On reading, CR and LF both end a
// line, empty lines are skipped and a line equal (ignoring ASCII case) to an earlier item is
// dropped.
//
// Threads: every operation takes the list's own lock, so one thread may append while another
// reads; this is how the search worker fills the Searched list while the main thread shows it.
// Positions only change by InsertAt, Remove, Sort and Clear; Add puts new items at the end,
// so while the other thread only calls Add, a position once returned keeps naming the same
// item. A thread that reads a list which another thread may change uses Count and CopyAt
// (a copy taken under the lock); At hands out the stored string itself, which the next
// Remove or Clear frees, and is for lists used on one thread only.

#include <memory>
#include <mutex>
#include <string>

// What Load found of a list's file.
enum ListFileStatus {
    LIST_FILE_NONE = 0,        // no file loaded (yet)
    LIST_FILE_READ = 1,        // the file was read whole
    LIST_FILE_MISSING = 2,     // there is no file: Save creates it
    LIST_FILE_UNREADABLE = 3,  // the file is there but could not be read: Save leaves it alone
};

class CWordList {
  public:
    // Slots added to the item array each time it is full.
    static constexpr int kGrowBy = 128;

    CWordList() = default;
    virtual ~CWordList();
    CWordList(const CWordList&) = delete;
    CWordList& operator=(const CWordList&) = delete;

    // Appends a copy of text unless an item equal to it (ignoring ASCII case) exists. Returns
    // the position of the new or existing item; -1 for a null or empty text or when memory
    // runs out (the list is then unchanged).
    int Add(const char* text);
    // The same for a text of n bytes (n < 0: up to the NUL). The text ends at its first NUL.
    int Add(const char* bytes, int n);

    // Position of the item equal to text, ignoring ASCII case; -1 when there is none.
    int IndexOf(const char* text) const;

    // Adds text as Add does, then moves that item to position (clamped to 0 .. count - 1);
    // the items between shift by one. Returns the position it ends at, or -1 when Add fails.
    int InsertAt(int position, const char* text);

    // Removes n items from start on; n is cut at the end of the list. Nothing happens when
    // start is not a position of the list or n < 1.
    void Remove(int start, int n);
    // Removes every item; the item array and the path stay.
    void Clear();
    // Orders the items by plain byte comparison (capital letters before small ones).
    void Sort();

    // Stores path as the list's file, then adds every non-empty line of that file after the
    // items already present. False when there is no file (the path stays stored, so a later
    // Save creates it), when the file cannot be opened or read whole (nothing is added), or
    // when memory runs out on the way (the lines added so far stay). An empty file gives
    // true. FileStatus tells these apart.
    bool Load(const std::string& path);
    // What the last Load found; a file that is there but was not read whole is
    // LIST_FILE_UNREADABLE, and the list then works in memory only.
    ListFileStatus FileStatus() const;

    // Writes the items to the list's file. The text goes to a temporary file in the folder of
    // the file (of its target, when the file is a symbolic link) that is flushed and then
    // renamed over the old file, so the file is always either the old list or the whole new
    // one, and keeps its permissions. False when there is no path, when the file could not be
    // read at Load (its words would be lost) or when anything of the writing fails; the old
    // file is then untouched and the list in memory unchanged.
    bool Save() const;

    int Count() const;
    // Number of slots in the item array (a multiple of kGrowBy).
    int Capacity() const;
    // The item at position, or null when there is none. See the thread note above.
    const char* At(int position) const;
    // Copies the item at position into *out; false (out untouched) when there is none.
    bool CopyAt(int position, std::string* out) const;
    // The list's file; empty when it has none.
    std::string Path() const;

  private:
    int AddLocked(const char* text);
    int IndexOfLocked(const char* text) const;
    bool GrowLocked();

    mutable std::mutex lock_;
    std::unique_ptr<std::unique_ptr<char[]>[]> items_;
    int count_ = 0;
    int capacity_ = 0;
    std::string path_;
    ListFileStatus fileStatus_ = LIST_FILE_NONE;
};
