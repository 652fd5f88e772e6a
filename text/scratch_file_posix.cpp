// The scratch file's and the console's calls through POSIX.
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

#include <cerrno>

#include "text/scratch_file.h"
#include "text/scratch_file_platform.h"

namespace scratch_calls {

// Relative path: the file lands in the working directory and stays there after exit.
constexpr const char* SCRATCH_FILE = SCRATCH_FILE_NAME;
constexpr mode_t NEW_FILE_MODE = 0666;  // as an output stream creates it, less the umask
constexpr int ACCESS_FLAGS[] = {O_RDWR | O_CREAT, O_WRONLY | O_CREAT | O_TRUNC, O_RDONLY};  // by Access

File open_scratch(Access access) {
  return open(SCRATCH_FILE, ACCESS_FLAGS[static_cast<int>(access)] | O_CLOEXEC, NEW_FILE_MODE);
}

void close_file(File file) { close(file); }

FileKind kind_of(File file, long long& size) {
  struct stat status;
  if (fstat(file, &status) != 0) return FileKind::other;
  size = status.st_size;
  if (S_ISFIFO(status.st_mode)) return FileKind::named_pipe;
  return S_ISREG(status.st_mode) ? FileKind::regular : FileKind::other;
}

bool is_named_pipe() {
  struct stat status;
  return stat(SCRATCH_FILE, &status) == 0 && S_ISFIFO(status.st_mode);
}

int write_some(File file, const char* bytes, int length) {
  ssize_t n;
  do n = write(file, bytes, static_cast<size_t>(length));
  while (n < 0 && errno == EINTR);
  return static_cast<int>(n);
}

int read_some(File file, char* bytes, int room, int offset) {
  const auto size = static_cast<size_t>(room);
  ssize_t n;
  do n = offset >= 0 ? pread(file, bytes, size, offset) : read(file, bytes, size);
  while (n < 0 && errno == EINTR);
  return static_cast<int>(n);
}

int cut_to(File file, int length) {
  while (ftruncate(file, length) != 0)
    if (errno != EINTR) return errno;
  return 0;
}

const char* const CONSOLE_LINE_END = "\n";

bool write_console(const char* line, int length) {
  int error = 0;
  return write_fully(STDOUT_FILENO, line, length, error) == length;
}

}  // namespace scratch_calls
