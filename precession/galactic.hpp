// Galactic coordinates: the rotation from the ICRS to the IAU 1958
// galactic system as the Hipparcos catalogue realises it in the ICRS.
// direction() (angles.hpp) turns a galactic vector into (l, b), l from 0
// to 2 pi, and unit_vector() turns (l, b) into one; the way back to the
// ICRS is the transpose.  Uses rotations.hpp.
#ifndef PRECESSION_GALACTIC_HPP
#define PRECESSION_GALACTIC_HPP

#include "rotations.hpp"

// The rotation from the ICRS to galactic coordinates, r_gal = A_G r_ICRS,
// with its published rows: the north galactic pole at ICRS (192.85948,
// +27.12825) degrees, the north celestial pole at galactic longitude
// 122.93192 degrees (The Hipparcos and Tycho Catalogues, ESA SP-1200,
// 1997, volume 1, section 1.5.3).  Each element is the double nearest the
// published digits.
constexpr Matrix ICRS_TO_GALACTIC = {{
	{-0.054875560416215368492398900454, -0.873437090234885048760383168409, -0.483835015548713226831774175116},
	{+0.494109427875583673525222371358, -0.444829629960011178146614061616, +0.746982244497218890527388004556},
	{-0.867666149019004701181616534570, -0.198076373431201528180486091412, +0.455983776175066922272100478348},
}};

#endif
