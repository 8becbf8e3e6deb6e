"""The benches' jobs done with astropy (Debian's python3-astropy):

  with_astropy.py separation FILE
      lines of two positions, 03:13:29.07 +62:32:17.1 18:19:50.13 ...,
      read as SkyCoord from the texts; their separations in degrees;
  with_astropy.py precession FILE
      lines of hours, degrees and a year; each position precessed from
      the equinox of J2000 to that of its year (FK5);
  with_astropy.py match FILE INPUT
      two catalogues in CSV, degrees under the header ra,dec; for each
      row of INPUT the nearest of FILE by match_to_catalog_sky, written as
      skysep --match=FILE --radius=1 --unit=arcsec --bare --delimiter=,
      --decimals=9 writes it: its line in FILE and the separation in
      seconds of arc, or 0 if none is within 1"; needs python3-scipy;
  with_astropy.py fk5 PRECESSION [positions]
      the worst difference on the sky of precession --model=iau2006 from
      FK5 from J2000.0 to each epoch, target 0.001 seconds of arc, and
      of --from=B1950 from FK4 at B1950 to FK5 at J2000;
  with_astropy.py systems PRECESSION [BSC]
      ten bright stars and Barnard's star, as Gaia gives them, at
      2026-12-09T22:00Z: their apparent places against astropy's TETE
      (which nutates by IAU 2000A: target 3 mas), and their places of a
      finding chart in the ICRS at 2026.94 against apply_space_motion
      (target 1 mas); and the galactic coordinates of a catalogue in
      hours and degrees (xplanet's Bright Star Catalogue, declination
      first) against astropy's Galactic, taken as ICRS positions;
  with_astropy.py gaia PRECESSION [stars]
      a catalogue as Gaia writes it (CSV, degrees, some parallaxes
      negative and some proper motions empty) taken to colon notation at
      2026.94 in one command, against astropy's apply_space_motion and
      then the IAU 2006 precession without the frame bias (the standard
      routines' bp06, its rp), for the stars with a parallax: target 1 mas.

The first three write one line for each line read, and to standard error
the seconds taken after the interpreter has started and imported astropy
(and, for match, scipy's k-d tree)."""
import subprocess
import sys
import time

import astropy
import numpy as np
from astropy import units as u
from astropy.coordinates import FK4, FK5, SkyCoord
from astropy.time import Time

if sys.argv[1] == "match":
    import scipy.spatial  # noqa: F401 (match_to_catalog_sky's k-d tree)

start = time.perf_counter()
job = sys.argv[1]
if job == "separation":
    columns = np.loadtxt(sys.argv[2], dtype=str, comments="#", ndmin=2)
    first = SkyCoord(columns[:, 0], columns[:, 1], unit=(u.hourangle, u.deg))
    second = SkyCoord(columns[:, 2], columns[:, 3], unit=(u.hourangle, u.deg))
    np.savetxt(sys.stdout, first.separation(second).deg, fmt="%.6f")
elif job == "precession":
    columns = np.loadtxt(sys.argv[2], ndmin=2)
    position = SkyCoord(columns[:, 0] * u.hourangle, columns[:, 1] * u.deg, frame=FK5(equinox="J2000"))
    moved = position.transform_to(FK5(equinox=Time(columns[:, 2], format="jyear")))
    np.savetxt(sys.stdout, np.column_stack([moved.ra.hour, moved.dec.deg]), fmt="%7.3f")
elif job == "match":
    rows = np.loadtxt(sys.argv[2], delimiter=",", skiprows=1, ndmin=2)
    given = np.loadtxt(sys.argv[3], delimiter=",", skiprows=1, ndmin=2)
    index, separation, _ = SkyCoord(given[:, 0], given[:, 1], unit=u.deg).match_to_catalog_sky(
        SkyCoord(rows[:, 0], rows[:, 1], unit=u.deg))
    arcsec = separation.arcsec
    # A row's line in FILE: the header is line 1.
    sys.stdout.write("match,separation\n" + "".join(f"{i + 2},{s:.9f}\n" if s <= 1 else "0\n"
                                                    for i, s in zip(index.tolist(), arcsec.tolist())))
