#pragma once
// What a piece of code costs while it runs: its time, how far the process's peak resident memory rose
// above what was resident when watching started (the kernel's high-water mark, brought down to the
// resident size at the start; the sanitizer's own shadow and quarantine stay out of it) and, under the
// address sanitizer, the largest block it asked of the allocator (a block the kernel maps lazily
// shows in no resident size until it is written). One watch at a time.
#include <chrono>
#include <cstddef>

class CMemoryWatch {
public:
    CMemoryWatch();
    ~CMemoryWatch();
    CMemoryWatch(const CMemoryWatch&) = delete;
    CMemoryWatch& operator=(const CMemoryWatch&) = delete;

    // Ends the watch; the readings below hold what it saw.
    void Stop();
    double Seconds() const { return m_seconds; }
    long AddedPeakMegabytes() const { return m_addedPeakMegabytes; }
    std::size_t LargestBlock() const { return m_largestBlock; }  // 0 without the sanitizer

private:
    std::chrono::steady_clock::time_point m_start;
    bool m_running = true;
    double m_seconds = 0;
    long m_startKilobytes = 0;
    long m_addedPeakMegabytes = 0;
    std::size_t m_largestBlock = 0;
};
