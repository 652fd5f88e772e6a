// The scratch file's round trip and the console line through POSIX calls.
#include "text/scratch_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>

namespace {

// Relative path: the file lands in the working directory and stays there after exit.
constexpr const char* SCRATCH_FILE = SCRATCH_FILE_NAME;
constexpr mode_t NEW_FILE_MODE = 0666;  // as an output stream creates it, less the umask
constexpr int LINE_CAPACITY = 16;       // a count of at most 256 and its line end

// write(2) until everything is written or a write fails; the bytes written. A failed write leaves
// its reason in error (EIO for a write that wrote nothing and said nothing).
int write_fully(int fd, const char* bytes, int length, int& error) {
  int done = 0;
  while (done < length) {
    const ssize_t n = write(fd, bytes + done, static_cast<size_t>(length - done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      error = n < 0 ? errno : EIO;
      break;
    }
    done += static_cast<int>(n);
  }
  return done;
}

// Reads into the field until the end of the file, a failed read or a full field, as single character
// reads would; at_start reads from offset 0 whatever the file position. The characters stored.
int read_into_field(int fd, NumberField& field, bool at_start) {
  int count = 0;
  while (count < NUMBER_FIELD_LENGTH) {
    const auto room = static_cast<size_t>(NUMBER_FIELD_LENGTH - count);
    const ssize_t n = at_start ? pread(fd, field + count, room, count) : read(fd, field + count, room);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    count += static_cast<int>(n);
  }
  return count;
}

// The common case, a regular file that opens for reading and writing: the text is written over the
// old one in place, and the file is cut to the text's length where the old one was longer. That
// leaves the same bytes as emptying the file first, but spares the file system the flush to disk it
// makes when a file emptied by truncation is closed. A named pipe (opening one for reading and
// writing never waits) counts as a file that cannot be opened: nothing written, nothing read.
// Returns false, having changed nothing, for any other file. A write or cut that fails leaves its
// reason in write_error.
bool rewrite_in_place(const char* text, int length, NumberField& field, int& count, int& write_error) {
  const int fd = open(SCRATCH_FILE, O_RDWR | O_CREAT | O_CLOEXEC, NEW_FILE_MODE);
  if (fd < 0) return false;
  struct stat file;
  const bool examined = fstat(fd, &file) == 0;
  if (examined && S_ISFIFO(file.st_mode)) {
    close(fd);
    count = 0;
    return true;
  }
  if (!examined || !S_ISREG(file.st_mode)) {
    close(fd);
    return false;
  }
  const int written = write_fully(fd, text, length, write_error);
  if (file.st_size > written)
    while (ftruncate(fd, written) != 0) {
      if (errno == EINTR) continue;
      if (write_error == 0) write_error = errno;
      break;
    }
  count = read_into_field(fd, field, true);
  close(fd);
  return true;
}

// Every other case step by step as the streams take it: emptied and written if it opens for
// writing, then read back if it opens for reading. A directory reads nothing, and so does a file
// that could not be created. A named pipe of that name (another program's doing) would hold either
// open until a process opened its other end, and the frame loop with it: it counts as a file that
// cannot be opened.
int write_then_read(const char* text, int length, NumberField& field, int& write_error) {
  struct stat file;
  if (stat(SCRATCH_FILE, &file) == 0 && S_ISFIFO(file.st_mode)) return 0;
  const int out = open(SCRATCH_FILE, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, NEW_FILE_MODE);
  if (out >= 0) {
    write_fully(out, text, length, write_error);
    close(out);
  } else {
    write_error = errno;
  }
  const int in = open(SCRATCH_FILE, O_RDONLY | O_CLOEXEC);
  if (in < 0) return 0;
  const int count = read_into_field(in, field, false);
  close(in);
  return count;
}

}  // namespace

ScratchTrip round_trip_scratch_file(const char* text, int length, NumberField& field) {
  ScratchTrip trip;
  if (!rewrite_in_place(text, length, field, trip.count, trip.write_error))
    trip.count = write_then_read(text, length, field, trip.write_error);
  return trip;
}

// The count and a line end in one write, which is also the line's flush.
void print_count(int count) {
  static bool console_failed = false;
  if (console_failed) return;
  char line[LINE_CAPACITY];
  char* end = std::to_chars(line, line + LINE_CAPACITY - 1, count).ptr;
  *end++ = '\n';
  const int length = static_cast<int>(end - line);
  int error = 0;
  if (write_fully(STDOUT_FILENO, line, length, error) != length) console_failed = true;
}

