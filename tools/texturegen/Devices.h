#pragma once
// The kitchen's devices in their looks, the things the rooms are furnished with, and the rooms.
#include <cairo.h>

#include "tools/texturegen/Drawing.h"

// The devices, each in its rest, work and closed look (the closed one half as bright), in mid tones:
// the glow under the mouse lifts a device half-way to white, which a light picture would hardly show.
enum class ELook { Rest, Work, Closed };

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

void Plant(cairo_t* cr, double w, double h);

// The mini-games' objects.
void Vase(cairo_t* cr, double w, double h);

// A table lamp whose orange shade fills its middle.
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
