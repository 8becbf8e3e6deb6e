// The match index over a reference catalogue, and the search in it for
// the row nearest a position within a radius.  The part of the sky that
// the rows cover, their declinations and a span of right ascension, is
// cut into zones of declination of equal height, and each zone into cells
// of right ascension about as wide as high, ROWS_PER_CELL rows to a cell
// on the average of rows spread over that part; the rows are sorted by
// cell in place, so that each cell, and each run of cells of a zone, is a
// run of rows.  A search takes the zones that the cap of the radius
// reaches, in each the run of cells that it spans, and of their rows the
// nearest by angles.hpp's angle_between(), the separation that skysep
// prints.  The index takes 4 bytes a cell, and during its building 4
// more, in room that mmap(2) maps.  Uses angles.hpp and reference.hpp.
#ifndef SKYSEP_MATCH_INDEX_HPP
#define SKYSEP_MATCH_INDEX_HPP

#include <sys/mman.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <initializer_list>

#include "angles.hpp"
#include "reference.hpp"

#ifndef MADV_COLLAPSE
#define MADV_COLLAPSE 25 // Linux 6.1's, which the C library's headers may lack
#endif

// The rows of a cell on average: a search of 1" mostly reads one cell,
// four lines of the processor's cache in a row, and the index takes half
// a byte a row.
constexpr double ROWS_PER_CELL = 8;
// The most zones: 40000 zones of about as many cells as rows / ROWS_PER_CELL
// in all, which 32 bits count.
constexpr uint32_t ZONES_MAX = 40000;
// The bins of right ascension whose longest run without a row is left
// out of the zones, and the widening of the span that is left, radians.
constexpr uint32_t RA_BINS = 4096;
constexpr double RA_EDGE = 1e-9;
// The most buckets of cells that the rows are first sorted into.
constexpr uint32_t SORT_BUCKETS = 128;
// The widening of every bound of a search, radians (2 microseconds of
// arc): ten thousand times the rounding of a unit vector, of its
// direction and of the separation, and a hundred times that of the half
// width in right ascension, so that no row that a bound keeps out is
// within the radius by angle_between().
constexpr double SEARCH_MARGIN = 1e-11;
// The argument of asin beyond which a cap is taken to span every right
// ascension: below it asin magnifies a rounding at most 71 times.
constexpr double ASIN_LIMIT = 1 - 1e-4;

// The part of the sky that the rows cover: declinations south to north,
// and right ascensions from west to width east of it, radians.
struct Extent {
	double south, north, west, width;
};

// The index: the rows sorted by cell, the zones over their extent, and
// where each zone's cells and each cell's rows begin.  The cells of a
// zone run east from the extent's west.
struct MatchIndex {
	const ReferenceRow *rows;
	Extent extent;
	uint32_t zones;
	double per_radian;     // zones in a radian of declination; 0 for one zone
	double height;         // a zone's, radians
	const uint32_t *first; // zone k holds the cells first[k] to first[k + 1] - 1
	const uint32_t *start; // cell c holds the rows start[c] to start[c + 1] - 1
	void *map;             // the mapping that holds first and start, of bytes
	size_t bytes;
};

// The right ascension ra east of west, radians, folded into 0 to 2 pi
// (2 pi + RA_EDGE for a west of -RA_EDGE).
inline double east_of(double ra, double west) { return ra >= west ? ra - west : ra - west + 2 * PI; }

// The zone of the declination dec, and the cell, in a zone of m cells, of
// the right ascension east of the extent's west, radians: not yet bounded
// to the zones or the cells, and each a rising function of its angle, as
// floating-point differences and products are, so that an angle between
// two others falls between their zones and cells.
inline double zone_step(double dec, const MatchIndex &index)
{
	return std::floor((dec - index.extent.south) * index.per_radian);
}
inline double cell_step(double east, uint32_t m, double width) { return std::floor(east * m / width); }

// The zone or cell s, bounded to 0 to n - 1.
inline uint32_t bounded(double s, uint32_t n) { return s < 0 ? 0 : s >= n ? n - 1 : static_cast<uint32_t>(s); }

