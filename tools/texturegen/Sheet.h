#pragma once
// The picture sheet (texture 0): every picture the script's sprite infos cut out, packed beside and
// under the item icons, drawn, and listed where each lies.
#include <cairo.h>

#include <functional>
#include <string>
#include <vector>

// A picture of the sheet: its name (the sprite info that cuts it), its size and its drawing.
struct TPicture {
    std::string name;
    int w, h;
    std::function<void(cairo_t*, double w, double h)> draw;
    int pad = 2;  // transparent (or, for flat fills, same-coloured) margin around the picture
};

struct TRect {
    int x, y, w, h;
};

struct TSheet {
    int width = 0, height = 0;
    std::vector<TPicture> pictures;
    std::vector<TRect> places;  // where each picture's own pixels lie
};

// Packs every picture on the smallest sheet that holds them; false when none does.
bool Pack(TSheet& sheet);

// Draws the packed pictures and writes the sheet to `out` (PNG): 0 when written.
int DrawSheet(const TSheet& sheet, const std::string& out);

// Writes where the sprite infos of the sheet must cut it, one "name x y w h" a line, for scriptcheck to
// compare with the script's own.
int WritePlaces(const TSheet& sheet, const std::string& listing);

// Prints the script's lines that add the sheet's sprite infos.
void PrintScript(const TSheet& sheet);
