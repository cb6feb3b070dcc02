// The night's timeline, an inline SVG drawing on its page; see
// engine/night_timeline.h. Coordinates are whole pixels, so the page stays
// small for a night of thousands of entries.
#include "engine/night_timeline.h"

#include <algorithm>
#include <vector>

#include "engine/clock_text.h"
#include "engine/night_page.h"

namespace {

// The drawing's columns: entry labels, the plot, outcomes.
constexpr int LabelWidth = 190, PlotWidth = 720, OutcomeWidth = 200;
constexpr int NumberWidth = 34;  // an entry's number, right-aligned: 5 digits
constexpr int AxisHeight = 44, RowHeight = 18, LegendHeight = 24;
constexpr int MinTickSpacing = 52;  // px between hour labels ("00:00" is about 32)
constexpr int MinDateSpacing = 84;  // and between dates ("2026-12-13" is about 66)
constexpr std::size_t OutcomeChars = 30;
// A night of a few hours is drawn from and to the quarter hour, so its
// entries spread over the plot; a longer one from and to the hour.
constexpr std::int64_t ShortNight = 3 * 3600;
// The ticks' spacings to choose from, in seconds; beyond a day, whole days.
constexpr std::int64_t TickSteps[] = {300, 600, 900, 1800, 3600, 7200, 10800, 14400, 21600, 43200, 86400};

std::int64_t FloorTo(std::int64_t t, std::int64_t unit)
{
    return t - ((t % unit) + unit) % unit;
}

class Timeline {
public:
    Timeline(std::string& out, const Night& night) : out_(out), night_(night) {}
    void Write();

private:
    void Axis();
    void Legend(int y);
    void Row(const NightEntry& e, int y);
    void Mark(int x, int step, int y, std::string_view title);
    bool Drawn(int x, int step);
    void Label(int x, int y, std::string_view text, const char* anchor = nullptr);

    int X(std::int64_t utc) const;
    void Num(long long n) { AppendNumber(out_, n); }
    void Text(std::string_view t) { AppendPageText(out_, t); }
    void Clock(std::int64_t utc);
    void Attr(const char* name, long long n);

    std::string& out_;
    const Night& night_;
    std::int64_t from_ = 0, to_ = 1;  // whole quarters or hours around every entry
    std::int64_t walk_ = 3600;        // the axis is looked at every so many seconds
    std::vector<bool> drawn_;         // the row's marks by step and pixel
};

}  // namespace

const char* TxFirstWord(TxPeriod period)
{
    return *TxPeriodText(period) ? TxPeriodText(period) : "as WSJT";
}

void AppendNightTimeline(std::string& out, const Night& night)
{
    Timeline(out, night).Write();
}

int Timeline::X(std::int64_t utc) const
{
    utc = std::clamp(utc, from_, to_);
    return LabelWidth + static_cast<int>((utc - from_) * PlotWidth / (to_ - from_));
}

void Timeline::Clock(std::int64_t utc)
{
    const UtcTime t = UtcTimeOf(utc);
    AppendClock(out_, t.hour, t.minute);
}

void Timeline::Attr(const char* name, long long n)
{
    out_ += ' ';
    out_ += name;
    out_ += "=\"";
    Num(n);
    out_ += '"';
}

// Browsers before SVG skip the drawing (a conditional comment, which to XML
// is only a comment) and show the tables.
void Timeline::Write()
{
    const auto& entries = night_.Entries();
    if (!entries.empty()) {
        from_ = entries.front().start;
        to_ = entries.front().end;
        for (const NightEntry& e : entries) {
            from_ = std::min(from_, e.start);
            to_ = std::max(to_, e.end);
        }
        const std::int64_t unit = to_ - from_ <= ShortNight ? 900 : 3600;
        walk_ = unit == 900 ? 300 : 3600;
        from_ = FloorTo(from_, unit);
        to_ = FloorTo(to_ + unit - 1, unit);
    }
    to_ = std::max(to_, from_ + 1800);
    const int height = LegendHeight + AxisHeight + static_cast<int>(entries.size()) * RowHeight + 8;
    out_ += "<h2>Timeline (UTC)</h2>\n<p>Each entry from its start to its end; marks that would fall on one another "
            "are drawn once, and the table below has the figures.</p>\n<!--[if gte IE 9]><!-->\n<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\"";
    Attr("width", LabelWidth + PlotWidth + OutcomeWidth);
    Attr("height", height);
    // Scaled down to a narrow window rather than cut off at its edge.
    out_ += " viewBox=\"0 0 ";
    Num(LabelWidth + PlotWidth + OutcomeWidth);
    out_ += ' ';
    Num(height);
    out_ += '"';
    out_ += ">\n<defs><pattern id=\"hatch\" patternUnits=\"userSpaceOnUse\" width=\"6\" height=\"6\">"
            "<path d=\"M0,6L6,0M-1,1L1,-1M5,7L7,5\" stroke=\"#000\" stroke-width=\"1\"/></pattern></defs>\n";
    Legend(14);
    Axis();
    int y = LegendHeight + AxisHeight;
    for (const NightEntry& e : entries) {
        Row(e, y);
        y += RowHeight;
    }
    out_ += "</svg>\n<!--<![endif]-->\n";
}

