// The night's page parsed as XML: well-formed whatever the decodes held,
// its texts escaped, and the figures where a reader looks for them.
#include <gtest/gtest.h>
#include <libxml/parser.h>
#include <libxml/xpath.h>
#include <libxml/xpathInternals.h>

#include <memory>

#include "engine/night_page.h"
#include "support/utc_time.h"

namespace {

std::int64_t T(int day, int hour, int minute)
{
    return UtcSeconds(At(2026, 12, day, hour, minute, 0));
}

SkedEntry Sked(const char* station, TxPeriod period)
{
    SkedEntry e;
    e.station = station;
    e.period = period;
    return e;
}

// The page as an XML tree, with XPath over its two namespaces.
class Parsed {
public:
    explicit Parsed(const std::string& page)
        : doc_(xmlReadMemory(page.data(), static_cast<int>(page.size()), "night.html", nullptr,
                             XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING),
               xmlFreeDoc)
    {
        if (!doc_)
            return;
        xpath_.reset(xmlXPathNewContext(doc_.get()));
        xmlXPathRegisterNs(xpath_.get(), BAD_CAST "h", BAD_CAST "http://www.w3.org/1999/xhtml");
        xmlXPathRegisterNs(xpath_.get(), BAD_CAST "s", BAD_CAST "http://www.w3.org/2000/svg");
    }
    bool Ok() const { return doc_ != nullptr; }
    // The XPath expression's value as a string (count(), string(), ...).
    std::string Eval(const char* expression) const
    {
        std::unique_ptr<xmlXPathObject, void (*)(xmlXPathObjectPtr)> value(
            xmlXPathEvalExpression(BAD_CAST expression, xpath_.get()), xmlXPathFreeObject);
        if (!value)
            return "(bad expression)";
        std::unique_ptr<xmlChar, void (*)(void*)> text(xmlXPathCastToString(value.get()), xmlFree);
        return reinterpret_cast<const char*>(text.get());
    }

private:
    std::unique_ptr<xmlDoc, void (*)(xmlDocPtr)> doc_;
    struct FreeContext {
        void operator()(xmlXPathContextPtr c) const { xmlXPathFreeContext(c); }
    };
    std::unique_ptr<xmlXPathContext, FreeContext> xpath_;
};

TEST(NightPage, WellFormedAndEscaped)
{
    Night night(3);
    SkedEntry first = Sked("Q7PQR", TxPeriod::Second);
    first.frequency = 144366000;
    night.EntryStarted(0, first, T(13, 22, 30), T(13, 23, 0));
    night.PartnerHeard(T(13, 22, 33), StepHeard, "Q7PQR <b>&amp;\" x'\xE9\x01");
    night.PartnerHeard(T(13, 22, 40), StepR27, "Q7PQR R27");
    night.WsjtMissing(T(13, 22, 45));
    night.EntryEnded(T(13, 23, 0));
    night.EntryStarted(1, Sked("CQ", TxPeriod::AsWsjt), T(13, 23, 30), T(14, 0, 30));
    night.ContactCompleted(T(14, 0, 5), "Q9<b>&");
    night.RunEnded(T(14, 0, 30));

    const std::string page = NightPage(night);
    const Parsed xml(page);
    ASSERT_TRUE(xml.Ok()) << page.substr(0, 400);
    const struct {
        const char* expression;
        const char* value;
    } checks[] = {
        {"string(/h:html/h:head/h:title)", "Tavrix: the night of 2026-12-13 (UTC)"},
        {"count(//h:script | //s:script | //*[@src] | //*[@href] | //h:b | //s:b)", "0"},
        {"string(//s:title[starts-with(., '22:33')])", "22:33:00 Q7PQR <b>&amp;\" x'??"},
        {"string(//h:table[1]/h:tr[2]/h:td[6])", "R27 heard, WSJT missing 15 min"},
        {"string(//h:table[1]/h:tr[2]/h:td[4])", "2nd"},
        {"string(//h:table[1]/h:tr[2]/h:td[5])", "144.366"},
        {"string(//h:table[1]/h:tr[3]/h:td[5])", ""},
        {"string(//h:table[1]/h:tr[3]/h:td[2])", "2026-12-13 23:30-00:30"},
        {"string(//h:table[1]/h:tr[3]/h:td[6])", "Q9<b>&"},
        {"string(//h:table[2]/h:tr[2])", "2026-12-1400:05Q9<b>&2"},
        {"count(//s:svg//s:text[.='Q7PQR 2nd'])", "1"},
        {"count(//s:rect[@class='gap'])", "2"},  // the legend's and the entry's
        // Two hours on the axis: ticks every ten minutes, from the first entry's start.
        {"string(//s:svg/s:text[contains(., ':')][1])", "22:30"},
        {"count(//s:svg/s:text[.='22:40' or .='00:30'])", "2"},
        {"count(//s:svg/s:text[.='22:35'])", "0"},
    };
    for (const auto& c : checks)
        EXPECT_EQ(xml.Eval(c.expression), c.value) << c.expression;
    for (const unsigned char byte : page)
        ASSERT_TRUE(byte == '\n' || (byte >= ' ' && byte < 0x7F)) << int(byte);
}

TEST(NightPage, FileName)
{
    Night night;
    EXPECT_EQ(NightFileName(night), "tavrix-night.html");
    night.EntryStarted(0, Sked("Q7PQR", TxPeriod::First), T(13, 23, 59), T(14, 0, 30));
    night.EntryStarted(1, Sked("Q8ZZZ", TxPeriod::First), T(14, 1, 0), T(14, 2, 0));
    EXPECT_EQ(NightFileName(night), "tavrix-night-2026-12-13.html");
    EXPECT_EQ(NightFileName(UtcSeconds(At(2027, 1, 2, 0, 0, 0))), "tavrix-night-2027-01-02.html");
}

}  // namespace
