#!/usr/bin/env python3
"""The memory and time of subscribing to a large iCalendar address, and of refreshing it
after it changed, as `quillon-db` does them (on 127.0.0.1 only).

    large_feed.py BUILD [--events N] [--series PERCENT] [--keep FOLDER]
    large_feed.py --write FILE [--events N] [--series PERCENT] [--changed]

Writes a feed of N events (50,000 unless told) like a subscribed calendar: timed events,
a third in Berlin time (one VTIMEZONE, written after the events as some servers do),
all-day events, and PERCENT of them (10 unless told) weekly series for a year and a half
with a moved and a cancelled occurrence (written after the series, as servers do); an
alarm on every third event. Serves it with tests/sync/feed_server.py, runs
`quillon-db create`, then `quillon-db subscribe` and, after a tenth of the events changed,
a few removed and a few added, `quillon-db refresh`, and prints the peak resident set of
each (as /usr/bin/time -v gives it) and its wall time. The files go to a temporary folder,
or to FOLDER, where they are kept.
"""
import argparse
import datetime
import os
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
FEED_SERVER = os.path.join(HERE, "..", "..", "tests", "sync", "feed_server.py")

ZONE = """BEGIN:VTIMEZONE\r
TZID:Europe/Berlin\r
BEGIN:DAYLIGHT\r
TZOFFSETFROM:+0100\r
TZOFFSETTO:+0200\r
TZNAME:CEST\r
DTSTART:19700329T020000\r
RRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=-1SU\r
END:DAYLIGHT\r
BEGIN:STANDARD\r
TZOFFSETFROM:+0200\r
TZOFFSETTO:+0100\r
TZNAME:CET\r
DTSTART:19701025T030000\r
RRULE:FREQ=YEARLY;BYMONTH=10;BYDAY=-1SU\r
END:STANDARD\r
END:VTIMEZONE\r
"""

ALARM = "BEGIN:VALARM\r\nACTION:DISPLAY\r\nDESCRIPTION:Reminder\r\nTRIGGER:-PT15M\r\nEND:VALARM\r\n"


def day(i, weeks=0):
    """A day of 2024-2033, as YYYYMMDD, from a number; weeks later."""
    return (datetime.date(2024, 1, 1) + datetime.timedelta(days=i % 3650, weeks=weeks)).strftime("%Y%m%d")


def event(i, changed, series):
    """Event i (with its changed occurrences); changed: as the changed feed has it."""
    summary = f"Meeting number {i}" + (" (moved)" if changed and i % 10 == 0 else "")
    zone = ";TZID=Europe/Berlin:" if i % 3 == 0 else ":"
    d = day(i * 7)
    lines = ["BEGIN:VEVENT", f"UID:feed-{i}-6c2d91e0@example.org", "DTSTAMP:20260101T000000Z",
             "LAST-MODIFIED:20251201T120000Z", f"SEQUENCE:{1 if changed and i % 10 == 0 else 0}"]
    overrides = []
    if i % 100 < series:
        # A weekly series with one moved and one cancelled occurrence.
        lines += [f"DTSTART{zone}{d}T090000", f"DTEND{zone}{d}T100000", "RRULE:FREQ=WEEKLY;COUNT=78"]
        moved, gone = day(i * 7, weeks=3), day(i * 7, weeks=5)
        overrides = [
            ["BEGIN:VEVENT", f"UID:feed-{i}-6c2d91e0@example.org", "DTSTAMP:20260101T000000Z",
             f"RECURRENCE-ID{zone}{moved}T090000", f"DTSTART{zone}{moved}T110000", f"DTEND{zone}{moved}T120000",
             f"SUMMARY:{summary} (this week later)", "END:VEVENT"],
            ["BEGIN:VEVENT", f"UID:feed-{i}-6c2d91e0@example.org", "DTSTAMP:20260101T000000Z",
             f"RECURRENCE-ID{zone}{gone}T090000", "STATUS:CANCELLED", "END:VEVENT"],
        ]
    elif i % 5 == 4:
        lines += [f"DTSTART;VALUE=DATE:{d}", f"DTEND;VALUE=DATE:{day(i * 7 + 1)}"]
    else:
        lines += [f"DTSTART{zone}{d}T140000", f"DTEND{zone}{d}T153000"]
    lines += [f"SUMMARY:{summary}", f"LOCATION:Room {i % 40}\\, second floor",
              f"DESCRIPTION:Notes of meeting {i}: agenda\\, minutes and the actions agreed\\n"
              "Dial-in and the documents are on the team page.",
              "CATEGORIES:Work" if i % 4 else "CATEGORIES:Personal", "STATUS:CONFIRMED", "TRANSP:OPAQUE"]
    text = "\r\n".join(lines) + "\r\n" + (ALARM if i % 3 == 0 else "") + "END:VEVENT\r\n"
    # The changed occurrences come after their series, as a server writes them.
    for override in overrides:
        text += "\r\n".join(override) + "\r\n"
    return text


