#!/usr/bin/python3
"""Measures the sun position of both methods against PyEphem (VSOP87, Debian package python3-ephem) at
14 sites, every fourth day of 2026, at every clock hour the solve lists with the sun more than 2 degrees
above the horizon, and prints the figures the help page's accuracy section states.

    /usr/bin/python3 tests/solar/data/accuracy.py build/tools/quorvane-cli/quorvane-cli

The altitude is compared as it is; the azimuth as arc on the sky (the azimuth difference times the
cosine of the altitude), since near the zenith a hair's move swings the azimuth round.
"""
import csv
import datetime
import io
import math
import subprocess
import sys

import ephem

YEAR = 2026
DAYS = range(1, 366, 4)
LOWEST = 2.0  # [deg] the sun's altitude below which hours are left out (refraction, horizon)

# name, latitude, longitude (east positive), zone meridian (east positive) [deg]
SITES = [
    ("Johannesburg", -26.13, 28.23, 30),
    ("London", 51.5, -0.12, 0),
    ("New York", 40.7, -74.0, -75),
    ("Singapore", 1.3, 103.8, 120),
    ("Kathmandu", 27.7, 85.32, 86.25),
    ("Reykjavik", 64.13, -21.9, 0),
    ("Utqiagvik", 71.29, -156.79, -135),
    ("McMurdo", -77.85, 166.67, 180),
    ("Davis", -68.58, 77.97, 105),
    ("Apia", -13.83, -171.76, 195),
    ("Shemya", 52.72, 174.11, -150),
    ("Wallis", -13.28, -176.17, 180),
    ("Chatham", -43.95, -176.56, 191.25),
    ("Kiritimati", 1.87, -157.4, 210),
]


def ephemeris(latitude, longitude, zone, day, clock):
    """The sun's topocentric altitude and azimuth (from south, west positive) without refraction."""
    observer = ephem.Observer()
    observer.lat = str(latitude)
    observer.lon = str(longitude)
    observer.elevation = 0
    observer.pressure = 0
    moment = datetime.datetime(YEAR, 1, 1) + datetime.timedelta(days=day - 1, hours=clock - zone / 15)
    observer.date = ephem.Date(moment)
    sun = ephem.Sun(observer)
    return math.degrees(sun.alt), math.degrees(sun.az) - 180


def solved_hours(cli, method, latitude, longitude, zone, day):
    """(hour, altitude, azimuth) of every hour the command line's solve lists."""
    args = [cli, "--latitude", str(latitude), "--longitude", str(longitude), "--timezone", str(zone),
            "--day", str(day), "--sun", method, "--sun-year", str(YEAR), "--csv"]
    text = subprocess.run(args, check=True, capture_output=True, text=True).stdout
    for row in csv.DictReader(io.StringIO(text)):
        if row["solved"] == "1":
            yield int(row["hour"]), float(row["altitude"]), float(row["azimuth"])


def azimuth_arc(a, b, altitude):
    return abs(math.remainder(a - b, 360)) * math.cos(math.radians(altitude))


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: accuracy.py PATH/TO/quorvane-cli")
    cli = sys.argv[1]
    worst = {}
    for method in ("published", "precise"):
        count, total, worst_altitude, worst_azimuth, worst_site = 0, 0.0, 0.0, 0.0, ""
        for name, latitude, longitude, zone in SITES:
            site_altitude = site_azimuth = 0.0
            for day in DAYS:
                for hour, altitude, azimuth in solved_hours(cli, method, latitude, longitude, zone, day):
                    true_altitude, true_azimuth = ephemeris(latitude, longitude, zone, day, hour)
                    if true_altitude <= LOWEST:
                        continue
                    difference = abs(altitude - true_altitude)
                    count += 1
                    total += difference
                    site_altitude = max(site_altitude, difference)
                    site_azimuth = max(site_azimuth, azimuth_arc(azimuth, true_azimuth, true_altitude))
            print("%-9s %-12s altitude at most %.4f deg, azimuth at most %.4f deg of arc" %
                  (method, name, site_altitude, site_azimuth))
            if site_altitude > worst_altitude:
                worst_altitude, worst_site = site_altitude, name
            worst_azimuth = max(worst_azimuth, site_azimuth)
        worst[method] = (count, total / count, worst_altitude, worst_site, worst_azimuth)
    for method, (count, mean, altitude, site, azimuth) in worst.items():
        print("%s: %d hours; altitude %.2f deg on average, at most %.4f deg (at %s); azimuth at most %.4f deg "
              "of arc" % (method, count, mean, altitude, site, azimuth))


main()
