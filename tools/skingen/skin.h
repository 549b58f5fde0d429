// The colours of the two skins. paper, ink and the accents are the editor's own
// palette (its text controls use them); the rest are the shades the pictures need
// around them.
#pragma once
#include "canvas.h"

namespace taluma {
namespace skingen {

struct Skin {
    int index;
    Colour paper, ink, accent[2];  // accent[0] operator A, accent[1] operator B
    Colour backTop, backBottom;    // window background
    Colour panelTop, panelBottom;  // raised panels
    Colour edge;                   // outlines of panels and buttons
    Colour light, shade;           // top highlight and bottom shadow lines
    Colour well, wellEdge;         // recessed areas
    Colour plot;                   // behind the wave bars
    Colour title, caption;         // section titles, control captions
    Colour faceTop, faceBottom;    // button faces
    Colour glyph, lit;             // a symbol at rest, a symbol or lamp switched on
    Colour neutral;                // the value colour of knobs that belong to no operator
    Colour bar, barCap;            // wave bars and their top edge
};

const Skin& skin(int index);

}  // namespace skingen
}  // namespace taluma
