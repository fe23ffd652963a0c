#pragma once
// What the level data and library fuzz targets hold their file's parser to, beyond the sanitizers:
// an accepted input, written and read again, writes the same bytes; a refused one leaves the tables
// that were there as they were.
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "framework/core/MemoryStreams.h"
#include "fuzz/FuzzCheck.h"

template <class T>
std::vector<unsigned char> WrittenTables(const T& tables, void (*write)(GF::COutputStream&, const T&)) {
    GF::CMemoryOutputStream out;
    write(out, tables);
    return out.data;
}

// `held` is what the tables held before the input came. Answers whether the input was accepted, and
// then leaves the tables read from it in `accepted` when one is given.
template <class T>
bool CheckTablesRoundTrip(const uint8_t* data, size_t size, const T& held,
                          bool (*parse)(GF::CInputStream&, T&, std::string&),
                          void (*write)(GF::COutputStream&, const T&), T* accepted = nullptr) {
    static const std::vector<unsigned char> heldBytes = WrittenTables(held, write);
    T tables = held;
    GF::CMemoryInputStream in(std::vector<unsigned char>(data, data + size));
    std::string why;
    if (!parse(in, tables, why)) {
        FUZZ_CHECK(!why.empty());
        FUZZ_CHECK(WrittenTables(tables, write) == heldBytes);
        return false;
    }
    const std::vector<unsigned char> written = WrittenTables(tables, write);
    GF::CMemoryInputStream again(written);
    T back;
    FUZZ_CHECK(parse(again, back, why));
    FUZZ_CHECK(WrittenTables(back, write) == written);
    if (accepted) *accepted = std::move(tables);
    return true;
}