elif job == "systems":
    from astropy.coordinates import TETE, Galactic
    # name, ra, dec (degrees, ICRS at 2016.0), pmra, pmdec (mas a year), parallax (mas), radial velocity (km/s)
    stars = [("Sirius", 101.28715533, -16.71611586, -546.01, -1223.07, 379.21, -5.5),
             ("Canopus", 95.98795782, -52.69566138, 19.93, 23.24, 10.55, 20.3),
             ("Arcturus", 213.9153003, 19.18240916, -1093.39, -2000.06, 88.83, -5.19),
             ("Vega", 279.23473479, 38.78368896, 200.94, 286.23, 130.23, -20.6),
             ("Capella", 79.17232794, 45.99799147, 75.25, -426.89, 76.2, 30.19),
             ("Rigel", 78.63446707, -8.20163837, 1.31, 0.5, 3.78, 17.8),
             ("Procyon", 114.82549791, 5.22498756, -714.59, -1036.8, 284.56, -3.2),
             ("Betelgeuse", 88.79293899, 7.40706399, 27.54, 11.3, 6.55, 21.91),
             ("Altair", 297.6958273, 8.8683212, 536.23, 385.29, 194.95, -26.6),
             ("Polaris", 37.95456067, 89.26410897, 44.48, -11.85, 7.54, -16.42),
             ("Barnard's star", 269.44850252, 4.73942005, -801.551, 10362.394, 546.9759, -110.6)]
    rows = "".join(f"{n},{a:.8f},{d:.8f},{pa},{pd},{px},{rv}\n" for n, a, d, pa, pd, px, rv in stars)
    a = np.array([s[1:] for s in stars])
    star = SkyCoord(a[:, 0] * u.deg, a[:, 1] * u.deg, pm_ra_cosdec=a[:, 2] * u.mas / u.yr,
                    pm_dec=a[:, 3] * u.mas / u.yr, distance=(1000 / a[:, 4]) * u.pc,
                    radial_velocity=a[:, 5] * u.km / u.s, obstime=Time(2016, format="jyear", scale="tt"))

    def ours(*options):
        out = subprocess.run([sys.argv[2], "--from=ICRS", "--space-motion", "--epoch=2016", "--degrees", "--bare",
                              "--decimals=9", "--delimiter=,", "--columns=2,3,4,5,6,7", *options, "-"],
                             input=rows, capture_output=True, text=True, check=True).stdout
        return np.loadtxt(out.splitlines(), delimiter=",", ndmin=2)

    date = Time("2026-12-09T22:00", scale="utc")
    got = ours("--to=apparent", "--year=2026-12-09T22:00Z")
    want = star.apply_space_motion(new_obstime=date).transform_to(TETE(obstime=date))
    worst = SkyCoord(got[:, 0] * u.deg, got[:, 1] * u.deg, frame=TETE(obstime=date)).separation(want).to(u.mas)
    print(f"precession --to=apparent against astropy {astropy.__version__} TETE at {date.isot} UTC, "
          f"{len(stars)} stars: worst {worst.value.max():.3f} mas ({stars[worst.value.argmax()][0]}), "
          f"target 3 mas: {'met' if worst.value.max() <= 3 else 'MISSED'}")
    chart = Time(2026.94, format="jyear", scale="tt")
    got = ours("--to=ICRS", "--year=2026.94")
    want = star.apply_space_motion(new_obstime=chart)
    worst = SkyCoord(got[:, 0] * u.deg, got[:, 1] * u.deg).separation(want).to(u.mas)
    print(f"precession --to=ICRS --year=2026.94 against apply_space_motion: worst {worst.value.max():.4f} mas, "
          f"target 1 mas: {'met' if worst.value.max() <= 1 else 'MISSED'}")
    if len(sys.argv) > 3:
        text = open(sys.argv[3]).read()
        out = subprocess.run([sys.argv[2], "--hours", "--columns=2,1", "--from=ICRS", "--to=galactic", "--year=2000",
                              "--bare", "--decimals=9", "-"], input=text, capture_output=True, text=True,
                             check=True).stdout
        given = np.array([line.split()[:2] for line in text.splitlines() if line.strip() and line[0] != "#"], float)
        got = np.loadtxt([line for line in out.splitlines() if line], ndmin=2)
        want = SkyCoord(given[:, 1] * u.hourangle, given[:, 0] * u.deg).transform_to(Galactic())
        worst = SkyCoord(got[:, 0] * u.deg, got[:, 1] * u.deg, frame=Galactic()).separation(want).to(u.mas)
        print(f"precession --to=galactic on {len(got)} stars against astropy's Galactic: worst "
              f"{worst.value.max():.3f} mas, median {np.median(worst.value):.3f} mas")
