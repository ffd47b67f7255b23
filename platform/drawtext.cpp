#include "drawtext.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <vector>

namespace platform {

namespace {

const QString kEllipsis = QStringLiteral("...");
constexpr int kTabStopChars = 8;

struct Line {
    QString text;
    int underline = -1; // index into text of the accelerator character, or -1
};

// Strips the accelerator marks; the first marked character is remembered.
Line stripPrefix(const QString& text) {
    Line line;
    line.text.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'&' && i + 1 < text.size()) {
            ++i;
            if (text[i] != u'&' && line.underline < 0)
                line.underline = static_cast<int>(line.text.size());
        } else if (text[i] == u'&') {
            continue; // a trailing "&" marks nothing and is not shown
        }
        line.text.append(text[i]);
    }
    return line;
}

class Measure {
public:
    Measure(const QFont& font, bool expandTabs)
        : m_metrics(font),
          m_tabStop(expandTabs ? kTabStopChars * m_metrics.averageCharWidth() : 0) {}

    int width(const QString& text) const {
        if (m_tabStop <= 0 || !text.contains(u'\t'))
            return m_metrics.horizontalAdvance(text);
        const QStringList parts = text.split(u'\t');
        int x = 0;
        for (qsizetype i = 0; i < parts.size(); ++i) {
            if (i > 0)
                x = (x / m_tabStop + 1) * m_tabStop;
            x += m_metrics.horizontalAdvance(parts[i]);
        }
        return x;
    }
    const QFontMetrics& metrics() const { return m_metrics; }
    int tabStop() const { return m_tabStop; }

private:
    QFontMetrics m_metrics;
    int m_tabStop;
};

// Greedy breaking at blanks: as many words as fit, blanks at a break dropped.
void breakWords(const Line& paragraph, int width, const Measure& measure, std::vector<Line>& out) {
    const QString& text = paragraph.text;
    qsizetype start = 0;
    while (true) {
        qsizetype end = start; // end of the last fitting word
        qsizetype pos = start;
        while (pos < text.size()) {
            qsizetype wordEnd = pos;
            while (wordEnd < text.size() && text[wordEnd] == u' ')
                ++wordEnd;
            while (wordEnd < text.size() && text[wordEnd] != u' ')
                ++wordEnd;
            if (end > start && measure.width(text.mid(start, wordEnd - start)) > width)
                break;
            end = wordEnd;
            pos = wordEnd;
        }
        Line line{text.mid(start, end - start), -1};
        if (paragraph.underline >= start && paragraph.underline < end)
            line.underline = static_cast<int>(paragraph.underline - start);
        out.push_back(line);
        start = end;
        while (start < text.size() && text[start] == u' ')
            ++start;
        if (start >= text.size())
            return;
    }
}

void elide(Line& line, int width, const Measure& measure) {
    if (measure.width(line.text) <= width)
        return;
    qsizetype keep = line.text.size();
    while (keep > 0 && measure.width(line.text.left(keep) + kEllipsis) > width)
        --keep;
    line.text = line.text.left(keep) + kEllipsis;
    if (line.underline >= keep)
        line.underline = -1;
}

void drawLine(QPainter& painter, const Measure& measure, const Line& line, int x, int baseline) {
    if (measure.tabStop() > 0 && line.text.contains(u'\t')) {
        const QStringList parts = line.text.split(u'\t');
        int offset = 0;
        for (qsizetype i = 0; i < parts.size(); ++i) {
            if (i > 0)
                offset = (offset / measure.tabStop() + 1) * measure.tabStop();
            painter.drawText(QPoint(x + offset, baseline), parts[i]);
            offset += measure.metrics().horizontalAdvance(parts[i]);
        }
    } else {
        painter.drawText(QPoint(x, baseline), line.text);
    }
    if (line.underline >= 0 && line.underline < line.text.size()) {
        const QFontMetrics& fm = measure.metrics();
        const int left = x + measure.width(line.text.left(line.underline));
        const int w = fm.horizontalAdvance(line.text[line.underline]);
        const int y = baseline + std::max(1, fm.underlinePos());
        painter.fillRect(QRect(left, y, w, std::max(1, fm.lineWidth())), painter.pen().color());
    }
}

std::vector<Line> layOut(const Measure& measure, const QString& text, int width, TextFlags flags) {
    const bool singleLine = flags.testFlag(TextFlag::SingleLine);
    std::vector<Line> lines;
    // Nothing to draw measures as nothing, not as one empty line.
    if (text.isEmpty())
        return lines;
    std::vector<Line> paragraphs;
    if (singleLine) {
        paragraphs.push_back(flags.testFlag(TextFlag::NoPrefix) ? Line{text, -1}
                                                                : stripPrefix(text));
    } else {
        QString plain = text;
        plain.remove(u'\r');
        for (const QString& part : plain.split(u'\n'))
            paragraphs.push_back(flags.testFlag(TextFlag::NoPrefix) ? Line{part, -1}
                                                                    : stripPrefix(part));
    }
    for (const Line& paragraph : paragraphs) {
        if (!singleLine && flags.testFlag(TextFlag::WordBreak) && !paragraph.text.isEmpty())
            breakWords(paragraph, width, measure, lines);
        else
            lines.push_back(paragraph);
    }
    if (flags.testFlag(TextFlag::EndEllipsis)) {
        for (Line& line : lines)
            elide(line, width, measure);
    }
    return lines;
}

} // namespace

QStringList textLines(const QFont& font, const QString& text, int width, TextFlags flags) {
    QStringList result;
    for (const Line& line :
         layOut(Measure(font, flags.testFlag(TextFlag::ExpandTabs)), text, width, flags))
        result.append(line.text);
    return result;
}

int drawText(QPainter* painter, const QFont& font, const QString& text, QRect& rect,
             TextFlags flags) {
    const Measure measure(font, flags.testFlag(TextFlag::ExpandTabs));
    const bool singleLine = flags.testFlag(TextFlag::SingleLine);
    const std::vector<Line> lines = layOut(measure, text, rect.width(), flags);

    const int lineHeight = measure.metrics().height();
    const int textHeight = lineHeight * static_cast<int>(lines.size());
    if (flags.testFlag(TextFlag::CalcRect)) {
        int widest = 0;
        for (const Line& line : lines)
            widest = std::max(widest, measure.width(line.text));
        rect.setWidth(widest);
        rect.setHeight(textHeight);
        return textHeight;
    }
    if (painter == nullptr)
        return textHeight;

    int top = rect.top();
    if (singleLine && flags.testFlag(TextFlag::VCenter))
        top = rect.top() + (rect.height() - lineHeight) / 2;
    else if (singleLine && flags.testFlag(TextFlag::Bottom))
        top = rect.top() + rect.height() - lineHeight;

    painter->save();
    painter->setClipRect(rect, Qt::IntersectClip);
    painter->setFont(font);
    for (const Line& line : lines) {
        int x = rect.left();
        if (flags.testFlag(TextFlag::Center))
            x = rect.left() + (rect.width() - measure.width(line.text)) / 2;
        else if (flags.testFlag(TextFlag::Right))
            x = rect.left() + rect.width() - measure.width(line.text);
        drawLine(*painter, measure, line, x, top + measure.metrics().ascent());
        top += lineHeight;
    }
    painter->restore();
    return textHeight;
}

} // namespace platform
