// The scratch file's round trip and the console line through the Windows C runtime and console.
#include "text/scratch_file.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include <cerrno>
#include <charconv>
#include <cstdio>

namespace {

// Relative path: the file lands in the working directory and stays there after exit. Binary mode
// both ways: the file holds the number's text alone, never a CR.
constexpr const char* SCRATCH_FILE = SCRATCH_FILE_NAME;
constexpr int NEW_FILE_MODE = _S_IREAD | _S_IWRITE;  // an ordinary, writable file
constexpr int OPEN_FLAGS = _O_BINARY | _O_NOINHERIT;
constexpr int LINE_CAPACITY = 16;                    // a count of at most 256 and its line end

// _write until everything is written or a write fails; the bytes written. A failed write leaves
// its reason in error (EIO for a write that wrote nothing and said nothing).
int write_fully(int fd, const char* bytes, int length, int& error) {
  int done = 0;
  while (done < length) {
    const int n = _write(fd, bytes + done, static_cast<unsigned>(length - done));
    if (n <= 0) {
      error = n < 0 ? errno : EIO;
      break;
    }
    done += n;
  }
  return done;
}

// Reads into the field from the file position until the end of the file, a failed read or a full
// field, as single character reads would. The characters stored.
int read_into_field(int fd, NumberField& field) {
  int count = 0;
  while (count < NUMBER_FIELD_LENGTH) {
    const int n = _read(fd, field + count, static_cast<unsigned>(NUMBER_FIELD_LENGTH - count));
    if (n <= 0) break;
    count += n;
  }
  return count;
}

// The common case, a regular file that opens for reading and writing: the text is written over the
// old one in place, and the file is cut to the text's length where the old one was longer. That
// leaves the same bytes as emptying the file first. Returns false, having changed nothing, for any
// other file (a directory, a read-only file, one that cannot be created). A write or cut that fails
// leaves its reason in write_error.
bool rewrite_in_place(const char* text, int length, NumberField& field, int& count, int& write_error) {
  const int fd = _open(SCRATCH_FILE, _O_RDWR | _O_CREAT | OPEN_FLAGS, NEW_FILE_MODE);
  if (fd < 0) return false;
  struct _stat64 file;
  if (_fstat64(fd, &file) != 0 || (file.st_mode & _S_IFMT) != _S_IFREG) {
    _close(fd);
    return false;
  }
  const int written = write_fully(fd, text, length, write_error);
  if (file.st_size > written) {
    const errno_t cut = _chsize_s(fd, written);
    if (cut != 0 && write_error == 0) write_error = cut;
  }
  count = _lseeki64(fd, 0, SEEK_SET) == 0 ? read_into_field(fd, field) : 0;
  _close(fd);
  return true;
}

// Every other case step by step as the streams take it: emptied and written if it opens for
// writing, then read back if it opens for reading. A file that could not be created reads nothing.
int write_then_read(const char* text, int length, NumberField& field, int& write_error) {
  const int out = _open(SCRATCH_FILE, _O_WRONLY | _O_CREAT | _O_TRUNC | OPEN_FLAGS, NEW_FILE_MODE);
  if (out >= 0) {
    write_fully(out, text, length, write_error);
    _close(out);
  } else {
    write_error = errno;
  }
  const int in = _open(SCRATCH_FILE, _O_RDONLY | OPEN_FLAGS);
  if (in < 0) return 0;
  const int count = read_into_field(in, field);
  _close(in);
  return count;
}

}  // namespace

ScratchTrip round_trip_scratch_file(const char* text, int length, NumberField& field) {
  ScratchTrip trip;
  if (!rewrite_in_place(text, length, field, trip.count, trip.write_error))
    trip.count = write_then_read(text, length, field, trip.write_error);
  return trip;
}

// The count and CR LF, the line end of a Windows console program, in one WriteFile to the handle
// behind standard output: no text-mode translation in between, and the write is the line's flush.
void print_count(int count) {
  static bool console_failed = false;
  if (console_failed) return;
  char line[LINE_CAPACITY];
  char* end = std::to_chars(line, line + LINE_CAPACITY - 2, count).ptr;
  *end++ = '\r';
  *end++ = '\n';
  const DWORD length = static_cast<DWORD>(end - line);
  const auto console = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stdout)));
  DWORD written = 0;
  if (console == INVALID_HANDLE_VALUE || !WriteFile(console, line, length, &written, nullptr) ||
      written != length)
    console_failed = true;
}
