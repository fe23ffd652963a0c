// The binary encoding over arbitrary bytes, read through the engine's block reader as the file
// readers read it. The input drives itself: each step reads an operation byte, then that operation.
// Beyond the sanitizers it checks that no read goes past the block, that a failed stream stays
// failed, and that whatever was read writes back and reads again to the same value.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "framework/core/DataStreams.h"
#include "framework/core/MemoryStreams.h"
#include "framework/core/Stream.h"
#include "fuzz/FuzzCheck.h"
#include "tests/support/RecordingEngine.h"

using namespace GF;

namespace {

// The value written through the writer and read back through the reader.
template <class Write, class Read>
void CheckRoundTrip(Write write, Read read) {
    CMemoryOutputStream out;
    write(out);
    CMemoryInputStream in(out.data);
    FUZZ_CHECK(read(in));
    FUZZ_CHECK(!in.Failed() && in.Remaining() == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CRecordingEngine engine;
    engine.AddResource("Fuzz\\input", std::vector<unsigned char>(data, data + size));
    HGENS::CBlobReader reader;
    FUZZ_CHECK(reader.Open("Fuzz\\input"));
    FUZZ_CHECK(reader.Size() == size);

    unsigned left = reader.Remaining();
    while (!reader.Failed() && reader.Remaining() > 0) {
        uint8_t op = 0;
        FUZZ_CHECK(ReadByte(reader, op));
        switch (op % 7) {
            case 0: {
                const unsigned value = ReadVarUInt(reader);
                if (!reader.Failed())
                    CheckRoundTrip([&](COutputStream& out) { WriteVarUInt(out, value); },
                                   [&](CInputStream& in) { return ReadVarUInt(in) == value; });
                break;
            }
            case 1: {
                std::string text = "left over";
                if (ReadString(reader, text)) {
                    CheckRoundTrip([&](COutputStream& out) { WriteString(out, text); },
                                   [&](CInputStream& in) {
                                       std::string again;
                                       return ReadString(in, again) && again == text;
                                   });
                } else {
                    FUZZ_CHECK(reader.Failed() && text.empty());  // nothing of a refused string is kept
                }
                break;
            }
            case 2: {
                WString text = u"left over";
                if (ReadWString(reader, text)) {
                    CheckRoundTrip([&](COutputStream& out) { WriteWString(out, text); },
                                   [&](CInputStream& in) {
                                       WString again;
                                       return ReadWString(in, again) && again == text;
                                   });
                } else {
                    FUZZ_CHECK(reader.Failed() && text.empty());  // nothing of a refused string is kept
                }
                break;
            }
            case 3: {
                uint32_t value = 0;
                if (ReadUInt32BE(reader, value))
                    CheckRoundTrip([&](COutputStream& out) { WriteUInt32BE(out, value); },
                                   [&](CInputStream& in) {
                                       uint32_t again = 0;
                                       return ReadUInt32BE(in, again) && again == value;
                                   });
                else
                    FUZZ_CHECK(value == 0 && reader.Failed());
                break;
            }
            case 4: {
                uint16_t value = 0;
                if (!ReadUInt16BE(reader, value)) FUZZ_CHECK(value == 0 && reader.Failed());
                break;
            }
            case 5: {
                float value = 0.0f;
                int32_t whole = 0;
                if (ReadFloatLE(reader, value)) ReadInt32BE(reader, whole);
                break;
            }
            default: {
                uint8_t count = 0;
                if (ReadByte(reader, count)) {
                    const unsigned before = reader.Remaining();
                    const unsigned skipped = reader.Skip(count);
                    FUZZ_CHECK(skipped <= count && reader.Remaining() == before - skipped);
                }
                break;
            }
        }
        // The bytes left only ever shrink, and never below nothing.
        FUZZ_CHECK(reader.Remaining() <= left && reader.Remaining() <= size);
        left = reader.Remaining();
    }
    // A read past the end answers zero and fails the stream.
    reader.Skip(reader.Remaining());
    uint8_t byte = 0xAA;
    FUZZ_CHECK(!ReadByte(reader, byte) && byte == 0 && reader.Failed());
    return 0;
}
