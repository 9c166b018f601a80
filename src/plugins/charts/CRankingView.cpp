#include "charts/CRankingView.h"

#include "charts/ChartParts.h"

#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kMargin = 8;
constexpr int kGap = 6;
const QColor kBar(0x20, 0x9f, 0xdf);

QString Head(int index)
{
    return QStringLiteral("%1. ").arg(index + 1);
}

QString InParentheses(const QString& text)
{
    return QStringLiteral(" (") + text + QLatin1Char(')');
}

// A round step (1, 2 or 5 times a power of ten) that cuts 0..hours into at most `parts` parts.
double RoundStep(double hours, int parts)
{
    double power = std::pow(10.0, std::floor(std::log10(hours / parts)));
    for (double factor : {1.0, 2.0, 5.0, 10.0})
        if (hours / (factor * power) <= parts)
            return factor * power;
    return 10.0 * power;
}

QString AxisLabel(double hours)
{
    return QStringLiteral("%1 h").arg(hours);
}

// The most parts, five at most, whose labels fit side by side under a plot `width` wide.
void PickSteps(double most, int width, const QFontMetrics& metrics, double& step, double& hours)
{
    for (int parts = 5; parts >= 1; --parts) {
        step = RoundStep(most, parts);
        hours = std::ceil(most / step) * step;
        int widest = 0;
        for (double at = 0; at <= hours + step / 2; at += step)
            widest = std::max(widest, metrics.horizontalAdvance(AxisLabel(at)));
        if (width * step / hours >= widest + kGap)
            return;
    }
}

}  // namespace

CRankingView::CRankingView(QWidget* parent) : QWidget(parent)
{
    // Every row keeps a line of text: the window cannot be made smaller than that.
    int line = fontMetrics().height();
    setMinimumSize(360, kRows * (line + 2) + 2 * kMargin + line + 4);
}

void CRankingView::SetRows(std::vector<Row> rows)
{
    m_rows = std::move(rows);
    update();
}

CRankingView::Frame CRankingView::Layout() const
{
    const QFontMetrics metrics = fontMetrics();
    Frame frame;
    int widest = 0;
    int widestTotal = metrics.horizontalAdvance(QStringLiteral("0:00:00"));
    double most = 0;
    for (size_t i = 0; i < m_rows.size(); ++i) {
        const Row& row = m_rows[i];
        widest = std::max(widest, metrics.horizontalAdvance(Head(static_cast<int>(i)) + row.title +
                                                            InParentheses(row.genre)));
        widestTotal = std::max(widestTotal, metrics.horizontalAdvance(ChartParts::Hms(row.seconds)));
        most = std::max(most, ChartParts::Hours(row.seconds));
    }
    // The names take what they need, up to 45 % of the width; the totals always fit.
    frame.labelWidth = std::min(widest, width() * 45 / 100);
    int left = kMargin + frame.labelWidth + kGap;
    int right = width() - kMargin - widestTotal - kGap;
    int bottom = height() - kMargin - metrics.height() - 4;
    frame.plot = QRect(QPoint(left, kMargin), QPoint(std::max(left, right), std::max(kMargin, bottom)));
    // The rows share the height, each at most three lines high (a few titles do not make
    // broad bars).
    frame.pitch = std::min(static_cast<double>(frame.plot.height()) / std::max<size_t>(m_rows.size(), 1),
                           3.0 * metrics.height());
    // The axis comes right under the last row.
    frame.plot.setBottom(frame.plot.top() +
                         static_cast<int>(std::lround(frame.pitch * static_cast<double>(std::max<size_t>(m_rows.size(), 1)))));
    PickSteps(std::max(most, 1.0), frame.plot.width(), metrics, frame.step, frame.hours);
    return frame;
}

