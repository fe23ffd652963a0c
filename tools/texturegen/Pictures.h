#pragma once
// What texturegen draws: the painters of the sheet's pictures, by the file that draws them, then the
// sheet and the textures drawn pixel by pixel.
#include <cairo.h>

#include <functional>
#include <string>

#include "tools/texturegen/Drawing.h"

// Devices.cpp: the kitchen's devices in their looks, the things the rooms are furnished with, and the
// rooms.

// The devices, each in its rest, work and closed look (the closed one half as bright), in mid tones:
// the glow under the mouse lifts a device half-way to white, which a light picture would hardly show.
enum class ELook { Rest, Work, Closed };

// Device 0 is the saucepan, 1 the griddle, 2 the microwave, 3 the electric stove.
void DrawDevice(cairo_t* cr, int device, double w, double h, ELook look);

// A covered dish of the mini-games' recipe: a silver cloche.
void Cloche(cairo_t* cr, double w, double h);

// The serving plate the heroine sets dishes on.
void ServingPlate(cairo_t* cr, double w, double h);

// The serving point beside the plate: a counter bell.
void Bell(cairo_t* cr, double w, double h);

// A clock face with its hour marks.
void ClockFace(cairo_t* cr, double w, double h, TColour rim);

// The kitchen's window: a frame, sky, a cloud and curtains.
void Window(cairo_t* cr, double w, double h);

// The mini-games' objects: a plant, a vase, a table lamp whose orange shade fills its middle, a book, a
// hat, a shelf and a rug.
void Plant(cairo_t* cr, double w, double h);
void Vase(cairo_t* cr, double w, double h);
void Lamp(cairo_t* cr, double w, double h);
void Book(cairo_t* cr, double w, double h);
void Hat(cairo_t* cr, double w, double h);
void Shelf(cairo_t* cr, double w, double h);
void Rug(cairo_t* cr, double w, double h);

// The day's sun: a warm disc with a soft glow and its rays, in its own colours.
void Sun(cairo_t* cr, double w, double h);

// The kitchen's backdrop in light tones, which the level's layout tints: a tiled back wall with a
// shelf rail and, in perspective, the floor's tiles from the wall's foot (half-way down) to the front.
void KitchenRoom(cairo_t* cr, double w, double h);

// A room for the spot-the-difference pictures, in light tones the layout tints: a striped wall, a
// skirting board and a light tiled floor from two thirds down.
void Room(cairo_t* cr, double w, double h);

// Items.cpp: one drawing per item in a box of `s` pixels, the icons' cells at the sheet's top left
// (and, greyed, on the grey sheet), the ingredient places' crates and the dishes served.

enum class EItem { Soup, Steak, Pizza, Tea, Bread, Salad, Cheese, Cup };

void Steam(cairo_t* cr, double s, double x, double y);

// A crate heaped with lumps of brown cane sugar.
void SugarCrate(cairo_t* cr, double w, double h);

void Crate(cairo_t* cr, double w, double h, EItem item);

// A dish served on a plate: the recipe's icon on a white plate.
void Dish(cairo_t* cr, double w, double h, EItem item);

// The item icons: eight cells of 32 x 32 in two rows at the sheet's top left, in the order of EItem.
// The order signs find an icon's greyed picture on the grey sheet where the icon lies on its own, so
// the grey sheet ("gray", a texture of its own) holds the same drawings, greyed, in the same cells.
constexpr const char* kIconNames[8] = {"soup", "steak", "pizza", "tea", "bread", "salad", "cheese", "cup"};
constexpr int kIconsWidth = 128, kIconsHeight = 64, kIconCell = 32;

void DrawIconCells(cairo_t* cr, bool grey);

// People.cpp: the heroine, the customers and the participants' portraits.

// The heroine's figure without her dress: hair, face, arms, legs and shoes, 64 x 224, from the top of
// her hair to her soles the whole height of the picture.
void HeroineBody(cairo_t* cr, double w, double h);

// Her dress in white and light greys: the script gives it the colour of her state and appearance.
void HeroineDress(cairo_t* cr, double w, double h);

// The customers drawn, each its own: the last two are the duel's, the player's customer and the rival's.
constexpr int kCustomerCount = 7;

