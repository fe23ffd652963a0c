#pragma once
#include <charconv>
#include <map>
#include <nlohmann/json.hpp>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "framework/core/WString.h"
#include "game/app/DataFormat.h"

// The readable form of the game's data records: one JSON object per record, keyed by the members'
// names; a left-out field keeps the record's default. Lists and tables are arrays, maps objects (an
// integer key in decimal), points [x, y] arrays, wide strings UTF-8. One record may be read from
// several files in turn: their top-level arrays and maps join, any other top-level field may be given
// in one file only. The first unknown key or wrong type stops the reading and Error() names the file
// and the JSON path ("tuning.json: /persParams/dresses/1: expected an integer").
class CJsonReader {
public:
    using Json = nlohmann::json;

    // `given` remembers, across the files of one record, which top-level single fields a file gave.
    CJsonReader(std::string file, std::map<std::string, std::string>& given)
        : m_file(std::move(file)), m_given(given) {}

    template <class R>
    bool ReadTop(const Json& root, R& record) {
        ReadObject(root, "", record, true);
        return Ok();
    }
    bool Ok() const { return m_error.empty(); }
    const std::string& Error() const { return m_error; }

    void Int(const char* key, int32_t& value) { Field(key, false, value); }
    void Float(const char* key, float& value) { Field(key, false, value); }
    void Flag(const char* key, bool& value) { Field(key, false, value); }
    void Byte(const char* key, uint8_t& value) { Field(key, false, value); }
    void Ignored() {}
    void String(const char* key, std::string& text) { Field(key, false, text); }
    void WString(const char* key, GF::WString& text) { Field(key, false, text); }
    template <class R>
    void Record(const char* key, R& record) {
        Field(key, false, record);
    }
    template <class T>
    void List(const char* key, std::vector<T>& list) {
        Field(key, true, list);
    }
    template <class R>
    void Tree(const char* key, std::vector<R>& children, int) {
        Field(key, true, children);
    }
    template <class K, class R>
    void Table(const char* key, std::unordered_map<K, R>& table, K R::*keyMember) {
        const Json* array = Find(key, true);
        if (!array) return;
        const std::string path = m_frames.back().path + "/" + key;
        if (!array->is_array()) return Fail(path, "expected an array");
        for (size_t i = 0; i < array->size() && Ok(); ++i) {
            R record{};
            ReadObject((*array)[i], path + "/" + std::to_string(i), record, false);
            if (Ok()) {
                K name = record.*keyMember;
                table.insert_or_assign(std::move(name), std::move(record));
            }
        }
    }
    template <class K, class T>
    void Map(const char* key, std::unordered_map<K, T>& map) {
        Field(key, true, map);
    }

private:
    struct CFrame {
        const Json* object;
        std::string path;
        std::set<std::string> used;
        bool top;
    };

    void Fail(const std::string& path, const std::string& message) {
        if (Ok()) m_error = m_file + ": " + (path.empty() ? "/" : path) + ": " + message;
    }

    // The member's JSON value, or null when the file leaves it out.
    const Json* Find(const char* key, bool joins) {
        if (!Ok()) return nullptr;
        CFrame& frame = m_frames.back();
        const auto it = frame.object->find(key);
        if (it == frame.object->end()) return nullptr;
        frame.used.insert(key);
        if (frame.top && !joins) {
            const auto [earlier, fresh] = m_given.emplace(key, m_file);
            if (!fresh) {
                Fail("/" + std::string(key), "given once already, in " + earlier->second);
                return nullptr;
            }
        }
        return &*it;
    }

    template <class T>
    void Field(const char* key, bool joins, T& value) {
        const Json* json = Find(key, joins);
        if (json) Element(*json, m_frames.back().path + "/" + key, value);
    }

    template <class R>
    void ReadObject(const Json& json, const std::string& path, R& record, bool top) {
        if (!json.is_object()) return Fail(path, "expected an object");
        m_frames.push_back({&json, path, {}, top});
        record.Visit(*this);
        for (const auto& item : json.items()) {
            if (!m_frames.back().used.count(item.key())) Fail(path + "/" + item.key(), "unknown key");
        }
        m_frames.pop_back();
    }

    void Element(const Json& json, const std::string& path, int32_t& value) {
        // ARGB colours may be written unsigned; they keep their 32 bits.
        if (!json.is_number_integer() || json.get<int64_t>() < INT32_MIN || json.get<int64_t>() > UINT32_MAX)
            return Fail(path, "expected a 32-bit integer");
        value = static_cast<int32_t>(static_cast<uint32_t>(json.get<int64_t>()));
    }
    void Element(const Json& json, const std::string& path, float& value) {
        if (!json.is_number()) return Fail(path, "expected a number");
        value = json.get<float>();
    }
    void Element(const Json& json, const std::string& path, bool& value) {
        if (!json.is_boolean()) return Fail(path, "expected true or false");
        value = json.get<bool>();
    }
    void Element(const Json& json, const std::string& path, uint8_t& value) {
        if (!json.is_number_integer() || json.get<int64_t>() < 0 || json.get<int64_t>() > 255)
            return Fail(path, "expected a byte, 0 to 255");
        value = static_cast<uint8_t>(json.get<int64_t>());
    }
    void Element(const Json& json, const std::string& path, std::string& text) {
        if (!json.is_string()) return Fail(path, "expected a string");
        text = json.get<std::string>();
    }
    void Element(const Json& json, const std::string& path, GF::WString& text) {
        if (!json.is_string()) return Fail(path, "expected a string");
        text = GF::Utf8ToUtf16(json.get<std::string>());
    }
    void Element(const Json& json, const std::string& path, GF::TPoint<float>& point) {
        if (!(json.is_array() && json.size() == 2 && json[0].is_number() && json[1].is_number()))
            return Fail(path, "expected a point [x, y]");
        point = {json[0].get<float>(), json[1].get<float>()};
    }
    void Element(const Json& json, const std::string& path, CMarkedPoint& point) {
        Element(json, path, static_cast<GF::TPoint<float>&>(point));
    }
    template <class T>
    void Element(const Json& json, const std::string& path, std::vector<T>& list) {
        if (!json.is_array()) return Fail(path, "expected an array");
        for (size_t i = 0; i < json.size() && Ok(); ++i) {
            T element{};
            Element(json[i], path + "/" + std::to_string(i), element);
            list.push_back(std::move(element));
        }
    }
    template <class K, class T>
    void Element(const Json& json, const std::string& path, std::unordered_map<K, T>& map) {
        if (!json.is_object()) return Fail(path, "expected an object");
        for (const auto& item : json.items()) {
            const std::string itemPath = path + "/" + item.key();
            K name{};
            T value{};
            Key(item.key(), itemPath, name);
            if (Ok()) Element(item.value(), itemPath, value);
            if (!Ok()) return;
            map.insert_or_assign(std::move(name), std::move(value));
        }
    }
    template <DataRecord R>
    void Element(const Json& json, const std::string& path, R& record) {
        ReadObject(json, path, record, false);
    }

    void Key(const std::string& text, const std::string&, std::string& key) { key = text; }
    void Key(const std::string& text, const std::string&, GF::WString& key) { key = GF::Utf8ToUtf16(text); }
    void Key(const std::string& text, const std::string& path, int32_t& key) {
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), key);
        if (error != std::errc() || end != text.data() + text.size() || text.empty())
            Fail(path, "expected an integer key");
    }

    std::string m_file;
    std::map<std::string, std::string>& m_given;
    std::vector<CFrame> m_frames;
    std::string m_error;
};
