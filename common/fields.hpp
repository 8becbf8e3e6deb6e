// The fields of a catalogue line: whether a line holds a question at all,
// cutting it into fields in place (at runs of blanks and tabs, or
// CSV-style at a delimiter), choosing the fields that hold a question by
// number or by the header's names.  Uses the line reader's limits.
#ifndef FIELDS_HPP
#define FIELDS_HPP

#include <cstring>

#include "line_reader.hpp"

// The most fields that a question has.
constexpr int FIELDS_MAX = 16;
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

#endif
