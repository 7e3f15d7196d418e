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

#endif
