#pragma once
#include <angelscript.h>

#include <string>

#include "framework/core/RefCount.h"

namespace GF {
namespace HGENS {

// The resource script's `string`: a reference-counted text, so that names pass into the reader's
// methods by reference and literals are shared constants of the module.
class CScriptString : public CRefCount {
public:
    CScriptString() = default;
    explicit CScriptString(std::string text) : m_text(std::move(text)) {}

    std::string& Text() { return m_text; }
    const std::string& Text() const { return m_text; }

private:
    std::string m_text;
};

// Registers the type `string` with its literals, construction, assignment, concatenation,
// comparison and length, every call through the generic convention. False when the engine refused a
// part.
bool RegisterScriptString(asIScriptEngine* engine);

}  // namespace HGENS
}  // namespace GF
