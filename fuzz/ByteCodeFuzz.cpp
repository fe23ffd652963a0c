// The resource script's byte code moves between the script library and our streams through
// CBinaryStreamHelp: the library's loader asks it for reads of the sizes its format wants, its saver
// hands it writes. The library's own loader is not fed here: it trusts its input and stops the
// program on damaged byte code (asCReader indexing past an array or writing through null), so the
// program hands it only files that match their trailer's length and checksum, and this target
// checks our side of that. The input gives a run of read and write sizes, then the bytes of
// "Animation\\effects.bs" that the reads are served from (through the engine, as the program reads
// them). A read is either whole or refused with zeros and nothing consumed; a write is refused once
// the output has failed, and stays refused. An input without operations is taken as a whole saved
// file instead: accepted, its body is the file less its 24-byte trailer.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "framework/core/DataStreams.h"
#include "framework/core/MemoryStreams.h"
#include "framework/resources/ResourceReader.h"
#include "framework/resources/ScriptEngine.h"
#include "fuzz/FuzzCheck.h"
#include "tests/support/RecordingEngine.h"

using namespace GF;
using namespace GF::HGENS;

namespace {

// An output that takes `limit` bytes and then fails, as a full disk does.
class CLimitedOutput : public CMemoryOutputStream {
public:
    explicit CLimitedOutput(unsigned limit) : m_limit(limit) {}
    unsigned Write(const void* buffer, unsigned n) override {
        const unsigned room = m_limit - static_cast<unsigned>(data.size());
        const unsigned step = n < room ? n : room;
        CMemoryOutputStream::Write(buffer, step);
        if (step < n) SetFailed();
        return step;
    }

private:
    unsigned m_limit;
};

constexpr std::size_t kOperationBytes = 3;  // kind, then a 12-bit size, high byte first

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    const std::size_t operations = data[0] % 64;
    const unsigned limit = data[1] * 16u;
    const std::size_t streamStart = 2 + operations * kOperationBytes;
    if (size < streamStart) return 0;

    CRecordingEngine engine;
    engine.AddResource(CResourceReader::kByteCodeName,
                       std::vector<unsigned char>(data + streamStart, data + size));
    if (operations == 0) {
        CBlobReader in;
        FUZZ_CHECK(in.Open(CResourceReader::kByteCodeName));
        std::vector<unsigned char> body;
        if (TakeByteCodeBody(in, body, std::nullopt)) {
            FUZZ_CHECK(body.size() + 24 == size - streamStart);
            FUZZ_CHECK(body.empty() || std::memcmp(body.data(), data + streamStart, body.size()) == 0);
        }
    }
    {
        CBlobReader in;
        FUZZ_CHECK(in.Open(CResourceReader::kByteCodeName));
        CLimitedOutput out(limit);
        CBinaryStreamHelp stream(&in, &out);
        bool writeRefused = false;
        for (std::size_t i = 0; i < operations; ++i) {
            const uint8_t* op = data + 2 + i * kOperationBytes;
            const unsigned n = static_cast<unsigned>((op[1] & 0x0F) << 8 | op[2]);
            std::vector<unsigned char> buffer(n, 0xCD);
            if (op[0] & 1) {
                const std::size_t written = out.data.size();
                const int result = stream.Write(buffer.data(), n);
                if (n == 0) {
                    FUZZ_CHECK(result == 0);
                } else if (writeRefused || written + n > limit) {
                    FUZZ_CHECK(result < 0);
                    writeRefused = true;
                } else {
                    FUZZ_CHECK(result == 0 && out.data.size() == written + n);
                }
            } else {
                const unsigned left = in.Remaining();
                const std::size_t position = in.Size() - left;
                const int result = stream.Read(buffer.data(), n);
                if (n <= left) {
                    FUZZ_CHECK(result == 0 && in.Remaining() == left - n);
                    FUZZ_CHECK(n == 0 || std::memcmp(buffer.data(), in.Data() + position, n) == 0);
                } else {
                    FUZZ_CHECK(result < 0 && in.Remaining() == left);
                    for (unsigned char byte : buffer) FUZZ_CHECK(byte == 0);
                }
            }
        }
    }
    FUZZ_CHECK(engine.outstandingBlocks == 0);
    return 0;
}
