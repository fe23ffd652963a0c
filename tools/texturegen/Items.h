#pragma once
// The items: one drawing per item in a box of `s` pixels, the icons' cells at the sheet's top left
// (and, greyed, on the grey sheet), the ingredient places' crates and the dishes served.
#include <cairo.h>

#include "tools/texturegen/Drawing.h"

enum class EItem { Soup, Steak, Pizza, Tea, Bread, Salad, Cheese, Cup };

void Steam(cairo_t* cr, double s, double x, double y);

// The icons' order on the sheet's grey cells: soup, steak, pizza, tea, bread, salad, cheese, cup.
constexpr const char* kIconNames[8] = {"soup", "steak", "pizza", "tea", "bread", "salad", "cheese", "cup"};
inline EItem IconItem(int n) {
    return static_cast<EItem>(n);
}

// A crate heaped with lumps of brown cane sugar.
void SugarCrate(cairo_t* cr, double w, double h);

void Crate(cairo_t* cr, double w, double h, EItem item);

// A dish served on a plate: the recipe's icon on a white plate.
void Dish(cairo_t* cr, double w, double h, EItem item);

// The item icons: eight cells of 32 x 32 in two rows at the sheet's top left. The order signs find an
// icon's greyed picture on the grey sheet where the icon lies on its own, so the grey sheet ("gray",
// a texture of its own) holds the same drawings, greyed, in the same cells.
constexpr int kIconsWidth = 128, kIconsHeight = 64, kIconCell = 32;

void DrawIconCells(cairo_t* cr, bool grey);
