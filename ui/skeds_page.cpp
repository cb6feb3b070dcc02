// The Skeds page of TfmTavrix: the schedule file read into the list, the
// State column kept current, the edits written back all or nothing, and
// START's check of the file.
#include "ui/sfmMain.h"

#include <functional>
#include <new>

#include "ports/platform.h"

namespace {

constexpr const char* FollowingNote = "Following the skeds START read: an edit here takes effect at the next START.";

// A file that cannot be shown says why, during a run too: the run goes on
// with the entries START read, whatever the file holds now.
// A tip's facts, one a line, as one line.
std::string OnOneLine(std::string text)
{
    for (std::size_t at; (at = text.find("\r\n")) != std::string::npos;)
        text.replace(at, 2, "; ");
    return text;
}

std::string NoteFor(const TfmTavrix& form)
{
    if (!form.FSkedsProblem.empty())
        return form.FSkedsProblem;
    const int row = form.lvSkeds->Selected();
    const std::string tip = form.SkedTip(row);
    if (!tip.empty())
        return form.FSkedEntries[std::size_t(row)].station + ": " + OnOneLine(tip);
    if (form.FFollowing)
        return FollowingNote;
    if (!form.FSkedsExists)
        return "No skeds yet: Add writes " + form.FSkedsPath;
    return "Times in UTC. " + form.FSkedsPath;
}

}  // namespace

void TfmTavrix::LoadSkeds()
{
    FSkedsExists = platform.FileExists(FSkedsPath);
    FSkedsProblem.clear();
    FSkedLines.clear();
    FSkedBytes.clear();
    bool read = false;
    if (FSkedsExists) {
        try {
            read = platform.ReadWholeFile(FSkedsPath, FSkedBytes);
        } catch (const std::bad_alloc&) {
            read = false;
        }
        ScheduleProblem problem;
        if (!read)
            FSkedsProblem = SkedsUnreadableText(FSkedsPath, true);
        else if (!ParseSchedule(FSkedBytes, FSkedLines, problem))
            FSkedsProblem = ScheduleProblemText(FSkedsPath, problem);
    }
    if (!FSkedsProblem.empty())
        FSkedLines.clear();
    ShowSkeds();
}

void TfmTavrix::ShowSkeds()
{
    FSkedEntries = EntriesOf(FSkedLines);
    FFollowing = Armed() && !run.skeds.Entries().empty();
    // After the run its entries keep their outcomes until the next START.
    FRunEntry = MatchRunEntries(FSkedEntries, run.skeds.Entries());
    std::vector<std::vector<std::string>> rows;
    rows.reserve(FSkedEntries.size());
    for (const SkedEntry& entry : FSkedEntries) {
        const SkedRow row = SkedRowOf(entry);
        rows.emplace_back(row.begin(), row.end());
    }
    lvSkeds->SetRows(rows);
    FShownNote = NoteFor(*this);
    lSkedNote->SetText(FShownNote);
    FShownStates.assign(FSkedEntries.size(), std::string());
    RefreshSkedStates();
}

void TfmTavrix::RefreshSkedStates()
{
    if (FSkedEntries.empty())
        return;
    const std::int64_t now = UtcSeconds(platform.UtcNow());
    for (std::size_t row = 0; row < FSkedEntries.size(); ++row) {
        const int inRun = FRunEntry[row];
        std::string state = inRun >= 0 ? run.skeds.StateText(std::size_t(inRun), now)
                            : FFollowing ? NotInRunText
                                         : SkedTimeText(EntryTime(FSkedEntries, row, now));
        if (state != FShownStates[row]) {
            lvSkeds->SetCell(int(row), ColState, state);
            FShownStates[row] = std::move(state);
        }
    }
    ShowSkedNote();
}

void TfmTavrix::ShowSkedNote()
{
    std::string note = NoteFor(*this);
    if (note != FShownNote) {
        lSkedNote->SetText(note);
        FShownNote = std::move(note);
    }
}

std::string TfmTavrix::SkedTip(int row) const
{
    if (row < 0 || std::size_t(row) >= FRunEntry.size() || FRunEntry[std::size_t(row)] < 0)
        return std::string();
    const NightEntry* entry = LastOccurrence(run.skeds.NightRecord(), FRunEntry[std::size_t(row)]);
    return entry ? EntryTip(*entry) : std::string();
}

