// The reference catalogue of a match read from FILE: its lines read as
// catalogue mode reads standard input, and the position of each line
// that holds one added to the catalogue, then the index built over them.
// Uses common/catalogue.hpp, reference.hpp and match_index.hpp.
#ifndef SKYSEP_MATCH_FILE_HPP
#define SKYSEP_MATCH_FILE_HPP

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "catalogue.hpp"
#include "coordinates.hpp"
#include "line_reader.hpp"
#include "match_index.hpp"
#include "messages.hpp"
#include "reference.hpp"

// Reports that FILE, named name, does not fit in memory, with the rows
// read into r.  Returns -1.
inline int too_large(const char *prog, const char *name, const Reference &r)
{
	std::fprintf(stderr, "%s: %s: too large for memory (%zu rows read)\n", prog, escaped(name), r.count);
	return -1;
}

// Reads the reference catalogue of a match from the lines of in, those of
// FILE, named name in messages, into r, and builds index over it.
//
// Given:
//    in       FILE's lines, from the first
//    cutting  the fields ra dec of a line: its columns and delimiter
//    reading  the reading of a right ascension and a declination
// Returned:
//    r        a row for each line of a position, its line number in FILE
//    index    the index over r's rows
//    (value)  0; 1 if a line was refused, with its message "PROG:
//             FILE:N: ..." (the match goes on without it); or -1 after
//             the message that ends the run: FILE unreadable, too large
//             for memory, or a header that names no column
// Notes:
// 1. A blank line and a comment are skipped, and the header where the
//    columns are named, as catalogue mode skips them.
inline int read_reference(const char *prog, const char *name, LineReader &in, const Cutting &cutting,
                          const Reading &reading, Reference &r, MatchIndex &index)
{
	Questions &q = questions_for(cutting);
	bool refused = false;
	for (unsigned long long number = 1;; number++) {
		char *text, **question;
		size_t length;
		bool overlong;
		int got = next_line(in, number, &text, &length, &overlong);
		if (got < 0) {
			std::fprintf(stderr, "%s: %s: %s\n", prog, escaped(name), std::strerror(errno));
			return -1;
		}
		if (got == 0)
			break;
		Where where = {name, number};
		LineHolds holds = classify(prog, where, text, length, overlong, cutting, q, &question);
		if (holds == LAST)
			return -1;
		refused = refused || holds == FAULT;
		if (holds != QUESTION)
			continue;
		double ra, dec;
		Refusal refusal;
		if (!get_position(question[0], question[1], reading, &ra, &dec, refusal)) {
			report_refusal(prog, where, refusal, true);
			refused = true;
		} else if (!add_reference_row(r, ra, dec, number)) {
			return too_large(prog, name, r);
		}
	}
	if (!build_match_index(r, index))
		return too_large(prog, name, r);
	return refused ? 1 : 0;
}

// Reads the reference catalogue from the file at path, as
// read_reference() does, through a line reader in static memory.
// Returns as read_reference(); -1 too, after "PROG: FILE: reason", if
// FILE cannot be opened.
inline int read_match_file(const char *prog, const char *path, const Cutting &cutting, const Reading &reading,
                           Reference &r, MatchIndex &index)
{
	static LineReader in;
	int fd = open(path, O_RDONLY | O_CLOEXEC);
	if (fd < 0) {
		std::fprintf(stderr, "%s: %s: %s\n", prog, escaped(path), std::strerror(errno));
		return -1;
	}
	line_reader(in, read_fd, &fd, BLOCK_MAX);
	int status = read_reference(prog, path, in, cutting, reading, r, index);
	close(fd);
	return status;
}

#endif
