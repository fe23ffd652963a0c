#pragma once
#include <angelscript.h>

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/Hge.h"
#include "framework/core/Stream.h"

// The script library is built without type information that UBSan can match to its interfaces, so
// every virtual call into it fails the sanitizer's vptr check. Functions that call through the
// library's interfaces carry this.
#define GF_SCRIPT_CALLS __attribute__((no_sanitize("vptr")))

namespace GF {
namespace HGENS {

// The library's bytes of a file that CScriptEngine::SaveByteCode of this very build wrote, for the
// script source given (any, when there is none at hand); false for any other file: damaged, stale
// for an edited script, or written by another build.
bool TakeByteCodeBody(CInputStream& in, std::vector<unsigned char>& body,
                      std::optional<std::string_view> source);

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
// resource script, "animation". Everything the script calls is registered through the generic
// convention, the one every build of the script library has (one built with AS_MAX_PORTABILITY has no
// other): the script runs once at load, where the cost of the generic calls does not count.
//
// The script comes from a file anyone may edit, so the engine takes it on bounds. Before the compiler
// sees a source, its size, the depth of its brackets, the length of a statement and the number of
// `else` in one block are checked: the compiler recurses on each of them and would overflow the
// program's stack. Every context of the engine then runs on one budget of steps (statements and loop
// turns) and of bytes that the script's strings and the reader's calls may take; a script that goes
// past either is stopped, as is one that goes past its own stack. The sample script needs a few
// thousand steps and less than a megabyte: the bounds leave it a wide margin.
class CScriptEngine {
public:
    static constexpr const char* kModuleName = "animation";

    static constexpr unsigned kMaxSourceBytes = 1u << 20;
    static constexpr int kMaxNesting = 64;
    static constexpr int kMaxStatementTokens = 1024;
    static constexpr int kMaxElsePerBlock = 128;
    static constexpr unsigned kStepBudget = 2000000;
    static constexpr std::size_t kByteBudget = 64u << 20;
    static constexpr unsigned kMaxStackBytes = 1u << 20;
    static constexpr unsigned kMaxCallDepth = 1000;

    CScriptEngine();
    ~CScriptEngine();
    CScriptEngine(const CScriptEngine&) = delete;
    CScriptEngine& operator=(const CScriptEngine&) = delete;

    asIScriptEngine* Get() const { return m_engine; }

    // Builds the module from source text (not zero-terminated). On failure the half-built module is
    // dropped, so there is nothing to save or run.
    bool Build(const char* text, unsigned size);
    // Loads the module from byte code that SaveByteCode of this build wrote for the script source
    // given (or for any, when there is none at hand); on failure (any other file, or the library's
    // own check) the module is dropped.
    bool LoadByteCode(CInputStream& in, std::optional<std::string_view> source);
    // Saves the built or loaded module, compiled from the script source given, with a trailer that
    // LoadByteCode checks; false when there is none or the output refuses a write.
    bool SaveByteCode(COutputStream& out, std::string_view source);
    // Calls the module's function `declaration` with one object handle. A missing function or a
    // script exception is logged and answers false.
    bool Call(const char* declaration, void* object);

    // The log line of a compiler or run-time message.
    void Log(const char* section, int row, int column, asEMsgType type, const char* message);

    // Takes bytes from the budget of the engine that runs the active script context. When the budget
    // can't cover them the script is stopped with an exception naming the bound, and false comes back:
    // the caller then allocates nothing. Outside a script run every charge is granted.
    static bool Charge(std::size_t bytes);
    // A smaller budget for the rest of this engine's life (the fuzz targets run many scripts).
    void SetBudget(unsigned steps, std::size_t bytes);

private:
    void DiscardModule();
    // False, with the log line of the bound it breaks, for a source the compiler must not see.
    bool CheckSource(const char* text, unsigned size);
    // A context whose every step is counted against the budget.
    asIScriptContext* NewContext();
    static asIScriptContext* RequestContext(asIScriptEngine* engine, void* self);
    static void ReturnContext(asIScriptEngine* engine, asIScriptContext* context, void* self);
    static void LineCallback(asIScriptContext* context, void* self);
    // Logs why a run ended early, at the line it had reached.
    void LogStop(asIScriptContext* context, const char* message);

    asIScriptEngine* m_engine = nullptr;
    HGE* m_hge = nullptr;
    bool m_hasModule = false;
    unsigned m_stepLimit = kStepBudget, m_steps = kStepBudget;
    std::size_t m_byteLimit = kByteBudget, m_bytes = kByteBudget;
    std::string m_stop;  // why the budget stopped the script; empty while it has not
};

}  // namespace HGENS
}  // namespace GF
