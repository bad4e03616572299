// The editor program's small rules that need no window: zoom rows and wheel steps, command-line
// file names, the command table, the paste counter of the clipboard and the recent files.
#include "editor/app/controls_clipboard.h"
#include "editor/app/editor_app.h"
#include "editor/app/editor_commands.h"
#include "editor/app/look/zoom_levels.h"
#include "editor/app/recent_files.h"

#include <QDir>
#include <QFile>
#include <QKeySequence>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <set>

TEST(ZoomLevels, WheelStepsMoveRowsAndStayWithinTheLevels)
{
    EXPECT_EQ(CZoomLevels::StepRow(0, 120), 0);  // up from the smallest stays
    EXPECT_EQ(CZoomLevels::StepRow(5, -240), 6); // down two from 4.0 stops at 5.0
    EXPECT_EQ(CZoomLevels::StepRow(3, -120), 4);
    EXPECT_EQ(CZoomLevels::StepRow(3, 119), 3);           // less than a notch
    EXPECT_EQ(CZoomLevels::StepRow(6, 0x10000 - 120), 6); // the delta is a signed 16-bit value
    EXPECT_EQ(CZoomLevels::RowOfRate(1.25), 0);
    EXPECT_EQ(CZoomLevels::RowOfRate(4.0), 5);
    EXPECT_EQ(CZoomLevels::RateOfRow(3), 2.5);
    EXPECT_EQ(CZoomLevels::RateOfRow(7), 1.0);
}

TEST(EditorApp, CommandLineFileNamesComeOutOfQuotes)
{
    EXPECT_EQ(CZQEditorApp::FileFromArgument(QStringLiteral("[open(\"/tmp/a b.ZQE\")]")),
              QStringLiteral("/tmp/a b.ZQE"));
    EXPECT_EQ(CZQEditorApp::FileFromArgument(QStringLiteral("demo.ZQE")), QStringLiteral("demo.ZQE"));
    EXPECT_EQ(CZQEditorApp::FileFromArgument(QStringLiteral("--no-splash")), QString());
    EXPECT_EQ(CZQEditorApp::FileFromArgument(QStringLiteral("\"only one quote")), QStringLiteral("\"only one quote"));
    // A missing absolute path is a file the editor then says it cannot open; "/dde" a switch.
    EXPECT_EQ(CZQEditorApp::FileFromArgument(QStringLiteral("/no/such/boiler.ZQE")),
              QStringLiteral("/no/such/boiler.ZQE"));
    EXPECT_EQ(CZQEditorApp::FileFromArgument(QStringLiteral("/dde")), QString());
}

TEST(EditorCommands, TableHasUniqueIdsValidKeysAndTexts)
{
    std::set<unsigned> ids;
    for (const EditorCommandInfo& info : CEditorCommands::All()) {
        EXPECT_TRUE(ids.insert(info.id).second) << info.id;
        EXPECT_FALSE(info.statusText.isEmpty()) << info.id;
        for (const QString& key : info.keys)
            EXPECT_FALSE(QKeySequence(key, QKeySequence::PortableText).isEmpty()) << key.toStdString();
    }
    EXPECT_EQ(CEditorCommands::PromptString(ID_ALIGN_LEFT), QStringLiteral("选择的控件左对齐\n左对齐"));
    EXPECT_EQ(CEditorCommands::Find(ID_EDIT_PASTE)->menuText, QStringLiteral("粘帖(&P)"));
    EXPECT_EQ(CEditorCommands::Find(ID_SCREEN_NEXT)->keys, QStringList{QStringLiteral("Ctrl+Right")});
    EXPECT_EQ(CEditorCommands::Find(1234), nullptr);
    EXPECT_EQ(CEditorCommands::InsertControlType(ID_INSERT_DYNAMIC_TEXT), 8);
    EXPECT_EQ(CEditorCommands::InsertControlType(ID_ALIGN_LEFT), 0);
    // Every toolbar button is a command of the table.
    for (int bar : {5000, 5002, 5003, 5004})
        for (unsigned id : CEditorCommands::ToolBarButtons(bar))
            EXPECT_TRUE(id == 0 || CEditorCommands::Find(id)) << id;
}

TEST(PasteCounter, RestartsWhenEitherIdentifyingWordDiffers)
{
    CPasteCounter counter;
    const QByteArray first = QByteArray::fromHex("100000000a000000010000");
    QByteArray otherTick = first;
    otherTick[4] = 0x0b;
    QByteArray otherSize = first;
    otherSize[0] = 0x11;
    for (DWORD expected : {0u, 1u, 2u}) {
        EXPECT_EQ(counter.CountFor(first), expected);
        counter.Advance();
    }
    EXPECT_EQ(counter.CountFor(otherTick), 0u);
    counter.Advance();
    EXPECT_EQ(counter.CountFor(otherSize), 0u);
    // A paste that set the count back to 0 (a control refused the offset) starts the fan again.
    counter.CountFor(otherSize) = 0;
    counter.Advance();
    EXPECT_EQ(counter.CountFor(otherSize), 1u);
}

TEST(RecentFiles, KeepFourNewestFirstWithoutRepeatsAcrossStarts)
{
    QTemporaryDir settings;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(settings.path()));
    auto file = [&settings](int n) { return settings.filePath(QStringLiteral("p%1.ZQE").arg(n)); };
    {
        CRecentFiles recent;
        EXPECT_TRUE(recent.GetFiles().isEmpty());
        for (int n = 1; n <= 5; ++n)
            recent.Add(file(n));
        recent.Add(file(3)); // opened again: to the front, once
    }
    CRecentFiles again; // as the next start reads them
    EXPECT_EQ(again.GetFiles(), (QStringList{file(3), file(5), file(4), file(2)}));
    again.Remove(file(5));
    EXPECT_EQ(CRecentFiles().GetFiles(), (QStringList{file(3), file(4), file(2)}));
    // In the suite's settings folder, not in one of the maker's name beside it.
    EXPECT_TRUE(QFile::exists(settings.filePath(QStringLiteral("zqpanel/ZQEditor.conf"))));
    EXPECT_EQ(QDir(settings.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot), QStringList{"zqpanel"});
}
