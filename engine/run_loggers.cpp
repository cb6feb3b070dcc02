// The run's side of the loggers' feed, starting it and telling its faults,
// and the run's own lines in the activity log.
#include "engine/clock_text.h"
#include "engine/run.h"

void Run::StartLoggers(const LoggerSettings& settings)
{
    TellLoggerFault(loggers.Start(settings, UtcSeconds(platform.UtcNow())));
}

void Run::TellLoggerFault(const std::string& fault)
{
    if (!fault.empty())
        LogNote("Loggers (UDP): " + fault);
}

void Run::LogNote(const std::string& text)
{
    if (!LogOpen)
        return;
    const UtcTime now = platform.UtcNow();
    std::string line;
    AppendDate(line, now.year, now.month, now.day);
    line += ' ';
    AppendClock(line, now.hour, now.minute);
    line += ':';
    AppendTwoDigits(line, now.second);
    line += " UTC " + text + "\r\n";
    platform.WriteFile(LogHandle, line.data(), line.size());
}
