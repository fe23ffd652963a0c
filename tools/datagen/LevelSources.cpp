#include "tools/datagen/LevelSources.h"

#include <filesystem>
#include <map>
#include <set>
#include <sstream>

#include "game/app/LevelsData.h"
#include "game/app/LibData.h"
#include "game/kitchen/WalkFloor.h"
#include "tools/ResourceScript.h"

namespace {

using Json = nlohmann::json;

// The names of a table in ascending order, so that the first fault reported is the same every time.
template <class K, class R>
std::map<K, const R*> ByKey(const std::unordered_map<K, R>& table) {
    std::map<K, const R*> sorted;
    for (const auto& [key, record] : table) sorted.emplace(key, &record);
    return sorted;
}

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

bool CheckLibrary(const CLibData& library, std::string& why) {
    for (const auto& [name, object] : ByKey(library.Ingridients)) {
        const CCellMaskInfo& mask = object->Mask;
        const int64_t cells = int64_t{mask.Value1} * mask.Value4;
        if (!mask.Cells.empty() &&
            (mask.Value1 < 0 || mask.Value4 < 0 || int64_t(mask.Cells.size()) != cells)) {
            why = "library object " + Quoted(object->Name) + ": a mask of " +
                  std::to_string(mask.Cells.size()) +
                  " cells, not Value1 x Value4 = " + std::to_string(cells);
            return false;
        }
    }
    return true;
}

// The field kinds a bonus level names instead of a stage; the hidden-object ones walk a floor.
const std::set<std::string> kFieldKinds = {"bonus_diference", "bonus_place_in", "bonus_ispy",
                                           "bonus_ispy_dark"};
const std::set<std::string> kFloorFieldKinds = {"bonus_ispy", "bonus_ispy_dark"};
constexpr int32_t kPlayerSlot = 6;
constexpr int32_t kSlots = 8;
constexpr int32_t kGridSide = 16;

// Order kinds that are not customers (a run of entries to shuffle opens and closes), and the bonus
// customer, who shows no face.
constexpr int32_t kRunOpens = 1, kRunCloses = 2, kBonusCustomer = 100;

bool RunMark(const COrderInfo& order) {
    return order.Kind == kRunOpens || order.Kind == kRunCloses;
}

// Whether one of the placed objects gives the recipe item: the object the item names, or, for an
// item cooked on a device, any device of the same title (the kitchen serves those as one).
bool KitchenGives(const CLibData& library, const CLevelInfo& level, const CReceptItemInfo& item) {
    const CIngridientInfo& wanted = library.Ingridients.at(item.Name);
    for (const CPlacedObjectInfo& object : level.Objects) {
        if (object.Name == item.Name) return true;
        const CIngridientInfo& placed = library.Ingridients.at(object.Name);
        if (wanted.Kind != 0 && placed.Kind != 0 && !wanted.Title.empty() && placed.Title == wanted.Title)
            return true;
    }
    return false;
}

// A customer whose recipe the kitchen can't make is never served; one without patience (a bonus
// customer) then keeps the level from ever ending.
std::string CheckOrdersCanBeMade(const CLevelsData& data, const CLibData& library, const CLevelInfo& level) {
    for (size_t i = 0; i < level.Orders.size(); ++i) {
        const COrderInfo& order = level.Orders[i];
        if (RunMark(order)) continue;
        for (const CReceptItemInfo& item : data.Recepts.at(order.Recept).Items) {
            if (!KitchenGives(library, level, item))
                return "order " + std::to_string(i) + " asks for the recipe " + Quoted(order.Recept) +
                       ", whose item " + Quoted(item.Name) + " the kitchen lacks";
        }
    }
    return {};
}

// Whether a customer can send the heroine to the object: a device, or what a recipe names.
bool SendsHer(const CLevelsData& data, const CIngridientInfo& object) {
    if (object.Kind != 0) return true;
    for (const auto& [name, recept] : data.Recepts)
        for (const CReceptItemInfo& item : recept.Items)
            if (item.Name == object.Name) return true;
    return false;
}

std::string Cell(GF::TPoint<int> cell) {
    return "(" + std::to_string(cell.x) + ", " + std::to_string(cell.y) + ")";
}

// The sample heroine's figure is 224 pixels tall (content/Animation, Heroine); the game takes her height
// as drawn where she stands, so her walk cell for a device is tried at her smallest and largest.
constexpr float kFigureHeight = 224.0f;

// She walks to a device over the walk grid and back to her home cell; a walk cell that is blocked, or
// that the wave from home does not reach (or the other way round), leaves her standing where she is.
std::string CheckWalks(const CLevelsData& data, const CLibData& library, const CLevelInfo& level) {
    const std::vector<GF::TPoint<float>>& corners = level.FloorQuad;
    const CFloorQuad quad{corners[0], corners[1], corners[2], corners[3]};
    const GF::TPoint<int> home{level.ScorePoint.X, level.ScorePoint.Y};
    CWalkGrid blank;
    blank.Load(level.WalkGrid.begin());
    if (blank.At(home.x, home.y) != 0) return "the home cell " + Cell(home) + " is blocked";
    for (const CPlacedObjectInfo& object : level.Objects) {
        if (!SendsHer(data, library.Ingridients.at(object.Name))) continue;
        const GF::TPoint<float> at{object.X, object.Y};
        for (const float scale : {DepthScaleAt(quad, quad.farLeft), DepthScaleAt(quad, quad.nearLeft)}) {
            const GF::TPoint<float> aim = DeviceWalkCell(quad, at, kFigureHeight * scale, object.Name);
            const GF::TPoint<int> cell = blank.Target(aim.x, aim.y);
            const std::string where = "the object " + Quoted(object.Name) + " at (" +
                                      std::to_string(static_cast<int>(object.X)) + ", " +
                                      std::to_string(static_cast<int>(object.Y)) + ")";
            if (blank.At(cell.x, cell.y) != 0)
                return where + " can't be reached: its walk cell " + Cell(cell) + " is blocked";
            CWalkGrid there = blank, back = blank;
            there.FillWave(cell.x, cell.y);
            back.FillWave(home.x, home.y);
            if (there.At(home.x, home.y) < 2 || back.At(cell.x, cell.y) < 2)
                return where + " can't be reached from the home cell " + Cell(home) + ": its walk cell " +
                       Cell(cell) + " is cut off";
        }
    }
    return {};
}

// A customer's face and a placed object's picture are animations of the resource script; without
// them the sign shows no face and the kitchen no object (the game logs the missing animation).
std::string CheckPictures(const std::set<std::string>& animations, const CLevelInfo& level) {
    for (size_t i = 0; i < level.Orders.size(); ++i) {
        const COrderInfo& order = level.Orders[i];
        if (RunMark(order) || order.Kind == kBonusCustomer) continue;
        const std::string face = "interfaces.judge_" + std::to_string(order.Portrait);
        if (!animations.count(face))
            return "order " + std::to_string(i) + " shows the portrait " + std::to_string(order.Portrait) +
                   ", but the resource script has no " + Quoted(face);
    }
    for (const CPlacedObjectInfo& object : level.Objects) {
        if (!animations.count(object.Name))
            return "the placed object " + Quoted(object.Name) + " has no animation in the resource script";
    }
    return {};
}

// The longest clock a level may run, and the longest a customer may wait: a kitchen closes when its
// clock runs out and ends when its last customer has gone, so an endless clock or patience, or a
// customer the kitchen can't serve or send away, keeps the level running for ever.
constexpr float kLongestLevelMs = 60.0f * 60.0f * 1000.0f;
constexpr int32_t kLongestWaitSeconds = 60 * 60;
constexpr int32_t kPlayersDuelCustomer = 101, kRivalsDuelCustomer = 102;
const std::set<int32_t> kCustomerKinds = {0, 3, 4, kBonusCustomer, kPlayersDuelCustomer, kRivalsDuelCustomer};

std::string Number(float value) {
    std::ostringstream text;
    text << value;
    return text.str();
}

std::string CheckLevelEnds(const CLevelInfo& level, bool kitchen) {
    if (!(level.Duration >= 0.0f && level.Duration <= kLongestLevelMs))
        return "a Duration of " + Number(level.Duration) + " ms never runs out; give 0 to " +
               std::to_string(static_cast<int>(kLongestLevelMs)) + " ms";
    if (!kitchen) return {};
    // A duel ends when either cook has served the last of their customers, who never leave: it has
    // both cooks' customers and no others.
    bool ordinary = false, players = false, rivals = false;
    for (const COrderInfo& order : level.Orders) {
        if (RunMark(order)) continue;
        players = players || order.Kind == kPlayersDuelCustomer;
        rivals = rivals || order.Kind == kRivalsDuelCustomer;
        ordinary = ordinary || (order.Kind != kPlayersDuelCustomer && order.Kind != kRivalsDuelCustomer);
    }
    const bool duel = players && rivals && !ordinary;
    for (size_t i = 0; i < level.Orders.size(); ++i) {
        const COrderInfo& order = level.Orders[i];
        if (RunMark(order)) continue;
        const std::string which = "order " + std::to_string(i);
        const bool duelKind = order.Kind == kPlayersDuelCustomer || order.Kind == kRivalsDuelCustomer;
        if (!kCustomerKinds.count(order.Kind) || (duelKind && !duel))
            return which + " is a customer of kind " + std::to_string(order.Kind) +
                   ", which the kitchen doesn't know (0, 3, 4 and 100; 101 and 102 in a duel of both alone)";
        for (const auto& [name, seconds] : {std::pair{"WaitSeconds", order.WaitSeconds},
                                            std::pair{"PatienceSeconds", order.PatienceSeconds}})
            if (seconds < 0 || seconds > kLongestWaitSeconds)
                return which + " has " + name + " " + std::to_string(seconds) + ", not 0 to " +
                       std::to_string(kLongestWaitSeconds) + ": the customer would never leave";
    }
    return {};
}

// A rival that aims beyond what the level's customers pay can't be beaten: every order of the list
// served once, its customer content (10 points) and tipping in full (the recipe's Tips, else half a
// point an item).
constexpr float kContentPoints = 10.0f;

std::string CheckRivalsReach(const CLevelsData& data, const CLevelInfo& level) {
    float most = 0.0f;
    for (const COrderInfo& order : level.Orders) {
        if (RunMark(order)) continue;
        const CReceptInfo& recept = data.Recepts.at(order.Recept);
        most += kContentPoints + (recept.Tips != 0 ? static_cast<float>(recept.Tips)
                                                   : 0.5f * static_cast<float>(recept.Items.size()));
    }
    const CLevelValuePair* best = nullptr;
    for (const CLevelValuePair& rival : level.ProgressValues)
        if (!best || rival.Value > best->Value) best = &rival;
    if (!best || static_cast<float>(best->Value) < most) return {};
    return "the rival " + std::to_string(best->Slot) + " aims at " + std::to_string(best->Value) +
           " points, but serving every order the level offers brings at most " + Number(most);
}

std::string CheckLevel(const CLevelsData& data, const CLibData& library,
                       const std::set<std::string>& animations, const CLevelInfo& level) {
    const bool onStage = data.Stages().count(level.StageName) != 0;
    if (!level.StageName.empty() && !onStage && !kFieldKinds.count(level.StageName))
        return "StageName " + Quoted(level.StageName) + " is neither a stage nor a field kind";
    for (size_t i = 0; i < level.Orders.size(); ++i) {
        const COrderInfo& order = level.Orders[i];
        if (!RunMark(order) && !data.Recepts.count(order.Recept))
            return "order " + std::to_string(i) + " names the unknown recipe " + Quoted(order.Recept);
    }
    for (size_t i = 0; i < level.Bonuses.size(); ++i) {
        if (!data.Bonuses.count(level.Bonuses[i].BonusId))
            return "bonus entry " + std::to_string(i) + " names the unknown bonus kind " +
                   std::to_string(level.Bonuses[i].BonusId);
    }
    for (const CPlacedObjectInfo& object : level.Objects) {
        if (!library.Ingridients.count(object.Name))
            return "the placed object " + Quoted(object.Name) + " is not in the library";
    }
    if (std::string fault = CheckOrdersCanBeMade(data, library, level); !fault.empty()) return fault;
    if (onStage || kFieldKinds.count(level.StageName)) {
        if (std::string fault = CheckLevelEnds(level, onStage); !fault.empty()) return fault;
    }
    if (onStage) {
        if (std::string fault = CheckRivalsReach(data, level); !fault.empty()) return fault;
    }
    if (onStage || kFloorFieldKinds.count(level.StageName)) {
        if (level.WalkGrid.size() != size_t{kGridSide * kGridSide})
            return "a walk grid of " + std::to_string(level.WalkGrid.size()) + " flags, not 256";
        if (level.FloorQuad.size() < 4) return "fewer than four floor points";
        const CLevelPointInfo& home = level.ScorePoint;
        if (home.X < 0 || home.X >= kGridSide || home.Y < 0 || home.Y >= kGridSide)
            return "ScorePoint (" + std::to_string(home.X) + ", " + std::to_string(home.Y) +
                   ") is off the grid";
        if (std::string fault = CheckWalks(data, library, level); !fault.empty()) return fault;
    }
    for (const CLevelValuePair& pair : level.ProgressValues) {
        if (pair.Slot < 0 || pair.Slot >= kSlots || pair.Slot == kPlayerSlot)
            return "ProgressValues names participant " + std::to_string(pair.Slot) +
                   ", not a rival (0 to 7, not 6)";
    }
    return CheckPictures(animations, level);
}

bool CheckLevels(const CLevelsData& data, const CLibData& library, const std::set<std::string>& animations,
                 std::string& why) {
    for (const auto& [name, recept] : ByKey(data.Recepts)) {
        for (const CReceptItemInfo& item : recept->Items) {
            if (!library.Ingridients.count(item.Name)) {
                why = "recipe " + Quoted(recept->Name) + ": the item " + Quoted(item.Name) +
                      " is not in the library";
                return false;
            }
        }
    }
    // Every level at fault is named, one a line, so that one run lists all that must change.
    std::string faults;
    for (const auto& [name, level] : ByKey(data.Levels)) {
        const std::string fault = CheckLevel(data, library, animations, *level);
        if (fault.empty()) continue;
        faults += (faults.empty() ? "level " : "\ndatagen: level ") + Quoted(level->Name) + ": " + fault;
    }
    if (!faults.empty()) {
        why = faults;
        return false;
    }
    const auto columns = static_cast<int32_t>(data.CookBookValues.size());
    for (const CCookBookEntry& entry : data.CookBook) {
        for (const CCookBookItem& item : entry.Items) {
            if (item.ValueIndex < 0 || item.ValueIndex > columns) {
                why = "cook book entry " + Quoted(entry.Name) + ": ValueIndex " +
                      std::to_string(item.ValueIndex) + " is outside 0 to " + std::to_string(columns);
                return false;
            }
        }
    }
    return true;
}

// A walk grid drawn as 16 strings becomes its 256 flags; any other form is left to the reader.
bool ExpandWalkGrid(Json& level, const std::string& path, std::string& why) {
    const auto grid = level.find("WalkGrid");
    if (grid == level.end() || !grid->is_array() || grid->empty() || !(*grid)[0].is_string()) return true;
    std::vector<bool> flags(kGridSide * kGridSide);
    bool drawn = grid->size() == size_t{kGridSide};
    for (size_t y = 0; drawn && y < grid->size(); ++y) {
        const Json& row = (*grid)[y];
        drawn = row.is_string() && row.get<std::string>().size() == size_t{kGridSide};
        for (size_t x = 0; drawn && x < size_t{kGridSide}; ++x) {
            const char cell = row.get<std::string>()[x];
            drawn = cell == '#' || cell == '.';
            flags[kGridSide * x + y] = cell == '#';
        }
    }
    if (!drawn) {
        why = path + "/WalkGrid: expected 16 strings of 16 '#' or '.'";
        return false;
    }
    *grid = flags;
    return true;
}

// Resolves "base" and drawn walk grids in one file's levels; `levels` holds every level read so far.
bool PrepareLevels(const std::string& file, Json& json, std::map<std::string, Json>& levels,
                   std::string& why) {
    if (!json.is_object() || !json.contains("Levels") || !json["Levels"].is_array()) return true;
    Json& list = json["Levels"];
    for (size_t i = 0; i < list.size(); ++i) {
        const std::string path = file + ": /Levels/" + std::to_string(i);
        Json& level = list[i];
        if (!level.is_object()) continue;  // the reader names it
        if (!ExpandWalkGrid(level, path, why)) return false;
        if (const auto base = level.find("base"); base != level.end()) {
            const auto earlier = base->is_string() ? levels.find(base->get<std::string>()) : levels.end();
            if (earlier == levels.end()) {
                why = path + "/base: no earlier level " + base->dump();
                return false;
            }
            if (!level.contains("Name")) {
                why = path + ": a level made from a base needs its own Name";
                return false;
            }
            Json merged = earlier->second;
            for (const auto& item : level.items()) {
                if (item.key() != "base") merged[item.key()] = item.value();
            }
            level = std::move(merged);
        }
        if (level.contains("Name") && level["Name"].is_string())
            levels[level["Name"].get<std::string>()] = level;
    }
    return true;
}

// The level file's sections as datagen reads them: the stages come as a list in file order.
struct CLevelsSource {
    CLevelsData data;
    std::vector<CStageInfo> stages;

