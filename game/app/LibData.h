#pragma once
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "framework/core/Holder.h"
#include "framework/core/Stream.h"
#include "game/app/LevelRecords.h"

// The grid of equal cells of one sprite sheet, from which the filter sprites cut numbered frames.
struct CFrameGridInfo {
    std::string Name;
    int32_t Width = 0;  // of the sheet, in pixels
    int32_t Height = 0;
    int32_t CellWidth = 0;
    int32_t CellHeight = 0;

    // Whole cells across and down; a cell or sheet without size has none (instead of a division by 0).
    int32_t Columns() const { return CellWidth > 0 && Width > 0 ? Width / CellWidth : 0; }
    int32_t Rows() const { return CellHeight > 0 && Height > 0 ? Height / CellHeight : 0; }

    template <class V>
    void Visit(V& v) {
        v.String("Name", Name);
        v.Int("Width", Width);
        v.Int("Height", Height);
        v.Int("CellWidth", CellWidth);
        v.Int("CellHeight", CellHeight);
    }
};

// A library object's mask: its cells' bytes, kept with their values, and four numbers. Its users
// check that the cells fit the numbers.
struct CCellMaskInfo {
    std::vector<uint8_t> Cells;
    int32_t Value1 = 0;
    int32_t Value2 = 0;
    int32_t Value3 = 0;
    int32_t Value4 = 0;

    template <class V>
    void Visit(V& v) {
        v.List("Cells", Cells);
        v.Int("Value1", Value1);
        v.Int("Value2", Value2);
        v.Int("Value3", Value3);
        v.Int("Value4", Value4);
    }
};

// One named object a level can place: a cooking device, an ingredient place, scenery, an item of a
// bonus mini-game. Name is its animation in the game scene.
struct CIngridientInfo {
    bool PixelHitTest = false;  // a click must hit a drawn pixel, not only the bounding rectangle
    std::string IconName;       // the icon of order items and of the duel rival's progress
    int32_t Value1 = 0;
    std::string Label;
    bool Flag = false;
    std::vector<CReceptItemInfo> Items;
    int32_t Kind = 0;  // 0: scenery, never plays a state, never served; else shown "_idle", servable
    std::string Label2;
    GF::WString Title;  // the display name; objects of one title count as the same order item
    float Value2 = 0.0f;
    int32_t Value3 = 0;
    CCellMaskInfo Mask;
    std::string Name;

    template <class V>
    void Visit(V& v) {
        v.Flag("PixelHitTest", PixelHitTest);
        v.String("IconName", IconName);
        v.Int("Value1", Value1);
        v.String("Label", Label);
        v.Flag("Flag", Flag);
        v.List("Items", Items);
        v.Int("Kind", Kind);
        v.String("Label2", Label2);
        v.WString("Title", Title);
        v.Float("Value2", Value2);
        v.Int("Value3", Value3);
        v.Record("Mask", Mask);
        v.String("Name", Name);
    }
};

// The object library and the sprite sheets' frame grids, filled from "libdata.bin". Level set-up,
// the orders, the duel rival and the screens look records up by name; kitchen objects keep pointers
// to their records while a level runs, which the hash maps keep valid as lookups add records.
class CLibData {
public:
    std::unordered_map<std::string, CFrameGridInfo> FrameGrids;
    std::unordered_map<std::string, CIngridientInfo> Ingridients;

    // The record of the name; a name the table lacks gets a default record (Kind 0, no title) first.
    CIngridientInfo& FindIngridientInfo(const std::string& name);
    CFrameGridInfo& GetFrameGrid(const std::string& name);
    // Null for a name the table lacks; nothing is added.
    CIngridientInfo* FindIngridient(const std::string& name);
    const CIngridientInfo* FindIngridient(const std::string& name) const;
    CFrameGridInfo* FindFrameGrid(const std::string& name);

    template <class V>
    void Visit(V& v) {
        v.Table("FrameGrids", FrameGrids, &CFrameGridInfo::Name);
        v.Table("Ingridients", Ingridients, &CIngridientInfo::Name);
    }
};

// Whether an object offered for a recipe item counts as that item: never scenery (Kind 0); else the
// same name, or the same title as the item's own library record. An empty title matches nothing, so
// two untitled objects are not taken for one item.
bool MatchesReceptItem(const CIngridientInfo& offered, const CReceptItemInfo& item, const CLibData& library);

// The file's encoding, apart from the engine: Parse reads into a fresh library and moves it into
// `data` only when the whole file read, else `why` names the field; Write puts each table in ascending
// name order.
bool ParseLibData(GF::CInputStream& in, CLibData& data, std::string& why);
void WriteLibData(GF::COutputStream& out, const CLibData& data);
// Parses the whole file at the path; on refusal `why` names the file and the fault.
bool ReadLibDataFile(const std::string& file, CLibData& data, std::string& why);

// The one library of the program.
CLibData& GetLibData();
// The process-wide record of the name, added when missing.
CIngridientInfo& FindIngridientInfo(const std::string& name);
// Reads "libdata.bin" from the open stream into the library. On refusal logs "libdata.bin: " and the
// reason, leaves the tables as they were and answers false.
bool ReadLibData(GF::THolder<GF::IDataInputStream> stream);