def write_feed(path, count, series, changed=False):
    """The feed; changed: a tenth of the events changed, the last 500 gone, 500 new."""
    numbers = range(count - 500) if changed else range(count)
    with open(path, "w", newline="") as f:
        f.write("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Example//Team calendar//EN\r\n"
                "X-WR-CALNAME:Team\r\nCALSCALE:GREGORIAN\r\n")
        for i in numbers:
            f.write(event(i, changed, series))
        if changed:
            for i in range(count, count + 500):
                f.write(event(i, changed, series))
        f.write(ZONE)
        f.write("END:VCALENDAR\r\n")


def measured(command, environment):
    """Runs command: (peak MB, wall seconds, stdout). The peak is the child's maximum
    resident set, which /usr/bin/time -v reports as "Maximum resident set size"."""
    with tempfile.TemporaryFile("w+") as out, tempfile.TemporaryFile("w+") as err:
        began = time.monotonic()
        child = subprocess.Popen(command, stdout=out, stderr=err, env=environment)
        _, status, usage = os.wait4(child.pid, 0)
        seconds = time.monotonic() - began
        child.returncode = os.waitstatus_to_exitcode(status)
        out.seek(0)
        err.seek(0)
        if child.returncode != 0:
            sys.exit(f"{command[1]} failed ({child.returncode}):\n{out.read()}\n{err.read()}")
        return usage.ru_maxrss / 1024, seconds, out.read()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("build", nargs="?")
    parser.add_argument("--events", type=int, default=50000)
    parser.add_argument("--series", type=int, default=10)
    parser.add_argument("--write")
    parser.add_argument("--changed", action="store_true")
    parser.add_argument("--keep")
    args = parser.parse_args()
    if args.write:
        write_feed(args.write, args.events, args.series, args.changed)
        return
    if not args.build:
        parser.error("the build folder is needed")
    with tempfile.TemporaryDirectory(prefix="large-feed-") as scratch:
        folder = args.keep or scratch
        os.makedirs(folder, exist_ok=True)
        run(os.path.join(args.build, "bin", "quillon-db"), folder, args)


def run(tool, folder, args):
    """Subscribes to the feed written in folder and refreshes it once changed."""
    feed = os.path.join(folder, "team.ics")
    write_feed(feed, args.events, args.series)
    database = os.path.join(folder, "feed.sqlite")
    for suffix in ("", "-wal", "-shm"):
        if os.path.exists(database + suffix):
            os.remove(database + suffix)
    server = subprocess.Popen([sys.executable, FEED_SERVER, folder], stdout=subprocess.PIPE, text=True)
    try:
        port = int(server.stdout.readline())
        environment = dict(os.environ, QUILLON_NONINTERACTIVE="1")
        subprocess.run([tool, "create", database], check=True, capture_output=True, env=environment)
        print(f"{args.events} events, {os.path.getsize(feed) / 1e6:.1f} MB")
        peak, seconds, out = measured([tool, "subscribe", database, f"http://127.0.0.1:{port}/feed/team.ics"],
                                      environment)
        print(f"subscribe: peak {peak:.0f} MB, {seconds:.1f} s wall; {out.strip().splitlines()[-1]}")
        write_feed(feed, args.events, args.series, changed=True)
        peak, seconds, out = measured([tool, "refresh", database], environment)
        print(f"refresh of the changed feed: peak {peak:.0f} MB, {seconds:.1f} s wall; {out.strip().splitlines()[-1]}")
    finally:
        server.terminate()
        server.wait()


if __name__ == "__main__":
    main()
