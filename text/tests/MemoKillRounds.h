#pragma once
// The parent's side of the kill-during-save tests: a child process writes the memo versions in
// turn until it is killed, at a random moment or as soon as it has a temporary on disk (in the
// middle of writing the file). After every kill the memo must be one whole version.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "text/tests/MemoSaveTesting.h"
#include "text/tests/MemoTestFiles.h"

// One writing child at a time; the platform decides how it is started and killed.
class CMemoWriterChild {
public:
    virtual ~CMemoWriterChild() = default;
    // Starts a child that saves the versions from firstVersion on to path until it is killed;
    // returns once the child runs.
    virtual bool Start(int firstVersion) = 0;
    // Kills the child and waits until it is gone.
    virtual bool Kill() = 0;
};

// The child's side: saves the versions in turn, forever.
[[noreturn]] inline void SaveVersionsForever(std::vector<CMemoModel>& models, const std::u16string& path,
                                             int firstVersion)
{
    for (std::size_t k = static_cast<std::size_t>(firstVersion);; ++k)
        SaveMemo(models[k % models.size()], path);
}

inline std::vector<CMemoModel> MemoVersions()
{
    std::vector<CMemoModel> models;
    for (int v = 0; v < kMemoVersions; ++v)
        models.push_back(MemoVersion(v));
    return models;
}

inline void RunKillRounds(CMemoWriterChild& child, const std::u16string& folder, const std::u16string& fileName,
                          int rounds)
{
    const std::u16string path = folder + fileName;
    std::vector<CMemoModel> models = MemoVersions();
    std::vector<std::string> versions;
    for (int v = 0; v < kMemoVersions; ++v)
        versions.push_back(MemoVersionBytes(v));
    // Random kills spread over about three saves, however fast this build and disk save.
    const auto start = std::chrono::steady_clock::now();
    for (int v = kMemoVersions - 1; v >= 0; --v)
        ASSERT_EQ(SaveMemo(models[static_cast<std::size_t>(v)], path).status, CMemoWriteResult::kWritten);
    const auto allVersions =
        std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start);

    std::mt19937 rng(20260301);
    std::uniform_int_distribution<long long> delay(0, allVersions.count() * 3 / kMemoVersions);
    std::size_t temporaries = 0;
    int changes = 0;
    int midWrite = 0;
    std::string previous = versions[0];
    for (int round = 0; round < rounds; ++round) {
        ASSERT_TRUE(child.Start(round % kMemoVersions)) << "round " << round;
        if (round % 2 == 0) {
            std::this_thread::sleep_for(std::chrono::microseconds(delay(rng)));
        } else {
            const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(10);
            while (Temporaries(folder, fileName).size() <= temporaries && std::chrono::steady_clock::now() < give_up)
                std::this_thread::yield();
        }
        ASSERT_TRUE(child.Kill()) << "round " << round;

        const std::string now = GetBytes(path);
        bool whole = false;
        for (const std::string& v : versions)
            whole = whole || now == v;
        ASSERT_TRUE(whole) << "round " << round << ": the memo holds " << now.size() << " bytes that are no version";
        changes += now != previous;
        previous = now;
        const std::size_t left = Temporaries(folder, fileName).size();
        midWrite += left > temporaries; // killed between creating its temporary and putting it in place
        temporaries = left;
    }
    std::printf("%d kills: %d after the memo changed, %d while a temporary was being written\n", rounds, changes,
                midWrite);
    EXPECT_GT(changes, 0);
    EXPECT_GT(midWrite, 0);
    // The temporaries the kills left behind never stop the next save.
    EXPECT_EQ(SaveMemo(models[1], path).status, CMemoWriteResult::kWritten);
    EXPECT_TRUE(GetBytes(path) == versions[1]);
}
