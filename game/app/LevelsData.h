#pragma once
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "framework/core/Holder.h"
#include "framework/core/Stream.h"
#include "game/app/LevelRecords.h"

// The game's content beside the tuning data: bonus kinds, recipes, stages, levels and the cook book,
// filled from "levelsdata.bin". The level field, the orders, the player store and the screens read
// it. The keyed tables are hash maps, whose records never move when a key is added, so the pointers
// that a running level keeps into them stay valid while lookups add records; only a reload moves them.
class CLevelsData {
public:
    // Names a level to be tested at start-up; empty in the normal case.
    std::string TestLevelName;
    std::unordered_map<int32_t, CBonusInfo> Bonuses;
    std::unordered_map<std::string, CReceptInfo> Recepts;
    std::unordered_map<std::string, CLevelInfo> Levels;
    std::vector<CCookBookEntry> CookBook;
    std::vector<float> CookBookValues;

    // Find answers null for a name the tables lack; Get adds a default record under it first.
    CLevelInfo* FindLevel(const std::string& name);
    CLevelInfo& GetLevel(const std::string& name);
    CStageInfo* FindStage(const std::string& name);
    CStageInfo& GetStage(const std::string& name);
    CReceptInfo* FindRecept(const std::string& name);

    // The stages are kept with their names in file order, so that walks over the stage table (the
    // stage carousel, the name of a stage number) come out the same on every run. A stage added by
    // name goes to the end; a name given twice keeps its first place and the later record.
    const std::unordered_map<std::string, CStageInfo>& Stages() const { return m_stages; }
    const std::vector<std::string>& StageOrder() const { return m_stageOrder; }
    CStageInfo& PutStage(const CStageInfo& stage);

private:
    std::unordered_map<std::string, CStageInfo> m_stages;
    std::vector<std::string> m_stageOrder;
};

// The file's sections in order: the header, four keyed sections, the cook book and its values. The
// stages travel as a list, so that their file order is kept beside the table. For the binary visitors
// and the data tool.
template <class V>
void VisitLevelsFile(V& v, CLevelsData& data, std::vector<CStageInfo>& stages) {
    v.String("TestLevelName", data.TestLevelName);
    v.Table("Bonuses", data.Bonuses, &CBonusInfo::Kind);
    v.Table("Recepts", data.Recepts, &CReceptInfo::Name);
    v.List("Stages", stages);
    v.Table("Levels", data.Levels, &CLevelInfo::Name);
    v.List("CookBook", data.CookBook);
    v.List("CookBookValues", data.CookBookValues);
}

// The file's encoding, apart from the engine. Parse reads into a fresh object and moves it into `data`
// only when the whole file read; a file that is malformed or ends early leaves `data` as it was and
// `why` names the field. Write puts the stages in their order, the other tables in ascending key order.
bool ParseLevelsData(GF::CInputStream& in, CLevelsData& data, std::string& why);
void WriteLevelsData(GF::COutputStream& out, const CLevelsData& data);

// The one level data object of the program.
CLevelsData& GetLevelsData();
// Reads "levelsdata.bin" from the open stream into the level data. On refusal logs "levelsdata.bin: "
// and the reason, leaves the tables as they were and answers false.
bool ReadLevelsData(GF::THolder<GF::IDataInputStream> stream);
