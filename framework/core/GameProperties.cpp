#include "framework/core/GameProperties.h"

namespace GF {

int CGameProperties::GetInt(const std::string& key) const {
    auto it = m_values.find(key);
    return it == m_values.end() ? 0 : WStringToInt(it->second);
}

WString CGameProperties::GetString(const std::string& key) const {
    auto it = m_values.find(key);
    return it == m_values.end() ? WString() : it->second;
}

void CGameProperties::SetInt(const std::string& key, int value) {
    m_values[key] = IntToWString(value);
}

WString& CGameProperties::SetString(const std::string& key) {
    return m_values[key];
}

THolder<CGameProperties> GetGameProperties() {
    static THolder<CGameProperties> instance;
    if (!instance) instance = new CGameProperties;
    return instance;
}

}  // namespace GF