    template <class V>
    void Visit(V& v) {
        VisitLevelsFile(v, data, stages);
    }
};

}  // namespace

bool BuildLibData(const std::vector<std::string>& files, Bytes& bytes, std::string& why) {
    CLibData library;
    return ReadSources(files, library, why) && CheckLibrary(library, why) &&
           WriteChecked(library, &ParseLibData, &WriteLibData, bytes, why);
}

bool BuildLevelsData(const std::vector<std::string>& files, Bytes& bytes, std::string& why) {
    std::vector<std::string> sources, libraries, scripts;
    for (const std::string& file : files) {
        const std::filesystem::path extension = std::filesystem::path(file).extension();
        (extension == ".bin" ? libraries : extension == ".as" ? scripts : sources).push_back(file);
    }
    if (libraries.size() != 1 || scripts.size() != 1) {
        why =
            "levelsdata checks against one built libdata.bin and one resource script (.as) among its "
            "files, given " +
            std::to_string(libraries.size()) + " and " + std::to_string(scripts.size());
        return false;
    }
    CLibData library;
    if (!ReadLibDataFile(libraries[0], library, why)) return false;
    const GF::THolder<GF::HGENS::CResource> tables = RunResourceScript(scripts[0], why);
    if (!tables) return false;
    std::set<std::string> animations;
    for (const std::string& module : tables->GetModuleNames())
        for (const std::string& name : tables->GetAnimationDataNames(module))
            animations.insert(module + "." + name);

    CLevelsSource source;
    std::map<std::string, Json> levels;
    const TPrepareJson prepare = [&levels](const std::string& file, Json& json, std::string& fault) {
        return PrepareLevels(file, json, levels, fault);
    };
    if (!ReadSources(sources, source, why, prepare)) return false;
    for (const CStageInfo& stage : source.stages) source.data.PutStage(stage);
    return CheckLevels(source.data, library, animations, why) &&
           WriteChecked(source.data, &ParseLevelsData, &WriteLevelsData, bytes, why);
}