// The west edge of the right ascensions that the rows cover, from the
// bins that hold a row: where the longest run of empty bins ends, 0 hours
// for none, less RA_EDGE, so that the rows of the bin there are east of
// it by their rounding too.
inline double west_edge(const bool occupied[RA_BINS])
{
	uint32_t run = 0, longest = 0, end = 0;
	for (uint32_t i = 0; i < 2 * RA_BINS; i++) { // twice round, for a run across 0 hours
		run = occupied[i % RA_BINS] ? 0 : run + 1;
		if (run > longest && run < RA_BINS)
			longest = run, end = (i + 1) % RA_BINS;
	}
	return end * (2 * PI / RA_BINS) - RA_EDGE;
}

// The right ascension ra, radians, 0 to 2 pi, with 2 pi taken as 0.
inline double folded(double ra) { return ra >= 2 * PI ? 0 : ra; }

// The extent of the rows of r, from their positions, before the index
// turns them into vectors: two passes, the first for the declinations and
// the bins of right ascension, the second for the width east of the west
// edge; a width of 0 is taken as 2 pi.
inline Extent extent_of(const Reference &r)
{
	Extent e = {PI / 2, -PI / 2, -RA_EDGE, 0};
	bool occupied[RA_BINS] = {};
	for (size_t i = 0; i < r.count; i++) {
		double ra = folded(r.rows[i].position[0]), dec = r.rows[i].position[1];
		e.south = std::fmin(e.south, dec);
		e.north = std::fmax(e.north, dec);
		occupied[bounded(std::floor(ra * RA_BINS / (2 * PI)), RA_BINS)] = true;
	}
	if (r.count == 0)
		e.south = e.north = 0;
	e.west = west_edge(occupied);
	for (size_t i = 0; i < r.count; i++)
		e.width = std::fmax(e.width, east_of(folded(r.rows[i].position[0]), e.west));
	if (e.width == 0)
		e.width = 2 * PI;
	return e;
}

// The zones for n rows over the extent e, 1 to ZONES_MAX: about n /
// ROWS_PER_CELL cells about as high as wide.  A zone of height h at
// declination d is width cos d / h cells, and Z zones width (sin north -
// sin south) Z^2 / (north - south)^2 in all.
inline uint32_t zone_count(size_t n, const Extent &e)
{
	double height = e.north - e.south, area = e.width * (std::sin(e.north) - std::sin(e.south));
	double z = std::round(height * std::sqrt(static_cast<double>(n) / ROWS_PER_CELL / area));
	return !(z >= 1) ? 1 : z > ZONES_MAX ? ZONES_MAX : static_cast<uint32_t>(z);
}

// The cells of zone k of the index: as many as the zone's width at its
// edge nearer the equator holds of its height, 1 to most.
inline uint32_t cells_in_zone(const MatchIndex &index, uint32_t k, double most)
{
	double south = index.extent.south + k * index.height, north = south + index.height;
	double edge = south > 0 ? south : north < 0 ? -north : 0;
	double m = std::round(index.extent.width * std::cos(edge) / index.height);
	return !(m >= 1) ? 1 : m > most ? static_cast<uint32_t>(most) : static_cast<uint32_t>(m);
}

// The cell of the position (ra, dec), radians, in the index.
inline uint32_t cell_of(const MatchIndex &index, double ra, double dec)
{
	uint32_t k = bounded(zone_step(dec, index), index.zones), m = index.first[k + 1] - index.first[k];
	return index.first[k] + bounded(cell_step(east_of(folded(ra), index.extent.west), m, index.extent.width), m);
}

// Sorts the rows, whose cells are set, by their cells' keys, cell >>
// shift, in place, each moved once: the rows of key k go to start[k] to
// start[k + 1] - 1, and next[k], from start[k], is where its next one
// goes.
inline void sort_by_key(ReferenceRow *rows, size_t keys, const uint32_t *start, uint32_t *next, int shift)
{
	for (size_t k = 0; k < keys; k++) {
		while (next[k] < start[k + 1]) {
			ReferenceRow &row = rows[next[k]];
			uint32_t key = row.cell >> shift;
			if (key == k) {
				next[k]++;
				continue;
			}
			ReferenceRow moved = rows[next[key]];
			rows[next[key]++] = row;
			row = moved;
		}
	}
}

