// The contacts file: the text of a record, appending it, and where it goes.
#include <gtest/gtest.h>

#include "engine/contacts_file.h"
#include "tests/support/fake_platform.h"
#include "ui/sfmMain.h"
#include "tests/support/utc_time.h"

namespace {

CompletedContact Sked()
{
    CompletedContact c;
    c.partner = "Q9XYZ";
    c.ownCall = "Q1ABC";
    c.firstHeard = At(2024, 3, 7, 10, 2, 5);
    c.completed = At(2024, 3, 7, 10, 6, 35);
    return c;
}

// Opening for append fails although creating works, as on a share that
// lets a file be made but not written.
struct NoAppendPlatform : FakePlatform {
    FileHandle OpenForAppend(const std::string&) override { return NoFile; }
};

}  // namespace

TEST(AdifRecord, FieldsAndByteLengths)
{
    CompletedContact cq = Sked();
    cq.cq = true;
    cq.partner = "Q7PQR";
    cq.ownCall.clear();
    cq.band = "2m";
    cq.freq = "144.370";
    cq.firstHeard = At(2023, 12, 31, 23, 59, 35);
    cq.completed = At(2024, 1, 1, 0, 4, 5);

    CompletedContact utf8 = Sked();
    utf8.ownCall = "Q1\xC3\x84";  // "Q1Ä" in UTF-8: three characters, four bytes
    utf8.freq = "144.370";

    const struct { const char* name; CompletedContact contact; const char* record; } cases[] = {
        {"sked", Sked(),
         "<CALL:5>Q9XYZ <QSO_DATE:8>20240307 <TIME_ON:6>100205 <QSO_DATE_OFF:8>20240307 <TIME_OFF:6>100635 "
         "<MODE:6>FSK441 <RST_RCVD:2>27 <STATION_CALLSIGN:5>Q1ABC <COMMENT:23>Tavrix unattended, sked <EOR>\r\n"},
        {"CQ across midnight, band, no own call", cq,
         "<CALL:5>Q7PQR <QSO_DATE:8>20231231 <TIME_ON:6>235935 <QSO_DATE_OFF:8>20240101 <TIME_OFF:6>000405 "
         "<BAND:2>2m <FREQ:7>144.370 <MODE:6>FSK441 <RST_RCVD:2>27 <COMMENT:21>Tavrix unattended, CQ <EOR>\r\n"},
        {"non-ASCII own call, frequency only", utf8,
         "<CALL:5>Q9XYZ <QSO_DATE:8>20240307 <TIME_ON:6>100205 <QSO_DATE_OFF:8>20240307 <TIME_OFF:6>100635 "
         "<FREQ:7>144.370 <MODE:6>FSK441 <RST_RCVD:2>27 <STATION_CALLSIGN:4>Q1\xC3\x84 "
         "<COMMENT:23>Tavrix unattended, sked <EOR>\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(AdifRecord(c.contact), c.record);
    }
}

TEST(ContactsFile, CreatedWithHeaderThenOnlyAppended)
{
    const std::string path = "C:\\log\\tavrix.adi";
    FakePlatform platform;
    platform.utcNow = At(2024, 3, 7, 10, 6, 35);
    const std::string record = AdifRecord(Sked());

    // The header names the version the window's caption shows.
    const std::string version = std::string(AppCaption).substr(std::string("Tavrix v").size());
    const std::string header = "Contacts completed by Tavrix\r\n"
                               "<ADIF_VER:5>3.1.4\r\n"
                               "<PROGRAMID:6>Tavrix\r\n"
                               "<PROGRAMVERSION:" + std::to_string(version.size()) + ">" + version + "\r\n"
                               "<CREATED_TIMESTAMP:15>20240307 100635\r\n"
                               "<EOH>\r\n";
    ASSERT_TRUE(AppendContact(platform, path, Sked()));
    EXPECT_EQ(platform.files[path], header + record);
    ASSERT_TRUE(AppendContact(platform, path, Sked()));
    EXPECT_EQ(platform.files[path], header + record + record);
    EXPECT_TRUE(platform.openFiles.empty());

    // Somebody else's file keeps what it holds; the record follows it.
    platform.files["C:\\old.adi"] = "<CALL:3>Q2A <EOR>\r\n";
    ASSERT_TRUE(AppendContact(platform, "C:\\old.adi", Sked()));
    EXPECT_EQ(platform.files["C:\\old.adi"], "<CALL:3>Q2A <EOR>\r\n" + record);
}

TEST(ContactsFile, FailureChangesNothing)
{
    FakePlatform platform;
    platform.files["C:\\locked.adi"] = "kept";
    platform.cannotCreate = {"C:\\nowhere\\tavrix.adi", "C:\\locked.adi"};
    platform.folders = {"C:\\folder.adi"};
    platform.files["C:\\folder.adi"];
    const auto before = platform.files;
    for (const char* path : {"C:\\nowhere\\tavrix.adi", "C:\\locked.adi", "C:\\folder.adi", ""}) {
        EXPECT_FALSE(AppendContact(platform, path, Sked())) << path;
        EXPECT_EQ(platform.files, before) << path;
    }

    // A file made but not written is removed, so the next one gets a header.
    NoAppendPlatform noAppend;
    EXPECT_FALSE(AppendContact(noAppend, "C:\\tavrix.adi", Sked()));
    EXPECT_TRUE(noAppend.files.empty());
    EXPECT_TRUE(noAppend.openFiles.empty());
}

TEST(ContactsFile, SettingsNameTheFileBesideTheLogUnlessGiven)
{
    const std::string ini = "C:\\tavrix\\tavrix.ini";
    const struct { const char* log; const char* adif; const char* path; } cases[] = {
        {"c:\\program files\\wsjt\\tavrixlog.txt", nullptr, "c:\\program files\\wsjt\\tavrix.adi"},
        {"/home/op/.wine/log.txt", nullptr, "/home/op/.wine/tavrix.adi"},
        {"C:\\logs/night\\log.txt", nullptr, "C:\\logs/night\\tavrix.adi"},
        {"log.txt", nullptr, "tavrix.adi"},
        {"C:log.txt", nullptr, "C:tavrix.adi"},
        {"", nullptr, "tavrix.adi"},
        {"c:\\wsjt\\log.txt", "\"D:\\Logbook\\import me.adi\"", "D:\\Logbook\\import me.adi"},
        {"c:\\wsjt\\log.txt", "  ", "c:\\wsjt\\tavrix.adi"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.log);
        FakePlatform platform;
        if (c.adif)
            platform.ini[ini]["options"]["adif"] = c.adif;
        EXPECT_EQ(ReadContactsSettings(platform, ini, c.log).path, c.path);
    }

    FakePlatform platform;
    platform.ini[ini]["options"]["band"] = "2m";
    platform.ini[ini]["options"]["freq"] = " 144.370 ";
    const ContactsSettings settings = ReadContactsSettings(platform, ini, "log.txt");
    EXPECT_EQ(settings.band, "2m");
    EXPECT_EQ(settings.freq, "144.370");
    EXPECT_TRUE(platform.settingWrites.empty());
}
