#include "framework/resources/ScriptEngine.h"

#include <cstring>

#include "framework/resources/ScriptString.h"

namespace GF {
namespace HGENS {

namespace {

void MessageCallback(const asSMessageInfo* message, void* param) {
    if (!message || !param) return;
    static_cast<CScriptEngine*>(param)->Log(message->section, message->row, message->col, message->type,
                                            message->message);
}

}  // namespace

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
    if (!module || module->AddScriptSection(kModuleName, text ? text : "", text ? size : 0, 0) < 0 ||
        module->Build() < 0) {
        DiscardModule();
        return false;
    }
    m_hasModule = true;
    return true;
}

GF_SCRIPT_CALLS bool CScriptEngine::LoadByteCode(CInputStream& in) {
    DiscardModule();
    if (!m_engine) return false;
    asIScriptModule* module = m_engine->GetModule(kModuleName, asGM_ALWAYS_CREATE);
    CBinaryStreamHelp stream(&in);
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
    CBinaryStreamHelp stream(nullptr, &out);
    return module && module->SaveByteCode(&stream) >= 0 && !out.Failed();
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
