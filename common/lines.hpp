// Lines of a catalogue and their fields: reading them line by line, cutting a line into fields (at blanks, or CSV-style at a
// delimiter), choosing the fields that hold a question, and escaping a
// text for a message.
#ifndef LINES_HPP
#define LINES_HPP

#include <unistd.h>

#include <cerrno>
#include <cstring>

// The longest line of a catalogue, in bytes before its line end.
constexpr size_t LINE_MAX_BYTES = 65536;
// The most fields that a question has.
constexpr int FIELDS_MAX = 4;
// The largest field number that --columns takes: the most fields that a
// line of LINE_MAX_BYTES holds, all of them empty between delimiters.
constexpr int FIELD_NUMBER_MAX = LINE_MAX_BYTES + 1;

// The most bytes that a line reader takes in one read.
constexpr size_t BLOCK_MAX = 1 << 16;

// Reads up to n bytes into buf from source, as read(2) does: returns the
// number read, 0 at the end, or -1 with errno.
using ReadBytes = ssize_t (*)(void *source, char *buf, size_t n);

// ReadBytes for standard input; source is unused.
inline ssize_t read_stdin(void *, char *buf, size_t n) { return read(STDIN_FILENO, buf, n); }

// A reader of lines from the bytes that read gives from source, in reads
// of at most block bytes (1 to BLOCK_MAX), into its own buffer: room for a
// whole line, its newline and a block.  A caller makes one with
// line_reader(), and keeps it where its size is no burden: it is large.
struct LineReader {
	ReadBytes read;
	void *source;
	size_t block;
	size_t start, end; // the bytes read and not yet taken
	size_t searched;   // how many of them, from start, hold no newline
	bool eof;
	char buf[LINE_MAX_BYTES + 2 + BLOCK_MAX];
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
		size_t room = sizeof r.buf - 1 - r.end;
		ssize_t got = r.read(r.source, r.buf + r.end, room < r.block ? room : r.block);
		if (got < 0 && errno == EINTR)
			continue;
		if (got < 0)
			return -1;
		r.eof = got == 0;
		r.end += static_cast<size_t>(got);
	}
}

// Whether the line text, of length bytes, is one without an answer: blank
// (blanks and tabs only, or nothing), or a comment or header, whose first
// other character is #.
inline bool is_blank_or_comment(const char *text, size_t length)
{
	size_t i = 0;
	while (i < length && (text[i] == ' ' || text[i] == '\t'))
		i++;
	return i == length || text[i] == '#';
}

// The fields of a line, cut off one by one in place, each ended by a NUL
// where its separator was.  Without a delimiter, fields are separated by
// runs of blanks and tabs.  With one, each delimiter separates, so an
// empty field between two counts; blanks and tabs around a field are
// dropped, unless one is the delimiter; and a field that begins with a
// double quote runs to its closing quote, with "" for one quote inside,
// and may hold the delimiter (any text after the closing quote is kept).
struct Fields {
	char *p, *end;  // what is left of the line, which holds no NUL; *end is a NUL
	char delimiter; // 0 for runs of blanks and tabs
	bool more;      // with a delimiter: whether a field is left
};

inline bool is_blank(char c, char delimiter) { return (c == ' ' || c == '\t') && c != delimiter; }

// Cuts the next field of f into *field.  Returns 1 for a field, 0 at the
// end of the line, and -1 for a quoted field still open at the end of the
// line: a field never spans lines.
inline int next_field(Fields &f, char **field)
{
	char *r = f.p, *end = f.end;
	char d = f.delimiter;
	if (d == '\0') {
		while (r < end && (*r == ' ' || *r == '\t'))
			r++;
		if (r == end)
			return 0;
		*field = r;
		// To the blank, the tab or the NUL at the end that ends the field;
		// the bytes above the blank are read in the tighter loop.
		for (;;) {
			while (static_cast<unsigned char>(*r) > ' ')
				r++;
			if (*r == ' ' || *r == '\t' || *r == '\0')
				break;
			r++;
		}
		*r = '\0';
		f.p = r + (r < end);
		return 1;
	}
	if (!f.more)
		return 0;
	while (r < end && is_blank(*r, d))
		r++;
	char *w = r, *kept = r; // where the field's text is written, and its end kept
	*field = r;
	if (r < end && *r == '"') {
		for (r++;; r++) {
			if (r == end)
				return -1;
			if (*r == '"' && (r + 1 == end || r[1] != '"'))
				break;
			r += *r == '"'; // the first of "" is dropped
			*w++ = *r;
		}
		r++;
		kept = w;
	}
	char *stop = static_cast<char *>(std::memchr(r, d, static_cast<size_t>(end - r)));
	if (stop == nullptr)
		stop = end;
	if (w == r) {
		w = stop;
	} else {
		while (r < stop)
			*w++ = *r++;
	}
	while (w > kept && is_blank(w[-1], d))
		w--;
	*w = '\0';
	f.more = stop < end;
	f.p = stop + f.more;
	return 1;
}

