// The launcher's pictures: its program icon and the welcome picture, both in
// the sixteen standard colours.
#ifndef RESGEN_SETUP_ART_H
#define RESGEN_SETUP_ART_H

#include <vector>

#include "image.h"

// The sixteen colours of the standard 16-colour display, in their usual order.
const std::vector<Colour>& standardPalette16();

Image setupIcon();     // 32 x 32, transparent background
Image setupPicture();  // 118 x 234

// The launcher tests' stand-in for the backdrop's picture (bitmap 307, never
// handed out): 21 x 13, every pixel a colour of its own but for a diagonal
// pattern of magenta ones, the colour the backdrop leaves out.
Image backdropTestPicture();

#endif
