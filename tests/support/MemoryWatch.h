#pragma once
// What a piece of code costs while it runs: the processor time the process spent (its waits for a
// processor on a busy machine left out, so that a bound on it holds under any load), how far the
// process's peak resident memory rose above what was resident when watching started (the kernel's
// high-water mark, brought down to the resident size at the start; the sanitizer's own shadow and
// quarantine stay out of it) and, under the address sanitizer, the largest block it asked of the
// allocator (a block the kernel maps lazily shows in no resident size until it is written). One
// watch at a time.
#include <cstddef>
#include <ctime>

class CMemoryWatch {
public:
    CMemoryWatch();
    ~CMemoryWatch();
    CMemoryWatch(const CMemoryWatch&) = delete;
    CMemoryWatch& operator=(const CMemoryWatch&) = delete;

    // Ends the watch; the readings below hold what it saw.
    void Stop();
    double Seconds() const { return m_seconds; }  // processor time, not wall-clock
    long AddedPeakMegabytes() const { return m_addedPeakMegabytes; }
    std::size_t LargestBlock() const { return m_largestBlock; }  // 0 without the sanitizer

private:
    timespec m_start{};
    bool m_running = true;
    double m_seconds = 0;
    long m_startKilobytes = 0;
    long m_addedPeakMegabytes = 0;
    std::size_t m_largestBlock = 0;
};
