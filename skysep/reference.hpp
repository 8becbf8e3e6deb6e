// The reference catalogue of a match, in memory: the position and the
// line number of each row of FILE accepted, in 32 bytes a row, in room
// that mmap(2) maps and mremap(2) grows as rows are added, so that nothing
// comes from the heap; a FILE larger than memory gives room for is
// refused, never a crash.  Uses angles.hpp and the C library only.
#ifndef SKYSEP_REFERENCE_HPP
#define SKYSEP_REFERENCE_HPP

#include <sys/mman.h>

#include <cstddef>
#include <cstdint>

#include "angles.hpp"

// A row of the reference catalogue: its position, which building the
// index turns into its unit vector, its line number in FILE, from 1, and
// the cell of the match index that holds it, which building the index
// sets.
struct ReferenceRow {
	union {
		double position[3]; // as added: right ascension and declination, radians, and 0
		Vec v;              // once the index is built: the unit vector
	};
	uint32_t line;
	uint32_t cell;
};
static_assert(sizeof(ReferenceRow) == 32, "a row takes 32 bytes");

// The most rows a catalogue holds, and its largest line number: what 32
// bits count, so that the index counts its rows in 32 bits too.
constexpr unsigned long long REFERENCE_MAX = UINT32_MAX;
// The rows of the first mapping, 2 MiB: one grows it by a quarter at a
// time, and by a sixty-fourth when memory refuses a quarter, so that the
// room takes 40 bytes a row held at the most.
constexpr size_t REFERENCE_FIRST_ROOM = 65536;

// The rows held, in a mapping of room rows; Reference{} holds none and
// maps nothing.
struct Reference {
	ReferenceRow *rows;
	size_t count;
	size_t room;
};

// The bytes of the mapping that holds r's rows.
inline size_t reference_bytes(const Reference &r) { return r.room * sizeof(ReferenceRow); }

// Maps room rows for r, the rows held kept, or remaps them to room, more
// or fewer: false, with r unchanged, if memory refuses.
inline bool remap_reference(Reference &r, size_t room)
{
	size_t bytes = room * sizeof(ReferenceRow);
	void *p = r.rows == nullptr
	                  ? mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0)
	                  : mremap(r.rows, reference_bytes(r), bytes, MREMAP_MAYMOVE);
	if (p == MAP_FAILED)
		return false;
	r.rows = static_cast<ReferenceRow *>(p);
	r.room = room;
	return true;
}

// Grows the room of r: to REFERENCE_FIRST_ROOM rows at first, then by a
// quarter, or by a sixty-fourth if memory refuses a quarter, up to
// REFERENCE_MAX rows and what a size_t counts in bytes.  Returns false,
// with r unchanged, if memory refuses even that, or r is at its largest.
// The rows are not copied: mremap(2) moves their pages.
inline bool grow_reference(Reference &r)
{
	size_t largest = SIZE_MAX / sizeof(ReferenceRow);
	if (largest > REFERENCE_MAX)
		largest = REFERENCE_MAX;
	if (r.room >= largest)
		return false;
	if (r.room == 0)
		return remap_reference(r, REFERENCE_FIRST_ROOM);
	size_t left = largest - r.room, quarter = r.room / 4, part = r.room / 64;
	return remap_reference(r, r.room + (quarter < left ? quarter : left)) ||
	       remap_reference(r, r.room + (part < left ? part : left));
}

// Adds the row of FILE's line number line (from 1) at the position (ra,
// dec), in radians, to r.
//
// Given:
//    ra, dec  the position, radians, as coordinates.hpp reads it
//    line     its line number in FILE, from 1, every line counted
// Returned:
//    (value)  false, with r unchanged, if r has no room for the row:
//             memory refuses more (as under ulimit -v), or r holds
//             REFERENCE_MAX rows, or line is past REFERENCE_MAX; the
//             caller reports FILE too large for memory, with r.count
//             the rows read
inline bool add_reference_row(Reference &r, double ra, double dec, unsigned long long line)
{
	if (line > REFERENCE_MAX || (r.count == r.room && !grow_reference(r)))
		return false;
	r.rows[r.count++] = ReferenceRow{{{ra, dec, 0}}, static_cast<uint32_t>(line), 0};
	return true;
}

// Gives back the room of the rows, which should not be read after: r
// holds none.
inline void release_reference(Reference &r)
{
	if (r.rows != nullptr)
		munmap(r.rows, reference_bytes(r));
	r = Reference{};
}

#endif