elif job == "gaia":
    import erfa
    n = int(sys.argv[3]) if len(sys.argv) > 3 else 2000
    rng = np.random.default_rng(2016)
    ra, dec = rng.uniform(0, 360, n), np.degrees(np.arcsin(rng.uniform(-1, 1, n)))
    pmra, pmdec = rng.normal(0, 300, n), rng.normal(0, 300, n)
    parallax, velocity = rng.uniform(-1, 300, n), rng.uniform(-100, 100, n)
    empty = rng.uniform(0, 1, n) < 0.05
    rows = ["source_id,ra,dec,pmra,pmdec,parallax,radial_velocity"]
    rows += [f"{i},{ra[i]:.12f},{dec[i]:.12f},{'' if empty[i] else f'{pmra[i]:.6f}'},"
             f"{'' if empty[i] else f'{pmdec[i]:.6f}'},{parallax[i]:.6f},{velocity[i]:.3f}" for i in range(n)]
    out = subprocess.run([sys.argv[2], "--degrees", "--space-motion", "--epoch=2016", "--year=2026.94", "--sexagesimal",
                          "--decimals=5", "--bare", "--delimiter=,",
                          "--columns=ra,dec,pmra,pmdec,parallax,radial_velocity", "-"],
                         input="\n".join(rows) + "\n", capture_output=True, text=True, check=True).stdout.splitlines()
    assert out[0] == "right_ascension,declination", out[0]
    got = SkyCoord([line.split(",")[0] for line in out[1:]], [line.split(",")[1] for line in out[1:]],
                   unit=(u.hourangle, u.deg))
    pmra[empty], pmdec[empty] = 0, 0
    known = parallax > 0
    star = SkyCoord(ra[known] * u.deg, dec[known] * u.deg, pm_ra_cosdec=pmra[known] * u.mas / u.yr,
                    pm_dec=pmdec[known] * u.mas / u.yr, distance=(1000 / parallax[known]) * u.pc,
                    radial_velocity=velocity[known] * u.km / u.s, obstime=Time(2016, format="jyear", scale="tt"))
    moved = star.apply_space_motion(new_obstime=Time(2026.94, format="jyear", scale="tt"))
    rp = erfa.bp06(*erfa.epj2jd(2026.94))[1]
    want = np.einsum("ij,nj->ni", rp, moved.cartesian.xyz.T.value)
    want = SkyCoord(*erfa.c2s(want), unit=u.rad, representation_type="unitspherical")
    worst = got[known].separation(want).to(u.mas).value.max()
    print(f"precession on a Gaia-style CSV against astropy {astropy.__version__} apply_space_motion and bp06's rp, "
          f"{known.sum()} of {n} stars with a parallax: worst {worst:.4f} mas, "
          f"target 1 mas: {'met' if worst <= 1 else 'MISSED'}")
else:
    n = int(sys.argv[3]) if len(sys.argv) > 3 else 2000
    rng = np.random.default_rng(2000)

    def worst(options, start, end):
        """The worst difference on the sky, in seconds of arc, of precession
        OPTION... from astropy's transformation of random positions."""
        text = "".join(f"{h:.12f} {d:.12f}\n" for h, d in
                       zip(rng.uniform(0, 24, n), np.degrees(np.arcsin(rng.uniform(-1, 1, n)))))
        out = subprocess.run([sys.argv[2], *options, "--bare", "--decimals=9", "-"],
                             input=text, capture_output=True, text=True, check=True).stdout
        got, read = np.loadtxt(out.splitlines(), ndmin=2), np.loadtxt(text.splitlines(), ndmin=2)
        want = SkyCoord(read[:, 0] * u.hourangle, read[:, 1] * u.deg, frame=start).transform_to(end)
        return SkyCoord(got[:, 0] * u.hourangle, got[:, 1] * u.deg, frame=end).separation(want).arcsec.max()

    print(f"precession --model=iau2006 against astropy {astropy.__version__} FK5, {n} positions each")
    met = True
    for epoch in (1000, 1900, 2100, 3000):
        w = worst(["--model=iau2006", f"--year={epoch}"], FK5(equinox="J2000"),
                  FK5(equinox=Time(epoch, format="jyear", scale="tt")))
        met = met and w <= 0.001
        print(f"  {epoch}: worst {w:.6f} arcsec")
    print(f"  target: within 0.001 arcsec at each epoch: {'met' if met else 'MISSED'}")
    w = worst(["--model=iau2006", "--from=B1950", "--year=2000"], FK4(equinox="B1950"), FK5(equinox="J2000"))
    print(f"precession --from=B1950 against FK4 to FK5: worst {w:.6f} arcsec")
print(f"{time.perf_counter() - start:.4f}", file=sys.stderr)
