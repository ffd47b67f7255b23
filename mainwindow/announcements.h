#pragma once

#include <QString>
#include <QStringList>

#include <vector>

// Every sentence the program says to a screen reader, built from one table of texts so that the
// same thing is always said in the same words. Plain data in, text out.
namespace announcements {

enum class Phrase {
    Cell,          // a cell's reading: "Row 3, column 2: " and what it shows
    Candidates,    // what an empty cell shows
    NoCandidates,  // an empty cell whose every candidate is excluded or struck
    StruckOut,     // added to an empty cell's reading
    Excluded,      // added when an entry beeps because a peer holds the digit
    WasStruck,     // added when an entry beeps because the digit was struck out
    UndoneStrike,  // Undo took back a strike-out's log line only
    UndoneRestore, // the same for a restore
    RedoneStrike,  // Redo put a strike-out's line back only
    RedoneRestore,
    NothingToUndo,
    NothingToRedo,
    BuiltIn,    // Easy, Medium or Hard laid
    BlankBoard, // Blank
    Laid,       // a puzzle from the clipboard, a file or a drop
    Givens,
    OneGiven,
    NoGivens,
    Hint, // one candidate a hint shows in large type
    NoStraggler,
    NoRemaining,
    HintsGone, // Check for Stragglers pressed again while its hints showed
};

// The phrase with its %1, %2 ... filled in.
QString say(Phrase phrase, const QStringList& arguments = {});

// A cell as a sighted player sees it: its digit, or its candidates that are neither excluded
// nor struck out, and those struck out. Digit lists are ascending, without repeats.
struct Cell {
    int row = 0;
    int column = 0;
    int digit = 0; // 0 while empty
    std::vector<int> candidates;
    std::vector<int> struck;
};

// "Row 3, column 2: 7", "Row 3, column 2: empty, candidates 4 9, struck out 2".
QString reading(const Cell& cell);

// A digit entered where a peer at (peerRow, peerColumn) holds it already.
QString enteredExcluded(const Cell& cell, int peerRow, int peerColumn);
QString enteredStruck(const Cell& cell);

// A puzzle laid: its name for Easy, Medium and Hard ("Easy"), else where it came from ("the
// clipboard"), and how many digits it gives.
QString builtInPuzzle(const QString& name, int givens);
QString blankBoard();
QString laidPuzzle(const QString& source, int givens);

// The candidates a hint shows in large type, each as (row, column, digit), in reading order.
struct HintedCandidate {
    int row;
    int column;
    int digit;
};
QString hints(const std::vector<HintedCandidate>& shown, Phrase noneFound);

} // namespace announcements