// A customer's head and shoulders in one of three moods: 0 glad, 1 calm, 2 cross (flushed).
void Customer(cairo_t* cr, double w, double h, int mood, int who = 0);

// A participant's portrait in light tones, which the script tints in the participant's colour.
void Portrait(cairo_t* cr, double w, double h);

// A gilded frame of a duel's customer's portrait, clear in its middle.
void PortraitFrame(cairo_t* cr, double w, double h);

// Signs.cpp: the interface's plates, the order signs' cards, the bonuses' badges, and the cups,
// ribbons and rosettes of the results.

// A rounded plate with a light rim and a soft gradient: the panel and the buttons.
void Plate(cairo_t* cr, double w, double h, TColour c);

void Balloon(cairo_t* cr, double w, double h);

void Hole(cairo_t* cr, double w, double h);

// The mouse's arrow, its tip at the top left: white with a dark outline (the mirror tints it).
void Arrow(cairo_t* cr, double w, double h);

// The metals of the first three places: gold, silver and bronze.
inline const TColour kMetals[3] = {Rgb(240, 200, 40), Rgb(200, 200, 210), Rgb(200, 120, 60)};

// A cup of the stage results: a trophy in its metal's colours.
void Trophy(cairo_t* cr, double w, double h, TColour metal);

// A badge of the kitchen's countdown: a disc of its colour bearing the count (3 to 1), or a tick for
// the start (0).
void CountBadge(cairo_t* cr, double w, double h, TColour c, int count);

// A pleated rosette of radius outer about (cx, cy) in the place's metal, the place on it: the middle
// of a place ribbon, and on its own the progress map's medal of a level won.
void PlaceRosette(cairo_t* cr, double cx, double cy, double outer, TColour metal, int place);

// A place ribbon of the level results: a band with swallow-tailed ends across the picture and a
// pleated rosette in its middle in the place's metal, the place (1 to 3) on the rosette; place 0 is
// the grey ribbon of a lost level, crossed.
void PlaceRibbon(cairo_t* cr, double w, double h, TColour metal, int place);

// A card in light tones with rounded corners and a rim, which the script stretches and tints: the
// order signs, their tabs and labels, the mood behind a face, a check box, a points plate.
void Card(cairo_t* cr, double w, double h);

// A bonus's badge: a shining disc in its colour, rimmed, bearing its sign (drawn by `sign` in a box of
// 32 x 32 about the middle, shown at four fifths so that a ring of the colour shows around it).
void Badge(cairo_t* cr, double w, double h, TColour c, const std::function<void(cairo_t*)>& sign);

// The signs, about (0, 0) in a box of 32: a snowflake (the clock frozen), a flame (quicker cooking),
// an hourglass (patience stopped), a star (double quality), a light bulb (the next object lit), a
// question mark (any of them).
void Snowflake(cairo_t* cr);
void Flame(cairo_t* cr);
void Hourglass(cairo_t* cr);
void Star(cairo_t* cr);
void Bulb(cairo_t* cr);
void Question(cairo_t* cr);

// Frost: pale ice with crystals, half clear, which the script lays over the dial and its hand.
void Frost(cairo_t* cr, double w, double h);

// A chain of oval links across the picture, steel grey: the patience bonus's chain over an order.
void Chain(cairo_t* cr, double w, double h);

// The bonus customer's gift where an ordinary customer's face stands: a wrapped box with a bow.
void Gift(cairo_t* cr, double w, double h);

// A chapter tab of the recipe book: a leather tab in light tones, rounded at its free (right) end,
// with a stitched seam; the script tints it.
void BookTab(cairo_t* cr, double w, double h);

// Sheet.cpp: the picture sheet (texture 0), every picture the script's sprite infos cut out packed
// beside and under the item icons on the smallest sheet that holds them. Draws it to `out` (PNG),
// after writing to `places` (when given) where the sprite infos must cut it, one "name x y w h" a line,
// for scriptcheck to compare with the script's own; with `script`, only prints the script's lines that
// add those sprite infos. 0 when done.
int WriteSheet(const std::string& out, const char* places, bool script);

// Textures.cpp: writes the texture of the kind (cloth, gray, particles, particles_2, particles_3,
// map_fon, page) to `out`: 0 when written, 1 when it could not be, -1 when there is no such kind.
int WriteTexture(const std::string& out, const std::string& kind);
