#pragma once
#include <angelscript.h>

#include <vector>

#include "engine/Hge.h"
#include "framework/core/Stream.h"

// The script library is built without type information that UBSan can match to its interfaces, so
// every virtual call into it fails the sanitizer's vptr check. Functions that call through the
// library's interfaces carry this.
#define GF_SCRIPT_CALLS __attribute__((no_sanitize("vptr")))

namespace GF {
namespace HGENS {

// True when the script library has no native calls (built with AS_MAX_PORTABILITY): every
// registration then goes through the generic convention.
bool ScriptNeedsGenericCalls();

// The library's bytes of a file that CScriptEngine::SaveByteCode wrote; false when the file does
// not match the length and checksum in its trailer. A file made to match on purpose gets through:
// the check is against damage, not against a forged file.
bool TakeByteCodeBody(CInputStream& in, std::vector<unsigned char>& body);

// Byte code moves through the script library's binary stream interface over our streams. A read
// never goes past the bytes left in the input: a short or damaged file fails the load instead of
// reading outside the block. A write that the output refuses fails the save.
class CBinaryStreamHelp : public asIBinaryStream {
public:
    explicit CBinaryStreamHelp(CInputStream* in, COutputStream* out = nullptr) : m_in(in), m_out(out) {}

    int Read(void* destination, asUINT size) override;
    int Write(const void* source, asUINT size) override;

private:
    CInputStream* m_in;
    COutputStream* m_out;
};

// One script engine with the `string` type registered and compiler messages sent to the engine's
// log as "ANGELSCRIPT: section (row, column) | level | message". It holds the one module of the
// resource script, "animation".
class CScriptEngine {
public:
    static constexpr const char* kModuleName = "animation";

    explicit CScriptEngine(bool generic = ScriptNeedsGenericCalls());
    ~CScriptEngine();
    CScriptEngine(const CScriptEngine&) = delete;
    CScriptEngine& operator=(const CScriptEngine&) = delete;

    asIScriptEngine* Get() const { return m_engine; }
    bool Generic() const { return m_generic; }

    // Builds the module from source text (not zero-terminated). On failure the half-built module is
    // dropped, so there is nothing to save or run.
    bool Build(const char* text, unsigned size);
    // Loads the module from byte code that SaveByteCode wrote; on failure (a file that does not
    // match its own length and checksum, or the library's own check) the module is dropped.
    bool LoadByteCode(CInputStream& in);
    // Saves the built or loaded module with a trailer that LoadByteCode checks; false when there is
    // none or the output refuses a write.
    bool SaveByteCode(COutputStream& out);
    // Calls the module's function `declaration` with one object handle. A missing function or a
    // script exception is logged and answers false.
    bool Call(const char* declaration, void* object);

    // The log line of a compiler or run-time message.
    void Log(const char* section, int row, int column, asEMsgType type, const char* message);

private:
    void DiscardModule();

    asIScriptEngine* m_engine = nullptr;
    HGE* m_hge = nullptr;
    bool m_generic = false;
    bool m_hasModule = false;
};

}  // namespace HGENS
}  // namespace GF
