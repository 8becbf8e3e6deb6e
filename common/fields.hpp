// The fields of a catalogue line: whether a line holds a question at all,
// cutting it into fields in place (at runs of blanks and tabs, or
// CSV-style at a delimiter), choosing the fields that hold a question by
// number or by the header's names, and joining the split columns of a
// coordinate.  Uses the line reader's limits.
#ifndef COMMON_FIELDS_HPP
#define COMMON_FIELDS_HPP

#include <cstdint>
#include <cstring>

#include "decimal.hpp"
#include "line_reader.hpp"

// The most values that a question has, and the most fields that they take.
constexpr int VALUES_MAX = 8;
constexpr int FIELDS_MAX = 16;
// The most fields that one value joins: a sign, then three numbers.
constexpr int PARTS_MAX = 4;
// The largest field number that --columns takes: the most fields that a
// line of LINE_MAX_BYTES holds, all of them empty between delimiters.
constexpr int FIELD_NUMBER_MAX = LINE_MAX_BYTES + 1;

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

// Whether the n bytes at p hold a NUL, read eight at a time as
// field_end() reads them: a byte flagged by (w - 0x01...) & ~w & 0x80...
// at or after the n is masked off.  Reads up to 7 bytes after the n,
// which must be readable, as a line reader's are.
inline bool holds_nul(const char *p, size_t n)
{
	for (size_t i = 0; i < n; i += 8) {
		uint64_t w;
		std::memcpy(&w, p + i, sizeof w);
		uint64_t zero = (w - 0x0101010101010101) & ~w & 0x8080808080808080;
		if (n - i < 8)
			zero &= (uint64_t{1} << (8 * (n - i))) - 1;
		if (zero != 0)
			return true;
	}
	return false;
}

// The end of the field of a blank-separated line that begins at p: the
// first blank, tab or NUL, the line's last, at or after p.  The bytes up
// to the line's NUL, and LINE_SLACK after it, are readable.
//
// Eight bytes at a time: in a word read in the machine's order, little
// endian, the lowest byte flagged by (w - 0x21...) & ~w & 0x80... is the
// first byte below 0x21 (bytes above, and those of 0x80 and more, are
// never flagged first); a control byte other than a tab is part of the
// field, and the search goes on after it.
inline char *field_end(char *p)
{
	static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "the first flagged byte is the lowest");
	for (;;) {
		uint64_t w;
		std::memcpy(&w, p, sizeof w);
		uint64_t low = (w - 0x2121212121212121) & ~w & 0x8080808080808080;
		if (low == 0) {
			p += 8;
			continue;
		}
		p += __builtin_ctzll(low) >> 3;
		if (*p == ' ' || *p == '\t' || *p == '\0')
			return p;
		p++;
	}
}

// Cuts the next field of f, without a delimiter, into *field: the text up
// to the next blank, tab or the end.  Returns 1 for a field, 0 at the end
// of the line.
inline int next_blank_field(Fields &f, char **field)
{
	char *r = f.p, *end = f.end;
	while (r < end && (*r == ' ' || *r == '\t'))
		r++;
	if (r == end)
		return 0;
	*field = r;
	r = field_end(r);
	*r = '\0';
	f.p = r + (r < end);
	return 1;
}

