// The scratch file "1.txt" and the console line: the number path's calls that differ by platform.
#pragma once

#include "text/number_label.h"

constexpr const char* SCRATCH_FILE_NAME = "1.txt";  // in the working directory, left there at exit

struct ScratchTrip {
  int count = 0;        // characters read back into the field, 0 .. NUMBER_FIELD_LENGTH
  int write_error = 0;  // the system's error number where the text could not be written, else 0
};

// Writes text (length characters, no line end) to "1.txt" in the working directory, leaving the file
// holding exactly it, then reads the file back into field from position 0, at most
// NUMBER_FIELD_LENGTH characters. A file that cannot be written is read back as it stands; one that
// cannot be read stores nothing.
ScratchTrip round_trip_scratch_file(const char* text, int length, NumberField& field);

// One console line on standard output, the count and a line end, flushed. After a line the console
// refused, none follow, as from a standard output stream in the failed state.
void print_count(int count);
