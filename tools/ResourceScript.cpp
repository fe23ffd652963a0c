#include "tools/ResourceScript.h"

#include <fstream>
#include <iterator>

#include "framework/resources/ResourceReader.h"

GF::THolder<GF::HGENS::CResource> RunResourceScript(const std::string& file, std::string& why) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        why = file + ": cannot open";
        return {};
    }
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const GF::THolder<GF::HGENS::CResource> tables = GF::MakeHolder<GF::HGENS::CResource>();
    const GF::THolder<GF::HGENS::CResourceReader> reader(new GF::HGENS::CResourceReader(tables.Get()));
    if (!reader->Script().Build(text.data(), static_cast<unsigned>(text.size())) ||
        !reader->RunFillResource()) {
        why = file + ": the script does not build or run";
        return {};
    }
    return tables;
}
