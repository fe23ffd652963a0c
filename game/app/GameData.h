#pragma once
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "framework/core/Holder.h"
#include "framework/core/Stream.h"
#include "game/app/DataFormat.h"
#include "game/app/PlayerStore.h"

// The game database: everything about the game that is not a level or a recipe, read from
// "gamedata.bin" (fourteen sections, in the order of CGameData::Visit) at start-up and again on
// "reloadgamedata". Game code reads the members directly.

// The longest path of nodes an expression tree may have, root included; the evaluator relies on it.
constexpr int kMaxExpressionDepth = 32;

struct CSoundKeyInfo {
    std::string name;  // the sound resource to play
    int32_t key = 0;   // the key by which the game asks for it

    template <class V>
    void Visit(V& v) {
        v.String("name", name);
        v.Int("key", key);
    }
    bool operator==(const CSoundKeyInfo&) const = default;
};

// The heroine.
struct CPersParams {
    std::vector<int32_t> dresses;  // appearance number by dress index
    int32_t persLayer = 0;         // the heroine's layer (the dressing room's too)
    float homeWalkDelay = 0.0f;    // idle ms before she walks back to the serving point
    int32_t waitInterval = 0;      // idle ms before her waiting sound

    template <class V>
    void Visit(V& v) {
        v.List("dresses", dresses);
        v.Int("persLayer", persLayer);
        v.Float("homeWalkDelay", homeWalkDelay);
        v.Int("waitInterval", waitInterval);
    }
    bool operator==(const CPersParams&) const = default;
};

// The level fields. Times in ms.
struct CFieldParams {
    float showTime = 0.0f;  // objects appear in this (a level intro takes four times it)
    int32_t value2 = 0;     // the particle layer (ingredient-fly and highlight actions)
    int32_t value3 = 0;
    int32_t value4 = 0;
    int32_t slideTime = 0;       // the recipe panel's slide
    float blinkPause = 0.0f;     // added to a random 0..2999 ms before the heroine blinks
    int32_t mouseRestDelay = 0;  // the hover delay
    int32_t balloonLayer = 0;
    float fogInterval = 0.0f;
    float idleHintDelay = 0.0f;
    float glowTime = 0.0f;
    float flyTime = 0.0f;  // fly time of a taken object

    template <class V>
    void Visit(V& v) {
        v.Float("showTime", showTime);
        v.Int("value2", value2);
        v.Int("value3", value3);
        v.Int("value4", value4);
        v.Int("slideTime", slideTime);
        v.Float("blinkPause", blinkPause);
        v.Int("mouseRestDelay", mouseRestDelay);
        v.Int("balloonLayer", balloonLayer);
        v.Float("fogInterval", fogInterval);
        v.Float("idleHintDelay", idleHintDelay);
        v.Float("glowTime", glowTime);
        v.Float("flyTime", flyTime);
    }
    bool operator==(const CFieldParams&) const = default;
};

// One row of the take-combo table: a series length and its value.
struct CSeriesEntry {
    int32_t length = 0;
    float value = 0.0f;

    template <class V>
    void Visit(V& v) {
        v.Int("length", length);
        v.Float("value", value);
    }
    bool operator==(const CSeriesEntry&) const = default;
};

// Global factors and bonus numbers. stepTime and the four factors are live: every level start sets
// them to 60.0 and 1.0, and the bonuses change them while they run.
struct CBonusParams {
    float stepTime = 0.0f;             // ms per grid step of the heroine
    float seriesWindow = 0.0f;         // the take-combo window, ms
    std::vector<CSeriesEntry> series;  // the take-combo table
    float clockFactor = 0.0f;
    float qualityFactor = 0.0f;
    float cookFactor = 0.0f;  // the cooking-time factor: multiplies every device work time
    float patienceFactor = 0.0f;
    float lightHintCharge = 0.0f;
    float idleHighlightDelay = 0.0f;
    float objectReturnTime = 0.0f;

    template <class V>
    void Visit(V& v) {
        v.Float("stepTime", stepTime);
        v.Float("seriesWindow", seriesWindow);
        v.List("series", series);
        v.Float("clockFactor", clockFactor);
        v.Float("qualityFactor", qualityFactor);
        v.Float("cookFactor", cookFactor);
        v.Float("patienceFactor", patienceFactor);
        v.Float("lightHintCharge", lightHintCharge);
        v.Float("idleHighlightDelay", idleHighlightDelay);
        v.Float("objectReturnTime", objectReturnTime);
    }
    bool operator==(const CBonusParams&) const = default;
};

