// The solver and the flight, linked with a DOEVENTS that records the
// puzzle's state at every frame instead of drawing it.
#include "common/state.h"
#include "puzzle/flight.h"
#include "puzzle/solver.h"
#include "puzzle/stacks.h"
#include "design.h"

#include <gtest/gtest.h>

#include <cmath>
#include <csignal>
#include <tuple>
#include <vector>

using namespace design;

namespace {

using Stacks = std::vector<std::vector<int>>;  // of pegs 1 to 3, disk numbers from the bottom up

struct Frame {
    int index;
    float position;
    float height;
    Stacks pegs;
};

std::vector<Frame> FRAMES;

struct Move {
    int disk, from, to, frames;
};

// Groups the recorded frames into moves: one disk never moves twice in a row.
std::vector<Move> MovesOf(const std::vector<Frame> &frames)
{
    std::vector<Move> moves;
    for (const Frame &f : frames) {
        if (moves.empty() || moves.back().disk != f.index)
            moves.push_back({f.index, static_cast<int>(f.position), 0, 0});
        moves.back().to = static_cast<int>(std::lround(f.position));
        moves.back().frames++;
    }
    return moves;
}

Stacks Pegs()
{
    Stacks pegs(3);
    for (int p = 1; p <= 3; p++)
        for (int k = 1; k <= DISKCOUNT(p); k++)
            pegs[p - 1].push_back(DISKAT(p, k));
    return pegs;
}

// Empties the pegs, then stacks on each the disks listed from the bottom up.
void SetPegs(const Stacks &pegs)
{
    for (int p = 1; p <= 3; p++) {
        SETDISKCOUNT(p, pegs[p - 1].size());
        for (size_t k = 0; k < pegs[p - 1].size(); k++)
            SETDISKAT(p, k + 1, pegs[p - 1][k]);
    }
}

class Puzzle : public ::testing::Test {
protected:
    void SetUp() override
    {
        FRAMES.clear();
        STARTINGTOWER();
        FLYINGINDEX = 0;
    }
};

}  // namespace

// The frame seam: records what a frame would show.
void DOEVENTS()
{
    FRAMES.push_back({FLYINGINDEX, FLYPOSITION, FLYHEIGHT, Pegs()});
}

TEST_F(Puzzle, WholeSolutionPlaysTheMovesInOrderAStepAFrame)
{
    HANOI(1, 2, N);

    ASSERT_EQ(FRAMES.size(), 5040u);
    std::vector<Move> moves = MovesOf(FRAMES);
    ASSERT_EQ(moves.size(), 127u);
    const std::pair<int, Move> expected[] = {       // move number, and the move; frames 0 for any
        {1, {1, 1, 2, 32}}, {2, {2, 1, 3, 0}}, {3, {1, 2, 3, 0}}, {4, {3, 1, 2, 0}}, {5, {1, 3, 1, 0}},
        {6, {2, 3, 2, 0}}, {7, {1, 1, 2, 0}}, {8, {4, 1, 3, 0}}, {64, {7, 1, 2, 40}}, {127, {1, 1, 2, 32}}};
    for (const auto &[number, m] : expected) {
        const Move &got = moves[number - 1];
        EXPECT_EQ(std::tie(got.disk, got.from, got.to), std::tie(m.disk, m.from, m.to)) << "move " << number;
        EXPECT_TRUE(m.frames == 0 || got.frames == m.frames) << "move " << number << ": " << got.frames;
    }

    int perDisk[N + 1] = {};
    for (const Move &m : moves) {
        perDisk[m.disk]++;
        EXPECT_GE(m.frames, 31);
        EXPECT_LE(m.frames, 53);
    }
    for (int k = 1; k <= N; k++)
        EXPECT_EQ(perDisk[k], 1 << (N - k)) << "disk " << k;
    EXPECT_EQ(Pegs(), (Stacks{{}, {7, 6, 5, 4, 3, 2, 1}, {}}));
    EXPECT_EQ(FLYINGINDEX, 0);

    // Every frame keeps the invariants, and a flying disk moves one step.
    const Frame *previous = nullptr;
    for (const Frame &f : FRAMES) {
        ASSERT_GE(f.index, 1);
        std::vector<int> seen(N + 1, 0);
        seen[f.index]++;
        size_t total = 0;
        for (const std::vector<int> &peg : f.pegs) {
            total += peg.size();
            for (size_t k = 0; k < peg.size(); k++) {
                seen[peg[k]]++;
                ASSERT_TRUE(k == 0 || peg[k] < peg[k - 1]) << "a disk rests on a smaller one";
            }
        }
        ASSERT_EQ(total, static_cast<size_t>(N - 1));
        for (int d = 1; d <= N; d++)
            ASSERT_EQ(seen[d], 1) << "disk " << d;

        if (previous != nullptr && previous->index == f.index) {
            float dy = std::fabs(f.height - previous->height);
            float dx = std::fabs(f.position - previous->position);
            ASSERT_TRUE(dy < ADD + 1e-5 && dx < ADD / BARDIST + 1e-6) << "a jump";
        }
        previous = &f;
    }
}

