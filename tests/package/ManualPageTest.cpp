#include "InstalledCopy.h"
#include "ToolRun.h"

#include "shell/ProgramStart.h"

#include <QRegularExpression>
#include <QStandardPaths>

#include <gtest/gtest.h>

namespace {

// Words as a reader compares them: a heading's case and colon aside.
QStringList wordsOf(const QString& text)
{
    static const QRegularExpression space(QStringLiteral("\\s+"));
    QStringList words = text.toLower().split(space, Qt::SkipEmptyParts);
    for (QString& word : words) {
        if (word.endsWith(u':'))
            word.chop(1);
    }
    return words;
}

// The first line of a usage text whose words the page does not hold
// together, each line after the one before; empty when the page says all.
QString firstLineNotSaid(const QString& usage, const QStringList& page)
{
    qsizetype from = 0;
    for (const QString& line : usage.split(u'\n')) {
        QStringList words = wordsOf(line);
        // The page's SYNOPSIS stands for "Usage:".
        if (!words.isEmpty() && words.first() == u"usage")
            words.removeFirst();
        if (words.isEmpty())
            continue;
        qsizetype at = from;
        while (at + words.size() <= page.size() && page.mid(at, words.size()) != words)
            ++at;
        if (at + words.size() > page.size())
            return line;
        from = at + words.size();
    }
    return {};
}

class ManualPageTest : public testing::Test
{
protected:
    void SetUp() override
    {
        man = QStandardPaths::findExecutable(QStringLiteral("man"));
        if (man.isEmpty())
            GTEST_SKIP() << "man (man-db) is not installed; lintian, which scripts/setup.sh "
                            "installs, brings it";
        ASSERT_TRUE(copy.install()) << copy.error().toStdString();
    }

    // The installed page as man shows it.
    QString shownPage(const QString& command) const
    {
        const ToolRun shown
            = ToolRun::of(man, { "-l", copy.prefix() + "/share/man/man1/" + command + ".1.gz" });
        EXPECT_EQ(shown.exitCode, 0) << shown.output.toStdString();
        return shown.output;
    }

    QString man;
    InstalledCopy copy;
};

} // namespace

TEST_F(ManualPageTest, TheDataToolsPageSaysEveryLineOfItsHelp)
{
    const InstalledCopy::Result help = copy.run(copy.prefix() + "/bin/halvorn-data", { "--help" });
    ASSERT_EQ(help.exitCode, 0) << help.err.toStdString();
    // The page names the folder as any user's; the program, as this one's.
    QString usage = help.out;
    usage.replace(copy.home(), QStringLiteral("~"));
    ASSERT_TRUE(usage.contains("~/.local/share/Halvorn")) << usage.toStdString();

    const QString page = shownPage(QStringLiteral("halvorn-data"));
    EXPECT_EQ(firstLineNotSaid(usage, wordsOf(page)).toStdString(), "") << page.toStdString();
    EXPECT_TRUE(page.contains("halvorn-data - list, export, import, check")) << page.toStdString();
}

TEST_F(ManualPageTest, TheProgramsPageSaysItsUsage)
{
    const QString page = shownPage(QStringLiteral("halvorn"));
    EXPECT_EQ(firstLineNotSaid(ProgramStart::usage(), wordsOf(page)).toStdString(), "")
        << page.toStdString();
    EXPECT_TRUE(page.contains("halvorn - weight and blood-pressure logs")) << page.toStdString();
}