QString CRankingView::Fit(int index, int width) const
{
    const QFontMetrics metrics = fontMetrics();
    const Row& row = m_rows[static_cast<size_t>(index)];
    QString head = Head(index);
    QString genre = InParentheses(row.genre);
    int room = width - metrics.horizontalAdvance(head);
    if (metrics.horizontalAdvance(row.title + genre) <= room)
        return head + row.title + genre;
    // Both names are shortened: the genre to a third of the room at most, the title to the rest.
    int genreRoom = std::min(metrics.horizontalAdvance(genre), room / 3) -
                    metrics.horizontalAdvance(InParentheses(QString()));
    genre = InParentheses(metrics.elidedText(row.genre, Qt::ElideRight, std::max(genreRoom, 0)));
    int titleRoom = room - metrics.horizontalAdvance(genre);
    return head + metrics.elidedText(row.title, Qt::ElideRight, std::max(titleRoom, 0)) + genre;
}

std::vector<CRankingView::Line> CRankingView::Lines(const Frame& frame) const
{
    const QFontMetrics metrics = fontMetrics();
    std::vector<Line> lines;
    for (size_t i = 0; i < m_rows.size() && i < kRows; ++i) {
        int index = static_cast<int>(i);
        int top = frame.plot.top() + static_cast<int>(std::lround(frame.pitch * index));
        int bottom = frame.plot.top() + static_cast<int>(std::lround(frame.pitch * (index + 1)));
        Line line;
        line.label = QRect(kMargin, top, frame.labelWidth, bottom - top);
        line.text = Fit(index, frame.labelWidth);
        double share = ChartParts::Hours(m_rows[i].seconds) / frame.hours;
        int thickness = std::max(2, (bottom - top) * 7 / 10);
        line.bar = QRect(frame.plot.left(), top + (bottom - top - thickness) / 2,
                         static_cast<int>(std::lround(frame.plot.width() * share)), thickness);
        line.totalText = ChartParts::Hms(m_rows[i].seconds);
        line.total = QRect(line.bar.right() + kGap, top, metrics.horizontalAdvance(line.totalText), bottom - top);
        lines.push_back(line);
    }
    return lines;
}

std::vector<CRankingView::Tick> CRankingView::Ticks(const Frame& frame) const
{
    const QFontMetrics metrics = fontMetrics();
    std::vector<Tick> ticks;
    for (double hours = 0; hours <= frame.hours + frame.step / 2; hours += frame.step) {
        Tick tick;
        tick.x = frame.plot.left() + static_cast<int>(std::lround(frame.plot.width() * hours / frame.hours));
        tick.text = AxisLabel(hours);
        int width = metrics.horizontalAdvance(tick.text);
        tick.label = QRect(tick.x - width / 2, frame.plot.bottom() + 2, width, metrics.height());
        ticks.push_back(tick);
    }
    return ticks;
}

QString CRankingView::Tip(int index) const
{
    if (index < 0 || static_cast<size_t>(index) >= m_rows.size())
        return QString();
    const Row& row = m_rows[static_cast<size_t>(index)];
    return Head(index) + row.title + InParentheses(row.genre) + QStringLiteral("  ") + ChartParts::Hms(row.seconds);
}

int CRankingView::RowAt(const QPoint& point) const
{
    Frame frame = Layout();
    if (point.y() < frame.plot.top() || point.y() >= frame.plot.bottom() || frame.pitch <= 0)
        return -1;
    int index = static_cast<int>((point.y() - frame.plot.top()) / frame.pitch);
    return index < static_cast<int>(m_rows.size()) ? index : -1;
}

void CRankingView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().base());
    Frame frame = Layout();
    // The axis: a line at every round number of hours, with its label below the plot.
    QColor text = palette().color(QPalette::Text);
    for (const Tick& tick : Ticks(frame)) {
        painter.setPen(palette().color(QPalette::Midlight));
        painter.drawLine(tick.x, frame.plot.top(), tick.x, frame.plot.bottom());
        painter.setPen(text);
        painter.drawText(tick.label, Qt::AlignHCenter | Qt::AlignTop, tick.text);
    }
    for (const Line& line : Lines(frame)) {
        painter.fillRect(line.bar, kBar);
        painter.setPen(text);
        painter.drawText(line.label, Qt::AlignLeft | Qt::AlignVCenter, line.text);
        painter.drawText(line.total, Qt::AlignLeft | Qt::AlignVCenter, line.totalText);
    }
}

bool CRankingView::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        QString tip = Tip(RowAt(help->pos()));
        if (tip.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), tip, this);
        return true;
    }
    return QWidget::event(event);
}
