// The scratch file's and the console's calls through the Windows C runtime and console.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>

#include "text/scratch_file.h"
#include "text/scratch_file_platform.h"

namespace scratch_calls {

// The flags by Access. Binary mode both ways: the file holds the number's text alone, never a CR.
constexpr int ACCESS_FLAGS[] = {_O_RDWR | _O_CREAT, _O_WRONLY | _O_CREAT | _O_TRUNC, _O_RDONLY};

// A relative path: the file lands in the working directory and stays there after exit. A file it
// creates is an ordinary, writable one.
File open_scratch(Access access) {
  const int flags = ACCESS_FLAGS[static_cast<int>(access)] | _O_BINARY | _O_NOINHERIT;
  return _open(SCRATCH_FILE_NAME, flags, _S_IREAD | _S_IWRITE);
}

void close_file(File file) { _close(file); }

// Windows has no named pipes among its files: a pipe's name lives in a namespace of its own.
FileKind kind_of(File file, long long& size) {
  struct _stat64 status;
  if (_fstat64(file, &status) != 0 || (status.st_mode & _S_IFMT) != _S_IFREG) return FileKind::other;
  size = status.st_size;
  return FileKind::regular;
}

bool is_named_pipe() { return false; }

int write_some(File file, const char* bytes, int length) {
  return _write(file, bytes, static_cast<unsigned>(length));
}

int read_some(File file, char* bytes, int room, int offset) {
  if (offset >= 0 && _lseeki64(file, offset, SEEK_SET) != offset) return -1;
  return _read(file, bytes, static_cast<unsigned>(room));
}

int cut_to(File file, int length) { return _chsize_s(file, length); }

// CR LF, the line end of a Windows console program, in one WriteFile to the handle behind standard
// output: no text-mode translation in between, and the write is the line's flush.
const char* const CONSOLE_LINE_END = "\r\n";

bool write_console(const char* line, int length) {
  const auto console = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stdout)));
  const auto size = static_cast<DWORD>(length);
  DWORD written = 0;
  return console != INVALID_HANDLE_VALUE && WriteFile(console, line, size, &written, nullptr) &&
         written == size;
}

}  // namespace scratch_calls
