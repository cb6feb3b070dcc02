// The run's side of the loggers' feed: starting it and telling its faults.
#include "engine/clock_text.h"
#include "engine/run.h"

void Run::StartLoggers(const LoggerSettings& settings)
{
    TellLoggerFault(loggers.Start(settings, UtcSeconds(platform.UtcNow())));
}

// One line in the activity log, between the decodes, stamped in UTC like
// the contacts: "2026-12-08 03:00:05 UTC Loggers (UDP): ...".
void Run::TellLoggerFault(const std::string& fault)
{
    if (fault.empty() || !LogOpen)
        return;
    const UtcTime now = platform.UtcNow();
    std::string line;
    AppendDate(line, now.year, now.month, now.day);
    line += ' ';
    AppendClock(line, now.hour, now.minute);
    line += ':';
    AppendTwoDigits(line, now.second);
    line += " UTC Loggers (UDP): " + fault + "\r\n";
    platform.WriteFile(LogHandle, line.data(), line.size());
}
