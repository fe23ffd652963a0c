#pragma once
#include <string>
#include <unordered_map>

#include "framework/core/Holder.h"
#include "framework/core/RefCount.h"
#include "framework/core/WString.h"

namespace GF {

// Named values shared by the framework and the game (options, the start-up level to test), held as
// wide text; integers are stored as their decimal text. Also the game picture's size.
class CGameProperties : public CRefCount {
public:
    int GetInt(const std::string& key) const;
    WString GetString(const std::string& key) const;
    void SetInt(const std::string& key, int value);
    // The stored value of the key, inserted empty when absent; the caller assigns to it.
    WString& SetString(const std::string& key);

    int m_screenWidth = 640;
    int m_screenHeight = 480;
    bool m_showDemo = false;  // screens show their layout's "_demo" child
    bool m_flag2 = true;      // kept for the game; the framework does not read it

private:
    std::unordered_map<std::string, WString> m_values;
};

THolder<CGameProperties> GetGameProperties();

}  // namespace GF
