// The match index over a reference catalogue, and the search in it for
// the row nearest a position within a radius.  The sphere is cut into
// zones of declination of equal height, and each zone into cells of right
// ascension about as wide as high, ROWS_PER_CELL rows to a cell on the
// average of a catalogue spread over the sky; the rows are sorted by cell
// in place, so that each cell, and each run of cells of a zone, is a run
// of rows.  A search takes the zones that the cap of the radius reaches,
// in each the run of cells that it spans, and of their rows the nearest
// by angles.hpp's angle_between(), the separation that skysep prints.
// The index takes 4 bytes a cell, and during its building 4 more, in room
// that mmap(2) maps.  Uses angles.hpp and reference.hpp.
#ifndef SKYSEP_MATCH_INDEX_HPP
#define SKYSEP_MATCH_INDEX_HPP

#include <sys/mman.h>

#include <cmath>
#include <cstddef>
#include <cstdint>

#include "angles.hpp"
#include "reference.hpp"

// The rows of a cell on average: a search of 1" mostly reads one cell,
// four lines of the processor's cache in a row, and the index takes half
// a byte a row.
constexpr double ROWS_PER_CELL = 8;
// The most zones: a zone of height h has about 2 pi cos(dec) / h cells,
// so Z zones have about 4 Z^2 / pi, which 32 bits count for 40000.
constexpr uint32_t ZONES_MAX = 40000;
// The widening of every bound of a search, radians (2 microseconds of
// arc): ten thousand times the rounding of a unit vector, of its
// direction and of the separation, and a hundred times that of the half
// width in right ascension, so that no row that a bound keeps out is
// within the radius by angle_between().
constexpr double SEARCH_MARGIN = 1e-11;
// The argument of asin beyond which a cap is taken to span every right
// ascension: below it asin magnifies a rounding at most 71 times.
constexpr double ASIN_LIMIT = 1 - 1e-4;

// The index: the rows sorted by cell, and where each zone's cells and each
// cell's rows begin.  The cells of a zone run east from 0 hours.
struct MatchIndex {
	const ReferenceRow *rows;
	uint32_t zones;
	const uint32_t *first; // zone k holds the cells first[k] to first[k + 1] - 1
	const uint32_t *start; // cell c holds the rows start[c] to start[c + 1] - 1
	void *map;             // the mapping that holds first and start, of bytes
	size_t bytes;
};

// The zones for n rows: about n / ROWS_PER_CELL cells, 1 to ZONES_MAX.
inline uint32_t zone_count(size_t n)
{
	double z = std::round(std::sqrt(PI * static_cast<double>(n) / (4 * ROWS_PER_CELL)));
	return z < 1 ? 1 : z > ZONES_MAX ? ZONES_MAX : static_cast<uint32_t>(z);
}

// The cells of zone k of zones: as many as its width at its edge nearer
// the equator holds of its height, at least 1.
inline uint32_t cells_in_zone(uint32_t k, uint32_t zones)
{
	double h = PI / zones, south = k * h - PI / 2, north = south + h;
	double edge = south > 0 ? south : north < 0 ? -north : 0;
	double m = std::floor(2 * PI * std::cos(edge) / h);
	return m < 1 ? 1 : static_cast<uint32_t>(m);
}

// The zone of the declination dec, radians, and the cell of the right
// ascension ra, radians, in a zone of m cells: not yet bounded to the
// zones or the cells, and each a rising function of its angle, as
// floating-point products and sums are, so that an angle between two
// others falls between their zones and cells.
inline double zone_step(double dec, uint32_t zones) { return std::floor((dec + PI / 2) * zones / PI); }
inline double cell_step(double ra, uint32_t m) { return std::floor(ra * m / (2 * PI)); }

// The zone or cell s, bounded to 0 to n - 1.
inline uint32_t bounded(double s, uint32_t n) { return s < 0 ? 0 : s >= n ? n - 1 : static_cast<uint32_t>(s); }

// The cell of the unit vector v, from its direction, among the zones whose
// cells first lists.
inline uint32_t cell_of(const Vec &v, const uint32_t *first, uint32_t zones)
{
	double ra, dec;
	direction(v, &ra, &dec);
	uint32_t k = bounded(zone_step(dec, zones), zones), m = first[k + 1] - first[k];
	return first[k] + bounded(cell_step(ra, m), m);
}

// Sorts the rows, whose cells are set, by cell, in place, each moved once:
// cell c's rows go to start[c] to start[c + 1] - 1, and next[c], from
// start[c], is where its next one goes.
inline void sort_by_cell(ReferenceRow *rows, size_t cells, const uint32_t *start, uint32_t *next)
{
	for (size_t c = 0; c < cells; c++) {
		while (next[c] < start[c + 1]) {
			ReferenceRow &row = rows[next[c]];
			if (row.cell == c) {
				next[c]++;
				continue;
			}
			ReferenceRow moved = rows[next[row.cell]];
			rows[next[row.cell]++] = row;
			row = moved;
		}
	}
}

