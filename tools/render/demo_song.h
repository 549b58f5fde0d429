// The built-in demo that taluma-render plays when it is given no input.
#pragma once

namespace taluma::render {

// A few bars in the note-list format (see note_list.h).
const char* demoNoteList();

}  // namespace taluma::render
