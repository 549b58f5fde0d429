#include "demo_song.h"

namespace taluma::render {

// Five bars: C, Am, F, G, C, with a bass on beats 1 and 3, an arpeggio in eighths and a
// melody on top; short notes suit the default patch's plucked sound. Written in the
// note-list format of --help.
const char* demoNoteList() {
    return R"(# TALUMA W demo: C - Am - F - G - C at 100 BPM (a beat is 0.6 s)
cc 0 7 80   # volume: the voices that overlap stay below full scale
# bar 1: C
0.00 C3 90 1.10
1.20 C3 80 1.10
0.00 C4 70 0.25
0.30 E4 55 0.25
0.60 G4 70 0.25
0.90 C5 55 0.25
1.20 G4 70 0.25
1.50 E4 55 0.25
1.80 G4 70 0.25
2.10 E4 55 0.25
0.00 E5 100 0.55
0.60 G5 100 0.55
1.20 C6 100 0.55
1.80 B5 100 0.25
2.10 A5 100 0.25
# bar 2: Am
2.40 A2 90 1.10
3.60 A2 80 1.10
2.40 A3 70 0.25
2.70 C4 55 0.25
3.00 E4 70 0.25
3.30 A4 55 0.25
3.60 E4 70 0.25
3.90 C4 55 0.25
4.20 E4 70 0.25
4.50 C4 55 0.25
2.40 C6 100 0.55
3.00 A5 100 0.55
3.60 E5 100 1.15
# bar 3: F
4.80 F2 90 1.10
6.00 F2 80 1.10
4.80 F3 70 0.25
5.10 A3 55 0.25
5.40 C4 70 0.25
5.70 F4 55 0.25
6.00 C4 70 0.25
6.30 A3 55 0.25
6.60 C4 70 0.25
6.90 A3 55 0.25
4.80 F5 100 0.55
5.40 A5 100 0.55
6.00 C6 100 0.55
6.60 A5 100 0.55
# bar 4: G
7.20 G2 90 1.10
8.40 G2 80 1.10
7.20 G3 70 0.25
7.50 B3 55 0.25
7.80 D4 70 0.25
8.10 G4 55 0.25
8.40 D4 70 0.25
8.70 B3 55 0.25
9.00 D4 70 0.25
9.30 B3 55 0.25
7.20 B5 100 0.55
7.80 D6 100 0.55
8.40 G5 100 1.15
# bar 5: C
9.60 C3 75 1.20
9.60 C4 75 1.20
9.60 E4 75 1.20
9.60 G4 75 1.20
9.60 C6 100 1.20
)";
}

const char* presetPhraseNoteList() {
    return R"(# a C major chord, then single notes from C2 to C6
0.0 C4 100 1.0
0.0 E4 100 1.0
0.0 G4 100 1.0
1.5 C2 100 0.4
2.0 G2 100 0.4
2.5 C3 100 0.4
3.0 G3 100 0.4
3.5 C5 100 0.4
4.0 G5 100 0.4
4.5 C6 100 0.4
)";
}

}  // namespace taluma::render
