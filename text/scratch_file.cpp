// The scratch file's round trip and the console line, over the platform's file and console calls.
#include "text/scratch_file.h"

#include <cerrno>
#include <charconv>
#include <cstring>

#include "text/scratch_file_platform.h"

namespace scratch_calls {

int write_fully(File file, const char* bytes, int length, int& error) {
  int done = 0;
  while (done < length) {
    const int n = write_some(file, bytes + done, length - done);
    if (n <= 0) {
      error = n < 0 ? errno : EIO;
      break;
    }
    done += n;
  }
  return done;
}

}  // namespace scratch_calls

namespace {

using namespace scratch_calls;

constexpr int LINE_CAPACITY = 16;  // a count of at most 256 and its line end

// Reads into the field until the end of the file, a failed read or a full field, as single character
// reads would; at_start reads from offset 0 whatever the file position. The characters stored.
int read_into_field(File file, NumberField& field, bool at_start) {
  int count = 0;
  while (count < NUMBER_FIELD_LENGTH) {
    const int n = read_some(file, field + count, NUMBER_FIELD_LENGTH - count, at_start ? count : -1);
    if (n <= 0) break;
    count += n;
  }
  return count;
}

// The common case, a regular file that opens for reading and writing: the text is written over the
// old one in place, and the file is cut to the text's length where the old one was longer. That
// leaves the same bytes as emptying the file first, but spares the file system the flush to disk it
// makes when a file emptied by truncation is closed. A named pipe (opening one for reading and
// writing never waits) counts as a file that cannot be opened: nothing written, nothing read.
// Returns false, having changed nothing, for any other file (a directory, a read-only file, one that
// cannot be created). A write or cut that fails leaves its reason in write_error.
bool rewrite_in_place(const char* text, int length, NumberField& field, int& count, int& write_error) {
  const File file = open_scratch(Access::update);
  if (file < 0) return false;
  long long size = 0;
  const FileKind kind = kind_of(file, size);
  if (kind != FileKind::regular) {
    close_file(file);
    if (kind == FileKind::named_pipe) count = 0;
    return kind == FileKind::named_pipe;
  }
  const int written = write_fully(file, text, length, write_error);
  if (size > written) {
    const int cut = cut_to(file, written);
    if (cut != 0 && write_error == 0) write_error = cut;
  }
  count = read_into_field(file, field, true);
  close_file(file);
  return true;
}

// Every other case step by step as the streams take it: emptied and written if it opens for
// writing, then read back if it opens for reading. A directory reads nothing, and so does a file
// that could not be created. A named pipe of that name (another program's doing) would hold either
// open until a process opened its other end, and the frame loop with it: it counts as a file that
// cannot be opened.
int write_then_read(const char* text, int length, NumberField& field, int& write_error) {
  if (is_named_pipe()) return 0;
  const File out = open_scratch(Access::write_anew);
  if (out >= 0) {
    write_fully(out, text, length, write_error);
    close_file(out);
  } else {
    write_error = errno;
  }
  const File in = open_scratch(Access::read);
  if (in < 0) return 0;
  const int count = read_into_field(in, field, false);
  close_file(in);
  return count;
}

}  // namespace

ScratchTrip round_trip_scratch_file(const char* text, int length, NumberField& field) {
  ScratchTrip trip;
  if (!rewrite_in_place(text, length, field, trip.count, trip.write_error))
    trip.count = write_then_read(text, length, field, trip.write_error);
  return trip;
}

// The count and the console's line end in one write, which is also the line's flush.
void print_count(int count) {
  static bool console_failed = false;
  if (console_failed) return;
  const auto end_length = static_cast<int>(std::strlen(CONSOLE_LINE_END));
  char line[LINE_CAPACITY];
  char* end = std::to_chars(line, line + LINE_CAPACITY - end_length, count).ptr;
  std::memcpy(end, CONSOLE_LINE_END, static_cast<size_t>(end_length));
  if (!write_console(line, static_cast<int>(end - line) + end_length)) console_failed = true;
}
