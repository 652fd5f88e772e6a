// The file and console calls the scratch file's round trip is made of, one set per platform
// (text/scratch_file_posix.cpp, text/scratch_file_windows.cpp). Every call acts on "1.txt" in the
// working directory or on a file opened by one of them; a call the system interrupts is made again
// inside, and one that fails leaves its reason in errno. The round trip itself, over these calls, is text/scratch_file.cpp.
#pragma once

namespace scratch_calls {

using File = int;  // an open file's number; negative where none was opened

enum class FileKind { regular, named_pipe, other };  // other: also one that cannot be examined

// How "1.txt" is opened: for reading and writing, created where missing; for writing, emptied and
// created where missing; for reading.
enum class Access { update, write_anew, read };

// "1.txt" opened as access says; negative where it cannot be.
File open_scratch(Access access);
void close_file(File file);

// What an open file is, and its size where it is a regular file.
FileKind kind_of(File file, long long& size);
// Whether "1.txt" is a named pipe, asked by name before opening it (opening one would wait).
bool is_named_pipe();

// One write at the file position: the bytes written, 0 where none were and the system said nothing,
// negative where the write failed.
int write_some(File file, const char* bytes, int length);
// One read at the file position, or at offset from the start where offset is not negative: the
// bytes read, 0 at the end of the file, negative where the read failed.
int read_some(File file, char* bytes, int room, int offset);
// Cuts an open file to length bytes: 0, or the reason it could not be.
int cut_to(File file, int length);

// The console's line end, and one line of it written to standard output and flushed: whether the
// console took all of it.
extern const char* const CONSOLE_LINE_END;
bool write_console(const char* line, int length);

// Shared by the platform files, written once in text/scratch_file.cpp: write_some until everything
// is written or a write fails; the bytes written. A failed write leaves its reason in error (EIO for
// a write that wrote nothing and said nothing).
int write_fully(File file, const char* bytes, int length, int& error);

}  // namespace scratch_calls
