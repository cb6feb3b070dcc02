// A run that follows a schedule of skeds, second by second on a simulated
// UTC clock, for the tests of the schedule's nights.
#pragma once
#include <string>
#include <vector>

#include "tests/support/run_fixture.h"

struct Following : RunFixture {
    static constexpr const char* Skeds = "C:\\tavrix\\skeds.txt";
    std::int64_t utc = 0;

    void SetUtc(std::int64_t seconds)
    {
        utc = seconds;
        platform.utcNow = platform.now = UtcTimeOf(seconds);
    }
    void Start(const char* skeds, std::int64_t at)
    {
        platform.files[Skeds] = skeds;
        SetUtc(at);
        w.cbFollow.checked = true;
        StartSked("");
    }
    void RunTo(std::int64_t end)
    {
        while (utc < end && Armed()) {
            SetUtc(utc + 1);
            w.form.OnTimer();
        }
    }
    // The radio's frequencies set (see FakeTcp::journal), the presses of
    // the box and the calls, in order.
    std::vector<std::string> Periods()
    {
        std::vector<std::string> out;
        for (const std::string& line : desktop.journal)
            if (line == "press Tx &First" || line.starts_with("set 12345 -> Q") || line.starts_with("rig F"))
                out.push_back(line);
        return out;
    }
    std::string Status()
    {
        std::string status;
        run.StatusLine(status);
        return status;
    }
};
