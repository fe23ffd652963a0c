#include "framework/resources/ScriptEngine.h"

#include <cstdint>
#include <cstring>
#include <vector>

#include "framework/core/MemoryStreams.h"
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
// (32-bit, high byte first) and their 64-bit FNV-1a hash (high byte first). The library trusts the
// byte code it loads and stops the program on a damaged file, so only bytes that match their
// trailer are handed to it.
constexpr unsigned char kTrailerMagic[4] = {'Q', 'B', 'C', '1'};
constexpr unsigned kTrailerSize = 16;

uint64_t Fnv1a(const unsigned char* bytes, std::size_t size) {
    uint64_t hash = 14695981039346656037ull;
    for (std::size_t i = 0; i < size; ++i) {
        hash ^= bytes[i];
        hash *= 1099511628211ull;
    }
    return hash;
}

void MakeTrailer(const std::vector<unsigned char>& body, unsigned char (&trailer)[kTrailerSize]) {
    std::memcpy(trailer, kTrailerMagic, sizeof kTrailerMagic);
    const auto length = static_cast<uint32_t>(body.size());
    for (int i = 0; i < 4; ++i) trailer[4 + i] = static_cast<unsigned char>(length >> (24 - 8 * i));
    const uint64_t hash = Fnv1a(body.data(), body.size());
    for (int i = 0; i < 8; ++i) trailer[8 + i] = static_cast<unsigned char>(hash >> (56 - 8 * i));
}

}  // namespace

bool TakeByteCodeBody(CInputStream& in, std::vector<unsigned char>& body) {
    const unsigned size = in.Remaining();
    if (size < kTrailerSize) return false;
    body.resize(size);
    if (in.Read(body.data(), size) != size) return false;
    unsigned char found[kTrailerSize];
    std::memcpy(found, body.data() + size - kTrailerSize, kTrailerSize);
    body.resize(size - kTrailerSize);
    unsigned char expected[kTrailerSize];
    MakeTrailer(body, expected);
    return std::memcmp(found, expected, kTrailerSize) == 0;
}

bool ScriptNeedsGenericCalls() {
    return std::strstr(asGetLibraryOptions(), "AS_MAX_PORTABILITY") != nullptr;
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

GF_SCRIPT_CALLS CScriptEngine::CScriptEngine(bool generic)
    : m_hge(hgeCreate(HGE_VERSION)), m_generic(generic) {
    m_engine = asCreateScriptEngine(ANGELSCRIPT_VERSION);
    if (!m_engine) {
        if (m_hge) m_hge->System_Log("Can't create the script engine");
        return;
    }
    m_engine->SetMessageCallback(asFUNCTION(MessageCallback), this, asCALL_CDECL);
    RegisterScriptString(m_engine, m_generic);
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
    if (!module) return false;
    // The script library takes a length of 0 to mean "measure up to the terminator", which a loaded
    // block does not have, and refuses to build a module without code: an empty script is an empty
    // module, handed nothing.
    if (!text || size == 0) {
        m_hasModule = true;
        return true;
    }
    if (module->AddScriptSection(kModuleName, text, size, 0) < 0 || module->Build() < 0) {
        DiscardModule();
        return false;
    }
    m_hasModule = true;
    return true;
}

GF_SCRIPT_CALLS bool CScriptEngine::LoadByteCode(CInputStream& in) {
    DiscardModule();
    if (!m_engine) return false;
    std::vector<unsigned char> bytes;
    if (!TakeByteCodeBody(in, bytes)) return false;
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

GF_SCRIPT_CALLS bool CScriptEngine::SaveByteCode(COutputStream& out) {
    if (!m_engine || !m_hasModule) return false;
    asIScriptModule* module = m_engine->GetModule(kModuleName, asGM_ONLY_IF_EXISTS);
    CMemoryOutputStream body;
    CBinaryStreamHelp stream(nullptr, &body);
    if (!module || module->SaveByteCode(&stream) < 0) return false;
    unsigned char trailer[kTrailerSize];
    MakeTrailer(body.data, trailer);
    const auto size = static_cast<unsigned>(body.data.size());
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
    asIScriptContext* context = m_engine->CreateContext();
    if (!context) return false;
    bool ok = context->Prepare(function) >= 0 && context->SetArgObject(0, object) >= 0;
    const int result = ok ? context->Execute() : asERROR;
    if (result == asEXECUTION_EXCEPTION) {
        const asIScriptFunction* where = context->GetExceptionFunction();
        int column = 0;
        const int row = context->GetExceptionLineNumber(&column);
        Log(where && where->GetScriptSectionName() ? where->GetScriptSectionName() : kModuleName, row, column,
            asMSGTYPE_ERROR, context->GetExceptionString());
    }
    context->Release();
    return result == asEXECUTION_FINISHED;
}

}  // namespace HGENS
}  // namespace GF
