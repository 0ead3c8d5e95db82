#include "lists/word_list.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <new>

#include "db/atomic_file.h"
#include "db/data_file.h"

namespace {

char FoldAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Equality of two NUL-terminated strings, ASCII letters compared without case; other bytes
// (the code page's accented letters among them) must match exactly.
bool EqualIgnoringAsciiCase(const char* a, const char* b) {
    for (; *a != '\0' && *b != '\0'; ++a, ++b) {
        if (FoldAscii(*a) != FoldAscii(*b)) {
            return false;
        }
    }
    return *a == *b;
}

std::unique_ptr<char[]> CopyText(const char* bytes, size_t n) {
    std::unique_ptr<char[]> copy(new (std::nothrow) char[n + 1]);
    if (copy) {
        std::memcpy(copy.get(), bytes, n);
        copy[n] = '\0';
    }
    return copy;
}

}  // namespace

CWordList::~CWordList() = default;

int CWordList::Add(const char* text) {
    std::lock_guard<std::mutex> guard(lock_);
    return AddLocked(text);
}

int CWordList::Add(const char* bytes, int n) {
    if (bytes == nullptr) {
        return -1;
    }
    if (n < 0) {
        return Add(bytes);
    }
    std::unique_ptr<char[]> temporary = CopyText(bytes, static_cast<size_t>(n));
    if (!temporary) {
        return -1;
    }
    return Add(temporary.get());
}

int CWordList::AddLocked(const char* text) {
    if (text == nullptr || *text == '\0') {
        return -1;
    }
    int found = IndexOfLocked(text);
    if (found >= 0) {
        return found;
    }
    std::unique_ptr<char[]> copy = CopyText(text, std::strlen(text));
    if (!copy || (count_ == capacity_ && !GrowLocked())) {
        return -1;
    }
    items_[count_] = std::move(copy);
    return count_++;
}

bool CWordList::GrowLocked() {
    if (capacity_ > INT_MAX - kGrowBy) {
        return false;
    }
    int capacity = capacity_ + kGrowBy;
    std::unique_ptr<std::unique_ptr<char[]>[]> items(
        new (std::nothrow) std::unique_ptr<char[]>[static_cast<size_t>(capacity)]);
    if (!items) {
        return false;
    }
    std::move(items_.get(), items_.get() + count_, items.get());
    items_ = std::move(items);
    capacity_ = capacity;
    return true;
}

int CWordList::IndexOf(const char* text) const {
    std::lock_guard<std::mutex> guard(lock_);
    return IndexOfLocked(text);
}

int CWordList::IndexOfLocked(const char* text) const {
    if (text == nullptr) {
        return -1;
    }
    for (int i = 0; i < count_; ++i) {
        if (EqualIgnoringAsciiCase(items_[i].get(), text)) {
            return i;
        }
    }
    return -1;
}

int CWordList::InsertAt(int position, const char* text) {
    std::lock_guard<std::mutex> guard(lock_);
    int from = AddLocked(text);
    if (from < 0) {
        return -1;
    }
    int to = std::clamp(position, 0, count_ - 1);
    // Only the pointers move: the item goes to its slot, those between shift towards from.
    auto* slots = items_.get();
    if (from > to) {
        std::rotate(slots + to, slots + from, slots + from + 1);
    } else if (from < to) {
        std::rotate(slots + from, slots + from + 1, slots + to + 1);
    }
    return to;
}

void CWordList::Remove(int start, int n) {
    std::lock_guard<std::mutex> guard(lock_);
    if (start < 0 || start >= count_ || n < 1) {
        return;
    }
    n = std::min(n, count_ - start);
    auto* slots = items_.get();
    std::move(slots + start + n, slots + count_, slots + start);
    for (int i = count_ - n; i < count_; ++i) {
        items_[i].reset();
    }
    count_ -= n;
}

void CWordList::Clear() {
    std::lock_guard<std::mutex> guard(lock_);
    for (int i = 0; i < count_; ++i) {
        items_[i].reset();
    }
    count_ = 0;
}

void CWordList::Sort() {
    std::lock_guard<std::mutex> guard(lock_);
    if (count_ < 2) {
        return;
    }
    std::sort(items_.get(), items_.get() + count_,
              [](const std::unique_ptr<char[]>& a, const std::unique_ptr<char[]>& b) {
                  return std::strcmp(a.get(), b.get()) < 0;
              });
}

bool CWordList::Load(const std::string& path) {
    std::lock_guard<std::mutex> guard(lock_);
    path_ = path;
    fileStatus_ = LIST_FILE_UNREADABLE;
    CDataFile file;
    if (!file.OpenRead(path_.c_str())) {
        struct stat st;
        if (::stat(path_.c_str(), &st) != 0 && errno == ENOENT) {
            fileStatus_ = LIST_FILE_MISSING;
        }
        return false;
    }
    uint32_t size = file.Size();
    if (size == 0) {
        fileStatus_ = LIST_FILE_READ;
        return true;
    }
    std::unique_ptr<char[]> text(new (std::nothrow) char[static_cast<size_t>(size) + 1]);
    if (!text) {
        return false;
    }
    int got = file.ReadAt(0, size, text.get());
    if (got < 0 || static_cast<uint32_t>(got) != size) {
        return false;
    }
    text[size] = '\0';
    // Cut at every CR and LF; a line holding a NUL ends there, as a stored string would.
    bool complete = true;
    char* end = text.get() + size;
    for (char* line = text.get(); line < end;) {
        char* stop = line;
        while (stop < end && *stop != '\r' && *stop != '\n') {
            ++stop;
        }
        *stop = '\0';
        if (*line != '\0' && AddLocked(line) < 0) {
            complete = false;  // out of memory: what was added stays
        }
        line = stop + 1;
    }
    if (complete) {
        fileStatus_ = LIST_FILE_READ;
    }
    return complete;
}

ListFileStatus CWordList::FileStatus() const {
    std::lock_guard<std::mutex> guard(lock_);
    return fileStatus_;
}

bool CWordList::Save() const {
    std::string path;
    std::string content;
    try {
        std::lock_guard<std::mutex> guard(lock_);
        if (path_.empty() || fileStatus_ == LIST_FILE_UNREADABLE) {
            return false;
        }
        path = path_;
        for (int i = 0; i < count_; ++i) {
            // A CR or LF inside an item would split it into two lines of the file: each is
            // written as a space, so the file keeps one line per item whatever the item's source.
            const size_t start = content.size();
            content += items_[i].get();
            std::replace_if(
                content.begin() + static_cast<std::ptrdiff_t>(start), content.end(),
                [](char c) { return c == '\r' || c == '\n'; }, ' ');
            content += "\r\n";
        }
    } catch (const std::bad_alloc&) {
        return false;
    }
    std::string error;
    return WriteFileAtomically(path, content.data(), content.size(), &error);
}

int CWordList::Count() const {
    std::lock_guard<std::mutex> guard(lock_);
    return count_;
}

int CWordList::Capacity() const {
    std::lock_guard<std::mutex> guard(lock_);
    return capacity_;
}

const char* CWordList::At(int position) const {
    std::lock_guard<std::mutex> guard(lock_);
    if (position < 0 || position >= count_) {
        return nullptr;
    }
    return items_[position].get();
}

bool CWordList::CopyAt(int position, std::string* out) const {
    std::lock_guard<std::mutex> guard(lock_);
    if (out == nullptr || position < 0 || position >= count_) {
        return false;
    }
    out->assign(items_[position].get());
    return true;
}

std::string CWordList::Path() const {
    std::lock_guard<std::mutex> guard(lock_);
    return path_;
}
