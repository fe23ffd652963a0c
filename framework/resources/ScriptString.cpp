#include "framework/resources/ScriptString.h"

#include <cstddef>
#include <cstring>

#include "framework/resources/ScriptEngine.h"

namespace GF {
namespace HGENS {

namespace {

// A new string with the one reference the script takes over.
CScriptString* NewString(std::string text = {}) {
    auto* result = new CScriptString(std::move(text));
    result->AddRef();
    return result;
}

// Literals of a module: made once when the module is built or loaded, released with it.
class CStringConstants : public asIStringFactory {
public:
    const void* GetStringConstant(const char* data, asUINT length) override {
        return NewString(std::string(data, length));
    }
    int ReleaseStringConstant(const void* str) override {
        if (!str) return asERROR;
        const_cast<CScriptString*>(static_cast<const CScriptString*>(str))->Release();
        return asSUCCESS;
    }
    int GetRawStringData(const void* str, char* data, asUINT* length) const override {
        if (!str) return asERROR;
        const std::string& text = static_cast<const CScriptString*>(str)->Text();
        if (length) *length = static_cast<asUINT>(text.size());
        if (data && !text.empty()) std::memcpy(data, text.data(), text.size());
        return asSUCCESS;
    }
};

CStringConstants g_constants;

// What a string of `length` characters costs the script's budget of bytes.
std::size_t Cost(std::size_t length) {
    return sizeof(CScriptString) + length;
}

// The calls, all through the generic convention. Each new or longer text is charged to the script's
// budget first; when the budget refuses it, the script has been stopped and an empty string stands in
// for the result.
GF_SCRIPT_CALLS CScriptString* Self(asIScriptGeneric* gen) {
    return static_cast<CScriptString*>(gen->GetObject());
}
GF_SCRIPT_CALLS const CScriptString& Arg(asIScriptGeneric* gen) {
    return *static_cast<const CScriptString*>(gen->GetArgAddress(0));
}

GF_SCRIPT_CALLS void Factory(asIScriptGeneric* gen) {
    CScriptEngine::Charge(Cost(0));
    gen->SetReturnAddress(NewString());
}
GF_SCRIPT_CALLS void CopyFactory(asIScriptGeneric* gen) {
    const CScriptString& other = Arg(gen);
    gen->SetReturnAddress(CScriptEngine::Charge(Cost(other.Text().size())) ? NewString(other.Text())
                                                                           : NewString());
}
GF_SCRIPT_CALLS void AddRef(asIScriptGeneric* gen) {
    Self(gen)->AddRef();
}
GF_SCRIPT_CALLS void Release(asIScriptGeneric* gen) {
    Self(gen)->Release();
}
GF_SCRIPT_CALLS void Assign(asIScriptGeneric* gen) {
    CScriptString* self = Self(gen);
    const CScriptString& other = Arg(gen);
    if (CScriptEngine::Charge(other.Text().size())) self->Text() = other.Text();
    gen->SetReturnAddress(self);
}
GF_SCRIPT_CALLS void AddAssign(asIScriptGeneric* gen) {
    CScriptString* self = Self(gen);
    const CScriptString& other = Arg(gen);
    if (CScriptEngine::Charge(self->Text().size() + other.Text().size())) self->Text() += other.Text();
    gen->SetReturnAddress(self);
}
GF_SCRIPT_CALLS void Add(asIScriptGeneric* gen) {
    const std::string& left = Self(gen)->Text();
    const std::string& right = Arg(gen).Text();
    gen->SetReturnAddress(CScriptEngine::Charge(Cost(left.size() + right.size())) ? NewString(left + right)
                                                                                  : NewString());
}
GF_SCRIPT_CALLS void Equals(asIScriptGeneric* gen) {
    gen->SetReturnByte(Self(gen)->Text() == Arg(gen).Text() ? 1 : 0);
}
GF_SCRIPT_CALLS void Length(asIScriptGeneric* gen) {
    gen->SetReturnDWord(static_cast<asUINT>(Self(gen)->Text().size()));
}

}  // namespace

GF_SCRIPT_CALLS bool RegisterScriptString(asIScriptEngine* engine) {
    if (!engine) return false;
    struct Entry {
        int behaviour;  // -1: a method
        const char* declaration;
        asSFuncPtr function;
    };
    const Entry entries[] = {
        {asBEHAVE_FACTORY, "string@ f()", asFUNCTION(Factory)},
        {asBEHAVE_FACTORY, "string@ f(const string&in)", asFUNCTION(CopyFactory)},
        {asBEHAVE_ADDREF, "void f()", asFUNCTION(AddRef)},
        {asBEHAVE_RELEASE, "void f()", asFUNCTION(Release)},
        {-1, "string& opAssign(const string&in)", asFUNCTION(Assign)},
        {-1, "string& opAddAssign(const string&in)", asFUNCTION(AddAssign)},
        {-1, "string@ opAdd(const string&in) const", asFUNCTION(Add)},
        {-1, "bool opEquals(const string&in) const", asFUNCTION(Equals)},
        {-1, "uint length() const", asFUNCTION(Length)},
    };

    bool ok = engine->RegisterObjectType("string", 0, asOBJ_REF) >= 0;
    for (const Entry& entry : entries) {
        const int result =
            entry.behaviour < 0
                ? engine->RegisterObjectMethod("string", entry.declaration, entry.function, asCALL_GENERIC)
                : engine->RegisterObjectBehaviour("string", static_cast<asEBehaviours>(entry.behaviour),
                                                  entry.declaration, entry.function, asCALL_GENERIC);
        ok = ok && result >= 0;
    }
    return engine->RegisterStringFactory("string", &g_constants) >= 0 && ok;
}

}  // namespace HGENS
}  // namespace GF
