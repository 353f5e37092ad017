#pragma once
// Counts the bytes a piece of code allocates through operator new: the live
// and the peak bytes while counting is on, and a limit past which an
// allocation fails as running out of memory does, so that code without
// bounds fails fast instead of taking the machine's memory.
//
// A test program that uses it replaces the global operator new and delete
// with KADREL_COUNTING_OPERATOR_NEW() in exactly one of its sources.

#include <atomic>
#include <cstddef>
#include <cstdlib>
#include <new>

namespace allocationcounter {

inline std::atomic<bool> counting{false};
inline std::atomic<std::size_t> live{0};
inline std::atomic<std::size_t> peak{0};
inline std::size_t limit = 0;

// Each block carries its size and whether it was counted in front of it.
inline constexpr std::size_t kHeader = 16;

inline void* Allocate(std::size_t n)
{
    const bool counted = counting.load();
    if (counted) {
        const std::size_t now = live += n;
        if (now > limit) {
            live -= n;
            throw std::bad_alloc();
        }
        std::size_t seen = peak.load();
        while (now > seen && !peak.compare_exchange_weak(seen, now)) {
        }
    }
    auto* block = static_cast<unsigned char*>(std::malloc(n + kHeader));
    if (block == nullptr) {
        if (counted)
            live -= n;
        throw std::bad_alloc();
    }
    reinterpret_cast<std::size_t*>(block)[0] = n;
    reinterpret_cast<std::size_t*>(block)[1] = counted ? 1 : 0;
    return block + kHeader;
}

inline void Release(void* p) noexcept
{
    if (p == nullptr)
        return;
    auto* block = static_cast<unsigned char*>(p) - kHeader;
    if (reinterpret_cast<std::size_t*>(block)[1] != 0)
        live -= reinterpret_cast<std::size_t*>(block)[0];
    std::free(block);
}

// Runs work with counting on and returns the peak bytes it held; an
// allocation that would pass maxBytes throws std::bad_alloc.
template <class Work>
std::size_t PeakBytesOf(Work work, std::size_t maxBytes)
{
    live = 0;
    peak = 0;
    limit = maxBytes;
    counting = true;
    try {
        work();
    } catch (...) {
        counting = false;
        throw;
    }
    counting = false;
    return peak.load();
}

}  // namespace allocationcounter

#define KADREL_COUNTING_OPERATOR_NEW()                                                          \
    void* operator new(std::size_t n) { return allocationcounter::Allocate(n); }               \
    void operator delete(void* p) noexcept { allocationcounter::Release(p); }                  \
    void operator delete(void* p, std::size_t) noexcept { allocationcounter::Release(p); }
