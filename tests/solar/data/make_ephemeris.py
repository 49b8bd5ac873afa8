#!/usr/bin/python3
"""Writes ephemeris.csv: the sun's topocentric altitude and azimuth, without refraction, from PyEphem
(VSOP87 with the IAU nutation; Debian package python3-ephem). Run once; the table is committed and the
precise sun position's test reads it, so neither the build nor the tests need PyEphem.

    /usr/bin/python3 tests/solar/data/make_ephemeris.py > tests/solar/data/ephemeris.csv
"""
import datetime
import math

import ephem

# name, latitude, longitude (east positive), zone meridian (east positive) [deg]
SITES = [
    ("Johannesburg", -26.13, 28.23, 30),
    ("London", 51.5, -0.12, 0),
    ("New York", 40.7, -74.0, -75),
    ("Singapore", 1.3, 103.8, 120),
    ("Utqiagvik", 71.29, -156.79, -135),
    ("McMurdo", -77.85, 166.67, 180),
]


def sun(latitude, longitude, zone, year, day, clock):
    observer = ephem.Observer()
    observer.lat = str(latitude)
    observer.lon = str(longitude)
    observer.elevation = 0
    observer.pressure = 0  # no refraction: the geometric altitude
    moment = datetime.datetime(year, 1, 1) + datetime.timedelta(days=day - 1, hours=clock - zone / 15)
    observer.date = ephem.Date(moment)
    body = ephem.Sun(observer)
    altitude = math.degrees(body.alt)
    azimuth = math.degrees(body.az) - 180  # from south, west positive
    return altitude, azimuth


def main():
    print("# The sun's topocentric altitude and azimuth (from south, west positive) without refraction,")
    print("# from PyEphem %s; see make_ephemeris.py. Clock time is the zone meridian's standard time." % ephem.__version__)
    print("site,year,day,clock,latitude,longitude,zone,altitude,azimuth")
    rows = [(2026, day, clock) for day in range(1, 366, 8) for clock in range(1, 24, 3)]
    rows += [(year, day, 10) for year in (1950, 2000, 2050, 2100) for day in (1, 100, 200, 300)]
    for name, latitude, longitude, zone in SITES:
        for year, day, clock in rows:
            altitude, azimuth = sun(latitude, longitude, zone, year, day, clock)
            print("%s,%d,%d,%g,%g,%g,%g,%.6f,%.6f" % (name, year, day, clock, latitude, longitude, zone,
                                                     altitude, azimuth))


main()