SkedFields TfmTavrix::SkedFieldsForAdd()
{
    return NewSkedFields(platform.UtcNow());
}

int TfmTavrix::SkedFieldsForEdit(SkedFields& fields)
{
    const int row = lvSkeds->Selected();
    if (row < 0 || std::size_t(row) >= FSkedEntries.size())
        return -1;
    fields = FieldsOf(FSkedEntries[std::size_t(row)]);
    return row;
}

namespace {

// Applies an edit to the file as the page showed it and writes the result
// in its place. The file is read again first: one changed in a text editor
// since must not be overwritten with the page's older copy.
bool RewriteSkeds(TfmTavrix& form, const std::function<bool(std::vector<SkedLine>&)>& edit)
{
    Platform& platform = form.platform;
    const std::string& path = form.FSkedsPath;
    std::string now;
    const bool exists = platform.FileExists(path);
    if (exists && !platform.ReadWholeFile(path, now)) {
        platform.ShowError(AppTitle, SkedsUnreadableText(path, true));
        return false;
    }
    if (exists != form.FSkedsExists || now != form.FSkedBytes) {
        form.LoadSkeds();
        platform.ShowError(AppTitle, path + " changed since the Skeds page showed it; it shows it now. "
                                            "Make the change again.");
        return false;
    }
    if (!form.FSkedsProblem.empty()) {
        platform.ShowError(AppTitle, form.FSkedsProblem + "\nCorrect the file in a text editor first.");
        return false;
    }
    std::vector<SkedLine> lines = form.FSkedLines;
    if (!edit(lines))
        return false;
    const std::string bytes = RewrittenSkeds(now, lines);
    if (!platform.ReplaceFileWith(path, bytes)) {
        platform.ShowError(AppTitle, "Unable to write " + path + ". The file is as it was.");
        return false;
    }
    form.LoadSkeds();
    return true;
}

}  // namespace

bool TfmTavrix::AddSkedEntry(const SkedEntry& entry)
{
    const std::size_t row = FSkedEntries.size();
    const bool added = RewriteSkeds(*this, [&](std::vector<SkedLine>& lines) {
        AddSked(lines, entry);
        return true;
    });
    if (added)
        lvSkeds->Select(int(row));
    return added;
}

bool TfmTavrix::EditSkedEntry(int row, const SkedEntry& entry)
{
    if (row < 0)
        return false;
    const bool edited = RewriteSkeds(*this, [&](std::vector<SkedLine>& lines) {
        return ReplaceSked(lines, std::size_t(row), entry);
    });
    if (edited)
        lvSkeds->Select(row);
    return edited;
}

bool TfmTavrix::DeleteSkedEntry()
{
    const int row = lvSkeds->Selected();
    if (row < 0 || std::size_t(row) >= FSkedEntries.size())
        return false;
    if (!platform.AskOkCancel("Delete the sked " + FormatSkedEntry(FSkedEntries[std::size_t(row)]) + "?"))
        return false;
    return RewriteSkeds(*this, [&](std::vector<SkedLine>& lines) { return DeleteSked(lines, std::size_t(row)); });
}

bool TfmTavrix::ReadSkedsForStart(std::vector<SkedEntry>& entries)
{
    LoadSkeds();
    std::string problem = FSkedsProblem;
    ScheduleProblem check;
    if (!FSkedsExists)
        problem = SkedsUnreadableText(FSkedsPath, false);
    else if (problem.empty() && !CheckSchedule(FSkedLines, UtcSeconds(platform.UtcNow()), check))
        problem = ScheduleProblemText(FSkedsPath, check);
    if (!problem.empty()) {
        platform.ShowError(AppTitle, problem);
        return false;
    }
    entries = FSkedEntries;
    return true;
}

void TfmTavrix::OpenNightReport()
{
    const std::string& page = run.skeds.ReportPath();
    if (page.empty() || !platform.FileExists(page)) {
        platform.ShowMessage("No night's page yet: it is written beside the activity log at the end of each "
                             "sked while the skeds are followed.");
        return;
    }
    if (!platform.OpenDocument(page))
        platform.ShowError(AppTitle, "Cannot open " + page + ": no program is set to open .html files.");
}