// Sorts the rows, whose cells are set, by cell, in place: first into at
// most SORT_BUCKETS buckets of cells, then each bucket by cell, so that
// the rows each move goes to lie in the processor's cache.  cell c's rows
// go to start[c] to start[c + 1] - 1; next, of cells entries, is room.
inline void sort_by_cell(ReferenceRow *rows, size_t cells, const uint32_t *start, uint32_t *next)
{
	int shift = 0;
	while ((cells - 1) >> shift >= SORT_BUCKETS)
		shift++;
	size_t buckets = ((cells - 1) >> shift) + 1;
	uint32_t bucket_start[SORT_BUCKETS + 1], bucket_next[SORT_BUCKETS];
	for (size_t b = 0; b < buckets; b++)
		bucket_start[b] = bucket_next[b] = start[b << shift];
	bucket_start[buckets] = start[cells];
	sort_by_key(rows, buckets, bucket_start, bucket_next, shift);
	for (size_t c = 0; c < cells; c++)
		next[c] = start[c];
	sort_by_key(rows, cells, start, next, 0);
}

// Builds the match index over the rows of r, after the last row is
// added: the rows' extent found, each row's cell, its position turned
// into its unit vector by angles.hpp's unit_vector(), the cells counted,
// and the rows sorted by cell in place.
//
// Given:
//    r        the catalogue, every row added: rows are not to be added
//             after, while the index reads them
// Returned:
//    r        its rows, as unit vectors, sorted by cell, and its room cut
//             to them
//    index    the index over them, until release_match_index()
//    (value)  false, with index unset, if memory refuses the index's
//             room, or its cells are more than 32 bits count: the caller
//             reports FILE too large for memory
// Notes:
// 1. The room of the rows is cut first, so that it and the index's take
//    33 bytes a row at the most while it is built, and 32.5 after.
// 2. The rows are then asked to lie in pages of 2 MiB, where the kernel
//    has them (Linux 6.1 on): a search reads rows anywhere, and in pages
//    of 4 KiB most would first miss the processor's table of pages.
inline bool build_match_index(Reference &r, MatchIndex &index)
{
	if (r.count > 0 && r.count < r.room)
		remap_reference(r, r.count); // fewer pages, in place; if refused, more room is kept
	Extent extent = extent_of(r);
	MatchIndex ix = {r.rows, extent, zone_count(r.count, extent), 0, 0, nullptr, nullptr, nullptr, 0};
	ix.height = (ix.extent.north - ix.extent.south) / ix.zones;
	ix.per_radian = ix.zones == 1 ? 0 : ix.zones / (ix.extent.north - ix.extent.south);
	double most = std::fmax(1, std::floor(static_cast<double>(r.count) / ROWS_PER_CELL));
	size_t cells = 0;
	for (uint32_t k = 0; k < ix.zones; k++)
		cells += cells_in_zone(ix, k, most);
	if (cells >= UINT32_MAX || cells >= SIZE_MAX / (2 * sizeof(uint32_t)) - ZONES_MAX - 2)
		return false; // more than 32 bits count, or a size_t of bytes
	size_t kept = (ix.zones + 1 + cells + 1) * sizeof(uint32_t), bytes = kept + cells * sizeof(uint32_t);
	void *map = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
	if (map == MAP_FAILED)
		return false;
	// The mapping's pages come zeroed: each count starts at 0.
	uint32_t *first = static_cast<uint32_t *>(map), *start = first + ix.zones + 1, *next = start + cells + 1;
	for (uint32_t k = 0; k < ix.zones; k++)
		first[k + 1] = first[k] + cells_in_zone(ix, k, most);
	ix.first = first;
	for (size_t i = 0; i < r.count; i++) {
		ReferenceRow &row = r.rows[i];
		double ra = row.position[0], dec = row.position[1];
		row.cell = cell_of(ix, ra, dec);
		row.v = unit_vector(ra, dec);
		start[row.cell + 1]++;
	}
	for (size_t c = 0; c < cells; c++)
		start[c + 1] += start[c];
	sort_by_cell(r.rows, cells, start, next);
	madvise(r.rows, reference_bytes(r), MADV_COLLAPSE); // if refused, as they are
	ix.start = start;
	ix.map = map;
	ix.bytes = mremap(map, bytes, kept, 0) != MAP_FAILED ? kept : bytes; // next, given back
	index = ix;
	return true;
}

