#include "game/app/LibData.h"

#include <fstream>
#include <iterator>
#include <utility>

#include "framework/core/MemoryStreams.h"
#include "game/app/DataFormat.h"

CIngridientInfo& CLibData::FindIngridientInfo(const std::string& name) {
    return GetOrAdd(Ingridients, name, &CIngridientInfo::Name);
}

CFrameGridInfo& CLibData::GetFrameGrid(const std::string& name) {
    return GetOrAdd(FrameGrids, name, &CFrameGridInfo::Name);
}

CIngridientInfo* CLibData::FindIngridient(const std::string& name) {
    const auto it = Ingridients.find(name);
    return it == Ingridients.end() ? nullptr : &it->second;
}

const CIngridientInfo* CLibData::FindIngridient(const std::string& name) const {
    const auto it = Ingridients.find(name);
    return it == Ingridients.end() ? nullptr : &it->second;
}

CFrameGridInfo* CLibData::FindFrameGrid(const std::string& name) {
    const auto it = FrameGrids.find(name);
    return it == FrameGrids.end() ? nullptr : &it->second;
}

bool MatchesReceptItem(const CIngridientInfo& offered, const CReceptItemInfo& item, const CLibData& library) {
    if (offered.Kind == 0) return false;
    if (offered.Name == item.Name) return true;
    const CIngridientInfo* own = library.FindIngridient(item.Name);
    return own && !own->Title.empty() && own->Title == offered.Title;
}

bool ParseLibData(GF::CInputStream& in, CLibData& data, std::string& why) {
    return ReadRecord(in, data, why);
}

bool ReadLibDataFile(const std::string& file, CLibData& data, std::string& why) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        why = file + ": cannot be opened";
        return false;
    }
    GF::CMemoryInputStream stream(std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {}));
    if (!ParseLibData(stream, data, why)) {
        why = file + ": " + why;
        return false;
    }
    return true;
}

void WriteLibData(GF::COutputStream& out, const CLibData& data) {
    WriteRecord(out, data);
}