// Which fields of a line hold the coordinates of a question, in order.
struct Columns {
	int count = 0;                     // coordinates a question has
	int number[FIELDS_MAX] = {};       // the field of each, from 1; 0 until named
	const char *name[FIELDS_MAX] = {}; // its name in a header, or null
	int largest = 0;                   // the largest field number
	bool chosen = false;               // chosen by --columns; else fields 1 to count
};

// The first count fields, in order.
inline Columns first_columns(int count)
{
	Columns c;
	c.count = count;
	for (int k = 0; k < count; k++)
		c.number[k] = k + 1;
	c.largest = count;
	return c;
}

// Reads list, count entries separated by commas, each a field number from
// 1 to FIELD_NUMBER_MAX or a column name, into columns, cutting the names
// off in place.  Returns false, with the list unchanged, if it is not
// such a list.
inline bool choose_columns(char *list, int count, Columns &columns)
{
	Columns c;
	c.count = count;
	c.chosen = true;
	int k = 0;
	for (char *p = list;; p++) {
		char *entry = p;
		p += std::strcspn(p, ",");
		size_t digits = std::strspn(entry, "0123456789");
		if (k == count || p == entry)
			return false;
		if (entry + digits == p) {
			long number = 0;
			for (char *q = entry; q < p && number <= FIELD_NUMBER_MAX; q++)
				number = number * 10 + (*q - '0');
			if (number < 1 || number > FIELD_NUMBER_MAX)
				return false;
			c.number[k] = static_cast<int>(number);
			if (c.number[k] > c.largest)
				c.largest = c.number[k];
		} else {
			c.name[k] = entry;
		}
		k++;
		if (*p == '\0')
			break;
	}
	if (k != count)
		return false;
	for (char *p = list; (p = std::strchr(p, ',')) != nullptr;)
		*p++ = '\0';
	columns = c;
	return true;
}

// Splits the line text, of length bytes, in place, and sets fields[k] to
// the field of each column k that the line has.  Returns how many fields
// the line has, or -1 for a quoted field left open.
inline int split(char *text, size_t length, char delimiter, const Columns &columns, char *fields[])
{
	Fields f = {text, text + length, delimiter, true};
	int found = 0;
	char *field;
	for (int got; (got = next_field(f, &field)) != 0;) {
		if (got < 0)
			return -1;
		found++;
		if (!columns.chosen) {
			if (found <= columns.count)
				fields[found - 1] = field;
			continue;
		}
		for (int k = 0; k < columns.count; k++)
			if (columns.number[k] == found)
				fields[k] = field;
	}
	return found;
}

// Names the columns from the header line text, of length bytes: each
// column with a name gets the number of the first field of that name.
// Returns false for a quoted field left open.
inline bool name_columns(char *text, size_t length, char delimiter, Columns &columns)
{
	Fields f = {text, text + length, delimiter, true};
	int found = 0;
	char *field;
	for (int got; (got = next_field(f, &field)) != 0;) {
		if (got < 0)
			return false;
		found++;
		for (int k = 0; k < columns.count; k++) {
			if (columns.name[k] != nullptr && columns.number[k] == 0 && std::strcmp(columns.name[k], field) == 0) {
				columns.number[k] = found;
				if (found > columns.largest)
					columns.largest = found;
			}
		}
	}
	return true;
}

// The text with each control byte written as \x and two hex digits, so
// that a file cannot drive the user's terminal through a message.  Valid
// until the next call.
inline const char *escaped(const char *text)
{
	static char buf[4 * LINE_MAX_BYTES + 1];
	char *p = buf;
	for (const unsigned char *t = reinterpret_cast<const unsigned char *>(text); *t; t++) {
		if (p + 4 >= buf + sizeof buf)
			break;
		if (*t < 0x20 || *t == 0x7f) {
			*p++ = '\\';
			*p++ = 'x';
			*p++ = "0123456789abcdef"[*t >> 4];
			*p++ = "0123456789abcdef"[*t & 15];
		} else {
			*p++ = static_cast<char>(*t);
		}
	}
	*p = '\0';
	return buf;
}

#endif
