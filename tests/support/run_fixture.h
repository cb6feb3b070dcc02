// A fresh program with its window created and a simulated WSJT on the
// desktop, for tests of whole runs.
#pragma once
#include <gtest/gtest.h>

#include "tests/support/model_window.h"
#include "tests/support/sim_window_system.h"

struct RunFixture : ::testing::Test {
    ModelWindow w;
    ::Run& run = w.form.run;
    SimWindowSystem desktop;
    SimWindowSystem::Peer wsjt = desktop.AddWsjt();
    FakePlatform& platform = w.platform;

    static constexpr const char* Decoded = "c:\\program files\\wsjt\\decoded.cum";
    static constexpr const char* List = "c:\\program files\\wsjt\\call3a.txt";
    static constexpr const char* Log = "c:\\program files\\wsjt\\tavrixlog.txt";
    static constexpr const char* Ini = "C:\\tavrix\\tavrix.ini";

    RunFixture() { w.form.FormCreate(); }

    void StartSked(const std::string& partner, const std::string& own = "Q1ABC")
    {
        w.eTRCS.text = partner;
        w.eCS.text = own;
        w.form.bRunClick();
    }
    void StartCQ(const std::string& list, const std::string& own = "Q1ABC")
    {
        w.SelectCQ(true);
        platform.files[List] = list;
        w.eCS.text = own;
        w.form.bRunClick();
    }
    bool Armed() const { return w.bRun.caption == "STOP"; }
    std::string ToRadio() { return desktop.TextOf(wsjt.toRadio); }
    std::string AutoCaption() { return desktop.TextOf(wsjt.autoButton); }
};
