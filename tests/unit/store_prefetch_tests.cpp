// A store tree read before its walk, against the real (Wine) registry: the
// values of a large group read in ranges by several threads come back whole
// and in enumeration order, and a group with a valid kept copy is not read.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "store_prefetch.h"
#include "store_reader.h"
#include "test_registry.h"

using namespace holm;

namespace {

const std::string kRoot = holmtest::StoreKey();
const std::string kBig = holmtest::StoreKey("Big"), kDeep = holmtest::StoreKey("Tools\\Deep");

const GroupContents* NothingKept(const std::string&, const FILETIME&) { return nullptr; }

std::vector<std::string> Names(const std::vector<StoreValue>& values) {
    std::vector<std::string> names;
    for (const StoreValue& value : values) names.push_back(value.name);
    return names;
}

// What the one-thread reader gives for the group at `path`.
GroupContents ReadAlone(const std::string& path) {
    GroupContents contents;
    EXPECT_TRUE(ReadGroupContents(path, contents)) << path;
    return contents;
}

class StorePrefetchTest : public ::testing::Test {
protected:
    void SetUp() override {
        holmtest::ResetHolmRegistry();
        // More values than several ranges, one too long to read among them.
        for (int i = 0; i < 333; ++i) {
            holmtest::WriteStoreItem("Big", ("Item " + std::to_string(i * 7919 % 1000)).c_str(), "notepad");
            if (i == 150) holmtest::WriteUserString(kBig, "Item 5 too long", std::string(700, 'x'));
        }
        holmtest::WriteStoreItem("Tools\\Deep", "Leaf", "calc");
        holmtest::WriteStoreItem("", "Top", "cmd");
    }
    void TearDown() override { holmtest::ResetHolmRegistry(); }
};

}  // namespace

TEST_F(StorePrefetchTest, EveryGroupComesBackWholeAndInEnumerationOrder) {
    const GroupReads reads = ReadStoreTree(kRoot, NothingKept);
    ASSERT_EQ(reads.size(), 4u);  // the root, Big, Tools and Tools\Deep
    for (const auto& read : reads) {
        const GroupContents alone = ReadAlone(read.first);
        EXPECT_TRUE(read.second.opened);
        EXPECT_FALSE(read.second.kept);
        EXPECT_EQ(read.second.contents.subgroups, alone.subgroups) << read.first;
        EXPECT_EQ(Names(read.second.contents.values), Names(alone.values)) << read.first;
    }
    const std::vector<StoreValue>& big = reads.at(kBig).contents.values;
    EXPECT_EQ(big.size(), 333u) << "the value too long to read is skipped, and only it";
    EXPECT_EQ(reads.at(kDeep).contents.values.at(0).data, "calc");
}

TEST_F(StorePrefetchTest, AKeptGroupIsNotReadButItsKeptSubgroupsAre) {
    GroupContents keptRoot;
    keptRoot.subgroups = {"Tools"};  // as an earlier build saw it: no Big yet
    FILETIME rootWritten = {};
    const GroupReads reads = ReadStoreTree(kRoot, [&](const std::string& path, const FILETIME& written) {
        if (path != kRoot) return static_cast<const GroupContents*>(nullptr);
        rootWritten = written;
        return static_cast<const GroupContents*>(&keptRoot);
    });
    EXPECT_NE(rootWritten.dwLowDateTime | rootWritten.dwHighDateTime, 0u) << "asked with the key's time";
    EXPECT_TRUE(reads.at(kRoot).kept);
    EXPECT_TRUE(reads.at(kRoot).contents.values.empty());
    EXPECT_EQ(reads.count(kBig), 0u);
    EXPECT_EQ(Names(reads.at(kDeep).contents.values), std::vector<std::string>{"Leaf"});
}