TEST_F(Puzzle, SingleMoveFromTheStartingTower)
{
    HANOI(1, 2, 1);

    ASSERT_EQ(MovesOf(FRAMES).size(), 1u);
    for (const Frame &f : FRAMES) {
        EXPECT_EQ(f.pegs[0].size(), 6u);
        EXPECT_TRUE(f.pegs[1].empty());
    }
    EXPECT_EQ(Pegs(), (Stacks{{7, 6, 5, 4, 3, 2}, {1}, {}}));
}

// A flight's rise and drop take the frames of this table, by the count c of
// the disks that stay on the source peg or already stand on the target; its
// travel takes 14 frames a peg, the last one short of the target's axis.
TEST_F(Puzzle, FlightFramesFollowTheStackHeightAndTheDistance)
{
    const int framesFor[] = {13, 12, 10, 9, 7, 6, 5};
    struct Case {
        int from, to, stay, under, travel;
        float lastShown;
    } cases[] = {{1, 2, 0, 6, 14, 1.945f}, {2, 1, 1, 5, 14, 1.055f}, {2, 3, 2, 4, 14, 2.945f},
                 {3, 2, 3, 3, 14, 2.055f}, {1, 3, 4, 2, 28, 2.964f}, {3, 1, 5, 1, 28, 1.036f},
                 {1, 2, 6, 0, 14, 1.945f}};
    for (const Case &c : cases) {
        SCOPED_TRACE(std::to_string(c.from) + " to " + std::to_string(c.to) + ", " + std::to_string(c.stay) +
                     " staying, " + std::to_string(c.under) + " under");
        FRAMES.clear();
        Stacks pegs(3);
        pegs[c.from - 1].assign(c.stay, N);
        pegs[c.to - 1].assign(c.under, N);
        SetPegs(pegs);
        ANIMATEFLY(1, c.from, c.to);

        std::vector<float> rise, travel, drop;
        for (const Frame &f : FRAMES)
            (f.position == c.to ? drop : f.height < FLIGHTALTITUDE ? rise : travel)
                .push_back(f.position == c.to || f.height < FLIGHTALTITUDE ? f.height : f.position);
        EXPECT_EQ(rise.size(), framesFor[c.stay]);
        EXPECT_NEAR(rise.front(), RESTHEIGHT(c.stay), 1e-5);
        EXPECT_EQ(travel.size(), c.travel);
        EXPECT_NEAR(travel.back(), c.lastShown, 1e-3);
        EXPECT_EQ(drop.size(), framesFor[c.under]);
        EXPECT_NEAR(drop.front(), FLIGHTALTITUDE, 1e-5);
        EXPECT_GT(drop.back(), RESTHEIGHT(c.under));
        EXPECT_LE(drop.back(), RESTHEIGHT(c.under) + ADD + 1e-5);
        EXPECT_EQ(FLYINGINDEX, 0);
        EXPECT_EQ(Pegs(), pegs) << "the flight wrote the stacks";
    }
}

// Calls that break the rules of the puzzle abort the program before any
// memory outside the stacks is touched, in every kind of build.
TEST(PuzzleDeathTest, BrokenRulesStopTheProgram)
{
    struct Case {
        void (*call)();
        const char *message;
    } cases[] = {
        {[] { DISKCOUNT(0); }, "no such peg"},
        {[] { SETDISKCOUNT(4, 0); }, "no such peg"},
        {[] { SETDISKCOUNT(1, 21); }, "count 21 out of range"},
        {[] { SETDISKCOUNT(1, -1); }, "count -1 out of range"},
        {[] { SETDISKAT(1, 21, 1); }, "position 21 out of range"},
        {[] { SETDISKAT(1, 0, 1); }, "position 0 out of range"},
        {[] { SETDISKAT(1, 1, 256); }, "disk number 256"},
        {[] { STARTINGTOWER(); DISKAT(1, 8); }, "position 8 outside the live positions 1..7"},
        {[] { STARTINGTOWER(); DISKAT(2, 1); }, "position 1 outside the live positions 1..0"},
        {[] { STARTINGTOWER(); HANOI(1, 1, 1); }, "move between pegs 1 and 1"},
        {[] { STARTINGTOWER(); HANOI(0, 2, 1); }, "move between pegs 0 and 2"},
        {[] { STARTINGTOWER(); HANOI(1, 2, 0); }, "move of 0 disks"},
        {[] { STARTINGTOWER(); HANOI(2, 3, 1); }, "move of 1 disks from a peg holding 0"},
        {[] { STARTINGTOWER(); HANOI(1, 2, 1); HANOI(1, 2, 1); }, "disk 2 put on the smaller disk 1"},
    };
    for (const Case &c : cases)
        EXPECT_EXIT(c.call(), ::testing::KilledBySignal(SIGABRT), std::string("program error: .*") + c.message)
            << c.message;
}
