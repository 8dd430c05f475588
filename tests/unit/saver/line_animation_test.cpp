// The animation model: start, bounce, phase sweep, twist and the segments of a frame.
#include "saver/line_animation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "runtime/runtime_error.h"

namespace spindle {
namespace {

// Hands out the draws a test asks for, in order.
class ScriptedRandom : public RandomSource {
public:
    explicit ScriptedRandom(std::vector<double> draws) : draws_(std::move(draws)) {}
    double Next() override { return draws_.at(next_++); }
    std::size_t Used() const { return next_; }

private:
    std::vector<double> draws_;
    std::size_t next_ = 0;
};

TEST(StartAnchors, AllAtTheCentreRoundedHalfToEven) {
    struct Case {
        float width, height;
        std::int32_t x, y;
    };
    for (const Case& c : {Case{15359, 8639, 7680, 4320}, Case{15361, 8641, 7680, 4320}, Case{28800, 16200, 14400, 8100},
                          Case{0, 1, 0, 0}}) {
        UniformRandom random;
        AnchorState anchors;
        StartAnchors(anchors, c.width, c.height, random);
        for (int k = 0; k < kAnchorCount; ++k) {
            EXPECT_EQ(anchors.PosX[k], c.x) << c.width;
            EXPECT_EQ(anchors.PosY[k], c.y) << c.height;
        }
    }
}

TEST(StartAnchors, VelocityFromTheDrawsRThenMxThenMy) {
    struct Case {
        double r, mx, my;
        std::int16_t velX, velY;
    };
    const Case cases[] = {
        {0.00, 0.35, 0.75, 4, 8},     // r 0: right, down
        {0.25, 0.35, 0.75, -4, -8},   // r 1: left, up
        {0.50, 0.35, 0.75, 4, -8},    // r 2: right, up
        {0.99, 0.35, 0.75, -4, 8},    // r 3: left, down
        {0.00, 0.00, 0.999, 1, 10},   // the magnitudes run 1 to 10
        {0.24, 0.999, 0.00, 10, 1},
    };
    for (const Case& c : cases) {
        ScriptedRandom random({c.r, c.mx, c.my, c.r, c.mx, c.my, c.r, c.mx, c.my});
        AnchorState anchors;
        StartAnchors(anchors, 1000, 1000, random);
        EXPECT_EQ(random.Used(), 9u);
        for (int k = 0; k < kAnchorCount; ++k) {
            EXPECT_EQ(anchors.VelX[k], c.velX) << "r draw " << c.r;
            EXPECT_EQ(anchors.VelY[k], c.velY) << "r draw " << c.r;
        }
    }
}

TEST(StartAnchors, TheUnseededGeneratorGivesMagnitudesOneToTenEveryRunAlike) {
    AnchorState first, second;
    UniformRandom a, b;
    StartAnchors(first, 28800, 16200, a);
    StartAnchors(second, 28800, 16200, b);
    for (int k = 0; k < kAnchorCount; ++k) {
        EXPECT_EQ(first.VelX[k], second.VelX[k]);
        EXPECT_EQ(first.VelY[k], second.VelY[k]);
        EXPECT_GE(std::abs(first.VelX[k]), 1);
        EXPECT_LE(std::abs(first.VelX[k]), 10);
        EXPECT_GE(std::abs(first.VelY[k]), 1);
        EXPECT_LE(std::abs(first.VelY[k]), 10);
    }
}

TEST(UniformRandom, StaysInTheHalfOpenUnitInterval) {
    UniformRandom random;
    double low = 1, high = 0;
    for (int i = 0; i < 100000; ++i) {
        const double v = random.Next();
        ASSERT_GE(v, 0.0);
        ASSERT_LT(v, 1.0);
        low = std::min(low, v);
        high = std::max(high, v);
    }
    EXPECT_LT(low, 0.001);
    EXPECT_GT(high, 0.999);
}

TEST(MoveAnchors, TurnsOnlyStrictlyBeyondTheEdgeMovedTowards) {
    struct Case {
        std::int32_t position;
        std::int16_t velocity;
        std::int32_t movedTo;
        std::int16_t velocityAfter;
    };
    const float edge = 1000;
    const Case cases[] = {
        {995, 5, 1000, 5},      // exactly on the far edge: keeps going
        {996, 5, 1001, -5},     // strictly beyond: turns
        {5, -5, 0, -5},         // exactly on zero: keeps going
        {3, -5, -2, 5},         // beyond zero: turns
        {1200, -3, 1197, -3},   // beyond the far edge but moving back: left alone
        {-10, 3, -7, 3},        // beyond zero but moving back: left alone
        {2000, 7, 2007, -7},    // far out: turned, never clamped
    };
    for (const Case& c : cases) {
        AnchorState across, down;
        across.PosX.fill(c.position);
        across.VelX.fill(c.velocity);
        across.PosY.fill(500);
        across.VelY.fill(1);
        down.PosY.fill(c.position);
        down.VelY.fill(c.velocity);
        down.PosX.fill(500);
        down.VelX.fill(1);
        MoveAnchors(across, edge, 2000);
        MoveAnchors(down, 2000, edge);
        for (int k = 0; k < kAnchorCount; ++k) {
            EXPECT_EQ(across.PosX[k], c.movedTo) << c.position << " " << c.velocity;
            EXPECT_EQ(across.VelX[k], c.velocityAfter) << c.position << " " << c.velocity;
            EXPECT_EQ(down.PosY[k], c.movedTo) << c.position << " " << c.velocity;
            EXPECT_EQ(down.VelY[k], c.velocityAfter) << c.position << " " << c.velocity;
        }
    }
}

TEST(MoveAnchors, AnchorAtTheCornerComesBackFromBothEdges) {
    AnchorState anchors;
    anchors.PosX = {998, 0, 500};
    anchors.PosY = {998, 0, 500};
    anchors.VelX = {4, -4, 1};
    anchors.VelY = {4, -4, -1};
    MoveAnchors(anchors, 1000, 1000);
    MoveAnchors(anchors, 1000, 1000);
    EXPECT_EQ(anchors.PosX[0], 998);  // out to 1002, turned, back in
    EXPECT_EQ(anchors.PosY[0], 998);
    EXPECT_EQ(anchors.PosX[1], 0);
    EXPECT_EQ(anchors.PosY[1], 0);
    EXPECT_EQ(anchors.PosX[2], 502);
    EXPECT_EQ(anchors.PosY[2], 498);
}

TEST(AdvancePhase, ClampsAndTurnsAtTheTopAndAtZero) {
    // 7 does not divide 25210: the last rise lands beyond the top and is clamped to it.
    PhaseState phase;
    int frames = 0;
    while (phase.PhaseRising) {
        AdvancePhase(phase, 7);
        ++frames;
        ASSERT_LE(phase.Phase, kPhaseTop);
    }
    EXPECT_EQ(phase.Phase, kPhaseTop);
    EXPECT_EQ(frames, 3602);  // ceil(25210 / 7)
    frames = 0;
    while (!phase.PhaseRising) {
        AdvancePhase(phase, 7);
        ++frames;
        ASSERT_GE(phase.Phase, 0);
    }
    EXPECT_EQ(phase.Phase, 0);
    EXPECT_EQ(frames, 3602);
    AdvancePhase(phase, 7);
    EXPECT_EQ(phase.Phase, 7);
}

TEST(AdvancePhase, SpeedOneTakes25210FramesEachWay) {
    PhaseState phase;
    for (int i = 0; i < 25209; ++i) AdvancePhase(phase, 1);
    EXPECT_EQ(phase.Phase, 25209);
    EXPECT_TRUE(phase.PhaseRising);
    AdvancePhase(phase, 1);
    EXPECT_EQ(phase.Phase, kPhaseTop);
    EXPECT_FALSE(phase.PhaseRising);
    for (int i = 0; i < 25209; ++i) AdvancePhase(phase, 1);
    EXPECT_EQ(phase.Phase, 1);
    AdvancePhase(phase, 1);
    EXPECT_EQ(phase.Phase, 0);
    EXPECT_TRUE(phase.PhaseRising);
}

TEST(AdvancePhase, SpeedZeroStaysAtZero) {
    PhaseState phase;
    for (int i = 0; i < 1000; ++i) AdvancePhase(phase, 0);
    EXPECT_EQ(phase.Phase, 0);
    EXPECT_TRUE(phase.PhaseRising);
}

// Steps until the phase leaves 16 bits; returns the frames taken, or -1 if it never does.
int FramesUntilOverflow(float speed, int limit) {
    PhaseState phase;
    for (int frame = 0; frame < limit; ++frame) {
        const PhaseState before = phase;
        try {
            AdvancePhase(phase, speed);
        } catch (const RuntimeError& error) {
            EXPECT_EQ(error.kind(), RuntimeError::Kind::Overflow);
            EXPECT_EQ(phase.Phase, before.Phase);  // the failed step changes nothing
            return frame;
        }
    }
    return -1;
}

TEST(AdvancePhase, OverflowOnlyForNegativeOrVeryLargeSpeeds) {
    struct Case {
        float speed;
        int framesUntilOverflow;
    };
    const Case cases[] = {
        {1, -1},
        {7557, -1},
        {7558, -1},       // above 7557 may overflow, but this one lands on 30232 and is clamped
        {8200, 3},        // 24600 + 8200 = 32800
        {32767, -1},      // lands on 32767 and is clamped; 25210 - 32767 still fits
        {32768, 0},
        {1e9f, 0},
        {-1, 32768},      // falls below zero while still rising, down to -32768
        {-5, 6553},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FramesUntilOverflow(c.speed, 100000), c.framesUntilOverflow) << c.speed;
    }
}

TEST(TwistAngle, HundredthsOfDegreesWithPiTakenAs314) {
    EXPECT_EQ(TwistAngle(0), 0.0);
    EXPECT_NEAR(TwistAngle(200), 3.14 / 180, 1e-15);
    EXPECT_NEAR(TwistAngle(kPhaseTop), 2.198872, 1e-6);
    // Not the exact pi: the figures twist a little less than a true 126.05 degrees.
    EXPECT_GT(126.05 * 3.14159265358979 / 180 - TwistAngle(kPhaseTop), 1e-3);
}

TEST(ComputeFrame, AtPhaseZeroEveryLineIsHorizontalCentredBelowItsAnchor) {
    AnchorState anchors;
    anchors.PosX = {1000, 5000, 9000};
    anchors.PosY = {2000, 3000, 4000};
    FrameSegments segments;
    ComputeFrame(anchors, TwistAngle(0), segments);
    for (int j = 1; j <= kStepsPerFigure; ++j) {
        for (int k = 0; k < kAnchorCount; ++k) {
            const Segment& s = segments[(j - 1) * kAnchorCount + k];
            EXPECT_EQ(s.y1, s.y2);
            EXPECT_GT(s.y1, anchors.PosY[k]);
            EXPECT_NEAR(s.x1 - anchors.PosX[k], anchors.PosX[k] - s.x2, 0.05);  // float steps out there are 1/64 twip
            if (j > 1) {
                const Segment& previous = segments[(j - 2) * kAnchorCount + k];
                EXPECT_GT(s.y1, previous.y1);                                      // lower
                EXPECT_GT(std::abs(s.x1 - s.x2), std::abs(previous.x1 - previous.x2));  // longer
            }
        }
    }
}

TEST(ComputeFrame, BrightnessRunsOneTo255RedGreenBlueWithinEachStep) {
    struct Case {
        int step;
        std::uint32_t brightness;
    };
    // Halves round to even: 25.5 -> 26, 76.5 -> 76, 178.5 -> 178.
    const Case cases[] = {{1, 1}, {2, 3}, {20, 26}, {60, 76}, {100, 127}, {140, 178}, {199, 254}, {200, 255}};
    AnchorState anchors;
    FrameSegments segments;
    ComputeFrame(anchors, TwistAngle(1234), segments);
    for (const Case& c : cases) {
        const int first = (c.step - 1) * kAnchorCount;
        EXPECT_EQ(segments[first].rgb, Rgb(c.brightness, 0, 0)) << c.step;
        EXPECT_EQ(segments[first + 1].rgb, Rgb(0, c.brightness, 0)) << c.step;
        EXPECT_EQ(segments[first + 2].rgb, Rgb(0, 0, c.brightness)) << c.step;
    }
}

TEST(ComputeFrame, FiguresAreCongruentAndFollowTheirAnchors) {
    AnchorState anchors;
    anchors.PosX = {100, 200, 300};
    anchors.PosY = {100, 1100, 2100};
    FrameSegments segments;
    ComputeFrame(anchors, TwistAngle(9876), segments);
    for (int j = 0; j < kStepsPerFigure; ++j) {
        const Segment& red = segments[j * kAnchorCount];
        for (int k = 1; k < kAnchorCount; ++k) {
            const Segment& other = segments[j * kAnchorCount + k];
            EXPECT_NEAR(other.x1 - red.x1, anchors.PosX[k] - anchors.PosX[0], 0.05);
            EXPECT_NEAR(other.y2 - red.y2, anchors.PosY[k] - anchors.PosY[0], 0.05);
        }
    }
    // The first pen step is (sin(a), cos(a)) * 10 from the anchor.
    const double a = TwistAngle(9876) - 5;
    EXPECT_NEAR(segments[0].x1, 100 + std::sin(a) * 10, 1e-3);
    EXPECT_NEAR(segments[0].y1, 100 + std::cos(a) * 10, 1e-3);
}

}  // namespace
}  // namespace spindle
