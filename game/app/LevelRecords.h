#pragma once
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "framework/core/Point.h"
#include "framework/core/WString.h"

// The record of a table keyed by one of its members, added with default values and that member set
// to the key when missing, so that the table writes and reads back the same. Records of an
// unordered_map never move, so what callers hold stays valid while records are added.
template <class K, class R>
R& GetOrAdd(std::unordered_map<K, R>& table, const K& key, K R::*keyMember) {
    const auto [it, added] = table.try_emplace(key);
    if (added) it->second.*keyMember = key;
    return it->second;
}

// The records of "levelsdata.bin". Each lists its fields once, in file order, for the binary reader,
// the binary writer and the data tool alike; the JSON keys are the member names.

// One bonus kind a customer can bring.
struct CBonusInfo {
    std::string Name;           // also the sound played when the bonus takes effect
    std::string AnimationName;  // made in the game scene when a customer brings the bonus
    float Duration = 0.0f;      // ms the bonus acts
    // The table key: 0 time freeze, 1 faster cooking, 2 stopped patience timers, 3 quality,
    // 4 highlight of the next ingredient, 5 a random bonus.
    int32_t Kind = 0;

    template <class V>
    void Visit(V& v) {
        v.String("Name", Name);
        v.String("AnimationName", AnimationName);
        v.Float("Duration", Duration);
        v.Int("Kind", Kind);
    }
};

// One item of a recipe, and of a library object's item list.
struct CReceptItemInfo {
    GF::WString Text;
    int32_t Value = 0;  // the work the item needs; 0: part of the dish, no work
    std::string Name;   // the item's object in the library table

    template <class V>
    void Visit(V& v) {
        v.WString("Text", Text);
        v.Int("Value", Value);
        v.String("Name", Name);
    }
};

// One recipe, found by orders and screens under Name.
struct CReceptInfo {
    std::string Id;
    GF::WString Caption;
    int32_t Value1 = 0;
    int32_t Value2 = 0;
    int32_t Tips = 0;  // a customer's tip; 0: worked out from the number of items
    std::string Picture;
    GF::WString Title;  // the display name on the duel statistics and new-recipe screens
    std::vector<int32_t> Numbers;
    std::string Name;
    int32_t Value3 = 0;
    std::vector<CReceptItemInfo> Items;  // in serving order; a customer's item count

    template <class V>
    void Visit(V& v) {
        v.String("Id", Id);
        v.WString("Caption", Caption);
        v.Int("Value1", Value1);
        v.Int("Value2", Value2);
        v.Int("Tips", Tips);
        v.String("Picture", Picture);
        v.WString("Title", Title);
        v.List("Numbers", Numbers);
        v.String("Name", Name);
        v.Int("Value3", Value3);
        v.List("Items", Items);
    }
};

// Empties a recipe, freeing what it owns; ends every recipe copy that is dropped.
void ClearReceptInfo(CReceptInfo& recept);

// One stage of the progress map.
struct CStageInfo {
    int32_t MapValue = 0;          // the number of the stage's levels on the progress map
    std::vector<int32_t> Dresses;  // dress numbers in unlock order
    int32_t Number = 0;            // converts between stage names and numbers
    std::string Name;

    template <class V>
    void Visit(V& v) {
        v.Int("MapValue", MapValue);
        v.List("Dresses", Dresses);
        v.Int("Number", Number);
        v.String("Name", Name);
    }
};

struct CLevelBonusEntry {
    int32_t BonusId = 0;  // a bonus kind
    float Time = 0.0f;    // its use depends on the kind of the customer who brings it

    template <class V>
    void Visit(V& v) {
        v.Int("BonusId", BonusId);
        v.Float("Time", Time);
    }
};

// A tournament participant's points for a level; participant 6 is the player.
struct CLevelValuePair {
    int32_t Value = 0;
    int32_t Slot = 0;

    template <class V>
    void Visit(V& v) {
        v.Int("Value", Value);
        v.Int("Slot", Slot);
    }
};

// A cell of the walk grid: X its column, Y its row.
struct CLevelPointInfo {
    bool Enabled = false;
    int32_t X = 0;
    int32_t Y = 0;

    template <class V>
    void Visit(V& v) {
        v.Flag("Enabled", Enabled);
        v.Int("X", X);
        v.Int("Y", Y);
    }
};

// One customer of a level's order script.
struct COrderInfo {
    float Time = 0.0f;
    int32_t Portrait = 0;     // "interfaces.judge_" and this number
    int32_t WaitSeconds = 0;  // patience before the order is taken
    // 0, 3, 4 ordinary customers; 1 opens and 2 closes a run to be shuffled; 100 a bonus customer;
    // 101 and 102 the player's and the rival's duel customers.
    int32_t Kind = 0;
    std::string Recept;
    int32_t PatienceSeconds = 0;  // patience once the order is taken

    template <class V>
    void Visit(V& v) {
        v.Float("Time", Time);
        v.Int("Portrait", Portrait);
        v.Int("WaitSeconds", WaitSeconds);
        v.Int("Kind", Kind);
        v.String("Recept", Recept);
        v.Int("PatienceSeconds", PatienceSeconds);
    }
};

// One object placed on a level: Name is both its animation in the game scene and its library key.
struct CPlacedObjectInfo {
    std::string Name;
    float AuxX = 0.0f;
    float AuxY = 0.0f;
    bool Flag1 = false;
    bool Flag2 = false;
    float ScaleX = 0.0f;
    float ScaleY = 0.0f;
    float AuxValue1 = 0.0f;
    float Opacity = 0.0f;
    float AuxValue2 = 0.0f;
    int32_t Layer = 0;
    float Rotation = 0.0f;
    float X = 0.0f;
    float Y = 0.0f;
    float Extra1 = 0.0f;
    float Extra2 = 0.0f;
    float Extra3 = 0.0f;
    float Extra4 = 0.0f;
    float Extra5 = 0.0f;

