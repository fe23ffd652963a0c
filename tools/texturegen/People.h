#pragma once
// The heroine, the customers and the participants' portraits.
#include <cairo.h>

#include "tools/texturegen/Drawing.h"

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
