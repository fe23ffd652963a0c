#pragma once
#include <algorithm>
#include <cstdint>
#include <string>
#include <type_traits>
#include <unordered_map>
#include <vector>

#include "framework/core/Point.h"
#include "framework/core/Stream.h"
#include "framework/core/WString.h"

// The encoding of the game's data files ("gamedata.bin", "levelsdata.bin", "libdata.bin" and the game's
// part of "Setting"). Every record lists its fields once, in file order, in a member template
//
//     template <class V> void Visit(V& v) { v.Int("number", number); v.List("dresses", dresses); ... }
//
// and three visitors walk that list: CBinaryReader, CBinaryWriter and the JSON reader of tools/datagen.
// The first argument of each operation is the member's name, the record's key in JSON.
//
//   Int      4-byte big-endian signed integer
//   Float    4-byte IEEE float, least significant byte first, bits unchanged
//   Flag     one byte, any non-zero is true; written as 1
//   Byte     one byte kept with its value
//   Ignored  one byte read and discarded, written as 0; absent from JSON
//   String   7-bit length, then the bytes
//   WString  7-bit length in UTF-16 units, then each unit high byte first (UTF-8 text in JSON)
//   Record   a nested record through its own Visit
//   List     4-byte big-endian count (never the 7-bit form), then the elements: int32_t, float, bool,
//            uint8_t, std::string, GF::WString, GF::TPoint<float> (x, y floats), CMarkedPoint, a nested
//            std::vector of these, or a record
//   Tree     a List of child records of the record's own type, nested at most maxDepth records deep
//            counting the root (a JSON array like List). A recursive record lists its children with
//            Tree rather than List so that the reader refuses a deep file before its recursion does.
//   Table    count, then records; each is stored under its own key member, a later duplicate winning
//   Map      count, then (key, value) pairs, key first; a later duplicate wins
//
// Writers put Table and Map entries in ascending key order, so the bytes depend only on the contents.
// The reader checks each count against the bytes left before it reserves or loops, and the memory its
// elements take, all lists of the file together, against kMostListBytes; it stops at the first fault
// with the stream marked failed; callers then refuse the whole file.

// A point stored after one byte that is read and ignored (written as 0): nine bytes in all.
struct CMarkedPoint : GF::TPoint<float> {
    constexpr CMarkedPoint() = default;
    constexpr CMarkedPoint(float px, float py) : GF::TPoint<float>(px, py) {}
};

// Counts the smallest encoded size of a record: every list empty, every string empty.
class CEncodedSize {
public:
    void Int(const char*, const int32_t&) { bytes += 4; }
    void Float(const char*, const float&) { bytes += 4; }
    void Flag(const char*, const bool&) { bytes += 1; }
    void Byte(const char*, const uint8_t&) { bytes += 1; }
    void Ignored() { bytes += 1; }
    void String(const char*, const std::string&) { bytes += 1; }
    void WString(const char*, const GF::WString&) { bytes += 1; }
    template <class R>
    void Record(const char*, R& record) {
        record.Visit(*this);
    }
    template <class T>
    void List(const char*, const std::vector<T>&) {
        bytes += 4;
    }
    template <class R>
    void Tree(const char*, const std::vector<R>&, int) {
        bytes += 4;
    }
    template <class K, class R>
    void Table(const char*, const std::unordered_map<K, R>&, K R::*) {
        bytes += 4;
    }
    template <class K, class T>
    void Map(const char*, const std::unordered_map<K, T>&) {
        bytes += 4;
    }

    uint64_t bytes = 0;
};

template <class T>
concept DataRecord = std::is_class_v<T> && requires(T& t, CEncodedSize& v) {
    t.Visit(v);
};

// The fewest bytes one element of type T takes in a file (at least 1, so that a count of records is
// always bounded by the bytes left).
template <class T>
uint64_t MinEncodedSize() {
    if constexpr (std::is_same_v<T, int32_t> || std::is_same_v<T, float>) {
        return 4;
    } else if constexpr (std::is_same_v<T, bool> || std::is_same_v<T, uint8_t> ||
                         std::is_same_v<T, std::string> || std::is_same_v<T, GF::WString>) {
        return 1;
    } else if constexpr (std::is_same_v<T, CMarkedPoint>) {
        return 9;
    } else if constexpr (std::is_same_v<T, GF::TPoint<float>>) {
        return 8;
    } else if constexpr (requires {
                             typename T::value_type;
                             typename T::allocator_type;
                         }) {
        return 4;  // a nested list: its count
    } else {
        static_assert(DataRecord<T>, "not an element of the data files");
        static const uint64_t size = [] {
            T record{};
            CEncodedSize counter;
            record.Visit(counter);
            return std::max<uint64_t>(counter.bytes, 1);
        }();
        return size;
    }
}

