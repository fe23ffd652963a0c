#pragma once
// The steps every kind of datagen shares: the JSON sources read into one record, and the record
// written with the game's own writer and parsed back with its own parser.
#include <functional>
#include <map>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "framework/core/MemoryStreams.h"
#include "tools/datagen/JsonReader.h"

using Bytes = std::vector<unsigned char>;

// Reads one JSON file, comments allowed.
bool ReadJsonFile(const std::string& file, nlohmann::json& json, std::string& why);

// Changes a file's JSON before it is read into the record (an authoring aid of one kind).
using TPrepareJson = std::function<bool(const std::string& file, nlohmann::json& json, std::string& why)>;

// Reads the files, in the order given, into `record`.
template <class R>
bool ReadSources(const std::vector<std::string>& files, R& record, std::string& why,
                 const TPrepareJson& prepare = {}) {
    std::map<std::string, std::string> given;
    for (const std::string& file : files) {
        nlohmann::json json;
        if (!ReadJsonFile(file, json, why)) return false;
        if (prepare && !prepare(file, json, why)) return false;
        CJsonReader reader(file, given);
        if (!reader.ReadTop(json, record)) {
            why = reader.Error();
            return false;
        }
    }
    return true;
}

// Writes the record and checks that the game's parser takes the bytes back and that they write again
// unchanged: a file the game would refuse is never written.
template <class R>
bool WriteChecked(const R& record, bool (*parse)(GF::CInputStream&, R&, std::string&),
                  void (*write)(GF::COutputStream&, const R&), Bytes& bytes, std::string& why) {
    GF::CMemoryOutputStream out;
    write(out, record);
    GF::CMemoryInputStream in(out.data);
    R back{};
    if (!parse(in, back, why)) {
        why = "the game refuses the result: " + why;
        return false;
    }
    GF::CMemoryOutputStream again;
    write(again, back);
    if (again.data != out.data) {
        why = "the result does not read back to the same bytes";
        return false;
    }
    bytes = std::move(out.data);
    return true;
}
