#pragma once
// The interface's plates, the order signs' cards, the bonuses' badges, and the cups, ribbons and
// rosettes of the results.
#include <cairo.h>

#include <functional>

#include "tools/texturegen/Drawing.h"

// A rounded plate with a light rim and a soft gradient: the panel and the buttons.
void Plate(cairo_t* cr, double w, double h, TColour c);

void Balloon(cairo_t* cr, double w, double h);

void Hole(cairo_t* cr, double w, double h);

// The mouse's arrow, its tip at the top left: white with a dark outline (the mirror tints it).
void Arrow(cairo_t* cr, double w, double h);

TColour SwatchColour(int n);

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
