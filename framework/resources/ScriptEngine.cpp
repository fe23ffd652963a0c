#include "framework/resources/ScriptEngine.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "framework/core/MemoryStreams.h"
#include "framework/resources/BuildIdentity.h"
#include "framework/resources/ScriptString.h"

namespace GF {
namespace HGENS {

namespace {

void MessageCallback(const asSMessageInfo* message, void* param) {
    if (!message || !param) return;
    static_cast<CScriptEngine*>(param)->Log(message->section, message->row, message->col, message->type,
                                            message->message);
}

// Saved byte code ends with a trailer: these four bytes, the length of the library's bytes before it
// (32-bit), the digest of the script source they were compiled from and their check, both 64-bit
// SipHash-2-4 values, each high byte first. Both hashes are keyed by this build (its identity and the
// script library it runs on), the check by the source's digest too, so a file passes only when this
// very build wrote it for this very script. The library trusts the byte code it loads and stops the
// program on a damaged file: a file that does not pass never reaches it.
constexpr unsigned char kTrailerMagic[4] = {'Q', 'B', 'C', '3'};
constexpr unsigned kTrailerSize = 24;

// Where the engine keeps its CScriptEngine, for the string type and the reader's methods.
constexpr asPWORD kEngineUserData = 0x51534231;

struct TKey {
    uint64_t k0, k1;
};

uint64_t Little64(const unsigned char* bytes) {
    uint64_t value = 0;
    for (int i = 7; i >= 0; --i) value = value << 8 | bytes[i];
    return value;
}

uint64_t SipHash24(TKey key, const void* data, std::size_t size) {
    const auto* bytes = static_cast<const unsigned char*>(data);
    uint64_t v0 = 0x736f6d6570736575ull ^ key.k0, v1 = 0x646f72616e646f6dull ^ key.k1;
    uint64_t v2 = 0x6c7967656e657261ull ^ key.k0, v3 = 0x7465646279746573ull ^ key.k1;
    const auto rotate = [](uint64_t x, int b) { return x << b | x >> (64 - b); };
    const auto round = [&] {
        v0 += v1, v1 = rotate(v1, 13), v1 ^= v0, v0 = rotate(v0, 32);
        v2 += v3, v3 = rotate(v3, 16), v3 ^= v2;
        v0 += v3, v3 = rotate(v3, 21), v3 ^= v0;
        v2 += v1, v1 = rotate(v1, 17), v1 ^= v2, v2 = rotate(v2, 32);
    };
    const std::size_t whole = size - size % 8;
    for (std::size_t i = 0; i < whole; i += 8) {
        const uint64_t m = Little64(bytes + i);
        v3 ^= m;
        round();
        round();
        v0 ^= m;
    }
    uint64_t last = static_cast<uint64_t>(size) << 56;
    for (std::size_t i = 0; i < size % 8; ++i) last |= static_cast<uint64_t>(bytes[whole + i]) << (8 * i);
    v3 ^= last;
    round();
    round();
    v0 ^= last;
    v2 ^= 0xff;
    for (int i = 0; i < 4; ++i) round();
    return v0 ^ v1 ^ v2 ^ v3;
}

// The build's key: its identity, then the script library it runs on, whose byte code another version
// or another set of options may read differently.
TKey BuildKey() {
    static const TKey key = [] {
        unsigned char identity[16] = {};
        const auto digit = [](char c) { return c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10; };
        for (std::size_t i = 0; i < sizeof identity; ++i)
            identity[i] = static_cast<unsigned char>(digit(kBuildIdentity[2 * i]) << 4 |
                                                     digit(kBuildIdentity[2 * i + 1]));
        TKey built{Little64(identity), Little64(identity + 8)};
        const std::string library = std::string(asGetLibraryVersion()) + " " + asGetLibraryOptions();
        built.k1 ^= SipHash24(built, library.data(), library.size());
        return built;
    }();
    return key;
}

uint64_t SourceDigest(std::string_view source) {
    return SipHash24(BuildKey(), source.data(), source.size());
}

uint64_t Check(uint64_t sourceDigest, const unsigned char* body, std::size_t size) {
    TKey key = BuildKey();
    key.k0 ^= sourceDigest;
    return SipHash24(key, body, size);
}

void PutBig(unsigned char* out, uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out[i] = static_cast<unsigned char>(value >> (8 * (bytes - 1 - i)));
}

uint64_t GetBig(const unsigned char* in, int bytes) {
    uint64_t value = 0;
    for (int i = 0; i < bytes; ++i) value = value << 8 | in[i];
    return value;
}

}  // namespace

bool TakeByteCodeBody(CInputStream& in, std::vector<unsigned char>& body,
                      std::optional<std::string_view> source) {
    const unsigned size = in.Remaining();
    if (size < kTrailerSize) return false;
    body.resize(size);
    if (in.Read(body.data(), size) != size) return false;
    unsigned char trailer[kTrailerSize];
    std::memcpy(trailer, body.data() + size - kTrailerSize, kTrailerSize);
    body.resize(size - kTrailerSize);
    const uint64_t sourceDigest = GetBig(trailer + 8, 8);
    return std::memcmp(trailer, kTrailerMagic, sizeof kTrailerMagic) == 0 &&
           GetBig(trailer + 4, 4) == body.size() && (!source || SourceDigest(*source) == sourceDigest) &&
           GetBig(trailer + 16, 8) == Check(sourceDigest, body.data(), body.size());
}

int CBinaryStreamHelp::Read(void* destination, asUINT size) {
    if (size == 0) return 0;
    if (!m_in || size > m_in->Remaining()) {
        std::memset(destination, 0, size);
        return asERROR;
    }
    return m_in->Read(destination, size) == size ? 0 : asERROR;
}

int CBinaryStreamHelp::Write(const void* source, asUINT size) {
    if (size == 0) return 0;
    if (!m_out) return asERROR;
    return m_out->Write(source, size) == size && !m_out->Failed() ? 0 : asERROR;
}

GF_SCRIPT_CALLS CScriptEngine::CScriptEngine() : m_hge(hgeCreate(HGE_VERSION)) {
    m_engine = asCreateScriptEngine(ANGELSCRIPT_VERSION);
    if (!m_engine) {
        if (m_hge) m_hge->System_Log("Can't create the script engine");
        return;
    }
    m_engine->SetMessageCallback(asFUNCTION(MessageCallback), this, asCALL_CDECL);
    m_engine->SetUserData(this, kEngineUserData);
    // Global variables are initialised by Call, on the budget, not by the build or load.
    m_engine->SetEngineProperty(asEP_INIT_GLOBAL_VARS_AFTER_BUILD, 0);
    m_engine->SetEngineProperty(asEP_MAX_STACK_SIZE, kMaxStackBytes);
    m_engine->SetEngineProperty(asEP_MAX_CALL_STACK_SIZE, kMaxCallDepth);
    // Contexts the library makes for itself (destructors run by the garbage collector) count too.
    m_engine->SetContextCallbacks(RequestContext, ReturnContext, this);
    RegisterScriptString(m_engine);
}

GF_SCRIPT_CALLS asIScriptContext* CScriptEngine::NewContext() {
    asIScriptContext* context = m_engine->CreateContext();
    if (context) context->SetLineCallback(asFUNCTION(LineCallback), this, asCALL_CDECL);
    return context;
}

asIScriptContext* CScriptEngine::RequestContext(asIScriptEngine*, void* self) {
    return static_cast<CScriptEngine*>(self)->NewContext();
}

GF_SCRIPT_CALLS void CScriptEngine::ReturnContext(asIScriptEngine*, asIScriptContext* context, void*) {
    if (context) context->Release();
}

GF_SCRIPT_CALLS void CScriptEngine::LineCallback(asIScriptContext* context, void* param) {
    auto* self = static_cast<CScriptEngine*>(param);
    if (self->m_steps > 0 && self->m_stop.empty()) {
        --self->m_steps;
        return;
    }
    if (self->m_stop.empty())
        self->m_stop = "the script ran past its budget of " + std::to_string(self->m_stepLimit) + " steps";
    context->Abort();
}

GF_SCRIPT_CALLS bool CScriptEngine::Charge(std::size_t bytes) {
    asIScriptContext* context = asGetActiveContext();
    auto* self =
        context ? static_cast<CScriptEngine*>(context->GetEngine()->GetUserData(kEngineUserData)) : nullptr;
    if (!self) return true;
    if (self->m_stop.empty() && bytes <= self->m_bytes) {
        self->m_bytes -= bytes;
        return true;
    }
    if (self->m_stop.empty())
        self->m_stop =
            "the script allocated past its budget of " + std::to_string(self->m_byteLimit) + " bytes";
    // Not one the script may catch: it would only go on to the next refusal.
    context->SetException(self->m_stop.c_str(), false);
    return false;
}

void CScriptEngine::SetBudget(unsigned steps, std::size_t bytes) {
    m_steps = m_stepLimit = steps;
    m_bytes = m_byteLimit = bytes;
}

GF_SCRIPT_CALLS void CScriptEngine::LogStop(asIScriptContext* context, const char* message) {
    const char* section = nullptr;
    int column = 0;
    const int row = context->GetLineNumber(0, &column, &section);
    Log(section ? section : kModuleName, row > 0 ? row : 0, row > 0 ? column : 0, asMSGTYPE_ERROR, message);
}

namespace {

// Row and column (from 1) of a place in a text, as the compiler counts them.
void Position(const char* text, unsigned offset, int& row, int& column) {
    row = 1;
    column = 1;
    for (unsigned i = 0; i < offset; ++i) {
        if (text[i] == '\n') {
            ++row;
            column = 1;
        } else {
            ++column;
        }
    }
}

}  // namespace

GF_SCRIPT_CALLS bool CScriptEngine::CheckSource(const char* text, unsigned size) {
    const auto refuse = [&](unsigned offset, const std::string& why) {
        int row = 0, column = 0;
        Position(text, offset, row, column);
        Log(kModuleName, row, column, asMSGTYPE_ERROR, (why + "; the script is not compiled").c_str());
        return false;
    };
    if (size > kMaxSourceBytes)
        return refuse(0, "the script runs past the " + std::to_string(kMaxSourceBytes) + " bytes allowed");
    // Tokens as the compiler's own tokenizer reads them, so that a bracket in a string or a comment
    // is not counted and one outside them always is.
    std::vector<char> open;     // the brackets open at this point
    std::vector<int> elses{0};  // `else` met in each open block, the outermost first
    int statementTokens = 0;
    for (unsigned at = 0; at < size;) {
        asUINT length = 0;
        const asETokenClass kind = m_engine->ParseToken(text + at, size - at, &length);
        if (length == 0 || length > size - at) length = 1;
        const unsigned start = at;
        at += length;
        if (kind == asTC_WHITESPACE || kind == asTC_COMMENT) continue;
        const char c = length == 1 ? text[start] : 0;
        if (c == '(' || c == '[' || c == '{') {
            if (open.size() >= kMaxNesting)
                return refuse(start, "brackets nest deeper than " + std::to_string(kMaxNesting));
            open.push_back(c);
            if (c == '{') {
                elses.push_back(0);
                statementTokens = 0;
            }
            continue;
        }
        if (c == ')' || c == ']' || c == '}') {
            if (!open.empty()) {
                if (open.back() == '{' && elses.size() > 1) elses.pop_back();
                open.pop_back();
            }
            if (c == '}') statementTokens = 0;
            continue;
        }
        if (c == ';' && (open.empty() || open.back() == '{')) {
            statementTokens = 0;
            continue;
        }
        if (++statementTokens > kMaxStatementTokens)
            return refuse(start,
                          "a statement runs longer than " + std::to_string(kMaxStatementTokens) + " tokens");
        if (length == 4 && std::memcmp(text + start, "else", 4) == 0 && ++elses.back() > kMaxElsePerBlock)
            return refuse(start, "a block holds more than " + std::to_string(kMaxElsePerBlock) + " else");
    }
    return true;
}

GF_SCRIPT_CALLS CScriptEngine::~CScriptEngine() {
    if (m_engine) m_engine->ShutDownAndRelease();
    if (m_hge) m_hge->Release();
}

void CScriptEngine::Log(const char* section, int row, int column, asEMsgType type, const char* message) {
    if (!m_hge) return;
    const char* level = type == asMSGTYPE_WARNING       ? "WARN "
                        : type == asMSGTYPE_INFORMATION ? "INFO "
                                                        : "ERR ";
    m_hge->System_Log("ANGELSCRIPT: %s (%d, %d) | %s | %s\n", section ? section : "", row, column, level,
                      message ? message : "");
}

GF_SCRIPT_CALLS void CScriptEngine::DiscardModule() {
    if (m_engine) {
        if (asIScriptModule* module = m_engine->GetModule(kModuleName, asGM_ONLY_IF_EXISTS))
            module->Discard();
    }
    m_hasModule = false;
}

GF_SCRIPT_CALLS bool CScriptEngine::Build(const char* text, unsigned size) {
    DiscardModule();
    if (!m_engine) return false;
    asIScriptModule* module = m_engine->GetModule(kModuleName, asGM_ALWAYS_CREATE);
    // The script library takes a length of 0 to mean "measure up to the terminator", which a loaded
    // block does not have, and refuses to build a module without code: an empty script is an empty
    // module, handed nothing.
    const bool empty = !text || size == 0;
    if (!empty && !CheckSource(text, size)) {
        DiscardModule();
        return false;
    }
    if (!module ||
        (!empty && (module->AddScriptSection(kModuleName, text, size, 0) < 0 || module->Build() < 0))) {
        DiscardModule();
        return false;
    }
    m_hasModule = true;
    return true;
}

GF_SCRIPT_CALLS bool CScriptEngine::LoadByteCode(CInputStream& in, std::optional<std::string_view> source) {
    DiscardModule();
    if (!m_engine) return false;
    std::vector<unsigned char> bytes;
    if (!TakeByteCodeBody(in, bytes, source)) return false;
    asIScriptModule* module = m_engine->GetModule(kModuleName, asGM_ALWAYS_CREATE);
    CMemoryInputStream body(std::move(bytes));
    CBinaryStreamHelp stream(&body);
    if (!module || module->LoadByteCode(&stream) < 0) {
        DiscardModule();
        return false;
    }
    m_hasModule = true;
    return true;
}

GF_SCRIPT_CALLS bool CScriptEngine::SaveByteCode(COutputStream& out, std::string_view source) {
    if (!m_engine || !m_hasModule) return false;
    asIScriptModule* module = m_engine->GetModule(kModuleName, asGM_ONLY_IF_EXISTS);
    CMemoryOutputStream body;
    CBinaryStreamHelp stream(nullptr, &body);
    if (!module || module->SaveByteCode(&stream) < 0) return false;
    const auto size = static_cast<unsigned>(body.data.size());
    const uint64_t sourceDigest = SourceDigest(source);
    unsigned char trailer[kTrailerSize];
    std::memcpy(trailer, kTrailerMagic, sizeof kTrailerMagic);
    PutBig(trailer + 4, size, 4);
    PutBig(trailer + 8, sourceDigest, 8);
    PutBig(trailer + 16, Check(sourceDigest, body.data.data(), size), 8);
    return out.Write(body.data.data(), size) == size && out.Write(trailer, kTrailerSize) == kTrailerSize &&
           !out.Failed();
}

GF_SCRIPT_CALLS bool CScriptEngine::Call(const char* declaration, void* object) {
    asIScriptModule* module =
        m_engine && m_hasModule ? m_engine->GetModule(kModuleName, asGM_ONLY_IF_EXISTS) : nullptr;
    asIScriptFunction* function = module ? module->GetFunctionByDecl(declaration) : nullptr;
    if (!function) {
        if (m_hge) m_hge->System_Log("Can't find script function \"%s\"", declaration);
        return false;
    }
    asIScriptContext* context = NewContext();
    if (!context) return false;
    // The globals first, on the same budget; the library logs a failed initialisation itself.
    if (module->ResetGlobalVars(context) < 0) {
        if (!m_stop.empty()) LogStop(context, m_stop.c_str());
        context->Release();
        return false;
    }
    bool ok = context->Prepare(function) >= 0 && context->SetArgObject(0, object) >= 0;
    const int result = ok ? context->Execute() : asERROR;
    // A stop in a nested call (an object's destructor) ends only that call: the run still counts as
    // stopped.
    const bool stopped = !m_stop.empty();
    if (result == asEXECUTION_ABORTED || (result == asEXECUTION_FINISHED && stopped))
        LogStop(context, m_stop.c_str());
    if (result == asEXECUTION_EXCEPTION) {
        const asIScriptFunction* where = context->GetExceptionFunction();
        int column = 0;
        const int row = context->GetExceptionLineNumber(&column);
        std::string message = context->GetExceptionString() ? context->GetExceptionString() : "";
        if (message == "Stack overflow")
            message += ": the script went past its bound of " + std::to_string(kMaxStackBytes) +
                       " bytes or " + std::to_string(kMaxCallDepth) + " nested calls";
        Log(where && where->GetScriptSectionName() ? where->GetScriptSectionName() : kModuleName, row, column,
            asMSGTYPE_ERROR, message.c_str());
    }
    context->Release();
    return result == asEXECUTION_FINISHED && !stopped;
}

}  // namespace HGENS
}  // namespace GF