// Cuts the next field of f, with its delimiter, CSV-style, into *field.
// Returns 1 for a field, 0 at the end of the line, and -1 for a quoted
// field still open at the end of the line: a field never spans lines.
inline int next_csv_field(Fields &f, char **field)
{
	char *r = f.p, *end = f.end;
	char d = f.delimiter;
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
	// r never passes end; saying so spares the compiler a doubt.
	size_t left = r < end ? static_cast<size_t>(end - r) : 0;
	char *stop = static_cast<char *>(std::memchr(r, d, left));
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

// Cuts the next field of f into *field, at blanks or at its delimiter.
// Returns 1 for a field, 0 at the end of the line, and -1 for a quoted
// field still open at the end of the line.
inline int next_field(Fields &f, char **field)
{
	return f.delimiter == '\0' ? next_blank_field(f, field) : next_csv_field(f, field);
}

// Which fields of a line hold the values of a question, in order: one
// field each, or for a coordinate written in split columns, two to four
// fields joined (a sign, then the unit, minutes and seconds).
// A plain aggregate, made empty by Columns{}, so that a static one needs
// no code to set it up.
struct Columns {
	int count;                    // values a question has
	int first[VALUES_MAX + 1];    // value k's fields are parts first[k] to first[k + 1] - 1
	int number[FIELDS_MAX];       // the field of each part, from 1; 0 until named; with bytes, its first byte
	int last[FIELDS_MAX];         // with bytes, the last byte of each part, from 1
	const char *name[FIELDS_MAX]; // its name in a header, or null
	int largest;                  // the largest field number, or with bytes the largest last byte
	bool chosen;                  // chosen by --columns or --bytes; else fields 1 to count
	bool bytes;                   // chosen by --bytes: each part a range of bytes
	bool joined;                  // a value joins fields
};

// The first count fields, one for each value, in order.
inline Columns first_columns(int count)
{
	Columns c = {};
	c.count = count;
	for (int k = 0; k <= count; k++)
		c.first[k] = k;
	for (int k = 0; k < count; k++)
		c.number[k] = k + 1;
	c.largest = count;
	return c;
}

// The number written in digits at *p, up to most, with *p set after the
// digits; -1 for no digits or a number above most.
inline long read_count(const char **p, long most)
{
	long n = 0;
	const char *q = *p;
	for (; is_digit(*q) && n <= most; q++)
		n = n * 10 + (*q - '0');
	if (q == *p || n > most || is_digit(*q))
		return -1;
	*p = q;
	return n;
}

// Ends the part just read of a list of columns, before the byte next:
// a "+" joins the next part to the same value, anything else ends the
// value.
inline void end_part(Columns &c, int *k, int *part, char next)
{
	++*part;
	if (next != '+')
		c.first[++*k] = *part;
}

// Reads list, count entries separated by commas, into columns, cutting the
// names off in place.  An entry is a field, a field number from 1 to
// FIELD_NUMBER_MAX or a column name, or two to four fields joined by "+":
// at most FIELDS_MAX fields in all.  Returns false, with the list
// unchanged, if it is not such a list.
inline bool choose_columns(char *list, int count, Columns &columns)
{
	Columns c = {};
	c.count = count;
	c.chosen = true;
	int k = 0, part = 0;
	for (char *p = list;; p++) {
		char *entry = p;
		p += std::strcspn(p, ",+");
		size_t digits = std::strspn(entry, "0123456789");
		if (k == count || part == FIELDS_MAX || p == entry || part - c.first[k] == PARTS_MAX)
			return false;
		if (entry + digits == p) {
			const char *q = entry;
			long number = read_count(&q, FIELD_NUMBER_MAX);
			if (number < 1)
				return false;
			c.number[part] = static_cast<int>(number);
			if (c.number[part] > c.largest)
				c.largest = c.number[part];
		} else {
			c.name[part] = entry;
		}
		end_part(c, &k, &part, *p);
		if (*p == '\0')
			break;
	}
	if (k != count)
		return false;
	for (char *p = list; (p = std::strpbrk(p, ",+")) != nullptr;)
		*p++ = '\0';
	c.joined = part > count;
	columns = c;
	return true;
}

// Reads list, count entries separated by commas, into columns as ranges
// of bytes: an entry is a range, N or N-M, the bytes from N to M counted
// from 1, as cut -b writes them (1 <= N <= M <= LINE_MAX_BYTES), or two to
// four ranges joined by "+": at most FIELDS_MAX in all.  Returns false,
// with columns unchanged, if it is not such a list.
inline bool choose_bytes(const char *list, int count, Columns &columns)
{
	Columns c = {};
	c.count = count;
	c.chosen = c.bytes = true;
	int k = 0, part = 0;
	for (const char *p = list;; p++) {
		if (k == count || part == FIELDS_MAX || part - c.first[k] == PARTS_MAX)
			return false;
		long from = read_count(&p, LINE_MAX_BYTES), to = from;
		if (from >= 0 && *p == '-') {
			p++;
			to = read_count(&p, LINE_MAX_BYTES);
		}
		if (from < 1 || to < from || (*p != '\0' && *p != ',' && *p != '+'))
			return false;
		c.number[part] = static_cast<int>(from);
		c.last[part] = static_cast<int>(to);
		if (c.last[part] > c.largest)
			c.largest = c.last[part];
		end_part(c, &k, &part, *p);
		if (*p == '\0')
			break;
	}
	if (k != count)
		return false;
	c.joined = part > count;
	columns = c;
	return true;
}

// The room that cut_bytes() needs: every part a whole line and its NUL.
constexpr size_t CUT_MAX = FIELDS_MAX * (LINE_MAX_BYTES + 1);

// Cuts the line text, of length bytes, into the ranges of bytes of the
// columns, each copied into buf (CUT_MAX bytes) without the blanks and
// tabs that pad it, and ended by a NUL, and sets fields[i] to part i's.
// Returns -1, or the first part whose range the line ends before.
inline int cut_bytes(const char *text, size_t length, const Columns &columns, char *buf, char *fields[])
{
	for (int i = 0; i < columns.first[columns.count]; i++) {
		if (static_cast<size_t>(columns.last[i]) > length)
			return i;
		const char *a = text + columns.number[i] - 1, *b = text + columns.last[i];
		while (a < b && (*a == ' ' || *a == '\t'))
			a++;
		while (b > a && (b[-1] == ' ' || b[-1] == '\t'))
			b--;
		fields[i] = buf;
		std::memcpy(buf, a, static_cast<size_t>(b - a));
		buf += b - a;
		*buf++ = '\0';
	}
	return -1;
}

// Splits the line text, of length bytes, in place, and sets fields[i] to
// the field of each part i of the columns that the line has.  Returns how
// many fields the line has, or -1 for a quoted field left open.
inline int split(char *text, size_t length, char delimiter, const Columns &columns, char *fields[])
{
	Fields f = {text, text + length, delimiter, true};
	int found = 0, parts = columns.first[columns.count];
	char *field;
	for (int got; (got = next_field(f, &field)) != 0;) {
		if (got < 0)
			return -1;
		found++;
		if (!columns.chosen) {
			if (found <= parts)
				fields[found - 1] = field;
			continue;
		}
		for (int i = 0; i < parts; i++)
			if (columns.number[i] == found)
				fields[i] = field;
	}
	return found;
}

// The room that join() needs: every part a whole line, and a colon after
// each but the last of a value, and a NUL.
constexpr size_t JOINED_MAX = FIELDS_MAX * (LINE_MAX_BYTES + 2);

// The values of a question from the fields of its parts (split()), into
// values: a value of one field is that field; one that joins fields is
// their texts written into buf (JOINED_MAX bytes), separated by colons, as
// if written A:B:C, but that a lone + or - in the first of three or four
// fields is the sign, with no colon after it.
inline void join(const Columns &columns, char *const fields[], char *buf, char *values[])
{
	for (int k = 0; k < columns.count; k++) {
		int i = columns.first[k], end = columns.first[k + 1];
		if (end - i == 1) {
			values[k] = fields[i];
			continue;
		}
		values[k] = buf;
		if (end - i >= 3 && (std::strcmp(fields[i], "+") == 0 || std::strcmp(fields[i], "-") == 0))
			*buf++ = *fields[i++];
		for (; i < end; i++) {
			size_t n = std::strlen(fields[i]);
			std::memcpy(buf, fields[i], n);
			buf += n;
			*buf++ = i + 1 < end ? ':' : '\0';
		}
	}
}

// How the lines of a catalogue are cut into fields: --delimiter's byte,
// or 0 for runs of blanks and tabs, and the fields that hold a question.
struct Cutting {
	char delimiter = 0;
	Columns columns;
};

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
		for (int i = 0; i < columns.first[columns.count]; i++) {
			if (columns.name[i] != nullptr && columns.number[i] == 0 && std::strcmp(columns.name[i], field) == 0) {
				columns.number[i] = found;
				if (found > columns.largest)
					columns.largest = found;
			}
		}
	}
	return true;
}

#endif
