// Contact sheets: every bitmap of a skin on one picture, with the window put
// together from them as the editor shows it, to look at the skins as a whole.
#pragma once
#include <string>

namespace taluma {
namespace skingen {

// Writes contact-sheet-taluma.png and contact-sheet-cindra.png into dir, and each
// page of the window put together (window-taluma-logic.png and so on).
int writeContactSheets(const std::string& dir);

}  // namespace skingen
}  // namespace taluma