void Timeline::Label(int x, int y, std::string_view text, const char* anchor)
{
    out_ += "<text";
    Attr("x", x);
    Attr("y", y);
    if (anchor) {
        out_ += " text-anchor=\"";
        out_ += anchor;
        out_ += '"';
    }
    out_ += '>';
    Text(text);
    out_ += "</text>\n";
}

// Each step its own shape, so the marks read in black and white.
void Timeline::Mark(int x, int step, int y, std::string_view title)
{
    switch (step) {
    case StepHeard:
        out_ += "<circle class=\"m0\" r=\"3\"";
        Attr("cx", x);
        Attr("cy", y);
        break;
    case Step27:
        out_ += "<path class=\"m1\" d=\"M";
        Num(x);
        out_ += ',';
        Num(y - 4);
        out_ += "l4,7h-8z\"";
        break;
    case StepR27:
        out_ += "<rect class=\"m2\" width=\"7\" height=\"7\"";
        Attr("x", x - 3);
        Attr("y", y - 3);
        break;
    default:
        out_ += "<path class=\"m3\" d=\"M";
        Num(x);
        out_ += ',';
        Num(y - 5);
        out_ += "l5,5l-5,5l-5,-5z\"";
        break;
    }
    if (title.empty()) {
        out_ += "/>";
        return;
    }
    out_ += "><title>";
    Text(title);
    out_ += "</title></";
    out_ += step == StepHeard ? "circle" : step == StepR27 ? "rect" : "path";
    out_ += '>';
}

// A mark on top of one of its own kind adds nothing to the drawing but
// bytes: on a long night an entry is only a few pixels wide.
bool Timeline::Drawn(int x, int step)
{
    const std::size_t at = static_cast<std::size_t>(step) * (LabelWidth + PlotWidth + 1) + static_cast<std::size_t>(x);
    if (at >= drawn_.size() || drawn_[at])
        return true;
    drawn_[at] = true;
    return false;
}

void Timeline::Legend(int y)
{
    const struct {
        int step;
        const char* text;
    } items[] = {{StepHeard, "heard"}, {Step27, "27 heard"}, {StepR27, "R27 heard"}, {StepRRR, "RRR heard"}};
    int x = LabelWidth + 6;
    for (const auto& item : items) {
        Mark(x, item.step, y - 4, {});
        Label(x + 9, y, item.text);
        x += 100;
    }
    out_ += "<rect class=\"c\" width=\"3\" height=\"14\"";
    Attr("x", x - 1);
    Attr("y", y - 11);
    out_ += "/>\n";
    Label(x + 7, y, "contact");
    x += 90;
    out_ += "<rect class=\"gap\" width=\"20\" height=\"10\"";
    Attr("x", x - 4);
    Attr("y", y - 9);
    out_ += "/>\n";
    Label(x + 22, y, "WSJT missing");
}

