#include "announcements.h"

#include <array>
#include <utility>

namespace announcements {

namespace {

// Sentences are short and start with what changed, since a screen reader user hears them while
// moving on; "Ctrl+4" names the key the player presses.
constexpr std::array kTexts{
    std::pair{Phrase::Cell, u"Row %1, column %2: %3"},
    std::pair{Phrase::Candidates, u"empty, candidates %1"},
    std::pair{Phrase::NoCandidates, u"empty, no candidates"},
    std::pair{Phrase::StruckOut, u", struck out %1"},
    std::pair{Phrase::Excluded, u"; %1 was excluded here by row %2, column %3"},
    std::pair{Phrase::WasStruck, u"; %1 was struck out here"},
    std::pair{Phrase::UndoneStrike,
              u"Undone in the log only: %1 stays struck out at row %2, column %3; "
              u"Ctrl+%1 restores it"},
    std::pair{Phrase::UndoneRestore,
              u"Undone in the log only: %1 stays restored at row %2, column %3; "
              u"Ctrl+%1 strikes it out"},
    std::pair{Phrase::RedoneStrike, u"Redone in the log only: %1 stays struck out at row %2, "
                                    u"column %3"},
    std::pair{Phrase::RedoneRestore, u"Redone in the log only: %1 stays restored at row %2, "
                                     u"column %3"},
    std::pair{Phrase::NothingToUndo, u"Nothing to undo"},
    std::pair{Phrase::NothingToRedo, u"Nothing to redo"},
    std::pair{Phrase::BuiltIn, u"%1 puzzle, %2"},
    std::pair{Phrase::BlankBoard, u"Blank board, %1"},
    std::pair{Phrase::Laid, u"Puzzle from %1, %2"},
    std::pair{Phrase::Givens, u"%1 givens"},
    std::pair{Phrase::OneGiven, u"1 given"},
    std::pair{Phrase::NoGivens, u"no givens"},
    std::pair{Phrase::Hint, u"Row %1, column %2: %3"},
    std::pair{Phrase::NoStraggler, u"No cell is down to one candidate"},
    std::pair{Phrase::NoRemaining, u"No digit is down to one place in a row, column or block"},
    std::pair{Phrase::HintsGone, u"Hints hidden"},
};

QString digits(const std::vector<int>& list) {
    QString text;
    for (int d : list) {
        if (!text.isEmpty())
            text += u' ';
        text += QString::number(d);
    }
    return text;
}

QString givens(int count) {
    if (count == 0)
        return say(Phrase::NoGivens);
    if (count == 1)
        return say(Phrase::OneGiven);
    return say(Phrase::Givens, {QString::number(count)});
}

} // namespace

QString say(Phrase phrase, const QStringList& a) {
    for (const auto& [key, text] : kTexts) {
        if (key != phrase)
            continue;
        // One pass over the text, so that an argument holding "%2" is left as it is.
        const QString t = QString::fromUtf16(text);
        switch (a.size()) {
        case 0:
            return t;
        case 1:
            return t.arg(a[0]);
        case 2:
            return t.arg(a[0], a[1]);
        default:
            return t.arg(a[0], a[1], a[2]);
        }
    }
    return {};
}

QString reading(const Cell& cell) {
    QString shows;
    if (cell.digit != 0) {
        shows = QString::number(cell.digit);
    } else {
        shows = cell.candidates.empty() ? say(Phrase::NoCandidates)
                                        : say(Phrase::Candidates, {digits(cell.candidates)});
        if (!cell.struck.empty())
            shows += say(Phrase::StruckOut, {digits(cell.struck)});
    }
    return say(Phrase::Cell, {QString::number(cell.row), QString::number(cell.column), shows});
}

QString enteredExcluded(const Cell& cell, int peerRow, int peerColumn) {
    return reading(cell) +
           say(Phrase::Excluded, {QString::number(cell.digit), QString::number(peerRow),
                                  QString::number(peerColumn)});
}

QString enteredStruck(const Cell& cell) {
    return reading(cell) + say(Phrase::WasStruck, {QString::number(cell.digit)});
}

QString builtInPuzzle(const QString& name, int count) {
    return say(Phrase::BuiltIn, {name, givens(count)});
}

QString blankBoard() {
    return say(Phrase::BlankBoard, {givens(0)});
}

QString laidPuzzle(const QString& source, int count) {
    return say(Phrase::Laid, {source, givens(count)});
}

QString hints(const std::vector<HintedCandidate>& shown, Phrase noneFound) {
    if (shown.empty())
        return say(noneFound);
    QStringList each;
    for (const HintedCandidate& c : shown)
        each.append(say(Phrase::Hint, {QString::number(c.row), QString::number(c.column),
                                       QString::number(c.digit)}));
    return each.join(QStringLiteral("; "));
}

} // namespace announcements
