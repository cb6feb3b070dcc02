// The night's page; see engine/night_page.h. The timeline is drawn by
// engine/night_timeline.cpp, the rest is here.
#include "engine/night_page.h"

#include "engine/clock_text.h"
#include "engine/night_timeline.h"

namespace {

constexpr const char* Style =
    "body{font-family:Arial,Helvetica,sans-serif;font-size:14px;color:#000;background:#fff;margin:12px}"
    "h1{font-size:20px}h2{font-size:16px;margin-top:20px}"
    "table{border-collapse:collapse}th,td{border:1px solid #000;padding:2px 6px;text-align:left}"
    "th{background:#ddd}td.n{text-align:right}p.note{font-style:italic}"
    "svg{max-width:100%;height:auto}svg text{font-family:Consolas,'Courier New',monospace;font-size:11px}"
    "svg .bar{fill:#fff;stroke:#000}svg .grid{stroke:#999;stroke-dasharray:2,3}"
    "svg .gap{fill:url(#hatch);stroke:#000}svg .m0{fill:#fff;stroke:#000}svg .m1{fill:#fff;stroke:#000}"
    "svg .m2{fill:#888;stroke:#000}svg .m3{fill:#000;stroke:#000}svg .c{fill:#000}"
    "@media print{body{margin:0}th{background:#fff}}";

class Page {
public:
    explicit Page(const Night& night) : night_(night) {}
    std::string Write();

private:
    void Head();
    void Notes();
    void EntryTable();
    void ContactTable();

    void Num(long long n) { AppendNumber(out_, n); }
    void Text(std::string_view t) { AppendPageText(out_, t); }
    void Clock(std::int64_t utc);

    const Night& night_;
    std::string out_;
};

}  // namespace

void AppendPageText(std::string& out, std::string_view text)
{
    for (const char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&#39;"; break;
        default: out += c >= ' ' && c <= '~' ? c : '?';
        }
    }
}

std::string NightFileName(std::int64_t firstStartUtc)
{
    return "tavrix-night-" + UtcDay(firstStartUtc) + ".html";
}

std::string NightFileName(const Night& night)
{
    return night.Entries().empty() ? std::string("tavrix-night.html") : NightFileName(night.Entries().front().start);
}

std::string NightPage(const Night& night)
{
    return Page(night).Write();
}

std::string Page::Write()
{
    out_.reserve(4096 + night_.Entries().size() * 700);
    Head();
    AppendNightTimeline(out_, night_);
    EntryTable();
    ContactTable();
    out_ += "</body>\n</html>\n";
    return std::move(out_);
}

void Page::Head()
{
    const std::string title = "Tavrix: the night of " + (night_.Entries().empty() ? std::string("no entries")
                                                                                     : UtcDay(night_.Entries().front().start)) +
                              " (UTC)";
    out_ += "<!DOCTYPE html>\n<html xmlns=\"http://www.w3.org/1999/xhtml\" lang=\"en\">\n<head>\n"
            "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=us-ascii\"/>\n<title>";
    Text(title);
    out_ += "</title>\n<style type=\"text/css\">";
    out_ += Style;
    out_ += "</style>\n</head>\n<body>\n<h1>";
    Text(title);
    out_ += "</h1>\n<p>";
    Text(NightSummary(night_));
    out_ += ".</p>\n";
    Notes();
}

void Page::Notes()
{
    if (night_.Aggregated()) {
        out_ += "<p class=\"note\">Beyond the first ";
        Num(Night::MarksPerEntry);
        out_ += " decodes of an entry (";
        Num(Night::MarksPerNight);
        out_ += " in the night), the timeline marks decodes once per minute, by the furthest step among them.</p>\n";
    }
    if (night_.NotKept()) {
        out_ += "<p class=\"note\">";
        Num(night_.NotKept());
        out_ += " decodes or entries beyond the page's bounds are counted in the figures but not marked.</p>\n";
    }
}

void Page::Clock(std::int64_t utc)
{
    const UtcTime t = UtcTimeOf(utc);
    AppendClock(out_, t.hour, t.minute);
}

void Page::EntryTable()
{
    out_ += "<h2>Entries</h2>\n<table>\n<tr><th>#</th><th>When (UTC)</th><th>Station</th><th>Tx First</th>"
            "<th>MHz</th><th>Outcome</th><th>Heard (UTC)</th><th>Decodes</th><th>WSJT missing</th></tr>\n";
    for (const NightEntry& e : night_.Entries()) {
        out_ += "<tr><td class=\"n\">";
        Num(e.index + 1);
        out_ += "</td><td>";
        Text(EntryWhen(e));
        out_ += "</td><td>";
        Text(e.sked.station);
        out_ += "</td><td>";
        out_ += TxFirstWord(e.sked.period);
        if (!e.periodTrouble.empty()) {
            out_ += ", not set: ";
            Text(e.periodTrouble);
        }
        out_ += "</td><td class=\"n\">";
        if (e.sked.frequency)
            out_ += MhzText(e.sked.frequency);
        out_ += "</td><td>";
        Text(EntryOutcome(e));
        if (!e.frequencyTrouble.empty()) {
            out_ += ": ";
            Text(e.frequencyTrouble);
        }
        out_ += "</td><td>";
        if (e.decodes) {
            Clock(e.firstHeard);
            out_ += "-";
            Clock(e.lastHeard);
        }
        out_ += "</td><td class=\"n\">";
        Num(e.decodes);
        out_ += "</td><td class=\"n\">";
        if (const std::int64_t missing = MissingMinutes(e)) {
            Num(missing);
            out_ += " min";
        }
        out_ += "</td></tr>\n";
    }
    out_ += "</table>\n";
}

void Page::ContactTable()
{
    out_ += "<h2>Contacts</h2>\n";
    std::int64_t count = 0;
    for (const NightEntry& e : night_.Entries())
        count += static_cast<std::int64_t>(e.contacts.size());
    if (!count) {
        out_ += "<p>No contact was completed.</p>\n";
        return;
    }
    out_ += "<table>\n<tr><th>Date</th><th>Time (UTC)</th><th>Station</th><th>Entry</th></tr>\n";
    for (const NightEntry& e : night_.Entries()) {
        for (const NightContact& c : e.contacts) {
            out_ += "<tr><td>";
            out_ += UtcDay(c.utc);
            out_ += "</td><td>";
            Clock(c.utc);
            out_ += "</td><td>";
            Text(c.station);
            out_ += "</td><td class=\"n\">";
            Num(e.index + 1);
            out_ += "</td></tr>\n";
        }
        if (e.contactsNotKept) {
            out_ += "<tr><td colspan=\"4\">and ";
            Num(e.contactsNotKept);
            out_ += " more in entry ";
            Num(e.index + 1);
            out_ += "</td></tr>\n";
        }
    }
    out_ += "</table>\n";
}
