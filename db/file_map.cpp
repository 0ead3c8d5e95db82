#include "db/file_map.h"

#include <signal.h>
#include <sys/mman.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstddef>
#include <mutex>

namespace {

// The live maps, searched by the SIGBUS handler; it takes no lock, so each field is atomic.
// A map's range is published begin first, then length, and withdrawn length first.
struct MapSlot {
    std::atomic<bool> taken{false};
    std::atomic<uintptr_t> begin{0};
    std::atomic<uintptr_t> length{0};
    std::atomic<bool> damaged{false};
};

// The program maps the database and, for a moment, a word-list file; more maps than this
// are read through their handles.
constexpr int kSlots = 64;
MapSlot g_slots[kSlots];

struct sigaction g_previous;
uintptr_t g_pageSize = 0;
bool g_installed = false;
std::once_flag g_installOnce;

// A SIGBUS that is not ours: the handler that was there before takes it, or the program ends
// by the signal as it would have without us.
void ForwardBusError(int sig, siginfo_t* info, void* context) {
    if ((g_previous.sa_flags & SA_SIGINFO) != 0 && g_previous.sa_sigaction != nullptr) {
        g_previous.sa_sigaction(sig, info, context);
        return;
    }
    if ((g_previous.sa_flags & SA_SIGINFO) == 0 && g_previous.sa_handler != SIG_DFL &&
        g_previous.sa_handler != SIG_IGN) {
        g_previous.sa_handler(sig);
        return;
    }
    // The signal is blocked while this runs: it stays pending and ends the program on return.
    ::signal(sig, SIG_DFL);
    ::raise(sig);
}

void OnBusError(int sig, siginfo_t* info, void* context) {
    if (info != nullptr && info->si_code == BUS_ADRERR) {
        uintptr_t at = reinterpret_cast<uintptr_t>(info->si_addr);
        for (MapSlot& slot : g_slots) {
            uintptr_t length = slot.length.load(std::memory_order_acquire);
            uintptr_t begin = slot.begin.load(std::memory_order_relaxed);
            if (length == 0 || at - begin >= length) {
                continue;
            }
            int savedErrno = errno;
            void* page = reinterpret_cast<void*>(at & ~(g_pageSize - 1));
            void* zeros =
                ::mmap(page, g_pageSize, PROT_READ, MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1, 0);
            errno = savedErrno;
            if (zeros == MAP_FAILED) {
                break;
            }
            slot.damaged.store(true, std::memory_order_relaxed);
            return;  // the load runs again and reads zeros
        }
    }
    ForwardBusError(sig, info, context);
}

void InstallHandler() {
    long page = ::sysconf(_SC_PAGESIZE);
    if (page <= 0) {
        return;
    }
    g_pageSize = static_cast<uintptr_t>(page);
    struct sigaction action = {};
    action.sa_sigaction = OnBusError;
    action.sa_flags = SA_SIGINFO | SA_ONSTACK;
    sigemptyset(&action.sa_mask);
    g_installed = ::sigaction(SIGBUS, &action, &g_previous) == 0;
}

int ClaimSlot() {
    for (int i = 0; i < kSlots; ++i) {
        bool expected = false;
        if (g_slots[i].taken.compare_exchange_strong(expected, true)) {
            return i;
        }
    }
    return -1;
}

}  // namespace

CFileMap::~CFileMap() {
    Unmap();
}

bool CFileMap::Map(int fd, uint64_t length) {
    Unmap();
    if (length == 0 || length > SIZE_MAX) {
        return false;
    }
    std::call_once(g_installOnce, InstallHandler);
    if (!g_installed) {
        return false;  // unguarded, a map could end the program: read through the handle
    }
    int slot = ClaimSlot();
    if (slot < 0) {
        return false;
    }
    void* p = ::mmap(nullptr, static_cast<size_t>(length), PROT_READ, MAP_SHARED, fd, 0);
    if (p == MAP_FAILED) {
        g_slots[slot].taken.store(false);
        return false;
    }
    MapSlot& entry = g_slots[slot];
    entry.damaged.store(false, std::memory_order_relaxed);
    entry.begin.store(reinterpret_cast<uintptr_t>(p), std::memory_order_relaxed);
    entry.length.store(static_cast<uintptr_t>(length), std::memory_order_release);
    data_ = static_cast<const uint8_t*>(p);
    length_ = length;
    slot_ = slot;
    return true;
}

bool CFileMap::Damaged() const {
    return slot_ >= 0 && g_slots[slot_].damaged.load(std::memory_order_relaxed);
}

void CFileMap::Unmap() {
    if (data_ == nullptr) {
        return;
    }
    MapSlot& entry = g_slots[slot_];
    entry.length.store(0, std::memory_order_release);
    entry.begin.store(0, std::memory_order_relaxed);
    ::munmap(const_cast<uint8_t*>(data_), static_cast<size_t>(length_));
    entry.damaged.store(false, std::memory_order_relaxed);
    entry.taken.store(false, std::memory_order_release);
    data_ = nullptr;
    length_ = 0;
    slot_ = -1;
}