// Orders, the recipe panel and the order signs.
struct CZacazParams {
    int32_t clickLimitX = 0;
    int32_t value2 = 0;  // the hand-over show time, ms
    float columnX = 0.0f;
    float firstRowY = 0.0f;
    float rowStep = 0.0f;
    float openStep = 0.0f;
    int32_t customersAtOnce = 0;
    int32_t arrivalInterval = 0;
    float signX = 0.0f;
    float signY = 0.0f;
    float bonusTabOffset = 0.0f;
    int32_t value12 = 0;
    float tabOffset = 0.0f;
    float value14 = 0.0f;
    float scrollTime = 0.0f;
    int32_t iconSize = 0;
    int32_t iconColour = 0;  // ARGB
    int32_t inactiveColour = 0;
    int32_t readyColour = 0;
    int32_t workingColour = 0;

    template <class V>
    void Visit(V& v) {
        v.Int("clickLimitX", clickLimitX);
        v.Int("value2", value2);
        v.Float("columnX", columnX);
        v.Float("firstRowY", firstRowY);
        v.Float("rowStep", rowStep);
        v.Float("openStep", openStep);
        v.Int("customersAtOnce", customersAtOnce);
        v.Int("arrivalInterval", arrivalInterval);
        v.Float("signX", signX);
        v.Float("signY", signY);
        v.Float("bonusTabOffset", bonusTabOffset);
        v.Int("value12", value12);
        v.Float("tabOffset", tabOffset);
        v.Float("value14", value14);
        v.Float("scrollTime", scrollTime);
        v.Int("iconSize", iconSize);
        v.Int("iconColour", iconColour);
        v.Int("inactiveColour", inactiveColour);
        v.Int("readyColour", readyColour);
        v.Int("workingColour", workingColour);
    }
    bool operator==(const CZacazParams&) const = default;
};

// The tournament rivals' panel.
struct CRivalParams {
    std::vector<int32_t> list;
    float value1 = 0.0f;
    float value2 = 0.0f;        // spacing between neighbouring ribbons
    float value3 = 0.0f;        // x of the centre of the panel's row
    float value4 = 0.0f;        // y of the panel's row
    float stepInterval = 0.0f;  // ms of a portrait's glide to its new ribbon

    template <class V>
    void Visit(V& v) {
        v.List("list", list);
        v.Float("value1", value1);
        v.Float("value2", value2);
        v.Float("value3", value3);
        v.Float("value4", value4);
        v.Float("stepInterval", stepInterval);
    }
    bool operator==(const CRivalParams&) const = default;
};

// An in-game hint. Its index in CGameData::hints is its identity in the player profile.
struct CHintInfo {
    int32_t id = 0;        // index of the hint that follows when this one is finished; -1 none
    std::string name;      // key of the hint's text
    bool flag = false;     // answers only a request with the same flag
    int32_t trigger = 0;   // the trigger number it answers
    bool flag2 = false;    // false: a speech balloon; true: the hint screen
    int32_t maxShows = 0;  // times one player may be shown it; -1 no limit
    bool flag3 = false;    // balloon plays once and the hint ends with it
    std::string text;      // the balloon's animation, or the hint screen's layout

    template <class V>
    void Visit(V& v) {
        v.Int("id", id);
        v.String("name", name);
        v.Flag("flag", flag);
        v.Int("trigger", trigger);
        v.Flag("flag2", flag2);
        v.Int("maxShows", maxShows);
        v.Flag("flag3", flag3);
        v.String("text", text);
    }
    bool operator==(const CHintInfo&) const = default;
};

struct CDeformGridFrame {
    int32_t a = 0;
    int32_t b = 0;
    float time = 0.0f;
    std::vector<std::vector<CMarkedPoint>> rows;

    template <class V>
    void Visit(V& v) {
        v.Int("a", a);
        v.Int("b", b);
        v.Float("time", time);
        v.List("rows", rows);
    }
    bool operator==(const CDeformGridFrame&) const = default;
};

// A grid deformation, keyed by the name of the object it deforms ("map").
struct CDeformGridRecord {
    std::string name;
    std::vector<CDeformGridFrame> frames;

    template <class V>
    void Visit(V& v) {
        v.String("name", name);
        v.List("frames", frames);
    }
    bool operator==(const CDeformGridRecord&) const = default;
};

// A named point list for effects and flying objects.
struct CFlyPathRecord {
    std::string name;
    std::vector<CMarkedPoint> points;

    template <class V>
    void Visit(V& v) {
        v.String("name", name);
        v.List("points", points);
    }
    bool operator==(const CFlyPathRecord&) const = default;
};

// A node of a flow expression; a tree at most kMaxExpressionDepth nodes deep.
struct CExpressionNode {
    int32_t valueType = 0;  // 1 number, otherwise string
    std::string text;       // string constant
    int32_t kind = 0;       // 1 constant, 2 game variable, others operations
    float number = 0.0f;    // number constant
    int32_t variable = 0;   // game-variable id
    std::vector<CExpressionNode> children;

