"""precession --model=iau2006 against astropy's FK5 frame, which applies
the IAU 2006 precession matrix (Debian's python3-astropy): 2,000 random
positions uniform on the sphere, from the mean equator and equinox of
J2000.0 to those of each epoch (TT), and the worst difference on the sky.
The target: within 0.001 seconds of arc at every epoch.

usage: astropy_fk5.py PRECESSION [positions]   (run by bench/accuracy.sh)"""
import subprocess
import sys

import astropy
import numpy as np
from astropy import units as u
from astropy.coordinates import FK5, SkyCoord
from astropy.time import Time

program = sys.argv[1]
n = int(sys.argv[2]) if len(sys.argv) > 2 else 2000
rng = np.random.default_rng(2000)
TARGET = 0.001
print(f"precession --model=iau2006 against astropy {astropy.__version__} FK5, {n} positions each")
met = True
for epoch in (1000, 1900, 2100, 3000):
    hours = rng.uniform(0, 24, n)
    degrees = np.degrees(np.arcsin(rng.uniform(-1, 1, n)))
    text = "".join(f"{h:.12f} {d:.12f}\n" for h, d in zip(hours, degrees))
    out = subprocess.run([program, "--model=iau2006", f"--year={epoch}", "--bare", "--decimals=9", "-"],
                         input=text, capture_output=True, text=True, check=True).stdout
    got = np.loadtxt(out.splitlines(), ndmin=2)
    # The values that precession read, not the ones before printing.
    read = np.loadtxt(text.splitlines(), ndmin=2)
    start = SkyCoord(read[:, 0] * u.hourangle, read[:, 1] * u.deg, frame=FK5(equinox="J2000"))
    want = start.transform_to(FK5(equinox=Time(epoch, format="jyear", scale="tt")))
    ours = SkyCoord(got[:, 0] * u.hourangle, got[:, 1] * u.deg, frame=want.frame)
    worst = ours.separation(want).arcsec.max()
    met = met and worst <= TARGET
    print(f"  {epoch}: worst {worst:.6f} arcsec")
print(f"  target: within {TARGET} arcsec at each epoch: {'met' if met else 'MISSED'}")