    template <class V>
    void Visit(V& v) {
        v.String("Name", Name);
        v.Float("AuxX", AuxX);
        v.Float("AuxY", AuxY);
        v.Flag("Flag1", Flag1);
        v.Flag("Flag2", Flag2);
        v.Ignored();
        v.Float("ScaleX", ScaleX);
        v.Float("ScaleY", ScaleY);
        v.Float("AuxValue1", AuxValue1);
        v.Float("Opacity", Opacity);
        v.Float("AuxValue2", AuxValue2);
        v.Int("Layer", Layer);
        v.Float("Rotation", Rotation);
        v.Ignored();
        v.Float("X", X);
        v.Float("Y", Y);
        v.Float("Extra1", Extra1);
        v.Ignored();
        v.Float("Extra2", Extra2);
        v.Float("Extra3", Extra3);
        v.Ignored();
        v.Float("Extra4", Extra4);
        v.Float("Extra5", Extra5);
    }
};

// One level. The reader checks the encoding only: a walk grid that is not 256 flags, fewer than
// four floor points or a name that leads nowhere are read as written, and their users check them.
struct CLevelInfo {
    bool RandomBonuses = false;  // bonuses drawn at random from Bonuses, else in list order, cyclically
    int32_t Number = 0;          // shown on the level map
    std::vector<std::string> NewIngridients;  // the ingredients this level introduces
    std::vector<std::string> ExtraNames;
    std::vector<CLevelBonusEntry> Bonuses;
    std::vector<CLevelValuePair> ProgressValues;  // the tournament participants' points
    CLevelPointInfo ScorePoint;                   // the heroine's home cell
    std::string LayoutName;
    // The stage the level belongs to; a bonus mini-game level carries its field kind here instead
    // ("bonus_diference", "bonus_place_in", "bonus_ispy", "bonus_ispy_dark").
    std::string StageName;
    std::string AuxName2;
    std::string Name;
    float Duration = 0.0f;  // ms; 0: no clock face, and a kitchen closes on its first moment of play
    std::vector<COrderInfo> Orders;
    int32_t AuxValue = 0;
    // 16 x 16 flags, flag k for cell (k / 16, k % 16), true where the heroine cannot walk.
    std::vector<bool> WalkGrid;
    std::vector<GF::TPoint<float>> FloorQuad;  // the first four are the floor's corners on screen
    bool AuxFlag = false;
    std::vector<CPlacedObjectInfo> Objects;

    template <class V>
    void Visit(V& v) {
        v.Flag("RandomBonuses", RandomBonuses);
        v.Int("Number", Number);
        v.List("NewIngridients", NewIngridients);
        v.List("ExtraNames", ExtraNames);
        v.List("Bonuses", Bonuses);
        v.List("ProgressValues", ProgressValues);
        v.Record("ScorePoint", ScorePoint);
        v.String("LayoutName", LayoutName);
        v.String("StageName", StageName);
        v.String("AuxName2", AuxName2);
        v.String("Name", Name);
        v.Float("Duration", Duration);
        v.List("Orders", Orders);
        v.Int("AuxValue", AuxValue);
        v.List("WalkGrid", WalkGrid);
        v.List("FloorQuad", FloorQuad);
        v.Flag("AuxFlag", AuxFlag);
        v.List("Objects", Objects);
    }
};

// One element placed on a cook book page. The names are the file's; the comments say what the
// cook book screen makes of each field.
struct CCookBookItem {
    bool Flag1 = false;      // new spread after: the flow goes on at the next spread's left page
    int32_t Value1 = 0;      // vertical mode: 2 centred in Value4, 3 top at the cursor, 4 bottom
    bool Flag2 = false;      // static: the item does not move the flow cursor
    bool Flag3 = false;      // advances: the item moves the flow cursor down
    float X = 0.0f;          // spacing: extra vertical space in pixels
    float Y = 0.0f;          // horizontal offset from the column or the origin, in pixels
    int32_t ValueIndex = 0;  // column, 0 for none; the cook book values hold the columns' x
    float Value2 = 0.0f;     // maximum width for fitting; 0 for none
    GF::WString Text;        // text key shown in the item's "_text" part
    bool Flag4 = false;      // new page after
    bool Flag5 = false;      // fit: scale the animation to the height (and maximum width)
    int32_t Value3 = 0;      // alignment: 0 near edge, 1 far edge, 2 centred
    std::string Name;        // animation name; empty for a spacer
    float Value4 = 0.0f;     // height in pixels

    template <class V>
    void Visit(V& v) {
        v.Flag("Flag1", Flag1);
        v.Int("Value1", Value1);
        v.Flag("Flag2", Flag2);
        v.Flag("Flag3", Flag3);
        v.Float("X", X);
        v.Float("Y", Y);
        v.Int("ValueIndex", ValueIndex);
        v.Float("Value2", Value2);
        v.WString("Text", Text);
        v.Flag("Flag4", Flag4);
        v.Flag("Flag5", Flag5);
        v.Int("Value3", Value3);
        v.String("Name", Name);
        v.Float("Value4", Value4);
    }
};

// One entry of the cook book, in book order.
struct CCookBookEntry {
    bool Flag1 = false;  // always shown: not a recipe, its pages are always filled
    bool Flag2 = false;  // starts a chapter and gets a tab
    std::vector<CCookBookItem> Items;
    std::string Name;  // the recipe, looked up in the player's profile

    template <class V>
    void Visit(V& v) {
        v.Flag("Flag1", Flag1);
        v.Flag("Flag2", Flag2);
        v.List("Items", Items);
        v.String("Name", Name);
    }
};
