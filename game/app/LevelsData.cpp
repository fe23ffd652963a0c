#include "game/app/LevelsData.h"

#include <utility>

#include "game/app/DataFormat.h"

void ClearReceptInfo(CReceptInfo& recept) {
    recept = CReceptInfo();
}

CLevelInfo* CLevelsData::FindLevel(const std::string& name) {
    const auto it = Levels.find(name);
    return it == Levels.end() ? nullptr : &it->second;
}

CLevelInfo& CLevelsData::GetLevel(const std::string& name) {
    return GetOrAdd(Levels, name, &CLevelInfo::Name);
}

CStageInfo* CLevelsData::FindStage(const std::string& name) {
    const auto it = m_stages.find(name);
    return it == m_stages.end() ? nullptr : &it->second;
}

CStageInfo& CLevelsData::GetStage(const std::string& name) {
    if (CStageInfo* stage = FindStage(name)) return *stage;
    m_stageOrder.push_back(name);
    return GetOrAdd(m_stages, name, &CStageInfo::Name);
}

CReceptInfo* CLevelsData::FindRecept(const std::string& name) {
    const auto it = Recepts.find(name);
    return it == Recepts.end() ? nullptr : &it->second;
}

CStageInfo& CLevelsData::PutStage(const CStageInfo& stage) {
    return GetStage(stage.Name) = stage;
}

bool ParseLevelsData(GF::CInputStream& in, CLevelsData& data, std::string& why) {
    CLevelsData fresh;
    std::vector<CStageInfo> stages;
    CBinaryReader reader(in);
    VisitLevelsFile(reader, fresh, stages);
    if (!reader.Ok()) {
        why = reader.Where();
        return false;
    }
    for (const CStageInfo& stage : stages) fresh.PutStage(stage);
    data = std::move(fresh);
    return true;
}

void WriteLevelsData(GF::COutputStream& out, const CLevelsData& data) {
    std::vector<CStageInfo> stages;
    stages.reserve(data.StageOrder().size());
    for (const std::string& name : data.StageOrder()) stages.push_back(data.Stages().at(name));
    CBinaryWriter writer(out);
    // The writer only reads what it is handed.
    VisitLevelsFile(writer, const_cast<CLevelsData&>(data), stages);
}
