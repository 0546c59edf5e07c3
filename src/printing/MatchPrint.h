#pragma once
// The match printout and export ("UITVOER van MATCHES"): the match window's table, laid out without
// windows.
#include "printing/PrintMetrics.h"

#include <QStringList>

#include <vector>

namespace tandemx::printing {

struct MatchDocument {
    QByteArray clubName;           // Windows-1252, as stored in the key data
    std::vector<int> screenWidths; // grid columns 0 .. 7 + N
    QStringList headerCells;       // grid columns 0 .. 7 + N ("Ix", "Club", ..., "Games" x N, "Tot.Gms", "Plaats")
    QStringList matchDates;        // matches 1..N
    std::vector<QStringList> rows; // member rows: cells of grid columns 0 .. 7 + N
    QStringList exportLines;       // one comma-separated line per member row
    int matches() const { return int(matchDates.size()); }
};

inline const QString MatchTitle = QStringLiteral("UITVOER van MATCHES");

// Lays the match table out (document begun by the caller). Returns the number of pages.
int printMatches(PrintCanvas& canvas, const PrintSettings& settings, const PrintMetrics& metrics,
                 const MatchDocument& doc);
// The export file's bytes (UTF-8, lines ending in CR LF).
QByteArray exportMatches(const MatchDocument& doc, const PrintSettings& settings);

} // namespace tandemx::printing
