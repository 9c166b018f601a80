// A change journal as another PC (or anything else) left it: every line that reads whole is
// taken, anything else is skipped and counted, and a line written reads back the same.
#include "sync/JournalText.h"
#include "sync/MachineTable.h"
#include "sync/StampLine.h"

#include <gtest/gtest.h>

namespace {

constexpr char kHead[] = "Zarn2 changes 1\n";

}  // namespace

TEST(JournalText, LinesThatDoNotReadWholeAreSkipped)
{
    struct Case {
        const char* what;
        std::string after;  // lines after the header
        size_t taken;
        size_t damaged;
    } cases[] = {
        {"a title added by name", "1\t5\tT+\t=G\tT\t/p\t/i\t1\t0\n", 1, 0},
        {"the last line still being written", "1\t5\tT+\t=G\tT\t/p\t/i\t1\t0", 0, 1},
        {"numbers that do not rise", "2\t5\tG+\tA\t0\n1\t6\tG+\tB\t0\n", 1, 1},
        {"an unknown kind", "1\t5\tX+\tA\t0\n", 0, 1},
        {"a machine never named", "1\t5\tT-\t3.7\n", 0, 1},
        {"a machine named first", "M\t3\tother\n1\t5\tT-\t3.7\n", 1, 0},
        {"a name that would leave the folder", "1\t5\tG+\t..\t0\n", 0, 1},
        {"a name with a slash", "1\t5\tT+\t=G\ta/b\t/p\t/i\t1\t0\n", 0, 1},
        {"a path with a line end", "1\t5\tT+\t=G\tT\t/p\\n\t/i\t1\t0\n", 0, 1},
        {"a play before its time", "1\t5\tP+\t0.1\t2009/13/40,10:00:00\t60\n", 0, 1},
        {"a play of negative seconds", "1\t5\tP+\t0.1\t2009/03/07,10:00:00\t-5\n", 0, 1},
        {"a field after the last", "1\t5\tT-\t0.1\textra\n", 0, 1},
        {"an unknown field", "1\t5\tTf\t0.1\tcolour\tred\n", 0, 1},
        {"a backslash that escapes nothing", "1\t5\tG+\ta\\qb\t0\n", 0, 1},
    };
    for (const Case& c : cases) {
        MachineTable machines;
        int self = machines.Index("self");
        JournalText::Read read = JournalText::Parse(kHead + c.after, self, machines);
        EXPECT_TRUE(read.journal) << c.what;
        EXPECT_EQ(read.entries.size(), c.taken) << c.what;
        EXPECT_EQ(read.damaged, c.damaged) << c.what;
    }
    MachineTable machines;
    EXPECT_FALSE(JournalText::Parse("Zarn2 changes 2\n1\t5\tG+\tA\t0\n", 0, machines).journal);
}

TEST(JournalText, WhatAnotherPcHadSeenTravelsWithEachLine)
{
    MachineTable machines;
    int self = machines.Index("self");
    JournalText::Read read = JournalText::Parse(std::string(kHead) +
                                                    "M\t1\tother\n1\t5\tG+\tA\t0\nS\t1\t7\n2\t6\tGs\t0.1\n",
                                                self, machines);
    ASSERT_EQ(read.entries.size(), 2u);
    int other = machines.Find("other");
    EXPECT_FALSE(read.entries[0].Saw(other, 7));
    EXPECT_TRUE(read.entries[1].Saw(other, 7));
    EXPECT_FALSE(read.entries[1].Saw(other, 8));
    EXPECT_TRUE(read.entries[1].Saw(self, 1));
    // Written again, a line reads back the same (names with tabs, line ends and backslashes).
    Journal::Entry entry = read.entries[0];
    entry.More().value = "A\tB\\C\nD";
    std::string line = JournalText::EntryLine(entry, [](int) { return 0; });
    JournalText::Read again = JournalText::Parse(kHead + line, self, machines);
    ASSERT_EQ(again.entries.size(), 0u) << "a control character is no usable name";
    entry.More().value = "A\\B=C";
    again = JournalText::Parse(kHead + JournalText::EntryLine(entry, [](int) { return 0; }), self, machines);
    ASSERT_EQ(again.entries.size(), 1u);
    EXPECT_EQ(again.entries[0].More().value, "A\\B=C");
}

TEST(StampLine, OnlyALineWhoseHashFitsTheBytesAboveIt)
{
    const std::string content = "[PlayMode]\r\n0\r\n\r\n[CurrMember]\r\n-1\r\n\r\n";
    const std::string line = StampLine::Make(content, {{{"a", 3}, {"b", 12}}, 99});
    struct Case {
        const char* what;
        std::string file;
        bool stamped;
    } cases[] = {
        {"as written", content + line, true},
        {"with LF line ends (the hash is over the bytes)", content + line.substr(0, line.size() - 2) + "\n", true},
        {"a byte above changed", "[PlayMode]\r\n1\r\n\r\n[CurrMember]\r\n-1\r\n\r\n" + line, false},
        {"a line added after it", content + line + "x\r\n", false},
        {"cut short", content + line.substr(0, line.size() - 4), false},
        {"no line", content, false},
        {"a number that is none", content + StampLine::kPrefix + line.substr(15, 16) + " 99 a:x\r\n", false},
    };
    for (const Case& c : cases) {
        StampLine::Found found = StampLine::Find(c.file);
        EXPECT_EQ(found.stamped, c.stamped) << c.what;
        EXPECT_EQ(found.contentBytes, c.stamped ? content.size() : c.file.size()) << c.what;
        if (c.stamped) {
            EXPECT_EQ(found.shaped.seqs, (std::map<std::string, int>{{"a", 3}, {"b", 12}})) << c.what;
            EXPECT_EQ(found.shaped.maxStamp, 99) << c.what;
        }
    }
}
