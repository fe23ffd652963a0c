#pragma once
// Decoders run on the main thread inside a frame, and a picture within every bound may still take a
// few seconds (a JPEG 2000 file of tens of megabytes of real detail). A SIGTERM or SIGINT meanwhile
// would wait for the decoder, which nothing can stop from outside. While a watch lives, such a signal
// still asks the program to quit as before; if the decoder has not returned 0.3 s later, the
// watch ends the process at once with the signal's status, saying so on stderr. Watches nest; only
// the outermost one watches.

namespace Engine {

class CDecodeWatch {
public:
    explicit CDecodeWatch(const char* name);
    ~CDecodeWatch();
    CDecodeWatch(const CDecodeWatch&) = delete;
    CDecodeWatch& operator=(const CDecodeWatch&) = delete;
};

}  // namespace Engine