// Gives back the room of the index, which should not be searched after.
inline void release_match_index(MatchIndex &index)
{
	munmap(index.map, index.bytes);
	index = MatchIndex{};
}

// The bytes that the index takes, its rows not counted.
inline size_t match_index_bytes(const MatchIndex &index) { return index.bytes; }

// A match: the line number in FILE of the nearest row, 0 for none, its
// separation from the position, radians, and its unit vector.
struct Match {
	unsigned long long line;
	double separation;
	Vec v;
};

// A search under way: the position, the radius of this pass, the nearest
// row so far, and the bounds beyond which no row is nearer.
struct Search {
	Vec q;           // the position's unit vector
	double dec;      // its declination, radians
	double east;     // its right ascension east of the extent's west, radians
	double radius;   // a row farther is no match
	Match best;      // the nearest row so far within radius
	double bound;    // best.separation, or radius while no row is
	double chord2;   // a row with a larger square of the chord to q is beyond bound
	double half;     // every row within half_bound is within this of east
	double half_bound;
};

// The half width in right ascension of the cap of radius t about a
// position at declination dec.
//
// Given:
//    dec      the declination, radians, -pi/2 to pi/2
//    t        the radius, radians, 0 to pi
// Returned:
//    (value)  radians: asin(sin t / cos |dec|), or more, for |dec|
//             widened by SEARCH_MARGIN, and the result widened again; pi
//             for every right ascension, where the cap holds a pole, or
//             the argument of asin passes ASIN_LIMIT
// Notes:
// 1. The cap's widest point from the position's meridian is at sin t /
//    cos dec, which grows with |dec| and with t.
// 2. Up to x = t / cos |dec| = 0.5, the bound x / sqrt(1 - x^2), the
//    tangent of asin(x), saves a sine and an arcsine, and magnifies a
//    rounding at most 1.6 times: asin(sin t / cos |dec|) <= asin(x) <=
//    tan(asin(x)).
inline double ra_half_width(double dec, double t)
{
	double d = std::fabs(dec) + SEARCH_MARGIN;
	if (d + t >= PI / 2)
		return PI;
	double c = std::cos(d), x = t / c;
	if (x <= 0.5)
		return x / std::sqrt(1 - x * x) + SEARCH_MARGIN;
	x = std::sin(t) / c;
	return x > ASIN_LIMIT ? PI : std::asin(x) + SEARCH_MARGIN;
}

// Sets the bound of s, radians, 0 to pi, and the chord that follows from
// it: the chord of a separation t, 2 sin(t / 2), is at most t, and that
// from q to a vector of the rows is larger by their roundings at most, far
// within the two margins added.
inline void set_bound(Search &s, double bound)
{
	s.bound = bound;
	double chord = bound + 2 * SEARCH_MARGIN;
	s.chord2 = chord * chord;
}

// Compares the rows a to b - 1 with the nearest of s so far: the nearest
// by angle_between(), of two as near the one of the lower line number,
// and one within the radius.  The square of the chord, a few operations,
// keeps out the rows beyond the bound before angle_between() is taken.
inline void consider(Search &s, const ReferenceRow *rows, uint32_t a, uint32_t b)
{
	for (uint32_t i = a; i < b; i++) {
		const ReferenceRow &row = rows[i];
		double dx = row.v.x - s.q.x, dy = row.v.y - s.q.y, dz = row.v.z - s.q.z;
		if (dx * dx + dy * dy + dz * dz > s.chord2)
			continue;
		double angle = angle_between(s.q, row.v);
		bool nearer = s.best.line == 0 ? angle <= s.radius
		                               : angle < s.best.separation ||
		                                         (angle == s.best.separation && row.line < s.best.line);
		if (nearer) {
			s.best = Match{row.line, angle, row.v};
			set_bound(s, angle);
		}
	}
}

