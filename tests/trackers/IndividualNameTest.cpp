#include "trackers/IndividualName.h"

#include <gtest/gtest.h>

namespace {

struct NameCase {
    const char16_t* name;
    std::string refusal; // empty when the name is accepted
};

void PrintTo(const NameCase& c, std::ostream* os)
{
    *os << QString::fromUtf16(c.name).toStdString();
}

class IndividualNameRules : public testing::TestWithParam<NameCase>
{
};

TEST_P(IndividualNameRules, AcceptOrRefuseWithReason)
{
    const NameCase c = GetParam();
    EXPECT_EQ(IndividualName::refusal(QString::fromUtf16(c.name)).toStdString(), c.refusal);
}

const char* const slashes = "A name cannot contain \"/\" or \"\\\".";
const char* const windowsCharacters = "A name cannot contain any of the characters : * ? < > |";
const char* const controlCharacter
    = "A name cannot contain a tab, a line break or another control character.";

std::string ownFile(const std::string& trimmed)
{
    return "\"" + trimmed
        + "\" is the name of one of the program's own files; please choose another name.";
}

INSTANTIATE_TEST_SUITE_P(Table, IndividualNameRules,
    testing::Values(NameCase { u"Ann", "" }, NameCase { u"  John Smith 2012  ", "" },
        NameCase { u"Smith, Ann", "" }, NameCase { u"Zoë O'Brien-Müller", "" },
        NameCase { u"Ann.", "" }, NameCase { u"WeightTrker2", "" }, NameCase { u"Console", "" },
        NameCase { u"1234567890123456789012345", "" },
        NameCase { u"  1234567890123456789012345  ", "" },
        NameCase { u"12345678901234567890123456", "A name can have at most 25 characters." },
        NameCase { u"", "Please enter a name." }, NameCase { u"   ", "Please enter a name." },
        NameCase { u"a/b", slashes }, NameCase { u"..\\Secfile1", slashes },
        NameCase { u"/etc/passwd", slashes },
        NameCase { u".", "A name cannot be \".\" or \"..\"." },
        NameCase { u" .. ", "A name cannot be \".\" or \"..\"." },
        NameCase { u"Ann\tSmith", controlCharacter }, NameCase { u"Ann\nSmith", controlCharacter },
        NameCase { u"Ann\u0001", controlCharacter },
        NameCase { u"Ann \"Jr\"", "A name cannot contain a double quote (\")." },
        NameCase { u"Ann: 2012", windowsCharacters }, NameCase { u"Ann?", windowsCharacters },
        NameCase { u"a*b", windowsCharacters }, NameCase { u"a<b>", windowsCharacters },
        NameCase { u"a|b", windowsCharacters }, NameCase { u"WeightTrker", ownFile("WeightTrker") },
        NameCase { u"weighttrker", ownFile("weighttrker") },
        NameCase { u" BPTRKER ", ownFile("BPTRKER") }, NameCase { u"BpTrker", ownFile("BpTrker") },
        NameCase { u"Secfile1", ownFile("Secfile1") },
        NameCase { u"secfile2", ownFile("secfile2") }, NameCase { u"GColor1", ownFile("GColor1") },
        NameCase { u"gcolor3", ownFile("gcolor3") }, NameCase { u"GColor4", ownFile("GColor4") },
        NameCase { u"GCOLOR14", ownFile("GCOLOR14") }, NameCase { u"gzorq1", ownFile("gzorq1") },
        NameCase { u"ZorqName", ownFile("ZorqName") }, NameCase { u"TEMP", ownFile("TEMP") },
        NameCase { u"nul", ownFile("nul") }, NameCase { u"COM1", ownFile("COM1") }));

// Names already stored keep working unless they would reach outside the
// program folder.
TEST(IndividualName, StoredNamesAreRefusedOnlyWhenTheyLeaveTheFolder)
{
    EXPECT_TRUE(IndividualName::pathRefusal(u"A very long name from an older list"_qs).isEmpty());
    EXPECT_TRUE(IndividualName::pathRefusal(u"Ann: 2012"_qs).isEmpty());
    EXPECT_FALSE(IndividualName::pathRefusal(u"../Ann"_qs).isEmpty());
    EXPECT_FALSE(IndividualName::pathRefusal(u".."_qs).isEmpty());
    EXPECT_FALSE(IndividualName::pathRefusal(u""_qs).isEmpty());
}

TEST(IndividualName, DataFileNameIsTheTrimmedNameUnchangedPlusExtension)
{
    EXPECT_EQ(IndividualName::dataFileName(u"  John Smith 2012 "_qs, u".Fil"_qs),
        u"John Smith 2012.Fil"_qs);
    EXPECT_EQ(IndividualName::dataFileName(u"Smith, Ann"_qs, u".Fpl"_qs), u"Smith, Ann.Fpl"_qs);
    EXPECT_EQ(IndividualName::dataFileName(u"ann"_qs, u".Fil"_qs), u"ann.Fil"_qs);
}

} // namespace
