// Rotations of the sphere as 3x3 matrices: the rotations about the axes, a
// vector rotated, the product of two rotations and the inverse of one.
// Uses angles.hpp's Vec.
//
// The rotations follow one convention: R1(phi), R2(phi) and R3(phi) turn
// the coordinate frame by phi about its x, y or z axis, anticlockwise as
// seen from the positive end of the axis towards the origin.
#ifndef PRECESSION_ROTATIONS_HPP
#define PRECESSION_ROTATIONS_HPP

#include <cmath>

#include "angles.hpp"

// A rotation: v' = p v, with v' x = p[0][0] v.x + p[0][1] v.y + p[0][2] v.z.
struct Matrix {
	double p[3][3];
};

// The identity, the rotation that changes nothing.
constexpr Matrix IDENTITY = {{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}};

// The rotations about the axes, one function each.
//
// Given:
//    phi      the angle, radians
// Returned:
//    (value)  R1(phi), R2(phi) or R3(phi): the frame turned by phi about
//             its x, y or z axis, anticlockwise seen from the axis's
//             positive end
// References:
//    the standard routines' eraRx, eraRy and eraRz, which multiply a
//    matrix by them
inline Matrix about_x(double phi)
{
	double c = std::cos(phi), s = std::sin(phi);
	return Matrix{{{1, 0, 0}, {0, c, s}, {0, -s, c}}};
}
inline Matrix about_y(double phi)
{
	double c = std::cos(phi), s = std::sin(phi);
	return Matrix{{{c, 0, -s}, {0, 1, 0}, {s, 0, c}}};
}
inline Matrix about_z(double phi)
{
	double c = std::cos(phi), s = std::sin(phi);
	return Matrix{{{c, s, 0}, {-s, c, 0}, {0, 0, 1}}};
}

// The vector p v, each component summed x, y, z.
inline Vec rotated(const Matrix &p, const Vec &v)
{
	return Vec{p.p[0][0] * v.x + p.p[0][1] * v.y + p.p[0][2] * v.z,
	           p.p[1][0] * v.x + p.p[1][1] * v.y + p.p[1][2] * v.z,
	           p.p[2][0] * v.x + p.p[2][1] * v.y + p.p[2][2] * v.z};
}

// The product of two rotations.
//
// Given:
//    a, b     rotations
// Returned:
//    (value)  a b, the rotation b then a; each element summed over the
//             inner index 0, 1, 2
inline Matrix product(const Matrix &a, const Matrix &b)
{
	Matrix c;
	for (int i = 0; i < 3; i++)
		for (int j = 0; j < 3; j++)
			c.p[i][j] = a.p[i][0] * b.p[0][j] + a.p[i][1] * b.p[1][j] + a.p[i][2] * b.p[2][j];
	return c;
}

// The inverse of a rotation.
//
// Given:
//    p        a rotation
// Returned:
//    (value)  its transpose, which is its inverse
inline Matrix transposed(const Matrix &p)
{
	Matrix t;
	for (int i = 0; i < 3; i++)
		for (int j = 0; j < 3; j++)
			t.p[i][j] = p.p[j][i];
	return t;
}

#endif
