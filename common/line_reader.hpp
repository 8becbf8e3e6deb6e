// The line reader of catalogue mode: the lines of standard input, or of
// any source that reads as read(2) does, taken one at a time into a buffer
// of fixed size that the caller owns.  Uses the C library only.
#ifndef COMMON_LINE_READER_HPP
#define COMMON_LINE_READER_HPP

#include <unistd.h>

#include <cerrno>
#include <cstring>

// The longest line of a catalogue, in bytes before its line end.
constexpr size_t LINE_MAX_BYTES = 65536;
// The most bytes that a line reader takes in one read.
constexpr size_t BLOCK_MAX = 1 << 16;

// Reads up to n bytes into buf from source, as read(2) does: returns the
// number read, 0 at the end, or -1 with errno.
using ReadBytes = ssize_t (*)(void *source, char *buf, size_t n);

// ReadBytes for standard input; source is unused.
inline ssize_t read_stdin(void *, char *buf, size_t n) { return read(STDIN_FILENO, buf, n); }

// ReadBytes for the file descriptor that source points to.
inline ssize_t read_fd(void *source, char *buf, size_t n) { return read(*static_cast<int *>(source), buf, n); }

// The bytes after the room of a line reader's buffer, which reads of a
// word at a time may touch past a line's NUL, and no read fills.
constexpr size_t LINE_SLACK = 8;

// A reader of lines from the bytes that read gives from source, in reads
// of at most block bytes (1 to BLOCK_MAX), into its own buffer: room for a
// whole line, its newline and a block, and LINE_SLACK.  A caller makes one
// with line_reader(), and keeps it where its size is no burden: it is
// large.
struct LineReader {
	ReadBytes read;
	void *source;
	size_t block;
	size_t start, end; // the bytes read and not yet taken
	size_t searched;   // how many of them, from start, hold no newline
	bool eof;
	char buf[LINE_MAX_BYTES + 2 + BLOCK_MAX + LINE_SLACK];
};

// Sets r up to read lines from source through read, in blocks of block
// bytes (at most BLOCK_MAX).
inline void line_reader(LineReader &r, ReadBytes read, void *source, size_t block)
{
	r.read = read;
	r.source = source;
	r.block = block < 1 ? 1 : block > BLOCK_MAX ? BLOCK_MAX : block;
	r.start = r.end = r.searched = 0;
	r.eof = false;
}

// Takes the next line of r, without its newline, into *text and *length:
// in place, in r's buffer, with a NUL after it, valid until the next call.
// Bytes are read a block at most at a time, as they come, so that at a
// terminal each line is taken as soon as it is entered.  A line longer
// than LINE_MAX_BYTES + 1 bytes is skipped to its end and taken as
// overlong, its text cut short.  Returns 1 for a line, 0 at the end of the
// input, and -1, with errno, if the input cannot be read.
inline int read_line(LineReader &r, char **text, size_t *length, bool *overlong)
{
	*overlong = false;
	for (;;) {
		char *line = r.buf + r.start;
		char *newline = static_cast<char *>(std::memchr(line + r.searched, '\n', r.end - r.start - r.searched));
		r.searched = r.end - r.start;
		if (newline != nullptr || (r.eof && (r.start < r.end || *overlong))) {
			*text = line;
			*length = newline ? static_cast<size_t>(newline - line) : r.end - r.start;
			line[*length] = '\0';
			r.start += *length + (newline != nullptr);
			r.searched = 0;
			return 1;
		}
		if (r.eof)
			return 0;
		if (r.end - r.start > LINE_MAX_BYTES + 1) {
			*overlong = true;
			r.start = r.end;
			r.searched = 0;
		}
		// Move the start of the line to the front, and read on after it.
		if (r.start > 0) {
			std::memmove(r.buf, line, r.end - r.start);
			r.end -= r.start;
			r.start = 0;
		}
		size_t room = sizeof r.buf - LINE_SLACK - 1 - r.end;
		ssize_t got = r.read(r.source, r.buf + r.end, room < r.block ? room : r.block);
		if (got < 0 && errno == EINTR)
			continue;
		if (got < 0)
			return -1;
		r.eof = got == 0;
		r.end += static_cast<size_t>(got);
	}
}

#endif
