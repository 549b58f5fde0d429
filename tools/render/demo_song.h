// The built-in demo that taluma-render plays when it is given no input.
#pragma once

namespace taluma::render {

// A few bars in the note-list format (see note_list.h).
const char* demoNoteList();

// The phrase rendered with each preset of a folder: a C major chord at velocity 100,
// then single notes over the keyboard.
const char* presetPhraseNoteList();

}  // namespace taluma::render
