#include "demo_song.h"

namespace taluma::render {

// Five bars at 100 BPM (a beat is 0.6 s): C, Am, F, G, C, with a chord pad, a bass on
// beats 1 and 3 and a melody on top. Written in the note-list format of --help.
const char* demoNoteList() {
  return R"(# TALUMA W demo: C - Am - F - G - C at 100 BPM
cc 0 7 80   # volume: up to eight voices at once stay below full scale
# bar 1: C
0.00 C4 60 2.35
0.00 E4 60 2.35
0.00 G4 60 2.35
0.00 C3 85 1.10
1.20 C3 85 1.10
0.00 E5 100 0.55
0.60 G5 100 0.55
1.20 C6 100 0.55
1.80 B5 100 0.25
2.10 A5 100 0.25
# bar 2: Am
2.40 A3 60 2.35
2.40 C4 60 2.35
2.40 E4 60 2.35
2.40 A2 85 1.10
3.60 A2 85 1.10
2.40 C6 100 0.55
3.00 A5 100 0.55
3.60 E5 100 1.15
# bar 3: F
4.80 F3 60 2.35
4.80 A3 60 2.35
4.80 C4 60 2.35
4.80 F2 85 1.10
6.00 F2 85 1.10
4.80 F5 100 0.55
5.40 A5 100 0.55
6.00 C6 100 0.55
6.60 A5 100 0.55
# bar 4: G
7.20 G3 60 2.35
7.20 B3 60 2.35
7.20 D4 60 2.35
7.20 G2 85 1.10
8.40 G2 85 1.10
7.20 B5 100 0.55
7.80 D6 100 0.55
8.40 G5 100 1.15
# bar 5: C
9.60 C4 60 2.40
9.60 E4 60 2.40
9.60 G4 60 2.40
9.60 C6 100 2.40
9.60 C3 85 2.40
)";
}

}  // namespace taluma::render
