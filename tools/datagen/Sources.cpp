#include "tools/datagen/Sources.h"

#include <fstream>

bool ReadJsonFile(const std::string& file, nlohmann::json& json, std::string& why) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        why = file + ": cannot be opened";
        return false;
    }
    try {
        json = nlohmann::json::parse(in, nullptr, true, /*ignore_comments*/ true);
    } catch (const nlohmann::json::parse_error& error) {
        why = file + ": " + error.what();
        return false;
    }
    return true;
}