// Reads a record from the binary form. After the first fault (a short read, a count larger than the
// bytes left could hold, a tree nested too deep) every further operation does nothing, the stream is
// failed and Where() names the field: "flowRules[2].conditions[0].expression: the file ends early".
class CBinaryReader {
public:
    // The memory the lists of one file may take, counted by their elements' sizes. An element of a
    // byte in the file (an empty name) takes dozens in memory; the game's largest file takes a few
    // megabytes read.
    static constexpr uint64_t kMostListBytes = uint64_t{32} << 20;

    explicit CBinaryReader(GF::CInputStream& in) : m_in(in) {}

    bool Ok() const { return !m_in.Failed(); }
    std::string Where() const;

    void Int(const char* key, int32_t& value) {
        Primitive(key, [&] { GF::ReadInt32BE(m_in, value); });
    }
    void Float(const char* key, float& value) {
        Primitive(key, [&] { GF::ReadFloatLE(m_in, value); });
    }
    void Flag(const char* key, bool& value);
    void Byte(const char* key, uint8_t& value) {
        Primitive(key, [&] { GF::ReadByte(m_in, value); });
    }
    void Ignored();
    void String(const char* key, std::string& text) {
        Primitive(key, [&] { GF::ReadString(m_in, text); });
    }
    void WString(const char* key, GF::WString& text) {
        Primitive(key, [&] { GF::ReadWString(m_in, text); });
    }

    template <class R>
    void Record(const char* key, R& record) {
        Primitive(key, [&] { record.Visit(*this); });
    }

    template <class T>
    void List(const char* key, std::vector<T>& list) {
        Primitive(key, [&] { ReadList(list); });
    }

    template <class R>
    void Tree(const char* key, std::vector<R>& children, int maxDepth) {
        Primitive(key, [&] {
            uint32_t count = 0;
            if (!Count(count, MinEncodedSize<R>(), sizeof(R))) return;
            // The record that owns these children lies at depth m_treeDepth + 1 (the root is 1).
            if (count > 0 && m_treeDepth + 2 > maxDepth) {
                Fail("nested deeper than " + std::to_string(maxDepth));
                return;
            }
            ++m_treeDepth;
            ReadElements(children, count);
            --m_treeDepth;
        });
    }

    template <class K, class R>
    void Table(const char* key, std::unordered_map<K, R>& table, K R::*keyMember) {
        Primitive(key, [&] {
            uint32_t count = 0;
            if (!Count(count, MinEncodedSize<R>(), kNodeBytes + sizeof(K) + sizeof(R))) return;
            table.clear();
            table.reserve(count);
            for (uint32_t i = 0; i < count; ++i) {
                R record{};
                record.Visit(*this);
                if (!Ok()) return NoteIndex(i);
                K name = record.*keyMember;
                table.insert_or_assign(std::move(name), std::move(record));
            }
        });
    }

    template <class K, class T>
    void Map(const char* key, std::unordered_map<K, T>& map) {
        Primitive(key, [&] {
            uint32_t count = 0;
            if (!Count(count, MinEncodedSize<K>() + MinEncodedSize<T>(), kNodeBytes + sizeof(K) + sizeof(T)))
                return;
            map.clear();
            map.reserve(count);
            for (uint32_t i = 0; i < count; ++i) {
                K name{};
                T value{};
                Element(name);
                Element(value);
                if (!Ok()) return NoteIndex(i);
                map.insert_or_assign(std::move(name), std::move(value));
            }
        });
    }

private:
    // Runs one field's read and, when this read is where the fault happened, notes the field's name.
    template <class F>
    void Primitive(const char* key, F&& read) {
        if (!Ok()) return;
        read();
        if (!Ok()) NoteKey(key);
    }
    // A hash table's entry beside its key and value: the node's link and hash, the bucket's pointer.
    static constexpr uint64_t kNodeBytes = 3 * sizeof(void*);
    // Reads a count of elements of elementSize bytes at least in the file and elementMemory bytes
    // in memory.
    bool Count(uint32_t& count, uint64_t elementSize, uint64_t elementMemory);
    void Fail(const std::string& reason);
    void NoteKey(const char* key);
    void NoteIndex(uint32_t index);
    void Prepend(std::string step);

    template <class T>
    void ReadList(std::vector<T>& list) {
        uint32_t count = 0;
        if (!Count(count, MinEncodedSize<T>(), sizeof(T))) return;
        ReadElements(list, count);
    }
    void ReadList(std::vector<bool>& list);

    template <class T>
    void ReadElements(std::vector<T>& list, uint32_t count) {
        list.clear();
        list.resize(count);
        for (uint32_t i = 0; i < count; ++i) {
            Element(list[i]);
            if (!Ok()) return NoteIndex(i);
        }
    }