// Compares the rows of zone k of the index that lie within s's half width
// in right ascension of the position: the run of cells that the span
// east of the extent's west meets, and those of the span 2 pi to the west
// and east of it, which meet the extent where it crosses 0 hours; or the
// whole zone where the span is as wide.
inline void search_zone(const MatchIndex &index, Search &s, uint32_t k)
{
	if (s.half_bound != s.bound) { // once a bound, when a zone needs it
		s.half = ra_half_width(s.dec, s.bound + SEARCH_MARGIN);
		s.half_bound = s.bound;
	}
	uint32_t c = index.first[k], m = index.first[k + 1] - c;
	if (s.half >= PI) {
		consider(s, index.rows, index.start[c], index.start[c + m]);
		return;
	}
	double width = index.extent.width;
	for (double turn : {-2 * PI, 0.0, 2 * PI}) {
		double west = s.east + turn - s.half, east = s.east + turn + s.half;
		if (east < 0 || west > width)
			continue;
		uint32_t a = bounded(cell_step(west, m, width), m), b = bounded(cell_step(east, m, width), m);
		consider(s, index.rows, index.start[c + a], index.start[c + b + 1]);
	}
}

// One pass of a search, of the radius, radians: the nearest row within it
// into s.best, if any, from the zones south to north that the cap reaches,
// the bound closing in as rows are found.
inline void search_pass(const MatchIndex &index, Search &s, double radius)
{
	s.radius = radius;
	set_bound(s, radius);
	s.half = PI, s.half_bound = -1; // found when a zone needs it
	double south = zone_step(s.dec - (radius + SEARCH_MARGIN), index);
	for (uint32_t k = bounded(south, index.zones); k < index.zones && south < index.zones; k++) {
		if (zone_step(s.dec + (s.bound + SEARCH_MARGIN), index) < k)
			break;
		search_zone(index, s, k);
	}
}

// The row of the index nearest the position (ra, dec), within radius.
//
// Given:
//    index    the index over the catalogue
//    ra, dec  the position, radians, its unit vector by unit_vector(): ra
//             0 to 2 pi (or any other, at the cost of its direction),
//             dec -pi/2 to pi/2
//    radius   radians, 0 to pi (larger is pi, and not a number none)
// Returned:
//    (value)  the line number of the row whose angle_between() the
//             position's unit vector is the smallest, of several the
//             lowest line number, and that separation, radians; line 0 if
//             no row is within radius (radius itself included)
// Notes:
// 1. Exact: every bound that keeps rows out is widened by SEARCH_MARGIN,
//    and the rows it lets in are compared by angle_between() itself.  The
//    zones and cells of the rows and of the position are those of their
//    positions as read, each its unit vector's direction to a few
//    roundings at every declination, the poles included: x and y are
//    rounded each in proportion, which turns the direction by as little.
// 2. The passes widen from half a zone's height (1" at least), about the
//    distance from a row to the next where the rows are spread evenly, or
//    from the radius if smaller, four times at a time up to the radius,
//    until one finds a row: a large radius costs about as much as the
//    distance to the nearest row.
inline Match nearest(const MatchIndex &index, double ra, double dec, double radius)
{
	Search s;
	s.q = unit_vector(ra, dec);
	s.dec = dec;
	if (!(ra >= 0 && ra <= 2 * PI))
		direction(s.q, &ra, &s.dec);
	s.east = east_of(ra, index.extent.west);
	s.best = Match{0, 0, Vec{0, 0, 0}};
	if (!(radius >= 0))
		return s.best;
	if (radius > PI)
		radius = PI;
	for (double r = std::fmin(radius, std::fmax(index.height / 2, ARCSEC));; r = std::fmin(radius, 4 * r)) {
		search_pass(index, s, r);
		if (s.best.line != 0 || r == radius)
			return s.best;
	}
}

#endif
