#!/usr/bin/env python3
"""Writes the sample club (tennisclub.tdm and tennisclub.cfg) from the documented record layouts.

The members are invented for this project. Run from this folder: python3 make_sample_club.py
"""
import struct

def pstr(text, capacity):
    data = text.encode("cp1252")[:capacity]
    return bytes([len(data)]) + data + bytes(capacity - len(data))

def member(ix, nr, first, last, grp, actie, street="", postcode="", town="", phone="", email="", remark=""):
    rec = struct.pack("<Hh", ix, nr) + pstr(first, 24) + pstr(last, 40) + pstr(grp, 3) + pstr(actie, 3) \
        + pstr(street, 40) + pstr(postcode, 8) + pstr(town, 24) + pstr(phone, 12) + pstr(email, 32) + pstr(remark, 32)
    assert len(rec) == 232
    return rec

MEN = [
    ("Bram", "de Vries", "X"), ("Joost", "Hendriksen", "X"), ("Pieter", "van Dam", "X"), ("Kees", "Molenaar", "3"),
    ("Ruud", "Verbeek", "X"), ("Wim", "Bosschaert", "-"), ("Gerrit", "Lammers", "X"), ("Sjoerd", "Terpstra", "C"),
    ("Maarten", "van Leeuwen", "X"), ("Henk", "Brouwer", "2"), ("Teun", "Gerritsen", "X"), ("Frits", "Koster", "-"),
    ("Jan", "Smeets", "X"), ("Daan", "Wijnands", "X"), ("Luuk", "Vermeulen", "X"), ("Thijs", "Bakker", "X"),
    ("Ernst", "Kuipers", "B1"), ("Rens", "Dijkstra", "X"), ("Olaf", "Huisman", "-"), ("Stijn", "Peeters", "X"),
]
LADIES = [
    ("Anneke", "Jansen", "X"), ("Marieke", "van Wijk", "X"), ("Ineke", "Post", "X"), ("Sanne", "Willems", "-"),
    ("Femke", "Mulder", "X"), ("Janneke", "de Groot", "3"), ("Lotte", "Visser", "X"), ("Ria", "Hofman", "X"),
    ("Els", "Timmermans", "C"), ("Marloes", "Bos", "X"), ("Trees", "van Beek", "2"), ("Noor", "Kramer", "X"),
    ("Greet", "Schouten", "-"), ("Hanneke", "Dekker", "X"), ("Wilma", "Prins", "X"), ("Joke", "Maas", "B1"),
    ("Saskia", "Verhoeven", "X"), ("Ilse", "Mertens", "X"), ("Tineke", "Zwart", "-"), ("Renée", "Vos", "X"),
]
STREETS = ["Lindelaan 4", "Kerkstraat 17", "Molenweg 2a", "Parkweg 31", "Dorpsstraat 8", "Beukenhof 12"]
TOWNS = [("5611 AB", "Veldhoven"), ("5612 CD", "Veldhoven"), ("5501 EF", "Waalre")]

records = []
people = [(m, "h") for m in MEN] + [(l, "d") for l in LADIES]
for i, ((first, last, code), grp) in enumerate(people, start=1):
    extra = {}
    if i % 3 == 0:
        pc, town = TOWNS[i % len(TOWNS)]
        extra = dict(street=STREETS[i % len(STREETS)], postcode=pc, town=town,
                     phone="040-55%05d" % (i * 37), email=f"{first.lower()}@voorbeeld.nl")
    if code == "-":
        extra["remark"] = "blessure"
    records.append(member(i, 100 + i, first, last, grp, code, **extra))

n = len(records)
header = member(0, 0, "N_N", "", "", "", remark=str(n))
with open("tennisclub.tdm", "wb") as f:
    f.write(header + b"".join(records))

key = pstr("T.V. De Wisselbaan", 32) + struct.pack("<iiihh", 60, 4, 2, 6, 40) + pstr("h", 3) + pstr("d", 3) \
    + struct.pack("<hH", 1, 17)
assert len(key) == 61
personal = pstr("", 24) * 5
prn = pstr("MS Sans Serif", 32) + struct.pack("<hhHHHhHi", 10, 10, 118, 177, 118, 50, 61, -1) + personal \
    + pstr("MS Sans Serif", 24) + struct.pack("<H", 4)
assert len(prn) == 203
with open("tennisclub.cfg", "wb") as f:
    f.write(bytes(4) + key + prn)