    void Element(int32_t& value) { GF::ReadInt32BE(m_in, value); }
    void Element(float& value) { GF::ReadFloatLE(m_in, value); }
    void Element(bool& value) { Flag(nullptr, value); }
    void Element(uint8_t& value) { GF::ReadByte(m_in, value); }
    void Element(std::string& text) { GF::ReadString(m_in, text); }
    void Element(GF::WString& text) { GF::ReadWString(m_in, text); }
    void Element(GF::TPoint<float>& point);
    void Element(CMarkedPoint& point);
    template <class T>
    void Element(std::vector<T>& list) {
        ReadList(list);
    }
    template <DataRecord R>
    void Element(R& record) {
        record.Visit(*this);
    }

    GF::CInputStream& m_in;
    int m_treeDepth = 0;
    uint64_t m_listBytes = 0;
    std::string m_reason;
    std::string m_path;
};

// Writes a record in the binary form. Visit takes its record by reference, so the writer's entry
// points take const records and hand them on unchanged.
class CBinaryWriter {
public:
    explicit CBinaryWriter(GF::COutputStream& out) : m_out(out) {}

    void Int(const char*, const int32_t& value) { GF::WriteInt32BE(m_out, value); }
    void Float(const char*, const float& value) { GF::WriteFloatLE(m_out, value); }
    void Flag(const char*, const bool& value) { GF::WriteByte(m_out, value ? 1 : 0); }
    void Byte(const char*, const uint8_t& value) { GF::WriteByte(m_out, value); }
    void Ignored() { GF::WriteByte(m_out, 0); }
    void String(const char*, const std::string& text) { GF::WriteString(m_out, text); }
    void WString(const char*, const GF::WString& text) { GF::WriteWString(m_out, text); }

    template <class R>
    void Record(const char*, const R& record) {
        const_cast<R&>(record).Visit(*this);
    }

    template <class T>
    void List(const char*, const std::vector<T>& list) {
        Count(list.size());
        for (const auto& element : list) Element(static_cast<const T&>(element));
    }

    template <class R>
    void Tree(const char* key, const std::vector<R>& children, int) {
        List(key, children);
    }

    template <class K, class R>
    void Table(const char*, const std::unordered_map<K, R>& table, K R::*) {
        Count(table.size());
        for (const auto* entry : Sorted(table)) Record(nullptr, entry->second);
    }

    template <class K, class T>
    void Map(const char*, const std::unordered_map<K, T>& map) {
        Count(map.size());
        for (const auto* entry : Sorted(map)) {
            Element(entry->first);
            Element(entry->second);
        }
    }

private:
    void Count(size_t count) { GF::WriteUInt32BE(m_out, static_cast<uint32_t>(count)); }

    template <class K, class T>
    static std::vector<const typename std::unordered_map<K, T>::value_type*> Sorted(
        const std::unordered_map<K, T>& map) {
        std::vector<const typename std::unordered_map<K, T>::value_type*> entries;
        entries.reserve(map.size());
        for (const auto& entry : map) entries.push_back(&entry);
        std::sort(entries.begin(), entries.end(),
                  [](const auto* a, const auto* b) { return a->first < b->first; });
        return entries;
    }

    void Element(const int32_t& value) { Int(nullptr, value); }
    void Element(const float& value) { Float(nullptr, value); }
    void Element(const bool& value) { Flag(nullptr, value); }
    void Element(const uint8_t& value) { Byte(nullptr, value); }
    void Element(const std::string& text) { String(nullptr, text); }
    void Element(const GF::WString& text) { WString(nullptr, text); }
    void Element(const GF::TPoint<float>& point) {
        Float(nullptr, point.x);
        Float(nullptr, point.y);
    }
    void Element(const CMarkedPoint& point) {
        Ignored();
        Element(static_cast<const GF::TPoint<float>&>(point));
    }
    template <class T>
    void Element(const std::vector<T>& list) {
        List(nullptr, list);
    }
    template <DataRecord R>
    void Element(const R& record) {
        Record(nullptr, record);
    }

    GF::COutputStream& m_out;
};

// Whole-record entry points. ReadRecord reads into a fresh record and moves it into `record` only when
// everything read; otherwise `record` is left as it was and `why` names the field and the fault.
template <class R>
bool ReadRecord(GF::CInputStream& in, R& record, std::string& why) {
    R fresh{};
    CBinaryReader reader(in);
    fresh.Visit(reader);
    if (!reader.Ok()) {
        why = reader.Where();
        return false;
    }
    record = std::move(fresh);
    return true;
}

template <class R>
void WriteRecord(GF::COutputStream& out, const R& record) {
    CBinaryWriter writer(out);
    writer.Record(nullptr, record);
}
