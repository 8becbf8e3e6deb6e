"""The jobs of bench/catalogue.sh done with astropy, as its users would do
them (Debian's python3-astropy):

  with_astropy.py separation FILE
      lines of two positions, 03:13:29.07 +62:32:17.1 18:19:50.13 ...,
      read as SkyCoord from the texts; their separations in degrees;
  with_astropy.py precession FILE
      lines of hours, degrees and a year; each position precessed from
      the equinox of J2000 to that of its year (FK5).

Writes one line for each line read, and to standard error the seconds
taken after the interpreter has started and imported astropy."""
import sys
import time

import numpy as np
from astropy import units as u
from astropy.coordinates import FK5, SkyCoord
from astropy.time import Time

start = time.perf_counter()
job, path = sys.argv[1], sys.argv[2]
if job == "separation":
    columns = np.loadtxt(path, dtype=str, comments="#", ndmin=2)
    first = SkyCoord(columns[:, 0], columns[:, 1], unit=(u.hourangle, u.deg))
    second = SkyCoord(columns[:, 2], columns[:, 3], unit=(u.hourangle, u.deg))
    np.savetxt(sys.stdout, first.separation(second).deg, fmt="%.6f")
else:
    columns = np.loadtxt(path, ndmin=2)
    position = SkyCoord(columns[:, 0] * u.hourangle, columns[:, 1] * u.deg, frame=FK5(equinox="J2000"))
    moved = position.transform_to(FK5(equinox=Time(columns[:, 2], format="jyear")))
    np.savetxt(sys.stdout, np.column_stack([moved.ra.hour, moved.dec.deg]), fmt="%7.3f")
print(f"{time.perf_counter() - start:.3f}", file=sys.stderr)
