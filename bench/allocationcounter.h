// A counting allocator for the benchmarks that show memory: every operator
// new and delete of the program goes through it. Include from exactly one
// file of a benchmark program (it defines the replacement operators).
#pragma once

#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace benchalloc {

inline std::atomic<long long> live{0};
inline std::atomic<long long> peak{0};

inline void note(long long bytes) {
    const long long now = live.fetch_add(bytes) + bytes;
    long long p = peak.load();
    while (now > p && !peak.compare_exchange_weak(p, now)) {
    }
}

// Measures the largest amount allocated on top of what was live at its
// start.
class Watch {
public:
    Watch() : before_(live.load()) { peak.store(before_); }
    long long extra() const { return peak.load() - before_; }

private:
    long long before_;
};

}  // namespace benchalloc

// Kept out of line so that the compiler does not pair the malloc/free inside
// with the new/delete of its callers.
[[gnu::noinline]] void* operator new(std::size_t n) {
    void* p = std::malloc(n == 0 ? 1 : n);
    if (p == nullptr) throw std::bad_alloc();
    benchalloc::note(static_cast<long long>(malloc_usable_size(p)));
    return p;
}
[[gnu::noinline]] void operator delete(void* p) noexcept {
    if (p == nullptr) return;
    benchalloc::live.fetch_sub(static_cast<long long>(malloc_usable_size(p)));
    std::free(p);
}
[[gnu::noinline]] void operator delete(void* p, std::size_t) noexcept { operator delete(p); }