    template <class V>
    void Visit(V& v) {
        v.Int("valueType", valueType);
        v.String("text", text);
        v.Int("kind", kind);
        v.Float("number", number);
        v.Int("variable", variable);
        v.Tree("children", children, kMaxExpressionDepth);
    }
    bool operator==(const CExpressionNode&) const = default;
};

// A flow rule's condition or action: one layout. A root without children carries no expression and
// the operand fields are used instead.
struct CFlowCondition {
    CExpressionNode expression;
    int32_t variable = 0;  // game-variable id
    int32_t operation = 0;
    int32_t valueType = 0;  // 1 number, otherwise string
    float number = 0.0f;
    std::string text;

    template <class V>
    void Visit(V& v) {
        v.Record("expression", expression);
        v.Int("variable", variable);
        v.Int("operation", operation);
        v.Int("valueType", valueType);
        v.Float("number", number);
        v.String("text", text);
    }
    bool operator==(const CFlowCondition&) const = default;
};
using CFlowAction = CFlowCondition;

struct CFlowRule {
    bool enabled = false;
    std::string screen;
    std::string event;
    std::string argument;
    std::string target;
    bool effectSet = false;
    std::string effect;
    bool switchKind = false;
    std::string switchName;
    bool switchFlag = false;
    std::vector<CFlowCondition> conditions;
    std::vector<CFlowAction> actions;

    template <class V>
    void Visit(V& v) {
        v.Flag("enabled", enabled);
        v.String("screen", screen);
        v.String("event", event);
        v.String("argument", argument);
        v.String("target", target);
        v.Flag("effectSet", effectSet);
        v.String("effect", effect);
        v.Flag("switchKind", switchKind);
        v.String("switchName", switchName);
        v.Flag("switchFlag", switchFlag);
        v.List("conditions", conditions);
        v.List("actions", actions);
    }
    bool operator==(const CFlowRule&) const = default;
};

struct CNamedExpression {
    CExpressionNode root;
    std::string name;

    template <class V>
    void Visit(V& v) {
        v.Record("root", root);
        v.String("name", name);
    }
    bool operator==(const CNamedExpression&) const = default;
};

struct CGameData {
    std::unordered_map<int32_t, CSoundKeyInfo> sounds;  // by sound key
    float bookPageTime = 0.0f;                          // the page-turn time, ms
    CPersParams persParams;
    CFieldParams fieldParams;
    CBonusParams bonusParams;
    CZacazParams zacazParams;
    // The screen layer, the overlay base layer and the window shades' base layer: every result and
    // career screen's layout lies on it.
    int32_t overlayLayer = 0;
    float statisticsOffset = 0.0f;  // the ribbon spacing of the stage statistics
    int32_t helpValue = 0;          // the help page count
    CRivalParams rivalParams;
    std::vector<CHintInfo> hints;
    std::unordered_map<std::string, CDeformGridRecord> deformGrids;  // the deformation records
    std::unordered_map<std::string, CFlyPathRecord> flyPaths;        // the named point lists
    CPlayerStore players;              // the default store; loading the settings replaces it
    std::vector<CFlowRule> flowRules;  // in the order the rules are tried
    std::unordered_map<std::string, CNamedExpression> expressions;

    template <class V>
    void Visit(V& v) {
        v.Table("sounds", sounds, &CSoundKeyInfo::key);
        v.Float("bookPageTime", bookPageTime);
        v.Record("persParams", persParams);
        v.Record("fieldParams", fieldParams);
        v.Record("bonusParams", bonusParams);
        v.Record("zacazParams", zacazParams);
        v.Int("overlayLayer", overlayLayer);
        v.Float("statisticsOffset", statisticsOffset);
        v.Int("helpValue", helpValue);
        v.Record("rivalParams", rivalParams);
        v.List("hints", hints);
        v.Table("deformGrids", deformGrids, &CDeformGridRecord::name);
        v.Table("flyPaths", flyPaths, &CFlyPathRecord::name);
        v.Record("players", players);
        v.List("flowRules", flowRules);
        v.Table("expressions", expressions, &CNamedExpression::name);
    }
    bool operator==(const CGameData&) const = default;
};

// Reads the fourteen sections into `data`. A file that ends inside a section, holds a count its bytes
// cannot hold or an expression nested too deep is refused: false, `why` names the field, and `data`
// is left as it was. Bytes after the last section are ignored.
bool ParseGameData(GF::CInputStream& in, CGameData& data, std::string& why);
void WriteGameData(GF::COutputStream& out, const CGameData& data);

// The one game database.
CGameData& GetGameData();
// Reads "gamedata.bin" from the open stream into the database. On refusal logs "gamedata.bin: " and
// the reason and answers false, the database unchanged.
bool ReadGameData(GF::THolder<GF::IDataInputStream> stream);
