// Numbers on screen: turned into text through the scratch file "1.txt", then drawn in the overlay.
#pragma once

constexpr int NUMBER_FIELD_LENGTH = 256;  // characters of a number text field, before its terminator

using NumberField = char[NUMBER_FIELD_LENGTH + 1];

// Writes value to "1.txt" with default stream formatting, reads it back into field (padded with
// spaces, at most NUMBER_FIELD_LENGTH characters) and prints the count of characters on stdout, one
// flushed line each; after a line the console refused, none follow, as from a failed stream. The
// first time "1.txt" cannot be written, one line on stderr names the folder and the system's reason.
void number_to_text(float value, NumberField& field);

// Whether that line on stderr has been printed: once a process, at the first failed write.
extern bool scratch_failure_reported;

// The number's text at overlay position (x, y); leaves the perspective and the modelview as found.
void draw_number(float value, int x, int y, const char* colour, int size);
