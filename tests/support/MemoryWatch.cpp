#include "tests/support/MemoryWatch.h"

#include <atomic>
#include <fstream>
#include <string>

#if defined(__SANITIZE_ADDRESS__)
// The sanitizer's hook on every allocation (its header comes with clang only).
extern "C" int __sanitizer_install_malloc_and_free_hooks(void (*malloc_hook)(const volatile void*,
                                                                             std::size_t),
                                                         void (*free_hook)(const volatile void*));
#endif

namespace {

std::atomic<bool> g_watching{false};
std::atomic<std::size_t> g_largest{0};

#if defined(__SANITIZE_ADDRESS__)
void NoteMalloc(const volatile void*, std::size_t size) {
    if (g_watching && size > g_largest) g_largest = size;
}
void NoteFree(const volatile void*) {}
#endif

// A figure of the process's status in kilobytes: "VmRSS:" resident now, "VmHWM:" its high-water mark.
long StatusKilobytes(const std::string& name) {
    std::ifstream status("/proc/self/status");
    std::string key;
    long value = 0;
    while (status >> key) {
        if (key == name && status >> value) return value;
        status.ignore(4096, '\n');
    }
    return 0;
}

}  // namespace

CMemoryWatch::CMemoryWatch() {
#if defined(__SANITIZE_ADDRESS__)
    static const bool hooked = __sanitizer_install_malloc_and_free_hooks(NoteMalloc, NoteFree) != 0;
    (void)hooked;
#endif
    std::ofstream("/proc/self/clear_refs") << "5";  // the high-water mark back to the resident size
    m_startKilobytes = StatusKilobytes("VmRSS:");
    g_largest = 0;
    g_watching = true;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &m_start);
}

CMemoryWatch::~CMemoryWatch() {
    Stop();
}

void CMemoryWatch::Stop() {
    if (!m_running) return;
    m_running = false;
    g_watching = false;
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    m_seconds = static_cast<double>(now.tv_sec - m_start.tv_sec) +
                static_cast<double>(now.tv_nsec - m_start.tv_nsec) / 1e9;
    m_addedPeakMegabytes = (StatusKilobytes("VmHWM:") - m_startKilobytes) / 1024;
    m_largestBlock = g_largest;
}