// Builds the match index over the rows of r, in one pass after the last
// row is added: each row's cell found, the cells counted, and the rows
// sorted by cell in place.
//
// Given:
//    r        the catalogue, every row added: rows are not to be added
//             after, while the index reads them
// Returned:
//    r        its rows sorted by cell, and its room cut to them
//    index    the index over them, until release_match_index()
//    (value)  false, with index unset, if memory refuses the index's
//             room: the caller reports FILE too large for memory
// Notes:
// 1. The room of the rows is cut first, so that it and the index's take
//    33 bytes a row at the most, and 32.5 after.
inline bool build_match_index(Reference &r, MatchIndex &index)
{
	if (r.count > 0 && r.count < r.room)
		remap_reference(r, r.count); // fewer pages, in place; if refused, more room is kept
	uint32_t zones = zone_count(r.count);
	size_t cells = 0;
	for (uint32_t k = 0; k < zones; k++)
		cells += cells_in_zone(k, zones);
	size_t kept = (zones + 1 + cells + 1) * sizeof(uint32_t), bytes = kept + cells * sizeof(uint32_t);
	void *map = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
	if (map == MAP_FAILED)
		return false;
	// The mapping's pages come zeroed: each count starts at 0.
	uint32_t *first = static_cast<uint32_t *>(map), *start = first + zones + 1, *next = start + cells + 1;
	for (uint32_t k = 0; k < zones; k++)
		first[k + 1] = first[k] + cells_in_zone(k, zones);
	for (size_t i = 0; i < r.count; i++) {
		r.rows[i].cell = cell_of(r.rows[i].v, first, zones);
		start[r.rows[i].cell + 1]++;
	}
	for (size_t c = 0; c < cells; c++) {
		start[c + 1] += start[c];
		next[c] = start[c];
	}
	sort_by_cell(r.rows, cells, start, next);
	if (mremap(map, bytes, kept, 0) != MAP_FAILED) // next, given back
		bytes = kept;
	index = MatchIndex{r.rows, zones, first, start, map, bytes};
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

// A match: the line number in FILE of the nearest row, 0 for none, and
// its separation from the position, radians.
struct Match {
	unsigned long long line;
	double separation;
};

// A search under way: the position, the radius of this pass, the nearest
// row so far, and the bounds beyond which no row is nearer.
struct Search {
	Vec q;           // the position's unit vector
	double ra, dec;  // its direction, radians, ra 0 to 2 pi
	double radius;   // a row farther is no match
	Match best;      // the nearest row so far within radius
	double bound;    // best.separation, or radius while no row is
	double chord2;   // a row with a larger square of the chord to q is beyond bound
	double half;     // every row within half_bound is within this of ra
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
			s.best = Match{row.line, angle};
			set_bound(s, angle);
		}
	}
}

// Compares the rows of zone k of the index that lie within s's half width
// in right ascension of the position: one run of cells, or two where the
// span crosses 0 hours, or the whole zone where the span is as wide.
inline void search_zone(const MatchIndex &index, Search &s, uint32_t k)
{
	if (s.half_bound != s.bound) { // once a bound, when a zone needs it
		s.half = ra_half_width(s.dec, s.bound + SEARCH_MARGIN);
		s.half_bound = s.bound;
	}
	uint32_t c = index.first[k], m = index.first[k + 1] - c;
	double west = cell_step(s.ra - s.half, m), east = cell_step(s.ra + s.half, m);
	if (s.half >= PI || east - west + 1 >= m) {
		consider(s, index.rows, index.start[c], index.start[c + m]);
		return;
	}
	// ra is 0 to 2 pi and the half width below pi: west is above -m and
	// east below 2 m, each folded into the zone at most once.
	uint32_t a = static_cast<uint32_t>(west < 0 ? west + m : west);
	uint32_t b = static_cast<uint32_t>(east >= m ? east - m : east);
	if (a <= b) {
		consider(s, index.rows, index.start[c + a], index.start[c + b + 1]);
		return;
	}
	consider(s, index.rows, index.start[c + a], index.start[c + m]);
	consider(s, index.rows, index.start[c], index.start[c + b + 1]);
}

// One pass of a search, of the radius, radians: the nearest row within it
// into s.best, if any, from the zones south to north that the cap reaches,
// the bound closing in as rows are found.
inline void search_pass(const MatchIndex &index, Search &s, double radius)
{
	s.radius = radius;
	set_bound(s, radius);
	s.half = PI, s.half_bound = -1; // found when a zone needs it
	uint32_t zones = index.zones;
	for (uint32_t k = bounded(zone_step(s.dec - (radius + SEARCH_MARGIN), zones), zones); k < zones; k++) {
		if (zone_step(s.dec + (s.bound + SEARCH_MARGIN), zones) < k)
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
//    rows' zones and cells are those of their vectors' directions, and the
//    position's are those of (ra, dec), which is its vector's direction to
//    a few roundings at every declination, the poles included: x and y are
//    rounded each in proportion, which turns the direction by as little.
// 2. The passes widen from a zone's height, or the radius if smaller, four
//    times at a time up to the radius, until one finds a row: a large
//    radius costs as much as the distance to the nearest row.
inline Match nearest(const MatchIndex &index, double ra, double dec, double radius)
{
	Search s;
	s.ra = ra, s.dec = dec;
	if (!(ra >= 0 && ra <= 2 * PI))
		direction(unit_vector(ra, dec), &s.ra, &s.dec);
	s.q = unit_vector(ra, dec);
	s.best = Match{0, 0};
	if (!(radius >= 0))
		return s.best;
	if (radius > PI)
		radius = PI;
	for (double r = std::fmin(radius, PI / index.zones);; r = std::fmin(radius, 4 * r)) {
		search_pass(index, s, r);
		if (s.best.line != 0 || r == radius)
			return s.best;
	}
}

#endif
