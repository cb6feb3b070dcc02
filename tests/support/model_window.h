// The main window without a window system: model controls holding their
// values in memory, set to the design values, wired into a TfmTavrix that
// works against a FakePlatform and the test's current simulated desktop.
// Each ModelWindow starts a fresh program with a fresh run; one built from
// another's platform is a restart over the same files.
#pragma once
#include <string>
#include <vector>

#include "tests/support/fake_platform.h"
#include "tests/support/sim_window_system.h"
#include "ui/sfmMain.h"

struct ModelEdit : TEdit {
    std::string text;
    bool enabled = true;
    bool Enabled() const override { return enabled; }
    void SetEnabled(bool e) override { enabled = e; }
    std::string Text() const override { return text; }
    void SetText(const std::string& t) override { text = t; }
};

struct ModelCheck : TCheck {
    bool checked = false;
    bool enabled = true;
    bool Enabled() const override { return enabled; }
    void SetEnabled(bool e) override { enabled = e; }
    bool Checked() const override { return checked; }
    void SetChecked(bool c) override { checked = c; }
};

struct ModelButton : TButton {
    std::string caption;
    bool enabled = true;
    bool focused = false;
    bool Enabled() const override { return enabled; }
    void SetEnabled(bool e) override
    {
        enabled = e;
        focused = focused && e;  // as Windows takes the focus from a control it disables
    }
    std::string Caption() const override { return caption; }
    void SetCaption(const std::string& c) override { caption = c; }
    void Focus() override { focused = true; }
};

struct ModelTimePicker : TTimePicker {
    int hour = 0, minute = 0;
    bool enabled = true;
    bool Enabled() const override { return enabled; }
    void SetEnabled(bool e) override { enabled = e; }
    int Hour() const override { return hour; }
    int Minute() const override { return minute; }
    void SetTime(int h, int m) override { hour = h; minute = m; }
};

struct ModelNumberEdit : TNumberEdit {
    double value = 0;
    bool enabled = true;
    bool Enabled() const override { return enabled; }
    void SetEnabled(bool e) override { enabled = e; }
    double Value() const override { return value; }
    void SetValue(double v) override { value = v; }
};

struct ModelListView : TListView {
    std::vector<std::vector<std::string>> rows;
    int selected = -1;
    int cellWrites = 0;  // SetCell calls: the tick must not rewrite unchanged texts
    bool enabled = true;
    bool Enabled() const override { return enabled; }
    void SetEnabled(bool e) override { enabled = e; }
    void SetRows(const std::vector<std::vector<std::string>>& r) override { rows = r; selected = -1; }
    void SetCell(int row, int column, const std::string& text) override
    {
        rows.at(row).at(column) = text;
        ++cellWrites;
    }
    int Selected() const override { return selected; }
    void Select(int row) override { selected = row; }
};

class ModelWindow {
public:
    FakePlatform platform;
    CurrentDesktop desktop;
    ModelCheck rbSKED, rbCQ, cbAutoCS, cbDelay, cbStop, cbCLDec, cbFollow, cbUdp;
    ModelEdit eTRCS, feDecoded, feCSList, feLog, eCS, lSkedNote, eUdpServer, eUdpPort, eRig;
    ModelListView lvSkeds;
    ModelButton bRun;
    ModelTimePicker dtpDelay, dtpStop;
    ModelNumberEdit eTLimit;
    TfmTavrix form{platform, desktop};

    // Builds the window with its design values. FormCreate is left to the
    // test, so that it can set up the settings file first.
    ModelWindow()
    {
        rbSKED.checked = true;
        cbAutoCS.checked = true;
        cbAutoCS.enabled = false;
        bRun.caption = "START";
        dtpDelay.SetTime(DesignDelayHour, DesignDelayMinute);
        dtpDelay.enabled = false;
        dtpStop.SetTime(DesignStopHour, DesignStopMinute);
        dtpStop.enabled = false;
        feDecoded.text = DesignDecoded;
        feCSList.text = DesignCSList;
        feLog.text = DesignLog;
        eTLimit.value = DesignTLimit;
        cbCLDec.checked = true;

        WireInto(form);
    }
    // The program started again over the files a previous one left: the
    // disk and the settings file carry over; open files and everything in
    // memory do not. Destroy the previous window first.
    explicit ModelWindow(const FakePlatform& disk) : ModelWindow()
    {
        platform.files = disk.files;
        platform.folders = disk.folders;
        platform.ini = disk.ini;
        platform.exeDir = disk.exeDir;
        platform.now = disk.now;
        platform.utcNow = disk.utcNow;
        platform.zoneSeconds = disk.zoneSeconds;
    }

    // Points a form at these controls (for a form over another platform).
    void WireInto(TfmTavrix& f)
    {
        f.rbSKED = &rbSKED;
        f.eTRCS = &eTRCS;
        f.rbCQ = &rbCQ;
        f.cbAutoCS = &cbAutoCS;
        f.bRun = &bRun;
        f.cbDelay = &cbDelay;
        f.dtpDelay = &dtpDelay;
        f.cbStop = &cbStop;
        f.dtpStop = &dtpStop;
        f.feDecoded = &feDecoded;
        f.feCSList = &feCSList;
        f.feLog = &feLog;
        f.eCS = &eCS;
        f.eTLimit = &eTLimit;
        f.cbCLDec = &cbCLDec;
        f.cbUdp = &cbUdp;
        f.eUdpServer = &eUdpServer;
        f.eUdpPort = &eUdpPort;
        f.eRig = &eRig;
        f.lvSkeds = &lvSkeds;
        f.cbFollow = &cbFollow;
        f.lSkedNote = &lSkedNote;
    }
    ModelWindow(const ModelWindow&) = delete;
    ModelWindow& operator=(const ModelWindow&) = delete;

    // The operator clicks a mode button: the handler runs only when the
    // selection changes, as with real radio buttons.
    void SelectCQ(bool cq)
    {
        if (rbCQ.checked == cq)
            return;
        rbCQ.checked = cq;
        rbSKED.checked = !cq;
        form.rbSKedClick();
    }
    void ClickDelay(bool ticked) { cbDelay.checked = ticked; form.cbDelayClick(); }
    void ClickStop(bool ticked) { cbStop.checked = ticked; form.cbStopClick(); }

    void SetTime(int h, int m, int s) { platform.SetClocks(h, m, s); }
};