// Ticks on round times as far apart as their labels need; on a night of
// weeks, days instead. The date over each midnight that clears the last.
void Timeline::Axis()
{
    const int top = LegendHeight, base = LegendHeight + AxisHeight - 4;
    const std::int64_t span = to_ - from_;
    std::int64_t every = 0;
    for (const std::int64_t step : TickSteps) {
        every = step;
        if (step >= walk_ && span / step * MinTickSpacing <= PlotWidth)
            break;
    }
    while (every >= 86400 && span / every * MinDateSpacing > PlotWidth)
        every += 86400;
    const int bottom = LegendHeight + AxisHeight + static_cast<int>(night_.Entries().size()) * RowHeight;
    const std::int64_t firstDay = FloorTo(from_ + 86399, 86400);
    // The start's date too, when no midnight's date comes close to it.
    if (firstDay > to_ || X(firstDay) - X(from_) >= MinDateSpacing + 36)
        Label(X(from_), top + 12, UtcDay(from_), "start");
    int lastDate = -MinDateSpacing;
    for (std::int64_t t = from_; t <= to_; t += walk_) {
        const int x = X(t);
        const UtcTime at = UtcTimeOf(t);
        const bool midnight = t % 86400 == 0;
        const bool tick = every < 86400 ? t % every == 0 : midnight && (t - firstDay) / 86400 % (every / 86400) == 0;
        if (midnight && x - lastDate >= MinDateSpacing && (every < 86400 || tick)) {
            Label(x, top + 12, UtcDay(t), t == from_ ? "start" : "middle");
            lastDate = x;
        }
        if (!tick)
            continue;
        if (every < 86400) {
            std::string clock;
            AppendClock(clock, at.hour, at.minute);
            Label(x, base - 10, clock, "middle");
        }
        out_ += "<path class=\"grid\" d=\"M";
        Num(x);
        out_ += ',';
        Num(base - 6);
        out_ += 'V';
        Num(bottom);
        out_ += "\"/>\n";
    }
    out_ += "<path d=\"M";
    Num(LabelWidth);
    out_ += ',';
    Num(base);
    out_ += 'H';
    Num(LabelWidth + PlotWidth);
    out_ += "\" stroke=\"#000\"/>\n";
}

void Timeline::Row(const NightEntry& e, int y)
{
    const int mid = y + RowHeight / 2;
    std::string label;
    AppendNumber(label, e.index + 1);
    Label(NumberWidth, mid + 4, label, "end");
    label = e.sked.station;
    label += ' ';
    label += TxFirstWord(e.sked.period);
    Label(NumberWidth + 6, mid + 4, label);
    const int x0 = X(e.start), x1 = std::max(X(e.end), x0 + 1);
    out_ += "<rect class=\"bar\" height=\"10\"";
    Attr("x", x0);
    Attr("y", mid - 5);
    Attr("width", x1 - x0);
    out_ += "/>\n";
    for (const NightGap& gap : e.gaps) {
        const int g0 = X(std::max(gap.from, e.start));
        const int g1 = X(std::min(gap.to >= 0 ? gap.to : e.ended >= 0 ? e.ended : e.end, e.end));
        out_ += "<rect class=\"gap\" height=\"14\"";
        Attr("x", g0);
        Attr("y", mid - 7);
        Attr("width", std::max(g1 - g0, 1));
        out_ += "/>\n";
    }
    drawn_.assign(4 * (LabelWidth + PlotWidth + 1), false);
    std::string title;
    for (const NightMark& m : e.marks) {
        if (Drawn(X(m.utc), m.step))
            continue;
        title.clear();
        const UtcTime t = UtcTimeOf(m.utc);
        AppendClock(title, t.hour, t.minute);
        title += ':';
        AppendTwoDigits(title, t.second);
        title += ' ';
        title += m.text;
        Mark(X(m.utc), m.step, mid, title);
    }
    // Counted minutes carry no title: there are many, and the table has the figures.
    for (const NightMinute& m : e.minutes) {
        if (!Drawn(X(m.minute + 30), m.step))
            Mark(X(m.minute + 30), m.step, mid, {});
    }
    for (const NightContact& c : e.contacts) {
        out_ += "<rect class=\"c\" width=\"3\" height=\"16\"";
        Attr("x", X(c.utc) - 1);
        Attr("y", mid - 8);
        out_ += "><title>";
        Clock(c.utc);
        out_ += " contact ";
        Text(c.station);
        out_ += "</title></rect>\n";
    }
    out_ += '\n';
    std::string outcome = EntryOutcome(e);
    if (outcome.size() > OutcomeChars)
        outcome = outcome.substr(0, OutcomeChars - 3) + "...";
    Label(LabelWidth + PlotWidth + 8, mid + 4, outcome);
}
