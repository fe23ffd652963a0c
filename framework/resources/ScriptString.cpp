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

// Native calls. Each new or longer text is charged to the script's budget first; when the budget
// refuses it, the script has been stopped and an empty string stands in for the result.
CScriptString* Factory() {
    CScriptEngine::Charge(Cost(0));
    return NewString();
}
CScriptString* CopyFactory(const CScriptString& other) {
    return CScriptEngine::Charge(Cost(other.Text().size())) ? NewString(other.Text()) : NewString();
}
void AddRef(CScriptString* self) {
    self->AddRef();
}
void Release(CScriptString* self) {
    self->Release();
}
CScriptString& Assign(const CScriptString& other, CScriptString* self) {
    if (CScriptEngine::Charge(other.Text().size())) self->Text() = other.Text();
    return *self;
}
CScriptString& AddAssign(const CScriptString& other, CScriptString* self) {
    if (CScriptEngine::Charge(self->Text().size() + other.Text().size())) self->Text() += other.Text();
    return *self;
}
CScriptString* Add(const CScriptString& other, const CScriptString* self) {
    if (!CScriptEngine::Charge(Cost(self->Text().size() + other.Text().size()))) return NewString();
    return NewString(self->Text() + other.Text());
}
bool Equals(const CScriptString& other, const CScriptString* self) {
    return self->Text() == other.Text();
}
asUINT Length(const CScriptString* self) {
    return static_cast<asUINT>(self->Text().size());
}

// The same through the generic convention.
GF_SCRIPT_CALLS CScriptString* Self(asIScriptGeneric* gen) {
    return static_cast<CScriptString*>(gen->GetObject());
}
GF_SCRIPT_CALLS const CScriptString& Arg(asIScriptGeneric* gen) {
    return *static_cast<const CScriptString*>(gen->GetArgAddress(0));
}

GF_SCRIPT_CALLS void FactoryGeneric(asIScriptGeneric* gen) {
    gen->SetReturnAddress(Factory());
}
GF_SCRIPT_CALLS void CopyFactoryGeneric(asIScriptGeneric* gen) {
    gen->SetReturnAddress(CopyFactory(Arg(gen)));
}
GF_SCRIPT_CALLS void AddRefGeneric(asIScriptGeneric* gen) {
    AddRef(Self(gen));
}
GF_SCRIPT_CALLS void ReleaseGeneric(asIScriptGeneric* gen) {
    Release(Self(gen));
}
GF_SCRIPT_CALLS void AssignGeneric(asIScriptGeneric* gen) {
    gen->SetReturnAddress(&Assign(Arg(gen), Self(gen)));
}
GF_SCRIPT_CALLS void AddAssignGeneric(asIScriptGeneric* gen) {
    gen->SetReturnAddress(&AddAssign(Arg(gen), Self(gen)));
}
GF_SCRIPT_CALLS void AddGeneric(asIScriptGeneric* gen) {
    gen->SetReturnAddress(Add(Arg(gen), Self(gen)));
}
GF_SCRIPT_CALLS void EqualsGeneric(asIScriptGeneric* gen) {
    gen->SetReturnByte(Equals(Arg(gen), Self(gen)) ? 1 : 0);
}
GF_SCRIPT_CALLS void LengthGeneric(asIScriptGeneric* gen) {
    gen->SetReturnDWord(Length(Self(gen)));
}

}  // namespace

GF_SCRIPT_CALLS bool RegisterScriptString(asIScriptEngine* engine, bool generic) {
    if (!engine) return false;
    struct Entry {
        int behaviour;  // -1: a method
        const char* declaration;
        asSFuncPtr native;
        asDWORD convention;
        asSFuncPtr portable;
    };
    const Entry entries[] = {
        {asBEHAVE_FACTORY, "string@ f()", asFUNCTION(Factory), asCALL_CDECL, asFUNCTION(FactoryGeneric)},
        {asBEHAVE_FACTORY, "string@ f(const string&in)", asFUNCTION(CopyFactory), asCALL_CDECL,
         asFUNCTION(CopyFactoryGeneric)},
        {asBEHAVE_ADDREF, "void f()", asFUNCTION(AddRef), asCALL_CDECL_OBJLAST, asFUNCTION(AddRefGeneric)},
        {asBEHAVE_RELEASE, "void f()", asFUNCTION(Release), asCALL_CDECL_OBJLAST, asFUNCTION(ReleaseGeneric)},
        {-1, "string& opAssign(const string&in)", asFUNCTION(Assign), asCALL_CDECL_OBJLAST,
         asFUNCTION(AssignGeneric)},
        {-1, "string& opAddAssign(const string&in)", asFUNCTION(AddAssign), asCALL_CDECL_OBJLAST,
         asFUNCTION(AddAssignGeneric)},
        {-1, "string@ opAdd(const string&in) const", asFUNCTION(Add), asCALL_CDECL_OBJLAST,
         asFUNCTION(AddGeneric)},
        {-1, "bool opEquals(const string&in) const", asFUNCTION(Equals), asCALL_CDECL_OBJLAST,
         asFUNCTION(EqualsGeneric)},
        {-1, "uint length() const", asFUNCTION(Length), asCALL_CDECL_OBJLAST, asFUNCTION(LengthGeneric)},
    };

    bool ok = engine->RegisterObjectType("string", 0, asOBJ_REF) >= 0;
    for (const Entry& entry : entries) {
        const asSFuncPtr& function = generic ? entry.portable : entry.native;
        const asDWORD convention = generic ? asDWORD(asCALL_GENERIC) : entry.convention;
        const int result =
            entry.behaviour < 0
                ? engine->RegisterObjectMethod("string", entry.declaration, function, convention)
                : engine->RegisterObjectBehaviour("string", static_cast<asEBehaviours>(entry.behaviour),
                                                  entry.declaration, function, convention);
        ok = ok && result >= 0;
    }
    return engine->RegisterStringFactory("string", &g_constants) >= 0 && ok;
}

}  // namespace HGENS
}  // namespace GF
